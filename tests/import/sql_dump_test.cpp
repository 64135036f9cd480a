#include "import/sql_dump.h"

#include "dump_fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace tolm;

namespace {

// A row as the tests write it: table index, then each value ("\\N" for NULL).
using Row = std::vector<std::string>;

struct Outcome {
    std::vector<Row> rows;
    bool ok = false;
    std::string error;
    std::vector<bool> defined;
};

const std::vector<SqlTableRequest> kWanted = {
    {"entries", {"id", "title", "genretype_id"}},
    {"labels", {"id", "name"}},
};

// Feeds `script` in pieces of `piece` bytes (0: whole).
Outcome read(std::string_view script, std::size_t piece = 0) {
    Outcome out;
    SqlDumpReader reader(kWanted, [&](std::size_t table, std::span<const SqlValue> values) {
        Row row{std::to_string(table)};
        for (const SqlValue& v : values)
            row.push_back(v.null ? "\\N" : v.text);
        out.rows.push_back(row);
    });
    bool ok = true;
    if (piece == 0) {
        ok = reader.feed(script);
    } else {
        for (std::size_t at = 0; ok && at < script.size(); at += piece)
            ok = reader.feed(script.substr(at, piece));
    }
    out.ok = ok && reader.finish();
    out.error = reader.error();
    for (std::size_t i = 0; i < kWanted.size(); ++i)
        out.defined.push_back(reader.tableDefined(i));
    return out;
}

const std::string kEntries =
    "CREATE TABLE `entries` (\n"
    "  `id` int(11) NOT NULL,\n"
    "  `title` varchar(250) NOT NULL DEFAULT 'x;y',\n"
    "  `is_xrated` tinyint(1) NOT NULL DEFAULT 0,\n"
    "  `genretype_id` tinyint(4) DEFAULT NULL,\n"
    "  PRIMARY KEY (`id`),\n"
    "  KEY `fk_entry_genretype` (`genretype_id`),\n"
    "  CONSTRAINT `fk` FOREIGN KEY (`genretype_id`) REFERENCES `g` (`id`)\n"
    ") ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;\n";

} // namespace

// Each part of the dump syntax, read whole and fed a byte at a time, and in
// pieces of 7: the same rows every way.
TEST(SqlDump, ReadsTheSyntaxOfDumps) {
    const struct {
        const char* what;
        std::string script;
        std::vector<Row> rows;
    } cases[] = {
        {"multi-row insert, columns from the definition, one skipped",
         kEntries +
             "INSERT INTO `entries` VALUES (1,'Manic Miner',0,12),(2,'Jet Set Willy',0,NULL);",
         {{"0", "1", "Manic Miner", "12"}, {"0", "2", "Jet Set Willy", "\\N"}}},
        {"escapes and doubled quotes",
         kEntries + "INSERT INTO `entries` VALUES (3,'It\\'s \\\"here\\\" a\\\\b\\nc ''q''',0,1);",
         {{"0", "3", "It's \"here\" a\\b\nc 'q'", "1"}}},
        {"comments of every kind, SET and LOCK lines",
         "-- MariaDB dump 10.19\n/*!40101 SET NAMES utf8mb4 */;\n# a hash comment\n"
         "SET @saved = @@x;\nLOCK TABLES `entries` WRITE;\n" +
             kEntries +
             "/*!40000 ALTER TABLE `entries` DISABLE KEYS */;\n"
             "INSERT INTO `entries` VALUES /* in between */ (4,'Ant -- Attack',0,-3);\n"
             "UNLOCK TABLES;\n",
         {{"0", "4", "Ant -- Attack", "-3"}}},
        {"columns named in the insert, in another order; an unknown one",
         kEntries +
             "INSERT INTO entries (`genretype_id`,`extra`,`title`,`id`) VALUES (7,'z','Ä',5);",
         {{"0", "5", "Ä", "7"}}},
        {"a table nobody asked for, and one added later, skipped",
         "CREATE TABLE `notes` (`id` int, `text` text);\n"
         "INSERT INTO `notes` VALUES (1,'(not a row);'),(2,'x');\n" +
             kEntries +
             "CREATE TABLE `labels` (`id` int(11), `name` varchar(100), `born` date);\n"
             "INSERT INTO `labels` VALUES (9,'Bug-Byte Software Ltd.','1983-01-01');",
         {{"1", "9", "Bug-Byte Software Ltd."}}},
        {"a string with a character set introducer; a table named with its database",
         kEntries + "INSERT INTO `zxdb`.`entries` VALUES (6,_utf8mb4 'Ghost''s',0,2);",
         {{"0", "6", "Ghost's", "2"}}},
    };
    for (const auto& c : cases) {
        for (std::size_t piece : {0, 1, 7}) {
            SCOPED_TRACE(std::string(c.what) + ", pieces of " + std::to_string(piece));
            const Outcome out = read(c.script, piece);
            EXPECT_TRUE(out.ok) << out.error;
            EXPECT_EQ(out.rows, c.rows);
        }
    }
}

// What is not a dump, or is cut short, is refused with a reason; a table
// whose definition lacks a wanted column is not defined.
TEST(SqlDump, RefusesWhatIsNotADumpOrIsCutShort) {
    const std::string row = "INSERT INTO `entries` VALUES (1,'Manic Miner',0,12);";
    const struct {
        const char* what;
        std::string script;
        bool ok;
        const char* errorHolds;
    } cases[] = {
        {"cut inside a string", kEntries + row.substr(0, 40), false, "ends too soon"},
        {"cut inside a row", kEntries + row.substr(0, row.size() - 3), false, "ends too soon"},
        {"cut inside a definition", kEntries.substr(0, 60), false, "ends too soon"},
        {"cut inside a comment", "/* a comment", false, "ends too soon"},
        {"binary data", std::string("PK\x03\x04\0\0", 6), false, "binary"},
        {"too many values", kEntries + "INSERT INTO `entries` VALUES (1,'a',0,1,9);", false,
         "more values"},
        {"too few values", kEntries + "INSERT INTO `entries` VALUES (1,'a',0);", false,
         "fewer values"},
        {"rows before the definition", row, false, "before its definition"},
        {"plain text, no statement of interest", "Hello world;\n", true, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Outcome out = read(c.script);
        EXPECT_EQ(out.ok, c.ok) << out.error;
        EXPECT_NE(out.error.find(c.errorHolds), std::string::npos) << out.error;
    }

    const Outcome partial = read("CREATE TABLE `entries` (`id` int, `title` text);");
    EXPECT_TRUE(partial.ok);
    EXPECT_EQ(partial.defined, (std::vector<bool>{false, false}));
    EXPECT_EQ(read(kEntries).defined, (std::vector<bool>{true, false}));
}

// A dump written by the real mariadb-dump (tools/make-zxdb-sample.sh): its
// comments, settings lines, locks, multi-line inserts, escapes and UTF-8.
TEST(SqlDump, ReadsWhatMariadbDumpWrites) {
    const auto& dump = kDumpFixtures[0].bytes;
    const std::string_view script(reinterpret_cast<const char*>(dump.data()), dump.size());
    for (std::size_t piece : {0, 1, 4096}) {
        SCOPED_TRACE(piece);
        const Outcome out = read(script, piece);
        ASSERT_TRUE(out.ok) << out.error;
        EXPECT_EQ(out.defined, (std::vector<bool>{true, true}));
        // Some rows of each table (entry ids and label ids never meet), in
        // the order of their keys, as the dump writes them; and the counts.
        const std::vector<std::string> ids = {"2246", "3012", "4129", "9001", "9002",
                                              "9014", "5",    "8",    "25",   "33"};
        std::vector<Row> picked;
        std::size_t counts[2] = {};
        for (const Row& row : out.rows) {
            ++counts[row[0] == "0" ? 0 : 1];
            if (std::find(ids.begin(), ids.end(), row[1]) != ids.end())
                picked.push_back(row);
        }
        EXPECT_EQ(counts[0], 36u);
        EXPECT_EQ(counts[1], 23u);
        // clang-format off
        const std::vector<Row> expected = {
            {"0", "2246", "Hobbit, The", "1"}, {"0", "3012", "Manic Miner", "9"},
            {"0", "4129", "Rambo III", "14"}, {"0", "9001", "It's a \"Quote\" \\ Test", "\\N"},
            {"0", "9002", "Caf\xC3\xA9 \xC3\x9C" "ber Stra\xC3\x9F" "e", "40"},
            {"0", "9014", "\xC5\x81\xC3\xB3" "d\xC5\xBA Express", "13"},
            {"1", "5", "Matthew Smith"}, {"1", "8", "Se\xC3\xA1n O'Brien"},
            {"1", "25", "Proxima \xE2\x80\x93 Software"}, {"1", "33", "Zo\xC3\xAB \xC3\x98rsted"}};
        // clang-format on
        EXPECT_EQ(picked, expected);
    }
}
