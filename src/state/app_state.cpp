#include "state/app_state.h"

#include "core/selection.h"
#include "import/zxdb_index.h"
#include "platform/files.h"

namespace tolm {

std::string AppState::databasePath() const {
    return programDirectory + platform::kPathSeparator + "tolm.dat";
}

std::string AppState::settingsPath() const {
    return programDirectory + platform::kPathSeparator + "tolm.ini";
}

std::string AppState::extraSettingsPath() const {
    return programDirectory + platform::kPathSeparator + kExtraSettingsFileName;
}

std::string AppState::historyPath() const {
    return programDirectory + platform::kPathSeparator + kPlayHistoryFileName;
}

std::string AppState::zxdbIndexPath() const {
    return programDirectory + platform::kPathSeparator + zxdb::kIndexFileName;
}

const GameRecord* AppState::selectedRecord() const {
    if (isNone(selectedGame) || static_cast<std::size_t>(selectedGame) >= catalogue.size())
        return nullptr;
    return &catalogue[static_cast<std::size_t>(selectedGame)];
}

GameRecord* AppState::selectedRecord() {
    return const_cast<GameRecord*>(static_cast<const AppState*>(this)->selectedRecord());
}

DatabaseLoadResult loadCatalogue(AppState& state) {
    DatabaseLoadResult result = loadDatabase(state.catalogue, state.databasePath());
    for (const std::string& directory : result.romDirectories)
        addSearchPath(state.settings.romPaths, directory);
    for (const std::string& directory : result.screenshotDirectories)
        addSearchPath(state.settings.screenshotPaths, directory);
    return result;
}

} // namespace tolm
