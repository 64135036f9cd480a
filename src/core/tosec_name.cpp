#include "core/tosec_name.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "core/text.h"

namespace tolm {

namespace {

constexpr bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
constexpr bool isUpper(char c) {
    return c >= 'A' && c <= 'Z';
}
constexpr bool isLower(char c) {
    return c >= 'a' && c <= 'z';
}
constexpr bool isAlnum(char c) {
    return isDigit(c) || isUpper(c) || isLower(c);
}
constexpr bool isBracket(char c) {
    return c == '(' || c == ')' || c == '[' || c == ']';
}

bool allOf(std::string_view text, bool (*test)(char)) {
    return !text.empty() && std::all_of(text.begin(), text.end(), test);
}

// The first letters are compared before the rest: most tries fail there.
bool oneOf(std::string_view text, std::initializer_list<std::string_view> values) {
    return !text.empty() && std::any_of(values.begin(), values.end(), [text](std::string_view v) {
        return v.size() == text.size() && v[0] == text[0] && v == text;
    });
}

constexpr std::size_t kLongestExtension = 4;

// An extension of up to four letters as one number, letter case aside, so
// that the check made for every dot of every name read is a few compares.
constexpr std::uint64_t extensionKey(std::string_view extension) {
    std::uint64_t key = extension.size();
    for (const char c : extension)
        key = (key << 8) | static_cast<unsigned char>(lowerAscii(c));
    return key;
}

template <std::size_t N>
constexpr std::array<std::uint64_t, N> extensionKeys(const std::array<std::string_view, N>& names) {
    std::array<std::uint64_t, N> keys{};
    for (std::size_t i = 0; i < N; ++i)
        keys[i] = extensionKey(names[i]);
    return keys;
}

constexpr auto kGameFileKeys = extensionKeys(kGameFileExtensions);
constexpr auto kCompressionKeys = extensionKeys(kCompressionExtensions);
static_assert(std::all_of(kGameFileExtensions.begin(), kGameFileExtensions.end(),
                          [](std::string_view e) { return e.size() <= kLongestExtension; }));

template <std::size_t N>
bool isOneOf(std::string_view extension, const std::array<std::uint64_t, N>& keys) {
    if (extension.empty() || extension.size() > kLongestExtension)
        return false;
    return std::find(keys.begin(), keys.end(), extensionKey(extension)) != keys.end();
}

// The extension after the last dot when it is short enough to be a known
// one (so a long name is not scanned back to its start), else empty.
std::string_view lastExtension(std::string_view fileName) {
    const std::size_t from =
        fileName.size() > kLongestExtension + 1 ? fileName.size() - kLongestExtension - 1 : 0;
    const std::size_t dot = fileName.substr(from).rfind('.');
    return dot == std::string_view::npos ? std::string_view() : fileName.substr(from + dot + 1);
}

template <typename Test> std::string_view stripExtensions(std::string_view fileName, Test known) {
    for (;;) {
        const std::string_view extension = lastExtension(fileName);
        if (extension.empty() || !known(extension))
            return fileName;
        fileName.remove_suffix(extension.size() + 1);
    }
}

// --- Date: YYYY, YYYY-MM or YYYY-MM-DD, "x" (or "X") for an unknown digit.

constexpr bool isDateDigit(char c) {
    return isDigit(c) || c == 'x' || c == 'X';
}

// The value of a fully known field, -1 when any digit is unknown.
int knownValue(std::string_view digits) {
    int value = 0;
    for (const char c : digits) {
        if (!isDigit(c))
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

// A two-digit field whose known digits can still make a value in [low, high].
bool fieldCanBe(std::string_view field, int low, int high) {
    if (field.size() != 2 || !isDateDigit(field[0]) || !isDateDigit(field[1]))
        return false;
    for (int value = low; value <= high; ++value) {
        const char tens = static_cast<char>('0' + value / 10);
        const char units = static_cast<char>('0' + value % 10);
        if ((!isDigit(field[0]) || field[0] == tens) && (!isDigit(field[1]) || field[1] == units))
            return true;
    }
    return false;
}

struct Date {
    int year = 0;
    int month = 0;
    int day = 0;
};

std::optional<Date> parseDate(std::string_view text) {
    if (text.size() != 4 && text.size() != 7 && text.size() != 10)
        return std::nullopt;
    // The sets date software from the 1900s and 2000s only: "19xx" at the
    // least, so a title's "(1942)" style number cannot pass for "(0042)".
    const std::string_view century = text.substr(0, 2);
    if ((century != "19" && century != "20") || !isDateDigit(text[2]) || !isDateDigit(text[3]))
        return std::nullopt;
    Date date;
    date.year = std::max(knownValue(text.substr(0, 4)), 0);
    if (text.size() >= 7) {
        if (text[4] != '-' || !fieldCanBe(text.substr(5, 2), 1, 12))
            return std::nullopt;
        date.month = std::max(knownValue(text.substr(5, 2)), 0);
    }
    if (text.size() == 10) {
        if (text[7] != '-' || !fieldCanBe(text.substr(8, 2), 1, 31))
            return std::nullopt;
        date.day = std::max(knownValue(text.substr(8, 2)), 0);
    }
    return date;
}

// --- The optional round-bracket groups after the publisher, in their order.

enum class GroupKind { System, Video, Country, Language, Copyright, DevStatus, Media, Other };

// Letter pairs joined with "-": "GB", "DE-FR" (upper) or "en", "de-fr" (lower).
bool isCodeList(std::string_view text, bool (*letter)(char)) {
    if (text.size() % 3 != 2)
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i % 3 == 2 ? text[i] != '-' : !letter(text[i]))
            return false;
    }
    return true;
}

// A memory size: "48K", "128K"; a range of them: "48-128K", "16K-48K".
bool isMemorySize(std::string_view text) {
    const std::size_t dash = text.find('-');
    if (dash != std::string_view::npos) {
        const std::string_view low = text.substr(0, dash);
        const std::string_view high = text.substr(dash + 1);
        const std::string_view lowDigits =
            !low.empty() && low.back() == 'K' ? low.substr(0, low.size() - 1) : low;
        return allOf(lowDigits, isDigit) && isMemorySize(high);
    }
    return text.size() >= 2 && text.back() == 'K' &&
           allOf(text.substr(0, text.size() - 1), isDigit);
}

// The Spectrum machines the sets name: "+2", "+2a", "+3", "128K", "48-128K",
// and the clones by name.
bool isSystem(std::string_view text) {
    if (text.size() >= 2 && text[0] == '+' && isDigit(text[1]))
        return allOf(text.substr(1), isAlnum);
    return isMemorySize(text) || oneOf(text, {"Pentagon", "Pentagon 128", "Scorpion", "TC2048",
                                              "TC2068", "TS2068", "Timex", "Next"});
}

// "Disk 1", "Side A", "Tape 2 of 2 Side B", "Part 1-2 of 3".
bool isMedia(std::string_view text) {
    const std::size_t blank = text.find(' ');
    if (blank == std::string_view::npos ||
        !oneOf(text.substr(0, blank), {"Disc", "Disk", "File", "Part", "Side", "Tape"}))
        return false;
    std::string_view rest = text.substr(blank + 1);
    const auto word = [&rest] {
        const std::size_t end = std::min(rest.find(' '), rest.size());
        const std::string_view taken = rest.substr(0, end);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        return taken;
    };
    const std::string_view number = word();
    const std::size_t dash = number.find('-');
    const bool numbered =
        dash == std::string_view::npos
            ? allOf(number, isAlnum)
            : allOf(number.substr(0, dash), isAlnum) && allOf(number.substr(dash + 1), isAlnum);
    if (!numbered)
        return false;
    if (rest.empty())
        return true;
    std::string_view next = word();
    if (next == "of") {
        if (!allOf(word(), isAlnum))
            return false;
        if (rest.empty())
            return true;
        next = word();
    }
    return next == "Side" && allOf(word(), isAlnum) && rest.empty();
}

GroupKind kindOf(std::string_view text) {
    // Copyright codes first: "CW" and "GW" are also country codes, and a
    // copyright status is the likelier meaning in a name.
    if (oneOf(text, {"CW", "CW-R", "FW", "GW", "GW-R", "LW", "PD", "SW", "SW-R"}))
        return GroupKind::Copyright;
    if (oneOf(text, {"CGA", "EGA", "HGC", "MCGA", "MDA", "NTSC", "NTSC-PAL", "PAL", "PAL-60",
                     "PAL-NTSC", "SVGA", "VGA", "XGA"}))
        return GroupKind::Video;
    if (oneOf(text, {"alpha", "beta", "preview", "pre-release", "proto"}))
        return GroupKind::DevStatus;
    if (isCodeList(text, isUpper))
        return GroupKind::Country;
    if (isCodeList(text, isLower) ||
        (text.size() >= 2 && text[0] == 'M' && allOf(text.substr(1), isDigit)))
        return GroupKind::Language;
    if (isMedia(text))
        return GroupKind::Media;
    if (isSystem(text))
        return GroupKind::System;
    return GroupKind::Other;
}

// --- Square-bracket groups: dump flags, then more info.

// Tried in this order so that "tr" is not read as "t" and "r".
constexpr std::array<std::string_view, 13> kFlagCodes = {"cr", "tr", "f", "h", "m", "p", "t",
                                                         "o",  "u",  "v", "b", "a", "!"};

std::optional<TosecDumpFlag> parseDumpFlag(std::string_view text) {
    for (const std::string_view code : kFlagCodes) {
        if (!text.starts_with(code))
            continue;
        std::string_view rest = text.substr(code.size());
        if (code == "!") {
            if (!rest.empty())
                return std::nullopt;
            return TosecDumpFlag{std::string(code), 1, {}};
        }
        std::size_t digits = 0;
        while (digits < rest.size() && isDigit(rest[digits]))
            ++digits;
        int number = 1;
        if (digits > 0) {
            // The second of a kind is "[a2]"; "[a1]" and "[a02]" are not flags.
            if (rest[0] == '0' || digits > 3)
                return std::nullopt;
            number = knownValue(rest.substr(0, digits));
            if (number < 2)
                return std::nullopt;
            rest.remove_prefix(digits);
        }
        if (rest.empty())
            return TosecDumpFlag{std::string(code), number, {}};
        if (rest[0] != ' ')
            return std::nullopt; // "[aka X]" is more info, not an alternate
        const std::string_view argument = trimBlanks(rest);
        if (argument.empty())
            return std::nullopt;
        return TosecDumpFlag{std::string(code), number, std::string(argument)};
    }
    return std::nullopt;
}

// --- The name's structure.

// A bracketed group: [begin, end) spans the brackets themselves.
struct Group {
    std::size_t begin;
    std::size_t end;
};

std::string_view inside(std::string_view text, Group group) {
    return text.substr(group.begin + 1, group.end - group.begin - 2);
}

// The groups that end the text, left to right: each is "(...)" or "[...]"
// holding no other bracket, with only blanks between them and after the
// last. Reading from the end keeps this one pass however many groups the
// title holds. The buffer is reused: one name after another is read in bulk.
const std::vector<Group>& trailingGroups(std::string_view text) {
    thread_local std::vector<Group> groups;
    groups.clear();
    std::size_t end = text.size();
    for (;;) {
        while (end > 0 && text[end - 1] == ' ')
            --end;
        if (end == 0)
            break;
        const char close = text[end - 1];
        if (close != ')' && close != ']')
            break;
        std::size_t at = end - 1;
        while (at > 0 && !isBracket(text[at - 1]))
            --at;
        if (at == 0 || text[at - 1] != (close == ')' ? '(' : '['))
            break;
        groups.push_back({at - 1, end});
        end = at - 1;
    }
    std::reverse(groups.begin(), groups.end());
    return groups;
}

// Takes the version ("v1.2", "Rev 1") and the demo group off the end of the
// text before the date, leaving the title; the title is never left empty.
void splitHead(std::string_view head, TosecName& out) {
    if (const std::size_t open = head.rfind('('); head.ends_with(')') && open != head.npos) {
        const std::string_view group = head.substr(open + 1, head.size() - open - 2);
        const bool isDemo =
            group == "demo" || (group.starts_with("demo-") && allOf(group.substr(5), isLower));
        if (isDemo && open > 0 && head[open - 1] == ' ') {
            const std::string_view before = trimBlanks(head.substr(0, open));
            if (!before.empty()) {
                out.demo = group;
                head = before;
            }
        }
    }
    const std::size_t blank = head.rfind(' ');
    if (blank != std::string_view::npos) {
        const std::string_view last = head.substr(blank + 1);
        std::string_view before = trimBlanks(head.substr(0, blank));
        std::string_view version;
        if (last.size() >= 2 && last[0] == 'v' && isDigit(last[1])) {
            version = last;
        } else if (before.ends_with(" Rev") && allOf(last, isAlnum)) {
            version = head.substr(before.size() - 3);
            before = trimBlanks(before.substr(0, before.size() - 4));
        }
        if (!version.empty() && !before.empty()) {
            out.version = version;
            head = before;
        }
    }
    out.title = head;
}

// Sorts the groups after the publisher into their fields. Round groups are
// taken in the convention's order; one out of order or of no known kind is
// kept apart rather than refusing the name.
void readTail(std::string_view text, const std::vector<Group>& groups, std::size_t first,
              TosecName& out) {
    static constexpr GroupKind kOrder[] = {
        GroupKind::System,    GroupKind::Video,     GroupKind::Country, GroupKind::Language,
        GroupKind::Copyright, GroupKind::DevStatus, GroupKind::Media};
    std::size_t next = 0; // the first kind still allowed
    bool afterMedia = false;
    bool inMoreInfo = false;
    bool squareSeen = false;
    for (std::size_t i = first; i < groups.size(); ++i) {
        const std::string_view content = inside(text, groups[i]);
        if (text[groups[i].begin] == '[') {
            squareSeen = true;
            afterMedia = false;
            if (!inMoreInfo) {
                if (auto flag = parseDumpFlag(content)) {
                    out.dumpFlags.push_back(std::move(*flag));
                    continue;
                }
                inMoreInfo = true;
            }
            out.moreInfo.emplace_back(content);
            continue;
        }
        const GroupKind kind = squareSeen ? GroupKind::Other : kindOf(content);
        const auto at = std::find(std::begin(kOrder), std::end(kOrder), kind);
        const auto position = static_cast<std::size_t>(at - std::begin(kOrder));
        if (at != std::end(kOrder) && position >= next) {
            std::string* fields[] = {&out.system,    &out.video,     &out.country, &out.language,
                                     &out.copyright, &out.devStatus, &out.media};
            *fields[position] = content;
            next = position + 1;
            afterMedia = kind == GroupKind::Media;
            continue;
        }
        if (afterMedia && out.mediaLabel.empty()) {
            out.mediaLabel = content;
            afterMedia = false;
            continue;
        }
        afterMedia = false;
        out.otherGroups.emplace_back(content);
    }
}

} // namespace

bool isGameFileExtension(std::string_view extension) {
    if (extension.size() >= 2 && extension.size() <= kLongestExtension &&
        lowerAscii(extension[0]) == 'z' && lowerAscii(extension[1]) == 'x')
        return true;
    return isOneOf(extension, kGameFileKeys);
}

bool isCompressionExtension(std::string_view extension) {
    return isOneOf(extension, kCompressionKeys);
}

std::string_view withoutCompressionExtensions(std::string_view fileName) {
    return stripExtensions(fileName, isCompressionExtension);
}

std::string_view withoutGameExtensions(std::string_view fileName) {
    return stripExtensions(fileName, [](std::string_view extension) {
        return isGameFileExtension(extension) || isCompressionExtension(extension);
    });
}

std::optional<TosecName> parseTosecName(std::string_view fileName) {
    const std::string_view text = withoutGameExtensions(fileName);
    const std::vector<Group>& groups = trailingGroups(text);
    // The first group that is a date, after a blank and a title, and is
    // followed at once by a publisher group anchors the name: the title may
    // hold groups of its own before it.
    for (std::size_t i = 0; i + 1 < groups.size(); ++i) {
        const Group date = groups[i];
        const Group publisher = groups[i + 1];
        if (text[date.begin] != '(' || date.begin == 0 || text[date.begin - 1] != ' ' ||
            text[publisher.begin] != '(' || publisher.begin != date.end)
            continue;
        const auto parsedDate = parseDate(inside(text, date));
        const std::string_view publisherText = trimBlanks(inside(text, publisher));
        const std::string_view head = trimBlanks(text.substr(0, date.begin));
        if (!parsedDate || publisherText.empty() || head.empty())
            continue;

        std::optional<TosecName> result(std::in_place);
        TosecName& out = *result;
        splitHead(head, out);
        out.date = inside(text, date);
        out.year = parsedDate->year;
        out.month = parsedDate->month;
        out.day = parsedDate->day;
        if (publisherText != "-")
            out.publisher = publisherText;
        readTail(text, groups, i + 2, out);

        const std::string_view tail = trimBlanks(text.substr(publisher.end));
        out.name.reserve(head.size() + 1 + tail.size());
        out.name = head;
        if (!tail.empty()) {
            out.name += ' ';
            out.name += tail;
        }
        return result;
    }
    return std::nullopt;
}

std::vector<std::string> tosecPublishers(std::string_view publisher) {
    std::vector<std::string> names;
    if (trimBlanks(publisher).empty())
        return names;
    for (;;) {
        const std::size_t at = publisher.find(" - ");
        names.emplace_back(trimBlanks(publisher.substr(0, at)));
        if (at == std::string_view::npos)
            return names;
        publisher.remove_prefix(at + 3);
    }
}

std::string gameNameFromFileName(std::string_view fileName, NameRule rule) {
    if (auto tosec = parseTosecName(fileName))
        return std::move(tosec->name);
    const std::string_view stem = withoutCompressionExtensions(fileName);
    return std::string(
        stem.substr(0, rule == NameRule::UpToFirstDot ? stem.find('.') : stem.rfind('.')));
}

} // namespace tolm
