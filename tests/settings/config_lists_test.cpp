// The cases the program-list and paths dialogs' own tests do not reach:
// damaged defaults, entries with holes, and keys and indexes out of range.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/program_list.h"
#include "settings/search_path_list.h"

using namespace tolm;

namespace {

using Programs = std::vector<ProgramEntry>;
using Strings = std::vector<std::string>;

const Programs kThree = {
    {"Fuse", "/usr/bin/fuse"}, {"Spectemu", "/usr/bin/xspect"}, {"Zesarux", "/opt/zes"}};
// A hand-edited file: blank and half-filled entries between real ones.
const Programs kHoles = {
    {"Fuse", "/usr/bin/fuse"}, {"", ""}, {"Nameless path", ""}, {"Zesarux", "/opt/zes"}};

TEST(ProgramList, DamagedDefaultsHolesAndIndexesOutOfRange) {
    using Rows = std::vector<ProgramRow>;
    const Rows all = {{"Fuse", 0}, {"Spectemu", 1}, {"Zesarux", 2}};
    // clang-format off
    const struct { Programs list; std::int32_t defaultIn; Rows rows; std::int32_t defaultOut; } shown[] = {
        {kThree, 5, all, kNone}, {kThree, -1, all, kNone},
        {kHoles, 3, {{"Fuse", 0}, {"Zesarux (default)", 3}}, 3}, // holes keep the entry index
        {kHoles, 2, {{"Fuse", 0}, {"Zesarux", 3}}, kNone}};
    const struct { Programs list; std::int32_t defaultIn; std::size_t removed; bool done;
                   Strings names; std::int32_t defaultOut; } removals[] = {
        {kHoles, 3, 2, true, {"Fuse", "", "Zesarux"}, 2},
        {{{"A", "/a"}, {"B", ""}, {"C", "/c"}}, 1, 0, true, {"C"}, kNone}, // a default on a hole goes
        {kThree, 1, 3, false, {"Fuse", "Spectemu", "Zesarux"}, 1},
        {kThree, 1, std::size_t(-1), false, {"Fuse", "Spectemu", "Zesarux"}, 1}, {{}, 1, 0, false, {}, 1}};
    // clang-format on
    for (const auto& c : shown) {
        std::int32_t defaultIndex = c.defaultIn;
        const ProgramRows rows = programRows(c.list, defaultIndex);
        EXPECT_EQ(rows.rows, c.rows);
        EXPECT_EQ(defaultIndex, c.defaultOut);
        EXPECT_EQ(rows.defaultRow.has_value(), c.defaultOut != kNone);
    }
    for (const auto& c : removals) {
        Programs list = c.list;
        std::int32_t defaultIndex = c.defaultIn;
        EXPECT_EQ(removeProgram(list, defaultIndex, c.removed), c.done);
        Strings left;
        for (const ProgramEntry& e : list)
            left.push_back(e.name);
        EXPECT_EQ(left, c.names);
        EXPECT_EQ(defaultIndex, c.defaultOut);
    }
    const std::string s(1, platform::kPathSeparator);
    for (const auto& [path, name] : {std::pair{s + "e" + s + "a.exe.exe", "a"},
                                     {s + "e" + s + "my.exemplar", "mymplar"},
                                     {s + "e.exe" + s + "fuse", "fuse"},
                                     {"fuse-sdl", "fuse-sdl"},
                                     {s + "dir" + s, ""}})
        EXPECT_EQ(proposedProgramName(path), name) << path; // every ".exe" of the file name
    Programs holes = kHoles;
    EXPECT_EQ(addProgram(holes, {"New", "/new"}), 4u);
}

TEST(SearchPathList, KeysRemovalAndSeparators) {
    // clang-format off
    const std::tuple<const char*, const char*, std::optional<std::size_t>> keys[] = {
        {"rom0", "rom", 0}, {"rom10", "rom", 10}, {"ss3", "ss", 3}, {"rom", "rom", {}},
        {"ss3", "rom", {}}, {"rom-1", "rom", {}}, {"rom1x", "rom", {}}, {"", "rom", {}},
        {"rom99999999999999", "rom", {}}};
    const struct { Strings list; std::size_t k; bool removed; Strings after; } removals[] = {
        {{"/a/", "/b/", "/c/"}, 2, true, {"/a/", "/b/"}}, {{"/a/", "/b/"}, 2, false, {"/a/", "/b/"}},
        {{"/a/", "", "", "/d/"}, 0, true, {"/d/"}}, // blanks would hide /d/
        {{"/a/", "", "/c/"}, 2, true, {"/a/", ""}}, {{}, 0, false, {}}};
    // clang-format on
    for (const auto& [key, prefix, index] : keys) {
        EXPECT_EQ(searchPathKeyIndex(key, prefix), index) << key;
        if (index) {
            EXPECT_EQ(searchPathKey(prefix, *index), key);
        }
    }
    for (const auto& c : removals) {
        Strings list = c.list;
        EXPECT_EQ(removeSearchPath(list, c.k), c.removed);
        EXPECT_EQ(list, c.after);
    }
    const std::string s(1, platform::kPathSeparator);
    EXPECT_EQ(withTrailingSeparator(s + "games"), s + "games" + s);
    EXPECT_EQ(withTrailingSeparator(s + "games" + s), s + "games" + s);
    EXPECT_EQ(withTrailingSeparator(s), s);                              // the root stays as it is
    EXPECT_TRUE(storableInSettings("/games/Caf\xC3\xA9 \xE2\x82\xAC/")); // é and €
    EXPECT_FALSE(storableInSettings("/games/\xFF/"));                    // not UTF-8
}

} // namespace
