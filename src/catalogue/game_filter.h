#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/game_record.h"

namespace tolm {

// `text` (UTF-8) lower-cased with accents taken off, for matching as a
// reader would: "Café" and "CAFE" both give "cafe", "Straße" gives
// "strasse". Letters outside the Latin ones are kept as they are.
std::string foldForSearch(std::string_view text);

// The words of a typed filter, folded; blanks separate them.
std::vector<std::string> filterWords(std::string_view typed);

// The searchable text of every game, folded once per list refresh so each
// keystroke only scans. A game matches when every word is contained in its
// name, publisher, authors or year (each word within one of them).
class GameFilterIndex {
public:
    void rebuild(const GameCatalogue& catalogue);

    // True when catalogue entry `game` contains every word. Positions
    // beyond the catalogue given to rebuild() never match.
    bool matches(std::size_t game, const std::vector<std::string>& words) const;

    // matches() for every game at once, into `shown` (1 or 0 per game): the
    // first word is searched through all texts in one pass, the others only
    // in the games it found.
    void matchAll(const std::vector<std::string>& words, std::vector<char>& shown) const;

    std::size_t size() const { return starts_.empty() ? 0 : starts_.size() - 1; }

private:
    std::string_view textOf(std::size_t game) const;

    // Every game's fields, joined by a byte no word holds, one after another;
    // game i's text runs from starts_[i] to starts_[i + 1] - 1 (a separator).
    std::string texts_;
    std::vector<std::size_t> starts_;
};

} // namespace tolm
