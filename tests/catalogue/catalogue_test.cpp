#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "catalogue/catalogue_ops.h"
#include "core/text.h"

// Records and messages are written with only the fields a case cares about.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

using namespace tolm;

namespace {

TEST(leadingNumber, ReadsTheLeadingDecimalNumber) {
    // clang-format off
    const std::pair<std::string, std::int32_t> cases[] = {
        {"0x1A", 0}, {"+-5", 0}, {"- 5", -5}, // blanks skipped, even after the sign
        {"2.5", 2}, {"-3.5", -4}, {"7." + std::string(300, '0') + "1", 7}, // nearest, ties to even
        {"4294967297", INT_MAX}, {"-2147483649", INT_MIN}};                // saturated, never wrapped
    // clang-format on
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(leadingNumber(text), expected) << ::testing::PrintToString(text);
}

// The screenshot lists: empty parts kept, the empty list has none.
TEST(splitList, KeepsEmptyPartsButTheEmptyListHasNone) {
    using Parts = std::vector<std::string_view>;
    const std::pair<std::string_view, Parts> cases[] = {
        {"", {}}, {"a", {"a"}}, {"a,,b", {"a", "", "b"}}, {",", {"", ""}}, {"a,", {"a", ""}}};
    for (const auto& [text, parts] : cases)
        EXPECT_EQ(splitList(text), parts) << text;
}

// ASCII letters fold, other bytes order unsigned (UTF-8 after ASCII), a prefix first.
TEST(compareIgnoringCase, OrdersAsTheLoweredBytes) {
    const std::tuple<std::string_view, std::string_view, int> cases[] = {
        {"Manic", "mANIC", 0}, {"Zeta", "alpha", 1}, {"[x", "Ax", -1},
        {"\xC3\xA9", "z", 1},  {"ab", "ABC", -1},    {"", "", 0}};
    for (const auto& [a, b, order] : cases) {
        EXPECT_EQ(compareIgnoringCase(a, b), order) << a << " " << b;
        EXPECT_EQ(compareIgnoringCase(b, a), -order) << b << " " << a;
        EXPECT_EQ(equalsIgnoringCase(a, b), order == 0) << a << " " << b;
    }
}

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

TEST(removePositions, ClosesUpOrLeavesOneBlankRecord) {
    // clang-format off
    const struct { std::vector<std::int32_t> positions; GameCatalogue after; } cases[] = {
        {{3, 1, 0, 2}, GameCatalogue(1)}, {{7, -1, 1}, makeGames("ACD")},
        {{1, 1, 1, 1}, makeGames("ACD")}}; // repeated positions do not make up "all"
    // clang-format on
    for (const auto& [positions, after] : cases) {
        GameCatalogue catalogue = makeGames("ABCD");
        removePositions(catalogue, positions);
        EXPECT_EQ(catalogue, after) << ::testing::PrintToString(positions);
    }
    // One of one is "1 game", not "all games".
    EXPECT_EQ(removalQuestion(GameCatalogue(1), 1).text, "Are you sure you want to remove 1 game?");
}

// Equal catalogues agree; a change to any one field, or text moved from one
// field to the next, or a record more, shows.
TEST(catalogueFingerprint, ChangesWithAnyField) {
    const GameCatalogue base = makeGames("ABC");
    EXPECT_EQ(catalogueFingerprint(base), catalogueFingerprint(makeGames("ABC")));
    // clang-format off
    const std::function<void(GameCatalogue&)> changes[] = {
        [](auto& c) { c[1].year = 1984; }, [](auto& c) { c[2].musicFile = "m.ay"; },
        [](auto& c) { c[0].name = ""; c[0].publisher = "AAAA"; }}; // "A" moved into the next text
    // clang-format on
    for (std::size_t i = 0; i < std::size(changes); ++i) {
        GameCatalogue changed = base;
        changes[i](changed);
        EXPECT_NE(catalogueFingerprint(changed), catalogueFingerprint(base)) << i;
    }
    EXPECT_NE(catalogueFingerprint(GameCatalogue(1)), catalogueFingerprint(GameCatalogue()));
}

} // namespace
