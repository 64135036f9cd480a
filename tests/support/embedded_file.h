#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// A file built into a test program (see tolm_embed_files in tests/CMakeLists.txt).
struct EmbeddedFile {
    std::string_view name;
    std::span<const std::uint8_t> bytes;
};
