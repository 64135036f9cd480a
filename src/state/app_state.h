#pragma once

#include <cstdint>
#include <string>

#include "catalogue/database.h"
#include "catalogue/game_record.h"
#include "settings/settings.h"

namespace tolm {

// Everything the program keeps for the whole run. main() owns one and hands
// it to the windows by reference; tests make a fresh one each.
struct AppState {
    GameCatalogue catalogue;
    std::int32_t selectedGame = kNone;
    SettingsState settings;

    std::string programDirectory; // where tolm.dat and tolm.ini live

    std::string databasePath() const;
    std::string settingsPath() const;

    // The selected record, or nullptr when none (or the index is stale).
    const GameRecord* selectedRecord() const;
    GameRecord* selectedRecord();
};

// Loads the catalogue file into `state`; a version-1 file's directories join
// the search paths. A refused file changes nothing.
DatabaseLoadResult loadCatalogue(AppState& state);

} // namespace tolm
