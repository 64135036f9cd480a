// How fast a whole SGD library imports: 50,000 records into an empty
// catalogue, once with every game file on disk under a differently-cased name
// in four GameDirs (so every long-path lookup resolves), once with none of
// them there. The first is split into reading the data file, resolving the
// paths and converting the records, each timed on its own in the same run.
//
// Prints the median of several runs, each with a fresh resolver (so every
// directory listing is read again).

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

#include "catalogue/game_record.h"
#include "import/sgd_data.h"
#include "import/sgd_import.h"
#include "import/sgd_ini.h"
#include "platform/codepage.h"
#include "platform/longpath.h"
#include "platform/mounts.h"
#include "timing.h"

using namespace tolm;
namespace fs = std::filesystem;

namespace {

using namespace tolm::bench;

constexpr int kRecords = 50000;
constexpr int kDirectories = 4;
constexpr int kRuns = 5;

const char* const kWords[] = {
    "Jet",   "Set",   "Willy",   "Manic",  "Miner", "Knight",    "Lore",  "Atic",    "Atac",
    "Sabre", "Wulf",  "Chuckie", "Egg",    "Head",  "Heels",     "Dizzy", "Skool",   "Daze",
    "Elite", "Cobra", "Exolon",  "Zynaps", "Rick",  "Dangerous", "Batty", "Renegade"};
const char* const kPublishers[] = {"Ultimate Play The Game",
                                   "Ocean Software",
                                   "Imagine",
                                   "Dinamic",
                                   "Gremlin Graphics",
                                   "Hewson",
                                   "Firebird",
                                   "Mastertronic",
                                   "Codemasters",
                                   "Vortex"};
const char* const kGenres[] = {"ARC", "ADV", "ARC/ADV", "SIM", "STR", "SPO", "BRD", "LRN", "XYZ"};

std::string padded(const std::string& text, std::size_t width) {
    std::string out = text.substr(0, width);
    out.resize(width, ' ');
    return out;
}

std::string fileNameOf(int i) {
    char name[16];
    std::snprintf(name, sizeof name, "G%07d.TAP", i);
    return name;
}

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c | 0x20) : c; });
    return text;
}

// A data file of kRecords records: game i lies in GameDir i % 4.
std::string makeDataFile() {
    std::mt19937 random(1982);
    const auto pick = [&random](const auto& from) { return from[random() % std::size(from)]; };
    std::string bytes;
    bytes.reserve(std::size_t{kRecords} * kSgdRecordSize);
    for (int i = 0; i < kRecords; ++i) {
        std::string name = std::string(pick(kWords)) + ' ' + pick(kWords);
        if (random() % 3 == 0)
            name += std::string(" ") + pick(kWords);
        std::string record(kSgdRecordSize, ' ');
        const auto put = [&record](SgdField field, const std::string& text) {
            record.replace(field.offset, field.width, padded(text, field.width));
        };
        put(sgd_field::kName, name);
        put(sgd_field::kYear, random() % 10 == 0 ? "19??" : std::to_string(1982 + random() % 12));
        put(sgd_field::kPublisher, pick(kPublishers));
        put(sgd_field::kFileName, fileNameOf(i));
        put(sgd_field::kGenre, pick(kGenres));
        put(sgd_field::kDirectoryIndex, std::to_string(i % kDirectories));
        put(sgd_field::kAuthors, "Matthew Smith, Caf\xE9 Crew");
        bytes += record;
    }
    return bytes;
}

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

struct SameSpelling final : platform::LongPathResolver {
    std::string longPathOf(const std::string& path) override { return path; }
};

} // namespace

int main() {
    const fs::path root =
        fs::temp_directory_path() / ("tolm-sgd-bench-" + std::to_string(::getpid()));
    fs::create_directories(root);
    const fs::path program = root / "program";
    const fs::path data = root / "data";
    const fs::path absentProgram = root / "absent";
    fs::create_directories(program);
    fs::create_directories(data);
    fs::create_directories(absentProgram);

    // On disk the directories and files are lower case; sgd.ini and the
    // records name them in upper case, as DOS wrote them.
    std::string ini = "[SGD]\r\n";
    std::string absentIni = "[SGD]\r\n";
    for (int d = 0; d < kDirectories; ++d) {
        const fs::path dir = root / ("games" + std::to_string(d + 1));
        fs::create_directories(dir);
        ini += "GameDir=" + (root / ("GAMES" + std::to_string(d + 1))).string() + "\r\n";
        absentIni += "GameDir=" + (root / ("MISSING" + std::to_string(d + 1))).string() + "\r\n";
    }
    for (int i = 0; i < kRecords; ++i)
        std::ofstream(root / ("games" + std::to_string(i % kDirectories + 1)) /
                      lowered(fileNameOf(i)));
    writeFile(program / "sgd.ini", ini);
    writeFile(absentProgram / "SGD.INI", absentIni);
    writeFile(data / "GAMES.DAT", makeDataFile());
    const std::string dataPath = platform::joinPath(data.string(), "GAMES.DAT");

    // Reading the data file alone.
    SgdRecords records;
    const double reading = medianOf(kRuns, [&] {
        const auto start = Clock::now();
        loadSgdFile(dataPath, records);
        return msSince(start);
    });

    // Resolving every game's path alone: the GameDirs, then each file.
    std::vector<std::string> stored;
    {
        SameSpelling same;
        GameCatalogue plain;
        importSgdRecords(plain, records, readGameDirs(program.string(), same), false, same);
        for (const GameRecord& game : plain)
            stored.push_back(game.romFile);
    }
    std::size_t resolvedCount = 0;
    const double resolving = medianOf(kRuns, [&] {
        const auto start = Clock::now();
        platform::FileSystemLongPaths longPaths;
        readGameDirs(program.string(), longPaths);
        resolvedCount = 0;
        for (const std::string& path : stored)
            resolvedCount += longPaths.longPathOf(path) != path;
        return msSince(start);
    });

    // Converting alone, with every path kept as stored.
    const double converting = medianOf(kRuns, [&] {
        GameCatalogue catalogue;
        SameSpelling same;
        const std::vector<std::string> dirs = readGameDirs(program.string(), same);
        const auto start = Clock::now();
        importSgdRecords(catalogue, records, dirs, false, same);
        return msSince(start);
    });

    // The whole import, as the dialog runs it.
    const auto wholeImport = [&](const fs::path& iniDirectory, std::size_t& games,
                                 std::string& sample) {
        return medianOf(kRuns, [&] {
            GameCatalogue catalogue;
            const auto start = Clock::now();
            platform::FileSystemLongPaths longPaths;
            const SgdImportReport report = importSgdFiles(catalogue, data.string(), {"GAMES.DAT"},
                                                          iniDirectory.string(), false, longPaths);
            const double ms = msSince(start);
            games = report.gamesImported();
            sample = catalogue.empty() ? std::string() : catalogue.back().romFile;
            return ms;
        });
    };
    std::size_t onDiskGames = 0, absentGames = 0;
    std::string onDiskSample, absentSample;
    const double onDisk = wholeImport(program, onDiskGames, onDiskSample);
    const double absent = wholeImport(absentProgram, absentGames, absentSample);

    std::error_code ignored;
    fs::remove_all(root, ignored);

    std::printf("records: %d in %d GameDirs; paths resolved to another spelling: %zu\n", kRecords,
                kDirectories, resolvedCount);
    std::printf("last game's file, on disk: %s\n", onDiskSample.c_str());
    std::printf("last game's file, absent:  %s\n", absentSample.c_str());
    std::printf("  reading the data file: %.1f ms\n", reading);
    std::printf("  path resolution (listings included): %.1f ms\n", resolving);
    std::printf("  conversion: %.1f ms\n", converting);
    if (onDiskGames != kRecords || absentGames != kRecords ||
        resolvedCount != static_cast<std::size_t>(kRecords)) {
        std::printf("the import did not take every record or resolve every path\n");
        return 1;
    }
    std::printf("import of 50,000 records, files on disk: %.1f ms (goal 1000 ms)\n", onDisk);
    std::printf("import of 50,000 records, files absent: %.1f ms (goal 300 ms)\n", absent);
    return 0;
}
