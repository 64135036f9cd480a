#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tolm {

// Reads the decimal number at the start of `text`: blanks (space, tab, line
// feed) are skipped wherever they stand, an optional sign,
// digits and an optional fraction follow; rounded half to even and saturated
// to the 32-bit range. Text that does not begin with a number gives 0.
std::int32_t leadingNumber(std::string_view text);

// Leading and trailing spaces and tabs removed.
std::string_view trimBlanks(std::string_view text);

// Splits at every `separator`; empty items are kept ("a,,b" gives 3 items).
std::vector<std::string_view> splitList(std::string_view text, char separator = ',');

// A full path split at its last path separator: the directory keeps the
// separator (empty when there is none), the name is the rest.
struct SplitPath {
    std::string directory;
    std::string name;
};
SplitPath splitFullPath(std::string_view path);

// Equality ignoring ASCII letter case (how search directories are compared).
bool equalsIgnoringCase(std::string_view a, std::string_view b);

} // namespace tolm
