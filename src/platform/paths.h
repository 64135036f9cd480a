#pragma once

#include <string_view>

namespace tolm::platform {

// Whether `path` names a file without reference to a current directory: on
// POSIX a leading "/", on Windows a drive letter with a separator ("C:\") or
// two leading separators ("\\server").
bool isAbsolutePath(std::string_view path);

// Whether two paths name the same file as far as their text tells, compared
// as the file system compares names: ignoring ASCII letter case on Windows,
// exactly elsewhere (where "Roms" and "roms" are two directories).
bool samePath(std::string_view a, std::string_view b);

} // namespace tolm::platform
