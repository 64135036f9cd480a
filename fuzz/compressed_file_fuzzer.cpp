// Arbitrary bytes as a compressed game file. Nothing may crash or read out of
// bounds; a file that unpacks must stay within the limit, and streaming the
// same entry must give the same bytes as unpacking it whole.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/compressed_file.h"

using namespace tolm;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::uint64_t kLimit = 1 << 20;
    const std::span<const std::uint8_t> bytes(data, size);
    UnpackError error;
    const auto unpacked = unpackGameFile(bytes, "game.tap.gz", kLimit, &error);
    if (unpacked && unpacked->bytes.size() > kLimit)
        __builtin_trap();
    if (!unpacked && error.message.empty())
        __builtin_trap();

    MemoryByteSource source(bytes);
    if (const auto entries = zipEntries(source)) {
        for (const ZipEntry& entry : *entries) {
            std::size_t streamed = 0;
            const auto failed = unpackZipEntry(
                source, entry,
                [&](std::span<const std::uint8_t> piece) {
                    streamed += piece.size();
                    return true;
                },
                kLimit);
            if (!failed && streamed != entry.size)
                __builtin_trap();
        }
    }
    return 0;
}
