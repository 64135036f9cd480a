#pragma once

#include <QSize>

#include "settings/settings.h"

class QWidget;

namespace tolm::ui {

class ScreenshotStrip;

// The main window's four regions and what the layout needs to know of the
// window. All four widgets are placed in the coordinates of the area they
// share, whose top-left corner is the list's parent's origin.
struct MainWindowRegions {
    QWidget* gameList = nullptr;
    QWidget* detailsPanel = nullptr; // moved, never resized
    // Docked along the bottom when it shares the list's parent; otherwise
    // (a QMainWindow's own status bar) it is only measured.
    QWidget* statusBar = nullptr;
    ScreenshotStrip* screenshotStrip = nullptr;
    // From the list's top to the status bar's bottom: for a QMainWindow whose
    // status bar is its own, the central widget's size plus the bar's height.
    QSize client;
    bool minimised = false;
};

// The main window's resize routine: places the list, the details tabs and
// the strip (which then lays out its own slots and arrows) from the client
// size and the strip options. Does nothing while the window is minimised.
void layOutMainWindow(const MainWindowRegions& regions, const SettingsState& settings);

} // namespace tolm::ui
