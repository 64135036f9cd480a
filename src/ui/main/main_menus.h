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

// The main window's menu bar and the game list's pop-up menu. Every item and
// separator keeps its historical objectName ("file1", "add7", "emuname7"),
// so the tests find an item by the name and index it always had.
struct MainMenus {
    static constexpr int kRunWithItems = 20;

    QMenu* fileMenu = nullptr; // "File"
    QAction* importAction = nullptr;
    QAction* saveAction = nullptr;
    QAction* pathsAction = nullptr;
    QAction* zxdbDatabaseAction = nullptr; // "zxdbDatabaseAction"
    QAction* exitAction = nullptr;

    QMenu* screenshotsMenu = nullptr;         // "Screen Shots"
    QAction* viewScreenshotsAction = nullptr; // checkable
    QAction* screenshotOptionsAction = nullptr;

    QMenu* gamesMenu = nullptr; // "Games"
    QAction* addSingleAction = nullptr;
    QAction* addMultipleAction = nullptr;
    QAction* removeSelectedAction = nullptr;
    QAction* propertiesAction = nullptr;
    QAction* fillInAction = nullptr;         // "fillInAction"
    QAction* lookUpZxdbAction = nullptr;     // "lookUpZxdbAction"
    QAction* fillInZxdbAction = nullptr;     // "fillInZxdbAction"
    QAction* randomGameAction = nullptr;     // "randomGameAction", Ctrl+R
    QAction* findDuplicatesAction = nullptr; // "findDuplicatesAction"
    QAction* checkFilesAction = nullptr;     // "checkFilesAction", last in the menu

    QMenu* emulatorsMenu = nullptr; // "Emulators"
    QAction* emulatorsAction = nullptr;
    QAction* musicPlayersAction = nullptr;

    QAction* aboutAction = nullptr; // a menu-bar item without a menu

    QMenu* popupMenu = nullptr; // the list's pop-up, "Add Game Click"
    QAction* popupAddSingleAction = nullptr;
    QAction* popupAddMultipleAction = nullptr;
    QAction* popupRemoveSelectedAction = nullptr;
    QAction* popupPropertiesAction = nullptr;
    QAction* popupLookUpZxdbAction = nullptr; // "popupLookUpZxdbAction"
    QMenu* runWithMenu = nullptr;             // the pop-up's "Run With" submenu
    std::array<QAction*, kRunWithItems> runWithActions{};
    QAction* moreEmulators = nullptr; // after the last item: "More in Emulators..."
    // The pop-up's "favouriteAction", checkable, Ctrl+D.
    QAction* favouriteAction = nullptr;
};

// Builds both menus; `owner` owns the pop-up menu.
MainMenus buildMainMenus(QMenuBar& bar, QWidget& owner);

// Item 0 shows "<none>" greyed; the rest hide. With emulators registered,
// item i carries emulator i's name, enabled (only the first 20 get an item).
void refreshRunWithMenu(const std::array<QAction*, MainMenus::kRunWithItems>& runWithActions,
                        const std::vector<ProgramEntry>& emulators);

// "More in Emulators..." shows while some emulators have no item of their own.
void refreshMoreEmulatorsItem(QAction& moreEmulators, const std::vector<ProgramEntry>& emulators);

// A menu caption that shows `text` as it is ('&' would mark a mnemonic).
QString plainCaption(const QString& text);

} // namespace tolm::ui
