#pragma once

#include <cstdint>
#include <string>

#include "catalogue/game_record.h"
#include "settings/settings.h"

namespace tolm {

// The screenshot strip's scroll state, shared by the strip and the layout.
struct ScreenshotStripState {
    bool ShowScreenshots = false;
    std::int32_t ScreenshotCount = 0;
    std::int32_t ScrollOffset = 0;
    std::int32_t PreviousScrollOffset = 0;
    std::int32_t VisibleSlots = 0;
};

// Everything the program keeps for the whole run. main() owns one and hands
// it to the windows by reference; tests make a fresh one each.
struct AppState {
    GameCatalogue catalogue;
    std::int32_t SelectedGame = kNone;
    SettingsState settings;
    ScreenshotStripState strip;

    // The main window's size limits, pixels.
    std::int32_t MinTrackWidth = 0;
    std::int32_t MinTrackHeight = 0;
    std::int32_t MaxTrackWidth = 0;
    std::int32_t MaxTrackHeight = 0;

    std::string programDirectory; // where tolm.dat and tolm.ini live

    std::string DatabasePath() const;
    std::string SettingsPath() const;

    // The selected record, or nullptr when none (or the index is stale).
    const GameRecord* SelectedRecord() const;
    GameRecord* SelectedRecord();
};

} // namespace tolm
