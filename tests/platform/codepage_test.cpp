#include <gtest/gtest.h>

#include <string>

#include "platform/codepage.h"

using namespace tolm::platform;
using ::testing::PrintToString;

namespace {

TEST(CodePage, ConvertsKnownCharactersAndEveryByteRoundTrips) {
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(utf8ToAnsi(ansiToUtf8(one)), one) << "byte " << b;
    }
    // The 0x80-0x9F block is where Windows-1252 differs from Latin-1; the five
    // unassigned bytes stand for the C1 controls of the same value. A '?'
    // result marks a character outside the code page, converted one way only.
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {std::string("a\0b", 3), std::string("a\0b", 3)}, {"\xE2\x82\xAC", "\x80"},
        {"\xC5\xB8", "\x9F"}, {"\xC2\x81", "\x81"}, {"Mot\xC3\xA9ur", "Mot\xE9ur"},
        {"\xC5\x81", "?"}, {"\xC2\x80", "?"}, {"\xF0\x9F\x98\x80", "?"}, {"\xFF", "?"},
        {"Jerzy \xC5\x81\xC3\xB3" "d\xC5\xBA long enough for blocks", "Jerzy ?\xF3" "d? long enough for blocks"}};
    // clang-format on
    for (const auto& [utf8, ansi] : cases) {
        SCOPED_TRACE(PrintToString(utf8));
        const bool representable = ansi.find('?') == std::string::npos;
        EXPECT_EQ(utf8ToAnsi(utf8), ansi);
        EXPECT_EQ(ansiLength(utf8), ansi.size());
        EXPECT_EQ(isAnsiRepresentable(utf8), representable);
        if (representable) {
            EXPECT_EQ(ansiToUtf8(ansi), utf8);
        }
    }
}

// How many '?' a broken sequence gives is the converter's business, but it
// must give at least one and never swallow the characters around it.
TEST(CodePage, MalformedUtf8BecomesQuestionMarks) {
    for (const std::string bad : {"\xE2\x82", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80"}) {
        const std::string in = "a" + bad + "b\xC3\xA9", out = utf8ToAnsi(in), tail = "b\xE9";
        EXPECT_TRUE(out.size() > tail.size() + 1 && out.front() == 'a' && out.ends_with(tail) &&
                    out.find_first_not_of('?', 1) >= out.size() - tail.size())
            << PrintToString(in) << " gives " << PrintToString(out);
        EXPECT_EQ(ansiLength(in), out.size());
        EXPECT_FALSE(isAnsiRepresentable(in));
    }
}

// Long texts go through block-at-a-time paths: an odd byte at every position
// of a text longer than two blocks checks the block edges.
TEST(CodePage, BlockPathsAgreeWithByteByByte) {
    const std::string ascii(70, 'a');
    for (std::size_t at = 0; at < ascii.size(); ++at) {
        std::string broken = ascii, fixed = ascii, ansi = ascii;
        broken[at] = '\xFF';
        fixed[at] = '?';
        ASSERT_EQ(utf8ToAnsi(broken), fixed) << at;
        ansi[at] = '\x80';
        std::string utf8 = "prefix", back = "prefix";
        appendAnsiAsUtf8(utf8, ansi);
        ASSERT_EQ(utf8, "prefix" + ascii.substr(0, at) + "\xE2\x82\xAC" + ascii.substr(at + 1));
        appendUtf8AsAnsi(back, utf8.substr(6));
        ASSERT_EQ(back, "prefix" + ansi) << at;
    }
}

// What a file cannot hold gives way to the nearest it can; what it can stays.
TEST(CodePage, NearestAnsiTextKeepsWhatFitsAndBendsTheRest) {
    const std::pair<std::string, std::string> cases[] = {
        {"Caf\u00e9 \u00dcber Stra\u00dfe \u20ac5 \u0152uvre", ""}, // all in the code page
        {"\u0141\u00f3d\u017a, Ji\u0159\u00ed \u010cern\u00fd", "L\u00f3dz, Jir\u00ed Cern\u00fd"},
        {"Dezs\u0151 \u0150rs \u0218tefan \u0131\u0130 \u0132sselmeer \u017f",
         "Dezso Ors Stefan iI IJsselmeer s"},
        {"e\u0301t\u00e9\u200b", "et\u00e9"}, // combining mark, zero-width space
        {"\u2018a\u2019 \u201aa\u201b \u2010-\u2212 1\u20442 \u2002x\u202fy",
         "\u2018a\u2019 \u201aa' --- 1/2  x y"},
        {"\uff21\uff42\uff43 \u2116 5", "Abc No 5"}, // full-width, numero
        {"\u0417\u0435\u043b\u0435\u043d\u044b\u0439 \U0001F600", "??????? ?"}, // nothing near
        {"bad \xC5 tail", "bad ? tail"},
    };
    for (const auto& [in, out] : cases) {
        SCOPED_TRACE(PrintToString(in));
        bool changed = out.empty(); // the wrong answer, until told
        const std::string nearest = nearestAnsiText(in, &changed);
        EXPECT_EQ(nearest, out.empty() ? in : out);
        EXPECT_EQ(changed, !out.empty());
        EXPECT_TRUE(isAnsiRepresentable(nearest));
    }
}

} // namespace
