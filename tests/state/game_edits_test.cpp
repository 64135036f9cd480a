// Applying edits and adding a directory's games are driven through the
// properties dialog's and the wizard's own tests; here are the rules those
// do not reach.

#include "state/game_edits.h"

#include <gtest/gtest.h>

#include "platform/files.h"

using namespace tolm;

namespace {

TEST(GameEdits, EditsOutsideTheCatalogueAndNamelessFilesChangeNothing) {
    AppState state;
    state.catalogue = {GameRecord{"Old", 7, "a.gif", 1983, "", "old.tap", "", "", "old.ay"}};
    const GameCatalogue before = state.catalogue;
    GameEdits edits;
    edits.name = "X";
    applyGameEdits(state, 1, edits); // one past the end
    EXPECT_EQ(state.catalogue, before);

    const std::string directory = std::string(1, platform::kPathSeparator) + "roms";
    const BatchAddResult result = addGamesFromDirectory(state, directory, {".hidden", "A.tap"});
    EXPECT_EQ(result.added, 1u);
    ASSERT_EQ(result.refusals.size(), 1u);
    EXPECT_EQ(result.refusals[0].text, "Gamename is blank");
}

// The wizard's games: a TOSEC name gives name, year and publisher; any other
// name is cut at its first "." once a compression extension is off.
TEST(GameEdits, BatchAddNamesGamesFromTheirFiles) {
    // clang-format off
    const struct { const char* file; GameRecord game; } cases[] = {
        {"Jet.Set.Willy.tap", {"Jet", 96, "", 0, "", "Jet.Set.Willy.tap", "", "", ""}},
        {"Manic Miner.tzx.zip", {"Manic Miner", 96, "", 0, "", "Manic Miner.tzx.zip", "", "", ""}},
        {"Rambo (1985)(Ocean)[cr][t].z80.gz",
         {"Rambo [cr][t]", 96, "", 1985, "", "Rambo (1985)(Ocean)[cr][t].z80.gz", "Ocean", "", ""}},
        {"Hobbit, The v1.2 (1982)(Melbourne House).tap",
         {"Hobbit, The v1.2", 96, "", 1982, "", "Hobbit, The v1.2 (1982)(Melbourne House).tap",
          "Melbourne House", "", ""}},
        {"ZEXALL (199x)(Woodmass, Frank).tap",
         {"ZEXALL", 96, "", 0, "", "ZEXALL (199x)(Woodmass, Frank).tap", "Woodmass, Frank", "", ""}},
    };
    // clang-format on
    AppState state;
    std::vector<std::string> files;
    GameCatalogue expected;
    for (const auto& c : cases) {
        files.emplace_back(c.file);
        expected.push_back(c.game);
    }
    const std::string directory = std::string(1, platform::kPathSeparator) + "roms";
    EXPECT_EQ(addGamesFromDirectory(state, directory, files).added, files.size());
    ASSERT_EQ(state.catalogue.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(state.catalogue[i], expected[i]) << files[i];
}

// Text edited in a box comes back with LF breaks: unchanged text keeps its
// bytes, edited text the stored breaks, new text CR LF.
TEST(GameEdits, MultiLineTextKeepsItsBreaks) {
    // clang-format off
    const struct { const char *edited, *stored, *expected; } texts[] = {
        {"a\nb", "a\rb", "a\rb"}, {"a\nb\nc", "a\nb", "a\nb\nc"}, {"x\ny", "", "x\r\ny"}};
    // clang-format on
    for (const auto& c : texts)
        EXPECT_EQ(storedMultiLineText(c.edited, c.stored), c.expected) << c.edited;
    EXPECT_FALSE(isStorableName("Gry/\xC5\x81\xC3\xB3\x64\xC5\xBA.tap")); // Polish
}

} // namespace
