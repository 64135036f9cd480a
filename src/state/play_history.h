#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "catalogue/game_record.h"
#include "platform/files.h"

namespace tolm {

// What the program keeps about one game's play, beside the catalogue.
struct GamePlay {
    bool favourite = false;
    std::uint32_t timesPlayed = 0;
    std::int64_t lastPlayed = 0;   // seconds since the epoch; 0: never
    std::int64_t totalSeconds = 0; // of the sessions seen to their end

    bool operator==(const GamePlay&) const = default;
    bool empty() const { return *this == GamePlay{}; }
};

inline constexpr const char* kPlayHistoryFileName = "tolm-history.txt";

// Each game's play, by catalogue position. Positions move when games are
// removed, so the history is told of every removal and follows its games;
// a rename changes no position, so the history stays with the renamed game.
class PlayHistory {
public:
    const GamePlay& of(std::int32_t position) const;
    bool favourite(std::int32_t position) const { return of(position).favourite; }
    std::uint32_t timesPlayed(std::int32_t position) const { return of(position).timesPlayed; }
    std::int64_t lastPlayed(std::int32_t position) const { return of(position).lastPlayed; }
    std::int64_t totalSeconds(std::int32_t position) const { return of(position).totalSeconds; }

    void setFavourite(std::int32_t position, bool favourite);

    // A start counts at once (`now`, seconds since the epoch). The session
    // returned adds its time when it ends; 0 for a position outside.
    std::uint64_t started(std::int32_t position, std::int64_t now);
    // The session ran `seconds`; nothing when its game was removed meanwhile.
    void finished(std::uint64_t session, std::int64_t seconds);

    // The catalogue lost these positions (see removePositions): the rest
    // close up with their games.
    void positionsRemoved(const std::vector<std::int32_t>& positions);
    // Only the first `count` positions keep their games (the catalogue was
    // replaced after them).
    void keepFirst(std::size_t count);

    // Tells a saved state from a later one; the same for the same entries,
    // so a change undone (a favourite set and cleared) is no change.
    std::uint64_t fingerprint() const;

    // Entry i is position i's; the file code fills it directly.
    std::vector<GamePlay>& entries() { return games_; }
    const std::vector<GamePlay>& entries() const { return games_; }

private:
    GamePlay& at(std::int32_t position);

    std::vector<GamePlay> games_;
    std::unordered_map<std::uint64_t, std::int32_t> sessions_; // running: session -> position
    std::uint64_t nextSession_ = 1;
};

// The history file: a header line, then one line per game with a history,
// its fields separated by tabs. Texts are Windows-1252, backslash escaped.
// Each entry names its game by stored name and ROM file; at load it goes to
// the first game by those two not yet given one.

// Reads `bytes` into `history` for `catalogue`. A damaged file leaves
// `history` unchanged and says where in `error`.
bool readPlayHistory(std::string_view bytes, const GameCatalogue& catalogue, PlayHistory& history,
                     std::string& error);
// The file's bytes: every non-blank game with a history, under its name now.
std::string playHistoryBytes(const PlayHistory& history, const GameCatalogue& catalogue);

// A missing file is an empty history. Any failure names the file.
platform::IoResult loadPlayHistory(PlayHistory& history, const GameCatalogue& catalogue,
                                   const std::string& path);
platform::IoResult savePlayHistory(const PlayHistory& history, const GameCatalogue& catalogue,
                                   const std::string& path,
                                   platform::Durability durability = platform::Durability::Synced);

// "Played 12 times, last on 3 Dec 2026, 4 h 10 min in all", or "Never played".
// `lastDay` is the last play's date as the caller shows dates.
std::string playSummary(const GamePlay& play, const std::string& lastDay);

} // namespace tolm
