#include "core/tosec_name.h"

#include <gtest/gtest.h>

#include "core/title_folding.h"

#include <string>
#include <vector>

// Expected parts are written with only the fields a case has.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

using namespace tolm;

// What a TOSEC-named file gives a new game: the name keeps every part but the
// date and the publisher, verbatim and in place; the year only when fully
// known; the publisher empty for "-".
TEST(TosecName, NameYearAndPublisher) {
    // clang-format off
    const struct { const char* file; const char* name; int year; const char* publisher; } cases[] = {
        {"Manic Miner (1983)(Bug-Byte Software)[a2].tzx", "Manic Miner [a2]", 1983, "Bug-Byte Software"},
        {"Hobbit, The v1.2 (1982)(Melbourne House).tap", "Hobbit, The v1.2", 1982, "Melbourne House"},
        {"A Treat! (demo) (1985)(Firebird Software)", "A Treat! (demo)", 1985, "Firebird Software"},
        {"Rambo III (1988)(Ocean)[tr cs Luxus Software House][48-128K]",
         "Rambo III [tr cs Luxus Software House][48-128K]", 1988, "Ocean"},
        {"ZEXALL (1994)(Woodmass, Frank).tap", "ZEXALL", 1994, "Woodmass, Frank"},
        {"Dizzy (19xx)(-).tap", "Dizzy", 0, ""},
        {"Dizzy (198X)(Codemasters).tap", "Dizzy", 0, "Codemasters"},
        {"Knight Lore (1984-11)(Ultimate Play The Game)(GB)(en)", "Knight Lore (GB)(en)", 1984,
         "Ultimate Play The Game"},
        {"Sabre Wulf (1984-06-0x)(Ultimate Play The Game)", "Sabre Wulf", 1984, "Ultimate Play The Game"},
        {"Jet Set Willy (1984)(Software Projects)(Side A)[cr Mr X]", "Jet Set Willy (Side A)[cr Mr X]",
         1984, "Software Projects"},
        {"Chase H.Q. (1989)(Ocean Software)[128K].tap", "Chase H.Q. [128K]", 1989, "Ocean Software"},
        // Titles holding groups, a date among them, before the anchoring one.
        {"Match Day (Remake) (2004)(-).tap", "Match Day (Remake)", 2004, ""},
        {"Football Manager (1982) Edition (1984)(Addictive Games)",
         "Football Manager (1982) Edition", 1984, "Addictive Games"},
        {"Saboteur (1986)(Remake) (1987)(Durell)", "Saboteur (1987)(Durell)", 1986, "Remake"},
        // Every game-file and compression extension comes off, in any case.
        {"Manic Miner (1983)(Bug-Byte Software)[a].tzx.zip", "Manic Miner [a]", 1983, "Bug-Byte Software"},
        {"Head over Heels (1987)(Ocean).z80.bz2", "Head over Heels", 1987, "Ocean"},
        {"Cybernoid (1988)(Hewson).TZX.ZIP", "Cybernoid", 1988, "Hewson"},
        {"Elite (1985)(Firebird).zip", "Elite", 1985, "Firebird"},
        {"Elite (1985)(Firebird).zx82", "Elite", 1985, "Firebird"},
        // Blanks around the removed groups are left tidy.
        {"  Exolon  (1987)(Hewson) [a] ", "Exolon [a]", 1987, "Hewson"},
    };
    // clang-format on
    for (const auto& c : cases) {
        const auto parsed = parseTosecName(c.file);
        ASSERT_TRUE(parsed) << c.file;
        EXPECT_EQ(parsed->name, c.name) << c.file;
        EXPECT_EQ(parsed->year, c.year) << c.file;
        EXPECT_EQ(parsed->publisher, c.publisher) << c.file;
        EXPECT_EQ(gameNameFromFileName(c.file, NameRule::UpToFirstDot), c.name) << c.file;
        EXPECT_EQ(gameNameFromFileName(c.file, NameRule::UpToLastDot), c.name) << c.file;
    }
}

// Every part lands in its own field, and joined publishers split apart; parts out of the
// convention's order, or of no known kind, are kept apart, and flags end at the first more info.
TEST(TosecName, AllParts) {
    // clang-format off
    const struct { const char* file; TosecName parts; std::vector<std::string> publishers; } cases[] = {
        {"Hobbit, The v1.2 (demo-playable) (1982-05-0x)(Melbourne House - Addison-Wesley)(+2a)(PAL)"
         "(GB-US)(en-de)(PD)(beta)(Disk 1 of 2 Side B)(Boot Disk)"
         "[cr Mr X][t +2 Trainer][tr de][a2][!][aka Hobbit][48-128K][a].tzx",
         {.title = "Hobbit, The", .version = "v1.2", .demo = "demo-playable", .date = "1982-05-0x",
          .year = 1982, .month = 5, .publisher = "Melbourne House - Addison-Wesley", .system = "+2a",
          .video = "PAL", .country = "GB-US", .language = "en-de", .copyright = "PD",
          .devStatus = "beta", .media = "Disk 1 of 2 Side B", .mediaLabel = "Boot Disk",
          .dumpFlags = {{"cr", 1, "Mr X"}, {"t", 1, "+2 Trainer"}, {"tr", 1, "de"}, {"a", 2, ""}, {"!", 1, ""}},
          .moreInfo = {"aka Hobbit", "48-128K", "a"},
          .name = "Hobbit, The v1.2 (demo-playable) (+2a)(PAL)(GB-US)(en-de)(PD)(beta)"
                  "(Disk 1 of 2 Side B)(Boot Disk)[cr Mr X][t +2 Trainer][tr de][a2][!][aka Hobbit]"
                  "[48-128K][a]"},
         {"Melbourne House", "Addison-Wesley"}},
        {"Rambo (1985-01-31)(Ocean)(M3)(Part 1-2 of 3)[cr][t][a1][aka Rambo]",
         {.title = "Rambo", .date = "1985-01-31", .year = 1985, .month = 1, .day = 31,
          .publisher = "Ocean", .language = "M3", .media = "Part 1-2 of 3",
          .dumpFlags = {{"cr", 1, ""}, {"t", 1, ""}}, .moreInfo = {"a1", "aka Rambo"},
          .name = "Rambo (M3)(Part 1-2 of 3)[cr][t][a1][aka Rambo]"},
         {"Ocean"}},
        {"Elite Rev 2 (1985)(Firebird)(128K)",
         {.title = "Elite", .version = "Rev 2", .date = "1985", .year = 1985,
          .publisher = "Firebird", .system = "128K", .name = "Elite Rev 2 (128K)"},
         {"Firebird"}},
        {"Rev 1 (19xx)(-)(en)(GB)(128K)(Wild)[a](Side A)",
         {.title = "Rev 1", .date = "19xx", .language = "en",
          .otherGroups = {"GB", "128K", "Wild", "Side A"}, .dumpFlags = {{"a", 1, ""}},
          .name = "Rev 1 (en)(GB)(128K)(Wild)[a](Side A)"},
         {}},
    };
    // clang-format on
    for (const auto& c : cases) {
        const auto parsed = parseTosecName(c.file);
        ASSERT_TRUE(parsed) << c.file;
        EXPECT_EQ(*parsed, c.parts) << c.file;
        EXPECT_EQ(tosecPublishers(parsed->publisher), c.publishers) << c.file;
    }
}

// A name that is not title + date + publisher keeps the old rules, with the
// compression extensions taken off first; without one they are exactly the
// dialogs' own rules.
TEST(TosecName, OtherNamesKeepTheOldRules) {
    // clang-format off
    const struct { const char* file; const char* firstDot; const char* lastDot; } cases[] = {
        {"Jet.Set.Willy.tap", "Jet", "Jet.Set.Willy"},
        {"Manic Miner.tzx.zip", "Manic Miner", "Manic Miner"},
        {"Tau.Ceti.z80.bz2", "Tau", "Tau.Ceti"},
        {"Tau.Ceti.Z80.GZ", "Tau", "Tau.Ceti"},
        {"Tau.Ceti.zip", "Tau", "Tau"}, // the old rules run on what the compression leaves
        {"README", "README", "README"},
        {".zip", "", ""},
        {".tap", "", ""},
        {"Chase H.Q. (1989).tap", "Chase H", "Chase H.Q. (1989)"},                         // no publisher
        {"(1983)(Bug-Byte Software).tap", "(1983)(Bug-Byte Software)", "(1983)(Bug-Byte Software)"},
        {"Miner(1983)(Bug-Byte Software).tap", "Miner(1983)(Bug-Byte Software)",          // no blank
         "Miner(1983)(Bug-Byte Software)"},
        {"Miner (1983) (Bug-Byte).tap", "Miner (1983) (Bug-Byte)", "Miner (1983) (Bug-Byte)"},
        {"Miner (1983)(Bug-Byte) copy.tap", "Miner (1983)(Bug-Byte) copy", "Miner (1983)(Bug-Byte) copy"},
        {"Miner (1983)().tap", "Miner (1983)()", "Miner (1983)()"},
        {"Miner (1983)( ).tap", "Miner (1983)( )", "Miner (1983)( )"},
        {"Miner (1883)(Bug-Byte).tap", "Miner (1883)(Bug-Byte)", "Miner (1883)(Bug-Byte)"},
        {"Miner (83)(Bug-Byte).tap", "Miner (83)(Bug-Byte)", "Miner (83)(Bug-Byte)"},
        {"Miner (1983-13)(Bug-Byte).tap", "Miner (1983-13)(Bug-Byte)", "Miner (1983-13)(Bug-Byte)"},
        {"Miner (1983-02-32)(Bug-Byte).tap", "Miner (1983-02-32)(Bug-Byte)", "Miner (1983-02-32)(Bug-Byte)"},
        {"Miner (1983/02)(Bug-Byte).tap", "Miner (1983/02)(Bug-Byte)", "Miner (1983/02)(Bug-Byte)"},
        {"Miner (1983)(Bug (UK) Byte).tap", "Miner (1983)(Bug (UK) Byte)", "Miner (1983)(Bug (UK) Byte)"},
        {"Miner (1983)(Bug-Byte)[a.tap", "Miner (1983)(Bug-Byte)[a", "Miner (1983)(Bug-Byte)[a"},
        {"Miner (1983)(Bug-Byte).txt", "Miner (1983)(Bug-Byte)", "Miner (1983)(Bug-Byte)"},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_FALSE(parseTosecName(c.file)) << c.file;
        EXPECT_EQ(gameNameFromFileName(c.file, NameRule::UpToFirstDot), c.firstDot) << c.file;
        EXPECT_EQ(gameNameFromFileName(c.file, NameRule::UpToLastDot), c.lastDot) << c.file;
    }
}

TEST(TosecName, ExtensionsComeOff) {
    // clang-format off
    const struct { const char* file; const char* compressionOff; const char* allOff; } cases[] = {
        {"Game.tzx.zip", "Game.tzx", "Game"},
        {"Game.TAP.Gz", "Game.TAP", "Game"},
        {"Game.z80.bz2", "Game.z80", "Game"},
        {"Game.sna", "Game.sna", "Game"},
        {"Game.scr.zip", "Game.scr", "Game.scr"}, // a screen, not a game
        {"Game.tap.txt", "Game.tap.txt", "Game.tap.txt"},
        {"Game.", "Game.", "Game."},
        {"zip", "zip", "zip"},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(withoutCompressionExtensions(c.file), c.compressionOff) << c.file;
        EXPECT_EQ(withoutGameExtensions(c.file), c.allOff) << c.file;
    }
}

// Titles written by different hands fold alike when they name one game, and
// apart when they do not.
TEST(TitleFolding, FoldsWhatDoesNotTellGamesApart) {
    // clang-format off
    const struct { const char* title; const char* folded; } cases[] = {
        {"Manic Miner", "manicminer"},
        {"  MANIC-miner!  ", "manicminer"},
        {"Manic Miner (1983)(Bug-Byte Software)[a2][48-128K]", "manicminer"},
        {"Manic Miner [unclosed", "manicminer"},
        {"Hobbit, The", "thehobbit"},
        {"The Hobbit", "thehobbit"},
        {"Hobbit,The (Side A)", "thehobbit"},
        {"Treat, A", "atreat"},
        {"Inch, An", "aninch"},
        {"Them, These", "themthese"}, // only an article moves
        {"Rambo III", "rambo3"},
        {"Rambo 3", "rambo3"},
        {"Rocky II: the Return", "rocky2thereturn"},
        {"Part IV, The", "thepart4"},
        {"Stage V-VIII", "stage58"},
        {"Chase H.Q. II", "chasehq2"},
        {"Willy I", "willyi"},     // I, IX and the like stay words
        {"Viii", "8"},
        {"Vixen", "vixen"},         // a numeral only as a whole word
        {"\xC3\x89lite", "\xC3\x89lite"}, // other letters kept as written
        {"(1984)(-)", ""},
        {"?!", ""},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(foldTitle(c.title), c.folded) << c.title;
}
