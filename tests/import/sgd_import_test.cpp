#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "catalogue/genres.h"
#include "import/sgd_data.h"
#include "import/sgd_import.h"
#include "import/sgd_ini.h"
#include "platform/longpath.h"
#include "sgd_writer.h"
#include "support/temp_dir.h"

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
    Strings asked;
    std::string longPathOf(const std::string& path) override {
        asked.push_back(path);
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

TEST(sgdRecordCount, RoundsHalfToEven) {
    // clang-format off
    const std::pair<std::uint64_t, std::uint64_t> cases[] = {
        {0, 0}, {125, 0}, {126, 0}, {127, 1}, {252, 1}, {378, 2}, {630, 2}, {631, 3},
        {2520, 10}, {2646, 10}, {2772, 11}, {2898, 12}, {25200000, 100000}};
    // clang-format on
    for (const auto& [length, count] : cases)
        EXPECT_EQ(sgdRecordCount(length), count) << length;
}

TEST(SgdRecordReader, SameRecordsWhateverThePiecesAndAShortLastOnePadded) {
    const std::string ten = sgdFileBytes(10);
    // clang-format off
    const struct { std::size_t length; std::size_t records; bool padded; } cases[] = {
        {2520, 10, false}, {2646, 10, false}, // 10.5: the half record is dropped
        {2520 + 127, 11, true}, {2520 - 252 + 130, 10, true}, {100, 0, false}, {0, 0, false}};
    // clang-format on
    for (const auto& [length, records, padded] : cases)
        for (const std::size_t piece : {std::size_t{1}, std::size_t{7}, std::size_t{252},
                                        std::size_t{253}, std::size_t{100000}}) {
            const std::string bytes = (ten + ten).substr(0, length);
            SgdRecordReader reader;
            for (std::size_t at = 0; at < bytes.size(); at += piece)
                reader.take(std::string_view(bytes).substr(at, piece));
            const SgdRecords read = reader.finish();
            ASSERT_EQ(read.size(), records) << length << " by " << piece;
            for (std::size_t i = 0; i < read.size(); ++i) {
                const std::size_t start = i * kSgdRecordSize;
                const std::string expected =
                    i + 1 < read.size() || !padded
                        ? bytes.substr(start, kSgdRecordSize)
                        : bytes.substr(start) +
                              std::string(start + kSgdRecordSize - bytes.size(), ' ');
                EXPECT_EQ(std::string(read[i].bytes.data(), kSgdRecordSize), expected)
                    << length << " by " << piece << " record " << i;
            }
        }
    // 11.5 records: the twelfth is half there and read with its missing half blank.
    const SgdRecords twelve = loadSgdBytes(sgdFileBytes(12).substr(0, 2898));
    ASSERT_EQ(twelve.size(), 12u);
    EXPECT_EQ(cleanSgdField(twelve[11].field(sgd_field::kAuthors)), "");
    EXPECT_EQ(cleanSgdField(twelve[11].field(sgd_field::kName)), "Game 11");
}

TEST(loadSgdFile, ReadsTheFileAndFailsWithoutOne) {
    TempDir dir;
    const std::string bytes = sgdFileBytes(3) + "12345"; // a stray tail is no record
    dir.write("GAMES.DAT", bytes);
    SgdRecords records;
    std::uint64_t lastProgress = 0;
    ASSERT_TRUE(loadSgdFile(dir.sub("GAMES.DAT"), records,
                            [&](std::uint64_t done) { lastProgress = done; }));
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(std::string(records[2].bytes.data(), kSgdRecordSize), sgdFileBytes(3).substr(504));
    EXPECT_EQ(lastProgress, bytes.size());

    for (const char* bad : {"missing.dat", ""}) {
        const platform::IoResult result = loadSgdFile(dir.sub(bad), records);
        EXPECT_FALSE(result) << bad;
        EXPECT_NE(result.error.find(dir.sub(bad)), std::string::npos) << result.error;
        EXPECT_TRUE(records.empty());
    }
}

TEST(cleanSgdField, DropsCrLfPairsThenOuterSpaces) {
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {"Jet Set Willy                        ", "Jet Set Willy"}, {"   ", ""}, {"", ""},
        {"  a  b  ", "a  b"}, {"\tTab ", "\tTab"}, {"A\r\nB", "AB"}, {" \r\n X \r\n", "X"},
        {"A\rB\n", "A\rB\n"}, {"\r\r\n\n", "\r\n"}, // one pass: no pair is made up anew
        {"\xA0" "x\xA0", "\xA0" "x\xA0"}};           // only the space is trimmed
    // clang-format on
    for (const auto& [raw, clean] : cases)
        EXPECT_EQ(cleanSgdField(raw), clean) << raw;
}

TEST(importSgdRecords, GenreCodesMapThroughTheCoarseTable) {
    for (const CoarseGenre& coarse : CoarseGenreMap) {
        std::string upper(coarse.sgdCode);
        for (char& c : upper)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        for (const std::string& code : {std::string(coarse.sgdCode), upper, " " + upper + " "})
            EXPECT_EQ(importOne({"G", "", "", "", code, "", ""}).genre, coarse.genreIndex) << code;
    }
    const std::pair<const char*, std::int32_t> others[] = {
        {"xyz", 0}, {"", 0}, {"arc/", 0}, {"ar c", 0}, {"arcade", 0}, {"dem\r\n", 94}};
    for (const auto& [code, genre] : others)
        EXPECT_EQ(importOne({"G", "", "", "", code, "", ""}).genre, genre) << code;
}

TEST(importSgdRecords, FieldsBecomeTheGame) {
    // clang-format off
    const struct { const char* year; std::int32_t expected; } years[] = {
        {"1985", 1985}, {"19??", 19}, {"", 0}, {"  84 ", 84}, {"1 9 8", 198}, {"?", 0},
        {"-12", -12}, {"84.5", 84}};
    // clang-format on
    for (const auto& [year, expected] : years)
        EXPECT_EQ(importOne({"G", year, "", "", "", "", ""}).year, expected) << year;

    const GameRecord game = importOne({"  Jet Set Willy ", "1984", " Software Projects ", "JSW.TAP",
                                       "arc", "0", "Matthew Smith\r\n, Caf\xC3\xA9 crew"},
                                      {"/sgd/games"});
    GameRecord expected;
    expected.name = "Jet Set Willy";
    expected.genre = 15;
    expected.year = 1984;
    expected.romFile = joined("/sgd/games", "JSW.TAP");
    expected.publisher = "Software Projects";
    expected.authors = "Matthew Smith, Caf\xC3\xA9 crew"; // Windows-1252 in the file
    EXPECT_EQ(game, expected);

    // A name of spaces gives a blank record, as the catalogue knows them.
    EXPECT_EQ(importOne({"", "", "", "", "", "", ""}), GameRecord{});
}

TEST(importSgdRecords, DirectoryIndexPicksTheGameDir) {
#ifdef _WIN32
    GTEST_SKIP() << "POSIX only: the expected joins use POSIX separators";
#endif
    const Strings dirs = {"/a", "/b/", "C:\\SGD\\GAMES"};
    // clang-format off
    const struct { const char* index; const char* file; std::string romFile; } cases[] = {
        {"0", "JSW.TAP", joined("/a", "JSW.TAP")},
        {"1", "JSW.TAP", "/b/JSW.TAP"}, // a GameDir ending in a separator gets no second one
        {"2", "JSW.TAP", joined("C:\\SGD\\GAMES", "JSW.TAP")},
        {" 1 ", "JSW.TAP", "/b/JSW.TAP"}, {"0 1", "JSW.TAP", "/b/JSW.TAP"}, // blanks skipped
        {"1 0", "JSW.TAP", "JSW.TAP"},    // 10: beyond the list
        {"3", "JSW.TAP", "JSW.TAP"}, {"9999", "JSW.TAP", "JSW.TAP"},
        {"-1", "JSW.TAP", "JSW.TAP"}, {"-0", "JSW.TAP", joined("/a", "JSW.TAP")},
        {"", "JSW.TAP", joined("/a", "JSW.TAP")}, {"x", "JSW.TAP", joined("/a", "JSW.TAP")},
        {"2.5", "JSW.TAP", joined("C:\\SGD\\GAMES", "JSW.TAP")}, // half to even: 2
        {"0.5", "JSW.TAP", joined("/a", "JSW.TAP")},
        {"0", " J S W.TAP ", joined("/a", "JSW.TAP")}, // spaces in the name go
        {"0", "", ""}, {"0", "   ", ""}}; // no name: no file, not the directory
    // clang-format on
    for (const auto& [index, file, romFile] : cases)
        EXPECT_EQ(importOne({"G", "", "", file, "", index, ""}, dirs).romFile, romFile)
            << index << " " << file;
    EXPECT_EQ(importOne({"G", "", "", "JSW.TAP", "", "0", ""}, {}).romFile, "JSW.TAP");
}

TEST(importSgdRecords, TheFileTakesItsLongForm) {
    TableLongPaths longPaths;
    longPaths.known = {{joined("/sgd/GAMES", "JSW.TAP"), "/sgd/Games/jsw.tap"},
                       {"MANIC.TAP", "Manic.tap"}};
    GameCatalogue catalogue;
    const std::string bytes = sgdRecordBytes({"A", "", "", "JSW.TAP", "", "0", ""}) +
                              sgdRecordBytes({"B", "", "", "MANIC.TAP", "", "7", ""});
    importSgdRecords(catalogue, loadSgdBytes(bytes), {"/sgd/GAMES"}, false, longPaths);
    ASSERT_EQ(catalogue.size(), 2u);
    EXPECT_EQ(catalogue[0].romFile, "/sgd/Games/jsw.tap");
    EXPECT_EQ(catalogue[1].romFile, "Manic.tap");
}

TEST(importSgdRecords, OverwriteReplacesAndAppendAdds) {
    GameCatalogue twoGames(2);
    twoGames[0].name = "Kept";
    twoGames[1].name = "Also kept";
    const GameCatalogue emptied(1); // one blank record, as "remove all" leaves it
    // clang-format off
    const struct { const char* what; GameCatalogue before; bool overwrite; int records; Strings names; } cases[] = {
        {"unsized, append", {}, false, 2, {"Game 0", "Game 1"}},
        {"unsized, overwrite", {}, true, 2, {"Game 0", "Game 1"}},
        {"games, append", twoGames, false, 2, {"Kept", "Also kept", "Game 0", "Game 1"}},
        {"games, overwrite", twoGames, true, 1, {"Game 0"}},
        {"emptied, append", emptied, false, 1, {"", "Game 0"}}, // the blank record stays in front
        {"emptied, overwrite", emptied, true, 1, {"Game 0"}},
        {"no records, append", twoGames, false, 0, {"Kept", "Also kept"}},
        {"no records, overwrite", twoGames, true, 0, {"Kept", "Also kept"}},
        {"no records, unsized", {}, true, 0, {}}};
    // clang-format on
    for (const auto& [what, before, overwrite, records, names] : cases) {
        GameCatalogue catalogue = before;
        TableLongPaths longPaths;
        std::size_t lastProgress = 0;
        const std::size_t added =
            importSgdRecords(catalogue, loadSgdBytes(sgdFileBytes(records)), {}, overwrite,
                             longPaths, [&](std::size_t done) { lastProgress = done; });
        EXPECT_EQ(added, static_cast<std::size_t>(records)) << what;
        EXPECT_EQ(lastProgress, static_cast<std::size_t>(records)) << what;
        Strings got;
        for (const GameRecord& game : catalogue)
            got.push_back(game.name);
        EXPECT_EQ(got, names) << what;
    }
}

TEST(gameDirEntries, ReadLikeSgdReadsItsSettings) {
    // clang-format off
    const struct { const char* ini; Strings dirs; } cases[] = {
        {"GameDir=C:\\SGD\\GAMES\r\nGameDir = D:\\MORE\r\n", {"C:\\SGD\\GAMES", "D:\\MORE"}},
        {"[SGD]\r\nSound=1\r\nGameDir=/home/me/spectrum\n", {"/home/me/spectrum"}},
        {"GameDir=C:\\MY GAMES", {"C:\\MYGAMES"}},       // blanks removed
        {"GameDir=C:\\A,B\r\nGameDir=D:\\", {"C:\\A", "D:\\"}}, // a comma ends the field
        {"GameDir=/a,GameDir=/b,GameDir=/c", {"/a", "/b", "/c"}}, // several on one line
        {"\"GameDir=C:\\A,B\"\r\nGameDir=/x", {"C:\\A,B", "/x"}}, // quoted: the comma stays
        {"\"GameDir=/a\" dropped,GameDir=/b", {"/a", "/b"}},
        {"  \"GameDir=/a\r\n/b\"", {"/a\r\n/b"}}, // a quoted field runs over the line end
        {"\"GameDir=/open", {"/open"}},             // to the end when never closed
        {"gamedir=/a\r\nGAMEDIR=/b\r\nGame Dir=/c", {"/c"}}, // the key is case-sensitive
        {"GameDir=\r\nGameDir=/b", {"", "/b"}},    // an empty entry keeps its place
        {"x GameDir=/a", {"x/a"}}, {"GameDir=GameDir=/a", {"/a"}},
        {"GameDir=/a\rGameDir=/b\n\nGameDir=/c", {"/a", "/b", "/c"}},
        {"GameDir=/caf\xE9", {"/caf\xC3\xA9"}}, // Windows-1252 in the file
        {"", {}}, {"\r\n,,\r\n", {}}, {"GameDir", {}}};
    // clang-format on
    for (const auto& [ini, dirs] : cases)
        EXPECT_EQ(gameDirEntries(ini), dirs) << ini;
}

#ifndef _WIN32 // on Windows names match ignoring case without help
TEST(readGameDirs, FindsSgdIniInAnyCaseAndMakesDoWithout) {
    TempDir dir;
    TableLongPaths noDisk;
    EXPECT_EQ(readGameDirs(dir.path(), noDisk), Strings{}); // no file: no directories
    dir.write("Games/x");
    dir.write("SGD.INI", "GameDir=" + dir.path() + "/GAMES\r\nGameDir=/nowhere/AT/ALL");
    platform::FileSystemLongPaths longPaths;
    EXPECT_EQ(readGameDirs(dir.path(), longPaths), (Strings{dir.sub("Games"), "/nowhere/AT/ALL"}));
    // A directory given with its separator gets no second one.
    platform::FileSystemLongPaths again;
    EXPECT_EQ(readGameDirs(dir.path() + kSep, again).size(), 2u);
}

#endif

TEST(listSgdDataFiles, DatFilesInAnyCaseSortedWithTheirCounts) {
    TempDir dir;
    dir.write("GAMES.DAT", std::string(100 * 252, ' '));
    dir.write("my games.dat", std::string(2898, ' '));
    dir.write("b.DaT", "");
    dir.write("A.dat", std::string(2646, ' '));
    for (const char* other : {"notes.txt", "dat", "x.data", ".hidden.dat", "folder.dat/"})
        dir.write(other);
    Strings texts;
    for (const SgdDataFile& file : listSgdDataFiles(dir.path()))
        texts.push_back(sgdListText(file));
    EXPECT_EQ(texts, (Strings{"A.dat (10)", "b.DaT (0)", "GAMES.DAT (100)", "my games.dat (12)"}));
    EXPECT_TRUE(listSgdDataFiles(dir.sub("missing")).empty());
}

TEST(importSgdFiles, SkippedFilesDoNotUseUpTheOverwrite) {
    TempDir data, program;
    data.write("ONE.DAT", sgdFileBytes(2, "0"));
    data.write("two.dat", sgdFileBytes(3, "1"));
    data.write("short.dat", "too short");
    data.write("dir.dat/");
    program.write("sgd.ini", "GameDir=/first\r\nGameDir=/second\r\n");

    GameCatalogue catalogue(4);
    catalogue[0].name = "By hand";
    platform::FileSystemLongPaths longPaths;
    std::vector<SgdImportProgress> heard;
    const SgdImportReport report = importSgdFiles(
        catalogue, data.path(), {"gone.dat", "short.dat", "dir.dat", "ONE.DAT", "two.dat"},
        program.path(), true, longPaths, [&](const SgdImportProgress& p) { heard.push_back(p); });

    ASSERT_EQ(catalogue.size(), 5u); // ONE.DAT replaced the catalogue, two.dat was appended
    EXPECT_EQ(catalogue[0].name, "Game 0");
    EXPECT_EQ(catalogue[0].romFile, joined("/first", "G0.TAP"));
    EXPECT_EQ(catalogue[4].name, "Game 2");
    EXPECT_EQ(catalogue[4].romFile, joined("/second", "G2.TAP"));
    EXPECT_TRUE(report.replacedCatalogue);
    EXPECT_EQ(report.gamesImported(), 5u);
    EXPECT_EQ(report.filesImported(), 2u);
    EXPECT_EQ(describeSgdImport(report),
              "Imported 5 games from 2 files; skipped gone.dat (not found), short.dat (holds no "
              "record), dir.dat (not found).");

    ASSERT_FALSE(heard.empty());
    const SgdImportProgress& last = heard.back();
    EXPECT_EQ(last.fileName, "two.dat");
    EXPECT_EQ(last.fileNumber, 5u);
    EXPECT_EQ(last.fileCount, 5u);
    EXPECT_EQ(last.phase, SgdImportProgress::Phase::Converting);
    EXPECT_EQ(last.done, 3u);
    EXPECT_EQ(last.total, 3u);

    // Without the box ticked, and without sgd.ini, every file is appended with bare names.
    TempDir noIni;
    const SgdImportReport appended =
        importSgdFiles(catalogue, data.path(), {"two.dat"}, noIni.path(), false, longPaths);
    EXPECT_FALSE(appended.replacedCatalogue);
    ASSERT_EQ(catalogue.size(), 8u);
    EXPECT_EQ(catalogue[7].romFile, "G2.TAP");
    EXPECT_EQ(describeSgdImport(appended), "Imported 3 games from 1 file.");
    EXPECT_EQ(describeSgdImport(SgdImportReport{}), "Imported 0 games from 0 files.");
}

} // namespace

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
