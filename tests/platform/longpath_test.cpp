#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/longpath.h"
#include "platform/paths.h"
#include "support/temp_dir.h"

using namespace tolm::platform;
using tolm::test::TempDir;

namespace {

// Each name takes the spelling its directory's listing gives it; a name the
// listing holds in several spellings, none of them exact, leaves the path
// as it was asked, as does any component that is missing.
TEST(ListingLongPaths, TakesTheListedSpellingListingEachDirectoryOnce) {
    const std::map<std::string, std::vector<std::string>> tree = {
        {"/", {"sgd", "Other"}},
        {"/sgd", {"Games", "Both"}},
        {"/sgd/Games", {"jsw.tap"}},
        {"/sgd/Both", {"x.tap", "X.tap"}}};
    std::map<std::string, int> asked;
    ListingLongPaths longPaths([&](const std::string& directory) {
        ++asked[directory];
        const auto at = tree.find(directory);
        return at == tree.end() ? std::nullopt
                                : std::optional<std::vector<std::string>>(at->second);
    });
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {"/SGD/GAMES/JSW.TAP", "/sgd/Games/jsw.tap"}, {"/other", "/Other"},
        {"/SGD/BOTH/X.tap", "/sgd/Both/X.tap"}, {"/SGD/BOTH/X.TAP", "/SGD/BOTH/X.TAP"}, // exact wins
        {"/SGD/GAMES/JSW.TAP/X", "/SGD/GAMES/JSW.TAP/X"}}; // a file is no directory
    // clang-format on
    for (int round = 0; round < 2; ++round)
        for (const auto& [path, found] : cases)
            EXPECT_EQ(longPaths.longPathOf(path), found) << path;
    // Each directory is listed once; one that misses is never listed itself.
    EXPECT_EQ(asked.size(), 5u);
    EXPECT_EQ(asked["/sgd/Games"], 1);
    EXPECT_EQ(asked.count("/sgd/Games/jsw.tap/X"), 0u);
}

// On disk, the listing follows the path as written, doubled separators and
// ".." included. Letter case is resolved here on POSIX only: Windows matches
// names ignoring case by itself and expands short names instead.
TEST(FileSystemLongPaths, TakesTheSpellingOnDisk) {
#ifdef _WIN32
    GTEST_SKIP() << "POSIX only: Windows resolves letter case itself";
#endif
    TempDir tree;
    tree.write("Sgd/Games/jsw.tap");
    const std::string root = tree.path();
    for (const auto& [asked, found] :
         {std::pair{"/SGD//GAMES/JSW.TAP", "/Sgd//Games/jsw.tap"},
          {"/SGD/GAMES/../games/JSW.TAP", "/Sgd/Games/../Games/jsw.tap"}})
        EXPECT_EQ(longPathOf(root + asked), root + found) << asked;
}

} // namespace
