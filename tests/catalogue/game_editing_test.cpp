#include "catalogue/game_editing.h"

#include <gtest/gtest.h>

using namespace tolm;

TEST(GameEditing, NamesFromFileNames) {
    // The batch name runs up to the first ".", the proposed one up to the last.
    // clang-format off
    const struct { const char *file, *batch, *proposed; } cases[] = {
        {"Jet.Set.Willy.tap", "Jet", "Jet.Set.Willy"},
        {"README", "README", "README"}, {".tap", "", ""}}; // no "." keeps the whole name
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(batchGameName(c.file), c.batch) << c.file;
        EXPECT_EQ(proposedGameName(c.file), c.proposed) << c.file;
    }
}

// Parts are joined with "," whenever the list is not empty, so two names
// never run together; removing keeps every other part exactly, empty ones
// included.
TEST(GameEditing, AppendingAndRemovingScreenshots) {
    // clang-format off
    const struct { const char *list, *name, *expected; } appends[] = {
        {"", "shot01.gif", "shot01.gif"}, {"p1.gif,", "p3.gif", "p1.gif,,p3.gif"},
        {"p1.gif", "p1.gif", "p1.gif,p1.gif"}}; // the same file twice is allowed
    const struct { const char* list; std::size_t index; const char* expected; } removals[] = {
        {"ab,cd,ef", 1, "ab,ef"}, {"only.gif", 0, ""}, {"a,,b", 2, "a,"}, {",a", 1, ""},
        {"a,b", 5, "a,b"}}; // out of range: unchanged
    // clang-format on
    for (const auto& c : appends)
        EXPECT_EQ(appendScreenshot(c.list, c.name), c.expected) << c.list << " + " << c.name;
    for (const auto& c : removals)
        EXPECT_EQ(removeScreenshot(c.list, c.index), c.expected) << c.list << " - " << c.index;
    EXPECT_EQ(screenshotParts("a,,b").size(), 3u);
}
