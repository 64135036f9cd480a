#pragma once

// Builds Spectrum snapshot and tape files byte by byte, as their formats
// define them, so the readers are tested against files made without them.
#include <cstdint>
#include <string>
#include <vector>

#include "screens/screen_memory.h"

namespace tolm::testing {

using Bytes = std::vector<std::uint8_t>;

// A screen whose every row and attribute cell differ: the bitmap byte at
// offset i is (i * 7 + i / 256) & 0xFF, the attribute bytes run through all
// 256 values (flash and bright included).
screens::ScreenMemory patternedScreen();

// A 48K .sna whose screen memory holds `screen`; the code at 0x8000 loops
// forever with interrupts disabled, so an emulator keeps showing it.
Bytes sna48(const screens::ScreenMemory& screen);

// A 128K .sna (131103 bytes) with `normal` in page 5 and `second` in page 7,
// paging port 0x7FFD set to `port`.
Bytes sna128(const screens::ScreenMemory& normal, const screens::ScreenMemory& second,
             std::uint8_t port);

// A .z80 version 1 file, 48K, RLE-compressed, with `screen` in screen memory.
Bytes z80Version1(const screens::ScreenMemory& screen);

// A .z80 version 3 file of a 128K machine, every page compressed.
Bytes z80Version3x128(const screens::ScreenMemory& normal, const screens::ScreenMemory& second,
                      std::uint8_t port);

// One standard tape block: flag byte, payload, XOR checksum.
Bytes tapeBlock(std::uint8_t flag, const Bytes& payload);
// A 17-byte header for a CODE file named `name` of `length` bytes at `start`.
Bytes codeHeader(const std::string& name, std::uint16_t length, std::uint16_t start);

// .tap: each block preceded by its 16-bit length.
Bytes tapFile(const std::vector<Bytes>& blocks);
// .tzx 1.20: each block as a standard-speed data block (ID 0x10).
Bytes tzxFile(const std::vector<Bytes>& blocks);

// One archive-info text: its id (0x00 title, 0x01 publisher, 0x02 authors,
// 0x03 year) and its bytes as they stand in the file.
struct ArchiveText {
    int id;
    std::string bytes;
};

// .tzx whose archive-info blocks (one per entry of `infos`, in turn) come
// before `blocks`; the archive-info blocks are written by libspectrum.
Bytes tzxWithArchiveInfo(const std::vector<std::vector<ArchiveText>>& infos,
                         const std::vector<Bytes>& blocks);

// A .gz file of `contents`, stored without compression.
Bytes gzipped(const Bytes& contents);

// A loading tape: a BASIC-like header and stub block, then the screen as
// CODE at 16384 (header plus 6914-byte data block).
std::vector<Bytes> loadingScreenBlocks(const screens::ScreenMemory& screen);

} // namespace tolm::testing
