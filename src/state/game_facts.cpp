#include "state/game_facts.h"

#include "core/text.h"
#include "platform/file_index.h"
#include "settings/locate.h"

namespace tolm {

std::vector<GameFacts> computeGameFacts(const GameCatalogue& catalogue,
                                        const SettingsState& settings,
                                        const PersonalFacts& personal, const FactsStop& stop) {
    std::vector<GameFacts> facts(catalogue.size());
    platform::FileIndex index;
    const auto found = [&](std::string_view name, const std::vector<std::string>& paths) {
        return !trimBlanks(name).empty() && locateFile(name, paths, index).found;
    };
    for (std::size_t i = 0; i < catalogue.size(); ++i) {
        if (stop && i % 256 == 0 && stop())
            return {};
        const GameRecord& game = catalogue[i];
        GameFacts& known = facts[i];
        known.romFound = found(game.romFile, settings.romPaths);
        known.musicFound = found(game.musicFile, settings.musicPaths);
        for (std::string_view part : splitList(game.screenshots)) {
            if (found(part, settings.screenshotPaths)) {
                known.screenshotFound = true;
                break;
            }
        }
    }
    fillPersonalFacts(facts, personal);
    return facts;
}

void fillPersonalFacts(std::vector<GameFacts>& facts, const PersonalFacts& personal) {
    for (std::size_t i = 0; i < facts.size(); ++i) {
        facts[i].favourite = false;
        facts[i].lastPlayed = 0;
        if (personal)
            personal(i, facts[i]);
    }
}

} // namespace tolm
