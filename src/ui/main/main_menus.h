#pragma once

#include <QString>
#include <array>
#include <vector>

#include "settings/settings.h"

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace tolm::ui {

// The main window's menu bar and pop-up menu. Every item, separators
// included, carries its array name and index as objectName ("file1",
// "emuname7") so that the dispatch and the tests can find it.
struct MainMenus {
    static constexpr int kRunWithItems = 20;

    QMenu* blank = nullptr; // "File"
    std::array<QAction*, 6> file{};
    QMenu* temp = nullptr; // "Screen Shots"
    std::array<QAction*, 3> mnuss{};
    QMenu* blank001 = nullptr; // "Games"
    std::array<QAction*, 6> addgames{};
    QMenu* blank111 = nullptr; // "Emulators"
    std::array<QAction*, 2> mnuemus{};
    QAction* mnuabout = nullptr; // "About", a menu-bar item without a menu

    QMenu* clickmenu = nullptr; // the list's pop-up, "Add Game Click"
    std::array<QAction*, 8> add{};
    QMenu* runWith = nullptr; // add5's submenu
    std::array<QAction*, kRunWithItems> emuname{};
    QAction* moreEmulators = nullptr; // after the last item: "More in Emulators..."
};

// Builds both menus; `owner` owns the pop-up menu.
MainMenus buildMainMenus(QMenuBar& bar, QWidget& owner);

// Item 0 shows "<none>" greyed; the rest hide. With emulators registered,
// item i carries emulator i's name, enabled (only the first 20 get an item).
void refreshRunWithMenu(const std::array<QAction*, MainMenus::kRunWithItems>& emuname,
                        const std::vector<ProgramEntry>& emulators);

// "More in Emulators..." shows while some emulators have no item of their own.
void refreshMoreEmulatorsItem(QAction& moreEmulators, const std::vector<ProgramEntry>& emulators);

// A menu caption that shows `text` as it is ('&' would mark a mnemonic).
QString plainCaption(const QString& text);

} // namespace tolm::ui
