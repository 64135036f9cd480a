#include <gtest/gtest.h>

#include "catalogue/game_filter.h"

namespace tolm {
namespace {

// Folding and word splitting the window's filter tests do not reach: letters
// that fold to two, text without letters, broken UTF-8.
TEST(GameFilter, FoldsCaseAndAccentsAndSplitsWords) {
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"CAF\xC3\x89", "cafe"}, {"Stra\xC3\x9F" "e \xC3\x86ther", "strasse aether"},
        {"\xC3\x97 \xE2\x82\xAC 3D", "\xC3\x97 \xE2\x82\xAC 3d"}, // no letters to fold
        {"bad \xC3 byte \xFF", "bad \xC3 byte \xFF"}};            // broken UTF-8 kept as is
    // clang-format on
    for (const auto& [text, folded] : cases)
        EXPECT_EQ(foldForSearch(text), folded) << text;
    EXPECT_EQ(filterWords("  Jet   SET\tWilly "),
              (std::vector<std::string>{"jet", "set", "willy"}));
}

TEST(GameFilter, EveryWordMustBeInSomeField) {
    const GameCatalogue catalogue = {{"Jet Set Willy", 1, "", 1984, "notes hold willy too",
                                      "jsw.tap", "Software Projects", "Matthew Smith", ""},
                                     {"Caf\xC3\xA9 Racer", 2, "", 0, "", "", "Ultimate", "", ""},
                                     {}}; // a blank record
    GameFilterIndex index;
    index.rebuild(catalogue);
    // clang-format off
    const std::pair<const char*, const char*> cases[] = { // typed, which games show
        {"", "111"}, {"WILLY smith 1984", "100"}, {"cafe ULTIMATE", "010"},
        {"0", "000"}, {"notes", "000"}, {"jsw", "000"}, // no year, notes nor file names
        {"1984caf", "000"}};                             // never across two games
    // clang-format on
    for (const auto& [typed, shown] : cases) {
        const auto words = filterWords(typed);
        std::vector<char> all;
        index.matchAll(words, all);
        ASSERT_EQ(all.size(), 3u);
        for (std::size_t game = 0; game < 3; ++game) {
            EXPECT_EQ(index.matches(game, words), shown[game] == '1') << typed << " game " << game;
            EXPECT_EQ(all[game] != 0, shown[game] == '1') << typed << " game " << game;
        }
    }
}

} // namespace
} // namespace tolm
