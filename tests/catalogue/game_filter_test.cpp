#include <gtest/gtest.h>

#include "catalogue/game_filter.h"

namespace tolm {
namespace {

TEST(GameFilter, FoldsCaseAndAccentsAndSplitsWords) {
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"Caf\xC3\xA9", "cafe"}, {"CAF\xC3\x89", "cafe"}, {"Stra\xC3\x9F" "e", "strasse"},
        {"\xC3\x86ther \xC5\x92uvre", "aether oeuvre"}, {"\xC3\x98resund \xC3\x91u", "oresund nu"},
        {"\xC5\xA0p\xC3\xADon \xC5\xBD\xC3\xA1k", "spion zak"},
        {"\xC3\x97 \xE2\x82\xAC 3D", "\xC3\x97 \xE2\x82\xAC 3d"}, // no letters to fold
        {"bad \xC3 byte \xFF", "bad \xC3 byte \xFF"},             // broken UTF-8 kept as is
        {"", ""}};
    // clang-format on
    for (const auto& [text, folded] : cases)
        EXPECT_EQ(foldForSearch(text), folded) << text;
    using Words = std::vector<std::string>;
    EXPECT_EQ(filterWords("  Jet   SET\tWilly "), (Words{"jet", "set", "willy"}));
    EXPECT_EQ(filterWords(std::string("a\x1F") + "b"), (Words{"a", "b"}));
    EXPECT_TRUE(filterWords(" \t ").empty());
}

TEST(GameFilter, EveryWordMustBeInSomeField) {
    const GameCatalogue catalogue = {
        {"Jet Set Willy", 1, "", 1984, "notes hold willy too", "jsw.tap", "Software Projects",
         "Matthew Smith", ""},
        {"Caf\xC3\xA9 Racer", 2, "", 0, "", "", "Ultimate", "", ""},
        {"Skool Daze", 3, "", 1985, "", "", "Microsphere", "David S. Reidy", ""},
        {}}; // a blank record
    GameFilterIndex index;
    index.rebuild(catalogue);
    // clang-format off
    const std::pair<const char*, const char*> cases[] = { // typed, which games show
        {"", "1111"}, {"willy", "1000"}, {"WILLY smith 1984", "1000"}, // name, authors and year
        {"cafe", "0100"}, {"caf\xC3\xA9 ULTIMATE", "0100"}, {"198", "1010"},
        {"0", "0000"},       // no year is no "0"
        {"notes", "0000"},   // notes are not searched
        {"jsw", "0000"},     // nor the file names
        {"willysoftware", "0000"}, {"y s", "1010"}, {"daze microsphere reidy", "0010"},
        {"tulip", "0000"}, {"1984caf", "0000"}}; // never across two games
    // clang-format on
    for (const auto& [typed, shown] : cases) {
        const auto words = filterWords(typed);
        std::vector<char> all;
        index.matchAll(words, all);
        ASSERT_EQ(all.size(), 4u);
        for (std::size_t game = 0; game < 4; ++game) {
            EXPECT_EQ(index.matches(game, words), shown[game] == '1') << typed << " game " << game;
            EXPECT_EQ(all[game] != 0, shown[game] == '1') << typed << " game " << game;
        }
    }
    EXPECT_FALSE(index.matches(4, {}));
}

} // namespace
} // namespace tolm
