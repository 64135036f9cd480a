#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "catalogue/text.h"
#include "platform/files.h"

using namespace tolm;

namespace {

struct NumberCase {
    std::string text;
    std::int32_t expected;
};

void PrintTo(const NumberCase& c, std::ostream* os) {
    *os << '"' << c.text << "\" -> " << c.expected;
}

class LeadingNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(LeadingNumberTest, Reads) {
    EXPECT_EQ(LeadingNumber(GetParam().text), GetParam().expected) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Plain, LeadingNumberTest,
    ::testing::Values(NumberCase{"12abc", 12}, NumberCase{"0", 0}, NumberCase{"-98", -98},
                      NumberCase{"+7", 7}, NumberCase{"-0", 0}, NumberCase{"007", 7},
                      NumberCase{"5-3", 5}, NumberCase{"1,5", 1}, NumberCase{"1e3", 1},
                      NumberCase{"1E3", 1}, NumberCase{"0x1A", 0}, NumberCase{"abc", 0},
                      NumberCase{"", 0}, NumberCase{"-", 0}, NumberCase{"+", 0},
                      NumberCase{"+-5", 0}, NumberCase{"--5", 0}, NumberCase{"a12", 0}));

// Blanks are skipped wherever they stand, even between sign and digits.
INSTANTIATE_TEST_SUITE_P(Blanks, LeadingNumberTest,
                         ::testing::Values(NumberCase{"  1 2 ", 12}, NumberCase{"\t\n5", 5},
                                           NumberCase{"\n 42\r\n", 42}, NumberCase{"- 5", -5},
                                           NumberCase{"1 . 5", 2}, NumberCase{"   ", 0},
                                           NumberCase{"9 9 9x9", 999}));

// Rounded to nearest, ties to even.
INSTANTIATE_TEST_SUITE_P(
    Fractions, LeadingNumberTest,
    ::testing::Values(NumberCase{"2.5", 2}, NumberCase{"3.5", 4}, NumberCase{"0.5", 0},
                      NumberCase{"1.5", 2}, NumberCase{"-2.5", -2}, NumberCase{"-3.5", -4},
                      NumberCase{"-0.5", 0}, NumberCase{"2.51", 3}, NumberCase{"2.49", 2},
                      NumberCase{"-2.51", -3}, NumberCase{".5", 0}, NumberCase{".6", 1},
                      NumberCase{"5.", 5}, NumberCase{"1.2.3", 1}, NumberCase{".", 0},
                      NumberCase{"533.3333", 533}, NumberCase{"-1.9", -2}));

// Out-of-range values saturate instead of wrapping.
INSTANTIATE_TEST_SUITE_P(
    Limits, LeadingNumberTest,
    ::testing::Values(NumberCase{"2147483647", INT32_MAX}, NumberCase{"2147483648", INT32_MAX},
                      NumberCase{"-2147483648", INT32_MIN}, NumberCase{"-2147483649", INT32_MIN},
                      NumberCase{"99999999999", INT32_MAX}, NumberCase{"-99999999999", INT32_MIN},
                      NumberCase{"4294967297", INT32_MAX}, // would wrap to 1
                      NumberCase{"2147483647.5", INT32_MAX},
                      NumberCase{std::string(400, '9'), INT32_MAX},
                      NumberCase{"-" + std::string(400, '9'), INT32_MIN},
                      NumberCase{"1" + std::string(5000, '0') + "x", INT32_MAX},
                      NumberCase{std::string(300, '0') + "42", 42},
                      NumberCase{"7." + std::string(300, '0') + "1", 7}));

struct SplitCase {
    std::string text;
    std::vector<std::string> items;
};

class SplitListTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitListTest, KeepsEmptyItems) {
    std::vector<std::string> got;
    for (std::string_view item : SplitList(GetParam().text))
        got.emplace_back(item);
    EXPECT_EQ(got, GetParam().items);
}

INSTANTIATE_TEST_SUITE_P(Table, SplitListTest,
                         ::testing::Values(SplitCase{"a", {"a"}}, SplitCase{"a,b", {"a", "b"}},
                                           SplitCase{"a,,b", {"a", "", "b"}},
                                           SplitCase{",", {"", ""}}, SplitCase{"a,", {"a", ""}},
                                           SplitCase{" a , b ", {" a ", " b "}}));

TEST(SplitFullPath, SplitsAtLastSeparator) {
    const std::string sep(1, platform::kPathSeparator);
    struct Case {
        std::string path, directory, name;
    } cases[] = {
        {sep + "games" + sep + "X.TAP", sep + "games" + sep, "X.TAP"},
        {sep + "a" + sep + "b" + sep + "c.z80", sep + "a" + sep + "b" + sep, "c.z80"},
        {"X.TAP", "", "X.TAP"},
        {sep + "x", sep, "x"},
        {"dir" + sep, "dir" + sep, ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        const SplitPath split = SplitFullPath(c.path);
        EXPECT_EQ(split.directory, c.directory) << c.path;
        EXPECT_EQ(split.name, c.name) << c.path;
    }
}

TEST(TextHelpers, TrimAndCompare) {
    EXPECT_EQ(TrimBlanks(" \t a b \t "), "a b");
    EXPECT_EQ(TrimBlanks("   "), "");
    EXPECT_EQ(TrimBlanks(""), "");
    EXPECT_TRUE(EqualsIgnoringCase("/Games/ROMS/", "/games/roms/"));
    EXPECT_FALSE(EqualsIgnoringCase("/games/", "/games"));
    EXPECT_FALSE(EqualsIgnoringCase("abc", "abd"));
    EXPECT_TRUE(EqualsIgnoringCase("", ""));
}

} // namespace
