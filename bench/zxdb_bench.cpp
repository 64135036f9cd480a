// How long a ZXDB script of the real database's size takes to read into the
// index, the memory the read needs at its peak, and how fast the index
// opens. The script is made up, written as mariadb-dump writes: 40,000
// entries, 60,000 releases, 120,000 downloads, the other tables in
// proportion, and one large table the reader skips.
//
// The read runs in a fresh process (this program re-runs itself), so its
// peak memory counts neither the script made here nor anything before it.
//
// Usage: zxdb_bench [--rounds=5]
//        zxdb_bench --child <script> <index>    (one read, its figures printed)

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include "import/zxdb_index.h"
#include "state/zxdb_fill.h"
#include "platform/files.h"
#include "support/temp_dir.h"
#include "timing.h"

using namespace tolm;
using namespace tolm::bench;

namespace {

constexpr int kEntries = 40000;

[[noreturn]] void die(const std::string& what) {
    std::fprintf(stderr, "zxdb_bench: %s\n", what.c_str());
    std::exit(2);
}

long peakMemoryKb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return 0;
}

// A dump script: one CREATE TABLE and INSERT statements of up to 1,000 rows
// per table, as the dump tool writes them.
class ScriptWriter {
public:
    void table(std::string_view name, std::string_view columns) {
        end();
        name_ = name;
        out_ += "--\n-- Table structure for table `" + name_ + "`\n--\n\n";
        out_ += "DROP TABLE IF EXISTS `" + name_ + "`;\nCREATE TABLE `" + name_ + "` (\n";
        out_ += columns;
        out_ +=
            "\n) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;\n\nLOCK TABLES `" + name_ + "` WRITE;\n";
    }
    void row(std::string_view values) {
        out_ += rows_ == 0 ? "INSERT INTO `" + name_ + "` VALUES (" : std::string(",(");
        out_ += values;
        out_ += ')';
        if (++rows_ == 1000) {
            out_ += ";\n";
            rows_ = 0;
        }
    }
    std::string take() {
        end();
        out_ += "/*!40111 SET SQL_NOTES=@OLD_SQL_NOTES */;\n\n-- Dump completed on 2026-12-01\n";
        return std::move(out_);
    }

private:
    void end() {
        if (rows_ > 0)
            out_ += ";\n";
        if (!name_.empty())
            out_ += "UNLOCK TABLES;\n\n";
        rows_ = 0;
    }
    std::string out_ = "-- ZXDB 1.0.250 (2026-12-01), made up for the benchmark\n"
                       "/*!40101 SET NAMES utf8mb4 */;\n\n";
    std::string name_;
    int rows_ = 0;
};

std::string str(int n) {
    return std::to_string(n);
}

std::string makeScript() {
    ScriptWriter s;
    s.table("aliases", "  `entry_id` int(11) NOT NULL,\n  `release_seq` smallint(6) NOT NULL,\n"
                       "  `language_id` char(2) NOT NULL,\n  `title` varchar(250) NOT NULL");
    for (int i = 0; i < 10000; ++i)
        s.row(str(i * 4 + 1) + ",0,'es','El Juego n\xC3\xBAmero " + str(i) + "'");
    s.table("authors", "  `entry_id` int(11) NOT NULL,\n  `label_id` int(11) NOT NULL,\n"
                       "  `team_id` int(11) DEFAULT NULL,\n  `author_seq` tinyint(4) NOT NULL");
    for (int i = 0; i < 60000; ++i)
        s.row(str(i * 2 / 3 + 1) + "," + str(i % 20000 + 10001) + ",NULL," + str(i % 2 + 1));
    s.table("downloads",
            "  `id` int(11) NOT NULL,\n  `file_link` varchar(250) NOT NULL,\n"
            "  `file_size` int(11) DEFAULT NULL,\n  `filetype_id` tinyint(4) NOT NULL,\n"
            "  `entry_id` int(11) DEFAULT NULL,\n  `comments` varchar(250) DEFAULT NULL");
    for (int i = 0; i < 120000; ++i)
        s.row(str(i + 1) + ",'/pub/sinclair/games/g/GameNumber" + str(i / 3) +
              (i % 3 == 2 ? ".scr'," : "(v" + str(i % 3) + ").tzx.zip',") + str(20000 + i) + "," +
              (i % 3 == 2 ? "22" : "8") + "," + str(i / 3 + 1) + ",NULL");
    s.table("entries", "  `id` int(11) NOT NULL,\n  `title` varchar(250) NOT NULL,\n"
                       "  `is_xrated` tinyint(1) NOT NULL DEFAULT 0,\n"
                       "  `machinetype_id` tinyint(4) DEFAULT NULL,\n"
                       "  `genretype_id` tinyint(4) DEFAULT NULL,\n  PRIMARY KEY (`id`)");
    for (int i = 1; i <= kEntries; ++i)
        s.row(str(i) + ",'" + (i % 10 == 0 ? "Caf\xC3\xA9 \\'Quest\\' " : "Game Number ") + str(i) +
              "',0," + str(i % 8 + 1) + "," + str(i % 40 + 1));
    s.table("filetypes", "  `id` tinyint(4) NOT NULL,\n  `text` varchar(50) NOT NULL");
    for (int i = 1; i <= 50; ++i)
        s.row(str(i) + (i == 8 ? ",'Tape image'" : ",'Type " + str(i) + "'"));
    s.table("genretypes", "  `id` tinyint(4) NOT NULL,\n  `text` varchar(50) NOT NULL");
    for (int i = 1; i <= 40; ++i)
        s.row(str(i) + ",'Arcade: Genre " + str(i) + "'");
    s.table("labels", "  `id` int(11) NOT NULL,\n  `name` varchar(100) NOT NULL,\n"
                      "  `country_id` char(2) DEFAULT NULL");
    for (int i = 1; i <= 30000; ++i)
        s.row(str(i) + ",'" + (i <= 10000 ? "Software House " : "Author Person ") + str(i) +
              "','GB'");
    s.table("machinetypes", "  `id` tinyint(4) NOT NULL,\n  `text` varchar(50) NOT NULL");
    for (int i = 1; i <= 8; ++i)
        s.row(str(i) + ",'ZX-Spectrum " + str(i * 16) + "K'");
    // Of no use to the index, and the largest table of all.
    s.table("magrefs", "  `id` int(11) NOT NULL,\n  `entry_id` int(11) DEFAULT NULL,\n"
                       "  `page` smallint(6) NOT NULL,\n  `score` varchar(100) DEFAULT NULL");
    for (int i = 0; i < 400000; ++i)
        s.row(str(i + 1) + "," + str(i % kEntries + 1) + "," + str(i % 120) +
              ",'Overall: 90%; a review of the game, in \\'quotes\\' and (brackets)'");
    s.table("publishers", "  `entry_id` int(11) NOT NULL,\n  `release_seq` smallint(6) NOT NULL,\n"
                          "  `label_id` int(11) NOT NULL,\n  `publisher_seq` tinyint(4) NOT NULL");
    for (int i = 0; i < 70000; ++i)
        s.row(str(i * 4 / 7 + 1) + "," + str(i % 7 == 6 ? 1 : 0) + "," + str(i % 10000 + 1) + "," +
              str(i % 2 + 1));
    s.table("releases", "  `entry_id` int(11) NOT NULL,\n  `release_seq` smallint(6) NOT NULL,\n"
                        "  `release_year` smallint(6) DEFAULT NULL");
    for (int i = 0; i < 60000; ++i)
        s.row(str(i * 2 / 3 + 1) + "," + str(i % 3 == 2 ? 1 : 0) + "," +
              (i % 50 == 0 ? std::string("NULL") : str(1982 + i % 12)));
    return s.take();
}

// One read in this fresh process: its seconds, then its peak memory in KB.
int runChild(const std::string& script, const std::string& indexPath) {
    const auto start = Clock::now();
    const zxdb::ScriptResult read = zxdb::readScript(script);
    const double seconds = msSince(start) / 1000.0;
    if (!read.index)
        die("the script did not read: " + read.error);
    if (read.index->entries.size() != static_cast<std::size_t>(kEntries))
        die("the index has " + std::to_string(read.index->entries.size()) + " entries");
    std::string error;
    if (!zxdb::saveIndex(indexPath, *read.index, error))
        die(error);
    std::printf("%.6f %ld\n", seconds, peakMemoryKb());
    return 0;
}

struct ChildFigures {
    double seconds = 0;
    long peakKb = 0;
};

ChildFigures spawn(const std::string& script, const std::string& indexPath) {
    int fds[2];
    if (::pipe(fds) != 0)
        die("pipe failed");
    const pid_t pid = ::fork();
    if (pid < 0)
        die("fork failed");
    if (pid == 0) {
        ::dup2(fds[1], STDOUT_FILENO);
        ::close(fds[0]);
        ::close(fds[1]);
        const char* args[] = {"zxdb_bench", "--child", script.c_str(), indexPath.c_str(), nullptr};
        ::execv("/proc/self/exe", const_cast<char* const*>(args));
        ::_exit(127);
    }
    ::close(fds[1]);
    std::string output;
    char chunk[256];
    for (ssize_t n; (n = ::read(fds[0], chunk, sizeof chunk)) > 0;)
        output.append(chunk, static_cast<std::size_t>(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    ChildFigures figures;
    std::istringstream in(output);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
        !(in >> figures.seconds >> figures.peakKb))
        die("the read failed");
    return figures;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string_view(argv[1]) == "--child")
        return runChild(argv[2], argv[3]);
    int rounds = 5;
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--rounds=", 9) == 0)
            rounds = std::max(1, std::atoi(argv[i] + 9));

    test::TempDir dir;
    const std::string script = dir.sub("ZXDB_mysql.sql");
    const std::string indexPath = dir.sub(zxdb::kIndexFileName);
    std::size_t scriptBytes = 0;
    {
        const std::string bytes = makeScript();
        scriptBytes = bytes.size();
        if (!platform::replaceFile(script, bytes, platform::Durability::Buffered))
            die("cannot write the script");
    }
    std::vector<double> seconds;
    std::vector<double> peaks;
    for (int round = 0; round < rounds; ++round) {
        const ChildFigures figures = spawn(script, indexPath);
        seconds.push_back(figures.seconds);
        peaks.push_back(static_cast<double>(figures.peakKb) / 1024.0);
    }
    std::string error;
    // Opening, as the program does it: the file read and its look-up tables made.
    const double open = medianMs(rounds, [&] {
        std::optional<zxdb::Index> index = zxdb::loadIndex(indexPath, error);
        if (!index)
            die("the index did not open: " + error);
        const ZxdbData data(std::move(*index));
    });
    const double read = median(seconds), peak = median(peaks);
    std::printf("script: %.1f MB; index file: %.1f MB\n", static_cast<double>(scriptBytes) / 1e6,
                static_cast<double>(platform::fileLength(indexPath).value_or(0)) / 1e6);
    std::printf("ZXDB script into index: %.2f s (goal 5 s)\n", read);
    std::printf("ZXDB read peak memory: %.0f MB (goal 300 MB)\n", peak);
    std::printf("ZXDB index open: %.1f ms (goal 100 ms)\n", open);
    return read <= 5 && peak <= 300 && open <= 100 ? 0 : 1;
}
