#pragma once

#include <string>
#include <vector>

namespace tolm::platform {

// Names of the plain files directly in `directory`, as a user lists them to
// pick from: hidden files (POSIX: a leading "."; Windows: the hidden or system
// attribute), directories and anything that is not a regular file (sockets,
// FIFOs, devices) are left out; a symbolic link to a regular file counts.
// Sorted ignoring ASCII case. An unreadable directory gives none.
std::vector<std::string> listPlainFiles(const std::string& directory);

} // namespace tolm::platform
