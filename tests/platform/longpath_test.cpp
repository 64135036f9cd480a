#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/longpath.h"
#include "platform/mounts.h"
#include "platform/paths.h"
#include "support/temp_dir.h"

using namespace tolm::platform;
using tolm::test::TempDir;

namespace {

// Letter case is resolved here on POSIX only: Windows matches names ignoring
// case by itself and expands short names instead.
#ifndef _WIN32
TEST(longPathOf, TakesTheSpellingOnDisk) {
    TempDir tree;
    for (const char* file : {"Sgd/Games/jsw.tap", "Sgd/Games/Manic Miner.tap", "Sgd/Both/x.tap",
                             "Sgd/Both/X.tap", "Sgd/Both/Y.tap", "Sgd/Both/y.TAP"})
        tree.write(file);
    const std::string root = tree.path();
    // clang-format off
    const struct { std::string asked; std::string found; } cases[] = {
        {"/SGD/GAMES/JSW.TAP", "/Sgd/Games/jsw.tap"},
        {"/sgd/games/manic miner.TAP", "/Sgd/Games/Manic Miner.tap"},
        {"/SGD/GAMES", "/Sgd/Games"}, {"/SGD/GAMES/", "/Sgd/Games/"},
        {"/SGD//GAMES/JSW.TAP", "/Sgd//Games/jsw.tap"},
        {"/SGD/GAMES/../games/JSW.TAP", "/Sgd/Games/../Games/jsw.tap"},
        {"/Sgd/Both/x.tap", "/Sgd/Both/x.tap"}, {"/SGD/BOTH/X.tap", "/Sgd/Both/X.tap"}, // exact wins
        {"/Sgd/Both/X.TAP", "/Sgd/Both/X.TAP"}, // two names differ only in case: unchanged
        {"/SGD/GAMES/JSW~1.TAP", "/SGD/GAMES/JSW~1.TAP"}, // a missing component: unchanged
        {"/SGD/NONE/JSW.TAP", "/SGD/NONE/JSW.TAP"},
        {"/SGD/GAMES/JSW.TAP/X", "/SGD/GAMES/JSW.TAP/X"}, // a file is no directory
        {"/C:\\SGD\\GAMES\\JSW.TAP", "/C:\\SGD\\GAMES\\JSW.TAP"}};
    // clang-format on
    for (const auto& [asked, found] : cases)
        EXPECT_EQ(longPathOf(root + asked), root + found) << asked;
    for (const char* unchanged : {"", "C:\\SGD\\GAMES\\JSW.TAP", "/no/such/place"})
        EXPECT_EQ(longPathOf(unchanged), unchanged);

    // The resolver keeps the listings it made: a file made since is seen only by a new one.
    FileSystemLongPaths longPaths;
    const std::string games = joinPath(root, "SGD/GAMES");
    EXPECT_EQ(longPaths.longPathOf(joinPath(games, "JSW.TAP")), tree.sub("Sgd/Games/jsw.tap"));
    tree.write("Sgd/Games/two.tap");
    EXPECT_EQ(longPaths.longPathOf(joinPath(games, "TWO.TAP")), joinPath(games, "TWO.TAP"));
    EXPECT_EQ(FileSystemLongPaths().longPathOf(joinPath(games, "TWO.TAP")),
              tree.sub("Sgd/Games/two.tap"));
}
#endif

TEST(ListingLongPaths, AsksForEachDirectoryOnceAndResolvesRelativePaths) {
    const std::map<std::string, std::vector<std::string>> tree = {
        {"/", {"sgd", "Other"}},
        {"/sgd", {"Games", "games.txt"}},
        {"/sgd/Games", {"jsw.tap", "Manic.tap"}},
        {".", {"Here.tap"}}};
    std::map<std::string, int> asked;
    ListingLongPaths longPaths([&](const std::string& directory) {
        ++asked[directory];
        const auto at = tree.find(directory);
        return at == tree.end() ? std::nullopt
                                : std::optional<std::vector<std::string>>(at->second);
    });
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(longPaths.longPathOf("/SGD/GAMES/JSW.TAP"), "/sgd/Games/jsw.tap");
        EXPECT_EQ(longPaths.longPathOf("/SGD/GAMES/manic.TAP"), "/sgd/Games/Manic.tap");
        EXPECT_EQ(longPaths.longPathOf("/SGD/NOWHERE/X.TAP"), "/SGD/NOWHERE/X.TAP");
        EXPECT_EQ(longPaths.longPathOf("HERE.TAP"), "Here.tap");
        EXPECT_EQ(longPaths.longPathOf("/other"), "/Other");
    }
    // A directory that misses is never listed itself.
    EXPECT_EQ(asked,
              (std::map<std::string, int>{{"/", 1}, {"/sgd", 1}, {"/sgd/Games", 1}, {".", 1}}));
}

TEST(isAbsolutePath, DriveOrRoot) {
    // clang-format off
#ifdef _WIN32
    const std::pair<const char*, bool> cases[] = {{"C:\\x", true}, {"c:/x", true},
        {"\\\\server\\share", true}, {"//server/share", true}, {"", false}, {"x", false},
        {"C:x", false}, {"\\x", false}, {"/x", false}, {"1:\\x", false}};
#else
    const std::pair<const char*, bool> cases[] = {{"/", true}, {"/x", true}, {"//x", true},
        {"", false}, {"x", false}, {"./x", false}, {"C:\\x", false}, {"~/x", false}};
#endif
    // clang-format on
    for (const auto& [path, absolute] : cases)
        EXPECT_EQ(isAbsolutePath(path), absolute) << path;
}

} // namespace
