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

} // namespace

DroppedFilesPlan planDroppedPaths(const std::vector<std::string>& paths,
                                  const std::function<bool()>& stopRequested) {
    DroppedFilesPlan plan;
    const auto stop = [&] {
        if (stopRequested && stopRequested())
            plan.stopped = true;
        return plan.stopped;
    };
    for (const std::string& path : paths) {
        if (stop())
            break;
        if (!platform::isAnsiRepresentable(path)) {
            plan.unstorableNames.push_back(path);
            continue;
        }
        if (platform::isDirectory(path)) {
            const std::vector<std::string> names = platform::listPlainFiles(path);
            const std::string directory = withSeparator(path);
            for (const std::string& name : names) {
                if (stop())
                    break;
                if (!platform::isAnsiRepresentable(name)) {
                    plan.unstorableNames.push_back(directory + name);
                    continue;
                }
                GameFromFile named = gameFromFileName(name, NameRule::UpToFirstDot);
                plan.games.push_back({directory, name, std::move(named.name), named.year,
                                      std::move(named.publisher)});
            }
        } else if (platform::fileExists(path)) {
            SplitPath split = splitFullPath(path);
            GameFromFile named = gameFromFileName(split.name, NameRule::UpToLastDot);
            plan.games.push_back({std::move(split.directory), std::move(split.name),
                                  std::move(named.name), named.year, std::move(named.publisher)});
        }
    }
    return plan;
}

DroppedFilesResult applyDroppedFiles(AppState& state, const DroppedFilesPlan& plan) {
    DroppedFilesResult result;
    result.unstorableNames = plan.unstorableNames;
    const std::string* registered = nullptr;
    for (const DroppedFilesPlan::Game& game : plan.games) {
        // A folder's games share its directory: registered once, before the first.
        if (registered == nullptr || *registered != game.directory) {
            addSearchPath(state.settings.romPaths, game.directory);
            registered = &game.directory;
        }
        NewGame added;
        added.name = game.name;
        added.year = game.year;
        added.publisher = game.publisher;
        added.genre = kUncategorisedGenre;
        added.romFile = game.romFile;
        const AddGameResult outcome = addGame(state.catalogue, added);
        if (outcome.refusal)
            result.refusals.push_back(*outcome.refusal);
        else
            ++result.added;
    }
    return result;
}

DroppedFilesResult addDroppedPaths(AppState& state, const std::vector<std::string>& paths) {
    return applyDroppedFiles(state, planDroppedPaths(paths));
}

} // namespace tolm
