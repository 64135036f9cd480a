#pragma once

#include <QMainWindow>
#include <QSize>
#include <optional>
#include <string>

#include "state/app_state.h"
#include "ui/main/main_menus.h"
#include "ui/main/window_geometry.h"

class QStatusBar;
class QTreeView;

namespace tolm::ui {

class DetailsPanel;
class GameListModel;
class ProgramLauncher;
class ScreenshotStrip;
class UserDialogs;

// frmMain: the game list, the details panel, the menus and the launching.
// Constructing it runs the start-up: the splash window loads the settings
// and the catalogue, then the list is filled. Closing it saves both.
class MainWindow final : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kDefaultSplashDelayMs = 3000;

    MainWindow(AppState& state, UserDialogs& dialogs, ProgramLauncher& launcher,
               int splashDelayMs = kDefaultSplashDelayMs, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Rebuilds the list from the catalogue, sorted by the current column.
    void refreshGameList();
    // Names the Run With items after the registered emulators.
    void refreshRunWithMenu();
    // Asks, then removes the positions in `positions` ("5,2,9").
    void removeGames(const std::string& positions);
    // Shows the game of the list row `index` stands for and selects it.
    void showDetails(const QModelIndex& index);
    // ShowDetails for the list's current item, if any item is selected.
    void listclick();
    // Places the list and the details panel in the client area.
    void formresize();

    // The close when the session ends or the system stops the program: both
    // files are written without any box (nobody may be there to answer),
    // failures go to the terminal, and the window hides. False when a file
    // could not be written.
    bool closeForSessionEnd();

    GameListModel& gameListModel() const { return *model_; }
    const MainMenus& menus() const { return menus_; }
    const SizeLimits& sizeLimits() const { return limits_; }

public Q_SLOTS:
    void removeSelected();
    void properties();
    void saveDatabaseNow();
    void toggleScreenshots();
    void columnClick(int column);
    void runGameFromList();
    void runWith(int index);
    void playMusic();
    void openAbout();

    // Commands whose dialogs come with the rest of the program; each opens its
    // dialog once the dialog exists, until then they do nothing.
    void openImport();
    void openPaths();
    void openScreenshotOptions();
    void openAddSingle();
    void openAddMultiple();
    void openGameProperties();
    void openEmulators();
    void openMusicPlayers();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWidgets();
    void connectMenus();
    void startUp(int splashDelayMs);
    void loadSettingsAndDatabase(QWidget* splash);
    void settleFrame();
    bool saveAll();
    void reportSaveFailure(const std::string& error);
    void clearSelection();
    void dispatchFile(int index);
    void dispatchScreenShots(int index);
    void dispatchGames(int index);
    void dispatchEmulators(int index);
    void dispatchPopup(int index);

    // The screenshot strip's seams: loadSS refills the strip for the selected
    // game, clearScreenshots empties it.
    void loadSS();
    void clearScreenshots();

    AppState& state_;
    UserDialogs& dialogs_;
    ProgramLauncher& launcher_;

    QWidget* central_ = nullptr;
    QTreeView* lstGames = nullptr;
    GameListModel* model_ = nullptr;
    DetailsPanel* SSTab1 = nullptr;
    ScreenshotStrip* Frame1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    MainMenus menus_;

    SizeLimits limits_;
    QSize appliedFrame_;                // frame extent the limits were last applied with
    std::optional<QSize> pendingOuter_; // stored outer size, until the frame is known
};

} // namespace tolm::ui
