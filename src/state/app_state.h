#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "catalogue/database.h"
#include "catalogue/game_record.h"
#include "settings/extra_settings.h"
#include "settings/settings.h"
#include "state/play_history.h"

namespace tolm {

struct ZxdbData;

// Everything the program keeps for the whole run. main() owns one and hands
// it to the windows by reference; tests make a fresh one each.
struct AppState {
    GameCatalogue catalogue;
    std::int32_t selectedGame = kNone;
    SettingsState settings;
    ExtraSettings extra; // this program's own settings, beside tolm.ini
    // Favourites and play, by catalogue position.
    PlayHistory history;
    // The ZXDB index once read (shared read-only with workers); none until then.
    std::shared_ptr<const ZxdbData> zxdb;

    std::string programDirectory; // where tolm.dat and tolm.ini live (the data directory)
    std::string sgdDirectory;     // SGD data chosen this run; asked for afresh each run

    // Set once the desktop session ends or the system asks the program to
    // stop; the program then closes as soon as the user-interface thread is
    // free. A long operation (an import) checks it between records, stops
    // there and keeps what it has done.
    bool sessionEnding = false;

    std::string databasePath() const;
    std::string settingsPath() const;
    std::string extraSettingsPath() const;
    std::string historyPath() const;
    std::string zxdbIndexPath() const;

    // The selected record, or nullptr when none (or the index is stale).
    const GameRecord* selectedRecord() const;
    GameRecord* selectedRecord();
};

// Loads the catalogue file into `state`; a version-1 file's directories join
// the search paths. A refused file changes nothing.
DatabaseLoadResult loadCatalogue(AppState& state);

} // namespace tolm
