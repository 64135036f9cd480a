#include "state/play_history.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/catalogue_ops.h"
#include "platform/files.h"
#include "support/temp_dir.h"

using namespace tolm;
using tolm::test::readAll;
using tolm::test::TempDir;

namespace {

GameRecord game(const char* name, const char* rom) {
    GameRecord record;
    record.name = name;
    record.romFile = rom;
    return record;
}

GamePlay play(bool favourite, std::uint32_t times, std::int64_t last = 0, std::int64_t total = 0) {
    return {favourite, times, last, total};
}

// The history written for one catalogue and read back for another: each
// entry finds its game by name and ROM file wherever it now stands, the
// first not yet taken; games without an entry have none.
TEST(PlayHistoryFile, EntriesFindTheirGamesByNameAndRom) {
    const GamePlay a = play(true, 3, 1796342400, 15000);
    const GamePlay b = play(false, 1, 1700000000, 59);
    const GamePlay c = play(true, 0);
    const GameRecord accented = game("Mot\xC3\xA9ur\tTab\\", "m\xC3\xA9.tap");
    // clang-format off
    const struct { const char* name; GameCatalogue saved; std::vector<GamePlay> plays;
                   GameCatalogue loaded; std::vector<GamePlay> expected; } cases[] = {
        {"round trip", {game("A", "a.tap"), game("B", "b.tzx"), accented}, {a, {}, b},
         {game("A", "a.tap"), game("B", "b.tzx"), accented}, {a, {}, b}},
        {"moved collection", {game("A", "a.tap"), game("B", "b.tzx"), game("C", "c.z80")}, {a, b, c},
         {game("New", "n.tap"), game("C", "c.z80"), game("A", "a.tap"), game("B", "b.tzx")},
         {{}, c, a, b}},
        {"identical records, in order", {game("A", "a.tap"), game("A", "a.tap")}, {a, b},
         {game("A", "a.tap"), game("B", "b.tzx"), game("A", "a.tap"), game("A", "a.tap")},
         {a, {}, b}},
        {"same name, other ROM", {game("A", "a.tap")}, {a}, {game("A", "a2.tap")}, {}},
        {"a twin moved before", {game("A", "a.tap"), game("B", "b.tzx")}, {a, b},
         {game("B", "b.tzx"), game("A", "a.tap"), game("B", "b.tzx")}, {b, a}},
        {"blank and games beyond the list", {game("A", "a.tap"), game("", "")}, {a, b, c},
         {game("A", "a.tap"), game("", "")}, {a}},
        {"nothing kept", {game("A", "a.tap")}, {}, {game("A", "a.tap")}, {}},
        {"escapes in long and short texts", {
             game("Ends in a backslash\\", "\\b.tap"), game("\tStarts with a tab, then more", "t\r"),
             game("A vertical\x0Btab needs no escape", "v\n.tap"), game("Eight\\ 8", "8\\\\8.z80")},
         {a, b, c, a},
         {game("A vertical\x0Btab needs no escape", "v\n.tap"), game("Eight\\ 8", "8\\\\8.z80"),
          game("Ends in a backslash\\", "\\b.tap"), game("\tStarts with a tab, then more", "t\r")},
         {c, a, a, b}},
    };
    // clang-format on
    for (const auto& t : cases) {
        SCOPED_TRACE(t.name);
        PlayHistory history;
        history.entries() = t.plays;
        const std::string bytes = playHistoryBytes(history, t.saved);
        EXPECT_EQ(bytes.find('\n'), bytes.find("\r\n") + 1); // CR LF lines
        PlayHistory read;
        std::string error;
        ASSERT_TRUE(readPlayHistory(bytes, t.loaded, read, error)) << error << "\n" << bytes;
        for (std::size_t i = 0; i < t.loaded.size(); ++i)
            EXPECT_EQ(read.of(static_cast<std::int32_t>(i)),
                      i < t.expected.size() ? t.expected[i] : GamePlay{})
                << "position " << i;
    }
    // An entry holding nothing (never written, but a hand may write one)
    // takes no game from the identical record after it.
    PlayHistory read;
    std::string error;
    ASSERT_TRUE(readPlayHistory("Tolm play history 1\n0\t0\t0\t0\tA\ta.tap\n1\t2\t3\t4\tA\ta.tap\n",
                                {game("A", "a.tap"), game("A", "a.tap")}, read, error));
    EXPECT_EQ(read.entries(), std::vector<GamePlay>{play(true, 2, 3, 4)});
}

// A save of many games goes out in several pieces, and a line longer than
// a piece whole: the file is the same bytes either way.
TEST(PlayHistoryFile, SavesLargeHistoriesWhole) {
    GameCatalogue catalogue;
    PlayHistory history;
    for (int i = 0; i < 20000; ++i) {
        catalogue.push_back(game(("Game " + std::to_string(i)).c_str(), "g.tap"));
        history.entries().push_back(play(i % 3 == 0, static_cast<std::uint32_t>(i), i, i % 7));
    }
    catalogue[12345].name = std::string(600000, 'L') + "\\";
    TempDir dir;
    ASSERT_TRUE(savePlayHistory(history, catalogue, dir.sub(kPlayHistoryFileName)));
    const std::string bytes = readAll(dir.sub(kPlayHistoryFileName));
    EXPECT_EQ(bytes, playHistoryBytes(history, catalogue));
    PlayHistory read;
    std::string error;
    ASSERT_TRUE(readPlayHistory(bytes, catalogue, read, error)) << error;
    EXPECT_EQ(read.entries(), history.entries());
}

// The history follows its games: a rename keeps it and writes the new name,
// a removal drops the game's entry and closes up the rest, a running session
// adds its time to its game wherever it went, or nowhere once it is gone.
TEST(PlayHistoryFile, FollowsRenamesRemovalsAndRunningSessions) {
    GameCatalogue catalogue = {game("A", "a.tap"), game("B", "b.tap"), game("C", "c.tap"),
                               game("D", "d.tap")};
    PlayHistory history;
    history.setFavourite(0, true);
    const std::uint64_t onB = history.started(1, 100);
    const std::uint64_t onC = history.started(2, 200);
    const std::uint64_t onD = history.started(3, 300);
    EXPECT_EQ(history.timesPlayed(2), 1u);
    EXPECT_EQ(history.lastPlayed(3), 300);

    catalogue[2].name = "C renamed";
    removePositions(catalogue, {0, 1});
    history.positionsRemoved({0, 1});
    history.finished(onB, 50); // its game is gone
    history.finished(onC, 70);
    history.finished(onC, 70); // a session ends once
    history.keepFirst(1);      // D replaced, as an import over it would
    history.finished(onD, 90);
    EXPECT_EQ(history.of(0), play(false, 1, 200, 70));
    EXPECT_EQ(history.of(1), GamePlay{});

    PlayHistory read;
    std::string error;
    ASSERT_TRUE(readPlayHistory(playHistoryBytes(history, catalogue), catalogue, read, error));
    EXPECT_EQ(read.entries(), std::vector<GamePlay>{play(false, 1, 200, 70)});
    EXPECT_NE(playHistoryBytes(history, catalogue).find("\tC renamed\tc.tap\r\n"),
              std::string::npos);
}

// A damaged file is refused whole and the history in memory stays; a missing
// file is an empty history.
TEST(PlayHistoryFile, DamagedFilesAreRefused) {
    const std::string header = "Tolm play history 1\r\n";
    // clang-format off
    const struct { const char* name; std::string bytes; const char* error; } cases[] = {
        {"empty", "", "the file is empty"},
        {"other header", "Tolm play history 2\r\n", "not a play history"},
        {"five fields", header + "1\t2\t3\t4\tA\r\n", "line 2 is damaged"},
        {"seven fields", header + "1\t2\t3\t4\tA\ta.tap\tx\r\n", "line 2 is damaged"},
        {"favourite 2", header + "2\t2\t3\t4\tA\ta.tap\r\n", "line 2 is damaged"},
        {"negative time", header + "# note\r\n\r\n0\t2\t3\t-4\tA\ta.tap\r\n", "line 4 is damaged"},
        {"not a number", header + "0\t2x\t3\t4\tA\ta.tap\r\n", "line 2 is damaged"},
        {"too large", header + "0\t99999999999\t3\t4\tA\ta.tap\r\n", "line 2 is damaged"},
        {"bad escape", header + "0\t2\t3\t4\tA\\q\ta.tap\r\n", "line 2 is damaged"},
        {"no name", header + "0\t2\t3\t4\t\ta.tap\r\n", "line 2 is damaged"},
    };
    // clang-format on
    const GameCatalogue catalogue = {game("A", "a.tap")};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PlayHistory history;
        history.setFavourite(0, true);
        std::string error;
        EXPECT_FALSE(readPlayHistory(c.bytes, catalogue, history, error));
        EXPECT_NE(error.find(c.error), std::string::npos) << error;
        EXPECT_TRUE(history.favourite(0));

        TempDir dir;
        const std::string path = dir.sub(kPlayHistoryFileName);
        ASSERT_TRUE(platform::replaceFile(path, c.bytes));
        const platform::IoResult loaded = loadPlayHistory(history, catalogue, path);
        EXPECT_FALSE(loaded);
        EXPECT_NE(loaded.error.find(path), std::string::npos) << loaded.error;
        EXPECT_TRUE(history.favourite(0));
    }
    TempDir dir;
    PlayHistory history;
    EXPECT_TRUE(loadPlayHistory(history, catalogue, dir.sub("missing.txt")));
    EXPECT_TRUE(history.entries().empty());
    history.setFavourite(0, true);
    ASSERT_TRUE(savePlayHistory(history, catalogue, dir.sub("saved.txt")));
    EXPECT_EQ(readAll(dir.sub("saved.txt")), playHistoryBytes(history, catalogue));
}

TEST(PlayHistory, Summary) {
    // clang-format off
    const struct { GamePlay play; const char* text; } cases[] = {
        {{}, "Never played"},
        {play(true, 0), "Never played"},
        {play(false, 1, 5), "Played 1 time, last on 3 Dec 2026"},
        {play(false, 2, 5, 30), "Played 2 times, last on 3 Dec 2026, under a minute in all"},
        {play(false, 12, 5, 4 * 3600 + 10 * 60 + 59),
         "Played 12 times, last on 3 Dec 2026, 4 h 10 min in all"},
        {play(false, 3, 5, 125), "Played 3 times, last on 3 Dec 2026, 2 min in all"},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(playSummary(c.play, "3 Dec 2026"), c.text);
}

} // namespace
