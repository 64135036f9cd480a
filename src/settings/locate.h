#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tolm {
namespace platform {
class FileIndex;
}

struct LocatedFile {
    bool found = false;
    std::string path; // the entry joined with the name, when found
};

// A full path (see platform::isAbsolutePath) is found where it points, when
// it exists, whatever the list holds. Any other name is found under the first
// entry of `searchPaths` where it exists: entries are joined with the name
// unchanged, and a list without a first entry finds nothing.
LocatedFile locateFile(std::string_view name, const std::vector<std::string>& searchPaths);

// The same lookup answered from `index`, for passes over many names.
LocatedFile locateFile(std::string_view name, const std::vector<std::string>& searchPaths,
                       platform::FileIndex& index);

} // namespace tolm
