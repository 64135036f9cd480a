#pragma once

#include <string>

class QWidget;

namespace tolm {
struct AppState;
}

namespace tolm::ui {

class UserDialogs;

// The first start's offer: with no emulator registered, an emulator found
// on the program search path is offered as the default, once; the same for
// a music player. Each answer, yes or no, is remembered in the program's own
// settings file so the question never comes back. Returns true when the
// emulators changed (the Run With menu then needs refreshing).
bool offerProgramsFoundOnPath(AppState& state, UserDialogs& dialogs, QWidget* parent,
                              const std::string& searchPath);

} // namespace tolm::ui
