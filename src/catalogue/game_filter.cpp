#include "catalogue/game_filter.h"

#include <algorithm>
#include <array>

#include "core/text.h"

namespace tolm {
namespace {

// Keeps fields apart in a game's joined text, so no word spans two of them.
constexpr char kFieldBreak = '\x1F';

// Folded forms of U+00C0..U+00FF: accents off, lower case.
constexpr std::array<const char*, 64> kLatin1Folds = {
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",  // C0-CF
    "d", "n", "o", "o", "o", "o", "o",  "x", "o", "u", "u", "u", "u", "y", "th", "ss", // D0-DF
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",  // E0-EF
    "d", "n", "o", "o", "o", "o", "o",  "/", "o", "u", "u", "u", "u", "y", "th", "y",  // F0-FF
};

// Folded form of a code point above U+007F, or nullptr to keep it.
const char* foldedCodePoint(char32_t c) {
    if (c >= 0xC0 && c <= 0xFF)
        return c == 0xD7 || c == 0xF7 ? nullptr : kLatin1Folds[c - 0xC0];
    switch (c) {
    case 0x152: // Œ
    case 0x153:
        return "oe";
    case 0x160: // Š
    case 0x161:
        return "s";
    case 0x17D: // Ž
    case 0x17E:
        return "z";
    case 0x178: // Ÿ
        return "y";
    case 0x192: // ƒ
        return "f";
    default:
        return nullptr;
    }
}

// Length of the UTF-8 sequence starting with `lead` and its code point,
// or 0 when it is not a well-formed sequence (the byte is then kept as is).
std::size_t decodeUtf8(std::string_view text, std::size_t at, char32_t& out) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || at + length > text.size())
        return 0;
    char32_t c = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (byte(at + i) & 0x3F);
    }
    out = c;
    return length;
}

} // namespace

std::string foldForSearch(std::string_view text) {
    std::string folded;
    folded.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            folded.push_back(lowerAscii(static_cast<char>(c)));
            ++i;
            continue;
        }
        char32_t point = 0;
        const std::size_t length = decodeUtf8(text, i, point);
        if (length == 0) {
            folded.push_back(static_cast<char>(c));
            ++i;
            continue;
        }
        if (const char* replacement = foldedCodePoint(point))
            folded.append(replacement);
        else
            folded.append(text.substr(i, length));
        i += length;
    }
    return folded;
}

std::vector<std::string> filterWords(std::string_view typed) {
    // Blanks and control characters both separate words, which also keeps
    // the field break out of every word.
    std::vector<std::string> words;
    std::string word;
    for (char c : foldForSearch(typed)) {
        if (static_cast<unsigned char>(c) <= ' ') {
            if (!word.empty())
                words.push_back(std::move(word));
            word.clear();
        } else {
            word.push_back(c);
        }
    }
    if (!word.empty())
        words.push_back(std::move(word));
    return words;
}

void GameFilterIndex::rebuild(const GameCatalogue& catalogue) {
    texts_.clear();
    starts_.clear();
    starts_.reserve(catalogue.size() + 1);
    std::string text;
    for (const GameRecord& game : catalogue) {
        starts_.push_back(texts_.size());
        text = game.name;
        text += kFieldBreak;
        text += game.publisher;
        text += kFieldBreak;
        text += game.authors;
        text += kFieldBreak;
        if (game.year >= 1)
            text += std::to_string(game.year);
        texts_ += foldForSearch(text);
        texts_ += kFieldBreak; // no match runs on into the next game
    }
    starts_.push_back(texts_.size());
}

std::string_view GameFilterIndex::textOf(std::size_t game) const {
    return std::string_view(texts_).substr(starts_[game], starts_[game + 1] - starts_[game] - 1);
}

bool GameFilterIndex::matches(std::size_t game, const std::vector<std::string>& words) const {
    if (game >= size())
        return false;
    const std::string_view text = textOf(game);
    for (const std::string& word : words)
        if (text.find(word) == std::string_view::npos)
            return false;
    return true;
}

void GameFilterIndex::matchAll(const std::vector<std::string>& words,
                               std::vector<char>& shown) const {
    const std::size_t games = size();
    shown.assign(games, words.empty() ? 1 : 0);
    if (words.empty() || games == 0)
        return;
    // One pass of the first word over all texts; each hit marks its game and
    // the search goes on from that game's end.
    const std::string_view all(texts_);
    const std::string& first = words.front();
    std::size_t game = 0;
    for (std::size_t at = all.find(first); at != std::string_view::npos;) {
        game = static_cast<std::size_t>(
                   std::upper_bound(starts_.begin() + static_cast<std::ptrdiff_t>(game),
                                    starts_.end(), at) -
                   starts_.begin()) -
               1;
        if (game >= games)
            break;
        shown[game] = 1;
        at = all.find(first, starts_[game + 1]);
    }
    if (words.size() == 1)
        return;
    for (std::size_t g = 0; g < games; ++g) {
        if (!shown[g])
            continue;
        const std::string_view text = textOf(g);
        for (std::size_t w = 1; w < words.size(); ++w) {
            if (text.find(words[w]) == std::string_view::npos) {
                shown[g] = 0;
                break;
            }
        }
    }
}

} // namespace tolm
