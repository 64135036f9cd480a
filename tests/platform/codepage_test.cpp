#include <gtest/gtest.h>

#include <string>

#include "platform/codepage.h"

using namespace tolm::platform;

namespace {

TEST(CodePage, EveryByteSurvivesTheTripThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string utf8 = AnsiToUtf8(all);
    EXPECT_EQ(Utf8ToAnsi(utf8), all);
    EXPECT_EQ(AnsiLength(utf8), all.size());

    // Each byte on its own, so one wrong table entry is named.
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(one)), one) << "byte " << b;
    }
}

TEST(CodePage, AppendKeepsWhatIsAlreadyThere) {
    std::string out = "ab";
    AppendAnsiAsUtf8(out, "\xE9");
    EXPECT_EQ(out, "ab\xC3\xA9");
    std::string back = "x";
    AppendUtf8AsAnsi(back, "\xC3\xA9");
    EXPECT_EQ(back, "x\xE9");
}

struct Mapping {
    const char* label;
    std::string utf8;
    std::string ansi;
};

class CodePageMapping : public ::testing::TestWithParam<Mapping> {};

TEST_P(CodePageMapping, BothDirections) {
    const Mapping& m = GetParam();
    EXPECT_EQ(Utf8ToAnsi(m.utf8), m.ansi);
    EXPECT_EQ(AnsiToUtf8(m.ansi), m.utf8);
    EXPECT_EQ(AnsiLength(m.utf8), m.ansi.size());
}

// The 0x80-0x9F block is where Windows-1252 differs from Latin-1.
INSTANTIATE_TEST_SUITE_P(
    Table, CodePageMapping,
    ::testing::Values(
        Mapping{"ascii", "Jet Set Willy", "Jet Set Willy"},
        Mapping{"nul", std::string("a\0b", 3), std::string("a\0b", 3)},
        Mapping{"euro", "\xE2\x82\xAC", "\x80"}, Mapping{"low_quote", "\xE2\x80\x9A", "\x82"},
        Mapping{"florin", "\xC6\x92", "\x83"}, Mapping{"ellipsis", "\xE2\x80\xA6", "\x85"},
        Mapping{"s_caron", "\xC5\xA1", "\x9A"}, Mapping{"y_diaeresis_upper", "\xC5\xB8", "\x9F"},
        Mapping{"unassigned_81", "\xC2\x81", "\x81"}, Mapping{"unassigned_9d", "\xC2\x9D", "\x9D"},
        Mapping{"nbsp", "\xC2\xA0", "\xA0"}, Mapping{"e_acute", "Mot\xC3\xA9ur", "Mot\xE9ur"},
        Mapping{"y_diaeresis", "\xC3\xBF", "\xFF"}),
    [](const auto& info) { return std::string(info.param.label); });

struct Lossy {
    const char* label;
    std::string utf8;
    std::string ansi;
};

class CodePageLossy : public ::testing::TestWithParam<Lossy> {};

TEST_P(CodePageLossy, BecomesQuestionMark) {
    const Lossy& m = GetParam();
    EXPECT_EQ(Utf8ToAnsi(m.utf8), m.ansi);
    EXPECT_EQ(AnsiLength(m.utf8), m.ansi.size());
}

// Characters the code page lacks, including C1 controls whose byte holds a
// printable character in Windows-1252.
INSTANTIATE_TEST_SUITE_P(Table, CodePageLossy,
                         ::testing::Values(Lossy{"l_stroke", "\xC5\x81", "?"},
                                           Lossy{"cjk",
                                                 "a\xE4\xB8\xAD"
                                                 "b",
                                                 "a?b"},
                                           Lossy{"emoji", "\xF0\x9F\x98\x80", "?"},
                                           Lossy{"c1_80_is_not_euro", "\xC2\x80", "?"},
                                           Lossy{"c1_85_is_not_ellipsis", "\xC2\x85", "?"},
                                           Lossy{"two_in_a_row", "\xC5\x81\xC5\x81", "??"},
                                           Lossy{"lone_continuation",
                                                 "a\x80"
                                                 "b",
                                                 "a?b"},
                                           Lossy{"invalid_lead_ff",
                                                 "a\xFF"
                                                 "b",
                                                 "a?b"},
                                           Lossy{"invalid_lead_fe", "\xFE", "?"}),
                         [](const auto& info) { return std::string(info.param.label); });

// Malformed sequences: how many '?' a broken sequence gives is the
// converter's business, but it must give at least one, keep the characters
// around it, and never swallow a following valid character.
class CodePageMalformed : public ::testing::TestWithParam<std::string> {};

TEST_P(CodePageMalformed, ReplacedAndNeighboursKept) {
    const std::string input = "a" + GetParam() + "b\xC3\xA9";
    const std::string out = Utf8ToAnsi(input);
    ASSERT_GE(out.size(), 4u) << out;
    EXPECT_EQ(out.front(), 'a');
    EXPECT_EQ(out.substr(out.size() - 2), "b\xE9");
    const std::string middle = out.substr(1, out.size() - 3);
    EXPECT_EQ(middle.find_first_not_of('?'), std::string::npos) << middle;
    EXPECT_EQ(AnsiLength(input), out.size());
}

INSTANTIATE_TEST_SUITE_P(Table, CodePageMalformed,
                         ::testing::Values(std::string("\xC3"),             // truncated two-byte
                                           std::string("\xE2\x82"),         // truncated three-byte
                                           std::string("\xF0\x9F\x98"),     // truncated four-byte
                                           std::string("\xC0\xAF"),         // overlong '/'
                                           std::string("\xE0\x80\xAF"),     // overlong '/'
                                           std::string("\xED\xA0\x80"),     // surrogate half
                                           std::string("\xF4\x90\x80\x80"), // beyond U+10FFFF
                                           std::string("\xC3\xC3")));       // lead after lead

TEST(CodePage, TruncatedSequenceAtEndOfText) {
    const std::string out = Utf8ToAnsi("ab\xE2\x82");
    ASSERT_GE(out.size(), 3u);
    EXPECT_EQ(out.substr(0, 2), "ab");
    EXPECT_EQ(out.substr(2).find_first_not_of('?'), std::string::npos);
}

} // namespace

namespace {

// Long texts go through block-at-a-time paths; a high byte at every position
// of texts of many lengths checks the block edges and the tails against the
// byte-by-byte result.
TEST(CodePage, HighBytesAtEveryPositionOfLongerTexts) {
    const unsigned char highs[] = {0x80, 0x81, 0x9F, 0xA0, 0xE9, 0xFF};
    for (std::size_t length = 1; length <= 70; ++length) {
        for (std::size_t at = 0; at < length; ++at) {
            for (unsigned char high : highs) {
                std::string ansi;
                for (std::size_t i = 0; i < length; ++i)
                    ansi += static_cast<char>('a' + i % 26);
                ansi[at] = static_cast<char>(high);
                if (at + 2 < length)
                    ansi[length - 1] = static_cast<char>(0xE9);
                std::string expected;
                for (char c : ansi)
                    expected += AnsiToUtf8(std::string(1, c));
                const std::string utf8 = AnsiToUtf8(ansi);
                ASSERT_EQ(utf8, expected) << "length " << length << " at " << at;
                ASSERT_EQ(Utf8ToAnsi(utf8), ansi) << "length " << length << " at " << at;
                ASSERT_EQ(AnsiLength(utf8), ansi.size());
                std::string appended = "prefix";
                AppendAnsiAsUtf8(appended, ansi);
                ASSERT_EQ(appended, "prefix" + expected);
            }
        }
    }
}

TEST(CodePage, MalformedBytesInsideLongText) {
    const std::string ascii(40, 'x');
    for (std::size_t at = 0; at <= ascii.size(); ++at) {
        std::string text = ascii;
        text.insert(at, "\xFF");
        std::string expected = ascii;
        expected.insert(at, "?");
        EXPECT_EQ(Utf8ToAnsi(text), expected) << at;
        EXPECT_EQ(AnsiLength(text), expected.size()) << at;
    }
}

} // namespace
