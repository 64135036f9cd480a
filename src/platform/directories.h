#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/files.h"

namespace tolm::platform {

// Whether the program may create and replace files in `directory` (a
// directory on a read-only file system is not writable, even for root).
bool isWritableDirectory(const std::string& directory);

// Creates `directory` and any missing parents.
IoResult createDirectories(const std::string& directory);

// The search list of the PATH environment variable, as it stands.
std::string programSearchPath();

// The first directory of `searchPath` (separated as PATH is on this system)
// holding an executable plain file called `name`, joined with the name.
std::optional<std::string> findProgram(std::string_view name, std::string_view searchPath);

// Whether `path` names a directory (following links).
bool isDirectory(const std::string& path);

} // namespace tolm::platform
