#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "catalogue/game_record.h"
#include "settings/settings.h"

namespace tolm {

// Games that are one another's copies.
struct DuplicateGroup {
    enum class Kind {
        SameFile, // their ROM files hold the same bytes (a compressed one: its game file's)
        SameGame, // the same title, year and publisher, or the same name once folded
    };
    Kind kind = Kind::SameFile;
    std::vector<std::int32_t> games; // catalogue positions, ascending; two or more
};

struct DuplicatesResult {
    // The same-file groups first, then the same-game ones; each kind in the
    // order of its first game.
    std::vector<DuplicateGroup> groups;
    bool cancelled = false; // the progress callback stopped it; nothing is listed
};

// Told how much is done out of how much; returns false to stop.
using DuplicatesProgress = std::function<bool(std::size_t done, std::size_t total)>;

// Finds the groups of duplicate games. ROM files are found by the lookup
// Check Files uses; only files whose sizes meet are read. The same game is
// told by the TOSEC title (folded), year and publisher of the ROM file's
// name, whatever its flags and media; a game whose ROM file has no TOSEC name
// by its own name, folded. A same-game group that only repeats a same-file
// group is left out.
DuplicatesResult findDuplicates(const GameCatalogue& catalogue, const SettingsState& settings,
                                const DuplicatesProgress& progress = {});

// "3 groups of the same file, 5 of the same game: 17 games".
std::string duplicatesSummary(const DuplicatesResult& result);

} // namespace tolm
