#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue/game_record.h"
#include "catalogue/user_message.h"
#include "platform/files.h"
#include "settings/settings.h"

namespace tolm {

inline constexpr std::int32_t kDatabaseVersion = 2;

struct DatabaseLoadResult {
    enum class Status { Loaded, Upgraded, Invalid, Unsupported };
    Status status = Status::Loaded;
    std::optional<UserMessage> message; // to show the user, texts as they stand
};

// Replaces `catalogue` with the file's records. A version-1 file is upgraded
// in memory, which adds directories to `settings`. A refused or damaged file
// leaves both unchanged.
DatabaseLoadResult loadDatabase(GameCatalogue& catalogue, SettingsState& settings,
                                const std::string& path);

// The same over bytes already in memory.
DatabaseLoadResult loadDatabaseBytes(GameCatalogue& catalogue, SettingsState& settings,
                                     std::string_view bytes);

// Version-1 records: full paths split into search directories and bare
// names, coarse genres mapped.
void upgradeVersion1Records(GameCatalogue& catalogue, SettingsState& settings);

// The file's bytes for `catalogue`.
std::string databaseBytes(const GameCatalogue& catalogue, std::int32_t version = kDatabaseVersion);

// Writes the catalogue atomically. The catalogue is never changed; on failure
// the old file survives and the error names the file and the reason.
platform::IoResult saveDatabase(const GameCatalogue& catalogue, const std::string& path,
                                std::int32_t version = kDatabaseVersion,
                                platform::Durability durability = platform::Durability::Synced);

} // namespace tolm
