#include "state/dropped_files.h"

#include "catalogue/catalogue_ops.h"
#include "catalogue/game_editing.h"
#include "core/text.h"
#include "platform/codepage.h"
#include "platform/directories.h"
#include "platform/files.h"
#include "platform/listing.h"

namespace tolm {
namespace {

constexpr std::int32_t kUncategorisedGenre = 96; // "Miscellaneous - [uncategorized]"

std::string withSeparator(std::string directory) {
    if (directory.empty() || directory.back() != platform::kPathSeparator)
        directory += platform::kPathSeparator;
    return directory;
}

void addOne(AppState& state, const std::string& file, const std::string& name, std::int32_t genre,
            DroppedFilesResult& result) {
    NewGame game;
    game.name = name;
    game.genre = genre;
    game.romFile = file;
    const AddGameResult added = addGame(state.catalogue, game);
    if (added.refusal)
        result.refusals.push_back(*added.refusal);
    else
        ++result.added;
}

} // namespace

DroppedFilesResult addDroppedPaths(AppState& state, const std::vector<std::string>& paths) {
    DroppedFilesResult result;
    for (const std::string& path : paths) {
        if (!platform::isAnsiRepresentable(path)) {
            result.unstorableNames.push_back(path);
            continue;
        }
        if (platform::isDirectory(path)) {
            const std::vector<std::string> names = platform::listPlainFiles(path);
            const std::string directory = withSeparator(path);
            bool registered = false;
            for (const std::string& name : names) {
                if (!platform::isAnsiRepresentable(name)) {
                    result.unstorableNames.push_back(directory + name);
                    continue;
                }
                if (!registered) {
                    addSearchPath(state.settings.romPaths, directory);
                    registered = true;
                }
                addOne(state, name, batchGameName(name), kUncategorisedGenre, result);
            }
        } else if (platform::fileExists(path)) {
            SplitPath split = splitFullPath(path);
            addSearchPath(state.settings.romPaths, split.directory);
            addOne(state, split.name, proposedGameName(split.name), kUncategorisedGenre, result);
        }
    }
    return result;
}

} // namespace tolm
