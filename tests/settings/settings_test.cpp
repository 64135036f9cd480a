#include <gtest/gtest.h>

#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

#include "settings/extra_settings.h"
#include "settings/locate.h"
#include "settings/settings.h"
#include "support/temp_dir.h"

using namespace tolm;
using tolm::test::readAll;
using tolm::test::TempDir;

namespace {

using Paths = std::vector<std::string>;
#ifdef _WIN32
constexpr bool kWindows = true;
#else
constexpr bool kWindows = false;
#endif
const ScreenMetrics kScreen{1920, 1080, 0, 0, 0, 0};

SettingsLoadResult load(SettingsState& settings, const std::string& text,
                        const ScreenMetrics& screen = kScreen) {
    TempDir dir;
    dir.write("tolm.ini", text);
    return loadSettings(settings, dir.sub("tolm.ini"), screen);
}

TEST(Settings, WrittenByteForByteAndReadBack) {
    SettingsState written;
    written.emulators = {{"Fuse", "/usr/bin/fuse"}, {"Mot\xC3\xA9ur", "/opt/motor"}};
    written.defaultEmulator = 1;
    written.musicPlayers = {{"AY player", "/usr/bin/ayplay"}};
    written.defaultMusicPlayer = 0;
    written.romPaths = {"/roms/", "", "/more roms/"};
    written.musicPaths = {"", "/hidden/"}; // no first entry: not written
    written.screenshotLocation = 1;
    const std::string golden =
        "[tolm]\r\nwinstate=0\r\nwinw=800\r\nwinh=600\r\nwinx=-98\r\nwiny=12\r\n"
        "Defaultemu=1\r\nDefaultmplayer=0\r\nSSLocation=1\r\nSSSize=0\r\n"
        "[emulators]\r\nnum=2\r\nemu00=Fuse\r\nfile00=/usr/bin/fuse\r\n"
        "emu01=Mot\xE9ur\r\nfile01=/opt/motor\r\n"
        "[musicplayers]\r\nnum=1\r\nplayername00=AY player\r\nfile00=/usr/bin/ayplay\r\n"
        "[RomPaths]\r\nnum=3\r\npath00=/roms/\r\npath01=\r\npath02=/more roms/\r\n";
    TempDir dir;
    dir.write("tolm.ini", "[stale]\r\nkey=left over\r\n");
    ASSERT_TRUE(saveSettings(written, dir.sub("tolm.ini"), {0, 800, 600, -98, 12}));
    EXPECT_EQ(readAll(dir.sub("tolm.ini")), golden);

    SettingsState read;
    EXPECT_FALSE(load(read, golden).error.has_value());
    written.musicPaths.clear();
    EXPECT_EQ(read, written);
    SettingsState absent; // no file yet: the defaults, and no complaint
    EXPECT_FALSE(loadSettings(absent, dir.sub("absent.ini"), kScreen).error.has_value());
    EXPECT_EQ(absent, SettingsState{});
}

// The system's own private-profile functions are the reference the file
// format follows: given the same keys in the same order they write the same
// bytes (and so read ours as their own).
TEST(Settings, SameFileAsTheSystemsProfileFunctions) {
#ifndef _WIN32
    GTEST_SKIP() << "the private-profile functions exist on Windows only";
#else
    SettingsState state;
    state.emulators = {
        {"Fuse", R"(C:\Program Files\Fuse\fuse.exe)"}, {"", ""}, {"X", R"(D:\x.exe)"}};
    state.defaultEmulator = 2;
    state.romPaths = {R"(C:\Games\Spectrum\)", R"(\\nas\roms\)"};
    state.musicPaths = {R"(C:\Music\)"};
    state.screenshotSize = 1;
    const std::string ours = settingsFileBytes(state, {0, 1024, 768, -99, 40});

    TempDir dir;
    const std::string path = dir.sub("tolm.ini");
    std::string section;
    for (std::size_t at = 0, end; (end = ours.find("\r\n", at)) != std::string::npos;
         at = end + 2) {
        const std::string_view line = std::string_view(ours).substr(at, end - at);
        if (line.starts_with('[')) {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        const std::size_t eq = line.find('=');
        const std::string key(line.substr(0, eq)), value(line.substr(eq + 1));
        ASSERT_TRUE(
            WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str()));
    }
    EXPECT_EQ(readAll(path), ours);
#endif
}

TEST(Settings, OddValuesAreReadLeniently) {
    const std::string longPath = "/" + std::string(298, 'd') + "/";
    SettingsState read;
    load(read, "[tolm]\r\nDefaultemu=abc\r\nDefaultmplayer= 1 2 \r\nSSSize=3.5\r\n"
               "[emulators]\r\nnum=2\r\nemu01=B\r\nfile01=/b\r\n"
               "[musicplayers]\r\nnum=-4\r\nplayername00=A\r\nfile00=/a\r\n"
               "[RomPaths]\r\nnum=3x\r\npath00=/a/\r\npath02=" +
                   longPath + "\r\n");
    SettingsState expected;
    expected.defaultEmulator = 0;
    expected.defaultMusicPlayer = 12;
    expected.screenshotSize = 4; // SSLocation missing: its default
    expected.emulators = {{}, {"B", "/b"}};
    expected.romPaths = {"/a/", "", longPath};
    EXPECT_EQ(read, expected);
    // A list whose first entry is blank counts as empty and is not written back.
    const std::string bytes = settingsFileBytes(read, {});
    EXPECT_EQ(bytes.find("[emulators]"), std::string::npos);
    EXPECT_NE(bytes.find("path01=\r\npath02=" + longPath + "\r\n"), std::string::npos);
}

// The program's own extra file: a damaged value gives that setting's default.
TEST(ExtraSettings, ReadBackOrTheDefaults) {
    ExtraSettings written;
    written.emulatorOffered = true;
    written.columnWidths = {120, 20000, 1};
    written.sortColumn = 2;
    written.sortDescending = true;
    TempDir dir;
    ASSERT_TRUE(saveExtraSettings(written, dir.sub("extra.ini")));
    EXPECT_EQ(loadExtraSettings(dir.sub("extra.ini")), written);

    const std::string widths = "[GameList]\r\nColumnWidth0=100\r\nColumnWidth2=300\r\n";
    const std::pair<std::string, std::vector<std::int32_t>> cases[] = {
        {widths + "ColumnWidth1=200\r\n", {100, 200, 300}},
        {widths + "ColumnWidth1=20001\r\n", {}}, // beyond any screen
        {widths + "ColumnWidth1=0\r\n", {}},
        {widths, {}}};
    for (const auto& [text, expected] : cases) {
        dir.write("extra.ini", text + "SortColumn=3\r\n");
        const ExtraSettings read = loadExtraSettings(dir.sub("extra.ini"));
        EXPECT_EQ(read.columnWidths, expected) << text;
        EXPECT_EQ(read.sortColumn, -1) << text;
    }
}

TEST(Settings, EntryNumbersPadToTwoDigitsThenGrow) {
    SettingsState written;
    for (int i = 0; i < 101; ++i)
        written.musicPlayers.push_back({"P" + std::to_string(i), "/p" + std::to_string(i)});
    const std::string bytes = settingsFileBytes(written, {});
    EXPECT_NE(bytes.find("\nnum=101\r\nplayername00=P0\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\nfile99=/p99\r\nplayername100=P100\r\nfile100=/p100\r\n"),
              std::string::npos);
    SettingsState read;
    load(read, bytes);
    EXPECT_EQ(read.musicPlayers, written.musicPlayers);
}

TEST(locateFile, FirstEntryHoldingTheFileWins) {
    TempDir tree;
    for (const char* file : {"a/game.tap", "b/game.tap", "b/only_b.tap", "agame.tap"})
        tree.write(file);
    const std::string a = tree.sub("a/"), b = tree.sub("b/"), gone = tree.sub("gone/");
    // clang-format off
    const struct { std::string name; Paths paths; std::string found; } cases[] = {
        {"game.tap", {gone, b, a}, b + "game.tap"},
        {"game.tap", {"", a}, ""}, // no first entry: nothing is found
        {"game.tap", {tree.sub("a")}, tree.sub("agame.tap")}, // joined as they stand
        // Whether the name exists is the system's call: Windows ignores letter case.
        {"GAME.TAP", {b, a}, kWindows ? b + "GAME.TAP" : ""},
        {b + "only_b.tap", {"", a}, b + "only_b.tap"}}; // a full path is found where it points
    // clang-format on
    for (const auto& [name, paths, found] : cases) {
        const LocatedFile located = locateFile(name, paths);
        EXPECT_EQ(located.found, !found.empty()) << name << " in " << paths.size();
        EXPECT_EQ(located.path, found) << name;
    }
}

} // namespace
