// Games > Fill In from Files over a big catalogue whose ROM files are all
// found: 50,000 games with TOSEC-named files, names only; then 10,000 .tzx
// tapes whose archive info is read through the game-file reader's child.

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "catalogue/game_editing.h"
#include "made_game_files.h"
#include "screens/game_file_screen.h"
#include "state/fill_in.h"
#include "support/temp_dir.h"
#include "timing.h"

namespace {

using namespace tolm;
using namespace tolm::bench;

constexpr int kNamedGames = 50000;
constexpr int kTapes = 10000;

// A TOSEC file name, each one its own: titles, dates, publishers, flags and
// extensions spread as in the Spectrum sets.
std::string tosecFileName(int i) {
    static const char* const titles[] = {"Manic Miner", "Jet Set Willy", "Knight Lore",
                                         "Hobbit, The", "Chase H.Q.",    "Rambo III"};
    static const char* const publishers[] = {"Bug-Byte Software", "Ocean Software",
                                             "Ultimate Play The Game", "Woodmass, Frank", "-"};
    static const char* const tails[] = {"", "[a]", "(Side A)[cr Mr X]", "[128K]", "(GB)(en)[a2]"};
    static const char* const extensions[] = {".tzx", ".tap", ".z80", ".tzx.zip"};
    return std::string(titles[i % 6]) + ' ' + std::to_string(i) + " (" +
           (i % 9 == 0 ? std::string("198x") : std::to_string(1982 + i % 12)) + ")(" +
           publishers[i % 5] + ')' + tails[i % 5] + extensions[i % 4];
}

void writeFile(const std::string& path, const testing::Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

// A catalogue of `count` games named by the old rule after the files
// `fileName` gives, none of them filled in.
struct Catalogue {
    test::TempDir dir;
    GameCatalogue games;
    SettingsState settings;
    std::vector<std::int32_t> positions;

    template <typename Make> Catalogue(int count, const Make& make) {
        dir.write("roms/");
        settings.romPaths = {dir.sub("roms/")};
        for (int i = 0; i < count; ++i) {
            const std::string file = make(i, dir.sub("roms/"));
            GameRecord game;
            game.name = file.substr(0, file.find('.')); // as Add Multiple named it of old
            game.romFile = file;
            games.push_back(std::move(game));
            positions.push_back(i);
        }
    }
};

} // namespace

int main() {
    const Catalogue named(kNamedGames, [](int i, const std::string& roms) {
        std::string file = tosecFileName(i);
        std::ofstream(roms + file).put('x');
        return file;
    });
    std::size_t proposals = 0;
    const double names = medianMs(5, [&] {
        proposals = proposeFillIns(named.games, named.settings, named.positions).proposals.size();
    });
    std::printf("Fill In from Files on %d games, names only: %.0f ms (goal 1000 ms), %zu "
                "proposals\n",
                kNamedGames, names, proposals);

    const auto blocks = testing::loadingScreenBlocks(testing::patternedScreen());
    const Catalogue tapes(kTapes, [&](int i, const std::string& roms) {
        const std::string file = "Tape " + std::to_string(i) + ".tzx";
        writeFile(roms + file,
                  testing::tzxWithArchiveInfo({{{0x00, "Tape " + std::to_string(i)},
                                                {0x01, "Bug-Byte Software Ltd."},
                                                {0x02, "Matthew Smith"},
                                                {0x03, std::to_string(1982 + i % 12)}}},
                                              blocks));
        return file;
    });
    screens::GameFileScreenReader reader;
    const ArchiveInfoReader read = [&reader](const std::string& path) {
        return reader.readArchiveInfo(path);
    };
    const double archive = medianMs(3, [&] {
        proposals =
            proposeFillIns(tapes.games, tapes.settings, tapes.positions, read).proposals.size();
    });
    std::printf("Fill In from Files with archive info from %d .tzx files: %.0f ms (goal 10000 "
                "ms), %zu proposals\n",
                kTapes, archive, proposals);
    return proposals == 3u * kTapes ? 0 : 1;
}
