#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tolm {

struct LocatedFile {
    bool found = false;
    std::string path; // the entry joined with the name, when found
};

// A full path (see platform::isAbsolutePath) is found where it points, when
// it exists, whatever the list holds. Any other name is found under the first
// entry of `searchPaths` where it exists: entries are joined with the name
// unchanged, and a list without a first entry finds nothing.
LocatedFile locateFile(std::string_view name, const std::vector<std::string>& searchPaths);

} // namespace tolm
