#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tolm {

struct LocatedFile {
    bool found = false;
    std::string path; // the entry joined with the name, when found
};

// The first entry of `searchPaths` under which `name` exists. Entries are
// joined with the name unchanged; a list without a first entry finds nothing.
LocatedFile locateFile(std::string_view name, const std::vector<std::string>& searchPaths);

} // namespace tolm
