#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "import/sgd_data.h"
#include "import/sgd_import.h"
#include "import/sgd_ini.h"
#include "platform/longpath.h"
#include "sgd_writer.h"
#include "support/temp_dir.h"

// Records are written with only the fields a case cares about.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

using namespace tolm;
using tolm::test::sgdFileBytes;
using tolm::test::SgdGame;
using tolm::test::sgdRecordBytes;
using tolm::test::TempDir;

namespace {

using Strings = std::vector<std::string>;
constexpr char kSep = platform::kPathSeparator;

// Answers from a table and keeps every other path as it is, so no test of the
// conversion depends on the disk.
struct TableLongPaths final : platform::LongPathResolver {
    std::map<std::string, std::string> known;
    std::string longPathOf(const std::string& path) override {
        const auto at = known.find(path);
        return at == known.end() ? path : at->second;
    }
};

GameRecord importOne(const SgdGame& game, const Strings& gameDirs = {}) {
    TableLongPaths longPaths;
    GameCatalogue catalogue;
    importSgdRecords(catalogue, loadSgdBytes(sgdRecordBytes(game)), gameDirs, false, longPaths);
    return catalogue.at(0);
}

std::string joined(const std::string& dir, const std::string& name) {
    return dir + kSep + name;
}

// The record count rounds the length in records half to even: a last
// record more than half there is read with its missing part blank.
TEST(SgdRecordReader, SameRecordsWhateverThePiecesAndAShortLastOnePadded) {
    const std::string twelve = sgdFileBytes(12);
    // clang-format off
    const struct { std::size_t length; std::size_t records; bool padded; } cases[] = {
        {2520, 10, false}, {2520 + 127, 11, true}, {126, 0, false},
        {378, 2, true}, {630, 2, false}, {631, 3, true}};
    // clang-format on
    for (const auto& [length, records, padded] : cases) {
        EXPECT_EQ(sgdRecordCount(length), records) << length;
        const std::string bytes = twelve.substr(0, length);
        for (const std::size_t piece : {1, 253, 100000}) {
            SgdRecordReader reader;
            for (std::size_t at = 0; at < bytes.size(); at += piece)
                reader.take(std::string_view(bytes).substr(at, piece));
            const SgdRecords read = reader.finish();
            ASSERT_EQ(read.size(), records) << length << " by " << piece;
            for (std::size_t i = 0, start = 0; i < read.size(); ++i, start += kSgdRecordSize) {
                std::string expected = bytes.substr(start, kSgdRecordSize);
                if (padded && i + 1 == read.size())
                    expected.resize(kSgdRecordSize, ' ');
                EXPECT_EQ(std::string(read[i].bytes.data(), kSgdRecordSize), expected)
                    << length << " by " << piece << " record " << i;
            }
        }
    }
    EXPECT_EQ(sgdRecordCount(25200000), 100000u);
}

// Fields are cleaned and converted from Windows-1252, genre codes matched
// ignoring case and outer blanks only, the year read as its leading number, and the file takes the
// spelling it has on disk.
TEST(importSgdRecords, FieldsBecomeTheGame) {
    TableLongPaths longPaths;
    longPaths.known = {{joined("/sgd/GAMES", "JSW.TAP"), "/sgd/Games/jsw.tap"},
                       {"MANIC.TAP", "Manic.tap"}};
    GameCatalogue catalogue;
    importSgdRecords(
        catalogue,
        loadSgdBytes(sgdRecordBytes({"  Jet Set Willy ", "1984", " Software Projects ", "JSW.TAP",
                                     " ARC ", "0", "Matthew Smith\r\n, Caf\xC3\xA9 crew"}) +
                     sgdRecordBytes({"B", "19??", "", "MANIC.TAP", "ar c", "7", ""}) +
                     sgdRecordBytes({"", "", "", "", "", "", ""})),
        {"/sgd/GAMES"}, false, longPaths);
    EXPECT_EQ(catalogue,
              (GameCatalogue{{"Jet Set Willy", 15, "", 1984, "", "/sgd/Games/jsw.tap",
                              "Software Projects", "Matthew Smith, Caf\xC3\xA9 crew", ""},
                             {"B", 0, "", 19, "", "Manic.tap", "", "", ""},
                             {}})); // a name of spaces gives a blank record
}

TEST(importSgdRecords, DirectoryIndexPicksTheGameDir) {
#ifdef _WIN32
    GTEST_SKIP() << "POSIX only: the expected joins use POSIX separators";
#endif
    const Strings dirs = {"/a", "/b/", "C:\\SGD\\GAMES"};
    const std::string a = joined("/a", "JSW.TAP"), c = joined("C:\\SGD\\GAMES", "JSW.TAP");
    // clang-format off
    const struct { const char* index; const char* file; std::string romFile; } cases[] = {
        {"1", "JSW.TAP", "/b/JSW.TAP"}, // a GameDir ending in a separator gets no second one
        {"1 0", "JSW.TAP", "JSW.TAP"},    // 10: beyond the list
        {"2.5", "JSW.TAP", c}, // half to even: 2
        {"0", " J S W.TAP ", a}, // spaces in the name go
        {"0", "   ", ""}};       // no name: no file, not the directory
    // clang-format on
    for (const auto& [index, file, romFile] : cases)
        EXPECT_EQ(importOne({"G", "", "", file, "", index, ""}, dirs).romFile, romFile)
            << index << " " << file;
}

TEST(gameDirEntries, ReadLikeSgdReadsItsSettings) {
    // clang-format off
    const struct { const char* ini; Strings dirs; } cases[] = {
        {"[SGD]\r\nSound=1\r\nGameDir = C:\\MY GAMES\n", {"C:\\MYGAMES"}}, // blanks removed
        {"GameDir=/a,GameDir=/b\rGameDir=/c", {"/a", "/b", "/c"}}, // a comma ends the field
        {"\"GameDir=C:\\A,B\"\r\nGameDir=/x", {"C:\\A,B", "/x"}}, // quoted: the comma stays
        {"GameDir=\r\nGameDir=/b", {"", "/b"}},    // an empty entry keeps its place
        {"GameDir=/caf\xE9", {"/caf\xC3\xA9"}}};  // Windows-1252 in the file
    // clang-format on
    for (const auto& [ini, dirs] : cases)
        EXPECT_EQ(gameDirEntries(ini), dirs) << ini;
}

// Sorting and counting the data files is the import dialog's test.
TEST(readGameDirs, SgdIniFoundInAnyCaseAndDirectoriesTakeTheirSpellingOnDisk) {
    TempDir dir;
    TableLongPaths noDisk;
    EXPECT_EQ(readGameDirs(dir.path(), noDisk), Strings{}); // no sgd.ini: no directories
#ifndef _WIN32 // on Windows names match ignoring case without help
    dir.write("Games/x");
    dir.write("SGD.INI", "GameDir=" + dir.path() + "/GAMES\r\nGameDir=/nowhere/AT/ALL");
    platform::FileSystemLongPaths longPaths;
    EXPECT_EQ(readGameDirs(dir.path(), longPaths), (Strings{dir.sub("Games"), "/nowhere/AT/ALL"}));
#endif
}

// Files that are missing or hold no record are skipped without using up the
// overwrite; a stray tail is no record.
TEST(importSgdFiles, SkippedFilesDoNotUseUpTheOverwrite) {
    TempDir data, program, noIni;
    data.write("ONE.DAT", sgdFileBytes(2, "0"));
    data.write("two.dat", sgdFileBytes(3, "1") + "12345");
    data.write("short.dat", "too short");
    data.write("dir.dat/");
    program.write("sgd.ini", "GameDir=/first\r\nGameDir=/second\r\n");
    GameCatalogue catalogue(4, {.name = "By hand"}), emptied(1); // as "remove all" leaves it
    platform::FileSystemLongPaths longPaths;
    const SgdImportReport report = importSgdFiles(
        catalogue, data.path(), {"gone.dat", "short.dat", "dir.dat", "ONE.DAT", "two.dat"},
        program.path(), true, longPaths);
    // Without the box ticked, and without sgd.ini, every file is appended with bare names.
    const SgdImportReport appended =
        importSgdFiles(catalogue, data.path(), {"two.dat"}, noIni.path(), false, longPaths);

    Strings games;
    for (const GameRecord& game : catalogue)
        games.push_back(game.name + " " + game.romFile);
    EXPECT_EQ(
        games,
        (Strings{"Game 0 " + joined("/first", "G0.TAP"), "Game 1 " + joined("/first", "G1.TAP"),
                 "Game 0 " + joined("/second", "G0.TAP"), "Game 1 " + joined("/second", "G1.TAP"),
                 "Game 2 " + joined("/second", "G2.TAP"), "Game 0 G0.TAP", "Game 1 G1.TAP",
                 "Game 2 G2.TAP"}));
    EXPECT_TRUE(report.replacedCatalogue);
    EXPECT_FALSE(appended.replacedCatalogue);
    EXPECT_EQ(describeSgdImport(report),
              "Imported 5 games from 2 files; skipped gone.dat (not found), short.dat (holds no "
              "record), dir.dat (not found).");
    EXPECT_EQ(describeSgdImport(appended), "Imported 3 games from 1 file.");
    importSgdFiles(emptied, data.path(), {"ONE.DAT"}, noIni.path(), false, longPaths);
    EXPECT_EQ(emptied.size(), 3u) << "the blank record stays in front of appended games";
}

// The end of the session stops an import between records: the games before
// the stop are kept, the file's outcome says how many, and no file after it
// is read.
TEST(importSgdFiles, StopsBetweenRecordsKeepingWhatCameBefore) {
    TempDir data;
    data.write("A.DAT", sgdFileBytes(5, "0"));
    data.write("B.DAT", sgdFileBytes(5, "0"));
    GameCatalogue catalogue;
    platform::FileSystemLongPaths longPaths;
    int asked = 0;
    const SgdImportReport report =
        importSgdFiles(catalogue, data.path(), {"A.DAT", "B.DAT"}, data.path(), false, longPaths,
                       {}, [&asked] { return ++asked > 4; });
    EXPECT_TRUE(report.stopped);
    ASSERT_EQ(report.files.size(), 1u);
    EXPECT_EQ(report.files[0].games, 3u); // asked once before the file, then per record
    EXPECT_EQ(catalogue.size(), 3u);
}

} // namespace
