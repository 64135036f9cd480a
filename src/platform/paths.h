#pragma once

#include <string>
#include <string_view>

namespace tolm::platform {

// `directory` and `name` joined by one separator; none is added when the
// directory already ends with one, and an empty directory gives the name.
std::string joinPath(std::string_view directory, std::string_view name);

// Whether `path` names a file without reference to a current directory: on
// POSIX a leading "/", on Windows a drive letter with a separator ("C:\") or
// two leading separators ("\\server").
bool isAbsolutePath(std::string_view path);

} // namespace tolm::platform
