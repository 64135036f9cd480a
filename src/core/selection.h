#pragma once

#include <cstdint>

namespace tolm {

// What the program stores for "no selection" and "no default".
inline constexpr std::int32_t kNone = -99;

// Whether a stored index names no entry. Any negative value counts, since a
// hand-edited or damaged file may hold -1 or -5 as well as kNone.
constexpr bool isNone(std::int32_t index) {
    return index < 0;
}

} // namespace tolm
