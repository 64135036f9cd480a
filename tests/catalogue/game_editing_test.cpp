#include "catalogue/game_editing.h"

#include <gtest/gtest.h>

using namespace tolm;

TEST(GameEditing, NamesFromFileNames) {
    // The batch name runs up to the first ".", the proposed one up to the last.
    EXPECT_EQ(batchGameName("Jet.Set.Willy.tap"), "Jet");
    EXPECT_EQ(proposedGameName("Jet.Set.Willy.tap"), "Jet.Set.Willy");
    EXPECT_EQ(proposedGameName("README"), "README");
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
