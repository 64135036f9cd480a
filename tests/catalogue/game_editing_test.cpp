#include "catalogue/game_editing.h"

#include <gtest/gtest.h>

using namespace tolm;

TEST(GameEditing, NamesFromFileNames) {
    const struct {
        const char* file;
        const char* batch;    // up to the first "."
        const char* proposed; // up to the last "."
    } cases[] = {
        {"Manic.z80", "Manic", "Manic"},
        {"Jet.Set.Willy.tap", "Jet", "Jet.Set.Willy"},
        {"Tau.Ceti.z80", "Tau", "Tau.Ceti"},
        {"Manic Miner.z80", "Manic Miner", "Manic Miner"},
        {"README", "README", "README"}, // no "." keeps the whole name
        {".tap", "", ""},
        {"game.", "game", "game"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(batchGameName(c.file), c.batch) << c.file;
        EXPECT_EQ(proposedGameName(c.file), c.proposed) << c.file;
    }
}

// Parts are joined with "," whenever the list is not empty, so two names
// never run together, however short the list.
TEST(GameEditing, AppendingAScreenshot) {
    const struct {
        const char* list;
        const char* name;
        const char* expected;
    } cases[] = {
        {"", "shot01.gif", "shot01.gif"},
        {"ab", "shot01.gif", "ab,shot01.gif"},
        {"a", "x.bmp", "a,x.bmp"},
        {"p1.gif,p2.gif", "p3.gif", "p1.gif,p2.gif,p3.gif"},
        {"p1.gif,", "p3.gif", "p1.gif,,p3.gif"},
        {"p1.gif", "p1.gif", "p1.gif,p1.gif"}, // the same file twice is allowed
    };
    for (const auto& c : cases)
        EXPECT_EQ(appendScreenshot(c.list, c.name), c.expected) << c.list << " + " << c.name;
}

// Removing keeps every other part exactly, empty ones included.
TEST(GameEditing, RemovingAScreenshot) {
    const struct {
        const char* list;
        std::size_t index;
        const char* expected;
    } cases[] = {
        {"p1.gif,p2.gif,p3.gif", 1, "p1.gif,p3.gif"},
        {"p1.gif,p2.gif,p3.gif", 0, "p2.gif,p3.gif"},
        {"p1.gif,p2.gif,p3.gif", 2, "p1.gif,p2.gif"},
        {"ab,cd,ef", 2, "ab,cd"},
        {"ab,cd,ef", 0, "cd,ef"},
        {"a,b,c", 1, "a,c"},
        {"only.gif", 0, ""},
        {"a,,b", 2, "a,"},
        {"a,,b", 0, ",b"},
        {",a", 1, ""},
        {"a,b", 5, "a,b"}, // out of range: unchanged
        {"", 0, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(removeScreenshot(c.list, c.index), c.expected) << c.list << " - " << c.index;
    EXPECT_TRUE(screenshotParts("").empty());
    EXPECT_EQ(screenshotParts("a,,b").size(), 3u);
}
