#include "settings/picked_paths.h"

#include "core/text.h"
#include "platform/files.h"
#include "settings/settings.h"

namespace tolm {

std::string storeUnderSearchPath(std::vector<std::string>& searchPaths, std::string_view text) {
    SplitPath split = splitFullPath(text);
    if (!split.directory.empty())
        addSearchPath(searchPaths, split.directory);
    return std::move(split.name);
}

std::string asSearchDirectory(std::string_view directory) {
    std::string out(directory);
    if (!out.empty() && out.back() != platform::kPathSeparator)
        out += platform::kPathSeparator;
    return out;
}

} // namespace tolm
