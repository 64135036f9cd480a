#include "import/zxdb_match.h"

#include <algorithm>
#include <array>
#include <bit>
#include <functional>

#include "core/text.h"
#include "core/title_folding.h"
#include "core/tosec_name.h"

namespace tolm::zxdb {
namespace {

// Base letters of the Latin letters U+00C0 to U+017F, '*' where there is none
// of one letter (Æ, ß, Œ, ...) and the character stays.
constexpr std::string_view kLatinBases =
    "AAAAAA*CEEEEIIIIDNOOOOO*OUUUUY**aaaaaa*ceeeeiiiidnooooo*ouuuuy*y"    // U+00C0
    "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIi**JjKkkLlLlLlLlLl" // U+0100
    "NnNnNnnNnOoOoOo**RrRrRrSsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs";      // U+0143

// `text` with accented Latin letters as their base letters: collections name
// "Lodz Express" what ZXDB writes "Łódź Express".
std::string withoutAccents(std::string_view text) {
    if (std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; }))
        return std::string(text);
    std::string plain;
    plain.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if ((lead == 0xC3 || lead == 0xC4 || lead == 0xC5) && i + 1 < text.size()) {
            const auto trail = static_cast<unsigned char>(text[i + 1]);
            const unsigned code = ((lead & 0x1Fu) << 6) | (trail & 0x3Fu);
            if ((trail & 0xC0u) == 0x80u && code >= 0xC0 && code - 0xC0 < kLatinBases.size() &&
                kLatinBases[code - 0xC0] != '*') {
                plain += kLatinBases[code - 0xC0];
                ++i;
                continue;
            }
        }
        plain += text[i];
    }
    return plain;
}

// A publisher reduced for comparing: letters and digits only, ASCII lowered,
// accents off.
std::string foldPublisher(std::string_view given) {
    const std::string publisher = withoutAccents(given);
    std::string folded;
    folded.reserve(publisher.size());
    for (const char c : publisher) {
        const char lowered = lowerAscii(c);
        if ((lowered >= 'a' && lowered <= 'z') || (lowered >= '0' && lowered <= '9') ||
            static_cast<unsigned char>(c) >= 0x80)
            folded += lowered;
    }
    return folded;
}

// The key a title is looked up by.
std::string titleKey(std::string_view title) {
    const bool plain =
        std::all_of(title.begin(), title.end(), [](char c) { return (c & 0x80) == 0; });
    return plain ? foldTitle(title) : foldTitle(withoutAccents(title));
}

// The key a file name is looked up by: its last path part, lowered, without
// the compression extension and accents, so "Games/ManicMiner.TZX.zip" finds
// "manicminer.tzx".
std::string fileKey(std::string_view path) {
    const std::size_t separator = path.find_last_of("/\\");
    if (separator != std::string_view::npos)
        path.remove_prefix(separator + 1);
    return lowerAscii(withoutAccents(withoutCompressionExtensions(trimBlanks(path))));
}

// The folded parts of a publisher text that joins several with " - ".
std::vector<std::string> publisherParts(std::string_view publisher) {
    std::vector<std::string> parts;
    for (;;) {
        const std::size_t joint = publisher.find(" - ");
        std::string part = foldPublisher(publisher.substr(0, joint));
        if (!part.empty())
            parts.push_back(std::move(part));
        if (joint == std::string_view::npos)
            return parts;
        publisher.remove_prefix(joint + 3);
    }
}

// "Ocean" names the same house as "Ocean Software Ltd".
bool samePublisher(std::string_view a, std::string_view b) {
    return a.size() <= b.size() ? b.starts_with(a) : a.starts_with(b);
}

bool agrees(const Entry& entry, std::int32_t year, const std::vector<std::string>& publishers) {
    if (year > 0 && entry.year != year)
        return false;
    if (publishers.empty())
        return true;
    const std::vector<std::string> theirs = publisherParts(entry.publisher);
    for (const std::string& ours : publishers)
        for (const std::string& their : theirs)
            if (samePublisher(ours, their))
                return true;
    return false;
}

// Agreement outranks being found both ways.
int rank(const Candidate& candidate) {
    return (candidate.agrees ? 2 : 0) + (candidate.byFile && candidate.byTitle ? 1 : 0);
}

} // namespace

void Matcher::KeyIndex::add(std::string_view key, std::uint32_t entry) {
    if (key.empty())
        return;
    Run run{std::hash<std::string_view>{}(key), static_cast<std::uint32_t>(keys_.size()),
            static_cast<std::uint32_t>(key.size()), entry, 1};
    keys_.append(key);
    runs_.push_back(run);
}

void Matcher::KeyIndex::finish() {
    const auto text = [this](const Run& run) {
        return std::string_view(keys_).substr(run.key, run.keySize);
    };
    // While adding, each run holds one entry in `first`.
    std::sort(runs_.begin(), runs_.end(), [&](const Run& a, const Run& b) {
        if (a.hash != b.hash)
            return a.hash < b.hash;
        const int order = text(a).compare(text(b));
        return order != 0 ? order < 0 : a.first < b.first;
    });
    std::vector<Run> runs;
    entries_.reserve(runs_.size());
    for (const Run& added : runs_) {
        if (runs.empty() || runs.back().hash != added.hash || text(runs.back()) != text(added)) {
            runs.push_back(added);
            runs.back().first = static_cast<std::uint32_t>(entries_.size());
            runs.back().count = 0;
        } else if (entries_.back() == added.first) {
            continue; // the entry has the key twice
        }
        entries_.push_back(added.first);
        ++runs.back().count;
    }
    runs_ = std::move(runs);

    slots_.assign(std::bit_ceil(runs_.size() * 2 + 1), 0);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = 0; i < runs_.size(); ++i) {
        std::size_t slot = runs_[i].hash & mask;
        while (slots_[slot] != 0)
            slot = (slot + 1) & mask;
        slots_[slot] = static_cast<std::uint32_t>(i + 1);
    }
}

std::span<const std::uint32_t> Matcher::KeyIndex::find(std::string_view key) const {
    if (key.empty() || slots_.empty())
        return {};
    const std::uint64_t hash = std::hash<std::string_view>{}(key);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = hash & mask; slots_[slot] != 0; slot = (slot + 1) & mask) {
        const Run& run = runs_[slots_[slot] - 1];
        if (run.hash == hash && std::string_view(keys_).substr(run.key, run.keySize) == key)
            return {entries_.data() + run.first, run.count};
    }
    return {};
}

Matcher::Matcher(const Index& index) : index_(index) {
    for (std::size_t i = 0; i < index.entries.size(); ++i) {
        const Entry& entry = index.entries[i];
        const auto position = static_cast<std::uint32_t>(i);
        byTitle_.add(titleKey(entry.title), position);
        for (const std::string& alias : entry.aliases)
            byTitle_.add(titleKey(alias), position);
        for (const std::string& file : entry.files)
            byFile_.add(fileKey(file), position);
    }
    byTitle_.finish();
    byFile_.finish();
}

Match Matcher::match(std::string_view name, std::int32_t year, std::string_view publisher,
                     std::string_view romFile) const {
    const std::span<const std::uint32_t> titled = byTitle_.find(titleKey(name));
    const std::span<const std::uint32_t> filed = byFile_.find(fileKey(romFile));

    // Both lists ascend: merged, each entry comes once.
    Match result;
    result.candidates.reserve(titled.size() + filed.size());
    std::size_t t = 0, f = 0;
    while (t < titled.size() || f < filed.size()) {
        Candidate candidate;
        if (f == filed.size() || (t < titled.size() && titled[t] < filed[f])) {
            candidate.entry = titled[t++];
            candidate.byTitle = true;
        } else if (t == titled.size() || filed[f] < titled[t]) {
            candidate.entry = filed[f++];
            candidate.byFile = true;
        } else {
            candidate.entry = titled[t++];
            ++f;
            candidate.byTitle = candidate.byFile = true;
        }
        result.candidates.push_back(candidate);
    }
    if (result.candidates.empty())
        return result;

    const std::vector<std::string> publishers = publisherParts(publisher);
    for (Candidate& candidate : result.candidates)
        candidate.agrees = agrees(index_.entries[candidate.entry], year, publishers);
    std::stable_sort(result.candidates.begin(), result.candidates.end(),
                     [](const Candidate& a, const Candidate& b) { return rank(a) > rank(b); });
    const bool tie =
        result.candidates.size() > 1 && rank(result.candidates[1]) == rank(result.candidates[0]);
    result.kind = tie ? MatchKind::Ambiguous : MatchKind::Unique;
    return result;
}

namespace {

struct GenreName {
    std::string_view zxdb;
    std::int32_t tolm; // -1: not a game
};

// The game genres of the World of Spectrum listing, which ZXDB continues.
constexpr std::array<GenreName, 27> kGenres = {{
    {"Adventure: Dungeon Crawl", 25}, // Adventure - RPG 3D
    {"Adventure: Graphic", 20},       // Adventure - Graphic/Text
    {"Adventure: RPG", 24},           // Adventure - RPG 2D
    {"Adventure: Text", 28},          // Adventure - Text only
    {"Arcade: Action", 6},            // Arcade - Miscellaneous
    {"Arcade: Adventure", 16},        // Adventure - Arcade 2D
    {"Arcade: Gang beat-em-up", 0},   // Arcade - Beat'em Up
    {"Arcade: Solo beat-em-up", 53},  // Sports - Fighting: one against one
    {"Arcade: Maze", 5},              // Arcade - Labyrinth/Maze
    {"Arcade: Pinball", 8},           // Arcade - Pinball
    {"Arcade: Platform", 9},          // Arcade - Platformer (Multi Screen)
    {"Arcade: Race 'n' Chase", 7},    // Arcade - Pac Man
    {"Arcade: Shoot-em-up", 129},     // Shoot'em Up - [uncategorized]
    {"Arcade: Vehicle", 115},         // Racing - [uncategorized]
    {"Board Game", 74},               // Gambling - Board Game
    {"Card Game", 75},                // Gambling - Cards
    {"Gambling: Games", 80},          // Gambling - Miscellaneous
    {"Gambling: Utilities", -1},      // pools predictors and the like
    {"Puzzle", 107},                  // Brain - Puzzle
    {"Quiz", 89},                     // Educational - Quiz
    {"Simulation", 36},               // Simulation - [uncategorized]
    {"Sport: Action", 71},            // Sports - [uncategorized]
    {"Sport: Management", 37},        // Strategy - Company: running a club
    {"Strategy: Management", 37},     // Strategy - Company
    {"Strategy: War", 42},            // Strategy - War
    {"Tactical Combat", 42},          // Strategy - War
    {"Educational", 93},              // Educational - [uncategorized]
}};

// ZXDB's group words and Tolm's group for a text the table does not know:
// its "[uncategorized]" entry.
constexpr std::array<GenreName, 9> kGroups = {{
    {"Arcade", 15},
    {"Adventure", 29},
    {"Simulation", 36},
    {"Strategy", 43},
    {"Sport", 71},
    {"Sports", 71},
    {"Gambling", 85},
    {"Educational", 93},
    {"Puzzle", 109},
}};

constexpr std::int32_t kDemo = 94;        // Miscellaneous - Demo
constexpr std::int32_t kProgramming = 99; // Construction - Programming

} // namespace

std::optional<std::int32_t> genreFromZxdb(std::string_view genreText) {
    const std::string_view text = trimBlanks(genreText);
    for (const GenreName& genre : kGenres) {
        if (equalsIgnoringCase(genre.zxdb, text))
            return genre.tolm < 0 ? std::nullopt : std::optional(genre.tolm);
    }
    const std::size_t colon = text.find(':');
    const std::string_view group = trimBlanks(text.substr(0, colon));
    const std::string_view kind =
        colon == std::string_view::npos ? std::string_view() : trimBlanks(text.substr(colon + 1));
    if (lowerAscii(text.substr(0, 4)) == "demo" || equalsIgnoringCase(text, "Scene Demo"))
        return kDemo;
    if (equalsIgnoringCase(group, "Programming") || equalsIgnoringCase(kind, "Programming"))
        return kProgramming;
    for (const GenreName& known : kGroups) {
        if (equalsIgnoringCase(known.zxdb, group))
            return known.tolm;
    }
    return std::nullopt; // utilities, books, magazines and other programs that are not games
}

} // namespace tolm::zxdb
