#include "catalogue/app_state.h"

#include "platform/files.h"

namespace tolm {

std::string AppState::DatabasePath() const {
    return programDirectory + platform::kPathSeparator + "tolm.dat";
}

std::string AppState::SettingsPath() const {
    return programDirectory + platform::kPathSeparator + "tolm.ini";
}

const GameRecord* AppState::SelectedRecord() const {
    if (SelectedGame < 0 || static_cast<std::size_t>(SelectedGame) >= catalogue.size())
        return nullptr;
    return &catalogue[static_cast<std::size_t>(SelectedGame)];
}

GameRecord* AppState::SelectedRecord() {
    return const_cast<GameRecord*>(static_cast<const AppState*>(this)->SelectedRecord());
}

} // namespace tolm
