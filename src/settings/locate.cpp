#include "settings/locate.h"

#include "platform/file_index.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "settings/settings.h"

namespace tolm {

namespace {

template <typename Exists>
LocatedFile locateWith(std::string_view name, const std::vector<std::string>& searchPaths,
                       Exists&& exists) {
    // Imported games (and catalogues written earlier) store a full path: it
    // names the file itself, and no search directory can be joined onto it.
    if (platform::isAbsolutePath(name)) {
        std::string path(name);
        if (exists(path))
            return {true, std::move(path)};
        return {};
    }
    if (!hasFirstEntry(searchPaths))
        return {};
    for (const std::string& entry : searchPaths) {
        std::string candidate = entry;
        candidate.append(name);
        if (exists(candidate))
            return {true, std::move(candidate)};
    }
    return {};
}

} // namespace

LocatedFile locateFile(std::string_view name, const std::vector<std::string>& searchPaths) {
    return locateWith(name, searchPaths,
                      [](const std::string& path) { return platform::fileExists(path); });
}

LocatedFile locateFile(std::string_view name, const std::vector<std::string>& searchPaths,
                       platform::FileIndex& index) {
    return locateWith(name, searchPaths,
                      [&index](const std::string& path) { return index.fileExists(path); });
}

} // namespace tolm
