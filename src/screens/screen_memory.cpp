#include "screens/screen_memory.h"

namespace tolm::screens {

std::uint32_t paletteColour(int index, bool bright) {
    const std::uint32_t level = bright ? 0xFFu : 0xD7u;
    const std::uint32_t blue = (index & 1) ? level : 0u;
    const std::uint32_t red = (index & 2) ? level : 0u;
    const std::uint32_t green = (index & 4) ? level : 0u;
    return 0xFF000000u | (red << 16) | (green << 8) | blue;
}

std::size_t bitmapRowOffset(int y) {
    // Address bits: y7 y6 | y2 y1 y0 | y5 y4 y3 | x4..x0.
    const auto row = static_cast<std::size_t>(y);
    return ((row & 0xC0u) << 5) | ((row & 0x07u) << 8) | ((row & 0x38u) << 2);
}

std::optional<ScreenPicture> decodeScreen(std::span<const std::uint8_t> bytes) {
    if (bytes.size() != kScreenBytes)
        return std::nullopt;
    // Both colours of every attribute byte, looked up once rather than per pixel.
    std::array<std::uint32_t, 256> inks{};
    std::array<std::uint32_t, 256> papers{};
    for (int attribute = 0; attribute < 256; ++attribute) {
        const bool bright = (attribute & 0x40) != 0;
        inks[static_cast<std::size_t>(attribute)] = paletteColour(attribute & 7, bright);
        papers[static_cast<std::size_t>(attribute)] = paletteColour((attribute >> 3) & 7, bright);
    }

    ScreenPicture picture;
    picture.pixels.resize(static_cast<std::size_t>(kScreenWidth) * kScreenHeight);
    std::uint32_t* out = picture.pixels.data();
    for (int y = 0; y < kScreenHeight; ++y) {
        const std::uint8_t* row = bytes.data() + bitmapRowOffset(y);
        const std::uint8_t* attributes =
            bytes.data() + kBitmapBytes + static_cast<std::size_t>(y / 8) * 32;
        for (int column = 0; column < 32; ++column) {
            const std::uint8_t cell = attributes[column];
            const std::uint32_t ink = inks[cell];
            const std::uint32_t paper = papers[cell];
            const std::uint8_t bits = row[column];
            for (int bit = 7; bit >= 0; --bit)
                *out++ = (bits >> bit) & 1 ? ink : paper;
        }
    }
    return picture;
}

} // namespace tolm::screens
