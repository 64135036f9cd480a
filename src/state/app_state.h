#pragma once

#include <cstdint>
#include <string>

#include "catalogue/database.h"
#include "catalogue/game_record.h"
#include "settings/settings.h"

namespace tolm {

// The screenshot strip's scroll state, shared by the strip and the layout.
struct ScreenshotStripState {
    bool showScreenshots = false;
    std::int32_t screenshotCount = 0;
    std::int32_t scrollOffset = 0;
    std::int32_t previousScrollOffset = 0;
    std::int32_t visibleSlots = 0;
};

// Everything the program keeps for the whole run. main() owns one and hands
// it to the windows by reference; tests make a fresh one each.
struct AppState {
    GameCatalogue catalogue;
    std::int32_t selectedGame = kNone;
    SettingsState settings;
    ScreenshotStripState strip;

    // The main window's size limits, pixels.
    std::int32_t minTrackWidth = 0;
    std::int32_t minTrackHeight = 0;
    std::int32_t maxTrackWidth = 0;
    std::int32_t maxTrackHeight = 0;

    std::string programDirectory; // where tolm.dat and tolm.ini live

    // Set once the desktop session ends or the system asks the program to
    // stop; the program then closes as soon as the user-interface thread is
    // free. A long operation (an import) checks it between records, stops
    // there and keeps what it has done.
    bool sessionEnding = false;

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
