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
