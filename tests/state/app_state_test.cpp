#include <gtest/gtest.h>

#include "state/app_state.h"
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
