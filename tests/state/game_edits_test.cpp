#include "state/game_edits.h"

#include <gtest/gtest.h>

#include "platform/files.h"

// Records are written with only the fields a case cares about.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

using namespace tolm;

namespace {

using Strings = std::vector<std::string>;
const std::string kSep(1, platform::kPathSeparator);

std::string dir(const std::string& name) {
    return kSep + name + kSep;
}

} // namespace

// Every field is written; full paths are split, their directories joining
// the ROM or music paths.
TEST(GameEdits, OkWritesEveryFieldAndSplitsFullPaths) {
    // clang-format off
    const struct { std::string yearText; std::optional<std::int32_t> genre; std::string romText, musicText;
                   std::int32_t year, storedGenre; std::string romFile, musicFile;
                   Strings romPaths, musicPaths; } cases[] = {
        {"1985abc", 3, "old.tap", "", 1985, 3, "old.tap", "", {dir("roms")}, {}},
        {"", std::nullopt, "", "", 0, 7, "", "", {dir("roms")}, {}}, // no genre picked: kept
        {"", 1, dir("ROMS") + "Manic.z80", "", 0, 1, "Manic.z80", "", {dir("roms")}, {}},
        {"", 1, dir("new") + "Manic.z80", dir("tunes") + "Manic.ay", 0, 1, "Manic.z80", "Manic.ay",
         {dir("roms"), dir("new")}, {dir("tunes")}}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.romText + " " + c.musicText);
        AppState state;
        state.catalogue = {{"Old", 7, "a.gif", 1983, "", "old.tap", "", "", "old.ay"}};
        state.settings.romPaths = {dir("roms")};
        applyGameEdits(state, 0,
                       {"New", c.genre, c.yearText, "Pub", "Auth", c.romText, c.musicText,
                        "line1\nline2", "s1.gif,s2.gif"});
        EXPECT_EQ(state.catalogue[0],
                  (GameRecord{"New", c.storedGenre, "s1.gif,s2.gif", c.year, "line1\nline2",
                              c.romFile, "Pub", "Auth", c.musicFile}));
        EXPECT_EQ(state.settings.romPaths, c.romPaths);
        EXPECT_EQ(state.settings.musicPaths, c.musicPaths);
        const GameCatalogue before = state.catalogue;
        for (std::int32_t outside : {1, -99})
            applyGameEdits(state, outside, {.name = "X"});
        EXPECT_EQ(state.catalogue, before);
    }
}

TEST(GameEdits, BatchAddNamesGamesUpToTheFirstDot) {
    AppState state;
    state.settings.romPaths = {dir("ROMS")};
    const BatchAddResult result = addGamesFromDirectory(
        state, dir("roms"), {"Manic.z80", "Jet.Set.Willy.tap", ".hidden", "Manic.z80"});
    EXPECT_EQ(result.added, 3u);
    ASSERT_EQ(result.refusals.size(), 1u);
    EXPECT_EQ(result.refusals[0].text, "Gamename is blank");
    EXPECT_EQ(state.catalogue, (GameCatalogue{{"Manic", 96, "", 0, "", "Manic.z80"},
                                              {"Jet", 96, "", 0, "", "Jet.Set.Willy.tap"},
                                              {"Manic", 96, "", 0, "", "Manic.z80"}}));
    EXPECT_EQ(state.settings.romPaths, Strings{dir("ROMS")});

    // After "remove all" the blank record is filled first; nothing selected adds nothing.
    AppState emptied;
    emptied.catalogue.resize(1);
    EXPECT_EQ(addGamesFromDirectory(emptied, dir("x"), {}).added, 0u);
    EXPECT_TRUE(emptied.settings.romPaths.empty());
    addGamesFromDirectory(emptied, dir("x"), {"A.tap", "B.tap"});
    ASSERT_EQ(emptied.catalogue.size(), 2u);
    EXPECT_EQ(emptied.catalogue[0].name, "A");
    EXPECT_EQ(emptied.settings.romPaths, Strings{dir("x")});
}

TEST(GameEdits, UnstorableNamesAndMultiLineText) {
    EXPECT_FALSE(isStorableName(dir("Gry") + "\xC5\x81\xC3\xB3\x64\xC5\xBA.tap")); // Polish
    const UserMessage two = unstorableNamesMessage("Unable to add", {"a", "b"});
    EXPECT_NE(two.text.find("\r\na, b"), std::string::npos) << two.text;
    EXPECT_NE(unstorableNamesMessage("t", Strings(25, "n")).text.find(" and 5 more"),
              std::string::npos);
    // clang-format off
    const struct { const char *edited, *stored, *expected; } texts[] = { // edited as a text box gives it back
        {"a\nb", "a\r\nb", "a\r\nb"}, {"a\nb", "a\rb", "a\rb"}, // unchanged: kept byte for byte
        {"a\nb\nc", "a\r\nb", "a\r\nb\r\nc"}, {"a\nb\nc", "a\nb", "a\nb\nc"}, // edited: the stored breaks
        {"x\ny", "", "x\r\ny"}, // new text: CR LF, as the file's own system writes
        {"", "a\r\nb", ""}, {"one", "one", "one"}};
    // clang-format on
    for (const auto& c : texts)
        EXPECT_EQ(storedMultiLineText(c.edited, c.stored), c.expected) << c.edited;
}
