#include <gtest/gtest.h>

#include "compressed_fixtures.h"
#include "core/compressed_file.h"
#include "state/duplicates.h"
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

// The bytes a duplicates case writes: "@payload" the game file inside every
// compressed fixture ("@payload-" without its last byte), "@name" a fixture,
// anything else as written.
std::string caseBytes(std::string_view content) {
    if (content.starts_with("@payload")) {
        std::string bytes;
        for (std::size_t i = 0; i < 3000; ++i) // as core/data/compressed/make.sh packs it
            bytes += static_cast<char>((i * 7) % 251);
        if (content.ends_with('-'))
            bytes.pop_back();
        return bytes;
    }
    if (content.starts_with('@')) {
        for (const EmbeddedFile& f : kCompressedFixtures)
            if (f.name == content.substr(1))
                return {reinterpret_cast<const char*>(f.bytes.data()), f.bytes.size()};
        ADD_FAILURE() << "no fixture " << content;
    }
    return std::string(content);
}

// Each case: the games (name, ROM file, the file's bytes; no bytes: not on
// disk) and the groups found, "file"/"game" then positions.
TEST(Duplicates, GroupsTheSameFileAndTheSameGame) {
    struct Game {
        const char* name;
        const char* rom;
        const char* bytes;
    };
    // clang-format off
    const struct { const char* what; std::vector<Game> games; std::vector<std::string> groups; } cases[] = {
        {"same bytes, other names", {{"Jet Set Willy", "jsw.tap", "ABCD"}, {"JSW copy", "other.z80", "ABCD"},
            {"Other", "o.tap", "ABCE"}}, {"file 0 1"}},
        {"in a zip and plain", {{"Zipped", "z.zip", "@stored.zip"}, {"Plain", "p.tap", "@payload"},
            {"Gzipped", "g.tap.gz", "@game.tap.gz"}, {"Deflated", "d.zip", "@deflated.zip"},
            {"Cut", "c.tap", "@payload-"}}, {"file 0 1 2 3"}},
        {"one file named twice", {{"One", "a.tap", "AAAA"}, {"Two", "a.tap", nullptr}}, {"file 0 1"}},
        {"same title with flags", {{"MM", "Manic Miner (1983)(Bug-Byte Software).tap", "1"},
            {"MM alt", "Manic Miner (1983)(Bug-Byte Software)[a].tap", "22"},
            {"MM cracked", "manic miner (1983)(bug-byte software)[cr Mr X][t].tzx.zip", nullptr},
            {"MM later", "Manic Miner (1984)(Bug-Byte Software).tap", "333"},
            {"MM other", "Manic Miner (1983)(Software Projects).tap", "4444"}}, {"game 0 1 2"}},
        {"sides and articles", {{"a", "Lords of Midnight, The (1984)(Beyond)(Side A).tzx", "A"},
            {"b", "The Lords of Midnight (1984)(Beyond)(Side B).tzx", "B"},
            {"c", "Lords of Midnight II (1985)(Beyond).tzx", "C"}}, {"game 0 1"}},
        {"names once folded", {{"Rambo III", "r1.tap", "x"}, {"RAMBO 3 [a]", "", nullptr},
            {"Rambo", "r2.tap", "y"}, {"", "r3.tap", "x"}}, {"game 0 1"}},
        {"both kinds, said once", {{"Knight Lore", "kl1.tap", "KL"}, {"Knight Lore", "kl2.tap", "KL"},
            {"Knight Lore [a]", "kl3.tap", "KM"}}, {"file 0 1", "game 0 1 2"}},
        {"nothing in common", {{"Alpha", "a.tap", "1234"}, {"Beta", "b.tap", "1235"},
            {"Gamma", "gone.tap", nullptr}, {"Delta", "d.tap", ""}, {"Epsilon", "e.tap", ""}}, {}}, // empty files hold no game
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir dir;
        SettingsState settings;
        settings.romPaths = {dir.sub("roms/")};
        GameCatalogue catalogue;
        for (const Game& game : c.games) {
            catalogue.push_back({.name = game.name, .romFile = game.rom});
            if (game.bytes != nullptr)
                dir.write("roms/" + std::string(game.rom), caseBytes(game.bytes));
        }
        const DuplicatesResult result = findDuplicates(catalogue, settings);
        std::vector<std::string> groups;
        for (const DuplicateGroup& group : result.groups) {
            groups.push_back(group.kind == DuplicateGroup::Kind::SameFile ? "file" : "game");
            for (const std::int32_t game : group.games)
                groups.back() += ' ' + std::to_string(game);
        }
        EXPECT_EQ(groups, c.groups);
        EXPECT_FALSE(result.cancelled);
        const DuplicatesResult stopped =
            findDuplicates(catalogue, settings, [](std::size_t, std::size_t) { return false; });
        EXPECT_TRUE(stopped.cancelled);
        EXPECT_TRUE(stopped.groups.empty());
    }
}

} // namespace
} // namespace tolm
