#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tolm {

inline constexpr std::int32_t kGenreCount = 130;

extern const std::array<std::string_view, kGenreCount> GenreTable;

// The genre's text, or the empty text for a value outside the table.
std::string_view genreText(std::int32_t genre);

struct CoarseGenre {
    std::int32_t version1Value;
    std::string_view sgdCode;
    std::int32_t genreIndex;
};

extern const std::array<CoarseGenre, 10> CoarseGenreMap;

// Version-1 genres 0..9 map through the coarse table; nullopt otherwise.
std::optional<std::int32_t> mapVersion1Genre(std::int32_t value);
std::optional<std::int32_t> mapSgdGenreCode(std::string_view code);

} // namespace tolm
