#include "platform/codepage.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define TOLM_CODEPAGE_SSE2 1
#endif

namespace tolm::platform {
namespace {

// Windows-1252 0x80..0x9F; the unassigned bytes keep their C1 control value.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t codePointOf(unsigned char byte) {
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
            char32_t cp = codePointOf(static_cast<unsigned char>(b));
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

const Utf8Table& utf8Table() {
    static const Utf8Table table;
    return table;
}

// True when any byte has its high bit set. Most catalogue text is plain
// ASCII, and most fields are short: they are tested with a few overlapping
// word loads rather than byte by byte.
bool anyHighByte(std::string_view bytes) {
    const char* p = bytes.data();
    const std::size_t n = bytes.size();
    if (n >= 8) {
        std::uint64_t bits = 0;
        std::size_t i = 0;
        for (; i + 32 <= n; i += 32) {
            std::uint64_t w[4];
            std::memcpy(w, p + i, 32);
            if ((w[0] | w[1] | w[2] | w[3]) & 0x8080808080808080ULL)
                return true;
        }
        for (; i + 8 <= n; i += 8) {
            std::uint64_t w;
            std::memcpy(&w, p + i, 8);
            bits |= w;
        }
        std::uint64_t last;
        std::memcpy(&last, p + n - 8, 8);
        return ((bits | last) & 0x8080808080808080ULL) != 0;
    }
    if (n >= 4) {
        std::uint32_t a, b;
        std::memcpy(&a, p, 4);
        std::memcpy(&b, p + n - 4, 4);
        return ((a | b) & 0x80808080U) != 0;
    }
    unsigned bits = 0;
    for (std::size_t i = 0; i < n; ++i)
        bits |= static_cast<unsigned char>(p[i]);
    return (bits & 0x80) != 0;
}

// Bytes the UTF-8 form of `bytes` takes.
std::size_t utf8Size(std::string_view bytes) {
    const Utf8Table& table = utf8Table();
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t size = n;
    std::size_t i = 0;
#ifdef TOLM_CODEPAGE_SSE2
    for (; i + 16 <= n; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const auto high = static_cast<unsigned>(_mm_movemask_epi8(block));
        if (high == 0)
            continue;
        // One per high byte, summed without a popcount instruction (not every
        // x86-64 has one).
        const __m128i ones = _mm_and_si128(_mm_srli_epi16(block, 7), _mm_set1_epi8(1));
        const __m128i sums = _mm_sad_epu8(ones, _mm_setzero_si128());
        size += static_cast<std::size_t>(_mm_cvtsi128_si32(sums) + _mm_extract_epi16(sums, 4));
        // 0x80..0x9F mostly need three bytes.
        const __m128i c1 = _mm_cmpeq_epi8(_mm_and_si128(block, _mm_set1_epi8(char(0xE0))),
                                          _mm_set1_epi8(char(0x80)));
        for (auto m = static_cast<unsigned>(_mm_movemask_epi8(c1)); m != 0; m &= m - 1)
            size += table.length[p[i + static_cast<std::size_t>(std::countr_zero(m))] - 0x80] - 2u;
    }
#endif
    for (; i < n; ++i)
        if (p[i] >= 0x80)
            size += table.length[p[i] - 0x80] - 1u;
    return size;
}

int ansiByteFor(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<int>(cp);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == cp)
            return static_cast<int>(0x80 + i);
    return '?';
}

// Decodes one UTF-8 sequence at `i`; returns the code point, or -1 for a
// malformed byte (which is then consumed alone).
long decodeUtf8(std::string_view s, std::size_t& i) {
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

namespace {

// Writes the UTF-8 form of `bytes` to `out`, which has room for all of it;
// returns the bytes written.
std::size_t convertAnsiToUtf8(char* out, std::string_view bytes) {
    const Utf8Table& table = utf8Table();
    char* p = out;
    const char* src = bytes.data();
    const std::size_t n = bytes.size();
    std::size_t i = 0;
#ifdef TOLM_CODEPAGE_SSE2
    // The output for the input still to come is never shorter than that input,
    // so while 16 input bytes remain a 16-byte store fits.
    while (n - i >= 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p), block);
        const auto high = static_cast<unsigned>(_mm_movemask_epi8(block));
        if (high == 0) {
            i += 16;
            p += 16;
            continue;
        }
        const auto ascii = static_cast<std::size_t>(std::countr_zero(high));
        i += ascii;
        p += ascii;
        // Only the character's own bytes: near the end no more room is left.
        const std::size_t index = static_cast<unsigned char>(src[i]) - 0x80u;
        const auto& sequence = table.bytes[index];
        p[0] = sequence[0];
        p[1] = sequence[1];
        if (table.length[index] == 3)
            p[2] = sequence[2];
        p += table.length[index];
        ++i;
    }
#endif
    for (; i < n; ++i) {
        const auto b = static_cast<unsigned char>(src[i]);
        if (b < 0x80) {
            *p++ = static_cast<char>(b);
        } else {
            std::memcpy(p, table.bytes[b - 0x80].data(), table.length[b - 0x80]);
            p += table.length[b - 0x80];
        }
    }
    return static_cast<std::size_t>(p - out);
}

} // namespace

// The text is allocated once, at its exact size: short texts are converted
// on the stack and copied, long ones are measured first.
void appendAnsiAsUtf8(std::string& out, std::string_view bytes) {
    if (!anyHighByte(bytes)) {
        out.append(bytes.data(), bytes.size());
        return;
    }
    constexpr std::size_t kScratch = 8192;
    if (bytes.size() <= kScratch / 3) {
        char scratch[kScratch];
        out.append(scratch, convertAnsiToUtf8(scratch, bytes));
        return;
    }
    const std::size_t start = out.size();
    out.resize(start + utf8Size(bytes));
    convertAnsiToUtf8(out.data() + start, bytes);
}

std::string ansiToUtf8(std::string_view bytes) {
    std::string out;
    appendAnsiAsUtf8(out, bytes);
    return out;
}

std::size_t writeUtf8AsAnsi(char* out, std::string_view utf8) {
    // Short texts are tested with a few word loads and copied; longer ones
    // go straight through the block loop, which copies ASCII as fast.
    if (utf8.size() < 64 && !anyHighByte(utf8)) {
        std::memcpy(out, utf8.data(), utf8.size());
        return utf8.size();
    }
    char* p = out;
    const char* src = utf8.data();
    const std::size_t n = utf8.size();
    std::size_t i = 0;
    while (i < n) {
#ifdef TOLM_CODEPAGE_SSE2
        // Output never runs ahead of input, so a 16-byte store fits while 16
        // input bytes remain.
        if (n - i >= 16) {
            const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(p), block);
            const auto high = static_cast<unsigned>(_mm_movemask_epi8(block));
            if (high == 0) {
                i += 16;
                p += 16;
                continue;
            }
            const auto ascii = static_cast<std::size_t>(std::countr_zero(high));
            i += ascii;
            p += ascii;
        }
#endif
        const auto b = static_cast<unsigned char>(src[i]);
        if (b < 0x80) {
            *p++ = static_cast<char>(b);
            ++i;
            continue;
        }
        // The accented Latin letters (U+00A0..U+00FF) are the same byte in
        // Windows-1252: their two-byte form is decoded on the spot.
        if ((b == 0xC2 || b == 0xC3) && n - i >= 2) {
            const auto next = static_cast<unsigned char>(src[i + 1]);
            const unsigned cp = ((b & 0x1Fu) << 6) | (next & 0x3Fu);
            if ((next & 0xC0) == 0x80 && cp >= 0xA0) {
                *p++ = static_cast<char>(cp);
                i += 2;
                continue;
            }
        }
        const long cp = decodeUtf8(utf8, i);
        *p++ = cp < 0 ? '?' : static_cast<char>(ansiByteFor(static_cast<char32_t>(cp)));
    }
    return static_cast<std::size_t>(p - out);
}

void appendUtf8AsAnsi(std::string& out, std::string_view utf8) {
    if (!anyHighByte(utf8)) {
        out.append(utf8.data(), utf8.size());
        return;
    }
    // Never longer than the UTF-8: sized for that, then cut to what was written.
    const std::size_t start = out.size();
    out.resize(start + utf8.size());
    out.resize(start + writeUtf8AsAnsi(out.data() + start, utf8));
}

std::string utf8ToAnsi(std::string_view utf8) {
    std::string out;
    appendUtf8AsAnsi(out, utf8);
    return out;
}

std::size_t ansiLength(std::string_view utf8) {
    if (!anyHighByte(utf8))
        return utf8.size();
    std::size_t count = 0;
    std::size_t i = 0;
    while (i < utf8.size()) {
        if (static_cast<unsigned char>(utf8[i]) < 0x80)
            ++i;
        else
            decodeUtf8(utf8, i);
        ++count;
    }
    return count;
}

bool isAnsiRepresentable(std::string_view utf8) {
    if (!anyHighByte(utf8))
        return true;
    for (std::size_t i = 0; i < utf8.size();) {
        const long cp = decodeUtf8(utf8, i);
        if (cp < 0 || (cp != '?' && ansiByteFor(static_cast<char32_t>(cp)) == '?'))
            return false;
    }
    return true;
}

namespace {

using namespace std::string_view_literals;

// Stand-ins for runs of characters outside the code page, one character each;
// '?' where a run has a character with no stand-in, '\0' where it has one the
// code page holds (never looked up).
struct StandIns {
    char32_t first;
    std::string_view chars;
};
constexpr std::array<StandIns, 12> kStandIns = {{
    // Latin Extended-A, U+0100..U+017F: base letters.
    {0x0100, "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIi??JjKkkLlLlLlLlLlNnNnNn?Nn"
             "OoOoOo\0\0RrRrRrSsSsSs\0\0TtTtTtUuUuUuUuUuUuWwYy\0ZzZz\0\0s"sv},
    {0x01CD, "AaIiOoUu"},    // with caron
    {0x0218, "SsTt"},        // with comma below
    {0x02BB, "''"},          // modifier letter apostrophes
    {0x2000, "           "}, // en quad .. hair space
    {0x2010, "---\0\0-"sv},  // hyphens, figure dash, horizontal bar
    {0x201B, "'"},
    {0x201F, "\""},
    {0x2032, "'\""}, // prime, double prime
    {0x2044, "/"},   // fraction slash
    {0x2212, "-"},   // minus sign
    {0x202F, " "},   // narrow no-break space
}};
static_assert(kStandIns[0].chars.size() == 0x80 && kStandIns[4].chars.size() == 11);

// Characters that stand for more than one, or for none.
struct Spelled {
    char32_t cp;
    std::string_view text;
};
constexpr std::array<Spelled, 11> kSpelled = {{
    {0x0132, "IJ"},
    {0x0133, "ij"},
    {0x0149, "'n"},
    {0x2116, "No"},
    {0x205F, " "},
    {0x3000, " "},
    {0x200B, ""},
    {0x200C, ""},
    {0x200D, ""},
    {0x2060, ""},
    {0xFEFF, ""},
}};

// What stands for `cp` in the code page's reach; '?' when nothing does.
std::string_view standInFor(char32_t cp, char& one) {
    if (cp >= 0x0300 && cp <= 0x036F)
        return {}; // a combining mark: the letter before it stays bare
    if (cp >= 0xFF01 && cp <= 0xFF5E) {
        one = static_cast<char>(cp - 0xFEE0); // full-width ASCII
        return {&one, 1};
    }
    for (const Spelled& spelled : kSpelled)
        if (spelled.cp == cp)
            return spelled.text;
    one = '?';
    for (const StandIns& run : kStandIns) {
        if (cp >= run.first && cp - run.first < run.chars.size()) {
            if (run.chars[cp - run.first] != '\0')
                one = run.chars[cp - run.first];
            break;
        }
    }
    return {&one, 1};
}

} // namespace

std::string nearestAnsiText(std::string_view utf8, bool* changed) {
    if (changed)
        *changed = false;
    if (isAnsiRepresentable(utf8))
        return std::string(utf8);
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t start = i;
        const long cp = decodeUtf8(utf8, i);
        if (cp >= 0 && (cp == '?' || ansiByteFor(static_cast<char32_t>(cp)) != '?')) {
            out.append(utf8.substr(start, i - start));
            continue;
        }
        char one = '?';
        out.append(cp < 0 ? std::string_view("?") : standInFor(static_cast<char32_t>(cp), one));
    }
    if (changed)
        *changed = true;
    return out;
}

} // namespace tolm::platform
