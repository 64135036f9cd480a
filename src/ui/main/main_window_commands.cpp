// The main window's commands that open a dialog or run a job, and what the
// window does with their outcome.
#include <QStatusBar>
#include <algorithm>
#include <memory>
#include <random>

#include "screens/game_file_screen.h"
#include "ui/config/paths_dialog.h"
#include "ui/config/program_list_dialog.h"
#include "ui/config/screenshot_options_dialog.h"
#include "ui/edit/add_game_dialog.h"
#include "ui/edit/add_roms_wizard.h"
#include "ui/edit/fill_in_dialog.h"
#include "ui/edit/game_properties_dialog.h"
#include "ui/import/import_dialog.h"
#include "ui/main/about_window.h"
#include "ui/main/check_files_window.h"
#include "ui/main/details_panel.h"
#include "ui/main/duplicates_window.h"
#include "ui/main/facet_menu.h"
#include "ui/main/game_filter_box.h"
#include "ui/main/game_list_model.h"
#include "ui/main/game_list_view.h"
#include "ui/main/job_scope.h"
#include "ui/main/main_window.h"
#include "ui/widgets/background_job.h"
#include "ui/widgets/qt_text.h"
#include "ui/widgets/screenshot_strip.h"
#include "ui/widgets/user_dialogs.h"

namespace tolm::ui {
namespace {

constexpr int kImportReportMs = 30000; // how long the status bar tells of an import
// Up to this many new games are placed among the list's rows at once.
constexpr std::size_t kGamesPlacedHere = 2000;
// Up to this many filled-in games move to their rows one by one; more, and
// the list is rebuilt once.
constexpr std::size_t kGamesEditedInPlace = 200;

} // namespace

void MainWindow::openCheckFiles() {
    FileCheckResult result;
    {
        JobScope busy(*this);
        result = checkFilesWithProgress(state_, this);
    }
    if (state_.sessionEnding)
        return; // nobody is there to read it
    CheckFilesWindow window(result, state_.catalogue, this);
    if (window.exec() == QDialog::Accepted)
        selectGames(window.gamesToSelect());
}

void MainWindow::openFindDuplicates() {
    DuplicatesResult result;
    {
        JobScope busy(*this);
        result = findDuplicatesWithProgress(state_, this);
    }
    if (state_.sessionEnding || result.cancelled)
        return; // stopped: a partial search would miss groups
    DuplicatesWindow window(result, state_.catalogue, this);
    if (window.exec() == QDialog::Accepted)
        selectGames(window.gamesToSelect());
}

void MainWindow::pickRandomGame() {
    const int rows = gameListModel_->rowCount();
    if (rows == 0 || !catalogueHasEntries(state_.catalogue))
        return;
    // Rows not to land on, while enough others are shown.
    std::vector<int> avoided;
    for (const std::int32_t position : {lastRandomPick_, state_.selectedGame}) {
        const int row = isNone(position) ? -1 : gameListModel_->rowOf(position);
        if (row >= 0 && std::find(avoided.begin(), avoided.end(), row) == avoided.end())
            avoided.push_back(row);
    }
    while (!avoided.empty() && rows - static_cast<int>(avoided.size()) < 1)
        avoided.pop_back();
    std::sort(avoided.begin(), avoided.end());
    static std::mt19937 generator{std::random_device{}()};
    int row = std::uniform_int_distribution<int>(0, rows - 1 - static_cast<int>(avoided.size()))(
        generator);
    for (const int skipped : avoided)
        row += row >= skipped ? 1 : 0;
    lastRandomPick_ = gameListModel_->positionAt(row);
    gameList_->selectPosition(lastRandomPick_);
    showDetails(gameListModel_->index(row, 0));
}

std::vector<std::int32_t> MainWindow::gamesToFillIn() const {
    std::vector<std::int32_t> games = gameList_->selectedPositions();
    if (games.size() <= 1) {
        games.clear();
        for (int row = 0, rows = gameListModel_->rowCount(); row < rows; ++row)
            games.push_back(gameListModel_->positionAt(row));
    }
    return games;
}

void MainWindow::openFillIn() {
    if (!catalogueHasEntries(state_.catalogue))
        return;
    const std::vector<std::int32_t> games = gamesToFillIn();
    std::optional<FillInResult> result;
    {
        JobScope busy(*this);
        // A reader of its own: its child serves the worker alone.
        screens::GameFileScreenReader reader;
        result = proposeFillInsWithProgress(
            state_, games,
            [&reader](const std::string& path) { return reader.readArchiveInfo(path); }, this);
    }
    if (state_.sessionEnding || !result)
        return; // stopped: nothing to show
    const QString title = QStringLiteral("Fill In from Files");
    if (result->proposals.empty()) {
        dialogs_.message(this, title,
                         result->filesFound == 0
                             ? QStringLiteral("None of these games' files was found.")
                             : QStringLiteral("Nothing to fill in: the files propose no change."),
                         UserDialogs::Icon::Information, UserDialogs::Buttons::Ok);
        return;
    }
    FillInDialog dialog(state_, std::move(result->proposals), this);
    if (dialog.exec() == QDialog::Accepted)
        gamesFilledIn(dialog.changedGames());
}

void MainWindow::gamesFilledIn(const std::vector<std::int32_t>& changed) {
    if (changed.empty())
        return;
    if (changed.size() > kGamesEditedInPlace) {
        refreshGameList();
        if (const GameRecord* game = state_.selectedRecord())
            detailsPanel_->showDetails(describeGame(*game, state_.settings));
        return;
    }
    for (const std::int32_t position : changed)
        gameListModel_->gameEdited(position);
    gameEdited(state_.selectedGame); // the selected row in view, the details
}

void MainWindow::selectGames(const std::vector<std::int32_t>& positions) {
    if (positions.empty())
        return;
    // Games the filter hides could not be selected: show them all.
    for (const std::int32_t position : positions) {
        if (gameListModel_->rowOf(position) < 0) {
            filterBox_->clear();
            break;
        }
    }
    const QModelIndex first = gameList_->selectPositions(positions);
    if (first.isValid())
        showDetails(first);
}

void MainWindow::openAbout() {
    AboutWindow about(this);
    about.exec();
}

void MainWindow::openImport() {
    JobScope busy(*this);
    const bool hadEntries = catalogueHasEntries(state_.catalogue);
    ImportDialog dialog(state_, dialogs_, this);
    dialog.exec();
    if (!dialog.imported())
        return; // nothing changed
    // The games before the first imported one kept their places and play.
    state_.history.keepFirst(dialog.report().replacedCatalogue ? 0 : dialog.firstImported());
    if (dialog.report().replacedCatalogue) {
        clearSelection(); // the old position may name another game or none
        refreshGameList();
    } else if (!hadEntries) {
        refreshGameList(); // a blank record may have been filled
    } else {
        gamesAdded(dialog.firstImported());
    }
    statusBar()->showMessage(toQt(describeSgdImport(dialog.report())), kImportReportMs);
}

void MainWindow::gamesAdded(std::size_t first) {
    std::shared_ptr<GameListModel::AppendPlan> plan;
    if (state_.catalogue.size() > first + kGamesPlacedHere) {
        // Placing many games among many rows takes a while: on a worker, the
        // list taking them in afterwards.
        JobScope busy(*this);
        const GameListModel& model = *gameListModel_;
        runWithProgress(this, QStringLiteral("Adding games"),
                        QStringLiteral("Updating the list..."),
                        [&plan, &model, first](JobProgress&) { plan = model.planAppend(first); });
    }
    gameListModel_->gamesAppended(first, std::move(plan));
    showFilterCount();
    if (catalogueHasEntries(state_.catalogue))
        menus_.saveAction->setEnabled(true); // never disabled again
}

void MainWindow::openAddSingle() {
    AddGameDialog dialog(state_, dialogs_, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    refreshGameList();
}

void MainWindow::openAddMultiple() {
    JobScope busy(*this);
    const bool hadEntries = catalogueHasEntries(state_.catalogue);
    const std::size_t before = state_.catalogue.size();
    AddRomsWizard wizard(state_, dialogs_, this);
    if (wizard.exec() != QDialog::Accepted)
        return;
    if (hadEntries)
        gamesAdded(before);
    else
        refreshGameList(); // the blank record may have been filled
    fillFromTapes(hadEntries ? before : 0);
}

void MainWindow::openGameProperties() {
    if (!catalogueHasEntries(state_.catalogue) || state_.selectedRecord() == nullptr)
        return;
    GamePropertiesDialog dialog(state_, dialogs_, this, &screenshotStrip_->gameFileScreens());
    if (dialog.exec() != QDialog::Accepted)
        return;
    gameEdited(state_.selectedGame);
}

void MainWindow::gameEdited(std::int32_t position) {
    // Just this row and the details: the list stays sorted, the selection on it.
    const int row = gameListModel_->gameEdited(position);
    if (row >= 0)
        gameList_->scrollTo(gameListModel_->index(row, 0));
    if (const GameRecord* game = state_.selectedRecord())
        detailsPanel_->showDetails(describeGame(*game, state_.settings));
    if (screenshotStrip_->showScreenshots())
        loadScreenshots();
    layOutClientArea();
}

void MainWindow::openPaths() {
    PathsDialog paths(state_.settings, dialogs_, launcher_, this);
    paths.exec();
    gameFacts_->refresh(); // files may be found elsewhere now
}

void MainWindow::openScreenshotOptions() {
    ScreenshotOptionsDialog options(
        state_.settings, dialogs_, launcher_,
        [this] {
            loadScreenshots();
            layOutClientArea();
        },
        this);
    options.exec();
}

void MainWindow::openEmulators() {
    ProgramListDialog emulators(ProgramListKind::Emulators, state_.settings, dialogs_, this);
    emulators.exec();
    // However the dialog was closed: a stale item would start another program.
    refreshRunWithMenu();
}

void MainWindow::openMusicPlayers() {
    ProgramListDialog players(ProgramListKind::MusicPlayers, state_.settings, dialogs_, this);
    players.exec();
}

} // namespace tolm::ui
