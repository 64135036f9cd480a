#include "import/zxdb_index.h"

#include "dump_fixtures.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

using namespace tolm;
using namespace tolm::zxdb;

namespace tolm::zxdb {
// Entries shown field by field when they differ.
void PrintTo(const Entry& e, std::ostream* out) {
    const auto list = [](const std::vector<std::string>& items) {
        std::string joined;
        for (const std::string& item : items)
            joined += "[" + item + "]";
        return joined;
    };
    *out << e.id << " [" << e.title << "] aliases " << list(e.aliases) << " " << e.year << " ["
         << e.publisher << "] [" << e.authors << "] [" << e.genre << "] [" << e.machine
         << "] files " << list(e.files);
}
} // namespace tolm::zxdb

namespace {

std::string_view fixture(std::size_t i) {
    const auto& bytes = kDumpFixtures[i].bytes;
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}
const std::string kSample(fixture(0));

// Feeds `script` in pieces of `piece` bytes (0: whole).
std::optional<Index> build(std::string_view script, std::string& error, std::size_t piece = 0) {
    IndexBuilder builder;
    for (std::size_t at = 0; at < script.size(); at += piece == 0 ? script.size() : piece)
        builder.feed(script.substr(at, piece == 0 ? script.size() : piece));
    return builder.finish(error);
}

std::string replaced(std::string text, std::string_view from, std::string_view to) {
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

// Every table read, without rows.
const std::string kTables = "CREATE TABLE entries (id int, title text, genretype_id int, "
                            "machinetype_id int);\n"
                            "CREATE TABLE aliases (entry_id int, title text);\n"
                            "CREATE TABLE releases (entry_id int, release_seq int, "
                            "release_year int);\n"
                            "CREATE TABLE publishers (entry_id int, release_seq int, label_id "
                            "int, publisher_seq int);\n"
                            "CREATE TABLE authors (entry_id int, label_id int, author_seq int);\n"
                            "CREATE TABLE labels (id int, name text);\n"
                            "CREATE TABLE genretypes (id int, text text);\n"
                            "CREATE TABLE machinetypes (id int, text text);\n"
                            "CREATE TABLE downloads (entry_id int, file_link text, "
                            "filetype_id int);\n"
                            "CREATE TABLE filetypes (id int, text text);\n";

} // namespace

// The sample written by mariadb-dump, read whole and in pieces: each rule
// seen on the entries made to hit it.
TEST(ZxdbIndex, ReadsTheSampleDump) {
    // clang-format off
    const std::vector<Entry> expected = {
        {2246, "Hobbit, The", {"El Hobbit"}, 1982, "Melbourne House",
         "Philip Mitchell, Veronica Megson", "Adventure: Text", "ZX-Spectrum 48K", {}},
        {3012, "Manic Miner", {"Manic Miner 2000"}, 1983, "Bug-Byte Software Ltd", "Matthew Smith",
         "Arcade: Platform", "ZX-Spectrum 48K", {"ManicMiner.tzx.zip", "ManicMiner.tap.zip"}},
        {9001, "It's a \"Quote\" \\ Test", {}, 0, "Ocean Software Ltd - Bug-Byte Software Ltd",
         "Se\xC3\xA1n O'Brien", "", "ZX-Spectrum 48K", {}},
        {9002, "Caf\xC3\xA9 \xC3\x9C" "ber Stra\xC3\x9F" "e", {}, 0, "", "", "Demoscene", "", {}},
        {9011, "Tetris", {"\xD0\xA2\xD0\xB5\xD1\x82\xD1\x80\xD0\xB8\xD1\x81"}, 1989, "Zafiro Software",
         "", "Puzzle", "ZX-Spectrum 48K/128K", {"Tetris(Zafiro).tzx.zip"}},
        {9014, "\xC5\x81\xC3\xB3" "d\xC5\xBA Express", {}, 1987, "\xC5\xBBy" "rafa Soft",
         "Pawe\xC5\x82 W\xC4\x85s, Zo\xC3\xAB \xC3\x98rsted", "Arcade: Vehicle", "ZX-Spectrum 48K",
         {"\xC5\x81\xC3\xB3" "d\xC5\xBA" "Express.dsk.zip"}},
        {9016, "Knight's Quest", {"Die Ritterqueste", "La B\xC3\xBAsqueda del Caballero",
         "Wyprawa Rycerza"}, 1986, "Ocean Software Ltd - Zeppelin Games Ltd", "",
         "Adventure: Dungeon Crawl", "ZX-Spectrum 48K",
         {"KnightsQuest.tzx", "KnightsQuest.rom", "KnightsQuest(es).tzx.zip"}},
        {9017, "Dragon Runes", {}, 0, "", "", "Adventure: RPG", "ZX-Spectrum +3", {}},
        {9019, "Blaster Bob", {}, 1985, "Zeppelin Games Ltd", "", "Arcade: Action",
         "ZX-Spectrum 48K", {}},
        {9020, "Crystal Caverns", {}, 1986, "Zeppelin Games Ltd",
         "Ann Lee, Dan \"Dig\" Digby, The Cavern Crew", "Arcade: Adventure", "ZX-Spectrum 48K", {}},
    };
    // clang-format on
    std::optional<Index> first;
    for (std::size_t piece : {0, 1, 333}) {
        SCOPED_TRACE(piece);
        std::string error;
        const auto index = build(kSample, error, piece);
        ASSERT_TRUE(index) << error;
        EXPECT_EQ(index->version, "ZXDB sample for Tolm's tests, release 1.0.0 (2026-12-01)");
        EXPECT_EQ(index->date, "2026-12-01");
        ASSERT_EQ(index->entries.size(), 36u);
        EXPECT_EQ(index->aliasCount(), 8u);
        EXPECT_EQ(index->fileCount(), 13u);
        for (std::size_t i = 1; i < index->entries.size(); ++i)
            EXPECT_LT(index->entries[i - 1].id, index->entries[i].id);
        for (const Entry& want : expected) {
            const auto at = std::find_if(index->entries.begin(), index->entries.end(),
                                         [&](const Entry& e) { return e.id == want.id; });
            ASSERT_NE(at, index->entries.end()) << want.id;
            EXPECT_EQ(*at, want) << want.id;
        }
        if (first) {
            EXPECT_EQ(*index, *first);
        }
        first = index;
    }
}

// The plain script and the zip read from their files give the same index,
// with progress up to the whole file; stopping at the first report cancels.
TEST(ZxdbIndex, ReadsScriptFilesPlainOrZipped) {
    test::TempDir dir;
    std::string error;
    const auto expected = build(kSample, error);
    ASSERT_TRUE(expected) << error;
    for (std::size_t i : {0, 1}) {
        SCOPED_TRACE(kDumpFixtures[i].name);
        const std::string path = dir.sub(kDumpFixtures[i].name);
        dir.write(kDumpFixtures[i].name, fixture(i));
        std::uint64_t last = 0, size = 0;
        const ScriptResult read = readScript(path, [&](std::uint64_t done, std::uint64_t total) {
            EXPECT_GE(done, last);
            last = done;
            size = total;
            return true;
        });
        ASSERT_TRUE(read.index) << read.error;
        EXPECT_EQ(*read.index, *expected);
        EXPECT_EQ(last, fixture(i).size());
        EXPECT_EQ(size, fixture(i).size());

        const ScriptResult stopped = readScript(path, [](auto, auto) { return false; });
        EXPECT_TRUE(stopped.cancelled);
        EXPECT_FALSE(stopped.index);
        EXPECT_EQ(stopped.error, "");
    }
    dir.write("none.zip", fixture(1).substr(0, 100));
    for (const char* name : {"none.zip", "missing.sql"}) {
        const ScriptResult failed = readScript(dir.sub(name));
        EXPECT_FALSE(failed.index);
        EXPECT_NE(failed.error, "") << name;
    }
}

// The release named by the first "--" line holding "ZXDB" in the first
// 64 KiB, and its date; else the date the dump tool closes the file with.
TEST(ZxdbIndex, FindsVersionAndDate) {
    const std::string trailer = "\n-- Dump completed on 2026-02-03 10:11:12\n";
    const struct {
        std::string script;
        const char* version;
        const char* date;
    } cases[] = {
        {"-- ZXDB 1.0.200 (2025-01-31)\r\n" + kTables, "ZXDB 1.0.200 (2025-01-31)", "2025-01-31"},
        {"-- MariaDB dump\n-- Host: x  Database: zxdb\n--   ZXDB release 9  \n-- ZXDB 2\n" +
             kTables + trailer,
         "ZXDB release 9", "2026-02-03"},
        {"/* ZXDB 2020-01-01 */\n-- ZXDB of 2026-13-01 or 12026-01-01\n" + kTables,
         "ZXDB of 2026-13-01 or 12026-01-01", ""},
        {kTables + trailer, "", "2026-02-03"},
        {"--" + std::string(70000, ' ') + "\n-- ZXDB late 2024-01-01\n" + kTables, "", ""},
    };
    for (const auto& c : cases) {
        for (std::size_t piece : {0, 1, 7}) {
            SCOPED_TRACE(c.script.substr(0, 40) + ", pieces of " + std::to_string(piece));
            std::string error;
            const auto index = build(c.script, error, piece);
            ASSERT_TRUE(index) << error;
            EXPECT_EQ(index->version, c.version);
            EXPECT_EQ(index->date, c.date);
        }
    }
}

// A file that is no dump, a dump cut short or lacking a table: no index and
// a reason.
TEST(ZxdbIndex, RefusesWhatIsNoZxdbScript) {
    const auto cutAt = [](std::string_view marker, std::size_t after) {
        return kSample.substr(0, kSample.find(marker) + after);
    };
    const struct {
        std::string script;
        const char* errorHolds;
    } cases[] = {
        {std::string("PK\x03\x04\0\0\0", 7), "not a database script"},
        {"Hello, world;\n", "defines none of ZXDB's tables"},
        {cutAt("'Manic Miner'", 5), "cut short"},
        {cutAt("CREATE TABLE `labels`", 30), "cut short"},
        {cutAt("(9016,0,26,2)", 4), "cut short"},
        {replaced(kSample, "`releases`", "`old_releases`"), "no table `releases`"},
        {replaced(kSample, "`release_year`", "`year`"), "no table `releases` with the columns"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.errorHolds);
        std::string error;
        EXPECT_FALSE(build(c.script, error));
        EXPECT_NE(error.find(c.errorHolds), std::string::npos) << error;
    }
}

// The index file: the sample and odd values go and come back unchanged; a
// file cut at any length, of another kind, format or order is refused.
TEST(ZxdbIndex, EncodesAndDecodesTheIndexFile) {
    std::string error;
    const auto sample = build(kSample, error);
    ASSERT_TRUE(sample);
    Index odd;
    odd.entries = {{-5, "", {"", "a"}, -1, "", "x", "", "y", {""}},
                   {7, "T\xC3\xA9", {}, 2026, "x", "", "y", "", {"f.tap", "g.tap"}}};
    for (const Index& index : {*sample, odd, Index{}}) {
        const std::string bytes = encodeIndex(index);
        const auto back = decodeIndex(bytes, error);
        ASSERT_TRUE(back) << error;
        EXPECT_EQ(*back, index);
        EXPECT_EQ(encodeIndex(*back), bytes);
    }

    const std::string bytes = encodeIndex(odd);
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        EXPECT_FALSE(decodeIndex(bytes.substr(0, size), error)) << size;
        EXPECT_NE(error, "");
    }
    Index reversed = odd;
    std::swap(reversed.entries[0], reversed.entries[1]);
    const struct {
        std::string bytes;
        const char* errorHolds;
    } damaged[] = {
        {"X" + bytes.substr(1), "not a ZXDB index"},
        {replaced(bytes, std::string("ZXDB\x01\0\0\0", 8), std::string("ZXDB\x02\0\0\0", 8)),
         "format 2"},
        {bytes + "x", "goes on"},
        {encodeIndex(reversed), "out of order"},
        {std::string("TolmZXDB\x01\0\0\0\0\0\xFF\xFF\xFF\xFF\x0F", 19), "count"},
        {std::string("TolmZXDB\x01\0\0\0\0\0\0\x01", 16) + std::string(9, '\0') + "\x05",
         "refers to a text"},
    };
    for (const auto& d : damaged) {
        SCOPED_TRACE(d.errorHolds);
        EXPECT_FALSE(decodeIndex(d.bytes, error));
        EXPECT_NE(error.find(d.errorHolds), std::string::npos) << error;
    }
}

TEST(ZxdbIndex, SavesAndLoadsTheIndexFile) {
    test::TempDir dir;
    const std::string path = dir.sub(kIndexFileName);
    std::string error = "old";
    EXPECT_FALSE(loadIndex(path, error));
    EXPECT_EQ(error, "");

    Index index;
    index.version = "ZXDB 1.0.0";
    index.entries = {{3012, "Manic Miner", {}, 1983, "Bug-Byte", "", "", "", {"mm.tap"}}};
    ASSERT_TRUE(saveIndex(path, index, error)) << error;
    const auto loaded = loadIndex(path, error);
    ASSERT_TRUE(loaded) << error;
    EXPECT_EQ(*loaded, index);
    EXPECT_EQ(dir.countEntries(), 1);

    dir.write(kIndexFileName, "TolmZXDB");
    EXPECT_FALSE(loadIndex(path, error));
    EXPECT_NE(error.find(path), std::string::npos);
    EXPECT_FALSE(saveIndex(dir.sub("no/such/dir/x.idx"), index, error));
    EXPECT_NE(error, "");
}
