#pragma once

#include <string_view>

namespace tolm::platform {

// Whether `path` names a file without reference to a current directory: on
// POSIX a leading "/", on Windows a drive letter with a separator ("C:\") or
// two leading separators ("\\server").
bool isAbsolutePath(std::string_view path);

} // namespace tolm::platform
