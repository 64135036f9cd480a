#include <gtest/gtest.h>

#include "state/file_check.h"
#include "support/temp_dir.h"

// Records are written with only the fields a case cares about.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace tolm {
namespace {

class FileCheck : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* file : {"roms1/a.tap", "roms2/a.tap", "roms2/d.z80", "shots/s1.png",
                                 "shots/s2.png", "music/m.ay"})
            dir_.write(file);
        settings_.romPaths = {dir_.sub("roms1/"), dir_.sub("roms2/")};
        settings_.screenshotPaths = {dir_.sub("shots/")};
        settings_.musicPaths = {dir_.sub("music/")};
    }
    static GameRecord game(const char* name, const char* rom, const char* music = "",
                           const char* shots = "") {
        return {.name = name, .screenshots = shots, .romFile = rom, .musicFile = music};
    }

    test::TempDir dir_;
    SettingsState settings_;
};

TEST_F(FileCheck, ReportsWhatTheLookupDoesNotFind) {
#ifdef _WIN32
    GTEST_SKIP() << "POSIX only: letter case counts here, where the file system says so";
#endif
    const GameCatalogue catalogue = {
        game("All there", "a.tap", "m.ay", "s1.png,s2.png"),
        game("No rom", "x.tap", "", "s1.png,,nope.png"), // an empty part finds any file
        game("No music", "", "gone.ay"),
        game("Second path", "d.z80"),
        game("Case", "A.TAP"),
        game("Only a screenshot", "a.tap", "m.ay", "s2.png,gone.png"),
        game("", "missing.tap")}; // a blank record is no game
    const FileCheckResult result = checkFiles(catalogue, settings_);
    std::vector<std::string> found; // game: what is missing
    for (const auto& game : result.games) {
        found.push_back(std::to_string(game.game) + (game.romMissing ? " rom" : "") +
                        (game.musicMissing ? " music" : ""));
        for (const std::string& shot : game.missingScreenshots)
            found.back() += " " + shot;
    }
    EXPECT_EQ(found,
              (std::vector<std::string>{"1 rom nope.png", "2 music", "4 rom", "5 gone.png"}));
    EXPECT_EQ(fileCheckSummary(result), "4 games: 2 ROMs, 1 music file, 2 screenshots not found");
    EXPECT_FALSE(result.cancelled);
}

} // namespace
} // namespace tolm
