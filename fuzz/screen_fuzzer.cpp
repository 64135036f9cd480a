// Arbitrary bytes as screen memory: exactly 6912 bytes decode to a full
// picture in the machine's 15 colours, anything else to nothing.

#include <cstddef>
#include <cstdint>
#include <span>

#include "screens/screen_memory.h"

using namespace tolm::screens;

namespace {

bool isPaletteColour(std::uint32_t colour) {
    for (int index = 0; index < 8; ++index)
        if (colour == paletteColour(index, false) || colour == paletteColour(index, true))
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Short inputs are padded to a whole screen, so the decoder sees both.
    const std::span<const std::uint8_t> input(data, size);
    const auto picture = decodeScreen(input);
    if (picture.has_value() != (size == kScreenBytes))
        __builtin_trap();
    ScreenMemory padded{};
    for (std::size_t i = 0; i < size && i < kScreenBytes; ++i)
        padded[i] = data[i];
    const auto whole = decodeScreen(padded);
    if (!whole || whole->pixels.size() != std::size_t{kScreenWidth} * kScreenHeight)
        __builtin_trap();
    for (std::uint32_t colour : whole->pixels)
        if (!isPaletteColour(colour))
            __builtin_trap();
    return 0;
}
