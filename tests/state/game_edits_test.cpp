// Applying edits and adding a directory's games are driven through the
// properties dialog's and the wizard's own tests (how the wizard names its
// games: the end-to-end Add Multiple test); here are the rules those do not
// reach.

#include "state/game_edits.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/files.h"
#include "state/fill_in.h"
#include "support/temp_dir.h"

using namespace tolm;

// Records are written with only the fields a case cares about.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

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

// Each game's file proposes what its TOSEC name and archive info give: one
// "Field: now -> proposed" per change, "*" when ticked by default.
TEST(GameEdits, FillInProposesWhatTheFilesSay) {
    test::TempDir dir;
    const std::map<std::string, screens::ArchiveInfo> tapes = {
        {"Knight Lore (1984)(Ultimate).tzx", {"", "Ultimate Play The Game", "T. Stamper", 1985}},
        {"Jet.Set.Willy.tzx", {"Jet Set Willy", " ", "Matthew Smith ", 0}},
        {"Polish.tzx", {"", "", "Gry \xC5\x81\xC3\xB3\x64\xC5\xBA", 0}}};
    const struct {
        GameRecord game;
        std::vector<std::string> expected;
    } cases[] = {
        // Names the old rules made (either rule, zip off or not) are ticked...
        {{"Chase H", 0, "", 0, "", "Chase H.Q. (1989)(Ocean Software)[128K].tap"},
         {"Name: Chase H -> Chase H.Q. [128K]*", "Year:  -> 1989*",
          "Publisher:  -> Ocean Software*"}},
        {{"Manic Miner (1983)(Bug-Byte Software)[a]", 0, "", -5, "",
          "Manic Miner (1983)(Bug-Byte Software)[a].tzx.zip", "Bug-Byte"},
         {"Name: Manic Miner (1983)(Bug-Byte Software)[a] -> Manic Miner [a]*", "Year:  -> 1983*",
          "Publisher: Bug-Byte -> Bug-Byte Software"}},
        {{"Rambo (1985)(Ocean)[cr].tap", 0, "", 1986, "", "Rambo (1985)(Ocean)[cr].tap.gz",
          "Ocean"},
         {"Name: Rambo (1985)(Ocean)[cr].tap -> Rambo [cr]*", "Year: 1986 -> 1985"}},
        // ...a typed name and filled fields are offered unticked.
        {{"Miner Willy", 0, "", 1984, "", "Manic Miner (1983)(Bug-Byte Software).tap", "Bug Byte"},
         {"Name: Miner Willy -> Manic Miner", "Year: 1984 -> 1983",
          "Publisher: Bug Byte -> Bug-Byte Software"}},
        {{"Manic Miner", 0, "", 1983, "", "Manic Miner (1983)(Bug-Byte Software).tap",
          "Bug-Byte Software"},
         {}},
        // The tape's words beat the name's; blanks around them go.
        {{"Knight Lore", 0, "", 0, "", "Knight Lore (1984)(Ultimate).tzx", "", "Someone"},
         {"Year:  -> 1985*", "Publisher:  -> Ultimate Play The Game*",
          "Authors: Someone -> T. Stamper"}},
        {{"Jet", 0, "", 0, "", "Jet.Set.Willy.tzx"}, {"Authors:  -> Matthew Smith*"}},
        {{"Dizzy", 0, "", 0, "", "Dizzy (19xx)(-).tap"}, {}},
        // Text the catalogue cannot store, and games with no file to read.
        {{"P", 0, "", 0, "", "Polish.tzx"}, {}},
        {{"Gone", 0, "", 0, "", "Gone (1984)(Ocean).tap"}, {}},
        {{"", 0, "", 0, "", "Chase H.Q. (1989)(Ocean Software)[128K].tap"}, {}},
        {{"No file", 0, "", 0, "", " "}, {}},
    };
    SettingsState settings;
    settings.romPaths = {dir.sub("roms/")};
    GameCatalogue catalogue;
    std::vector<std::int32_t> games;
    for (const auto& c : cases) {
        if (!trimBlanks(c.game.romFile).empty() && c.game.romFile.find("Gone") == std::string::npos)
            dir.write("roms/" + c.game.romFile);
        games.push_back(static_cast<std::int32_t>(catalogue.size()));
        catalogue.push_back(c.game);
    }
    std::vector<std::string> read;
    const FillInResult result =
        proposeFillIns(catalogue, settings, games, [&](const std::string& path) {
            read.push_back(path);
            const auto tape = tapes.find(path.substr(path.find_last_of("/\\") + 1));
            return tape == tapes.end() ? std::nullopt : std::optional(tape->second);
        });
    EXPECT_FALSE(result.cancelled);
    EXPECT_EQ(result.filesFound, std::size(cases) - 3);
    // Only tapes that may hold archive info are read.
    EXPECT_EQ(read, (std::vector<std::string>{
                        dir.sub("roms/Manic Miner (1983)(Bug-Byte Software)[a].tzx.zip"),
                        dir.sub("roms/Knight Lore (1984)(Ultimate).tzx"),
                        dir.sub("roms/Jet.Set.Willy.tzx"), dir.sub("roms/Polish.tzx")}));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        std::vector<std::string> found;
        for (const FillInProposal& p : result.proposals) {
            if (p.game == static_cast<std::int32_t>(i))
                found.push_back(std::string(fillInFieldName(p.field)) + ": " + p.now + " -> " +
                                p.proposed + (p.ticked ? "*" : ""));
        }
        EXPECT_EQ(found, cases[i].expected) << cases[i].game.name;
    }
}

// Apply takes the ticked proposals only, and none whose field has changed
// since; a stop request ends the reading with what it has.
TEST(GameEdits, FillInAppliesTickedProposalsAndStops) {
    GameCatalogue catalogue = {GameRecord{"Jet", 0, "", 0, "", "a.tap", "", ""},
                               GameRecord{"Atic", 0, "", 1983, "", "b.tap", "Ultimate", ""}};
    using F = FillInField;
    const std::vector<FillInProposal> proposals = {
        {0, F::Name, "Jet", "Jet Set Willy", true},
        {0, F::Year, "", "1984", true},
        {0, F::Publisher, "", "Software Projects", false},
        {1, F::Authors, "", "Stamper", true},
        {1, F::Year, "1982", "1984", true},
        {1, F::Publisher, "Ultimate", "Ultimate Play The Game", true}};
    EXPECT_EQ(applyFillIns(catalogue, proposals), (std::vector<std::int32_t>{0, 1}));
    EXPECT_EQ(catalogue[0], (GameRecord{"Jet Set Willy", 0, "", 1984, "", "a.tap", "", ""}));
    EXPECT_EQ(catalogue[1],
              (GameRecord{"Atic", 0, "", 1983, "", "b.tap", "Ultimate Play The Game", "Stamper"}));

    test::TempDir dir;
    dir.write("roms/Jet Set Willy (1984)(Software Projects).tap");
    SettingsState settings;
    settings.romPaths = {dir.sub("roms/")};
    catalogue = {GameRecord{"Jet", 0, "", 0, "", "Jet Set Willy (1984)(Software Projects).tap"}};
    std::size_t asked = 0;
    const FillInResult stopped =
        proposeFillIns(catalogue, settings, {0}, {}, [&](std::size_t, std::size_t) {
            ++asked;
            return false;
        });
    EXPECT_TRUE(stopped.cancelled);
    EXPECT_TRUE(stopped.proposals.empty());
    EXPECT_EQ(asked, 1u);
}

} // namespace
