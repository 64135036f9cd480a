#include <gtest/gtest.h>

#include "state/app_state.h"
#include "state/archive_fill.h"
#include "support/temp_dir.h"

using namespace tolm;

// A version-1 catalogue stored full paths: their directories join the search
// paths once each, after the ones already registered, letter case counting
// where the file system says so.
TEST(AppState, LoadingAVersion1CatalogueRegistersItsDirectories) {
    const auto dir = [](const char* name) {
        return std::string(1, platform::kPathSeparator) + name + platform::kPathSeparator;
    };
    tolm::test::TempDir files;
    AppState state;
    state.programDirectory = files.path();
    state.settings.screenshotPaths = {dir("Pics")};
    GameRecord game;
    game.name = "X";
    game.romFile = dir("games") + "X.TAP";
    game.screenshots = dir("a") + "1.scr," + dir("pics") + "2.scr," + dir("A") + "3.scr";
    ASSERT_TRUE(saveDatabase({game, game}, state.databasePath(), 1));

    EXPECT_EQ(loadCatalogue(state).status, DatabaseLoadResult::Status::Upgraded);
    EXPECT_EQ(state.catalogue.at(1).screenshots, "1.scr,2.scr,3.scr");
    EXPECT_EQ(state.settings.romPaths, std::vector<std::string>{dir("games")});
    EXPECT_EQ(state.settings.screenshotPaths,
#ifdef _WIN32
              (std::vector<std::string>{dir("Pics"), dir("a")}));
#else
              (std::vector<std::string>{dir("Pics"), dir("a"), dir("pics"), dir("A")}));
#endif
}

// After an add, a tape's archive info fills the new games: its year and
// publisher replace what the add took from the file's name, its authors fill
// an empty field, the name stays; a game edited, removed or moved meanwhile,
// or whose tape said nothing, keeps what it has.
TEST(ArchiveFill, FillsOnlyGamesStillAsTheAddLeftThem) {
    using screens::ArchiveInfo;
    const ArchiveInfo tape{"Tape Title", "Ocean", "Jon Ritman", 1987};
    const auto game = [](const char* name, int year, const char* publisher, const char* authors) {
        GameRecord record;
        record.name = name;
        record.romFile = std::string(name) + ".tzx";
        record.year = year;
        record.publisher = publisher;
        record.authors = authors;
        return record;
    };
    struct Case {
        const char* what;
        GameRecord added;
        std::optional<ArchiveInfo> info;
        bool editedMeanwhile;
        GameRecord expected;
    };
    const Case cases[] = {
        {"empty fields filled", game("A", 0, "", ""), tape, false,
         game("A", 1987, "Ocean", "Jon Ritman")},
        {"the name's year and publisher replaced", game("B", 1985, "Ocean Software", ""), tape,
         false, game("B", 1987, "Ocean", "Jon Ritman")},
        {"the add's authors kept", game("C", 0, "", "Someone"), tape, false,
         game("C", 1987, "Ocean", "Someone")},
        {"what the tape leaves out stays", game("D", 1985, "Bug", ""),
         ArchiveInfo{"", "", "Matthew Smith", 0}, false, game("D", 1985, "Bug", "Matthew Smith")},
        {"no info", game("E", 1985, "Bug", ""), std::nullopt, false, game("E", 1985, "Bug", "")},
        {"edited meanwhile", game("F", 0, "", ""), tape, true, game("F", 0, "Mine", "")},
    };
    GameCatalogue catalogue = {game("Old", 0, "", "")}; // there before the add
    std::vector<std::optional<ArchiveInfo>> infos;
    for (const Case& c : cases) {
        catalogue.push_back(c.added);
        infos.push_back(c.info);
    }
    const std::vector<AddedGame> added = gamesAddedFrom(catalogue, 1);
    ASSERT_EQ(added.size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i)
        if (cases[i].editedMeanwhile)
            catalogue[i + 1].publisher = "Mine"; // in Properties, while the tape was read
    const std::vector<std::int32_t> changed = applyArchiveInfos(catalogue, added, infos);
    EXPECT_EQ(changed, (std::vector<std::int32_t>{1, 2, 3, 4}));
    EXPECT_EQ(catalogue[0], game("Old", 0, "", ""));
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(catalogue[i + 1], cases[i].expected) << cases[i].what;

    // A game removed before the info came: the games after it moved up, and
    // none is filled with another's info; the blank record a removal leaves
    // and games naming no file are not read at all.
    GameCatalogue moved = {game("A", 0, "", ""), game("B", 0, "", "")};
    const std::vector<AddedGame> before = gamesAddedFrom(moved, 0);
    moved.erase(moved.begin());
    EXPECT_TRUE(
        applyArchiveInfos(moved, before, {tape, ArchiveInfo{"", "Imagine", "", 0}}).empty());
    EXPECT_EQ(moved[0], game("B", 0, "", ""));
    GameRecord noFile = game("N", 0, "", "");
    noFile.romFile.clear();
    EXPECT_TRUE(gamesAddedFrom({GameRecord{}, noFile}, 0).empty());
}
