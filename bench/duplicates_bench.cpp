// Find Duplicates over 50,000 games with their ROM files on disk, 2,000 of
// them duplicates: 1,000 byte-for-byte copies under other names, 500 zipped
// copies of plain files and 500 other dumps of a game (a TOSEC flag added).
// Half the files are zipped, as the preservation sets keep them, and the
// sizes crowd into a narrow range, so most sizes meet and most files are
// read: the figure is for a warm cache, after one untimed pass.

#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "state/duplicates.h"
#include "support/temp_dir.h"
#include "timing.h"

using namespace tolm;

namespace {

constexpr int kGames = 50000;
constexpr int kSameBytes = 1000;
constexpr int kZippedCopies = 500;
constexpr int kOtherDumps = 500;
constexpr int kRuns = 3;

void put16(std::string& out, unsigned value) {
    out += static_cast<char>(value & 0xff);
    out += static_cast<char>((value >> 8) & 0xff);
}
void put32(std::string& out, std::uint32_t value) {
    put16(out, value & 0xffff);
    put16(out, value >> 16);
}

// A zip holding `bytes` deflated as `name`, as the usual tools write it.
std::string zipOf(const std::string& name, const std::string& bytes) {
    z_stream stream{};
    deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    std::string packed(deflateBound(&stream, bytes.size()), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(packed.data());
    stream.avail_out = static_cast<uInt>(packed.size());
    deflate(&stream, Z_FINISH);
    packed.resize(stream.total_out);
    deflateEnd(&stream);
    const auto crc = static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
    const auto fields = [&](std::string& out) {
        put16(out, 20); // version needed
        put16(out, 0);  // flags
        put16(out, 8);  // deflated
        put32(out, 0);  // time and date
        put32(out, crc);
        put32(out, static_cast<std::uint32_t>(packed.size()));
        put32(out, static_cast<std::uint32_t>(bytes.size()));
        put16(out, static_cast<unsigned>(name.size()));
        put16(out, 0); // extra
    };
    std::string zip;
    put32(zip, 0x04034b50);
    fields(zip);
    zip += name + packed;
    const auto central = static_cast<std::uint32_t>(zip.size());
    put32(zip, 0x02014b50);
    put16(zip, 20); // made by
    fields(zip);
    put16(zip, 0); // comment
    put16(zip, 0); // disk
    put16(zip, 0); // internal attributes
    put32(zip, 0); // external attributes
    put32(zip, 0); // local header at the start
    zip += name;
    const auto centralSize = static_cast<std::uint32_t>(zip.size()) - central;
    put32(zip, 0x06054b50);
    put32(zip, 0);
    put16(zip, 1);
    put16(zip, 1);
    put32(zip, centralSize);
    put32(zip, central);
    put16(zip, 0);
    return zip;
}

GameRecord game(std::string name, std::string rom) {
    GameRecord record;
    record.name = std::move(name);
    record.romFile = std::move(rom);
    return record;
}

} // namespace

int main() {
    test::TempDir dir;
    SettingsState settings;
    settings.romPaths = {dir.sub("roms/")};
    std::mt19937 random(20);
    std::uniform_int_distribution<int> size(4000, 9000); // tapes of a few kilobytes
    std::uniform_int_distribution<int> byte(0, 255);
    const auto contents = [&] {
        std::string bytes(static_cast<std::size_t>(size(random)), '\0');
        for (char& c : bytes)
            c = static_cast<char>(byte(random));
        return bytes;
    };
    const int originals = kGames - kSameBytes - kZippedCopies - kOtherDumps;
    GameCatalogue catalogue;
    catalogue.reserve(kGames);
    std::vector<std::string> bytesOf;
    std::vector<bool> zipped;
    for (int i = 0; i < originals; ++i) {
        const std::string title =
            "Game " + std::to_string(i) + " (1985)(Maker " + std::to_string(i % 97) + ")";
        bytesOf.push_back(contents());
        zipped.push_back(i % 2 == 1);
        const std::string rom = title + ".tap" + (zipped.back() ? ".zip" : "");
        dir.write("roms/" + rom,
                  zipped.back() ? zipOf(title + ".tap", bytesOf.back()) : bytesOf.back());
        catalogue.push_back(game("Game " + std::to_string(i), rom));
    }
    for (int i = 0; i < kSameBytes; ++i) { // a copy of a plain or zipped original, renamed
        const int of = i * 7 % originals;
        const std::string rom = "copy" + std::to_string(i) + ".tap";
        dir.write("roms/" + rom, bytesOf[static_cast<std::size_t>(of)]);
        catalogue.push_back(game("Copy " + std::to_string(i), rom));
    }
    for (int i = 0; i < kZippedCopies; ++i) { // a plain original zipped
        const int of = (i * 11 % (originals / 2)) * 2;
        const std::string rom = "zipped" + std::to_string(i) + ".zip";
        dir.write("roms/" + rom, zipOf("game.tap", bytesOf[static_cast<std::size_t>(of)]));
        catalogue.push_back(game("Zipped " + std::to_string(i), rom));
    }
    for (int i = 0; i < kOtherDumps; ++i) { // another dump of an original
        const int of = i * 13 % originals + 1;
        const std::string rom =
            "Game " + std::to_string(of) + " (1985)(Maker " + std::to_string(of % 97) + ")[a].tap";
        dir.write("roms/" + rom, contents());
        catalogue.push_back(game("Dump " + std::to_string(i), rom));
    }

    DuplicatesResult result = findDuplicates(catalogue, settings); // warms the cache
    std::size_t inGroups = 0;
    for (const DuplicateGroup& group : result.groups)
        inGroups += group.games.size() - 1;
    std::printf("  %zu groups, %zu games beyond the first of their group\n", result.groups.size(),
                inGroups);
    const double ms = bench::medianMs(kRuns, [&] { result = findDuplicates(catalogue, settings); });
    std::printf("Find Duplicates on %d games with files, %d duplicates, warm cache: %.0f ms "
                "(goal 3000 ms)\n",
                kGames, kSameBytes + kZippedCopies + kOtherDumps, ms);
    return 0;
}
