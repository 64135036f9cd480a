#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "state/file_check.h"

namespace tolm {
namespace {

class FileCheck : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* file : {"roms1/a.tap", "roms2/a.tap", "roms2/d.z80", "roms2/.h.tap",
                                 "shots/s1.png", "shots/s2.png", "music/m.ay"})
            dir_.write(file);
        settings_.romPaths = {dir_.sub("roms1/"), dir_.sub("roms2/")};
        settings_.screenshotPaths = {dir_.sub("shots/")};
        settings_.musicPaths = {dir_.sub("music/")};
    }
    static GameRecord game(const char* name, const char* rom, const char* music,
                           const char* shots) {
        GameRecord record;
        record.name = name;
        record.romFile = rom;
        record.musicFile = music;
        record.screenshots = shots;
        return record;
    }

    test::TempDir dir_;
    SettingsState settings_;
};

TEST_F(FileCheck, ReportsWhatTheLookupDoesNotFind) {
#ifdef _WIN32
    GTEST_SKIP() << "POSIX only: the prepared tree holds names that differ only in letter case, which one Windows directory cannot";
#endif
    const GameCatalogue catalogue = {
        game("All there", "a.tap", "m.ay", "s1.png,s2.png"),
        game("No rom", "x.tap", "", "s1.png,,nope.png"), // an empty part finds any file
        game("No music", "", "gone.ay", ""),
        game("Blank names", "   ", " ", ""),
        game("Second path", "d.z80", "", ""),
        game("Hidden", ".h.tap", "", ""),
        game("Full path", "/abs/x.tap", "", ""),
        game("Case", "A.TAP", "", ""),
        game("", "missing.tap", "", ""), // a blank record is no game
    };
    const FileCheckResult result = checkFiles(catalogue, settings_);
    struct Expected {
        std::int32_t game;
        bool rom;
        bool music;
        std::vector<std::string> shots;
    };
    const std::vector<Expected> expected = {
        {1, true, false, {"nope.png"}}, {2, false, true, {}}, {5, true, false, {}},
        {6, true, false, {}},           {7, true, false, {}}, // letter case counts where the file
                                                              // system says so
    };
    ASSERT_EQ(result.games.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(result.games[i].game, expected[i].game);
        EXPECT_EQ(result.games[i].romMissing, expected[i].rom) << expected[i].game;
        EXPECT_EQ(result.games[i].musicMissing, expected[i].music) << expected[i].game;
        EXPECT_EQ(result.games[i].missingScreenshots, expected[i].shots) << expected[i].game;
    }
    EXPECT_EQ(result.romsMissing, 4);
    EXPECT_EQ(result.musicFilesMissing, 1);
    EXPECT_EQ(result.screenshotsMissing, 1);
    EXPECT_EQ(fileCheckSummary(result), "5 games: 4 ROMs, 1 music file, 1 screenshot not found");
    EXPECT_FALSE(result.cancelled);
}

TEST_F(FileCheck, ListWithoutFirstEntryFindsNothing) {
    settings_.romPaths.insert(settings_.romPaths.begin(), "");
    settings_.screenshotPaths.clear();
    const FileCheckResult result =
        checkFiles({game("All there", "a.tap", "m.ay", "s1.png,s2.png")}, settings_);
    ASSERT_EQ(result.games.size(), 1u);
    EXPECT_TRUE(result.games[0].romMissing);
    EXPECT_EQ(result.screenshotsMissing, 2);
    EXPECT_EQ(fileCheckSummary(result), "1 game: 1 ROM, 0 music files, 2 screenshots not found");
}

TEST_F(FileCheck, ReportsProgressAndStopsWhenAsked) {
    const GameCatalogue catalogue(1000, game("Gone", "x.tap", "", ""));
    std::vector<std::size_t> seen;
    const FileCheckResult all =
        checkFiles(catalogue, settings_, [&](std::size_t done, std::size_t total) {
            EXPECT_EQ(total, 1000u);
            seen.push_back(done);
            return true;
        });
    EXPECT_EQ(all.games.size(), 1000u);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), 0u);
    EXPECT_EQ(seen.back(), 1000u);

    const FileCheckResult stopped =
        checkFiles(catalogue, settings_, [](std::size_t done, std::size_t) { return done < 500; });
    EXPECT_TRUE(stopped.cancelled);
    EXPECT_LT(stopped.games.size(), 1000u);
    EXPECT_TRUE(checkFiles({}, settings_).games.empty());
}

} // namespace
} // namespace tolm
