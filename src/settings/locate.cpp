#include "settings/locate.h"

#include "platform/files.h"
#include "settings/settings.h"

namespace tolm {

LocatedFile locateFile(std::string_view name, const std::vector<std::string>& searchPaths) {
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
