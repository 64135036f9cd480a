#include <gtest/gtest.h>

#include <string>

#include "platform/profile.h"
#include "temp_dir.h"

using namespace tolm::platform;

namespace {

struct Lookup {
    const char* label;
    const char* section;
    const char* key;
    std::string expected;
};

// One file with the awkward cases side by side; LF-only and CR LF lines mixed.
const std::string kFile = "stray=before any section\r\n"
                          "[Tolm]\r\n"
                          "WinW=800\r\n"
                          "winw=999\r\n"
                          "padded =   a b  \t\r\n"
                          "quoted=\"  spaced  \"\r\n"
                          "doubled=\"\"x\"\"\r\n"
                          "halfquote=\"open\n"
                          "empty=\n"
                          "this line is garbage\n"
                          "equals=a=b\n"
                          "accent=Mot\xE9ur \x80\xFF\r\n"
                          "[other]\r\n"
                          "winw=111\r\n"
                          "[TOLM]\r\n"
                          "winw=shadowed by the first section\r\n";

class ProfileLookup : public ::testing::TestWithParam<Lookup> {};

TEST_P(ProfileLookup, GetString) {
    const Lookup& l = GetParam();
    const ProfileFile profile = ProfileFile::Parse(kFile);
    EXPECT_EQ(profile.GetString(l.section, l.key, "DEF"), l.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProfileLookup,
    ::testing::Values(Lookup{"exact_case", "Tolm", "WinW", "800"},
                      Lookup{"any_case", "tOLM", "WINW", "800"}, // first match wins
                      Lookup{"other_section", "other", "winw", "111"},
                      Lookup{"blanks_trimmed", "tolm", "padded", "a b"},
                      Lookup{"quotes_stripped", "tolm", "quoted", "  spaced  "},
                      Lookup{"one_pair_only", "tolm", "doubled", "\"x\""},
                      Lookup{"unbalanced_quote_kept", "tolm", "halfquote", "\"open"},
                      Lookup{"empty_value_is_not_missing", "tolm", "empty", ""},
                      Lookup{"value_may_hold_equals", "tolm", "equals", "a=b"},
                      Lookup{"high_bytes_as_utf8", "tolm", "accent",
                             "Mot\xC3\xA9ur \xE2\x82\xAC\xC3\xBF"},
                      Lookup{"missing_key", "tolm", "nothere", "DEF"},
                      Lookup{"missing_section", "nothere", "winw", "DEF"},
                      Lookup{"key_before_sections", "tolm", "stray", "DEF"},
                      Lookup{"garbage_is_no_key", "tolm", "this line is garbage", "DEF"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(ProfileFile, FindTellsMissingFromEmpty) {
    const ProfileFile profile = ProfileFile::Parse("[s]\nempty=\n");
    ASSERT_TRUE(profile.Find("s", "empty").has_value());
    EXPECT_EQ(*profile.Find("s", "empty"), "");
    EXPECT_FALSE(profile.Find("s", "absent").has_value());
    EXPECT_FALSE(profile.Find("t", "empty").has_value());
}

TEST(ProfileFile, LongValuesAreReadWhole) {
    for (std::size_t length : {254u, 255u, 256u, 300u, 5000u}) {
        std::string value(length, 'p');
        value.back() = 'Z';
        const ProfileFile profile = ProfileFile::Parse("[RomPaths]\r\npath00=" + value + "\r\n");
        EXPECT_EQ(profile.GetString("RomPaths", "path00", ""), value) << length;
    }
}

TEST(ProfileFile, LastLineWithoutLineBreak) {
    const ProfileFile profile = ProfileFile::Parse("[a]\r\nk=v");
    EXPECT_EQ(profile.GetString("a", "k", ""), "v");
}

TEST(ProfileFile, SerializeWritesSectionsAndKeysInCallOrder) {
    ProfileFile profile;
    profile.Set("tolm", "winstate", "0");
    profile.Set("emulators", "num", "1");
    profile.Set("tolm", "winw", "640");
    profile.Set("emulators", "emu00",
                "Sp\xC3\xA9"
                "ccy");
    profile.Set("TOLM", "WINSTATE", "2"); // replaces, matching ignores case
    EXPECT_EQ(profile.Serialize(), "[tolm]\r\n"
                                   "winstate=2\r\n"
                                   "winw=640\r\n"
                                   "[emulators]\r\n"
                                   "num=1\r\n"
                                   "emu00=Sp\xE9"
                                   "ccy\r\n");
}

TEST(ProfileFile, SerializeOfNothingIsEmpty) {
    EXPECT_EQ(ProfileFile().Serialize(), "");
}

TEST(ProfileFile, SetOnParsedFileReplacesFirstMatch) {
    ProfileFile profile = ProfileFile::Parse("[s]\r\nk=old\r\nk=shadowed\r\n");
    profile.Set("S", "K", "new");
    EXPECT_EQ(profile.GetString("s", "k", ""), "new");
}

TEST(ProfileFile, SerializeThenParseKeepsEveryValue) {
    ProfileFile profile;
    std::string all;
    for (int b = 0x20; b < 0x100; ++b)
        if (b != 0x7F)
            all += static_cast<char>(b);
    // The printable Windows-1252 bytes, as UTF-8, inside a value.
    std::string utf8;
    {
        const ProfileFile parsed = ProfileFile::Parse("[x]\r\nv=<" + all + ">\r\n");
        utf8 = parsed.GetString("x", "v", "");
    }
    profile.Set("x", "v", utf8);
    profile.Set("x", "long", std::string(400, 'L'));
    const ProfileFile again = ProfileFile::Parse(profile.Serialize());
    EXPECT_EQ(again.GetString("x", "v", ""), utf8);
    EXPECT_EQ(again.GetString("x", "long", ""), std::string(400, 'L'));
    EXPECT_EQ(profile.Serialize(),
              "[x]\r\nv=<" + all + ">\r\nlong=" + std::string(400, 'L') + "\r\n");
}

TEST(ProfileFiles, MissingFileReadsEmptyAndWrittenFileReadsBack) {
    tolm::test::TempDir dir;
    ProfileFile profile;
    ASSERT_TRUE(ReadProfileFile(dir.Sub("absent.ini"), profile).ok);
    EXPECT_EQ(profile.GetString("tolm", "winw", "10"), "10");

    profile.Set("tolm", "winw", "800");
    const std::string path = dir.Sub("t.ini");
    ASSERT_TRUE(WriteProfileFile(path, profile).ok);
    EXPECT_EQ(tolm::test::ReadAll(path), "[tolm]\r\nwinw=800\r\n");
    ProfileFile back;
    ASSERT_TRUE(ReadProfileFile(path, back).ok);
    EXPECT_EQ(back.GetString("tolm", "winw", ""), "800");

    const IoResult failed = WriteProfileFile(dir.Sub("nodir/t.ini"), profile);
    EXPECT_FALSE(failed.ok);
    EXPECT_NE(failed.error.find("t.ini"), std::string::npos) << failed.error;
}

} // namespace
