#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/game_record.h"
#include "core/user_message.h"

namespace tolm {

struct NewGame {
    std::string name;
    std::int32_t genre = 0;
    std::int32_t year = 0;
    std::string notes;
    std::string romFile;
    std::string publisher;
    std::string authors;
};

struct AddGameResult {
    std::int32_t position = -1;         // where the game went, -1 when refused
    std::optional<UserMessage> refusal; // "Unable to add" / "Gamename is blank"
};

// Fills the blank last record or appends one; does not touch Screenshots or
// MusicFile. The caller refreshes the list after its batch.
AddGameResult addGame(GameCatalogue& catalogue, const NewGame& game);

// The "Game Removal" question for removing `count` games.
UserMessage removalQuestion(const GameCatalogue& catalogue, std::size_t count);

// Removes the named records (they close up, keeping their order); when the
// count equals the catalogue's size the catalogue becomes one blank record.
// Positions outside the catalogue and repeats are ignored.
void removePositions(GameCatalogue& catalogue, const std::vector<std::int32_t>& positions);

// A hash of every record's every field, in order: two catalogues that differ
// anywhere almost surely differ here. Cheaper than serialising the catalogue,
// so the windows can tell whether anything changed since it was last saved.
std::uint64_t catalogueFingerprint(const GameCatalogue& catalogue);

// The list's key for a position ("game17"), kept as the row's item data.
std::string itemKey(std::int32_t position);

} // namespace tolm
