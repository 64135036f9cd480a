// The cases the program-list and paths dialogs' own tests do not reach:
// damaged defaults, entries with holes, and indexes out of range.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/program_list.h"
#include "settings/search_path_list.h"

using namespace tolm;

namespace {

using Programs = std::vector<ProgramEntry>;

// A hand-edited file: half-filled entries between real ones keep their index.
TEST(ProgramList, HolesKeepTheirIndexAndADefaultOnAHoleGoes) {
    const Programs holes = {{"Fuse", "/usr/bin/fuse"}, {"Nameless path", ""}, {"Zesarux", "/z"}};
    std::int32_t defaultIndex = 2;
    EXPECT_EQ(programRows(holes, defaultIndex).rows,
              (std::vector<ProgramRow>{{"Fuse", 0}, {"Zesarux (default)", 2}}));
    defaultIndex = 1;
    EXPECT_FALSE(programRows(holes, defaultIndex).defaultRow.has_value());
    EXPECT_EQ(defaultIndex, kNone);

    Programs list = {{"A", "/a"}, {"B", ""}, {"C", "/c"}};
    defaultIndex = 1;
    EXPECT_TRUE(removeProgram(list, defaultIndex, 0));
    EXPECT_EQ(list, (Programs{{"C", "/c"}}));
    EXPECT_EQ(defaultIndex, kNone);
    EXPECT_FALSE(removeProgram(list, defaultIndex, 1));       // out of range
    EXPECT_EQ(proposedProgramName("my.exemplar"), "mymplar"); // every ".exe" of the file name
}

TEST(SearchPathList, RemovalPastBlanksAndBadKeys) {
    std::vector<std::string> list = {"/a/", "", "", "/d/"};
    EXPECT_TRUE(removeSearchPath(list, 0));
    EXPECT_EQ(list, std::vector<std::string>{"/d/"}); // blanks in front would hide /d/
    EXPECT_EQ(searchPathKeyIndex("rom99999999999999", "rom"), std::nullopt);
}

} // namespace
