#pragma once

#include <cstdint>
#include <functional>

#include "state/app_state.h"

class QWidget;

namespace tolm::ui {

class UserDialogs;
class ProgramLauncher;

// What a launch operation needs from the window: the boxes it may show, the
// starter and the window that owns the boxes. A game started is followed:
// the play history counts the start at once and the time once the emulator
// ends, and `playChanged` is told each time.
struct LaunchContext {
    AppState& state;
    UserDialogs& dialogs;
    ProgramLauncher& launcher;
    QWidget* owner = nullptr;
    std::function<void()> playChanged = {};
};

// Starts the selected game's ROM, found over the ROM search paths, in the default
// emulator. Returns true when a program was started.
bool launchSelectedGame(const LaunchContext& context);

// Starts the selected game's ROM file name, exactly as stored, in emulator `index`.
bool launchSelectedGameWith(const LaunchContext& context, std::int32_t index);

// Plays the selected game's music file in the default music player; acts only
// when the details shown say the music can be played (`musicPlayable`).
bool playSelectedMusic(const LaunchContext& context, bool musicPlayable);

} // namespace tolm::ui
