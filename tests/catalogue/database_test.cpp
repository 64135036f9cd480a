#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <variant>
#include <vector>

#include "../platform/temp_dir.h"
#include "catalogue/database.h"

// Records and messages are written with only the fields a case cares about.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

using namespace tolm;
using Status = DatabaseLoadResult::Status;
using tolm::test::TempDir;

namespace {

const std::string kSep(1, platform::kPathSeparator);

// File bytes built by hand, independently of the writer under test: numbers
// as 4-byte little-endian, texts after their length.
std::string Bytes(std::initializer_list<std::variant<std::int32_t, std::string>> parts) {
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
std::string Header(std::int32_t version, std::int32_t count) {
    return "TOLM" + Bytes({version, count});
}
// The eight fields of every version; version 2 adds the music file.
std::string Record(std::string name, std::int32_t genre, std::string shots, std::string rom = "") {
    return Bytes({name, genre, shots, 1985, "x\r\ny", rom, "P", "A"});
}

TEST(Database, WritesTheLayoutAndReadsBackEveryField) {
    EXPECT_EQ(DatabaseBytes(GameCatalogue(1)),
              Header(2, 1) + Bytes({"", 0, "", 0, "", "", "", "", ""}));
    const GameRecord full{
        "Mot\xC3\xA9ur \xE2\x82\xAC", 110, "a.scr,,b", 1985, "x\r\ny", "m.tap", "P", "A", "m.ay"};
    EXPECT_EQ(DatabaseBytes({full}),
              Header(2, 1) + Record("Mot\xE9ur \x80", 110, "a.scr,,b", "m.tap") + Bytes({"m.ay"}));

    // Enough records, and one long text, to span the pieces the file is read and written in.
    GameCatalogue written = {full, GameRecord{.Year = -5}};
    for (int i = 0; i < 3000; ++i)
        written.push_back({"Game " + std::to_string(i), i % 130, "s", INT32_MAX,
                           std::string(i % 700, 'n') + "\xC3\xA9"});
    written[1500].Notes = std::string(600000, 'N') + "\xE2\x82\xAC";
    TempDir dir;
    const std::string path = dir.Sub("tolm.dat");
    ASSERT_TRUE(SaveDatabase(written, path, kDatabaseVersion, platform::Durability::Buffered));
    EXPECT_EQ(tolm::test::ReadAll(path), DatabaseBytes(written));
    EXPECT_EQ(dir.CountEntries(), 1) << "no temporary file left behind";
    GameCatalogue loaded(5); // replaced, not appended to
    SettingsState settings;
    const DatabaseLoadResult result = LoadDatabase(loaded, settings, path);
    EXPECT_EQ(result.status, Status::Loaded);
    EXPECT_FALSE(result.message.has_value());
    EXPECT_TRUE(loaded == written);

    // Every byte value of a text survives the trip through UTF-8.
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string file = Header(2, 1) + Record(all, 0, "") + Bytes({all});
    ASSERT_EQ(LoadDatabaseBytes(loaded, settings, file).status, Status::Loaded);
    EXPECT_EQ(DatabaseBytes(loaded), file);
}

TEST(Database, Version1PathsBecomeSearchDirectoriesAndGenresAreMapped) {
    const std::string games = kSep + "games" + kSep, shots = kSep + "a" + kSep,
                      pics = kSep + "Pics" + kSep;
    const std::int32_t genres[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 50, 129, -3};
    const std::int32_t mapped[] = {15, 29, 16, 36, 43, 71, 85, 93, 94, 101, 10, 50, 129, -3};
    std::string file =
        Header(1, 14) +
        Record("X", 0, shots + "1.scr," + kSep + "pics" + kSep + "2.scr", games + "X.TAP") +
        Record("Y", 1, "", kSep + "GAMES" + kSep + "Y.TAP");
    for (std::size_t i = 2; i < std::size(genres); ++i)
        file += Record("g", genres[i], "");
    GameCatalogue catalogue;
    SettingsState settings{.ScreenshotPaths = {pics}};
    const DatabaseLoadResult result = LoadDatabaseBytes(catalogue, settings, file);
    EXPECT_EQ(result.status, Status::Upgraded);
    EXPECT_EQ(result.message,
              (UserMessage{.title = "Information only",
                           .text = "Old database format has been updated to new version"}));
    ASSERT_EQ(catalogue.size(), 14u);
    EXPECT_EQ(catalogue[0],
              (GameRecord{"X", 15, "1.scr,2.scr", 1985, "x\r\ny", "X.TAP", "P", "A", ""}));
    for (std::size_t i = 0; i < std::size(genres); ++i)
        EXPECT_EQ(catalogue[i].Genre, mapped[i]) << genres[i];
    // Each directory is registered once, whatever its letter case.
    EXPECT_EQ(settings.RomPaths, std::vector<std::string>{games});
    EXPECT_EQ(settings.ScreenshotPaths, (std::vector<std::string>{pics, shots}));

    // Files of version 0 or below hold no fields: blank records, genre mapped as any.
    for (std::int32_t version : {0, -1}) {
        EXPECT_EQ(LoadDatabaseBytes(catalogue, settings, Header(version, 3)).message,
                  result.message);
        EXPECT_EQ(catalogue, GameCatalogue(3, GameRecord{.Genre = 15})) << version;
    }
}

TEST(Database, DamagedOrUnsupportedFilesAreRefusedAndChangeNothing) {
    const std::string record = Record("A", 1, "s", "r") + Bytes({"m"});
    // clang-format off
    const char* problem = "There is a problem with the database file.\r\nFile not loaded";
    const char* unsupported = "Unsupported file version\r\nFile not loaded";
    const struct { const char* label; std::string bytes; Status status; const char* text; }
    cases[] = {
        {"lower-case magic", "tolm" + Bytes({2, 1}) + record, Status::Invalid, problem},
        {"empty", "", Status::Invalid, problem},
        {"version 3", Header(3, 1) + record, Status::Unsupported, unsupported},
        {"count 0", Header(2, 0), Status::Invalid, problem},
        {"count -1", Header(2, -1) + record, Status::Invalid, problem},
        {"count huge", Header(2, INT32_MAX), Status::Invalid, problem},
        {"count huge, version 0", Header(0, INT32_MAX), Status::Invalid, problem},
        {"count beyond records", Header(2, 2) + record, Status::Invalid, problem},
        // A length of -4 steps back to re-read itself: the rest then parses as a whole record.
        {"length pointing back", Header(2, 1) + Bytes({-4, "abcd", 0, 0, 0, 0, 0, 0}),
         Status::Invalid, problem},
        {"length past end", Header(2, 1) + Bytes({INT32_MAX}) + "A", Status::Invalid, problem},
        {"version 1 cut short", Header(1, 2) + Record("X", 0, "", "/new/X"), Status::Invalid,
         problem}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        GameCatalogue catalogue = {GameRecord{.Name = "kept"}};
        SettingsState settings;
        const DatabaseLoadResult result = LoadDatabaseBytes(catalogue, settings, c.bytes);
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(result.message,
                  (UserMessage{"Invalid Database", c.text, UserMessage::Icon::Critical}));
        EXPECT_EQ(catalogue, GameCatalogue{GameRecord{.Name = "kept"}});
        EXPECT_EQ(settings, SettingsState{});
    }
}

TEST(Database, CutShortAtAnyByteIsRefused) {
    const std::string whole = Header(2, 2) + Record("Ab", 3, "s1,s2", "r.tap") + Bytes({"m.ay"}) +
                              Record("", 0, "") + Bytes({""});
    GameCatalogue catalogue;
    SettingsState settings;
    ASSERT_EQ(LoadDatabaseBytes(catalogue, settings, whole).status, Status::Loaded);
    const GameCatalogue before = catalogue;
    for (std::size_t length = 0; length < whole.size(); ++length) {
        SCOPED_TRACE(length);
        EXPECT_EQ(LoadDatabaseBytes(catalogue, settings, whole.substr(0, length)).status,
                  Status::Invalid);
        EXPECT_EQ(catalogue, before);
    }
}

TEST(Database, FilesThatCannotBeReadOrWrittenAreReportedAndChangeNothing) {
    TempDir dir;
    dir.Write("adir/inside", "kept");
    GameCatalogue catalogue = {GameRecord{.Name = "kept"}};
    SettingsState settings;
    EXPECT_FALSE(LoadSettings(settings, dir.Sub("absent.ini"), {}).error.has_value());
    EXPECT_TRUE(LoadSettings(settings, dir.Sub("adir"), {}).error.has_value());
    for (const std::string target : {"gone/tolm.dat", "adir"}) {
        EXPECT_EQ(LoadDatabase(catalogue, settings, dir.Sub(target)).status, Status::Invalid);
        for (const platform::IoResult& saved : {SaveDatabase(catalogue, dir.Sub(target)),
                                                SaveSettings(settings, dir.Sub(target), {})}) {
            EXPECT_FALSE(saved);
            EXPECT_NE(saved.error.find(std::filesystem::path(target).filename().string()),
                      std::string::npos)
                << saved.error;
        }
    }
    EXPECT_EQ(catalogue, GameCatalogue{GameRecord{.Name = "kept"}});
    EXPECT_EQ(settings, SettingsState{});
    EXPECT_EQ(tolm::test::ReadAll(dir.Sub("adir/inside")), "kept");
}

} // namespace
