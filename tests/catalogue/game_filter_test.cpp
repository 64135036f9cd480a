#include <gtest/gtest.h>

#include <ctime>

#include "catalogue/facets.h"
#include "catalogue/game_filter.h"

namespace tolm {
namespace {

// What the window's filter tests do not reach: letters that fold to two,
// broken UTF-8, and the fields that are not searched.
TEST(GameFilter, FoldsAndMatchesEveryWordInSomeField) {
    EXPECT_EQ(foldForSearch("Stra\xC3\x9F"
                            "e \xC3\x86ther"),
              "strasse aether");
    EXPECT_EQ(foldForSearch("bad \xC3 byte \xFF"), "bad \xC3 byte \xFF"); // kept as is
    const GameCatalogue catalogue = {{"Jet Set Willy", 1, "", 1984, "notes", "jsw.tap",
                                      "Software Projects", "Matthew Smith", ""}};
    GameFilterIndex index;
    index.rebuild(catalogue);
    // No notes nor file names are searched; each word may be in another field.
    for (const auto& [typed, shown] : {std::pair{"WILLY smith 1984", true},
                                       {"notes", false},
                                       {"jsw", false},
                                       {"willy notes", false},
                                       {"willy SMITH", true}}) {
        EXPECT_EQ(index.matches(0, filterWords(typed)), shown) << typed;
        std::vector<char> all; // the list's path: every game at once
        index.matchAll(filterWords(typed), all);
        EXPECT_EQ(all, std::vector<char>{shown}) << typed;
    }
}

// Six games whose records and facts each term tells apart.
struct TermGames {
    GameCatalogue catalogue;
    std::vector<GameFacts> facts;
    std::int64_t now = 1'800'000'000;
    TermGames() {
        constexpr std::int64_t kDay = 86400;
        // genre 11: Arcade - Platformer (Single Screen); 9: Arcade - ...(Multi Screen);
        // 16: Adventure - Arcade 2D; 130: outside the table.
        catalogue = {{"Manic Miner", 11, "mm.png", 1983, "", "mm.tap", "Bug-Byte", "", ""},
                     {"Dizzy: Prince", 9, "", 1991, "", "d.tap", "Code Masters", "", "d.ay"},
                     {"Knight Lore", 16, "", 1984, "", "", "Ultimate Play the Game", "", ""},
                     {"Quoted", 130, "", 0, "", "", "Say \"Hi\" Soft", "", ""},
                     {"Caf\xC3\xA9", 11, "", 1989, "", "", "CAF\xC3\x89 SOFT", "", ""},
                     {"Sabre Wulf", 16, "", 1984, "", "s.tap", "ultimate play the game", "", ""}};
        // found: rom/shots/music, favourite, last played
        facts = {{true, true, false, true, now - 2 * kDay},
                 {true, false, true, false, now - 40 * kDay},
                 {false, false, false, true, 0},
                 {false, false, false, false, 0},
                 {false, false, false, false, now - 31 * kDay}};
        // the sixth has no facts yet: nothing found, never played
    }
    // The games `typed` shows, by their index digits ("024").
    std::string shown(const GameFilter& filter) const {
        std::vector<char> shown;
        GameFilterIndex index;
        index.rebuild(catalogue);
        index.matchAll(filter.words, shown);
        applyTerms(filter.terms, catalogue, facts, now, shown);
        std::string out;
        for (std::size_t g = 0; g < shown.size(); ++g)
            if (shown[g])
                out += static_cast<char>('0' + g);
        return out;
    }
};

// Each key with its values, ranges, groups, quoting, case, combinations;
// other colons are plain words; an unreadable value is an error, not dropped.
TEST(GameFilter, TermsSelectByRecordAndFacts) {
    const TermGames games;
    struct Case {
        const char* typed;
        const char* shown; // "" with an error
        const char* error; // part of the error, or "" for none
    };
    const Case cases[] = {
        {"genre:arcade", "014", ""}, // a whole group
        {"GENRE:\"Arcade - Platformer (Single Screen)\"", "04", ""},
        {"genre:\"arcade - platformer (single screen)\" miner", "0", ""},
        {"genre:\"Arcade - Platformer\"", "", "no genre or group"}, // no such genre
        {"genre:", "", "needs a value"},
        {"year:1984", "25", ""},
        {"year:1983-1989", "0245", ""},
        {"year:1989-1983", "", "no year"},
        {"year:unknown", "3", ""},
        {"year:84", "", ""}, // a year, if an early one
        {"year:1984x", "", "no year"},
        {"publisher:\"ultimate PLAY the game\"", "25", ""},
        {"publisher:ultimate", "", ""}, // the whole text, not a part
        {"publisher:\"caf\xC3\xA9 soft\"", "4", ""},
        {"publisher:\"Say \"\"Hi\"\" Soft\"", "3", ""},
        {"publisher:\"Bug-Byte", "", "no closing quote"},
        {"publisher:\"Bug-Byte\"x", "", "after its closing quote"},
        {"rom:found", "01", ""},
        {"rom:missing", "2345", ""},
        {"rom:yes", "", "found or missing"},
        {"shots:yes", "0", ""},
        {"shots:no", "12345", ""},
        {"music:yes", "1", ""},
        {"music:NO", "02345", ""},
        {"fav:yes", "02", ""},
        {"fav:no", "", "takes yes"},
        {"played:30d", "0", ""},
        {"played:31d", "04", ""},
        {"played:never", "235", ""},
        {"played:d", "", "number of days"},
        {"played:30", "", "number of days"},
        {"Dizzy: Prince", "1", ""}, // not a key: plain words
        {"genre:arcade year:1983-1991 rom:found", "01", ""},
        {"genre:adventure ultimate fav:yes", "2", ""},
        {"fav:yes year:1900 wulf", "", ""},
        {"knight year:nope fav:yes", "", "\"year:nope\""}, // the rest does not hide it
    };
    for (const Case& c : cases) {
        const GameFilter filter = parseFilter(c.typed);
        EXPECT_NE(filter.error.find(c.error), std::string::npos) << c.typed << ": " << filter.error;
        EXPECT_EQ(filter.error.empty(), *c.error == '\0') << c.typed << ": " << filter.error;
        if (filter.error.empty()) {
            EXPECT_EQ(games.shown(filter), c.shown) << c.typed;
        }
    }
    EXPECT_EQ(parseFilter("Dizzy:").words, (std::vector<std::string>{"dizzy:"}));
}

// Every facet item's count is the number of games its term shows, and the
// terms written for the menu read back whatever the text holds.
TEST(GameFilter, FacetCountsAreWhatTheirTermsShow) {
    const TermGames games;
    const FacetCounts counts = countFacets(games.catalogue, games.facts, games.now);
    const auto shows = [&](const std::string& term) {
        const GameFilter filter = parseFilter(term);
        EXPECT_EQ(filter.error, "") << term;
        return static_cast<std::int32_t>(games.shown(filter).size());
    };
    std::int32_t genreGames = 0;
    for (std::int32_t g = 0; g < kGenreCount; ++g) {
        genreGames += counts.genres[static_cast<std::size_t>(g)];
        if (counts.genres[static_cast<std::size_t>(g)] > 0) {
            EXPECT_EQ(shows(filterTerm("genre", genreText(g))),
                      counts.genres[static_cast<std::size_t>(g)]);
        }
    }
    EXPECT_EQ(genreGames, 5); // the one outside the table is in none
    EXPECT_EQ(shows(filterTerm("genre", genreGroup(11))), 3);
    for (const auto& [year, n] : counts.years)
        EXPECT_EQ(shows("year:" + std::to_string(year)), n);
    EXPECT_EQ(shows("year:unknown"), counts.yearUnknown);
    ASSERT_EQ(counts.publishers.size(), 5u); // the two Ultimates are one
    EXPECT_EQ(counts.publishers[0],
              (std::pair<std::string, std::int32_t>{"Ultimate Play the Game", 2}));
    for (const auto& [name, n] : counts.publishers)
        EXPECT_EQ(shows(filterTerm("publisher", name)), n) << name;
    for (const auto& [term, n] : {std::pair{"rom:found", counts.romFound},
                                  {"rom:missing", counts.romMissing},
                                  {"shots:yes", counts.shotsFound},
                                  {"shots:no", counts.shotsMissing},
                                  {"music:yes", counts.musicFound},
                                  {"fav:yes", counts.favourites},
                                  {"played:30d", counts.playedRecently},
                                  {"played:never", counts.neverPlayed}})
        EXPECT_EQ(shows(term), n) << term;
    EXPECT_EQ(filterTerm("genre", "Arcade - Tron"), "genre:\"Arcade - Tron\"");
    EXPECT_EQ(filterTerm("publisher", "Say \"Hi\""), "publisher:\"Say \"\"Hi\"\"\"");
}

} // namespace
} // namespace tolm
