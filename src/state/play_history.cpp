#include "state/play_history.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <deque>
#include <functional>
#include <string_view>
#include <type_traits>
#include <unordered_set>
#include <utility>

#include "core/selection.h"
#include "platform/chunked_write.h"
#include "platform/codepage.h"

namespace tolm {
namespace {

constexpr std::string_view kHeader = "Tolm play history 1";
constexpr std::string_view kFieldsComment =
    "# favourite, times played, last played (seconds since 1970 UTC), seconds played, name, ROM "
    "file";

bool isPlainAscii(std::string_view field) {
    for (char c : field)
        if (static_cast<unsigned char>(c) >= 0x80 || c == '\\')
            return false;
    return true;
}

bool unescape(std::string_view field, std::string& utf8) {
    utf8.clear();
    if (field.find('\\') == std::string_view::npos) {
        platform::appendAnsiAsUtf8(utf8, field);
        return true;
    }
    std::string ansi;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\') {
            ansi += field[i];
            continue;
        }
        if (++i == field.size())
            return false;
        switch (field[i]) {
        case '\\':
            ansi += '\\';
            break;
        case 't':
            ansi += '\t';
            break;
        case 'r':
            ansi += '\r';
            break;
        case 'n':
            ansi += '\n';
            break;
        default:
            return false;
        }
    }
    platform::appendAnsiAsUtf8(utf8, ansi);
    return true;
}

template <typename Number> bool readNumber(std::string_view field, Number& value) {
    if (field.empty())
        return false;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc() || end != field.data() + field.size())
        return false;
    if constexpr (std::is_signed_v<Number>)
        return value >= 0;
    return true;
}

// A plain ASCII text is its file bytes; any other is converted into `store`,
// whose texts never move.
bool readText(std::string_view field, std::deque<std::string>& store, std::string_view& text) {
    if (isPlainAscii(field)) {
        text = field;
        return true;
    }
    store.emplace_back();
    text = store.back();
    if (!unescape(field, store.back()))
        return false;
    text = store.back();
    return true;
}

struct FileEntry {
    GamePlay play;
    std::string_view name;
    std::string_view romFile;
};

// A game's identity in the file, without copying its texts.
struct GameKey {
    std::string_view name;
    std::string_view romFile;
    bool operator==(const GameKey&) const = default;
};

struct GameKeyHash {
    std::size_t operator()(const GameKey& key) const {
        const std::hash<std::string_view> hash;
        return hash(key.name) * 31 ^ hash(key.romFile);
    }
};

bool parseLine(std::string_view line, FileEntry& entry, std::deque<std::string>& store) {
    std::string_view fields[6];
    std::size_t count = 0;
    while (count < 6) {
        const std::size_t tab = line.find('\t');
        fields[count++] = line.substr(0, tab);
        if (tab == std::string_view::npos) {
            line = {};
            break;
        }
        line.remove_prefix(tab + 1);
        if (count == 6)
            return false; // a seventh field
    }
    if (count != 6)
        return false;
    int favourite = 0;
    if (!readNumber(fields[0], favourite) || favourite > 1 ||
        !readNumber(fields[1], entry.play.timesPlayed) ||
        !readNumber(fields[2], entry.play.lastPlayed) ||
        !readNumber(fields[3], entry.play.totalSeconds))
        return false;
    entry.play.favourite = favourite == 1;
    return readText(fields[4], store, entry.name) && !entry.name.empty() &&
           readText(fields[5], store, entry.romFile);
}

} // namespace

const GamePlay& PlayHistory::of(std::int32_t position) const {
    static const GamePlay kNever;
    if (isNone(position) || static_cast<std::size_t>(position) >= games_.size())
        return kNever;
    return games_[static_cast<std::size_t>(position)];
}

GamePlay& PlayHistory::at(std::int32_t position) {
    const auto index = static_cast<std::size_t>(position);
    if (index >= games_.size())
        games_.resize(index + 1);
    return games_[index];
}

std::uint64_t PlayHistory::fingerprint() const {
    // Entries past the last game with a history hold nothing the file keeps.
    std::size_t count = games_.size();
    while (count > 0 && games_[count - 1].empty())
        --count;
    std::uint64_t h = 0xcbf29ce484222325u ^ count;
    const auto mix = [&h](std::uint64_t value) {
        h ^= value + 0x9e3779b97f4a7c15u + (h << 6) + (h >> 2);
    };
    for (std::size_t i = 0; i < count; ++i) {
        const GamePlay& play = games_[i];
        mix(play.favourite);
        mix(play.timesPlayed);
        mix(static_cast<std::uint64_t>(play.lastPlayed));
        mix(static_cast<std::uint64_t>(play.totalSeconds));
    }
    return h;
}

void PlayHistory::setFavourite(std::int32_t position, bool favourite) {
    if (isNone(position) || this->favourite(position) == favourite)
        return;
    at(position).favourite = favourite;
}

std::uint64_t PlayHistory::started(std::int32_t position, std::int64_t now) {
    if (isNone(position))
        return 0;
    GamePlay& play = at(position);
    ++play.timesPlayed;
    play.lastPlayed = now;
    const std::uint64_t session = nextSession_++;
    sessions_.emplace(session, position);
    return session;
}

void PlayHistory::finished(std::uint64_t session, std::int64_t seconds) {
    const auto running = sessions_.find(session);
    if (running == sessions_.end())
        return;
    at(running->second).totalSeconds += std::max<std::int64_t>(seconds, 0);
    sessions_.erase(running);
}

void PlayHistory::positionsRemoved(const std::vector<std::int32_t>& positions) {
    // Every running session's position is below games_.size().
    std::vector<bool> doomed(games_.size(), false);
    bool any = false;
    for (std::int32_t p : positions)
        if (!isNone(p) && static_cast<std::size_t>(p) < games_.size()) {
            doomed[static_cast<std::size_t>(p)] = true;
            any = true;
        }
    if (!any)
        return;
    std::vector<std::int32_t> newPosition(games_.size(), kNone);
    std::size_t kept = 0;
    for (std::size_t i = 0; i < games_.size(); ++i) {
        if (doomed[i])
            continue;
        newPosition[i] = static_cast<std::int32_t>(kept);
        games_[kept++] = std::move(games_[i]);
    }
    games_.resize(kept);
    for (auto it = sessions_.begin(); it != sessions_.end();) {
        const std::int32_t moved = newPosition[static_cast<std::size_t>(it->second)];
        if (isNone(moved)) {
            it = sessions_.erase(it);
        } else {
            it->second = moved;
            ++it;
        }
    }
}

void PlayHistory::keepFirst(std::size_t count) {
    if (count >= games_.size())
        return;
    games_.resize(count);
    std::erase_if(sessions_, [count](const auto& running) {
        return static_cast<std::size_t>(running.second) >= count;
    });
}

namespace {

// A file saved from this catalogue lists its games in the catalogue's order,
// so one walk of both places the entries without a table. The walk gives
// each entry the next game of its name and ROM file, which is the first not
// yet taken unless an earlier one was passed over: then, or when too many
// games are passed over for the walk to pay, it gives up (false).
bool placeInOrder(const std::vector<FileEntry>& entries, const GameCatalogue& catalogue,
                  std::vector<GamePlay>& games) {
    constexpr std::size_t kMostPassed = 4096;
    std::unordered_set<GameKey, GameKeyHash> passed;
    std::size_t position = 0;
    for (const FileEntry& entry : entries) {
        const GameKey key{entry.name, entry.romFile};
        for (;; ++position) {
            if (position == catalogue.size() || passed.size() > kMostPassed)
                return false;
            const GameKey game{catalogue[position].name, catalogue[position].romFile};
            if (game == key)
                break;
            passed.insert(game);
        }
        if (!passed.empty() && passed.count(key) != 0)
            return false;
        if (games.size() <= position)
            games.resize(std::max(position + 1, std::min(catalogue.size(), games.size() * 2)));
        games[position++] = entry.play;
    }
    return true;
}

} // namespace

bool readPlayHistory(std::string_view bytes, const GameCatalogue& catalogue, PlayHistory& history,
                     std::string& error) {
    std::vector<FileEntry> entries;
    entries.reserve(bytes.size() / 48);
    std::deque<std::string> texts; // those not as the file has them
    std::size_t lineNumber = 0;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        ++lineNumber;
        if (lineNumber == 1) {
            if (line != kHeader) {
                error = "not a play history file";
                return false;
            }
            continue;
        }
        if (line.empty() || line.front() == '#')
            continue;
        FileEntry entry;
        if (!parseLine(line, entry, texts)) {
            error = "line " + std::to_string(lineNumber) + " is damaged";
            return false;
        }
        // An entry that holds nothing is never written, so it takes no game:
        // an identical record after it keeps the entry meant for it.
        if (!entry.play.empty())
            entries.push_back(std::move(entry));
    }
    if (lineNumber == 0) {
        error = "the file is empty";
        return false;
    }

    // Each entry goes to the first game by its name and ROM file that has
    // none yet; identical records take identical entries in order.
    std::vector<GamePlay> games;
    if (placeInOrder(entries, catalogue, games)) {
        while (!games.empty() && games.back().empty())
            games.pop_back();
        history = PlayHistory();
        history.entries() = std::move(games);
        return true;
    }
    games.clear();
    // The entries of one name and ROM file are a chain in file order, found
    // through a table of open addressing: one probe is mostly one cache miss.
    constexpr std::uint32_t kEnd = 0xFFFFFFFFu;
    struct Slot {
        std::uint32_t hash = 0;   // the hash's high half; its low bits place the slot
        std::uint32_t key = kEnd; // an entry with the slot's name and ROM file
        std::uint32_t first = kEnd, last = kEnd;
    };
    std::size_t capacity = 16;
    while (capacity < entries.size() * 2)
        capacity *= 2;
    std::vector<Slot> slots(capacity);
    const std::size_t mask = capacity - 1;
    const GameKeyHash hashOf;
    const auto slotOf = [&](const GameKey& key, std::uint64_t hash) -> Slot& {
        const auto high = static_cast<std::uint32_t>(hash >> 32);
        for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
            Slot& slot = slots[at];
            if (slot.key == kEnd ||
                (slot.hash == high &&
                 GameKey{entries[slot.key].name, entries[slot.key].romFile} == key))
                return slot;
        }
    };
    std::vector<std::uint32_t> next(entries.size(), kEnd);
    for (std::uint32_t i = 0; i < entries.size(); ++i) {
        const GameKey key{entries[i].name, entries[i].romFile};
        const std::uint64_t hash = hashOf(key);
        Slot& slot = slotOf(key, hash);
        if (slot.key == kEnd) {
            slot = {static_cast<std::uint32_t>(hash >> 32), i, i, i};
        } else {
            next[slot.last] = i;
            slot.last = i;
        }
    }
    std::size_t left = entries.size();
    for (std::size_t position = 0; position < catalogue.size() && left > 0; ++position) {
        const GameRecord& game = catalogue[position];
        const GameKey key{game.name, game.romFile};
        Slot& slot = slotOf(key, hashOf(key));
        if (slot.first == kEnd)
            continue; // no entry, or all taken
        if (games.size() <= position)
            games.resize(std::max(position + 1, std::min(catalogue.size(), games.size() * 2)));
        games[position] = entries[slot.first].play;
        slot.first = next[slot.first];
        --left;
    }
    while (!games.empty() && games.back().empty())
        games.pop_back();
    history = PlayHistory();
    history.entries() = std::move(games);
    return true;
}

namespace {

constexpr bool needsEscape(char c) {
    return c == '\\' || c == '\t' || c == '\r' || c == '\n';
}

inline char* writeNumber(char* out, std::int64_t value) {
    return std::to_chars(out, out + 20, value).ptr;
}

// Whether any byte is a backslash or a control below 0x0E (the tab and line
// breaks, with a few that never need escaping: those only cost the exact
// look). Eight bytes at a time, the last word overlapping the one before.
bool mayNeedEscape(const char* p, std::size_t n) {
    if (n < 8)
        return std::any_of(p, p + n, needsEscape);
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    const auto flagged = [](std::uint64_t w) {
        const std::uint64_t slashes = w ^ (kOnes * '\\');
        return ((slashes - kOnes) & ~slashes) | ((w - kOnes * 0x0E) & ~w);
    };
    std::uint64_t any = 0;
    std::uint64_t w;
    for (std::size_t i = 0; i + 8 <= n; i += 8) {
        std::memcpy(&w, p + i, 8);
        any |= flagged(w);
    }
    std::memcpy(&w, p + n - 8, 8);
    any |= flagged(w);
    return (any & (kOnes * 0x80)) != 0;
}

// Writes `utf8` as the file has it at `out`, which has room for twice its
// length; returns the end.
char* writeText(char* out, std::string_view utf8) {
    char* const end = out + platform::writeUtf8AsAnsi(out, utf8);
    if (!mayNeedEscape(out, static_cast<std::size_t>(end - out)))
        return end;
    // Only the rare name with a tab, a line break or a backslash.
    const std::string plain(out, end);
    char* p = out;
    for (char c : plain) {
        if (!needsEscape(c)) {
            *p++ = c;
            continue;
        }
        *p++ = '\\';
        *p++ = c == '\t' ? 't' : c == '\r' ? 'r' : c == '\n' ? 'n' : '\\';
    }
    return p;
}

// Makes the file's bytes a chunk at a time, each line whole in one chunk.
class HistoryEncoder {
public:
    HistoryEncoder(const PlayHistory& history, const GameCatalogue& catalogue)
        : games_(history.entries()), catalogue_(catalogue),
          count_(std::min(games_.size(), catalogue.size())) {}

    platform::Encoded fill(platform::WriteChunk& chunk) {
        char* p = chunk.begin();
        if (!headerDone_) {
            for (std::string_view line : {kHeader, kFieldsComment}) {
                std::memcpy(p, line.data(), line.size());
                p += line.size();
                *p++ = '\r';
                *p++ = '\n';
            }
            headerDone_ = true;
        }
        for (; next_ < count_; ++next_) {
            const GamePlay& play = games_[next_];
            const GameRecord& game = catalogue_[next_];
            if (play.empty() || game.name.empty())
                continue;
            const std::size_t room = 2 + 3 * 21 + 4 + 2 * (game.name.size() + game.romFile.size());
            if (static_cast<std::size_t>(chunk.end() - p) < room) {
                if (p != chunk.begin())
                    break;        // the line goes in the next chunk
                chunk.grow(room); // a line longer than a chunk
                p = chunk.begin();
            }
            p = writeLine(p, play, game);
        }
        chunk.setEnd(p);
        return next_ == count_ ? platform::Encoded::Done : platform::Encoded::More;
    }

private:
    static char* writeLine(char* p, const GamePlay& play, const GameRecord& game) {
        *p++ = play.favourite ? '1' : '0';
        *p++ = '\t';
        p = writeNumber(p, play.timesPlayed);
        *p++ = '\t';
        p = writeNumber(p, play.lastPlayed);
        *p++ = '\t';
        p = writeNumber(p, play.totalSeconds);
        *p++ = '\t';
        p = writeText(p, game.name);
        *p++ = '\t';
        p = writeText(p, game.romFile);
        *p++ = '\r';
        *p++ = '\n';
        return p;
    }

    const std::vector<GamePlay>& games_;
    const GameCatalogue& catalogue_;
    const std::size_t count_;
    std::size_t next_ = 0;
    bool headerDone_ = false;
};

} // namespace

std::string playHistoryBytes(const PlayHistory& history, const GameCatalogue& catalogue) {
    std::string out;
    HistoryEncoder encoder(history, catalogue);
    platform::WriteChunk chunk;
    for (;;) {
        const platform::Encoded encoded = encoder.fill(chunk);
        out.append(chunk.data(), chunk.used());
        if (encoded == platform::Encoded::Done)
            return out;
    }
}

platform::IoResult loadPlayHistory(PlayHistory& history, const GameCatalogue& catalogue,
                                   const std::string& path) {
    if (!platform::pathExists(path))
        return {};
    std::string bytes;
    if (platform::IoResult read = platform::readFile(path, bytes); !read)
        return read;
    std::string error;
    if (!readPlayHistory(bytes, catalogue, history, error))
        return platform::IoResult::failure("Unable to read " + path + ": " + error);
    return {};
}

platform::IoResult savePlayHistory(const PlayHistory& history, const GameCatalogue& catalogue,
                                   const std::string& path, platform::Durability durability) {
    HistoryEncoder encoder(history, catalogue);
    return platform::writeEncodedInChunks(
        path, [&encoder](platform::WriteChunk& chunk) { return encoder.fill(chunk); }, durability);
}

std::string playSummary(const GamePlay& play, const std::string& lastDay) {
    if (play.timesPlayed == 0)
        return "Never played";
    std::string text = "Played " + std::to_string(play.timesPlayed) +
                       (play.timesPlayed == 1 ? " time" : " times") + ", last on " + lastDay;
    if (play.totalSeconds >= 60) {
        const std::int64_t minutes = play.totalSeconds / 60;
        text += ", ";
        if (minutes >= 60)
            text += std::to_string(minutes / 60) + " h ";
        text += std::to_string(minutes % 60) + " min in all";
    } else if (play.totalSeconds > 0) {
        text += ", under a minute in all";
    }
    return text;
}

} // namespace tolm
