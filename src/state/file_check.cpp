#include "state/file_check.h"

#include "core/text.h"
#include "platform/file_index.h"
#include "settings/locate.h"

namespace tolm {
namespace {

// Progress is reported this often, so a huge catalogue still shows movement
// without paying for a call per game.
constexpr std::size_t kProgressStep = 256;

} // namespace

FileCheckResult checkFiles(const GameCatalogue& catalogue, const SettingsState& settings,
                           const FileCheckProgress& progress) {
    FileCheckResult result;
    if (!catalogueHasEntries(catalogue))
        return result;
    platform::FileIndex index;
    const std::size_t total = catalogue.size();
    for (std::size_t i = 0; i < total; ++i) {
        if (progress && i % kProgressStep == 0 && !progress(i, total)) {
            result.cancelled = true;
            return result;
        }
        const GameRecord& game = catalogue[i];
        if (game.name.empty())
            continue; // a blank record is no game
        GameMissingFiles missing;
        missing.game = static_cast<std::int32_t>(i);
        missing.romMissing = !trimBlanks(game.romFile).empty() &&
                             !locateFile(game.romFile, settings.romPaths, index).found;
        missing.musicMissing = !trimBlanks(game.musicFile).empty() &&
                               !locateFile(game.musicFile, settings.musicPaths, index).found;
        for (std::string_view part : splitList(game.screenshots)) {
            if (!locateFile(part, settings.screenshotPaths, index).found)
                missing.missingScreenshots.emplace_back(part);
        }
        if (!missing.romMissing && !missing.musicMissing && missing.missingScreenshots.empty())
            continue;
        result.romsMissing += missing.romMissing ? 1 : 0;
        result.musicFilesMissing += missing.musicMissing ? 1 : 0;
        result.screenshotsMissing += static_cast<std::int32_t>(missing.missingScreenshots.size());
        result.games.push_back(std::move(missing));
    }
    if (progress)
        progress(total, total);
    return result;
}

std::string fileCheckSummary(const FileCheckResult& result) {
    auto count = [](std::size_t n, const char* one, const char* many) {
        return std::to_string(n) + ' ' + (n == 1 ? one : many);
    };
    return count(result.games.size(), "game", "games") + ": " +
           count(static_cast<std::size_t>(result.romsMissing), "ROM", "ROMs") + ", " +
           count(static_cast<std::size_t>(result.musicFilesMissing), "music file", "music files") +
           ", " +
           count(static_cast<std::size_t>(result.screenshotsMissing), "screenshot", "screenshots") +
           " not found";
}

} // namespace tolm
