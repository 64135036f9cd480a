#include "platform/codepage.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace tolm::platform {
namespace {

// Windows-1252 0x80..0x9F; the unassigned bytes keep their C1 control value.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t CodePointOf(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0)
        return kHigh[byte - 0x80];
    return byte;
}

// UTF-8 of each byte 0x80..0xFF, computed once.
struct Utf8Table {
    std::array<std::array<char, 3>, 128> bytes{};
    std::array<std::uint8_t, 128> length{};

    Utf8Table() {
        for (int b = 0x80; b <= 0xFF; ++b) {
            char32_t cp = CodePointOf(static_cast<unsigned char>(b));
            auto& out = bytes[b - 0x80];
            if (cp < 0x800) {
                out[0] = static_cast<char>(0xC0 | (cp >> 6));
                out[1] = static_cast<char>(0x80 | (cp & 0x3F));
                length[b - 0x80] = 2;
            } else {
                out[0] = static_cast<char>(0xE0 | (cp >> 12));
                out[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
                out[2] = static_cast<char>(0x80 | (cp & 0x3F));
                length[b - 0x80] = 3;
            }
        }
    }
};

const Utf8Table& Table() {
    static const Utf8Table table;
    return table;
}

std::size_t FirstHighByte(std::string_view bytes) {
    std::size_t i = 0;
    const std::size_t n = bytes.size();
    // Eight bytes at a time: most catalogue text is plain ASCII.
    for (; i + 8 <= n; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i, 8);
        if (word & 0x8080808080808080ULL)
            break;
    }
    for (; i < n; ++i)
        if (static_cast<unsigned char>(bytes[i]) & 0x80)
            return i;
    return n;
}

int AnsiByteFor(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<int>(cp);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == cp)
            return static_cast<int>(0x80 + i);
    return '?';
}

// Decodes one UTF-8 sequence at `i`; returns the code point, or -1 for a
// malformed byte (which is then consumed alone).
long DecodeUtf8(std::string_view s, std::size_t& i) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
        ++i;
        return c;
    }
    int extra;
    char32_t cp;
    if ((c & 0xE0) == 0xC0) {
        extra = 1;
        cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        extra = 2;
        cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        extra = 3;
        cp = c & 0x07;
    } else {
        ++i;
        return -1;
    }
    if (i + static_cast<std::size_t>(extra) >= s.size()) {
        ++i;
        return -1;
    }
    for (int k = 1; k <= extra; ++k) {
        const auto cc = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
        if ((cc & 0xC0) != 0x80) {
            ++i;
            return -1;
        }
        cp = (cp << 6) | (cc & 0x3F);
    }
    static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return -1;
    }
    i += static_cast<std::size_t>(extra) + 1;
    return static_cast<long>(cp);
}

} // namespace

void AppendAnsiAsUtf8(std::string& out, std::string_view bytes) {
    std::size_t first = FirstHighByte(bytes);
    out.append(bytes.data(), first);
    if (first == bytes.size())
        return;
    const Utf8Table& table = Table();
    for (std::size_t i = first; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            out.push_back(static_cast<char>(b));
        } else {
            out.append(table.bytes[b - 0x80].data(), table.length[b - 0x80]);
        }
    }
}

std::string AnsiToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    AppendAnsiAsUtf8(out, bytes);
    return out;
}

void AppendUtf8AsAnsi(std::string& out, std::string_view utf8) {
    std::size_t first = FirstHighByte(utf8);
    out.append(utf8.data(), first);
    std::size_t i = first;
    while (i < utf8.size()) {
        long cp = DecodeUtf8(utf8, i);
        out.push_back(cp < 0 ? '?' : static_cast<char>(AnsiByteFor(static_cast<char32_t>(cp))));
    }
}

std::string Utf8ToAnsi(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    AppendUtf8AsAnsi(out, utf8);
    return out;
}

std::size_t AnsiLength(std::string_view utf8) {
    std::size_t first = FirstHighByte(utf8);
    if (first == utf8.size())
        return first;
    std::size_t count = first;
    std::size_t i = first;
    while (i < utf8.size()) {
        DecodeUtf8(utf8, i);
        ++count;
    }
    return count;
}

} // namespace tolm::platform
