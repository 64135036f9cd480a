#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tolm {

// What separates the directories of a path on this system.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// Reads the decimal number at the start of `text`: blanks (space, tab, line
// feed) are skipped wherever they stand, an optional sign,
// digits and an optional fraction follow; rounded half to even and saturated
// to the 32-bit range. Text that does not begin with a number gives 0.
std::int32_t leadingNumber(std::string_view text);

// Leading and trailing spaces and tabs removed.
std::string_view trimBlanks(std::string_view text);

// Splits at every `separator`; empty items are kept ("a,,b" gives 3 items)
// and the empty text has none. How the screenshot lists are read.
std::vector<std::string_view> splitList(std::string_view text, char separator = ',');

// A full path split at its last path separator: the directory keeps the
// separator (empty when there is none), the name is the rest.
struct SplitPath {
    std::string directory;
    std::string name;
};
SplitPath splitFullPath(std::string_view path);

// ASCII letters lowered; every other byte, UTF-8 sequences included, kept.
constexpr char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
std::string lowerAscii(std::string_view text);

// Equality ignoring ASCII letter case.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// Orders as the bytes do once ASCII letters are lowered (bytes unsigned, a
// prefix first): negative, zero or positive.
int compareIgnoringCase(std::string_view a, std::string_view b);

} // namespace tolm
