// Arbitrary bytes as the ZXDB index file. Nothing may crash or allocate far
// beyond the input; a refusal says why; what reads is written back to bytes
// that read to the same index and write to the same bytes again.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "import/zxdb_index.h"

using namespace tolm::zxdb;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string error;
    const auto index = decodeIndex(bytes, error);
    if (!index) {
        if (error.empty())
            __builtin_trap();
        return 0;
    }
    if (!error.empty())
        __builtin_trap();
    for (std::size_t i = 1; i < index->entries.size(); ++i)
        if (index->entries[i - 1].id >= index->entries[i].id)
            __builtin_trap();
    const std::string written = encodeIndex(*index);
    const auto again = decodeIndex(written, error);
    if (!again || !(*again == *index) || encodeIndex(*again) != written)
        __builtin_trap();
    return 0;
}
