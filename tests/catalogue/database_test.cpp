#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "../platform/temp_dir.h"
#include "catalogue/database.h"
#include "platform/files.h"

using namespace tolm;
using tolm::test::ReadAll;
using tolm::test::TempDir;

namespace {

const std::string kSep(1, platform::kPathSeparator);

// Builds database bytes by hand, independently of the writer under test.
struct FileBuilder {
    std::string bytes;
    FileBuilder& Raw(std::string_view raw) {
        bytes += raw;
        return *this;
    }
    FileBuilder& Int(std::int32_t value) {
        const auto u = static_cast<std::uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8)
            bytes += static_cast<char>((u >> shift) & 0xFF);
        return *this;
    }
    FileBuilder& Text(std::string_view ansi) {
        Int(static_cast<std::int32_t>(ansi.size()));
        return Raw(ansi);
    }
    FileBuilder& Header(std::int32_t version, std::int32_t count) {
        return Raw("TOLM").Int(version).Int(count);
    }
    // Fields 1-8 as stored; `music` only for version 2.
    FileBuilder& Record(std::string_view name, std::int32_t genre, std::string_view screenshots,
                        std::int32_t year, std::string_view notes, std::string_view rom,
                        std::string_view publisher, std::string_view authors) {
        return Text(name)
            .Int(genre)
            .Text(screenshots)
            .Int(year)
            .Text(notes)
            .Text(rom)
            .Text(publisher)
            .Text(authors);
    }
};

GameRecord FullRecord() {
    GameRecord r;
    r.Name = "Mot\xC3\xA9ur Mania \xE2\x82\xAC"; // é and €
    r.Genre = 110;
    r.Screenshots = "mm1.scr,mm2.gif,,last.bmp";
    r.Year = 1984;
    r.Notes = "First line\r\nSecond line\r\n\r\n\xC3\xBF end";
    r.RomFile = "motor.tap";
    r.Publisher = "Mikro-Gen";
    r.Authors = "Chris Hinsley";
    r.MusicFile = "motor.ay";
    return r;
}

GameCatalogue SampleCatalogue() {
    GameCatalogue catalogue;
    catalogue.push_back(FullRecord());
    GameRecord second;
    second.Name = "Manic Miner";
    second.Genre = 9;
    second.Year = -5;
    second.RomFile = "manic.z80";
    catalogue.push_back(second);
    catalogue.emplace_back(); // a blank record in the middle survives too
    GameRecord last;
    last.Name = "Last";
    last.Genre = 129;
    last.Year = INT32_MAX;
    last.Notes = std::string(70000, 'n');
    catalogue.push_back(last);
    return catalogue;
}

SettingsState SampleSettings() {
    SettingsState settings;
    settings.RomPaths = {kSep + "roms" + kSep};
    settings.DefaultEmulator = 1;
    return settings;
}

TEST(DatabaseBytes, EmptiedCatalogueIsFortyEightBytes) {
    const std::string bytes = DatabaseBytes(GameCatalogue(1));
    EXPECT_EQ(bytes,
              FileBuilder().Header(2, 1).Record("", 0, "", 0, "", "", "", "").Text("").bytes);
    EXPECT_EQ(bytes.size(), 48u);
}

TEST(DatabaseBytes, LayoutFieldByField) {
    GameCatalogue catalogue(1);
    catalogue[0] = FullRecord();
    catalogue[0].Year = -5;
    const std::string expected =
        FileBuilder()
            .Header(2, 1)
            .Record("Mot\xE9ur Mania \x80", 110, "mm1.scr,mm2.gif,,last.bmp", -5,
                    "First line\r\nSecond line\r\n\r\n\xFF end", "motor.tap", "Mikro-Gen",
                    "Chris Hinsley")
            .Text("motor.ay")
            .bytes;
    EXPECT_EQ(DatabaseBytes(catalogue), expected);
    // Version 1 leaves out the music file.
    const std::string v1 = FileBuilder()
                               .Header(1, 1)
                               .Record("Mot\xE9ur Mania \x80", 110, "mm1.scr,mm2.gif,,last.bmp", -5,
                                       "First line\r\nSecond line\r\n\r\n\xFF end", "motor.tap",
                                       "Mikro-Gen", "Chris Hinsley")
                               .bytes;
    EXPECT_EQ(DatabaseBytes(catalogue, 1), v1);
}

TEST(LoadDatabase, RoundTripKeepsEveryField) {
    const GameCatalogue written = SampleCatalogue();
    GameCatalogue loaded = {GameRecord{}, GameRecord{}}; // replaced, not appended to
    SettingsState settings = SampleSettings();
    const DatabaseLoadResult result = LoadDatabaseBytes(loaded, settings, DatabaseBytes(written));
    EXPECT_EQ(result.status, DatabaseLoadResult::Status::Loaded);
    EXPECT_FALSE(result.message.has_value());
    EXPECT_EQ(loaded, written);
    EXPECT_EQ(settings, SampleSettings());
}

TEST(LoadDatabase, RoundTripThroughAFile) {
    TempDir dir;
    const std::string path = dir.Sub("tolm.dat");
    const GameCatalogue written = SampleCatalogue();
    for (platform::Durability d : {platform::Durability::Buffered, platform::Durability::Synced}) {
        const platform::IoResult saved = SaveDatabase(written, path, kDatabaseVersion, d);
        ASSERT_TRUE(saved.ok) << saved.error;
        EXPECT_EQ(ReadAll(path), DatabaseBytes(written));
        GameCatalogue loaded;
        SettingsState settings;
        EXPECT_EQ(LoadDatabase(loaded, settings, path).status, DatabaseLoadResult::Status::Loaded);
        EXPECT_EQ(loaded, written);
    }
    EXPECT_EQ(dir.CountEntries(), 1u) << "no temporary file left behind";
}

TEST(LoadDatabase, ByteValuesRoundTripThroughUtf8) {
    GameCatalogue written(1);
    for (int b = 1; b < 256; ++b)
        written[0].Notes += static_cast<char>(b);
    // The notes are Windows-1252 here; load turns them into UTF-8 and a save
    // must give the very same bytes back.
    const std::string file = FileBuilder()
                                 .Header(2, 1)
                                 .Record("n", 0, "", 0, written[0].Notes, "", "", "")
                                 .Text("")
                                 .bytes;
    GameCatalogue loaded;
    SettingsState settings;
    ASSERT_EQ(LoadDatabaseBytes(loaded, settings, file).status, DatabaseLoadResult::Status::Loaded);
    EXPECT_EQ(DatabaseBytes(loaded), file);
}

// Version-1 files: full paths become search directories and bare names.
class Version1Upgrade : public ::testing::Test {
protected:
    DatabaseLoadResult Load(const FileBuilder& file) {
        return LoadDatabaseBytes(catalogue, settings, file.bytes);
    }
    GameCatalogue catalogue;
    SettingsState settings;
    const std::string games = kSep + "games" + kSep;
    const std::string shotsA = kSep + "shots" + kSep + "a" + kSep;
    const std::string shotsB = kSep + "pics" + kSep;
};

TEST_F(Version1Upgrade, SplitsPathsMapsGenresAndSaysSo) {
    FileBuilder file;
    file.Header(1, 3)
        .Record("X", 8, shotsA + "x1.scr," + shotsB + "x2.scr", 1985, "n", games + "X.TAP", "p",
                "a")
        .Record("Y", 50, "", 1986, "", games + "Y.TAP", "", "")
        .Record("Z", 0, shotsA + "z.scr", 0, "", "", "", "");
    const DatabaseLoadResult result = Load(file);
    EXPECT_EQ(result.status, DatabaseLoadResult::Status::Upgraded);
    ASSERT_TRUE(result.message.has_value());
    EXPECT_EQ(*result.message, (UserMessage{"Information only",
                                            "Old database format has been updated to new version",
                                            UserMessage::Icon::None, UserMessage::Buttons::Ok}));
    ASSERT_EQ(catalogue.size(), 3u);
    EXPECT_EQ(catalogue[0].RomFile, "X.TAP");
    EXPECT_EQ(catalogue[0].Screenshots, "x1.scr,x2.scr");
    EXPECT_EQ(catalogue[0].Genre, 94);
    EXPECT_EQ(catalogue[0].Notes, "n");
    EXPECT_EQ(catalogue[0].Publisher, "p");
    EXPECT_EQ(catalogue[0].Authors, "a");
    EXPECT_EQ(catalogue[0].Year, 1985);
    EXPECT_EQ(catalogue[0].MusicFile, "");
    EXPECT_EQ(catalogue[1].RomFile, "Y.TAP");
    EXPECT_EQ(catalogue[1].Genre, 50);
    EXPECT_EQ(catalogue[2].Genre, 15);
    EXPECT_EQ(catalogue[2].RomFile, "");
    EXPECT_EQ(catalogue[2].Screenshots, "z.scr");
    EXPECT_EQ(settings.RomPaths, std::vector<std::string>{games});
    EXPECT_EQ(settings.ScreenshotPaths, (std::vector<std::string>{shotsA, shotsB}));
    EXPECT_TRUE(settings.MusicPaths.empty());
}

TEST_F(Version1Upgrade, EveryCoarseGenreIsMapped) {
    FileBuilder file;
    const std::int32_t genres[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 50, 129, -3};
    const std::int32_t mapped[] = {15, 29, 16, 36, 43, 71, 85, 93, 94, 101, 10, 50, 129, -3};
    file.Header(1, static_cast<std::int32_t>(std::size(genres)));
    for (std::int32_t g : genres)
        file.Record("g", g, "", 0, "", "", "", "");
    ASSERT_EQ(Load(file).status, DatabaseLoadResult::Status::Upgraded);
    ASSERT_EQ(catalogue.size(), std::size(genres));
    for (std::size_t i = 0; i < std::size(genres); ++i)
        EXPECT_EQ(catalogue[i].Genre, mapped[i]) << genres[i];
}

TEST_F(Version1Upgrade, DirectoryAlreadyKnownInOtherCaseIsNotAddedAgain) {
    settings.RomPaths = {kSep + "other" + kSep, kSep + "GAMES" + kSep};
    FileBuilder file;
    file.Header(1, 1).Record("X", 0, "", 0, "", games + "X.TAP", "", "");
    ASSERT_EQ(Load(file).status, DatabaseLoadResult::Status::Upgraded);
    EXPECT_EQ(settings.RomPaths,
              (std::vector<std::string>{kSep + "other" + kSep, kSep + "GAMES" + kSep}));
    EXPECT_EQ(catalogue[0].RomFile, "X.TAP");
}

TEST_F(Version1Upgrade, ListWithBlankFirstEntryIsReplaced) {
    settings.RomPaths = {"", kSep + "stale" + kSep};
    FileBuilder file;
    file.Header(1, 1).Record("X", 0, "", 0, "", games + "X.TAP", "", "");
    ASSERT_EQ(Load(file).status, DatabaseLoadResult::Status::Upgraded);
    EXPECT_EQ(settings.RomPaths, std::vector<std::string>{games});
}

TEST_F(Version1Upgrade, VersionZeroOrNegativeGivesBlankRecords) {
    for (std::int32_t version : {0, -1, INT32_MIN}) {
        catalogue = {GameRecord{}};
        catalogue[0].Name = "old";
        FileBuilder file;
        file.Header(version, 3);
        const DatabaseLoadResult result = Load(file);
        EXPECT_EQ(result.status, DatabaseLoadResult::Status::Upgraded) << version;
        ASSERT_TRUE(result.message.has_value());
        EXPECT_EQ(result.message->title, "Information only");
        // Blank records, with genre 0 mapped like any version-1 genre.
        GameRecord blank;
        blank.Genre = 15;
        EXPECT_EQ(catalogue, GameCatalogue(3, blank)) << version;
    }
}

struct Refusal {
    const char* label;
    std::string bytes;
    DatabaseLoadResult::Status status;
    const char* text;
};

const char* const kProblem = "There is a problem with the database file.\r\nFile not loaded";
const char* const kUnsupported = "Unsupported file version\r\nFile not loaded";

class DatabaseRefusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(DatabaseRefusal, LeavesCatalogueAndSettingsAlone) {
    const Refusal& r = GetParam();
    GameCatalogue catalogue = SampleCatalogue();
    SettingsState settings = SampleSettings();
    const auto started = std::chrono::steady_clock::now();
    const DatabaseLoadResult result = LoadDatabaseBytes(catalogue, settings, r.bytes);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
    EXPECT_EQ(result.status, r.status);
    ASSERT_TRUE(result.message.has_value());
    EXPECT_EQ(*result.message, (UserMessage{"Invalid Database", r.text, UserMessage::Icon::Critical,
                                            UserMessage::Buttons::Ok}));
    EXPECT_EQ(catalogue, SampleCatalogue());
    EXPECT_EQ(settings, SampleSettings());
}

std::string ValidOneRecord() {
    return FileBuilder().Header(2, 1).Record("A", 1, "s", 2, "n", "r", "p", "a").Text("m").bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Table, DatabaseRefusal,
    ::testing::Values(
        Refusal{"lower_case_magic", "tolm" + ValidOneRecord().substr(4),
                DatabaseLoadResult::Status::Invalid, kProblem},
        Refusal{"other_magic", "TOLN" + ValidOneRecord().substr(4),
                DatabaseLoadResult::Status::Invalid, kProblem},
        Refusal{"empty", "", DatabaseLoadResult::Status::Invalid, kProblem},
        Refusal{"version_3", FileBuilder().Header(3, 1).bytes + ValidOneRecord().substr(12),
                DatabaseLoadResult::Status::Unsupported, kUnsupported},
        Refusal{"version_max", FileBuilder().Header(INT32_MAX, 0).bytes,
                DatabaseLoadResult::Status::Unsupported, kUnsupported},
        Refusal{"count_zero", FileBuilder().Header(2, 0).bytes, DatabaseLoadResult::Status::Invalid,
                kProblem},
        Refusal{"count_negative", FileBuilder().Header(2, -1).bytes + ValidOneRecord().substr(12),
                DatabaseLoadResult::Status::Invalid, kProblem},
        Refusal{"count_huge", FileBuilder().Header(2, INT32_MAX).bytes,
                DatabaseLoadResult::Status::Invalid, kProblem},
        Refusal{"count_huge_version_1", FileBuilder().Header(1, INT32_MAX).bytes,
                DatabaseLoadResult::Status::Invalid, kProblem},
        Refusal{"count_beyond_records",
                FileBuilder().Header(2, 2).bytes + ValidOneRecord().substr(12),
                DatabaseLoadResult::Status::Invalid, kProblem},
        Refusal{"negative_length", FileBuilder().Header(2, 1).Int(-1).Raw("AAAA").bytes,
                DatabaseLoadResult::Status::Invalid, kProblem},
        Refusal{"length_past_end", FileBuilder().Header(2, 1).Int(INT32_MAX).Raw("A").bytes,
                DatabaseLoadResult::Status::Invalid, kProblem},
        Refusal{"length_past_end_in_last_field",
                ValidOneRecord().substr(0, ValidOneRecord().size() - 5) +
                    FileBuilder().Int(2).Raw("m").bytes,
                DatabaseLoadResult::Status::Invalid, kProblem}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(LoadDatabase, TruncationAtEveryOffsetIsRefused) {
    const std::string whole = FileBuilder()
                                  .Header(2, 2)
                                  .Record("Ab", 3, "s1,s2", 1999, "x\r\ny", "r.tap", "P", "A")
                                  .Text("m.ay")
                                  .Record("", 0, "", 0, "", "", "", "")
                                  .Text("")
                                  .bytes;
    {
        GameCatalogue catalogue;
        SettingsState settings;
        ASSERT_EQ(LoadDatabaseBytes(catalogue, settings, whole).status,
                  DatabaseLoadResult::Status::Loaded);
        ASSERT_EQ(catalogue.size(), 2u);
    }
    for (std::size_t length = 0; length < whole.size(); ++length) {
        GameCatalogue catalogue = SampleCatalogue();
        SettingsState settings = SampleSettings();
        const DatabaseLoadResult result =
            LoadDatabaseBytes(catalogue, settings, std::string_view(whole).substr(0, length));
        EXPECT_EQ(result.status, DatabaseLoadResult::Status::Invalid) << "length " << length;
        EXPECT_TRUE(result.message.has_value()) << "length " << length;
        EXPECT_EQ(catalogue, SampleCatalogue()) << "length " << length;
        EXPECT_EQ(settings, SampleSettings()) << "length " << length;
    }
}

TEST(LoadDatabase, Version1TruncatedLeavesSettingsAlone) {
    const std::string whole = FileBuilder()
                                  .Header(1, 2)
                                  .Record("X", 0, "", 0, "", kSep + "new" + kSep + "X.TAP", "", "")
                                  .bytes;
    GameCatalogue catalogue = SampleCatalogue();
    SettingsState settings = SampleSettings();
    EXPECT_EQ(LoadDatabaseBytes(catalogue, settings, whole).status,
              DatabaseLoadResult::Status::Invalid);
    EXPECT_EQ(settings, SampleSettings());
    EXPECT_EQ(catalogue, SampleCatalogue());
}

TEST(LoadDatabase, MissingOrUnreadableFileIsRefused) {
    TempDir dir;
    dir.MakeDir("adir");
    for (const std::string& path : {dir.Sub("absent.dat"), dir.Sub("adir")}) {
        GameCatalogue catalogue = SampleCatalogue();
        SettingsState settings = SampleSettings();
        const DatabaseLoadResult result = LoadDatabase(catalogue, settings, path);
        EXPECT_EQ(result.status, DatabaseLoadResult::Status::Invalid) << path;
        EXPECT_TRUE(result.message.has_value());
        EXPECT_EQ(catalogue, SampleCatalogue());
    }
}

TEST(SaveDatabase, MissingDirectoryFailsAndNamesTheFile) {
    TempDir dir;
    const GameCatalogue catalogue = SampleCatalogue();
    const platform::IoResult result = SaveDatabase(catalogue, dir.Sub("gone/tolm.dat"));
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("tolm.dat"), std::string::npos) << result.error;
    EXPECT_EQ(catalogue, SampleCatalogue());
}

TEST(SaveDatabase, FailureKeepsWhatWasThere) {
    TempDir dir;
    dir.Write("tolm.dat/inside", "keep me");
    const platform::IoResult result = SaveDatabase(SampleCatalogue(), dir.Sub("tolm.dat"));
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("tolm.dat"), std::string::npos) << result.error;
    EXPECT_EQ(ReadAll(dir.Sub("tolm.dat/inside")), "keep me");
    EXPECT_EQ(dir.CountEntries(), 1u);
}

// The file is written in pieces; records that straddle them, and one larger
// than a piece, must come out exactly as the in-memory form.
TEST(SaveDatabase, LargeCatalogueWrittenInPiecesMatchesTheBytes) {
    GameCatalogue catalogue;
    for (int i = 0; i < 3000; ++i) {
        GameRecord r = FullRecord();
        r.Name += std::to_string(i);
        r.Notes = std::string(static_cast<std::size_t>(i % 700), 'n') + "\xC3\xA9";
        catalogue.push_back(r);
    }
    catalogue[1500].Notes = std::string(600000, 'N') + "\xE2\x82\xAC";
    TempDir dir;
    const std::string path = dir.Sub("tolm.dat");
    ASSERT_TRUE(SaveDatabase(catalogue, path, kDatabaseVersion, platform::Durability::Buffered).ok);
    EXPECT_EQ(ReadAll(path), DatabaseBytes(catalogue));
    GameCatalogue loaded;
    SettingsState settings;
    ASSERT_EQ(LoadDatabase(loaded, settings, path).status, DatabaseLoadResult::Status::Loaded);
    EXPECT_EQ(loaded, catalogue);
}

TEST(SaveDatabase, ReplacesAnOlderLongerFile) {
    TempDir dir;
    const std::string path = dir.Sub("tolm.dat");
    ASSERT_TRUE(SaveDatabase(SampleCatalogue(), path).ok);
    ASSERT_TRUE(SaveDatabase(GameCatalogue(1), path).ok);
    EXPECT_EQ(std::filesystem::file_size(path), 48u);
}

} // namespace
