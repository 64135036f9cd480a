#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../platform/temp_dir.h"
#include "platform/files.h"
#include "settings/settings.h"

using namespace tolm;
using tolm::test::ReadAll;
using tolm::test::TempDir;

namespace {

const std::string kSep(1, platform::kPathSeparator);

SettingsState Sample() {
    SettingsState s;
    s.EmulatorList = {{"Fuse", "/usr/bin/fuse"},
                      {"Sp\xC3\xA9"
                       "ccy",
                       "/opt/speccy/speccy"}};
    s.DefaultEmulator = 1;
    s.MusicPlayerList = {{"AY player", "/usr/bin/ayplay"}};
    s.DefaultMusicPlayer = 0;
    s.RomPaths = {kSep + "roms" + kSep, "", kSep + "more roms" + kSep};
    s.ScreenshotPaths = {};                      // empty: no section
    s.MusicPaths = {"", kSep + "hidden" + kSep}; // blank first entry: no section either
    s.SSLocation = 1;
    s.SSSize = 0;
    return s;
}

WindowGeometry Window(std::int32_t state, std::int32_t w, std::int32_t h, std::int32_t x,
                      std::int32_t y) {
    WindowGeometry g;
    g.state = state;
    g.width = w;
    g.height = h;
    g.left = x;
    g.top = y;
    return g;
}

// What the program writes: CR LF lines, one "[section]" line per section, no
// blank lines, high bytes in Windows-1252.
const std::string kGolden = "[tolm]\r\n"
                            "winstate=0\r\n"
                            "winw=800\r\n"
                            "winh=600\r\n"
                            "winx=-98\r\n"
                            "winy=12\r\n"
                            "Defaultemu=1\r\n"
                            "Defaultmplayer=0\r\n"
                            "SSLocation=1\r\n"
                            "SSSize=0\r\n"
                            "[emulators]\r\n"
                            "num=2\r\n"
                            "emu00=Fuse\r\n"
                            "file00=/usr/bin/fuse\r\n"
                            "emu01=Sp\xE9"
                            "ccy\r\n"
                            "file01=/opt/speccy/speccy\r\n"
                            "[musicplayers]\r\n"
                            "num=1\r\n"
                            "playername00=AY player\r\n"
                            "file00=/usr/bin/ayplay\r\n"
                            "[RomPaths]\r\n"
                            "num=3\r\n"
                            "path00=" +
                            kSep + "roms" + kSep +
                            "\r\n"
                            "path01=\r\n"
                            "path02=" +
                            kSep + "more roms" + kSep + "\r\n";

TEST(SettingsFile, WrittenByteForByte) {
    EXPECT_EQ(SettingsFileBytes(Sample(), Window(0, 800, 600, -98, 12)), kGolden);

    TempDir dir;
    const std::string path = dir.Sub("tolm.ini");
    dir.Write("tolm.ini", "[stale]\r\nkey=left over\r\n");
    const platform::IoResult saved = SaveSettings(Sample(), path, Window(0, 800, 600, -98, 12));
    ASSERT_TRUE(saved.ok) << saved.error;
    EXPECT_EQ(ReadAll(path), kGolden);
}

TEST(SettingsFile, NothingConfiguredWritesOnlyTheWindowSection) {
    SettingsState empty;
    empty.EmulatorList = {{"blank path", ""}, {"Fuse", "/usr/bin/fuse"}};
    EXPECT_EQ(SettingsFileBytes(empty, Window(2, 1, 2, 3, 4)), "[tolm]\r\n"
                                                               "winstate=2\r\n"
                                                               "winw=1\r\n"
                                                               "winh=2\r\n"
                                                               "winx=3\r\n"
                                                               "winy=4\r\n"
                                                               "Defaultemu=-99\r\n"
                                                               "Defaultmplayer=-99\r\n"
                                                               "SSLocation=0\r\n"
                                                               "SSSize=0\r\n");
}

TEST(SettingsFile, EntryKeysPadToTwoDigitsThenGrow) {
    SettingsState s;
    for (int i = 0; i < 101; ++i)
        s.EmulatorList.push_back({"E" + std::to_string(i), "/bin/e" + std::to_string(i)});
    const std::string bytes = SettingsFileBytes(s, Window(0, 10, 10, 0, 0));
    for (const char* key :
         {"\r\nnum=101\r\n", "\r\nemu00=E0\r\nfile00=/bin/e0\r\n", "\r\nemu09=E9\r\n",
          "\r\nemu10=E10\r\n", "\r\nemu99=E99\r\n", "\r\nemu100=E100\r\nfile100=/bin/e100\r\n"})
        EXPECT_NE(bytes.find(key), std::string::npos) << key;
    EXPECT_EQ(bytes.find("emu099"), std::string::npos);
    EXPECT_EQ(bytes.find("emu000"), std::string::npos);
}

const ScreenMetrics kScreen{1920, 1080, 0, 0, 0, 0};

class SettingsRead : public ::testing::Test {
protected:
    SettingsLoadResult Load(const std::string& fileText, const ScreenMetrics& screen = kScreen) {
        dir.Write("tolm.ini", fileText);
        return LoadSettings(settings, dir.Sub("tolm.ini"), screen);
    }
    TempDir dir;
    SettingsState settings;
};

TEST_F(SettingsRead, WhatWasWrittenComesBack) {
    const SettingsLoadResult result = Load(kGolden);
    EXPECT_FALSE(result.error.has_value());
    EXPECT_EQ(result.window.state, WindowGeometry::Normal);
    EXPECT_EQ(result.window.width, 800);
    EXPECT_EQ(result.window.height, 600);
    EXPECT_EQ(result.window.left, -98);
    EXPECT_EQ(result.window.top, 12);
    SettingsState expected = Sample();
    expected.MusicPaths.clear(); // the section was never written
    EXPECT_EQ(settings, expected);
}

TEST_F(SettingsRead, MissingFileGivesDefaults) {
    const SettingsLoadResult result =
        LoadSettings(settings, dir.Sub("absent.ini"), ScreenMetrics{1000, 800, 0, 0, 0, 0});
    EXPECT_FALSE(result.error.has_value());
    EXPECT_EQ(settings, SettingsState{});
    EXPECT_EQ(result.window.state, WindowGeometry::Normal);
    EXPECT_EQ(result.window.width, 10);
    EXPECT_EQ(result.window.height, 10);
    EXPECT_EQ(result.window.left, 495);
    EXPECT_EQ(result.window.top, 395);
}

TEST_F(SettingsRead, MissingKeysTakeDefaults) {
    Load("[tolm]\r\nwinw=640\r\nSSSize=1\r\n");
    SettingsState expected;
    expected.SSSize = 1;
    EXPECT_EQ(settings, expected);
    EXPECT_EQ(settings.DefaultEmulator, kNone);
}

TEST_F(SettingsRead, NumbersAreReadLeniently) {
    Load("[tolm]\r\nDefaultemu=abc\r\nDefaultmplayer= 1 2 \r\nSSLocation=2.5\r\nSSSize=3.5\r\n"
         "[RomPaths]\r\nnum=1x\r\npath00=/r/\r\n");
    EXPECT_EQ(settings.DefaultEmulator, 0);
    EXPECT_EQ(settings.DefaultMusicPlayer, 12);
    EXPECT_EQ(settings.SSLocation, 2);
    EXPECT_EQ(settings.SSSize, 4);
    EXPECT_EQ(settings.RomPaths, std::vector<std::string>{"/r/"});
}

TEST_F(SettingsRead, CountBeyondEntriesGivesBlankEntries) {
    Load("[emulators]\r\nnum=2\r\nemu01=B\r\nfile01=/b\r\n"
         "[RomPaths]\r\nnum=3\r\npath00=/a/\r\npath02=/c/\r\n");
    ASSERT_EQ(settings.EmulatorList.size(), 2u);
    EXPECT_EQ(settings.EmulatorList[0], ProgramEntry{});
    EXPECT_EQ(settings.EmulatorList[1], (ProgramEntry{"B", "/b"}));
    EXPECT_FALSE(HasFirstProgram(settings.EmulatorList));
    EXPECT_EQ(settings.RomPaths, (std::vector<std::string>{"/a/", "", "/c/"}));
    // A list whose first entry is blank is not written back.
    const std::string bytes = SettingsFileBytes(settings, Window(0, 10, 10, 0, 0));
    EXPECT_EQ(bytes.find("[emulators]"), std::string::npos);
    EXPECT_NE(bytes.find("[RomPaths]\r\nnum=3\r\npath00=/a/\r\npath01=\r\npath02=/c/\r\n"),
              std::string::npos);
}

TEST_F(SettingsRead, ZeroOrNegativeCountLeavesListAlone) {
    Load("[emulators]\r\nnum=-4\r\nemu00=A\r\nfile00=/a\r\n[RomPaths]\r\nnum=0\r\npath00=/x/\r\n");
    EXPECT_TRUE(settings.EmulatorList.empty());
    EXPECT_TRUE(settings.RomPaths.empty());
}

TEST_F(SettingsRead, HundredAndOneEntriesRoundTrip) {
    SettingsState s;
    for (int i = 0; i < 101; ++i)
        s.MusicPlayerList.push_back({"P" + std::to_string(i), "/bin/p" + std::to_string(i)});
    Load(SettingsFileBytes(s, Window(0, 10, 10, 0, 0)));
    EXPECT_EQ(settings.MusicPlayerList, s.MusicPlayerList);
}

TEST_F(SettingsRead, LongValuesComeBackWhole) {
    const std::string path = "/" + std::string(298, 'd') + "/";
    SettingsState s;
    s.ScreenshotPaths = {path};
    s.EmulatorList = {{std::string(400, 'N'), "/e" + std::string(1000, 'x')}};
    Load(SettingsFileBytes(s, Window(0, 10, 10, 0, 0)));
    EXPECT_EQ(settings.ScreenshotPaths, std::vector<std::string>{path});
    EXPECT_EQ(settings.EmulatorList, s.EmulatorList);
}

TEST_F(SettingsRead, UnreadableFileIsReportedAndDefaultsKept) {
    dir.MakeDir("tolm.ini");
    const SettingsLoadResult result = LoadSettings(settings, dir.Sub("tolm.ini"), kScreen);
    EXPECT_TRUE(result.error.has_value());
    EXPECT_EQ(settings, SettingsState{});
}

struct Placement {
    const char* label;
    std::string file;
    ScreenMetrics screen;
    WindowGeometry expected;
};

class WindowPlacement : public ::testing::TestWithParam<Placement> {};

TEST_P(WindowPlacement, FromFile) {
    const Placement& p = GetParam();
    TempDir dir;
    dir.Write("tolm.ini", p.file);
    SettingsState settings;
    const WindowGeometry got = LoadSettings(settings, dir.Sub("tolm.ini"), p.screen).window;
    EXPECT_EQ(got.state, p.expected.state);
    EXPECT_EQ(got.width, p.expected.width);
    EXPECT_EQ(got.height, p.expected.height);
    EXPECT_EQ(got.left, p.expected.left);
    EXPECT_EQ(got.top, p.expected.top);
}

std::string Geometry(const char* state, const char* w, const char* h, const char* x,
                     const char* y) {
    return std::string("[tolm]\r\nwinstate=") + state + "\r\nwinw=" + w + "\r\nwinh=" + h +
           "\r\nwinx=" + x + "\r\nwiny=" + y + "\r\n";
}

const ScreenMetrics kLimited{1920, 1080, 400, 300, 1000, 800};

INSTANTIATE_TEST_SUITE_P(
    Table, WindowPlacement,
    ::testing::Values(
        Placement{"as_stored", Geometry("0", "800", "600", "10", "20"), kScreen,
                  Window(0, 800, 600, 10, 20)},
        Placement{"minus_99_centres", Geometry("0", "800", "600", "-99", "-99"), kScreen,
                  Window(0, 800, 600, 560, 240)},
        Placement{"below_minus_99_centres", Geometry("0", "800", "600", "-500", "-100"), kScreen,
                  Window(0, 800, 600, 560, 240)},
        Placement{"minus_98_kept", Geometry("0", "800", "600", "-98", "-98"), kScreen,
                  Window(0, 800, 600, -98, -98)},
        Placement{"fraction_rounded", Geometry("0", "533.3333", "400.5", "1.5", "2.5"), kScreen,
                  Window(0, 533, 400, 2, 2)},
        Placement{"too_small_clamped_then_centred", Geometry("0", "10", "10", "-99", "-99"),
                  kLimited, Window(0, 400, 300, 760, 390)},
        Placement{"too_big_clamped_then_centred", Geometry("0", "5000", "5000", "-99", "-99"),
                  kLimited, Window(0, 1000, 800, 460, 140)},
        Placement{"no_maximum", Geometry("0", "5000", "3000", "0", "0"), kScreen,
                  Window(0, 5000, 3000, 0, 0)},
        Placement{"garbage_state_is_normal", Geometry("x", "800", "600", "10", "20"), kScreen,
                  Window(0, 800, 600, 10, 20)}),
    [](const auto& info) { return std::string(info.param.label); });

// Minimised or maximised: the stored geometry is not used, whatever it says.
TEST(WindowPlacement, OtherStatesIgnoreStoredGeometry) {
    for (const char* state : {"1", "2"}) {
        WindowGeometry results[2];
        const char* widths[2] = {"700", "900"};
        for (int i = 0; i < 2; ++i) {
            TempDir dir;
            dir.Write("tolm.ini", Geometry(state, widths[i], widths[i], widths[i], widths[i]));
            SettingsState settings;
            results[i] = LoadSettings(settings, dir.Sub("tolm.ini"), kLimited).window;
        }
        EXPECT_EQ(results[0].state, std::stoi(state));
        EXPECT_EQ(results[1].state, std::stoi(state));
        EXPECT_EQ(results[0].width, results[1].width) << state;
        EXPECT_EQ(results[0].height, results[1].height) << state;
        EXPECT_EQ(results[0].left, results[1].left) << state;
        EXPECT_EQ(results[0].top, results[1].top) << state;
    }
}

TEST(HasFirst, OnlyAFilledEntryZeroCounts) {
    EXPECT_FALSE(HasFirstProgram({}));
    EXPECT_FALSE(HasFirstProgram({{"named", ""}}));
    EXPECT_FALSE(HasFirstProgram({{"", ""}, {"Fuse", "/usr/bin/fuse"}}));
    EXPECT_TRUE(HasFirstProgram({{"", "/usr/bin/fuse"}}));
    EXPECT_FALSE(HasFirstEntry({}));
    EXPECT_FALSE(HasFirstEntry({""}));
    EXPECT_FALSE(HasFirstEntry({"", "/a/"}));
    EXPECT_TRUE(HasFirstEntry({"/a/", ""}));
}

struct AddCase {
    const char* label;
    std::vector<std::string> before;
    std::string directory;
    std::vector<std::string> after;
};

class AddSearchPathTest : public ::testing::TestWithParam<AddCase> {};

TEST_P(AddSearchPathTest, Result) {
    std::vector<std::string> list = GetParam().before;
    AddSearchPath(list, GetParam().directory);
    EXPECT_EQ(list, GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Table, AddSearchPathTest,
    ::testing::Values(AddCase{"into_empty", {}, "/a/", {"/a/"}},
                      AddCase{"appended", {"/a/"}, "/b/", {"/a/", "/b/"}},
                      AddCase{"same", {"/a/", "/b/"}, "/b/", {"/a/", "/b/"}},
                      AddCase{"other_case", {"/a/", "/Roms/"}, "/ROMS/", {"/a/", "/Roms/"}},
                      AddCase{"trailing_separator_matters", {"/a/"}, "/a", {"/a/", "/a"}},
                      AddCase{"blanks_matter", {"/a/"}, "/a/ ", {"/a/", "/a/ "}},
                      AddCase{"blank_first_replaced", {"", "/x/", "/y/"}, "/a/", {"/a/"}},
                      AddCase{"blank_later_entry_kept", {"/a/", ""}, "/b/", {"/a/", "", "/b/"}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(SaveSettings, MissingDirectoryFailsAndNamesTheFile) {
    TempDir dir;
    const platform::IoResult result =
        SaveSettings(Sample(), dir.Sub("gone/tolm.ini"), Window(0, 800, 600, 0, 0));
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("tolm.ini"), std::string::npos) << result.error;
}

} // namespace
