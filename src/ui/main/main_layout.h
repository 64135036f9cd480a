#pragma once

#include <QSize>

class QWidget;

namespace tolm {
struct AppState;
}

namespace tolm::ui {

class ScreenshotStrip;

// The main window's four regions and what the layout needs to know of the
// window. All four widgets are placed in the coordinates of the area they
// share, whose top-left corner is the list's parent's origin.
struct MainWindowRegions {
    QWidget* lstGames = nullptr;
    QWidget* SSTab1 = nullptr; // moved, never resized
    // Docked along the bottom when it shares the list's parent; otherwise
    // (a QMainWindow's own status bar) it is only measured.
    QWidget* StatusBar1 = nullptr;
    ScreenshotStrip* Frame1 = nullptr;
    // From the list's top to the status bar's bottom: for a QMainWindow whose
    // status bar is its own, the central widget's size plus the bar's height.
    QSize client;
    bool minimised = false;
};

// Places the list, the details tabs and the strip from the client size, the
// strip options and the scroll state; decides VisibleSlots, which arrows show
// and which slots show. Does nothing while the window is minimised.
void layOutMainWindow(const MainWindowRegions& regions, AppState& state);

} // namespace tolm::ui
