#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "catalogue/game_filter.h"
#include "settings/settings.h"

namespace tolm {

// Fills in what Tolm keeps about a game's play (favourite, last played) for
// the game at catalogue position `position`; facts not filled in say "not a
// favourite, never played".
using PersonalFacts = std::function<void(std::size_t position, GameFacts& facts)>;

// Whether to stop; asked between games.
using FactsStop = std::function<bool()>;

// Every game's facts, by catalogue position: its files looked up as Check
// Files does (each directory read once for the whole pass), then `personal`
// asked per game. Empty when stopped.
std::vector<GameFacts> computeGameFacts(const GameCatalogue& catalogue,
                                        const SettingsState& settings,
                                        const PersonalFacts& personal = {},
                                        const FactsStop& stop = {});

// Asks `personal` for every game of `facts` again (after a favourite or a
// session changed), leaving the files' facts as they are.
void fillPersonalFacts(std::vector<GameFacts>& facts, const PersonalFacts& personal);

} // namespace tolm
