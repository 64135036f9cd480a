#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/catalogue_ops.h"

// Records and messages are written with only the fields a case cares about.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

using namespace tolm;

namespace {

// Records named by letters, with a second field to show survivors move whole.
GameCatalogue makeGames(std::string names) {
    GameCatalogue catalogue;
    for (char name : names)
        catalogue.push_back({.name = std::string(1, name), .publisher = std::string(3, name)});
    return catalogue;
}

TEST(addGame, FillsTheBlankLastRecordOrAppends) {
    const NewGame game{"Knight Lore", 42, 1984, "a\r\nb", "k.tap", "Ultimate", "Stampers"};
    const GameRecord added{"Knight Lore", 42, "", 1984, "a\r\nb", "k.tap", "Ultimate", "Stampers"};
    const GameRecord a = makeGames("A")[0], b = makeGames("B")[0];
    GameCatalogue emptied(1), withBlank = {a, {}, b};
    EXPECT_EQ(addGame(emptied, game).position, 0);
    EXPECT_EQ(emptied, GameCatalogue{added});
    EXPECT_EQ(addGame(withBlank, game).position, 3); // a blank record inside is kept
    EXPECT_EQ(withBlank, (GameCatalogue{a, {}, b, added}));
    EXPECT_EQ(addGame(withBlank, NewGame{}).refusal,
              (UserMessage{"Unable to add", "Gamename is blank", UserMessage::Icon::Critical}));
    EXPECT_EQ(withBlank.size(), 4u);
}

} // namespace
