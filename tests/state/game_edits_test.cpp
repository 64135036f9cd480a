#include "state/game_edits.h"

#include <gtest/gtest.h>

#include "platform/files.h"

using namespace tolm;

namespace {

const std::string kSep(1, platform::kPathSeparator);

std::string dir(const std::string& name) {
    return kSep + name + kSep;
}

AppState stateWithOneGame() {
    AppState state;
    GameRecord game;
    game.name = "Old";
    game.genre = 7;
    game.year = 1983;
    game.romFile = "old.tap";
    game.musicFile = "old.ay";
    game.screenshots = "a.gif";
    state.catalogue = {game};
    state.settings.romPaths = {dir("roms")};
    return state;
}

} // namespace

TEST(GameEdits, OkWritesEveryFieldAndSplitsFullPaths) {
    const struct {
        const char* what;
        std::string yearText;
        std::optional<std::int32_t> genre;
        std::string romText;
        std::string musicText;
        std::int32_t year;
        std::int32_t storedGenre;
        std::string romFile;
        std::string musicFile;
        std::vector<std::string> romPaths;
        std::vector<std::string> musicPaths;
    } cases[] = {
        {"trailing letters dropped",
         "1985abc",
         3,
         "old.tap",
         "",
         1985,
         3,
         "old.tap",
         "",
         {dir("roms")},
         {}},
        {"empty year is 0", "", 3, "x", "", 0, 3, "x", "", {dir("roms")}, {}},
        {"halves to even", "1984.5", 3, "", "", 1984, 3, "", "", {dir("roms")}, {}},
        {"halves to even, up", "1985.5", 3, "", "", 1986, 3, "", "", {dir("roms")}, {}},
        {"no genre picked keeps a damaged value",
         "",
         std::nullopt,
         "",
         "",
         0,
         7,
         "",
         "",
         {dir("roms")},
         {}},
        {"full ROM path, known directory in another case",
         "",
         1,
         dir("ROMS") + "Manic.z80",
         "",
         0,
         1,
         "Manic.z80",
         "",
         {dir("roms")},
         {}},
        {"full ROM and music paths, new directories",
         "",
         1,
         dir("new") + "Manic.z80",
         dir("tunes") + "Manic.ay",
         0,
         1,
         "Manic.z80",
         "Manic.ay",
         {dir("roms"), dir("new")},
         {dir("tunes")}},
        {"a directory alone stores an empty name",
         "",
         1,
         dir("just"),
         "",
         0,
         1,
         "",
         "",
         {dir("roms"), dir("just")},
         {}},
    };
    for (const auto& c : cases) {
        AppState state = stateWithOneGame();
        state.catalogue[0].genre = 7;
        GameEdits edits{"New",     c.genre,     c.yearText,     "Pub",          "Auth",
                        c.romText, c.musicText, "line1\nline2", "s1.gif,s2.gif"};
        applyGameEdits(state, 0, edits);
        const GameRecord& game = state.catalogue[0];
        EXPECT_EQ(game.name, "New") << c.what;
        EXPECT_EQ(game.year, c.year) << c.what;
        EXPECT_EQ(game.genre, c.storedGenre) << c.what;
        EXPECT_EQ(game.romFile, c.romFile) << c.what;
        EXPECT_EQ(game.musicFile, c.musicFile) << c.what;
        EXPECT_EQ(game.publisher, "Pub") << c.what;
        EXPECT_EQ(game.authors, "Auth") << c.what;
        EXPECT_EQ(game.notes, "line1\nline2") << c.what;
        EXPECT_EQ(game.screenshots, "s1.gif,s2.gif") << c.what;
        EXPECT_EQ(state.settings.romPaths, c.romPaths) << c.what;
        EXPECT_EQ(state.settings.musicPaths, c.musicPaths) << c.what;
    }
    AppState state = stateWithOneGame();
    const GameCatalogue before = state.catalogue;
    GameEdits edits;
    edits.name = "X";
    applyGameEdits(state, 1, edits);
    applyGameEdits(state, -99, edits);
    EXPECT_EQ(state.catalogue, before);
}

TEST(GameEdits, BatchAddNamesGamesUpToTheFirstDot) {
    AppState state;
    state.settings.romPaths = {dir("ROMS")};
    const BatchAddResult result = addGamesFromDirectory(
        state, dir("roms"),
        {"Manic.z80", "Jet.Set.Willy.tap", ".hidden", "Readme.txt", "Manic.z80"});
    EXPECT_EQ(result.added, 4u);
    ASSERT_EQ(result.refusals.size(), 1u);
    EXPECT_EQ(result.refusals[0].text, "Gamename is blank");
    EXPECT_EQ(result.refusals[0].title, "Unable to add");
    ASSERT_EQ(state.catalogue.size(), 4u);
    const char* names[] = {"Manic", "Jet", "Readme", "Manic"};
    const char* files[] = {"Manic.z80", "Jet.Set.Willy.tap", "Readme.txt", "Manic.z80"};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(state.catalogue[i].name, names[i]);
        EXPECT_EQ(state.catalogue[i].romFile, files[i]);
        EXPECT_EQ(state.catalogue[i].genre, 96);
        EXPECT_EQ(state.catalogue[i].year, 0);
        EXPECT_TRUE(state.catalogue[i].publisher.empty() && state.catalogue[i].screenshots.empty());
    }
    EXPECT_EQ(state.settings.romPaths, std::vector<std::string>{dir("ROMS")});

    // After "remove all" the blank record is filled first; nothing selected adds nothing.
    AppState emptied;
    emptied.catalogue.resize(1);
    EXPECT_EQ(addGamesFromDirectory(emptied, dir("x"), {}).added, 0u);
    EXPECT_TRUE(emptied.settings.romPaths.empty());
    addGamesFromDirectory(emptied, dir("x"), {"A.tap", "B.tap"});
    ASSERT_EQ(emptied.catalogue.size(), 2u);
    EXPECT_EQ(emptied.catalogue[0].name, "A");
    EXPECT_EQ(emptied.settings.romPaths, std::vector<std::string>{dir("x")});
}

TEST(GameEdits, NamesOutsideWindows1252AreRefused) {
    EXPECT_TRUE(isStorableName(dir("Gry") + "Caf\xC3\xA9.tap"));
    EXPECT_FALSE(isStorableName(dir("Gry") + "\xC5\x81\xC3\xB3\x64\xC5\xBA.tap")); // Polish
    EXPECT_FALSE(isStorableName("\xD0\x98\xD0\xB3\xD1\x80\xD0\xB0.z80"));          // Cyrillic
    const UserMessage one = unstorableNameMessage("Unable to add", "\xD0\x98.z80");
    EXPECT_EQ(one.text, "\xD0\x98.z80 cannot be stored in the catalogue: its name has "
                        "characters outside Windows-1252.");
    EXPECT_EQ(one.icon, UserMessage::Icon::Critical);
    const UserMessage two = unstorableNamesMessage("Unable to add", {"a", "b"});
    EXPECT_NE(two.text.find("\r\na, b"), std::string::npos) << two.text;
    std::vector<std::string> many(25, "n");
    EXPECT_NE(unstorableNamesMessage("t", many).text.find(" and 5 more"), std::string::npos);
}

TEST(GameEdits, MultiLineTextKeepsItsLineBreaks) {
    const struct {
        const char* edited; // as a text box gives it back
        const char* stored;
        const char* expected;
    } cases[] = {
        {"a\nb", "a\r\nb", "a\r\nb"},         // unchanged: kept byte for byte
        {"a\nb", "a\rb", "a\rb"},             // even a lone CR
        {"a\nb\nc", "a\r\nb", "a\r\nb\r\nc"}, // edited: the stored breaks
        {"a\nb\nc", "a\nb", "a\nb\nc"},
        {"x\ny", "", "x\r\ny"}, // new text: CR LF, as the file's own system writes
        {"", "a\r\nb", ""},
        {"one", "one", "one"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(storedMultiLineText(c.edited, c.stored), c.expected) << c.edited;
}
