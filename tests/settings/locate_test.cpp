#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../platform/temp_dir.h"
#include "settings/locate.h"

using namespace tolm;
using tolm::test::TempDir;

namespace {

// a/ and b/ both hold game.tap; only b/ holds only_b.tap; the top directory
// holds "agame.tap" (what "a" + "game.tap" gives) and " spaced.tap ".
class LocateFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        tree.Write("a/game.tap", "from a");
        tree.Write("b/game.tap", "from b");
        tree.Write("b/only_b.tap");
        tree.Write("agame.tap");
        tree.Write("b/ spaced.tap ");
        tree.MakeDir("empty");
    }
    std::string Dir(const char* name) const { return tree.Sub(name) + platform::kPathSeparator; }
    TempDir tree;
};

TEST_F(LocateFileTest, FirstEntryHoldingTheFileWins) {
    struct Case {
        const char* name;
        std::vector<std::string> paths;
        std::string expected; // empty: not found
    } cases[] = {
        {"game.tap", {Dir("a"), Dir("b")}, Dir("a") + "game.tap"},
        {"game.tap", {Dir("b"), Dir("a")}, Dir("b") + "game.tap"},
        {"only_b.tap", {Dir("empty"), Dir("a"), Dir("b")}, Dir("b") + "only_b.tap"},
        {"missing.tap", {Dir("a"), Dir("b")}, ""},
        {"game.tap", {Dir("empty")}, ""},
        {"game.tap", {Dir("gone"), Dir("b")}, Dir("b") + "game.tap"},
    };
    for (const Case& c : cases) {
        const LocatedFile located = LocateFile(c.name, c.paths);
        EXPECT_EQ(located.found, !c.expected.empty()) << c.name;
        if (!c.expected.empty()) {
            EXPECT_EQ(located.path, c.expected) << c.name;
        }
    }
}

TEST_F(LocateFileTest, ListWithoutFirstEntryFindsNothing) {
    for (const std::vector<std::string>& paths :
         {std::vector<std::string>{}, std::vector<std::string>{"", Dir("a")},
          std::vector<std::string>{"", Dir("a"), Dir("b")}}) {
        const LocatedFile located = LocateFile("game.tap", paths);
        EXPECT_FALSE(located.found);
        EXPECT_TRUE(located.path.empty());
    }
}

TEST_F(LocateFileTest, EntryAndNameJoinedUnchanged) {
    // No separator is added: "<top>/a" + "game.tap" is "<top>/agame.tap".
    const LocatedFile joined = LocateFile("game.tap", {tree.Sub("a")});
    ASSERT_TRUE(joined.found);
    EXPECT_EQ(joined.path, tree.Sub("agame.tap"));

    const LocatedFile noSeparator = LocateFile("only_b.tap", {tree.Sub("b")});
    EXPECT_FALSE(noSeparator.found);

    // Blanks around the name are part of it.
    const LocatedFile spaced = LocateFile(" spaced.tap ", {Dir("a"), Dir("b")});
    ASSERT_TRUE(spaced.found);
    EXPECT_EQ(spaced.path, Dir("b") + " spaced.tap ");
    EXPECT_FALSE(LocateFile("spaced.tap", {Dir("b")}).found);
    EXPECT_FALSE(LocateFile("game.tap ", {Dir("a")}).found);
}

TEST_F(LocateFileTest, EmptyNameFindsADirectoryHoldingFiles) {
    // Callers test for an empty name first; this is why.
    const LocatedFile located = LocateFile("", {Dir("empty"), Dir("a")});
    ASSERT_TRUE(located.found);
    EXPECT_EQ(located.path, Dir("a"));
}

} // namespace
