#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tolm::screens {

inline constexpr int kScreenWidth = 256;
inline constexpr int kScreenHeight = 192;
inline constexpr std::size_t kBitmapBytes = 6144;
inline constexpr std::size_t kAttributeBytes = 768;
// A whole screen as the machine keeps it, and as a .scr file holds it.
inline constexpr std::size_t kScreenBytes = kBitmapBytes + kAttributeBytes;

using ScreenMemory = std::array<std::uint8_t, kScreenBytes>;

// A decoded screen: kScreenWidth x kScreenHeight pixels, row by row from the
// top, each 0xFFRRGGBB.
struct ScreenPicture {
    std::vector<std::uint32_t> pixels;

    std::uint32_t at(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * kScreenWidth + static_cast<std::size_t>(x)];
    }
};

// The machine's colour `index` (0-7: bit 0 blue, bit 1 red, bit 2 green) as
// 0xFFRRGGBB; normal intensity is 0xD7, bright 0xFF, and black stays black.
std::uint32_t paletteColour(int index, bool bright);

// Byte offset of the first byte of pixel row `y` (0-191) in the bitmap: the
// display file is three thirds of 64 rows, each third interleaving its rows.
std::size_t bitmapRowOffset(int y);

// Turns screen memory into a picture. Flashing cells are shown in their first
// phase (ink as ink). Anything but exactly kScreenBytes bytes gives nothing.
std::optional<ScreenPicture> decodeScreen(std::span<const std::uint8_t> bytes);

} // namespace tolm::screens
