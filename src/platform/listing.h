#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"

namespace tolm::platform {

// One entry of a directory as the system lists it.
struct DirectoryEntry {
    std::string name;
    // A regular file, or a symbolic link to one; not a directory, socket,
    // FIFO or device.
    bool plainFile = false;
    // Left out of what a user is shown. POSIX: the name starts with "."
    // Windows: the hidden or system attribute.
    bool hidden = false;
    std::uint64_t size = 0; // of a plain file, when sizes were asked for
};

enum class EntrySizes { Skipped, Read };

// Every entry directly in `directory` but "." and "..", in the order the
// system lists them; the one place the platform reads a directory. Sizes
// cost a call per file on POSIX, so they are read only when asked for. A
// directory that cannot be opened (as "" cannot), or read to the end, is a
// failure; what was read before it stays in `out`.
IoResult listDirectory(const std::string& directory, std::vector<DirectoryEntry>& out,
                       EntrySizes sizes = EntrySizes::Skipped);

// The names of every entry in `directory` (files, directories, hidden ones),
// in the order the system lists them; "" is the current directory. nullopt
// when it cannot be listed.
std::optional<std::vector<std::string>> directoryNames(const std::string& directory);

struct PlainFile {
    std::string name;
    std::uint64_t size = 0;
};

// The plain files of `directory` that are not hidden, with their sizes, in
// the order the system lists them.
IoResult plainFilesIn(const std::string& directory, std::vector<PlainFile>& out);

// The order names are listed in for a user: ASCII letters compared without
// case, names equal that way ordered by their bytes.
bool lessIgnoringAsciiCase(const std::string& a, const std::string& b);

// Names of the plain files directly in `directory`, as a user lists them to
// pick from: hidden files, directories and anything that is not a regular
// file are left out; a symbolic link to a regular file counts. Sorted
// ignoring ASCII case, then by bytes. An unreadable directory gives none.
std::vector<std::string> listPlainFiles(const std::string& directory);

} // namespace tolm::platform
