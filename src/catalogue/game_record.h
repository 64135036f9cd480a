#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/selection.h"

namespace tolm {

// One catalogued game. Field order is the order of the database file.
struct GameRecord {
    std::string name; // empty marks a blank record
    std::int32_t genre = 0;
    std::string screenshots; // comma-separated bare file names
    std::int32_t year = 0;   // below 1: no year recorded
    std::string notes;
    std::string romFile;
    std::string publisher;
    std::string authors;
    std::string musicFile;

    bool operator==(const GameRecord&) const = default;
};

// Empty while unsized; once sized it never shrinks below one record.
using GameCatalogue = std::vector<GameRecord>;

bool catalogueHasEntries(const GameCatalogue& catalogue);

// Number of comma-separated items in `list` minus one (empty items count),
// or 0 when the catalogue is unsized or the list is empty.
std::int32_t lastItemIndex(const GameCatalogue& catalogue, std::string_view list);

} // namespace tolm
