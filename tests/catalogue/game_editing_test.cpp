#include "catalogue/game_editing.h"

#include <gtest/gtest.h>

using namespace tolm;

// A TOSEC name gives name, year and publisher by either rule; any other name
// is cut at the first or last "." once a compression extension is off.
TEST(GameEditing, NamesFromFileNames) {
    using enum NameRule;
    // clang-format off
    const struct { const char* file; NameRule rule; GameFromFile game; } cases[] = {
        {"Jet.Set.Willy.tap", UpToFirstDot, {"Jet", 0, ""}},
        {"Jet.Set.Willy.tap", UpToLastDot, {"Jet.Set.Willy", 0, ""}},
        {"README", UpToLastDot, {"README", 0, ""}},
        {"Manic Miner.tzx.zip", UpToFirstDot, {"Manic Miner", 0, ""}},
        {"Manic Miner.tzx.zip", UpToLastDot, {"Manic Miner", 0, ""}},
        {"Tau.Ceti.z80.bz2", UpToLastDot, {"Tau.Ceti", 0, ""}},
        {"Chase H.Q. (1989)(Ocean Software)[128K].tap", UpToFirstDot,
         {"Chase H.Q. [128K]", 1989, "Ocean Software"}},
        {"Manic Miner (1983)(Bug-Byte Software)[a].tzx.zip", UpToLastDot,
         {"Manic Miner [a]", 1983, "Bug-Byte Software"}},
        {"Dizzy (198x)(-).tap", UpToFirstDot, {"Dizzy", 0, ""}},
        {"Chase H.Q. (1989).tap", UpToFirstDot, {"Chase H", 0, ""}}, // no publisher: not TOSEC
    };
    // clang-format on
    for (const auto& c : cases) {
        const GameFromFile game = gameFromFileName(c.file, c.rule);
        EXPECT_EQ(game.name + "|" + std::to_string(game.year) + "|" + game.publisher,
                  c.game.name + "|" + std::to_string(c.game.year) + "|" + c.game.publisher)
            << c.file;
    }
}

// Parts are joined with "," whenever the list is not empty, so two names
// never run together; removing keeps every other part exactly, empty ones
// included.
TEST(GameEditing, AppendingAndRemovingScreenshots) {
    EXPECT_EQ(appendScreenshot("p1.gif,", "p3.gif"), "p1.gif,,p3.gif");
    // clang-format off
    const struct { const char* list; std::size_t index; const char* expected; } removals[] = {
        {"ab,cd,ef", 1, "ab,ef"}, {"a,,b", 2, "a,"}, {",a", 1, ""}, {"a,b", 5, "a,b"}};
    // clang-format on
    for (const auto& c : removals)
        EXPECT_EQ(removeScreenshot(c.list, c.index), c.expected) << c.list << " - " << c.index;
}
