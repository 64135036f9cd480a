#include "core/text.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace tolm {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::int32_t leadingNumber(std::string_view text) {
    std::size_t i = 0;
    auto next = [&]() -> int { // the next non-blank character, or -1
        while (i < text.size() && isBlank(text[i]))
            ++i;
        return i < text.size() ? static_cast<unsigned char>(text[i]) : -1;
    };

    bool negative = false;
    int c = next();
    if (c == '+' || c == '-') {
        negative = c == '-';
        ++i;
        c = next();
    }

    // Whole part, saturated well above the 32-bit range so the clamp below decides.
    constexpr std::uint64_t kCap = 1ULL << 40;
    std::uint64_t whole = 0;
    bool anyDigit = false;
    while (c >= 0 && isDigit(static_cast<char>(c))) {
        anyDigit = true;
        if (whole < kCap)
            whole = whole * 10 + static_cast<std::uint64_t>(c - '0');
        ++i;
        c = next();
    }

    // Fraction: only its first digit and whether anything non-zero follows matter.
    int firstFraction = 0;
    bool restNonZero = false;
    if (c == '.') {
        ++i;
        c = next();
        bool first = true;
        while (c >= 0 && isDigit(static_cast<char>(c))) {
            anyDigit = true;
            if (first)
                firstFraction = c - '0';
            else if (c != '0')
                restNonZero = true;
            first = false;
            ++i;
            c = next();
        }
    }
    if (!anyDigit)
        return 0;

    // Round half to even.
    if (firstFraction > 5 || (firstFraction == 5 && restNonZero) ||
        (firstFraction == 5 && !restNonZero && (whole % 2) == 1))
        ++whole;

    if (negative) {
        constexpr std::uint64_t kMinMagnitude = 2147483648ULL;
        return whole >= kMinMagnitude ? std::numeric_limits<std::int32_t>::min()
                                      : -static_cast<std::int32_t>(whole);
    }
    constexpr std::uint64_t kMax = std::numeric_limits<std::int32_t>::max();
    return whole >= kMax ? std::numeric_limits<std::int32_t>::max()
                         : static_cast<std::int32_t>(whole);
}

std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::vector<std::string_view> splitList(std::string_view text, char separator) {
    std::vector<std::string_view> items;
    if (text.empty())
        return items;
    std::size_t start = 0;
    while (true) {
        const std::size_t at = text.find(separator, start);
        if (at == std::string_view::npos) {
            items.push_back(text.substr(start));
            return items;
        }
        items.push_back(text.substr(start, at - start));
        start = at + 1;
    }
}

SplitPath splitFullPath(std::string_view path) {
    const std::size_t at = path.find_last_of(kPathSeparator);
    if (at == std::string_view::npos)
        return {std::string(), std::string(path)};
    return {std::string(path.substr(0, at + 1)), std::string(path.substr(at + 1))};
}

std::string lowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = lowerAscii(c);
    return out;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && compareIgnoringCase(a, b) == 0;
}

int compareIgnoringCase(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(lowerAscii(a[i]));
        const auto y = static_cast<unsigned char>(lowerAscii(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

} // namespace tolm
