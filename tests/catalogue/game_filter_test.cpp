#include <gtest/gtest.h>

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
    const GameCatalogue catalogue = {{"Jet Set Willy", 1, "", 1984, "notes hold willy too",
                                      "jsw.tap", "Software Projects", "Matthew Smith", ""},
                                     {"Caf\xC3\xA9 Racer", 2, "", 0, "", "", "Ultimate", "", ""}};
    GameFilterIndex index;
    index.rebuild(catalogue);
    // clang-format off
    const std::pair<const char*, const char*> cases[] = { // typed, which games show
        {"WILLY smith 1984", "10"}, {"0", "00"}, {"notes", "00"}, {"jsw", "00"}, // no year, notes nor file names
        {"1984caf", "00"}};                                                     // never across two games
    // clang-format on
    for (const auto& [typed, shown] : cases) {
        const auto words = filterWords(typed);
        std::vector<char> all;
        index.matchAll(words, all);
        for (std::size_t game = 0; game < 2; ++game) {
            EXPECT_EQ(index.matches(game, words), shown[game] == '1') << typed << " game " << game;
            EXPECT_EQ(all.at(game) != 0, shown[game] == '1') << typed << " game " << game;
        }
    }
}

} // namespace
} // namespace tolm
