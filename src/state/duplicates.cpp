#include "state/duplicates.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <tuple>
#include <unordered_map>
#include <utility>

#include "core/compressed_file.h"
#include "core/text.h"
#include "core/title_folding.h"
#include "core/tosec_name.h"
#include "platform/chunked_read.h"
#include "platform/file_index.h"
#include "settings/locate.h"

namespace tolm {
namespace {

constexpr std::size_t kProgressStep = 256;
// A compressed file unpacking to more than this is compared by its own bytes.
constexpr std::uint64_t kMaxUnpackedBytes = std::uint64_t{256} << 20;

// Two independent 64-bit hashes of a file's bytes, eight at a time: with the
// size, files that differ share both only by design, never by chance.
class ContentHash {
public:
    void add(std::span<const std::uint8_t> bytes) {
        std::size_t i = 0;
        while (pendingSize_ > 0 && pendingSize_ < 8 && i < bytes.size())
            pending_[pendingSize_++] = bytes[i++];
        if (pendingSize_ == 8) {
            word(load(pending_.data()));
            pendingSize_ = 0;
        }
        for (; i + 8 <= bytes.size(); i += 8)
            word(load(bytes.data() + i));
        while (i < bytes.size())
            pending_[pendingSize_++] = bytes[i++];
    }
    std::pair<std::uint64_t, std::uint64_t> value() const {
        ContentHash last = *this;
        std::fill(last.pending_.begin() + static_cast<std::ptrdiff_t>(pendingSize_),
                  last.pending_.end(), std::uint8_t{0});
        last.word(load(last.pending_.data()) ^ (std::uint64_t{pendingSize_} << 56));
        return {last.a_, last.b_};
    }

private:
    static std::uint64_t load(const std::uint8_t* at) {
        std::uint64_t w = 0;
        std::memcpy(&w, at, 8);
        return w;
    }
    void word(std::uint64_t w) {
        a_ = (a_ ^ w) * 0x9e3779b97f4a7c15ULL;
        a_ ^= a_ >> 32;
        b_ = (b_ + w) * 0xc2b2ae3d27d4eb4fULL;
        b_ = (b_ << 27) | (b_ >> 37);
    }

    std::uint64_t a_ = 0xcbf29ce484222325ULL;
    std::uint64_t b_ = 0x243f6a8885a308d3ULL;
    std::array<std::uint8_t, 8> pending_{};
    std::size_t pendingSize_ = 0;
};

std::span<const std::uint8_t> bytesOf(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::string_view lastComponent(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool looksCompressed(std::string_view path) {
    const std::string_view name = lastComponent(path);
    const std::size_t dot = name.rfind('.');
    return dot != std::string_view::npos && isCompressionExtension(name.substr(dot + 1));
}

// One ROM file found on disk, with the games that name it.
struct FoundFile {
    std::string path;
    std::vector<std::int32_t> games;
    std::uint64_t size = 0; // unpacked, for a compressed file
    std::optional<std::pair<std::uint64_t, std::uint64_t>> hash;
    bool readable = true;
};

// Reads a file's game bytes: a compressed file's game file, or its own bytes
// when it cannot be unpacked; a plain file streamed.
void readContent(FoundFile& file) {
    ContentHash hash;
    if (looksCompressed(file.path)) {
        std::string raw;
        if (!platform::readFile(file.path, raw)) {
            file.readable = false;
            return;
        }
        if (auto unpacked =
                unpackGameFile(bytesOf(raw), lastComponent(file.path), kMaxUnpackedBytes)) {
            hash.add(unpacked->bytes);
            file.size = unpacked->bytes.size();
        } else {
            hash.add(bytesOf(raw));
            file.size = raw.size();
        }
    } else {
        std::uint64_t size = 0;
        const platform::IoResult read =
            platform::readFileInChunks(file.path, [&](std::string_view piece) {
                hash.add(bytesOf(piece));
                size += piece.size();
                return true;
            });
        if (!read) {
            file.readable = false;
            return;
        }
        file.size = size; // as read: the file may have changed since it was measured
    }
    file.hash = hash.value();
}

// What makes two games the same game; empty when nothing does.
std::string sameGameKey(const GameRecord& game) {
    const std::string_view rom = lastComponent(trimBlanks(game.romFile));
    if (!rom.empty()) {
        if (const auto tosec = parseTosecName(rom)) {
            const std::string title = foldTitle(tosec->title);
            if (!title.empty())
                return "t" + title + '\n' + std::to_string(tosec->year) + '\n' +
                       lowerAscii(tosec->publisher);
        }
    }
    const std::string name = foldTitle(game.name);
    return name.empty() ? std::string() : "n" + name;
}

void addGroup(std::vector<DuplicateGroup>& groups, DuplicateGroup::Kind kind,
              std::vector<std::int32_t> games) {
    std::sort(games.begin(), games.end());
    games.erase(std::unique(games.begin(), games.end()), games.end());
    if (games.size() >= 2)
        groups.push_back({kind, std::move(games)});
}

} // namespace

DuplicatesResult findDuplicates(const GameCatalogue& catalogue, const SettingsState& settings,
                                const DuplicatesProgress& progress) {
    DuplicatesResult result;
    if (!catalogueHasEntries(catalogue))
        return result;
    const std::size_t total = catalogue.size();
    // Half the bar for the names and lookups, half for the reading.
    const auto report = [&](std::size_t done) {
        if (progress && !progress(done, total * 2)) {
            result.cancelled = true;
            return false;
        }
        return true;
    };

    platform::FileIndex index;
    std::vector<FoundFile> files;
    std::unordered_map<std::string, std::size_t> fileOfPath;
    std::unordered_map<std::string, std::vector<std::int32_t>> gamesOfKey;
    for (std::size_t i = 0; i < total; ++i) {
        if (i % kProgressStep == 0 && !report(i))
            return {{}, true};
        const GameRecord& game = catalogue[i];
        if (game.name.empty())
            continue; // a blank record is no game
        const auto position = static_cast<std::int32_t>(i);
        if (std::string key = sameGameKey(game); !key.empty())
            gamesOfKey[std::move(key)].push_back(position);
        const std::string_view rom = trimBlanks(game.romFile);
        if (rom.empty())
            continue;
        LocatedFile located = locateFile(rom, settings.romPaths, index);
        if (!located.found)
            continue;
        const auto [at, added] = fileOfPath.try_emplace(located.path, files.size());
        if (added) {
            files.emplace_back();
            files.back().path = std::move(located.path);
        }
        files[at->second].games.push_back(position);
    }

    // Sizes first: a plain file is read only when another file has its size;
    // a compressed one must be unpacked to know it.
    std::vector<std::size_t> toRead;
    std::unordered_map<std::uint64_t, std::vector<std::size_t>> filesOfSize;
    for (std::size_t f = 0; f < files.size(); ++f) {
        if (looksCompressed(files[f].path)) {
            toRead.push_back(f);
            continue;
        }
        const auto size = platform::fileLength(files[f].path);
        if (!size) {
            files[f].readable = false;
            continue;
        }
        files[f].size = *size;
        filesOfSize[*size].push_back(f);
    }
    // Reading is measured against every file found, at most all of them
    // read, so the bar never goes back.
    std::size_t done = 0;
    const auto readAll = [&](const std::vector<std::size_t>& which) {
        for (const std::size_t f : which) {
            if (done % 16 == 0 && !report(total + done * total / files.size()))
                return false;
            readContent(files[f]);
            ++done;
        }
        return true;
    };
    if (!readAll(toRead))
        return {{}, true};
    for (const std::size_t f : toRead) {
        if (files[f].readable)
            filesOfSize[files[f].size].push_back(f);
    }
    std::vector<std::size_t> plainToRead;
    for (const auto& [size, sized] : filesOfSize) {
        if (sized.size() < 2)
            continue;
        for (const std::size_t f : sized)
            if (!files[f].hash)
                plainToRead.push_back(f);
    }
    std::sort(plainToRead.begin(), plainToRead.end()); // in the order of the catalogue
    if (!readAll(plainToRead))
        return {{}, true};

    // The same bytes: the same size and hashes, or the same file named twice.
    std::map<std::tuple<std::uint64_t, std::uint64_t, std::uint64_t>, std::vector<std::int32_t>>
        gamesOfContent;
    std::vector<std::vector<std::int32_t>> sameFile;
    for (const FoundFile& file : files) {
        if (!file.readable || file.size == 0)
            continue; // an empty file holds no game to be a copy of
        if (file.hash) {
            auto& games = gamesOfContent[{file.size, file.hash->first, file.hash->second}];
            games.insert(games.end(), file.games.begin(), file.games.end());
        } else if (file.games.size() >= 2) {
            sameFile.push_back(file.games);
        }
    }
    for (auto& [content, games] : gamesOfContent)
        sameFile.push_back(std::move(games));
    for (auto& games : sameFile)
        addGroup(result.groups, DuplicateGroup::Kind::SameFile, std::move(games));

    std::set<std::vector<std::int32_t>> listed;
    for (const DuplicateGroup& group : result.groups)
        listed.insert(group.games);
    const std::size_t sameFileGroups = result.groups.size();
    for (auto& [key, games] : gamesOfKey) {
        if (games.size() >= 2 && !listed.contains(games))
            addGroup(result.groups, DuplicateGroup::Kind::SameGame, std::move(games));
    }
    const auto byFirstGame = [](const DuplicateGroup& a, const DuplicateGroup& b) {
        return a.games.front() < b.games.front();
    };
    std::sort(result.groups.begin(),
              result.groups.begin() + static_cast<std::ptrdiff_t>(sameFileGroups), byFirstGame);
    std::sort(result.groups.begin() + static_cast<std::ptrdiff_t>(sameFileGroups),
              result.groups.end(), byFirstGame);
    if (progress)
        progress(total * 2, total * 2);
    return result;
}

std::string duplicatesSummary(const DuplicatesResult& result) {
    std::size_t sameFile = 0;
    std::set<std::int32_t> games;
    for (const DuplicateGroup& group : result.groups) {
        sameFile += group.kind == DuplicateGroup::Kind::SameFile ? 1 : 0;
        games.insert(group.games.begin(), group.games.end());
    }
    const std::size_t sameGame = result.groups.size() - sameFile;
    const auto count = [](std::size_t n, const char* one, const char* many) {
        return std::to_string(n) + ' ' + (n == 1 ? one : many);
    };
    return count(sameFile, "group", "groups") + " of the same file, " + std::to_string(sameGame) +
           " of the same game: " + count(games.size(), "game", "games");
}

} // namespace tolm
