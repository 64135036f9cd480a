#include <gtest/gtest.h>

#include "catalogue/game_filter.h"

namespace tolm {
namespace {

TEST(GameFilter, FoldsCaseAndAccents) {
    const std::pair<const char*, const char*> cases[] = {
        {"Caf\xC3\xA9", "cafe"},
        {"CAF\xC3\x89", "cafe"},
        {"Stra\xC3\x9F"
         "e",
         "strasse"},
        {"\xC3\x86ther \xC5\x92uvre", "aether oeuvre"},
        {"\xC5\xA0p\xC3\xADon \xC5\xBD\xC3\xA1k", "spion zak"},
        {"\xC3\x98resund \xC3\x91u", "oresund nu"},
        {"\xC3\x97 \xE2\x82\xAC 3D", "\xC3\x97 \xE2\x82\xAC 3d"}, // no letters to fold
        {"bad \xC3 byte \xFF", "bad \xC3 byte \xFF"},             // broken UTF-8 kept as is
        {"", ""},
    };
    for (const auto& [text, folded] : cases)
        EXPECT_EQ(foldForSearch(text), folded) << text;
}

TEST(GameFilter, SplitsTypedTextIntoFoldedWords) {
    EXPECT_EQ(filterWords("  Jet   SET\tWilly "),
              (std::vector<std::string>{"jet", "set", "willy"}));
    EXPECT_EQ(filterWords("a\x1F"
                          "b"),
              (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(filterWords(" \t ").empty());
}

TEST(GameFilter, EveryWordMustBeInSomeField) {
    GameCatalogue catalogue;
    catalogue.push_back({"Jet Set Willy", 1, "", 1984, "notes hold willy too", "jsw.tap",
                         "Software Projects", "Matthew Smith", ""});
    catalogue.push_back({"Caf\xC3\xA9 Racer", 2, "", 0, "", "", "Ultimate", "", ""});
    catalogue.push_back({"Skool Daze", 3, "", 1985, "", "", "Microsphere", "David S. Reidy", ""});
    catalogue.push_back({}); // a blank record
    GameFilterIndex index;
    index.rebuild(catalogue);

    struct Case {
        const char* typed;
        std::vector<bool> shown;
    };
    const Case cases[] = {
        {"", {true, true, true, true}},
        {"willy", {true, false, false, false}},
        {"WILLY smith 1984", {true, false, false, false}}, // name, authors and year together
        {"cafe", {false, true, false, false}},
        {"caf\xC3\xA9 ULTIMATE", {false, true, false, false}},
        {"198", {true, false, true, false}},
        {"0", {false, false, false, false}},     // no year is no "0"
        {"notes", {false, false, false, false}}, // notes are not searched
        {"jsw", {false, false, false, false}},   // nor the file names
        {"willysoftware", {false, false, false, false}},
        {"y s", {true, false, true, false}},
        {"daze microsphere reidy", {false, false, true, false}},
        {"tulip", {false, false, false, false}},
        {"1984caf", {false, false, false, false}}, // never across two games
    };
    for (const Case& c : cases) {
        const auto words = filterWords(c.typed);
        std::vector<char> all;
        index.matchAll(words, all);
        ASSERT_EQ(all.size(), c.shown.size());
        for (std::size_t game = 0; game < c.shown.size(); ++game) {
            EXPECT_EQ(index.matches(game, words), c.shown[game]) << c.typed << " game " << game;
            EXPECT_EQ(all[game] != 0, c.shown[game]) << c.typed << " game " << game;
        }
    }
    EXPECT_FALSE(index.matches(4, {}));
}

} // namespace
} // namespace tolm
