#pragma once

#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/game_record.h"
#include "catalogue/genres.h"

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

// What a filter term may ask beyond the record: whether the game's files
// are found over the search paths, and what Tolm keeps about its play.
struct GameFacts {
    bool romFound = false;        // a ROM file is named and found
    bool screenshotFound = false; // at least one of its screenshots is found
    bool musicFound = false;      // a music file is named and found
    bool favourite = false;
    std::int64_t lastPlayed = 0; // seconds since the epoch; 0: never played

    bool operator==(const GameFacts&) const = default;
};

// One `key:value` of a typed filter, read.
struct FilterTerm {
    enum class Key { Genre, Year, Publisher, Rom, Shots, Music, Favourite, Played };
    Key key = Key::Genre;
    std::bitset<kGenreCount> genres;       // Genre: the genres it takes
    std::int32_t yearFrom = 0, yearTo = 0; // Year: inclusive; 0-0 is "unknown"
    std::string publisher;                 // Publisher: the whole text, folded
    bool yes = true;                       // Rom, Shots, Music, Favourite; Played: false = never
    std::int64_t days = 0;                 // Played within so many days

    bool operator==(const FilterTerm&) const = default;
};

// A typed filter: plain words (as filterWords gives them) and terms, all of
// which must hold. A known key whose value cannot be read leaves `error`
// saying why; such a filter shows nothing rather than less than was typed.
struct GameFilter {
    std::vector<std::string> words;
    std::vector<FilterTerm> terms;
    std::string error;

    bool empty() const { return words.empty() && terms.empty() && error.empty(); }
    bool operator==(const GameFilter&) const = default;
};

GameFilter parseFilter(std::string_view typed);

// The text of a term for `key` and `value`, the value quoted when it holds a
// blank or a quote (a quote inside is doubled), so parseFilter reads it back.
std::string filterTerm(std::string_view key, std::string_view value);

// The group a genre text names before " - " ("Arcade"); empty outside the table.
std::string_view genreGroup(std::int32_t genre);

// Whether `term` holds for `game` with `facts`, `now` in seconds since the epoch.
bool termHolds(const FilterTerm& term, const GameRecord& game, const GameFacts& facts,
               std::int64_t now);

// Clears shown[g] for each game some term does not hold for; games beyond
// `facts` have nothing found and were never played.
void applyTerms(const std::vector<FilterTerm>& terms, const GameCatalogue& catalogue,
                const std::vector<GameFacts>& facts, std::int64_t now, std::vector<char>& shown);

} // namespace tolm
