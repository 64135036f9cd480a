#include <gtest/gtest.h>

#include <string>

#include "platform/profile.h"

using namespace tolm::platform;

namespace {

TEST(ProfileFile, LooksUpLikeAPrivateProfile) {
    // The awkward cases side by side; CR LF and LF-only lines mixed, no final line break.
    const ProfileFile profile = ProfileFile::parse(
        "stray=before any section\r\n[Tolm]\r\nWinW=800\r\nwinw=999\r\npadded =   a b  \t\r\n"
        "quoted=\"  spaced  \"\r\ndoubled=\"\"x\"\"\r\nhalfquote=\"open\n"
        "this line is garbage\nequals=a=b\naccent=Mot\xE9ur \x80\xFF\r\n[other]\r\nwinw=111\r\n"
        "[TOLM]\r\nwinw=shadowed by the first section\r\n[last]\r\nk=v");
    // clang-format off
    const struct { const char *section, *key, *expected; } cases[] = {
        {"tOLM", "WINW", "800"}, {"other", "winw", "111"}, {"tolm", "padded", "a b"},
        {"tolm", "quoted", "  spaced  "}, {"tolm", "doubled", "\"x\""}, {"tolm", "halfquote", "\"open"},
        {"tolm", "accent", "Mot\xC3\xA9ur \xE2\x82\xAC\xC3\xBF"}, {"last", "k", "v"},
        {"tolm", "stray", "DEF"}, {"tolm", "equals", "a=b"}};
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(profile.getString(c.section, c.key, "DEF"), c.expected) << c.key;
}

} // namespace
