#include "made_game_files.h"

#include <algorithm>
#include <memory>
#include <stdexcept>

#include <libspectrum.h>
#include <zlib.h>

namespace tolm::testing {
namespace {

constexpr std::size_t kPage = 16384;

void put16(Bytes& bytes, std::size_t at, std::uint16_t value) {
    bytes[at] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void append16(Bytes& bytes, std::size_t value) {
    bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

// A page whose first 6912 bytes are `screen` (pages 5 and 7 start with it).
Bytes screenPage(const screens::ScreenMemory& screen) {
    Bytes page(kPage, 0);
    std::copy(screen.begin(), screen.end(), page.begin());
    return page;
}

// The 27-byte .sna header; SP points at the start address on the stack.
Bytes snaHeader(std::uint16_t sp) {
    Bytes header(27, 0);
    header[0] = 0x3F;
    put16(header, 15, 0x5C3A); // IY
    header[19] = 0;            // interrupts disabled
    put16(header, 23, sp);
    header[25] = 1; // IM 1
    header[26] = 1; // border blue
    return header;
}

void append(Bytes& to, const Bytes& from) {
    to.insert(to.end(), from.begin(), from.end());
}

// The 48K address space from 0x4000: pages 5, 2 and 0 in turn.
Bytes ram48(const screens::ScreenMemory& screen, std::uint16_t sp) {
    Bytes ram = screenPage(screen);
    Bytes high(2 * kPage, 0);
    high[0x8000 - 0x8000] = 0x18;
    high[1] = 0xFE;
    put16(high, sp - 0x8000, 0x8000); // where RETN resumes
    append(ram, high);
    return ram;
}

// .z80 block compression: runs of five or more equal bytes, and any run of
// two or more 0xED bytes, become ED ED count value; a single ED is followed by
// one literal byte.
Bytes compress(const Bytes& data) {
    Bytes out;
    std::size_t i = 0;
    while (i < data.size()) {
        const std::uint8_t value = data[i];
        std::size_t run = 1;
        while (i + run < data.size() && data[i + run] == value && run < 255)
            ++run;
        if (run >= 5 || (value == 0xED && run >= 2)) {
            out.insert(out.end(), {0xED, 0xED, static_cast<std::uint8_t>(run), value});
            i += run;
        } else if (value == 0xED) {
            out.push_back(value);
            if (i + 1 < data.size())
                out.push_back(data[i + 1]);
            i += 2;
        } else {
            out.push_back(value);
            ++i;
        }
    }
    return out;
}

constexpr std::uint16_t kSp = 0xFEFE;

// A .z80 file's first 30 bytes: a PC (0: version 2 or 3), `flags` over a
// blue border, and the registers of the .sna files.
Bytes z80Header(std::uint16_t pc, std::uint8_t flags) {
    Bytes file(30, 0);
    put16(file, 6, pc);
    put16(file, 8, kSp);
    file[10] = 0x3F;
    file[12] = flags | (1 << 1);
    put16(file, 23, 0x5C3A); // IY
    file[29] = 1;            // IM 1
    return file;
}

} // namespace

screens::ScreenMemory patternedScreen() {
    screens::ScreenMemory screen{};
    for (std::size_t i = 0; i < screens::kBitmapBytes; ++i)
        screen[i] = static_cast<std::uint8_t>((i * 7 + i / 256) & 0xFF);
    for (std::size_t i = 0; i < screens::kAttributeBytes; ++i)
        screen[screens::kBitmapBytes + i] = static_cast<std::uint8_t>(i & 0xFF);
    return screen;
}

Bytes sna48(const screens::ScreenMemory& screen) {
    Bytes file = snaHeader(kSp);
    append(file, ram48(screen, kSp));
    return file;
}

Bytes sna128(const screens::ScreenMemory& normal, const screens::ScreenMemory& second,
             std::uint8_t port) {
    // 48K part: pages 5, 2 and the page at 0xC000 (port bits 0-2).
    const std::uint8_t top = port & 7;
    Bytes file = snaHeader(kSp);
    Bytes low = ram48(normal, kSp); // pages 5 and 2 (and a zeroed third)
    low.resize(2 * kPage);
    append(file, low);
    auto pageFor = [&](int n) {
        return n == 7 ? screenPage(second) : n == 5 ? screenPage(normal) : Bytes(kPage, 0);
    };
    append(file, pageFor(top));
    append16(file, 0x8000); // PC
    file.push_back(port);
    file.push_back(0); // TR-DOS ROM not paged
    for (int n = 0; n < 8; ++n) {
        if (n == 5 || n == 2 || n == top)
            continue;
        append(file, pageFor(n));
    }
    return file;
}

Bytes z80Version1(const screens::ScreenMemory& screen) {
    Bytes file = z80Header(0x8000, 0x20); // version 1, compressed
    append(file, compress(ram48(screen, kSp)));
    file.insert(file.end(), {0x00, 0xED, 0xED, 0x00});
    return file;
}

Bytes z80Version3x128(const screens::ScreenMemory& normal, const screens::ScreenMemory& second,
                      std::uint8_t port) {
    Bytes file = z80Header(0, 0);
    file.resize(30 + 2 + 54);
    put16(file, 30, 54);
    put16(file, 32, 0x8000); // PC
    file[34] = 4;            // 128K
    file[35] = port;
    for (int n = 0; n < 8; ++n) {
        Bytes page = n == 5 ? screenPage(normal) : n == 7 ? screenPage(second) : Bytes(kPage, 0);
        if (n == 2)
            page[0] = 0x18, page[1] = 0xFE;
        const Bytes packed = compress(page);
        append16(file, packed.size());
        file.push_back(static_cast<std::uint8_t>(n + 3));
        append(file, packed);
    }
    return file;
}

Bytes tapeBlock(std::uint8_t flag, const Bytes& payload) {
    Bytes block{flag};
    std::uint8_t sum = flag;
    for (std::uint8_t b : payload) {
        block.push_back(b);
        sum ^= b;
    }
    block.push_back(sum);
    return block;
}

Bytes codeHeader(const std::string& name, std::uint16_t length, std::uint16_t start) {
    Bytes header(17, ' ');
    header[0] = 3; // CODE
    for (std::size_t i = 0; i < 10 && i < name.size(); ++i)
        header[1 + i] = static_cast<std::uint8_t>(name[i]);
    put16(header, 11, length);
    put16(header, 13, start);
    put16(header, 15, 32768);
    return header;
}

Bytes tapFile(const std::vector<Bytes>& blocks) {
    Bytes file;
    for (const Bytes& block : blocks) {
        append16(file, block.size());
        append(file, block);
    }
    return file;
}

Bytes tzxFile(const std::vector<Bytes>& blocks) {
    Bytes file{'Z', 'X', 'T', 'a', 'p', 'e', '!', 0x1A, 1, 20};
    for (const Bytes& block : blocks) {
        file.push_back(0x10);
        append16(file, 1000); // pause after the block, ms
        append16(file, block.size());
        append(file, block);
    }
    return file;
}

Bytes tzxWithArchiveInfo(const std::vector<std::vector<ArchiveText>>& infos,
                         const std::vector<Bytes>& blocks) {
    static const bool ready = libspectrum_init() == LIBSPECTRUM_ERROR_NONE;
    if (!ready)
        throw std::runtime_error("libspectrum does not start");
    constexpr std::size_t kHeader = 10; // "ZXTape!", 0x1A, version
    Bytes file = tzxFile({});
    for (const std::vector<ArchiveText>& texts : infos) {
        // The library takes the arrays and frees them with the tape.
        libspectrum_tape_block* block =
            libspectrum_tape_block_alloc(LIBSPECTRUM_TAPE_BLOCK_ARCHIVE_INFO);
        int* ids = libspectrum_new(int, texts.size());
        char** strings = libspectrum_new(char*, texts.size());
        for (std::size_t i = 0; i < texts.size(); ++i) {
            ids[i] = texts[i].id;
            strings[i] = libspectrum_new(char, texts[i].bytes.size() + 1);
            std::copy_n(texts[i].bytes.c_str(), texts[i].bytes.size() + 1, strings[i]);
        }
        libspectrum_tape_block_set_count(block, texts.size());
        libspectrum_tape_block_set_ids(block, ids);
        libspectrum_tape_block_set_texts(block, strings);
        const std::unique_ptr<libspectrum_tape, void (*)(libspectrum_tape*)> tape(
            libspectrum_tape_alloc(), [](libspectrum_tape* t) { libspectrum_tape_free(t); });
        libspectrum_tape_append_block(tape.get(), block);
        libspectrum_byte* written = nullptr;
        std::size_t length = 0;
        if (libspectrum_tape_write(&written, &length, tape.get(), LIBSPECTRUM_ID_TAPE_TZX) !=
                LIBSPECTRUM_ERROR_NONE ||
            length < kHeader)
            throw std::runtime_error("libspectrum does not write the tape");
        file.insert(file.end(), written + kHeader, written + length);
        libspectrum_free(written);
    }
    const Bytes data = tzxFile(blocks);
    file.insert(file.end(), data.begin() + kHeader, data.end());
    return file;
}

Bytes gzipped(const Bytes& contents) {
    z_stream stream{};
    // windowBits 16 + 15: a gzip header and trailer around the deflate data.
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 16 + 15, 8, Z_DEFAULT_STRATEGY) !=
        Z_OK)
        throw std::runtime_error("zlib does not start");
    Bytes file(deflateBound(&stream, contents.size()));
    stream.next_in = const_cast<std::uint8_t*>(contents.data());
    stream.avail_in = static_cast<uInt>(contents.size());
    stream.next_out = file.data();
    stream.avail_out = static_cast<uInt>(file.size());
    const bool whole = deflate(&stream, Z_FINISH) == Z_STREAM_END;
    file.resize(stream.total_out);
    deflateEnd(&stream);
    if (!whole)
        throw std::runtime_error("zlib does not compress");
    return file;
}

std::vector<Bytes> loadingScreenBlocks(const screens::ScreenMemory& screen) {
    const Bytes stub{0xF3, 0x18, 0xFE}; // a small CODE block before the screen
    return {tapeBlock(0x00, codeHeader("stub", 3, 32768)), tapeBlock(0xFF, stub),
            tapeBlock(0x00, codeHeader("screen", 6912, 16384)),
            tapeBlock(0xFF, Bytes(screen.begin(), screen.end()))};
}

} // namespace tolm::testing
