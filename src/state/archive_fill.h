#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/game_record.h"
#include "screens/archive_info.h"

namespace tolm {

namespace screens {
class GameFileScreenReader;
}

// After an add of files, each new game's tape is read for its archive info
// while the user goes on; the info then fills the game's Year, Publisher and
// Authors. An add of files sets a year and a publisher only from the file's
// name, so the tape's own words replace them; the name stays as the add made
// it, and authors the add left are kept.

// A game an add brought in, as the add left it.
struct AddedGame {
    std::int32_t position = 0;
    GameRecord asAdded;
};

// The games at `first` onwards that name a ROM file to read.
std::vector<AddedGame> gamesAddedFrom(const GameCatalogue& catalogue, std::size_t first);

// `game` with what `info` states: its year and publisher over the game's,
// its authors where the game has none. The title is not used.
GameRecord filledFromArchive(const GameRecord& game, const screens::ArchiveInfo& info);

// The archive info of each game's ROM file, looked up over `romPaths`, in
// the order of `games`; nothing for a file not found or not read. Stops
// early (the rest given nothing) once `stop` says so.
std::vector<std::optional<screens::ArchiveInfo>>
readArchiveInfos(const std::vector<AddedGame>& games, const std::vector<std::string>& romPaths,
                 screens::GameFileScreenReader& reader, const std::function<bool()>& stop);

// Writes the infos (one per game of `games`) into `catalogue`, only into
// records that still hold exactly what the add left: a game the user edited,
// removed or that moved meanwhile is left alone. The positions changed.
std::vector<std::int32_t>
applyArchiveInfos(GameCatalogue& catalogue, const std::vector<AddedGame>& games,
                  const std::vector<std::optional<screens::ArchiveInfo>>& infos);

} // namespace tolm
