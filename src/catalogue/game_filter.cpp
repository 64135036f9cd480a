#include "catalogue/game_filter.h"

#include <algorithm>
#include <array>
#include <charconv>

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

namespace {

constexpr std::int64_t kSecondsPerDay = 24 * 60 * 60;

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

struct KeyName {
    std::string_view name;
    FilterTerm::Key key;
};
constexpr std::array<KeyName, 8> kKeys = {{{"genre", FilterTerm::Key::Genre},
                                           {"year", FilterTerm::Key::Year},
                                           {"publisher", FilterTerm::Key::Publisher},
                                           {"rom", FilterTerm::Key::Rom},
                                           {"shots", FilterTerm::Key::Shots},
                                           {"music", FilterTerm::Key::Music},
                                           {"fav", FilterTerm::Key::Favourite},
                                           {"played", FilterTerm::Key::Played}}};

const KeyName* knownKey(std::string_view text) {
    const std::string lowered = lowerAscii(text);
    for (const KeyName& key : kKeys)
        if (key.name == lowered)
            return &key;
    return nullptr;
}

// A whole number of 1 to `most` digits, nothing else.
bool readNumber(std::string_view text, std::size_t most, std::int64_t& out) {
    if (text.empty() || text.size() > most)
        return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
    return error == std::errc() && end == text.data() + text.size() && out >= 0;
}

// The genre texts and their groups, folded once.
struct FoldedGenres {
    std::array<std::string, kGenreCount> texts;
    std::array<std::string, kGenreCount> groups;
    FoldedGenres() {
        for (std::int32_t g = 0; g < kGenreCount; ++g) {
            texts[g] = foldForSearch(GenreTable[g]);
            groups[g] = foldForSearch(genreGroup(g));
        }
    }
};
const FoldedGenres& foldedGenres() {
    static const FoldedGenres genres;
    return genres;
}

// Reads `value` (unquoted already) into `term`; false leaves `why`.
bool readValue(const KeyName& key, std::string_view value, FilterTerm& term, std::string& why) {
    term.key = key.key;
    const std::string shown = std::string(key.name) + ':' + std::string(value);
    const std::string lowered = lowerAscii(value);
    const auto yesNo = [&](std::string_view yes, std::string_view no) {
        if (lowered == yes || lowered == no) {
            term.yes = lowered == yes;
            return true;
        }
        why = '"' + shown + "\" takes " + std::string(yes) + " or " + std::string(no);
        return false;
    };
    if (value.empty()) {
        why = '"' + std::string(key.name) + ":\" needs a value";
        return false;
    }
    switch (key.key) {
    case FilterTerm::Key::Genre: {
        const std::string folded = foldForSearch(value);
        const FoldedGenres& genres = foldedGenres();
        for (std::int32_t g = 0; g < kGenreCount; ++g)
            if (genres.texts[g] == folded || genres.groups[g] == folded)
                term.genres.set(static_cast<std::size_t>(g));
        if (term.genres.any())
            return true;
        why = '"' + shown + "\": no genre or group is called that";
        return false;
    }
    case FilterTerm::Key::Year: {
        if (lowered == "unknown")
            return true; // 0-0
        const std::size_t dash = value.find('-');
        std::int64_t from = 0;
        std::int64_t to = 0;
        const bool read = dash == std::string_view::npos
                              ? readNumber(value, 9, from) && ((to = from), true)
                              : readNumber(value.substr(0, dash), 9, from) &&
                                    readNumber(value.substr(dash + 1), 9, to);
        if (read && from >= 1 && from <= to) {
            term.yearFrom = static_cast<std::int32_t>(from);
            term.yearTo = static_cast<std::int32_t>(to);
            return true;
        }
        why = '"' + shown + "\" is no year: write year:1984, year:1980-1989 or year:unknown";
        return false;
    }
    case FilterTerm::Key::Publisher:
        term.publisher = foldForSearch(value);
        return true;
    case FilterTerm::Key::Rom:
        return yesNo("found", "missing");
    case FilterTerm::Key::Shots:
    case FilterTerm::Key::Music:
        return yesNo("yes", "no");
    case FilterTerm::Key::Favourite:
        if (lowered == "yes")
            return true;
        why = '"' + shown + "\" takes yes";
        return false;
    case FilterTerm::Key::Played:
        if (lowered == "never") {
            term.yes = false;
            return true;
        }
        if (lowered.back() == 'd' &&
            readNumber(std::string_view(lowered).substr(0, lowered.size() - 1), 6, term.days))
            return true;
        why = '"' + shown + "\" takes a number of days (played:30d) or never";
        return false;
    }
    return false;
}

// `text` folded equals `folded`; ASCII texts are compared without folding.
bool foldsTo(std::string_view text, std::string_view folded) {
    bool ascii = true;
    for (char c : text)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (!ascii)
        return foldForSearch(text) == folded;
    if (text.size() != folded.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (lowerAscii(text[i]) != folded[i])
            return false;
    return true;
}

} // namespace

std::string_view genreGroup(std::int32_t genre) {
    const std::string_view text = genreText(genre);
    return text.substr(0, std::min(text.size(), text.find(" - ")));
}

GameFilter parseFilter(std::string_view typed) {
    GameFilter filter;
    for (std::size_t at = 0; at < typed.size();) {
        if (isBlank(typed[at])) {
            ++at;
            continue;
        }
        std::size_t end = at;
        while (end < typed.size() && !isBlank(typed[end]))
            ++end;
        const std::string_view token = typed.substr(at, end - at);
        const std::size_t colon = token.find(':');
        const KeyName* key =
            colon == std::string_view::npos ? nullptr : knownKey(token.substr(0, colon));
        if (key == nullptr) {
            for (std::string& word : filterWords(token))
                filter.words.push_back(std::move(word));
            at = end;
            continue;
        }
        std::string value(token.substr(colon + 1));
        const std::size_t valueAt = at + colon + 1;
        if (valueAt < typed.size() && typed[valueAt] == '"') {
            // A quoted value runs to the lone closing quote, blanks and all.
            value.clear();
            std::size_t i = valueAt + 1;
            bool closed = false;
            for (; i < typed.size(); ++i) {
                if (typed[i] != '"') {
                    value.push_back(typed[i]);
                } else if (i + 1 < typed.size() && typed[i + 1] == '"') {
                    value.push_back('"');
                    ++i;
                } else {
                    closed = true;
                    ++i;
                    break;
                }
            }
            end = i;
            if (!closed || (end < typed.size() && !isBlank(typed[end]))) {
                if (filter.error.empty())
                    filter.error = '"' + std::string(typed.substr(at, end - at)) +
                                   (closed ? "\" has text after its closing quote"
                                           : "\" has no closing quote");
                while (end < typed.size() && !isBlank(typed[end]))
                    ++end;
                at = end;
                continue;
            }
        }
        FilterTerm term;
        std::string why;
        if (readValue(*key, value, term, why))
            filter.terms.push_back(std::move(term));
        else if (filter.error.empty())
            filter.error = std::move(why);
        at = end;
    }
    return filter;
}

std::string filterTerm(std::string_view key, std::string_view value) {
    std::string text(key);
    text += ':';
    const bool quote = value.empty() || std::any_of(value.begin(), value.end(),
                                                    [](char c) { return isBlank(c) || c == '"'; });
    if (!quote)
        return text + std::string(value);
    text += '"';
    for (char c : value) {
        if (c == '"')
            text += '"';
        text += c;
    }
    return text + '"';
}

bool termHolds(const FilterTerm& term, const GameRecord& game, const GameFacts& facts,
               std::int64_t now) {
    switch (term.key) {
    case FilterTerm::Key::Genre:
        return game.genre >= 0 && game.genre < kGenreCount &&
               term.genres.test(static_cast<std::size_t>(game.genre));
    case FilterTerm::Key::Year:
        if (term.yearFrom == 0)
            return game.year < 1;
        return game.year >= term.yearFrom && game.year <= term.yearTo;
    case FilterTerm::Key::Publisher:
        return foldsTo(game.publisher, term.publisher);
    case FilterTerm::Key::Rom:
        return facts.romFound == term.yes;
    case FilterTerm::Key::Shots:
        return facts.screenshotFound == term.yes;
    case FilterTerm::Key::Music:
        return facts.musicFound == term.yes;
    case FilterTerm::Key::Favourite:
        return facts.favourite;
    case FilterTerm::Key::Played:
        if (!term.yes)
            return facts.lastPlayed == 0;
        return facts.lastPlayed != 0 && now - facts.lastPlayed <= term.days * kSecondsPerDay;
    }
    return false;
}

void applyTerms(const std::vector<FilterTerm>& terms, const GameCatalogue& catalogue,
                const std::vector<GameFacts>& facts, std::int64_t now, std::vector<char>& shown) {
    const GameFacts none;
    const std::size_t games = std::min(shown.size(), catalogue.size());
    for (std::size_t g = 0; g < games; ++g) {
        if (!shown[g])
            continue;
        const GameFacts& known = g < facts.size() ? facts[g] : none;
        for (const FilterTerm& term : terms) {
            if (!termHolds(term, catalogue[g], known, now)) {
                shown[g] = 0;
                break;
            }
        }
    }
}

} // namespace tolm
