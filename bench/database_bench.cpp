// How fast the catalogue file loads and saves, and how much memory a loaded
// catalogue holds, against the plain file operations on the same bytes.
//
// Every timed run happens in a fresh process (this program re-runs itself
// with a mode argument), so that no run inherits memory pages or allocator
// state from another. Runs alternate between the two sides of a comparison,
// and the figures are medians.
//
// Usage: database_bench [--sizes=10000,100000,1000000] [--rounds=7] [--micro-only]
//        [Google Benchmark flags for the in-process micro timings]
//        database_bench --make <games> <file>    (writes a catalogue to profile)
//        database_bench --child <mode> <source> <target>    (one timed run)

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "catalogue/database.h"
#include "dice.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "timing.h"

using namespace tolm;
namespace fs = std::filesystem;

namespace {

using namespace tolm::bench;

// ---------------------------------------------------------------------------
// Realistic catalogues

constexpr std::array<std::string_view, 40> kWords = {
    "Manic",    "Miner",  "Jet",       "Set",      "Willy",    "Knight", "Lore",  "Atic",
    "Atac",     "Sabre",  "Wulf",      "Chuckie",  "Egg",      "Head",   "Heels", "Dizzy",
    "Skool",    "Daze",   "Elite",     "Lords",    "Midnight", "Rescue", "Batty", "Cobra",
    "Saboteur", "Exolon", "Cybernoid", "Gauntlet", "Renegade", "Target", "Chase", "Fantasy",
    "World",    "Magic",  "Castle",    "Quest",    "Dungeon",  "Star",   "Zone",  "Night"};

// Names and notes of Spanish, French and German games carry accented letters.
constexpr std::array<std::string_view, 10> kAccented = {"Mot\xC3\xA9ur",
                                                        "Cr\xC3\xA2ne",
                                                        "\xC3\x93pera",
                                                        "Fr\xC3\xBChling",
                                                        "Ca\xC3\xB1\x6F\x6E",
                                                        "Ni\xC3\xB1o",
                                                        "\xC3\x89t\xC3\xA9",
                                                        "Gr\xC3\xBC\xC3\x9F",
                                                        "Stra\xC3\x9F"
                                                        "e",
                                                        "\xC2\xA9 1986"};

constexpr std::array<std::string_view, 16> kPublishers = {"Ultimate Play The Game",
                                                          "Ocean Software",
                                                          "Imagine Software",
                                                          "Dinamic Software",
                                                          "Topo Soft",
                                                          "\xC3\x93pera Soft",
                                                          "Erbe Software",
                                                          "Gremlin Graphics",
                                                          "Hewson Consultants",
                                                          "Firebird",
                                                          "Mastertronic",
                                                          "Codemasters",
                                                          "U.S. Gold",
                                                          "Melbourne House",
                                                          "Mikro-Gen",
                                                          "Vortex Software"};

constexpr std::array<std::string_view, 14> kAuthors = {
    "Matthew Smith", "Tim Stamper",      "Chris Stamper",  "Jon Ritman",         "Raffaele Cecco",
    "Steve Turner",  "Andrew Braybrook", "Mike Singleton", "Jos\xC3\xA9 Manuel", "Pedro Ruiz",
    "Bo Jangeborg",  "Costa Panayi",     "Julian Gollop",  "Sandy White"};

constexpr std::array<std::string_view, 4> kRomExtensions = {".tap", ".tzx", ".z80", ".sna"};
constexpr std::array<std::string_view, 3> kShotExtensions = {".scr", ".gif", ".bmp"};

class GameMaker : tolm::bench::Dice {
public:
    explicit GameMaker(std::uint32_t seed) : Dice(seed) {}

    GameRecord makeRecord(std::size_t index) {
        GameRecord r;
        r.name = makeTitle();
        r.genre = uniform(0, 129);
        r.year = chance(10) ? 0 : uniform(1982, 1995);
        r.publisher = chance(5) ? std::string() : std::string(pick(kPublishers));
        r.authors = std::string(pick(kAuthors));
        for (int extra = uniform(0, 2); extra > 0; --extra)
            r.authors += ", " + std::string(pick(kAuthors));
        const std::string stem = fileStem(r.name, index);
        r.romFile = stem + std::string(pick(kRomExtensions));
        for (int shot = 0, shots = uniform(0, 4); shot < shots; ++shot) {
            if (shot > 0)
                r.screenshots += ',';
            r.screenshots += stem + "_" + std::to_string(shot) + std::string(pick(kShotExtensions));
        }
        if (chance(20))
            r.musicFile = stem + ".ay";
        r.notes = makeNotes();
        return r;
    }

private:
    std::string makeWord() { return std::string(chance(4) ? pick(kAccented) : pick(kWords)); }

    std::string makeTitle() {
        std::string t = makeWord();
        for (int more = uniform(0, 3); more > 0; --more) {
            t += ' ';
            t += makeWord();
        }
        if (chance(10)) {
            t += ' ';
            t += std::to_string(uniform(2, 4));
        }
        return t;
    }

    static std::string fileStem(const std::string& name, std::size_t index) {
        std::string stem;
        for (char c : name)
            if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
                stem += static_cast<char>(c | 0x20);
        stem.resize(std::min<std::size_t>(stem.size(), 12));
        return stem + std::to_string(index % 1000);
    }

    // A quarter of the games have no notes; the rest have one to six
    // paragraphs of a sentence or more, from a line to a short review.
    std::string makeNotes() {
        if (chance(25))
            return {};
        std::string notes;
        for (int paragraph = 0, paragraphs = uniform(1, 6); paragraph < paragraphs; ++paragraph) {
            if (paragraph > 0)
                notes += "\r\n";
            for (int sentence = 0, sentences = uniform(1, 5); sentence < sentences; ++sentence) {
                for (int word = 0, words = uniform(4, 14); word < words; ++word) {
                    std::string w = makeWord();
                    if (word == 0 || !chance(70)) {
                        notes += w;
                    } else {
                        for (char& c : w)
                            if (c >= 'A' && c <= 'Z')
                                c = static_cast<char>(c | 0x20);
                        notes += w;
                    }
                    notes += word + 1 == words ? ". " : " ";
                }
            }
        }
        return notes;
    }
};

GameCatalogue makeCatalogue(std::size_t count) {
    GameMaker maker(static_cast<std::uint32_t>(count));
    GameCatalogue catalogue;
    catalogue.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        catalogue.push_back(maker.makeRecord(i));
    return catalogue;
}

// ---------------------------------------------------------------------------
// Process measures

struct Memory {
    long rssKb = 0;
    long hwmKb = 0;
};

Memory readMemory() {
    Memory m;
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            m.rssKb = std::atol(line.c_str() + 6);
        else if (line.rfind("VmHWM:", 0) == 0)
            m.hwmKb = std::atol(line.c_str() + 6);
    }
    return m;
}

double seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

[[noreturn]] void die(const std::string& what) {
    std::fprintf(stderr, "database_bench: %s\n", what.c_str());
    std::exit(2);
}

// ---------------------------------------------------------------------------
// The plain side: one buffer, one read or write call loop.

std::unique_ptr<char[]> plainRead(const std::string& path, std::size_t& size) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        die("cannot open " + path);
    struct stat st {};
    ::fstat(fd, &st);
    size = static_cast<std::size_t>(st.st_size);
    auto buffer = std::make_unique_for_overwrite<char[]>(size);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, buffer.get() + done, size - done);
        if (n <= 0)
            die("cannot read " + path);
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    return buffer;
}

// The program always syncs a save, so the plain side syncs too. It writes in
// pieces as an ordinary writer does: one call for the whole of a big file
// makes the kernel hold all of it back until the sync, which is several
// times slower and no fair measure.
void plainReplace(const std::string& path, const char* bytes, std::size_t size) {
    constexpr std::size_t kPiece = 256 * 1024;
    const std::string temp = path + ".plain-tmp";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        die("cannot create " + temp);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, bytes + done, std::min(kPiece, size - done));
        if (n <= 0)
            die("cannot write " + temp);
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0)
        die("cannot sync " + temp);
    ::close(fd);
    if (::rename(temp.c_str(), path.c_str()) != 0)
        die("cannot rename over " + path);
    const std::string dir = fs::path(path).parent_path().string();
    const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
}

// ---------------------------------------------------------------------------
// Child modes: each prints "seconds rss_before_kb rss_after_kb hwm_kb".

int runChild(const std::string& mode, const std::string& source, const std::string& target) {
    Clock::time_point start, stop;
    Memory before, after;
    // Static, so that nothing measured is freed before the report: the
    // process ends with _exit.
    static GameCatalogue catalogue;
    if (mode == "load") {
        before = readMemory();
        start = Clock::now();
        const DatabaseLoadResult result = loadDatabase(catalogue, source);
        stop = Clock::now();
        after = readMemory();
        if (result.status != DatabaseLoadResult::Status::Loaded)
            die("load refused " + source);
        benchmark::DoNotOptimize(catalogue.data());
    } else if (mode == "read") {
        std::size_t size = 0;
        before = readMemory();
        start = Clock::now();
        const auto buffer = plainRead(source, size);
        stop = Clock::now();
        after = readMemory();
        benchmark::DoNotOptimize(buffer.get());
    } else if (mode == "save") {
        if (loadDatabase(catalogue, source).status != DatabaseLoadResult::Status::Loaded)
            die("load refused " + source);
        before = readMemory();
        start = Clock::now();
        const platform::IoResult saved =
            saveDatabase(catalogue, target, 2, platform::Durability::Synced);
        stop = Clock::now();
        after = readMemory();
        if (!saved)
            die(saved.error);
    } else if (mode == "write") {
        std::size_t size = 0;
        const auto buffer = plainRead(source, size);
        before = readMemory();
        start = Clock::now();
        plainReplace(target, buffer.get(), size);
        stop = Clock::now();
        after = readMemory();
    } else {
        die("unknown mode " + mode);
    }
    std::printf("%.9f %ld %ld %ld\n", seconds(start, stop), before.rssKb, after.rssKb, after.hwmKb);
    std::fflush(stdout);
    ::_exit(0);
}

// ---------------------------------------------------------------------------
// The parent: fresh processes, alternating sides, medians.

struct Sample {
    double seconds = 0;
    long rssBeforeKb = 0;
    long rssAfterKb = 0;
    long hwmKb = 0;
};

Sample spawn(const std::string& mode, const std::string& source, const std::string& target) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        die("pipe failed");
    const pid_t pid = ::fork();
    if (pid < 0)
        die("fork failed");
    if (pid == 0) {
        ::dup2(pipeFds[1], STDOUT_FILENO);
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        const char* args[] = {"database_bench", "--child",      mode.c_str(),
                              source.c_str(),   target.c_str(), nullptr};
        ::execv("/proc/self/exe", const_cast<char* const*>(args));
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    std::string output;
    char chunk[256];
    for (ssize_t n; (n = ::read(pipeFds[0], chunk, sizeof chunk)) > 0;)
        output.append(chunk, static_cast<std::size_t>(n));
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        die("the " + mode + " run failed");
    Sample s;
    std::istringstream in(output);
    if (!(in >> s.seconds >> s.rssBeforeKb >> s.rssAfterKb >> s.hwmKb))
        die("the " + mode + " run printed nothing useful: " + output);
    return s;
}

// Reads the file once so that both sides find it in the page cache.
void warmPageCache(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> chunk(1 << 20);
    while (in.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) || in.gcount() > 0) {
    }
}

struct SizeResult {
    std::size_t games = 0;
    std::uintmax_t fileBytes = 0;
    double load = 0, read = 0;
    double save = 0, write = 0; // both synced
    double residentRatio = 0;   // memory a loaded catalogue holds / file size
    double peakExtraRatio = 0;  // peak above that, / file size
};

SizeResult measure(std::size_t games, int rounds, const fs::path& dir) {
    SizeResult r;
    r.games = games;
    const std::string source = (dir / ("catalogue-" + std::to_string(games) + ".dat")).string();
    const std::string target = (dir / "target.dat").string();
    {
        const GameCatalogue catalogue = makeCatalogue(games);
        const platform::IoResult saved =
            saveDatabase(catalogue, source, 2, platform::Durability::Buffered);
        if (!saved)
            die(saved.error);
    }
    r.fileBytes = fs::file_size(source);

    std::vector<double> load, read, save, write, resident, peakExtra;
    auto pair = [&](const char* a, std::vector<double>& aTimes, const char* b,
                    std::vector<double>& bTimes, int round, bool replacing) {
        for (int side = 0; side < 2; ++side) {
            const bool first = (side == 0) == (round % 2 == 0);
            const char* mode = first ? a : b;
            // Both sides replace an existing file of the same size (each run's
            // output is the next run's old file), and both start with nothing
            // left to write back, so one run's dirty pages do not slow the next.
            if (replacing && !fs::exists(target))
                fs::copy_file(source, target);
            ::sync();
            warmPageCache(source);
            const Sample s = spawn(mode, source, target);
            (first ? aTimes : bTimes).push_back(s.seconds);
            if (std::string_view(mode) == "load") {
                const double grown = static_cast<double>(s.rssAfterKb - s.rssBeforeKb) * 1024.0;
                const double peak = static_cast<double>(s.hwmKb - s.rssAfterKb) * 1024.0;
                resident.push_back(grown / static_cast<double>(r.fileBytes));
                peakExtra.push_back(peak / static_cast<double>(r.fileBytes));
            }
        }
    };
    for (int round = 0; round < rounds; ++round) {
        pair("load", load, "read", read, round, false);
        pair("save", save, "write", write, round, true);
    }
    fs::remove(source);
    fs::remove(target);

    r.load = median(load);
    r.read = median(read);
    r.save = median(save);
    r.write = median(write);
    r.residentRatio = median(resident);
    r.peakExtraRatio = median(peakExtra);
    return r;
}

void printTable(const std::vector<SizeResult>& results, int rounds) {
    std::printf("\nMedians of %d fresh-process runs per figure (times in ms)\n", rounds);
    std::printf("%9s %9s | %8s %8s %5s | %8s %8s %5s | %6s %6s\n", "games", "file MB", "load",
                "read", "x", "save", "write", "x", "rss/f", "peak/f");
    for (const SizeResult& r : results)
        std::printf("%9zu %9.1f | %8.1f %8.1f %5.2f | %8.1f %8.1f %5.2f | %6.2f %6.2f\n", r.games,
                    static_cast<double>(r.fileBytes) / 1e6, r.load * 1e3, r.read * 1e3,
                    r.load / r.read, r.save * 1e3, r.write * 1e3, r.save / r.write, r.residentRatio,
                    r.peakExtraRatio);
    std::printf("rss/f: resident memory a loaded catalogue adds, over the file size; peak/f: how "
                "far the peak rose above that during the load, over the file size\n\n");
}

void printGoals(const std::vector<SizeResult>& results) {
    for (const SizeResult& r : results) {
        if (r.games < 100000)
            continue;
        std::printf("load/read ratio at %zu games: %.2fx (goal 2.5x)\n", r.games, r.load / r.read);
    }
    for (const SizeResult& r : results) {
        if (r.games < 100000)
            continue;
        std::printf("save/write ratio (both synced) at %zu games: %.2fx (goal 1.2x)\n", r.games,
                    r.save / r.write);
    }
    for (const SizeResult& r : results) {
        if (r.games < 100000)
            continue;
        std::printf("resident memory after load at %zu games: %.2fx file size (goal 2.1x)\n",
                    r.games, r.residentRatio);
        std::printf("peak above resident during load at %zu games: %.2fx file size (goal 1.0x)\n",
                    r.games, r.peakExtraRatio);
    }
}

// ---------------------------------------------------------------------------
// In-process micro timings (Google Benchmark).

std::string sampleNotes() {
    GameMaker maker(7);
    std::string notes;
    while (notes.size() < 64 * 1024)
        notes += maker.makeRecord(notes.size()).notes + "\r\n";
    return notes;
}

void BM_AnsiToUtf8(benchmark::State& state) {
    const std::string ansi = platform::utf8ToAnsi(sampleNotes());
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::ansiToUtf8(ansi));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * ansi.size()));
}
BENCHMARK(BM_AnsiToUtf8);

void BM_Utf8ToAnsi(benchmark::State& state) {
    const std::string utf8 = sampleNotes();
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::utf8ToAnsi(utf8));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * utf8.size()));
}
BENCHMARK(BM_Utf8ToAnsi);

void BM_DatabaseBytes(benchmark::State& state) {
    const GameCatalogue catalogue = makeCatalogue(static_cast<std::size_t>(state.range(0)));
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string out = databaseBytes(catalogue);
        bytes = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_DatabaseBytes)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_LoadDatabaseBytes(benchmark::State& state) {
    const std::string file = databaseBytes(makeCatalogue(static_cast<std::size_t>(state.range(0))));
    for (auto _ : state) {
        GameCatalogue catalogue;
        loadDatabaseBytes(catalogue, file);
        benchmark::DoNotOptimize(catalogue.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_LoadDatabaseBytes)->Arg(10000)->Unit(benchmark::kMillisecond);

std::vector<std::size_t> parseSizes(std::string_view list) {
    std::vector<std::size_t> sizes;
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        sizes.push_back(std::stoul(std::string(list.substr(0, comma))));
        list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
    }
    return sizes;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::string_view(argv[1]) == "--child")
        return runChild(argv[2], argv[3], argv[4]);
    if (argc == 4 && std::string_view(argv[1]) == "--make") { // a file to profile by hand
        const platform::IoResult saved = saveDatabase(makeCatalogue(std::stoul(argv[2])), argv[3]);
        return saved ? 0 : (std::fprintf(stderr, "%s\n", saved.error.c_str()), 1);
    }

    std::vector<std::size_t> sizes = {10000, 100000, 1000000};
    int rounds = 7;
    bool microOnly = false;
    std::vector<char*> benchmarkArgs = {argv[0]};
    std::string minTime = "--benchmark_min_time=0.2";
    bool minTimeGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.rfind("--sizes=", 0) == 0) {
            sizes = parseSizes(arg.substr(8));
        } else if (arg.rfind("--rounds=", 0) == 0) {
            rounds = std::max(1, std::atoi(argv[i] + 9));
        } else if (arg == "--micro-only") {
            microOnly = true;
        } else {
            minTimeGiven = minTimeGiven || arg.rfind("--benchmark_min_time", 0) == 0;
            benchmarkArgs.push_back(argv[i]);
        }
    }
    if (!minTimeGiven)
        benchmarkArgs.push_back(minTime.data());
    int benchmarkArgc = static_cast<int>(benchmarkArgs.size());
    benchmark::Initialize(&benchmarkArgc, benchmarkArgs.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (microOnly)
        return 0;

    std::string pattern = (fs::temp_directory_path() / "tolm-bench.XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        die("cannot make a temporary directory");
    const fs::path dir = pattern;

    std::vector<SizeResult> results;
    for (std::size_t games : sizes) {
        std::fprintf(stderr, "database_bench: %zu games, %d rounds...\n", games, rounds);
        results.push_back(measure(games, rounds, dir));
    }
    fs::remove_all(dir);
    printTable(results, rounds);
    printGoals(results);
    return 0;
}
