// Makes Spectrum files with a known screen and reports the screen a file holds:
//   screen_probe files <dir>    game.sna, game.tap, game.tzx and game.scr in <dir>,
//                               all holding the same patterned screen
//                               and info.tzx, a tape whose archive info says
//                               who made it (see `info`)
//   screen_probe info [file]    the archive info put into info.tzx, or the one
//                               read from <file>: title, publisher, authors and
//                               year, a line each; exit status 1 when none
//   screen_probe expected       the fingerprint of that screen
//   screen_probe show <file>    the fingerprint of the screen in <file> (a
//                               snapshot, tape or .scr); exit status 1 when none
//   screen_probe banded <dir>   <dir>/banded.scr: the top third red paper, the
//                               middle bright green, the bottom blue, and
//                               <dir>/tolm.dat: one game showing it
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/database.h"
#include "made_game_files.h"
#include "screens/game_file_screen.h"
#include "screens/screen_memory.h"

using namespace tolm;
using testing::Bytes;

namespace {

// FNV-1a over the decoded pixels: equal pictures, equal fingerprints.
std::string fingerprint(const screens::ScreenMemory& memory) {
    const auto picture = screens::decodeScreen(memory);
    std::uint64_t hash = 14695981039346656037ull;
    for (std::uint32_t pixel : picture->pixels)
        for (int shift = 0; shift < 32; shift += 8) {
            hash ^= (pixel >> shift) & 0xFF;
            hash *= 1099511628211ull;
        }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

bool write(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

// The archive info of info.tzx, as its bytes (Windows-1252) and as read back.
const std::vector<testing::ArchiveText> kArchiveTexts = {{0x00, "Caf\xE9 Miner"},
                                                         {0x01, "Bug-Byte Software Ltd."},
                                                         {0x02, "Matthew Smith"},
                                                         {0x03, "1983"}};
const screens::ArchiveInfo kArchiveInfo{"Caf\xC3\xA9 Miner", "Bug-Byte Software Ltd.",
                                        "Matthew Smith", 1983};

int printInfo(const std::optional<screens::ArchiveInfo>& info) {
    if (!info) {
        std::cout << "none\n";
        return 1;
    }
    std::cout << info->title << '\n'
              << info->publisher << '\n'
              << info->authors << '\n'
              << info->year << '\n';
    return 0;
}

int writeFiles(const std::string& dir) {
    const screens::ScreenMemory screen = testing::patternedScreen();
    const auto blocks = testing::loadingScreenBlocks(screen);
    const bool ok =
        write(dir + "/game.sna", testing::sna48(screen)) &&
        write(dir + "/game.tap", testing::tapFile(blocks)) &&
        write(dir + "/game.tzx", testing::tzxFile(blocks)) &&
        write(dir + "/info.tzx", testing::tzxWithArchiveInfo({kArchiveTexts}, blocks)) &&
        write(dir + "/game.scr", Bytes(screen.begin(), screen.end()));
    if (!ok)
        std::cerr << "cannot write into " << dir << '\n';
    return ok ? 0 : 1;
}

int show(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::optional<screens::ScreenMemory> memory;
    if (path.size() > 4 && path.substr(path.size() - 4) == ".scr") {
        if (bytes.size() == screens::kScreenBytes) {
            memory.emplace();
            std::copy(bytes.begin(), bytes.end(), memory->begin());
        }
    } else {
        memory = screens::GameFileScreenReader().readFile(path);
    }
    if (!memory) {
        std::cout << "none\n";
        return 1;
    }
    std::cout << fingerprint(*memory) << '\n';
    return 0;
}

int writeBanded(const std::string& dir) {
    Bytes screen(screens::kScreenBytes, 0);
    for (std::size_t cell = 0; cell < screens::kAttributeBytes; ++cell) {
        const std::size_t third = cell / 256;
        screen[screens::kBitmapBytes + cell] = third == 0   ? (2 << 3)
                                               : third == 1 ? (0x40 | (4 << 3))
                                                            : (1 << 3);
    }
    GameCatalogue catalogue(1);
    catalogue[0].name = "Banded Screen";
    catalogue[0].screenshots = "banded.scr";
    if (!write(dir + "/banded.scr", screen) || !saveDatabase(catalogue, dir + "/tolm.dat")) {
        std::cerr << "cannot write into " << dir << '\n';
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "files" && argc == 3)
        return writeFiles(argv[2]);
    if (command == "expected" && argc == 2) {
        std::cout << fingerprint(testing::patternedScreen()) << '\n';
        return 0;
    }
    if (command == "banded" && argc == 3)
        return writeBanded(argv[2]);
    if (command == "info" && argc == 2)
        return printInfo(kArchiveInfo);
    if (command == "info" && argc == 3)
        return printInfo(screens::GameFileScreenReader().readArchiveInfo(argv[2]));
    if (command == "show" && argc == 3)
        return show(argv[2]);
    std::cerr << "usage: screen_probe files <dir> | expected | show <file> | info [file] | banded "
                 "<dir>\n";
    return 2;
}
