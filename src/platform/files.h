#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/text.h"

namespace tolm::platform {

// The core's separator, named here too for the code that works with files.
using tolm::kPathSeparator;

// Outcome of a file operation; `error` says what went wrong and names the file.
struct IoResult {
    bool ok = true;
    std::string error;

    explicit operator bool() const { return ok; }
    static IoResult success() { return {}; }
    static IoResult failure(std::string message) { return {false, std::move(message)}; }
};

// True when a directory listing of `path` finds at least one plain file.
// Directories and hidden files (dot files; on Windows those marked hidden or
// system) do not count. '*' and '?' match in the last component ("*.*"
// matches every name, as a Windows listing does); a path ending with the
// separator lists that directory. Names match as the system compares them
// (ignoring letter case on Windows). Any failure gives false.
bool fileExists(const std::string& path);

// The size of the plain file `path`, nullopt when there is none.
std::optional<std::uint64_t> fileLength(const std::string& path);

// True when anything at all is at `path`: a file, a directory, a pipe...
// Start-up uses it to tell a missing file (not an error) from one that is
// there but cannot be read.
bool pathExists(const std::string& path);

// Directory of the running executable, without a trailing separator.
std::string programDirectory();

enum class Durability {
    Buffered, // renamed into place without waiting for the disk
    Synced,   // the file and its directory are flushed to disk before returning
};

// Writes `bytes` to a temporary file beside `path`, then renames it over
// `path`. On any failure the old file is left as it was.
IoResult replaceFile(const std::string& path, std::string_view bytes,
                     Durability durability = Durability::Synced);

// Takes the next piece of a file being written; false once writing failed.
using ByteSink = std::function<bool(std::string_view)>;

// Like ReplaceFile, but `produce` hands the bytes over piece by piece, so the
// whole file need never be held in memory. `produce` returns false when it
// stopped early (normally because the sink failed); the old file is then left
// as it was.
IoResult replaceFileStreamed(const std::string& path,
                             const std::function<bool(const ByteSink&)>& produce,
                             Durability durability = Durability::Synced);

// Reads a whole file into `out`.
IoResult readFile(const std::string& path, std::string& out);

// A UTF-8 path as the file system's own path type (on Windows in the long
// "\\?\" form when it is too long for the ordinary one).
std::filesystem::path nativePath(const std::string& utf8);

// Human-readable reason for the last failed system call (errno on POSIX,
// GetLastError on Windows).
std::string lastErrorText();

} // namespace tolm::platform
