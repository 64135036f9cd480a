#include "import/zxdb_match.h"

#include <gtest/gtest.h>

#include "catalogue/genres.h"

using namespace tolm;
using namespace tolm::zxdb;

// Entries are written with only the fields a case cares about.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

Index sampleIndex() {
    const auto entry = [](std::string title, std::vector<std::string> aliases, std::int32_t year,
                          std::string publisher, std::vector<std::string> files) {
        return Entry{.title = std::move(title),
                     .aliases = std::move(aliases),
                     .year = year,
                     .publisher = std::move(publisher),
                     .files = std::move(files)};
    };
    Index index;
    // clang-format off
    index.entries = {
        entry("Manic Miner", {}, 1983, "Bug-Byte Software Ltd", {"ManicMiner.tzx.zip", "ManicMiner.z80.zip"}),
        entry("Manic Miner", {}, 1983, "Software Projects Ltd", {"ManicMiner(SP).tzx.zip"}),
        entry("Hobbit, The", {}, 1982, "Melbourne House", {"Hobbit.tap.zip"}),
        entry("Rambo III", {}, 1988, "Ocean Software Ltd - Erbe Software", {}),
        entry("Jet Set Willy", {"JSW"}, 1984, "Software Projects Ltd", {}),
        entry("Chase H.Q.", {}, 1989, "Ocean Software Ltd", {"ChaseHQ.tzx.zip"}),
        entry("Chase H.Q.", {}, 1989, "Ocean Software Ltd", {"ChaseHQ128.tzx.zip"}),
        entry("Exolon", {"EXOLON"}, 1987, "Hewson Consultants Ltd", {"Exolon.tzx.zip", "exolon.TZX.gz"}),
        entry("Łódź Express", {}, 1987, "Żyrafa Soft", {"ŁódźExpress.dsk.zip"}),
    };
    // clang-format on
    return index;
}

TEST(ZxdbMatch, FindsGamesByTitleAndFileAndRanksThem) {
    constexpr Candidate T{.byTitle = true}, F{.byFile = true}, TF{.byFile = true, .byTitle = true};
    const auto at = [](std::size_t entry, Candidate how, bool agrees) {
        how.entry = entry;
        how.agrees = agrees;
        return how;
    };
    struct Case {
        std::string_view name;
        std::int32_t year;
        std::string_view publisher, romFile;
        MatchKind kind;
        std::vector<Candidate> candidates;
    };
    using enum MatchKind;
    const Case cases[] = {
        // Dump flags and the game's groups do not count; nothing to tell two alike apart.
        {"Manic Miner [a]", 0, "", "", Ambiguous, {at(0, T, true), at(1, T, true)}},
        // A prefix of one of the entry's publishers, the year equal.
        {"Manic Miner", 1983, "Bug-Byte", "", Unique, {at(0, T, true), at(1, T, false)}},
        {"Manic Miner", 1984, "Bug-Byte", "", Ambiguous, {at(0, T, false), at(1, T, false)}},
        // Found both ways beats found one way; folders of either kind, case and compression
        // ignored.
        {"Manic Miner", 0, "", "roms/MANICMINER.TZX", Unique, {at(0, TF, true), at(1, T, true)}},
        {"Unrelated", 0, "", "C:\\Games\\ManicMiner.z80.bz2", Unique, {at(0, F, true)}},
        {"Hobbit, The", 1982, "Melbourne House", "", Unique, {at(2, T, true)}},
        {"The HOBBIT (1982)(Melbourne House)", 0, "", "", Unique, {at(2, T, true)}},
        // The other of the entry's joined publishers; disagreeing leaves a lone candidate the
        // match.
        {"Rambo 3", 1988, "Erbe", "", Unique, {at(3, T, true)}},
        {"Rambo III", 0, "Codemasters", "", Unique, {at(3, T, false)}},
        {"JSW (Side A)", 1984, "software  projects!", "", Unique, {at(4, T, true)}},
        {"Chase HQ", 1989, "Ocean", "", Ambiguous, {at(5, T, true), at(6, T, true)}},
        {"Chase HQ", 1989, "Ocean", "ChaseHQ128.tzx", Unique, {at(6, TF, true), at(5, T, true)}},
        // Agreeing outranks being found both ways.
        {"Manic Miner",
         1983,
         "Software Projects",
         "ManicMiner.tzx",
         Unique,
         {at(1, T, true), at(0, TF, false)}},
        {"Chase HQ",
         1989,
         "",
         "ManicMiner.tzx",
         Ambiguous,
         {at(5, T, true), at(6, T, true), at(0, F, false)}},
        // Title, alias and two files all lead to one entry, listed once.
        {"Exolon", 1987, "Hewson", "EXOLON.tzx", Unique, {at(7, TF, true)}},
        // Accents do not count either way.
        {"Lodz EXPRESS", 0, "", "lodzexpress.dsk", Unique, {at(8, TF, true)}},
        {"Łodź Express", 1987, "Zyrafa", "", Unique, {at(8, T, true)}},
        {"Nothing Here", 0, "", "nothing.tap", None, {}},
        {"[a]", 0, "", "", None, {}},
    };
    const Index index = sampleIndex();
    const Matcher matcher(index);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " / " + std::string(c.romFile));
        const Match match = matcher.match(c.name, c.year, c.publisher, c.romFile);
        EXPECT_EQ(match.kind, c.kind);
        EXPECT_EQ(match.candidates, c.candidates);
    }
}

// Every game genre lands in the group meant for it; other texts fall back to
// their group's catch-all, or to nothing when they are not games.
TEST(ZxdbMatch, GenresMapIntoTolmsGroups) {
    // clang-format off
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"Adventure: Dungeon Crawl", "Adventure - RPG"}, {"Adventure: Graphic", "Adventure - Graphic"},
        {"Adventure: RPG", "Adventure - RPG"}, {"Adventure: Text", "Adventure - Text"},
        {"Arcade: Action", "Arcade - "}, {"Arcade: Adventure", "Adventure - Arcade"},
        {"Arcade: Gang beat-em-up", "Arcade - Beat'em Up"}, {"Arcade: Solo beat-em-up", "Sports - Fighting"},
        {"Arcade: Maze", "Arcade - Labyrinth"}, {"Arcade: Pinball", "Arcade - Pinball"},
        {"ARCADE: PLATFORM", "Arcade - Platformer"}, {"Arcade: Race 'n' Chase", "Arcade - "},
        {"Arcade: Shoot-em-up", "Shoot'em Up - "}, {"Arcade: Vehicle", "Racing - "},
        {"Board Game", "Gambling - Board Game"}, {"card game", "Gambling - Cards"},
        {"Gambling: Games", "Gambling - "}, {"Puzzle", "Brain - Puzzle"}, {"Quiz", "Educational - Quiz"},
        {" Simulation ", "Simulation - "}, {"Sport: Action", "Sports - "},
        {"Sport: Management", "Strategy - "}, {"Strategy: Management", "Strategy - "},
        {"Strategy: War", "Strategy - War"}, {"Tactical Combat", "Strategy - War"},
        {"Arcade: Something New", "Arcade - [uncategorized]"}, {"Sport: Winter", "Sports - [uncategorized]"},
        {"Puzzle: Logic", "Brain - [uncategorized]"}, {"Educational: Maths", "Educational - [uncategorized]"},
        {"Demo", "Miscellaneous - Demo"}, {"Demoscene", "Miscellaneous - Demo"},
        {"Demo: Music", "Miscellaneous - Demo"}, {"Utility: Programming", "Construction - Programming"},
        {"Programming: BASIC", "Construction - Programming"},
        {"Utility: Word Processor", ""}, {"Gambling: Utilities", ""}, {"e-Book", ""}, {"Compilation", ""},
        {"Covertape", ""}, {"Electronic Magazine", ""}, {"Hardware: Interface", ""}, {"", ""},
    };
    // clang-format on
    for (const auto& [zxdb, group] : cases) {
        SCOPED_TRACE(zxdb);
        const std::optional<std::int32_t> genre = genreFromZxdb(zxdb);
        ASSERT_EQ(genre.has_value(), !group.empty());
        if (genre) {
            EXPECT_TRUE(genreText(*genre).starts_with(group)) << genreText(*genre);
        }
    }
}

} // namespace
