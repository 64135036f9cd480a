#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The places a folder is picked from, and reading directories for a picker.
namespace tolm::platform {

// The roots a user picks a folder from, in the order shown: on POSIX "/",
// the home directory and the file systems mounted under /media, /run/media
// and /mnt; on Windows the drive letters ("C:\").
std::vector<std::string> mountPoints();

// The POSIX rule on the text of a mount table (/proc/self/mounts: device,
// mount point, ... one a line, blanks in names written as \040). Portable so
// that it can be tried on made-up tables.
std::vector<std::string> pickableMounts(std::string_view mountTable, const std::string& home);

// The process's current directory, without a trailing separator (except a
// root); empty when it cannot be told.
std::string currentDirectory();

// Why `directory` cannot be listed, in the system's words; nullopt when it can.
std::optional<std::string> directoryReadError(const std::string& directory);

// Names of the subdirectories of `directory` a user is shown: hidden ones
// (POSIX: a leading "."; Windows: the hidden or system attribute) are left
// out. Symbolic links to directories count. Sorted ignoring ASCII case.
// An unreadable directory gives none.
std::vector<std::string> visibleSubdirectories(const std::string& directory);

// `directory` joined with `name`, one separator between them.
std::string joinPath(const std::string& directory, const std::string& name);

// The directory that holds `path`, or `path` itself for a root.
std::string parentDirectory(const std::string& path);

// The chain of directories from the root of `path` down to `path` itself
// ("/a/b" gives "/", "/a", "/a/b").
std::vector<std::string> directoryChain(const std::string& path);

} // namespace tolm::platform
