#pragma once

#include <QMainWindow>
#include <QStringList>
#include <cstdint>
#include <string>
#include <vector>

#include "state/app_state.h"
#include "state/session_saving.h"
#include "ui/main/launching.h"
#include "ui/main/main_menus.h"
#include "ui/main/outer_size.h"

class QLabel;
class QStatusBar;

namespace tolm::ui {

class DetailsPanel;
class FacetButton;
class GameFactsKeeper;
class GameFilterBox;
class GameListModel;
class GameListView;
class ProgramLauncher;
class ScreenshotStrip;
class TapeInfoFill;
class UserDialogs;

// The main window: the game list, the details panel, the screenshot strip,
// the menus and the launching. Constructing it runs the start-up: the splash
// window loads the settings and the catalogue, then the list is filled.
// Closing it saves both; File > Exit asks first when anything changed.
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
    // Asks, then removes the games at these catalogue positions.
    void removeGames(const std::vector<std::int32_t>& positions);
    // Shows the game of the list row `index` stands for and selects it.
    void showDetails(const QModelIndex& index);
    // Places the list, the details panel and the strip in the client area.
    void layOutClientArea();
    // After the properties dialog stored `position`: its row and the details.
    void gameEdited(std::int32_t position);

    // Files and folders dropped on the list (or named on the command line)
    // become games: the folders are read on a worker, the list takes the
    // new games in once they are added.
    void addDroppedFiles(const QStringList& paths);

    // The close when the session ends or the system stops the program: both
    // files are written without any box (nobody may be there to answer),
    // failures go to the terminal, and the window hides. False when a file
    // could not be written.
    bool closeForSessionEnd();

    // Whether a command's background work (an import, a check, an addition)
    // has not yet been applied; jobsFinished() follows once none has.
    bool jobRunning() const { return jobsRunning_ > 0; }

    GameListModel& gameListModel() const { return *gameListModel_; }
    // The games' facts the filter terms and the facet menu read.
    GameFactsKeeper& gameFacts() const { return *gameFacts_; }

public Q_SLOTS:
    void removeSelectedGames();
    void saveCatalogueNow();
    void exitAsking();
    void toggleScreenshots();
    void runSelectedGame();
    void runSelectedGameWith(int emulator);
    void playSelectedGameMusic();
    // Makes the selected games favourites, or not when the game shown is one.
    void toggleFavourite();
    void openAbout();

    // The menus' dialogs, each modal over the window.
    void openImport();
    void openPaths();
    void openScreenshotOptions();
    void openAddSingle();
    void openAddMultiple();
    // The selected game's properties; nothing while no game is selected.
    void openGameProperties();
    void openEmulators();
    void openMusicPlayers();
    void openCheckFiles();
    void openFindDuplicates();
    // Selects and shows a random game among the rows shown, never the one
    // picked last (nor, with three or more, the one selected) again.
    void pickRandomGame();
    // Fills in the selected games (every shown game when one or none is
    // selected) from their files, as the user picks.
    void openFillIn();
    // The ZXDB index: which release it came from, and reading a script into it.
    void openZxdbDatabase();
    // The selected game's candidates in ZXDB and the changes the picked one proposes.
    void lookUpInZxdb();
    // Fills in the selected games (every shown game when one or none is
    // selected) from ZXDB, as the user picks.
    void fillInFromZxdb();
    // Shows the games matching `typed` and counts them in the status bar.
    void applyFilter(const QString& typed);
    // Games were put at `first` onwards: the list takes them in as rows
    // where it can, rebuilt where it cannot.
    void gamesAdded(std::size_t first);

Q_SIGNALS:
    void jobsFinished();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWidgets();
    // Keyboard shortcuts for the usual commands; the captions stay as they are.
    void addShortcuts();
    void addFilterBox();
    void showFilterCount();
    // The selected game's play history in the status bar.
    void showPlayHistory();
    LaunchContext launchContext();
    void selectGames(const std::vector<std::int32_t>& positions);
    // The selected games, or every shown game when one or none is selected.
    std::vector<std::int32_t> gamesToFillIn() const;
    // Fill In changed the games at `changed`: their rows and the details follow.
    void gamesFilledIn(const std::vector<std::int32_t>& changed);
    // The ZXDB index, read from its file on first use; when there is none
    // the ZXDB Database window offers to make one. False without an index.
    bool haveZxdb();
    void connectMenus();
    void startUp(int splashDelayMs);
    void loadSettingsAndCatalogue(QWidget* splash);
    void reportSaveFailure(const std::string& error);
    void clearSelection();
    void saveListLayout();
    // Refills the strip for the selected game: the placeholder when none is.
    void loadScreenshots();
    // After an add of files: the games from `first` on get their tapes'
    // archive info once it is read, without the add waiting for it.
    void fillFromTapes(std::size_t first);
    // Writes what was read into the games still as the add left them, as
    // Properties would; it waits while another command's work runs or a
    // dialog is open.
    void applyTapeInfo();

    AppState& state_;
    UserDialogs& dialogs_;
    ProgramLauncher& launcher_;
    SessionSaving saving_;

    QWidget* clientArea_ = nullptr;
    GameListView* gameList_ = nullptr;
    GameListModel* gameListModel_ = nullptr;
    GameFilterBox* filterBox_ = nullptr;
    FacetButton* facetButton_ = nullptr;
    GameFactsKeeper* gameFacts_ = nullptr;
    DetailsPanel* detailsPanel_ = nullptr;
    ScreenshotStrip* screenshotStrip_ = nullptr;
    TapeInfoFill* tapeInfoFill_ = nullptr; // made at the first add
    QStatusBar* statusBar_ = nullptr;
    QLabel* playHistoryLabel_ = nullptr; // left, the selected game's play
    QLabel* filterCountLabel_ = nullptr; // right, permanent
    MainMenus menus_;

    OuterSize outerSize_;
    bool quitWithoutSaving_ = false; // Exit answered No, or nothing to save
    int jobsRunning_ = 0;            // commands whose work is not applied yet
    std::int32_t lastRandomPick_ = kNone;
    friend class JobScope;
};

} // namespace tolm::ui
