// Spectrum screens, the missing-files check and the filter's matching, each
// against a plain baseline measured in the same run:
//   - decoding a .scr, beside copying its 6912 bytes;
//   - the screen of a compressed 128K .z80: the library's read in this
//     process, and the whole call through the reader's child process;
//   - the archive info of 10,000 .tzx files (loading tapes with an
//     archive-info block) read through the reader's child, as after an add;
//   - checking 100,000 games over 4 search paths holding 100,000 files,
//     beside the plain lookup of a sample of the same names;
//   - one keystroke's matching over 100,000 games, and folding them once.
// Figures are medians of several runs.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "catalogue/game_filter.h"
#include "core/text.h"
#include "made_game_files.h"
#include "screens/game_file_screen.h"
#include "screens/screen_memory.h"
#include "settings/locate.h"
#include "state/archive_fill.h"
#include "state/file_check.h"
#include "timing.h"

namespace {

using namespace tolm::bench;

// The processor time of the last medianNotingCpuMs() call's median run: on a shared,
// busy machine the wall clock also counts the time spent waiting for a core.
double lastCpuMs = 0;

double medianNotingCpuMs(int runs, const std::function<void()>& work) {
    std::vector<std::pair<double, double>> samples; // wall, processor
    for (int i = 0; i < runs; ++i) {
        const std::clock_t cpuStart = std::clock();
        const double wall = timeMs(work);
        const double cpu = 1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        samples.emplace_back(wall, cpu);
    }
    std::sort(samples.begin(), samples.end());
    lastCpuMs = samples[samples.size() / 2].second;
    return samples[samples.size() / 2].first;
}

// Per-call time of `work`, repeated `calls` times per sample.
double perCallMs(int calls, const std::function<void()>& work) {
    return medianNotingCpuMs(7,
                             [&] {
                                 for (int i = 0; i < calls; ++i)
                                     work();
                             }) /
           calls;
}

constexpr int kGames = 100000;
constexpr int kPaths = 4;
constexpr int kFilesPerPath = 25000;
constexpr int kTapes = 10000;

} // namespace

int main() {
    using namespace tolm;
    const screens::ScreenMemory screen = testing::patternedScreen();

    // .scr decoding.
    screens::ScreenMemory copy{};
    const double decodeMs = perCallMs(200, [&] {
        auto picture = screens::decodeScreen(screen);
        benchmark::DoNotOptimize(picture);
    });
    const double copyMs = perCallMs(200, [&] {
        std::memcpy(copy.data(), screen.data(), copy.size());
        benchmark::DoNotOptimize(copy);
    });

    // 128K .z80, every page compressed, showing page 7.
    screens::ScreenMemory second = screen;
    std::reverse(second.begin(), second.end());
    const testing::Bytes z80 = testing::z80Version3x128(screen, second, 0x08);
    const double libraryMs = perCallMs(50, [&] {
        auto found = screens::screenFromGameFileInThisProcess(z80, "game.z80");
        if (!found)
            std::abort();
        benchmark::DoNotOptimize(found);
    });
    // The reader makes its child at its first read and keeps it for the rest.
    screens::GameFileScreenReader reader;
    const auto firstStart = Clock::now();
    if (!reader.screenOf(z80, "game.z80"))
        std::abort();
    const double firstReadMs =
        std::chrono::duration<double, std::milli>(Clock::now() - firstStart).count();
    const double isolatedMs = perCallMs(20, [&] {
        auto found = reader.screenOf(z80, "game.z80");
        if (!found)
            std::abort();
        benchmark::DoNotOptimize(found);
    });

    // Check files: 4 paths of 25,000 files; each game names a ROM, a music
    // file and two screenshots, one name in ten missing.
    namespace fs = std::filesystem;
    const fs::path root =
        fs::temp_directory_path() / ("tolm-bench-" + std::to_string(std::random_device{}()));
    std::printf("writing %d files...\n", kPaths * kFilesPerPath);
    std::fflush(stdout);
    SettingsState settings;
    std::vector<std::string> dirs;
    for (int p = 0; p < kPaths; ++p) {
        const fs::path dir = root / ("path" + std::to_string(p));
        fs::create_directories(dir);
        dirs.push_back(dir.string() + "/");
        for (int f = 0; f < kFilesPerPath; ++f)
            std::ofstream(dir / ("file" + std::to_string(p * kFilesPerPath + f) + ".dat"));
    }
    settings.romPaths = {dirs[0], dirs[1]};
    settings.screenshotPaths = {dirs[2], dirs[1]};
    settings.musicPaths = {dirs[3]};
    GameCatalogue catalogue;
    std::mt19937 random(7);
    const auto name = [&](int first, int span) {
        const int n = first + static_cast<int>(random() % static_cast<unsigned>(span));
        return random() % 10 == 0 ? "missing" + std::to_string(n) + ".dat"
                                  : "file" + std::to_string(n) + ".dat";
    };
    for (int g = 0; g < kGames; ++g) {
        GameRecord game;
        game.name = "Game " + std::to_string(g);
        game.romFile = name(0, 2 * kFilesPerPath);
        game.musicFile = name(3 * kFilesPerPath, kFilesPerPath);
        game.screenshots =
            name(2 * kFilesPerPath, kFilesPerPath) + "," + name(kFilesPerPath, 2 * kFilesPerPath);
        game.publisher = random() % 2 ? "Ocean Software" : "Caf\xC3\xA9 Soft";
        game.authors = "Author " + std::to_string(g % 977);
        game.year = 1982 + g % 12;
        catalogue.push_back(std::move(game));
    }
    FileCheckResult result;
    (void)checkFiles(catalogue, settings); // warm the file system's cache
    const double checkMs = medianNotingCpuMs(3, [&] { result = checkFiles(catalogue, settings); });
    const double checkCpuMs = lastCpuMs;
    // The same names looked up one candidate path at a time, on a sample.
    constexpr int kSample = 2000;
    const double plainMs =
        medianNotingCpuMs(
            3,
            [&] {
                for (int g = 0; g < kSample; ++g) {
                    const GameRecord& game = catalogue[static_cast<std::size_t>(g)];
                    benchmark::DoNotOptimize(locateFile(game.romFile, settings.romPaths));
                    benchmark::DoNotOptimize(locateFile(game.musicFile, settings.musicPaths));
                    for (std::string_view part : splitList(game.screenshots))
                        benchmark::DoNotOptimize(locateFile(part, settings.screenshotPaths));
                }
            }) *
        (kGames / kSample);
    // Archive info of 10,000 tapes, found over the ROM paths and read
    // through the reader's child, as the fill after an add reads them.
    std::printf("writing %d tapes...\n", kTapes);
    std::fflush(stdout);
    const fs::path tapes = root / "tapes";
    fs::create_directories(tapes);
    std::vector<AddedGame> tapeGames;
    for (int t = 0; t < kTapes; ++t) {
        const testing::Bytes tzx =
            testing::tzxWithArchiveInfo({{{0x00, "Game " + std::to_string(t)},
                                          {0x01, "Caf\xE9 Soft"},
                                          {0x02, "Author " + std::to_string(t % 977)},
                                          {0x03, std::to_string(1982 + t % 12)}}},
                                        testing::loadingScreenBlocks(screen));
        const std::string file = "game" + std::to_string(t) + ".tzx";
        std::ofstream(tapes / file, std::ios::binary)
            .write(reinterpret_cast<const char*>(tzx.data()),
                   static_cast<std::streamsize>(tzx.size()));
        GameRecord game;
        game.name = "Game " + std::to_string(t);
        game.romFile = file;
        tapeGames.push_back({t, std::move(game)});
    }
    const std::vector<std::string> tapePaths = {dirs[0], tapes.string() + "/"};
    std::size_t infosRead = 0;
    const double tapesMs = medianNotingCpuMs(3, [&] {
        const auto infos = readArchiveInfos(tapeGames, tapePaths, reader, {});
        infosRead = static_cast<std::size_t>(std::count_if(
            infos.begin(), infos.end(), [](const auto& info) { return info.has_value(); }));
    });
    const double tapesCpuMs = lastCpuMs;
    if (infosRead != kTapes)
        std::abort();
    std::error_code ignored;
    fs::remove_all(root, ignored);

    // Filter matching.
    GameFilterIndex index;
    const double foldMs = medianNotingCpuMs(5, [&] { index.rebuild(catalogue); });
    std::size_t shown = 0;
    const auto keystroke = [&](const char* typed) {
        std::vector<char> marks;
        return medianNotingCpuMs(9, [&] {
            index.matchAll(filterWords(typed), marks);
            shown = static_cast<std::size_t>(std::count(marks.begin(), marks.end(), 1));
        });
    };
    const double oneWordMs = keystroke("cafe");
    const double oneWordCpuMs = lastCpuMs;
    const double threeWordsMs = keystroke("cafe 1987 author 97");
    const double threeWordsCpuMs = lastCpuMs;

    std::printf("\n.scr decode: %.4f ms, %.1fx a plain copy of its bytes\n", decodeMs,
                decodeMs / copyMs);
    std::printf("128K .z80 screen: library read %.3f ms, through the reader's child process "
                "%.3f ms (%.1fx); the first read, which makes the child, %.1f ms\n",
                libraryMs, isolatedMs, isolatedMs / libraryMs, firstReadMs);
    std::printf(
        "check files: %s; %.0f ms, %.1fx faster than testing each candidate path (%.0f ms)\n",
        fileCheckSummary(result).c_str(), checkMs, plainMs / checkMs, plainMs);
    std::printf("filter: folding %d games once %.1f ms; a keystroke matches %zu games\n", kGames,
                foldMs, shown);
    std::printf("\ndecoding a .scr: %.4f ms (goal 0.5 ms)\n", decodeMs);
    std::printf("screen of a compressed 128K .z80: %.3f ms (goal 2 ms)\n", isolatedMs);
    std::printf("archive info from %d tzx files: %.0f ms (goal 10000 ms)\n", kTapes, tapesMs);
    std::printf(
        "  (each file %zu bytes; this process's processor time %.0f ms; %d children made, each "
        "serving a fixed number of reads)\n",
        testing::tzxWithArchiveInfo({{{0x00, "Game 0"}}}, testing::loadingScreenBlocks(screen))
            .size(),
        tapesCpuMs, reader.childrenStarted());
    std::printf("check files, %d games over %d paths with %d files: %.0f ms, processor %.0f ms "
                "(goal 1000 ms)\n",
                kGames, kPaths, kPaths * kFilesPerPath, checkMs, checkCpuMs);
    std::printf("filter matching per keystroke, %d games: %.1f ms one word (processor %.1f ms), "
                "%.1f ms three words (processor %.1f ms) (goal 30 ms with the view)\n",
                kGames, oneWordMs, oneWordCpuMs, threeWordsMs, threeWordsCpuMs);
    return 0;
}
