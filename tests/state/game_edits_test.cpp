// Applying edits and adding a directory's games are driven through the
// properties dialog's and the wizard's own tests; here are the rules those
// do not reach.

#include "state/game_edits.h"

#include <gtest/gtest.h>

#include "platform/files.h"

using namespace tolm;

namespace {

using Strings = std::vector<std::string>;

TEST(GameEdits, EditsOutsideTheCatalogueAndNamelessFilesChangeNothing) {
    AppState state;
    state.catalogue = {GameRecord{"Old", 7, "a.gif", 1983, "", "old.tap", "", "", "old.ay"}};
    const GameCatalogue before = state.catalogue;
    GameEdits edits;
    edits.name = "X";
    applyGameEdits(state, 1, edits); // one past the end
    EXPECT_EQ(state.catalogue, before);

    const std::string directory = std::string(1, platform::kPathSeparator) + "roms";
    EXPECT_EQ(addGamesFromDirectory(state, directory, {}).added, 0u);
    EXPECT_TRUE(state.settings.romPaths.empty()) << "nothing picked registers nothing";
    const BatchAddResult result = addGamesFromDirectory(state, directory, {".hidden", "A.tap"});
    EXPECT_EQ(result.added, 1u);
    ASSERT_EQ(result.refusals.size(), 1u);
    EXPECT_EQ(result.refusals[0].text, "Gamename is blank");
    EXPECT_EQ(state.catalogue.size(), 2u);
}

TEST(GameEdits, UnstorableNamesAndMultiLineText) {
    EXPECT_FALSE(isStorableName("Gry/\xC5\x81\xC3\xB3\x64\xC5\xBA.tap")); // Polish
    EXPECT_NE(unstorableNamesMessage("t", Strings(25, "n")).text.find(" and 5 more"),
              std::string::npos);
    // clang-format off
    const struct { const char *edited, *stored, *expected; } texts[] = { // edited as a text box gives it back
        {"a\nb", "a\rb", "a\rb"}, // unchanged: kept byte for byte
        {"a\nb\nc", "a\nb", "a\nb\nc"}, // edited: the stored breaks
        {"x\ny", "", "x\r\ny"}}; // new text: CR LF, as the file's own system writes
    // clang-format on
    for (const auto& c : texts)
        EXPECT_EQ(storedMultiLineText(c.edited, c.stored), c.expected) << c.edited;
}

} // namespace
