#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tolm {

// One catalogued game. Field order is the order of the database file.
struct GameRecord {
    std::string Name; // empty marks a blank record
    std::int32_t Genre = 0;
    std::string Screenshots; // comma-separated bare file names
    std::int32_t Year = 0;   // below 1: no year recorded
    std::string Notes;
    std::string RomFile;
    std::string Publisher;
    std::string Authors;
    std::string MusicFile;

    bool operator==(const GameRecord&) const = default;
};

// Empty while unsized; once sized it never shrinks below one record.
using GameCatalogue = std::vector<GameRecord>;

inline constexpr std::int32_t kNone = -99; // "no selection" / "no default"

bool CatalogueHasEntries(const GameCatalogue& catalogue);

// Number of comma-separated items in `list` minus one (empty items count),
// or 0 when the catalogue is unsized or the list is empty.
std::int32_t LastItemIndex(const GameCatalogue& catalogue, std::string_view list);

} // namespace tolm
