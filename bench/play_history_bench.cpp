// How fast the play history of a large catalogue loads, and how its save
// compares with a plain write of the same bytes. Every game has an entry
// (the worst case), one name in ten has an accented letter, two in a hundred share their name and
// ROM file with another game. Medians of alternating runs.
//
// Usage: play_history_bench [--games=100000] [--rounds=9]

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "catalogue/game_record.h"
#include "platform/chunked_write.h"
#include "platform/files.h"
#include "state/play_history.h"
#include "support/temp_dir.h"
#include "timing.h"

using namespace tolm;
using namespace tolm::bench;

namespace {

GameCatalogue makeCatalogue(std::size_t games) {
    GameCatalogue catalogue(games);
    for (std::size_t i = 0; i < games; ++i) {
        const std::size_t n = i % 100 < 2 && i > 0 ? i - 1 : i; // a few identical records
        // One name in ten has an accented letter, as in a real collection.
        catalogue[i].name = (n % 10 == 0 ? "Mot\xC3\xA9ur Quest " : "Motor Quest ") +
                            std::to_string(n) + " - Part " + std::to_string(n % 4 + 1);
        catalogue[i].romFile = "motorquest" + std::to_string(n) + ".tzx";
    }
    return catalogue;
}

PlayHistory makeHistory(std::size_t games) {
    PlayHistory history;
    history.entries().resize(games);
    for (std::size_t i = 0; i < games; ++i)
        history.entries()[i] = {i % 7 == 0, static_cast<std::uint32_t>(i % 40 + 1),
                                1700000000 + static_cast<std::int64_t>(i) * 37,
                                static_cast<std::int64_t>(i % 5000) * 61};
    return history;
}

std::size_t option(int argc, char** argv, const char* name, std::size_t fallback) {
    const std::size_t length = std::strlen(name);
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], name, length) == 0 && argv[i][length] == '=')
            return std::strtoul(argv[i] + length + 1, nullptr, 10);
    return fallback;
}

} // namespace

int main(int argc, char** argv) {
    const std::size_t games = option(argc, argv, "--games", 100000);
    const int rounds = static_cast<int>(option(argc, argv, "--rounds", 9));
    const GameCatalogue catalogue = makeCatalogue(games);
    const PlayHistory history = makeHistory(games);
    test::TempDir dir;
    const std::string path = dir.sub(kPlayHistoryFileName);
    const std::string plainPath = dir.sub("plain.txt");
    const std::string bytes = playHistoryBytes(history, catalogue);

    std::vector<double> saves, plains, pieces;
    for (int round = 0; round < rounds; ++round) {
        plains.push_back(timeMs([&] {
            if (!platform::replaceFile(plainPath, bytes))
                std::abort();
        }));
        // The same bytes handed over as the save hands them: what writing in
        // pieces costs apart from making them.
        pieces.push_back(timeMs([&] {
            const auto inPieces = [&](const platform::ByteSink& sink) {
                for (std::size_t at = 0; at < bytes.size(); at += platform::WriteChunk::kBytes)
                    if (!sink(std::string_view(bytes).substr(at, platform::WriteChunk::kBytes)))
                        return false;
                return true;
            };
            if (!platform::replaceFileStreamed(plainPath, inPieces))
                std::abort();
        }));
        saves.push_back(timeMs([&] {
            if (!savePlayHistory(history, catalogue, path))
                std::abort();
        }));
    }
    PlayHistory loaded;
    const double load = medianMs(rounds, [&] {
        loaded = PlayHistory();
        if (!loadPlayHistory(loaded, catalogue, path))
            std::abort();
    });
    std::string fileBytes;
    const double readAlone = medianMs(rounds, [&] {
        fileBytes.clear();
        (void)platform::readFile(path, fileBytes);
    });
    const double buildAlone = medianMs(rounds, [&] { (void)playHistoryBytes(history, catalogue); });
    std::printf(
        "of which: reading the file %.1f ms; making the bytes to save %.1f ms; writing them "
        "in pieces %.1f ms\n",
        readAlone, buildAlone, median(pieces));
    if (loaded.entries() != history.entries()) {
        std::fprintf(stderr, "the history read back differs from the one written\n");
        return 1;
    }
    const double save = median(saves), plain = median(plains);
    std::printf("history file: %zu games, %zu bytes\n", games, bytes.size());
    std::printf("load history of %zu games: %.1f ms (goal 30 ms)\n", games, load);
    std::printf("save history / plain write of the same bytes: %.2fx (%.1f ms / %.1f ms) (goal "
                "1.3x)\n",
                save / plain, save, plain);
    return load <= 30 && save <= 1.3 * plain ? 0 : 1;
}
