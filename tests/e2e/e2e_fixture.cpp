// Builds the files the end-to-end tests feed the program:
//   e2e_fixture catalogue <tolm.dat> <rom file name>
//       a two-game catalogue whose games both use <rom file name>, every
//       field filled (lists, line breaks and accented letters included);
//   e2e_fixture sna <code.bin> <out.sna>
//       a 48K snapshot that runs <code.bin> loaded at 0x8000;
//   e2e_fixture games <tolm.dat>
//       prints each game as "name|genre|year|rom file|publisher", one a line
//       (fails when the file does not load as it stands);
//   e2e_fixture bare <tolm.dat> <name|rom file>...
//       a catalogue of games known by name and file alone, genre 96
//       ("Miscellaneous - [uncategorized]") as an add of files gives.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "catalogue/database.h"
#include "catalogue/game_record.h"

namespace {

int save(const tolm::GameCatalogue& catalogue, const std::string& path) {
    const tolm::platform::IoResult result = tolm::saveDatabase(catalogue, path);
    if (!result)
        std::cerr << result.error << '\n';
    return result ? 0 : 1;
}

int writeCatalogue(const std::string& path, const std::string& romFile) {
    return save({{"Border Patrol", 12, "patrol1.gif,patrol2.gif", 1984,
                  "First line of notes.\r\nSecond line, with caf\xC3\xA9.", romFile,
                  "Tolm Test Soft", "A. Coder, B. Artist", "patrol.ay"},
                 {"Border Patrol II", 40, "", 0, "", romFile, "", "", ""}},
                path);
}

int writeBareCatalogue(const std::string& path, int count, char** games) {
    tolm::GameCatalogue catalogue;
    for (int i = 0; i < count; ++i) {
        const std::string game = games[i];
        const std::size_t bar = game.find('|');
        tolm::GameRecord& record = catalogue.emplace_back();
        record.name = game.substr(0, bar);
        record.genre = 96;
        if (bar != std::string::npos)
            record.romFile = game.substr(bar + 1);
    }
    return save(catalogue, path);
}

// The snapshot file's layout: a 27-byte register header, then RAM from
// 0x4000 to 0xFFFF. The machine resumes with a RETN, so the start address is
// pushed on the stack and SP in the header points at it.
int writeSnapshot(const std::string& codePath, const std::string& outPath) {
    constexpr std::uint16_t kRamStart = 0x4000;
    constexpr std::uint16_t kCodeStart = 0x8000;
    constexpr std::uint16_t kStackTop = 0xFF00;
    constexpr std::uint16_t kSp = kStackTop - 2;

    std::ifstream in(codePath, std::ios::binary);
    const std::string code((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
        std::cerr << "cannot read " << codePath << '\n';
        return 1;
    }
    if (code.empty() || code.size() > kSp - kCodeStart) {
        std::cerr << "code must be 1.." << (kSp - kCodeStart) << " bytes\n";
        return 1;
    }

    std::string header(27, '\0');
    const auto put16 = [&header](std::size_t at, std::uint16_t value) {
        header[at] = static_cast<char>(value & 0xFF);
        header[at + 1] = static_cast<char>(value >> 8);
    };
    header[0] = 0x3F;  // I, as the ROM leaves it
    put16(15, 0x5C3A); // IY, the ROM's system variables
    header[19] = 0;    // interrupts stay disabled
    put16(23, kSp);    // SP, pointing at the start address
    header[25] = 1;    // IM 1
    header[26] = 2;    // border red until the code runs

    std::string ram(0x10000 - kRamStart, '\0');
    // White paper, black ink over the whole screen.
    for (std::size_t i = 0x5800 - kRamStart; i < 0x5B00 - kRamStart; ++i)
        ram[i] = 0x38;
    ram.replace(kCodeStart - kRamStart, code.size(), code);
    ram[kSp - kRamStart] = static_cast<char>(kCodeStart & 0xFF);
    ram[kSp - kRamStart + 1] = static_cast<char>(kCodeStart >> 8);

    std::ofstream out(outPath, std::ios::binary | std::ios::trunc);
    out << header << ram;
    out.close();
    if (!out) {
        std::cerr << "cannot write " << outPath << '\n';
        return 1;
    }
    return 0;
}

int printGames(const std::string& path) {
    tolm::GameCatalogue catalogue;
    const tolm::DatabaseLoadResult loaded = tolm::loadDatabase(catalogue, path);
    if (loaded.message) {
        std::cerr << loaded.message->text << '\n';
        return 1;
    }
    for (const tolm::GameRecord& game : catalogue)
        std::cout << game.name << '|' << game.genre << '|' << game.year << '|' << game.romFile
                  << '|' << game.publisher << '\n';
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "catalogue" && argc == 4)
        return writeCatalogue(argv[2], argv[3]);
    if (command == "sna" && argc == 4)
        return writeSnapshot(argv[2], argv[3]);
    if (command == "bare" && argc >= 3)
        return writeBareCatalogue(argv[2], argc - 3, argv + 3);
    if (command == "games" && argc == 3)
        return printGames(argv[2]);
    std::cerr << "usage: e2e_fixture catalogue <tolm.dat> <rom file>\n"
                 "       e2e_fixture sna <code.bin> <out.sna>\n"
                 "       e2e_fixture games <tolm.dat>\n"
                 "       e2e_fixture bare <tolm.dat> <name|rom file>...\n";
    return 2;
}
