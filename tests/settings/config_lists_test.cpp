#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/program_list.h"
#include "settings/search_path_list.h"

using namespace tolm;

namespace {

using Programs = std::vector<ProgramEntry>;
using Rows = std::vector<ProgramRow>;

Programs threePrograms() {
    return {{"Fuse", "/usr/bin/fuse"}, {"Spectemu", "/usr/bin/xspect"}, {"Zesarux", "/opt/zes"}};
}

// A hand-edited file: blank and half-filled entries between real ones.
Programs programsWithHoles() {
    return {{"Fuse", "/usr/bin/fuse"}, {"", ""}, {"Nameless path", ""}, {"Zesarux", "/opt/zes"}};
}

TEST(programRows, OneRowPerFilledEntryWithItsIndex) {
    struct Case {
        const char* what;
        Programs list;
        std::int32_t defaultIn;
        Rows rows;
        std::int32_t defaultOut;
    };
    const Case cases[] = {
        {"empty", {}, 0, {}, kNone},
        {"blank first entry hides the rest", {{"", ""}, {"B", "/b"}}, 1, {}, kNone},
        {"default marked",
         threePrograms(),
         1,
         {{"Fuse", 0}, {"Spectemu (default)", 1}, {"Zesarux", 2}},
         1},
        {"default past the end cleared",
         threePrograms(),
         5,
         {{"Fuse", 0}, {"Spectemu", 1}, {"Zesarux", 2}},
         kNone},
        {"default -1 cleared",
         threePrograms(),
         -1,
         {{"Fuse", 0}, {"Spectemu", 1}, {"Zesarux", 2}},
         kNone},
        {"holes keep the entry index",
         programsWithHoles(),
         3,
         {{"Fuse", 0}, {"Zesarux (default)", 3}},
         3},
        {"default on a hole cleared", programsWithHoles(), 2, {{"Fuse", 0}, {"Zesarux", 3}}, kNone},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::int32_t defaultIndex = c.defaultIn;
        const ProgramRows rows = programRows(c.list, defaultIndex);
        EXPECT_EQ(rows.rows, c.rows);
        EXPECT_EQ(defaultIndex, c.defaultOut);
        if (c.defaultOut == kNone) {
            EXPECT_FALSE(rows.defaultRow);
        } else {
            ASSERT_TRUE(rows.defaultRow);
            EXPECT_EQ(rows.rows[*rows.defaultRow].entry, std::size_t(c.defaultOut));
        }
    }
}

TEST(proposedProgramName, FileNameWithoutExeInExactCase) {
    const std::string sep(1, platform::kPathSeparator);
    const std::pair<std::string, std::string> cases[] = {
        {sep + "emu" + sep + "zxemu.exe", "zxemu"},
        {sep + "EMU" + sep + "ZXEMU.EXE", "ZXEMU.EXE"},
        {sep + "e" + sep + "a.exe.exe", "a"},
        {sep + "e" + sep + "my.exemplar", "mymplar"}, // every occurrence, as the name box shows
        {sep + "e.exe" + sep + "fuse", "fuse"},       // only the file name
        {"fuse-sdl", "fuse-sdl"},
        {sep + "dir" + sep, ""},
    };
    for (const auto& [path, name] : cases)
        EXPECT_EQ(proposedProgramName(path), name) << path;
}

TEST(addProgram, AppendsOrStartsAnEmptyList) {
    struct Case {
        const char* what;
        Programs list;
        std::size_t index;
        std::size_t size;
    };
    const Case cases[] = {
        {"first entry", {}, 0, 1},
        {"after three", threePrograms(), 3, 4},
        {"blank first entry: starts over", {{"", ""}, {"B", "/b"}}, 0, 1},
        {"after holes", programsWithHoles(), 4, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Programs list = c.list;
        EXPECT_EQ(addProgram(list, {"New", "/new"}), c.index);
        ASSERT_EQ(list.size(), c.size);
        EXPECT_EQ(list.back(), (ProgramEntry{"New", "/new"}));
    }
}

TEST(removeProgram, DefaultFollowsItsProgram) {
    struct Case {
        const char* what;
        Programs list;
        std::int32_t defaultIn;
        std::size_t removed;
        std::vector<std::string> names;
        std::int32_t defaultOut;
    };
    const Case cases[] = {
        {"default after", threePrograms(), 2, 0, {"Spectemu", "Zesarux"}, 1},
        {"default at", threePrograms(), 1, 1, {"Fuse", "Zesarux"}, kNone},
        {"default before", threePrograms(), 1, 2, {"Fuse", "Spectemu"}, 1},
        {"last, default at", threePrograms(), 2, 2, {"Fuse", "Spectemu"}, kNone},
        {"no default", threePrograms(), kNone, 0, {"Spectemu", "Zesarux"}, kNone},
        {"only entry blanked", {{"Fuse", "/f"}}, 0, 0, {""}, kNone},
        {"past a hole", programsWithHoles(), 3, 2, {"Fuse", "", "Zesarux"}, 2},
        // The blank and pathless entries would stand first and hide Zesarux.
        {"first before holes", programsWithHoles(), 3, 0, {"Zesarux"}, 0},
        {"default on a hole dropped", {{"A", "/a"}, {"B", ""}, {"C", "/c"}}, 1, 0, {"C"}, kNone},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Programs list = c.list;
        std::int32_t defaultIndex = c.defaultIn;
        EXPECT_TRUE(removeProgram(list, defaultIndex, c.removed));
        std::vector<std::string> names;
        for (const ProgramEntry& e : list)
            names.push_back(e.name);
        EXPECT_EQ(names, c.names);
        EXPECT_EQ(defaultIndex, c.defaultOut);
        if (c.list.size() == 1) {
            EXPECT_FALSE(hasFirstProgram(list));
        }
    }
}

TEST(removeProgram, AnIndexThatNamesNoEntryChangesNothing) {
    for (const Programs& start : {Programs{}, threePrograms()}) {
        Programs list = start;
        std::int32_t defaultIndex = 1;
        EXPECT_FALSE(removeProgram(list, defaultIndex, start.size()));
        EXPECT_FALSE(removeProgram(list, defaultIndex, std::size_t(-1)));
        EXPECT_EQ(list, start);
        EXPECT_EQ(defaultIndex, 1);
    }
}

TEST(searchPathKey, KeysAndTheIndexTheyName) {
    EXPECT_EQ(searchPathKey("rom", 0), "rom0");
    EXPECT_EQ(searchPathKey("ay", 10), "ay10");
    const std::tuple<const char*, const char*, std::optional<std::size_t>> cases[] = {
        {"rom0", "rom", 0},   {"rom10", "rom", 10}, {"ss3", "ss", 3},
        {"rom", "rom", {}},   {"ss3", "rom", {}},   {"rom-1", "rom", {}},
        {"rom1x", "rom", {}}, {"", "rom", {}},      {"rom99999999999999", "rom", {}},
    };
    for (const auto& [key, prefix, index] : cases)
        EXPECT_EQ(searchPathKeyIndex(key, prefix), index) << key;
}

TEST(removeSearchPath, RemovesRenumbersOrBlanks) {
    struct Case {
        std::vector<std::string> list;
        std::size_t k;
        bool removed;
        std::vector<std::string> after;
    };
    const Case cases[] = {
        {{"/a/", "/b/", "/c/"}, 1, true, {"/a/", "/c/"}},
        {{"/a/", "/b/", "/c/"}, 2, true, {"/a/", "/b/"}},
        {{"/a/"}, 0, true, {""}},
        {{"/a/", "/b/"}, 2, false, {"/a/", "/b/"}},
        {{"/a/", "", "", "/d/"}, 0, true, {"/d/"}}, // blanks would hide /d/
        {{"/a/", "", "/c/"}, 2, true, {"/a/", ""}},
        {{}, 0, false, {}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> list = c.list;
        EXPECT_EQ(removeSearchPath(list, c.k), c.removed);
        EXPECT_EQ(list, c.after);
    }
}

TEST(withTrailingSeparator, AppendsOnlyWhenMissing) {
    const std::string sep(1, platform::kPathSeparator);
    EXPECT_EQ(withTrailingSeparator(sep + "games"), sep + "games" + sep);
    EXPECT_EQ(withTrailingSeparator(sep + "games" + sep), sep + "games" + sep);
    EXPECT_EQ(withTrailingSeparator(sep), sep); // the root stays as it is
}

TEST(storableInSettings, OnlyTheSettingsCodePage) {
    EXPECT_TRUE(storableInSettings("/games/Caf\xC3\xA9 \xE2\x82\xAC/"));  // é and €
    EXPECT_FALSE(storableInSettings("/games/\xE6\x97\xA5\xE6\x9C\xAC/")); // 日本
    EXPECT_FALSE(storableInSettings("/games/\xFF/"));                     // not UTF-8
}

TEST(driveIconKey, KindAndWhetherTheDirectoryHoldsFiles) {
    using platform::DriveKind;
    const std::tuple<DriveKind, const char*, const char*> cases[] = {
        {DriveKind::Unknown, "unknown", "unknown"},
        {DriveKind::NoRoot, "notmapped", "notmapped"},
        {DriveKind::Removable, "removable", "removablex"},
        {DriveKind::Fixed, "fixed", "fixedx"},
        {DriveKind::Network, "network", "notmapped"},
        {DriveKind::Cd, "cd", "cdx"},
        {DriveKind::Ram, "ram", "ramx"},
        {static_cast<DriveKind>(9), "unknown", "unknown"},
    };
    for (const auto& [kind, present, absent] : cases) {
        EXPECT_EQ(driveIconKey(kind, true), present);
        EXPECT_EQ(driveIconKey(kind, false), absent);
    }
}

} // namespace
