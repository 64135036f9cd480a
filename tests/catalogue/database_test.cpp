#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <variant>
#include <vector>

#include "catalogue/database.h"
#include "support/temp_dir.h"

#ifndef _WIN32
#include <sys/resource.h>
#endif

// Records and messages are written with only the fields a case cares about.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

using namespace tolm;
using Status = DatabaseLoadResult::Status;
using tolm::test::TempDir;

namespace {

const std::string kSep(1, platform::kPathSeparator);
#ifdef _WIN32
constexpr bool kWindows = true;
#else
constexpr bool kWindows = false;
#endif

// File bytes built by hand, independently of the writer under test: numbers
// as 4-byte little-endian, texts after their length.
std::string fieldBytes(std::initializer_list<std::variant<std::int32_t, std::string>> parts) {
    std::string bytes;
    for (const auto& part : parts) {
        const std::string* text = std::get_if<std::string>(&part);
        const auto value = static_cast<std::uint32_t>(text ? text->size() : std::get<0>(part));
        for (int shift = 0; shift < 32; shift += 8)
            bytes += static_cast<char>((value >> shift) & 0xFF);
        bytes += text ? *text : "";
    }
    return bytes;
}
std::string headerBytes(std::int32_t version, std::int32_t count) {
    return "TOLM" + fieldBytes({version, count});
}
// The eight fields of every version; version 2 adds the music file.
std::string recordBytes(std::string name, std::int32_t genre, std::string shots,
                        std::string rom = "") {
    return fieldBytes({name, genre, shots, 1985, "x\r\ny", rom, "P", "A"});
}

TEST(Database, WritesTheLayoutAndReadsBackEveryField) {
    EXPECT_EQ(databaseBytes(GameCatalogue(1)),
              headerBytes(2, 1) + fieldBytes({"", 0, "", 0, "", "", "", "", ""}));
    const GameRecord full{
        "Mot\xC3\xA9ur \xE2\x82\xAC", 110, "a.scr,,b", 1985, "x\r\ny", "m.tap", "P", "A", "m.ay"};
    EXPECT_EQ(databaseBytes({full}), headerBytes(2, 1) +
                                         recordBytes("Mot\xE9ur \x80", 110, "a.scr,,b", "m.tap") +
                                         fieldBytes({"m.ay"}));

    // Enough records, and one long text, to span the pieces the file is read and written in.
    GameCatalogue written = {full, GameRecord{.year = -5}};
    for (int i = 0; i < 3000; ++i)
        written.push_back({"Game " + std::to_string(i), i % 130, "s", INT32_MAX,
                           std::string(i % 700, 'n') + "\xC3\xA9"});
    written[1500].notes = std::string(600000, 'N') + "\xE2\x82\xAC";
    TempDir dir;
    const std::string path = dir.sub("tolm.dat");
    ASSERT_TRUE(saveDatabase(written, path, kDatabaseVersion, platform::Durability::Buffered));
    EXPECT_EQ(tolm::test::readAll(path), databaseBytes(written));
    EXPECT_EQ(dir.countEntries(), 1) << "no temporary file left behind";
    GameCatalogue loaded(5); // replaced, not appended to
    const DatabaseLoadResult result = loadDatabase(loaded, path);
    EXPECT_EQ(result.status, Status::Loaded);
    EXPECT_FALSE(result.message.has_value());
    EXPECT_TRUE(loaded == written);

    // Every byte value of a text survives the trip through UTF-8.
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string file = headerBytes(2, 1) + recordBytes(all, 0, "") + fieldBytes({all});
    ASSERT_EQ(loadDatabaseBytes(loaded, file).status, Status::Loaded);
    EXPECT_EQ(databaseBytes(loaded), file);
}

#ifndef _WIN32
TEST(Database, AWriteThatFailsPartWayLeavesTheOldFile) {
    // Files may grow no larger than 64 KiB, so the write fails several
    // chunks before the end; the save must stop, not hang or half-replace.
    GameCatalogue games;
    for (int i = 0; i < 3000; ++i)
        games.push_back({"Game " + std::to_string(i), 1, "s", 1985, std::string(400, 'n')});
    TempDir dir;
    const std::string path = dir.sub("tolm.dat");
    dir.write("tolm.dat", "old");
    rlimit limit{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlimit small{64 * 1024, limit.rlim_max};
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const platform::IoResult saved =
        saveDatabase(games, path, kDatabaseVersion, platform::Durability::Synced);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(saved);
    EXPECT_EQ(tolm::test::readAll(path), "old");
    EXPECT_EQ(dir.countEntries(), 1) << "the temporary file is removed";
}
#endif

TEST(Database, Version1PathsBecomeSearchDirectoriesAndGenresAreMapped) {
    const std::string games = kSep + "games" + kSep, shots = kSep + "a" + kSep;
    const std::int32_t genres[] = {0, 1, 9, 10, 129, -3};
    const std::int32_t mapped[] = {15, 29, 101, 10, 129, -3};
    std::string file =
        headerBytes(1, 6) +
        recordBytes("X", 0, shots + "1.scr," + kSep + "pics" + kSep + "2.scr", games + "X.TAP") +
        recordBytes("Y", 1, "", kSep + "GAMES" + kSep + "Y.TAP");
    for (std::size_t i = 2; i < std::size(genres); ++i)
        file += recordBytes("g", genres[i], "", games + "g.tap");
    GameCatalogue catalogue;
    const DatabaseLoadResult result = loadDatabaseBytes(catalogue, file);
    EXPECT_EQ(result.status, Status::Upgraded);
    EXPECT_EQ(result.message,
              (UserMessage{.title = "Information only",
                           .text = "Old database format has been updated to new version"}));
    ASSERT_EQ(catalogue.size(), 6u);
    EXPECT_EQ(catalogue[0],
              (GameRecord{"X", 15, "1.scr,2.scr", 1985, "x\r\ny", "X.TAP", "P", "A", ""}));
    for (std::size_t i = 0; i < std::size(genres); ++i)
        EXPECT_EQ(catalogue[i].genre, mapped[i]) << genres[i];
    // Each directory is handed back once, letter case counting where the file
    // system says so (registered: app state's test).
    const std::string upper = kSep + "GAMES" + kSep;
    EXPECT_EQ(result.romDirectories, (kWindows ? std::vector<std::string>{games}
                                               : std::vector<std::string>{games, upper}));
}

TEST(Database, DamagedOrUnsupportedFilesAreRefusedAndChangeNothing) {
    const std::string record = recordBytes("A", 1, "s", "r") + fieldBytes({"m"});
    // clang-format off
    const char* problem = "There is a problem with the database file.\r\nFile not loaded";
    const char* unsupported = "Unsupported file version\r\nFile not loaded";
    const struct { const char* label; std::string bytes; Status status; const char* text; }
    cases[] = {
        {"lower-case magic", "tolm" + fieldBytes({2, 1}) + record, Status::Invalid, problem},
        {"version 3", headerBytes(3, 1) + record, Status::Unsupported, unsupported},
        {"count 0", headerBytes(2, 0), Status::Invalid, problem},
        {"count -1", headerBytes(2, -1) + record, Status::Invalid, problem},
        {"count huge", headerBytes(2, INT32_MAX), Status::Invalid, problem},
        // No program writes a version below 1: read on, it would blank every game.
        {"version 0", headerBytes(0, 1) + record, Status::Invalid, problem},
        {"version INT32_MIN", headerBytes(INT32_MIN, 1) + record, Status::Invalid, problem},
        {"count beyond records", headerBytes(2, 2) + record, Status::Invalid, problem},
        // A length of -4 steps back to re-read itself: the rest then parses as a whole record.
        {"length pointing back", headerBytes(2, 1) + fieldBytes({-4, "abcd", 0, 0, 0, 0, 0, 0}),
         Status::Invalid, problem},
        {"length past end", headerBytes(2, 1) + fieldBytes({INT32_MAX}) + "A", Status::Invalid, problem},
        {"version 1 cut short", headerBytes(1, 2) + recordBytes("X", 0, "", "/new/X"), Status::Invalid,
         problem}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        GameCatalogue catalogue = {GameRecord{.name = "kept"}};
        const DatabaseLoadResult result = loadDatabaseBytes(catalogue, c.bytes);
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(result.message,
                  (UserMessage{"Invalid Database", c.text, UserMessage::Icon::Critical}));
        EXPECT_EQ(catalogue, GameCatalogue{GameRecord{.name = "kept"}});
    }
}

TEST(Database, CutShortAtAnyByteIsRefused) {
    const std::string whole = headerBytes(2, 2) + recordBytes("Ab", 3, "s1,s2", "r.tap") +
                              fieldBytes({"m.ay"}) + recordBytes("", 0, "") + fieldBytes({""});
    GameCatalogue catalogue;
    ASSERT_EQ(loadDatabaseBytes(catalogue, whole).status, Status::Loaded);
    const GameCatalogue before = catalogue;
    for (std::size_t length = 0; length < whole.size(); ++length) {
        SCOPED_TRACE(length);
        EXPECT_EQ(loadDatabaseBytes(catalogue, whole.substr(0, length)).status, Status::Invalid);
        EXPECT_EQ(catalogue, before);
    }
}

} // namespace
