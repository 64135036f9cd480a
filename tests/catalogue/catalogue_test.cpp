#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "catalogue/catalogue_ops.h"
#include "catalogue/game_record.h"
#include "catalogue/genres.h"

using namespace tolm;

namespace {

GameCatalogue Games(std::initializer_list<const char*> names) {
    GameCatalogue catalogue;
    for (const char* name : names) {
        GameRecord record;
        record.Name = name;
        record.Publisher = std::string("pub ") + name;
        catalogue.push_back(record);
    }
    return catalogue;
}

std::vector<std::string> Names(const GameCatalogue& catalogue) {
    std::vector<std::string> names;
    for (const GameRecord& record : catalogue)
        names.push_back(record.Name);
    return names;
}

TEST(CatalogueHasEntries, SizedMeansEntriesEvenWhenBlank) {
    EXPECT_FALSE(CatalogueHasEntries({}));
    EXPECT_TRUE(CatalogueHasEntries(GameCatalogue(1)));
    EXPECT_TRUE(CatalogueHasEntries(Games({"A", "B"})));
}

struct ItemCase {
    const char* list;
    std::int32_t sized;   // catalogue holds records
    std::int32_t unsized; // catalogue is empty
};

class LastItemIndexTest : public ::testing::TestWithParam<ItemCase> {};

TEST_P(LastItemIndexTest, CountsCommaSeparatedItems) {
    const ItemCase& c = GetParam();
    EXPECT_EQ(LastItemIndex(GameCatalogue(1), c.list), c.sized) << c.list;
    EXPECT_EQ(LastItemIndex(GameCatalogue{}, c.list), c.unsized) << c.list;
}

INSTANTIATE_TEST_SUITE_P(Table, LastItemIndexTest,
                         ::testing::Values(ItemCase{"", 0, 0}, ItemCase{"a", 0, 0},
                                           ItemCase{",", 1, 0}, ItemCase{"a,b", 1, 0},
                                           ItemCase{"a,b,", 2, 0}, ItemCase{"a,b,c", 2, 0},
                                           ItemCase{",,,", 3, 0}, ItemCase{"a,,b", 2, 0}));

TEST(GenreTable, FixedOrderAndShape) {
    EXPECT_EQ(GenreTable.size(), 130u);
    const struct {
        int index;
        const char* text;
    } spots[] = {{0, "Arcade - Beat'em Up"},          {15, "Arcade - [uncategorized]"},
                 {16, "Adventure - Arcade 2D"},       {54, "Sports - Football/Soccer"},
                 {94, "Miscellaneous - Demo"},        {117, "Shoot'em Up - Centipede"},
                 {118, "Shoot'em Up - 2D-Scrolling"}, {129, "Shoot'em Up - [uncategorized]"}};
    for (const auto& spot : spots) {
        EXPECT_EQ(GenreTable[spot.index], spot.text) << spot.index;
        EXPECT_EQ(GenreText(spot.index), spot.text) << spot.index;
    }
    std::set<std::string_view> distinct(GenreTable.begin(), GenreTable.end());
    EXPECT_EQ(distinct.size(), GenreTable.size());
    for (std::string_view text : GenreTable)
        EXPECT_NE(text.find(" - "), std::string_view::npos) << text;
}

TEST(GenreText, OutsideTheTableIsEmpty) {
    for (std::int32_t genre : {-1, 130, 1000, INT32_MIN, INT32_MAX})
        EXPECT_EQ(GenreText(genre), "") << genre;
}

TEST(CoarseGenreMap, BothOldSchemesMapToTheSameIndex) {
    const struct {
        int value;
        const char* code;
        int index;
    } expected[] = {{0, "arc", 15}, {1, "adv", 29}, {2, "arc/adv", 16}, {3, "sim", 36},
                    {4, "str", 43}, {5, "spo", 71}, {6, "brd", 85},     {7, "lrn", 93},
                    {8, "dem", 94}, {9, "bld", 101}};
    ASSERT_EQ(CoarseGenreMap.size(), std::size(expected));
    for (std::size_t i = 0; i < CoarseGenreMap.size(); ++i) {
        EXPECT_EQ(CoarseGenreMap[i].version1Value, expected[i].value);
        EXPECT_EQ(CoarseGenreMap[i].sgdCode, expected[i].code);
        EXPECT_EQ(CoarseGenreMap[i].genreIndex, expected[i].index);
        EXPECT_EQ(MapVersion1Genre(expected[i].value), expected[i].index);
        EXPECT_EQ(MapSgdGenreCode(expected[i].code), expected[i].index);
    }
    for (std::int32_t other : {-1, 10, 50, 129})
        EXPECT_FALSE(MapVersion1Genre(other).has_value()) << other;
    for (const char* other : {"", "xyz", "arc/", "ar", "arcade"})
        EXPECT_FALSE(MapSgdGenreCode(other).has_value()) << other;
}

NewGame Game(const char* name) {
    NewGame game;
    game.name = name;
    game.genre = 42;
    game.year = 1984;
    game.notes = "line one\r\nline two";
    game.romFile = "game.tap";
    game.publisher = "Ultimate";
    game.authors = "The Stampers";
    return game;
}

TEST(AddGame, UnsizedCatalogueGetsOneRecord) {
    GameCatalogue catalogue;
    const AddGameResult result = AddGame(catalogue, Game("Knight Lore"));
    EXPECT_EQ(result.position, 0);
    EXPECT_FALSE(result.refusal.has_value());
    ASSERT_EQ(catalogue.size(), 1u);
    const GameRecord& r = catalogue[0];
    EXPECT_EQ(r.Name, "Knight Lore");
    EXPECT_EQ(r.Genre, 42);
    EXPECT_EQ(r.Year, 1984);
    EXPECT_EQ(r.Notes, "line one\r\nline two");
    EXPECT_EQ(r.RomFile, "game.tap");
    EXPECT_EQ(r.Publisher, "Ultimate");
    EXPECT_EQ(r.Authors, "The Stampers");
    EXPECT_EQ(r.Screenshots, "");
    EXPECT_EQ(r.MusicFile, "");
}

TEST(AddGame, AppendsAfterAFilledLastRecord) {
    GameCatalogue catalogue = Games({"A", "", "B"}); // a blank in the middle is not reused
    const AddGameResult result = AddGame(catalogue, Game("C"));
    EXPECT_EQ(result.position, 3);
    EXPECT_EQ(Names(catalogue), (std::vector<std::string>{"A", "", "B", "C"}));
}

TEST(AddGame, ReusesTheBlankLastRecord) {
    GameCatalogue catalogue(1); // the emptied catalogue
    EXPECT_EQ(AddGame(catalogue, Game("A")).position, 0);
    EXPECT_EQ(AddGame(catalogue, Game("B")).position, 1);
    EXPECT_EQ(Names(catalogue), (std::vector<std::string>{"A", "B"}));
}

TEST(AddGame, BlankNameIsRefused) {
    for (GameCatalogue catalogue : {GameCatalogue{}, GameCatalogue(1), Games({"A"})}) {
        const GameCatalogue before = catalogue;
        const AddGameResult result = AddGame(catalogue, Game(""));
        EXPECT_EQ(result.position, -1);
        ASSERT_TRUE(result.refusal.has_value());
        EXPECT_EQ(*result.refusal,
                  (UserMessage{"Unable to add", "Gamename is blank", UserMessage::Icon::Critical,
                               UserMessage::Buttons::Ok}));
        EXPECT_EQ(catalogue, before);
    }
}

struct QuestionCase {
    std::size_t catalogueSize;
    std::size_t count;
    const char* text;
};

class RemovalQuestionTest : public ::testing::TestWithParam<QuestionCase> {};

TEST_P(RemovalQuestionTest, Text) {
    const QuestionCase& c = GetParam();
    const UserMessage question = RemovalQuestion(GameCatalogue(c.catalogueSize), c.count);
    EXPECT_EQ(question, (UserMessage{"Game Removal", c.text, UserMessage::Icon::None,
                                     UserMessage::Buttons::YesNo}));
}

// The one-game text is chosen before the all-games text.
INSTANTIATE_TEST_SUITE_P(
    Table, RemovalQuestionTest,
    ::testing::Values(QuestionCase{1, 1, "Are you sure you want to remove 1 game?"},
                      QuestionCase{5, 1, "Are you sure you want to remove 1 game?"},
                      QuestionCase{3, 3, "Are you sure you want to remove all games?"},
                      QuestionCase{2, 2, "Are you sure you want to remove all games?"},
                      QuestionCase{4, 2, "Are you sure you want to remove 2 games?"},
                      QuestionCase{100, 12, "Are you sure you want to remove 12 games?"}));

struct RemoveCase {
    const char* label;
    std::vector<const char*> before;
    std::vector<std::int32_t> positions;
    std::vector<std::string> after;
};

class RemovePositionsTest : public ::testing::TestWithParam<RemoveCase> {};

TEST_P(RemovePositionsTest, Leaves) {
    const RemoveCase& c = GetParam();
    GameCatalogue catalogue;
    for (const char* name : c.before) {
        catalogue.emplace_back();
        catalogue.back().Name = name;
        catalogue.back().Year = 1980 + static_cast<int>(catalogue.size());
    }
    const GameCatalogue original = catalogue;
    RemovePositions(catalogue, c.positions);
    EXPECT_EQ(Names(catalogue), c.after);
    if (c.after == std::vector<std::string>{""}) {
        EXPECT_EQ(catalogue[0], GameRecord{}) << "the emptied catalogue holds one blank record";
    } else {
        // Survivors keep every field, not just the name.
        for (const GameRecord& survivor : catalogue) {
            bool found = false;
            for (const GameRecord& o : original)
                found = found || o == survivor;
            EXPECT_TRUE(found) << survivor.Name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, RemovePositionsTest,
    ::testing::Values(RemoveCase{"two_of_four", {"A", "B", "C", "D"}, {0, 2}, {"B", "D"}},
                      RemoveCase{"order_does_not_matter", {"A", "B", "C", "D"}, {2, 0}, {"B", "D"}},
                      RemoveCase{"last", {"A", "B", "C"}, {2}, {"A", "B"}},
                      RemoveCase{"all", {"A", "B", "C", "D"}, {3, 1, 0, 2}, {""}},
                      RemoveCase{"only_game", {"A"}, {0}, {""}},
                      RemoveCase{"nothing", {"A", "B"}, {}, {"A", "B"}},
                      RemoveCase{"outside_ignored", {"A", "B", "C"}, {7, -1, 1}, {"A", "C"}},
                      RemoveCase{"repeat_ignored", {"A", "B", "C", "D"}, {1, 1}, {"A", "C", "D"}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(ParsePositions, DecimalItemsInOrder) {
    EXPECT_EQ(ParsePositions("5,2,9"), (std::vector<std::int32_t>{5, 2, 9}));
    EXPECT_EQ(ParsePositions("0"), (std::vector<std::int32_t>{0}));
    EXPECT_EQ(ParsePositions("12,100000"), (std::vector<std::int32_t>{12, 100000}));
    EXPECT_TRUE(ParsePositions("").empty());
}

TEST(ItemKey, RoundTripsPositions) {
    for (std::int32_t position : {0, 1, 17, 999999, INT32_MAX}) {
        const std::string key = ItemKey(position);
        EXPECT_EQ(key, "game" + std::to_string(position));
        EXPECT_EQ(PositionFromKey(key), position) << key;
    }
    for (const char* notAKey : {"", "game", "gam17", "xgame17", "game-1", "gamex", "game1a"})
        EXPECT_EQ(PositionFromKey(notAKey), -1) << notAKey;
}

} // namespace
