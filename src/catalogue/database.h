#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/game_record.h"
#include "core/user_message.h"
#include "platform/files.h"

namespace tolm {

inline constexpr std::int32_t kDatabaseVersion = 2;

struct DatabaseLoadResult {
    enum class Status { Loaded, Upgraded, Invalid, Unsupported };
    Status status = Status::Loaded;
    std::optional<UserMessage> message; // to show the user, texts as they stand

    // A version-1 file stored full paths; the upgrade keeps bare names and
    // hands back their directories, in the order met, for the caller to add
    // to the search paths.
    std::vector<std::string> romDirectories;
    std::vector<std::string> screenshotDirectories;
};

// Replaces `catalogue` with the file's records. A version-1 file is upgraded
// in memory (see DatabaseLoadResult). A refused or damaged file leaves the
// catalogue unchanged.
DatabaseLoadResult loadDatabase(GameCatalogue& catalogue, const std::string& path);

// The same over bytes already in memory.
DatabaseLoadResult loadDatabaseBytes(GameCatalogue& catalogue, std::string_view bytes);

// The file's bytes for `catalogue`.
std::string databaseBytes(const GameCatalogue& catalogue, std::int32_t version = kDatabaseVersion);

// Writes the catalogue atomically. The catalogue is never changed; on failure
// the old file survives and the error names the file and the reason.
platform::IoResult saveDatabase(const GameCatalogue& catalogue, const std::string& path,
                                std::int32_t version = kDatabaseVersion,
                                platform::Durability durability = platform::Durability::Synced);

} // namespace tolm
