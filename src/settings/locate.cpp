#include "settings/locate.h"

#include "platform/files.h"
#include "platform/paths.h"
#include "settings/settings.h"

namespace tolm {

LocatedFile locateFile(std::string_view name, const std::vector<std::string>& searchPaths) {
    // Imported games (and catalogues written earlier) store a full path: it
    // names the file itself, and no search directory can be joined onto it.
    if (platform::isAbsolutePath(name)) {
        std::string path(name);
        if (platform::fileExists(path))
            return {true, std::move(path)};
        return {};
    }
    if (!hasFirstEntry(searchPaths))
        return {};
    for (const std::string& entry : searchPaths) {
        std::string candidate = entry;
        candidate.append(name);
        if (platform::fileExists(candidate))
            return {true, std::move(candidate)};
    }
    return {};
}

} // namespace tolm
