#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tolm::platform {

// Turns a path as another program stored it (upper-case DOS 8.3 names such
// as "C:\SGD\GAMES\JSW.TAP") into the spelling the file system uses. The
// import asks through this interface, so tests and fuzzers can answer
// without touching the disk.
class LongPathResolver {
public:
    virtual ~LongPathResolver() = default;
    // `path` as the file system spells it; unchanged when it cannot be resolved.
    virtual std::string longPathOf(const std::string& path) = 0;
};

// The names in a directory, or nullopt when it cannot be listed.
using DirectoryLister =
    std::function<std::optional<std::vector<std::string>>(const std::string& directory)>;

// Resolves "/"-separated paths against the listings `lister` gives: each
// component is matched ignoring letter case, the exact spelling wins when
// present, and several other matches, or none, leave the whole path
// unchanged. Each directory is asked for once for the resolver's lifetime;
// a relative path is resolved against ".".
class ListingLongPaths final : public LongPathResolver {
public:
    explicit ListingLongPaths(DirectoryLister lister);
    ~ListingLongPaths() override;
    ListingLongPaths(const ListingLongPaths&) = delete;
    ListingLongPaths& operator=(const ListingLongPaths&) = delete;

    std::string longPathOf(const std::string& path) override;

private:
    struct Cache;
    std::unique_ptr<Cache> cache_;
};

// The file system's answer. On POSIX it is ListingLongPaths over the
// directories on disk, each listed once for the resolver's lifetime, so keep
// one per import (a listing read earlier does not see files made since). On
// Windows the system expands short names to long ones.
class FileSystemLongPaths final : public LongPathResolver {
public:
    FileSystemLongPaths();
    ~FileSystemLongPaths() override;
    FileSystemLongPaths(const FileSystemLongPaths&) = delete;
    FileSystemLongPaths& operator=(const FileSystemLongPaths&) = delete;

    std::string longPathOf(const std::string& path) override;

private:
    struct State;
    std::unique_ptr<State> state_;
};

// One path resolved with nothing remembered.
std::string longPathOf(const std::string& path);

} // namespace tolm::platform
