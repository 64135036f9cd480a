#include "ui/main/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QItemSelection>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QTreeView>
#include <algorithm>
#include <iostream>
#include <utility>

#include "catalogue/catalogue_ops.h"
#include "catalogue/database.h"
#include "platform/files.h"
#include "settings/settings.h"
#include "tolm/version.h"
#include "ui/config/directory_probe.h"
#include "ui/config/find_rom_path_dialog.h"
#include "ui/config/paths_dialog.h"
#include "ui/config/program_list_dialog.h"
#include "ui/config/screenshot_options_dialog.h"
#include "ui/edit/add_game_dialog.h"
#include "ui/edit/add_roms_wizard.h"
#include "ui/edit/game_properties_dialog.h"
#include "ui/import/import_dialog.h"
#include "ui/main/about_window.h"
#include "ui/main/check_files_window.h"
#include "ui/main/details_panel.h"
#include "ui/main/game_filter_box.h"
#include "ui/main/game_list_model.h"
#include "ui/main/job_scope.h"
#include "ui/main/launching.h"
#include "ui/main/main_layout.h"
#include "ui/main/splash_window.h"
#include "ui/widgets/artwork.h"
#include "ui/widgets/background_job.h"
#include "ui/widgets/qt_text.h"
#include "ui/widgets/screenshot_strip.h"
#include "ui/widgets/user_dialogs.h"

namespace tolm::ui {
namespace {

const QString kUnableToSave = QStringLiteral("Unable to save");
constexpr int kImportReportMs = 30000; // how long the status bar tells of an import
// Up to this many new games are placed among the list's rows at once.
constexpr std::size_t kGamesPlacedHere = 2000;

} // namespace

MainWindow::MainWindow(AppState& state, UserDialogs& dialogs, ProgramLauncher& launcher,
                       int splashDelayMs, QWidget* parent)
    : QMainWindow(parent), state_(state), dialogs_(dialogs), launcher_(launcher) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Tolm ") + QLatin1String(kVersionText));
    setWindowIcon(programIcon());
    buildWidgets();
    menus_ = buildMainMenus(*menuBar(), *this);
    connectMenus();
    addShortcuts();
    addFilterAndCheckFiles();
    startUp(splashDelayMs);
}

MainWindow::~MainWindow() = default;

void MainWindow::buildWidgets() {
    // The list and the panel are placed by layOutClientArea, not by a layout.
    clientArea_ = new QWidget(this);
    clientArea_->setObjectName(QStringLiteral("centralWidget"));
    setCentralWidget(clientArea_);
    clientArea_->installEventFilter(this);

    gameListModel_ = new GameListModel(state_.catalogue, this);
    gameList_ = new QTreeView(clientArea_);
    gameList_->setObjectName(QStringLiteral("lstGames"));
    gameList_->setAccessibleName(QStringLiteral("Games"));
    gameList_->move(8, 0); // its left and top edges stay put; the layout sizes it
    gameList_->setModel(gameListModel_);
    gameList_->setRootIsDecorated(false);
    gameList_->setUniformRowHeights(true);
    gameList_->setItemsExpandable(false);
    gameList_->setAllColumnsShowFocus(true);
    gameList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    gameList_->setSelectionBehavior(QAbstractItemView::SelectRows);
    gameList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The view's own header sorting toggles per column; the list's rule is
    // "same column reverses, new column keeps the order", so clicks come here.
    gameList_->setSortingEnabled(false);
    QHeaderView* header = gameList_->header();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(gameListModel_->sortColumn(), gameListModel_->sortOrder());
    header->setStretchLastSection(true);
    header->resizeSection(GameListModel::NameColumn, 300);
    header->resizeSection(GameListModel::PublisherColumn, 180);
    connect(header, &QHeaderView::sectionClicked, this, &MainWindow::sortByColumn);
    gameList_->viewport()->installEventFilter(this);
    gameList_->installEventFilter(this);
    gameList_->viewport()->setAcceptDrops(true);

    // The details follow the current row once it is selected, whatever
    // selected it: a left or right click, or the keyboard. A press makes a row
    // current before it selects it; the keyboard selects first.
    connect(gameList_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &MainWindow::followCurrentRow);
    connect(gameList_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &MainWindow::followCurrentRow);
    // A click on the row already shown shows it afresh (a file may have
    // appeared since); a click that selected a new row has shown it already.
    connect(gameList_, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (!detailsShownSincePress_)
            showDetails(index);
    });

    detailsPanel_ = new DetailsPanel(clientArea_);
    connect(detailsPanel_, &DetailsPanel::musicValueClicked, this,
            &MainWindow::playSelectedGameMusic);

    screenshotStrip_ = new ScreenshotStrip(state_, clientArea_);
    screenshotStrip_->hide(); // until Screen Shots > View is checked
    connect(screenshotStrip_, &ScreenshotStrip::layoutRequested, this,
            &MainWindow::layOutClientArea);

    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName(QStringLiteral("StatusBar1"));
    setStatusBar(statusBar_);
}

void MainWindow::connectMenus() {
    const MainMenus& m = menus_;
    connect(m.importAction, &QAction::triggered, this, &MainWindow::openImport);
    connect(m.saveAction, &QAction::triggered, this, &MainWindow::saveCatalogueNow);
    connect(m.pathsAction, &QAction::triggered, this, &MainWindow::openPaths);
    connect(m.exitAction, &QAction::triggered, this, &MainWindow::exitAsking);
    connect(m.viewScreenshotsAction, &QAction::triggered, this, &MainWindow::toggleScreenshots);
    connect(m.screenshotOptionsAction, &QAction::triggered, this,
            &MainWindow::openScreenshotOptions);
    for (QAction* add : {m.addSingleAction, m.popupAddSingleAction})
        connect(add, &QAction::triggered, this, &MainWindow::openAddSingle);
    for (QAction* add : {m.addMultipleAction, m.popupAddMultipleAction})
        connect(add, &QAction::triggered, this, &MainWindow::openAddMultiple);
    for (QAction* remove : {m.removeSelectedAction, m.popupRemoveSelectedAction})
        connect(remove, &QAction::triggered, this, &MainWindow::removeSelectedGames);
    for (QAction* properties : {m.propertiesAction, m.popupPropertiesAction})
        connect(properties, &QAction::triggered, this, &MainWindow::showSelectedGameProperties);
    connect(m.emulatorsAction, &QAction::triggered, this, &MainWindow::openEmulators);
    connect(m.musicPlayersAction, &QAction::triggered, this, &MainWindow::openMusicPlayers);
    connect(m.aboutAction, &QAction::triggered, this, &MainWindow::openAbout);
    for (std::size_t i = 0; i < m.runWithActions.size(); ++i) {
        const int emulator = static_cast<int>(i);
        connect(m.runWithActions[i], &QAction::triggered, this,
                [this, emulator] { runSelectedGameWith(emulator); });
    }
    connect(m.moreEmulators, &QAction::triggered, this, &MainWindow::openEmulators);
}

void MainWindow::startUp(int splashDelayMs) {
    state_.selectedGame = kNone;
    limits_ = primaryScreenLimits();
    applySizeLimits(*this, limits_);
    appliedFrame_ = frameExtent(*this);

    SplashWindow splash([this](QWidget* window) { loadSettingsAndCatalogue(window); },
                        splashDelayMs, this);
    splash.exec();

    refreshRunWithMenu();
    refreshGameList();
    restoreListLayout();
}

void MainWindow::loadSettingsAndCatalogue(QWidget* splash) {
    const SettingsLoadResult settings =
        loadSettings(state_.settings, state_.settingsPath(), metricsFor(limits_));
    if (settings.error) {
        // Writing defaults over a file we could not read would lose the
        // user's emulators and paths, so the file is left alone until the
        // next start.
        settingsWritable_ = false;
        dialogs_.message(splash, QStringLiteral("Settings not loaded"),
                         toQt(*settings.error) +
                             QStringLiteral("\r\nThe settings file will not be written this "
                                            "session."),
                         UserDialogs::Icon::Critical, UserDialogs::Buttons::Ok);
    }
    applyGeometry(*this, settings.window);
    if (settings.window.state == WindowGeometry::Normal) {
        pendingOuter_ = QSize(std::max(settings.window.width, limits_.minWidth),
                              std::max(settings.window.height, limits_.minHeight));
    }

    const std::string database = state_.databasePath();
    // Anything at all by that name is loaded or refused with a message; only
    // a missing file is silently an empty catalogue.
    if (platform::pathExists(database)) {
        const DatabaseLoadResult loaded = loadCatalogue(state_);
        if (loaded.message)
            dialogs_.show(splash, *loaded.message);
    }
    savedCatalogue_ = catalogueFingerprint(state_.catalogue);
    savedSettings_ = state_.settings;
}

// Qt learns the window frame only once the window manager has decorated the
// shown window. The size limits and the stored size are outer sizes, so they
// are applied again with the frame taken off as soon as it is known.
void MainWindow::settleFrame() {
    const QSize frame = frameExtent(*this);
    if (frame == appliedFrame_)
        return;
    appliedFrame_ = frame;
    applySizeLimits(*this, limits_);
    if (pendingOuter_ && windowState() == Qt::WindowNoState)
        resize(*pendingOuter_ - frame);
    pendingOuter_.reset();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    settleFrame();
    QTimer::singleShot(0, this, &MainWindow::settleFrame);
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    settleFrame();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    settleFrame();
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Restoring from minimised may keep the size, so no resize comes.
    if (event->type() == QEvent::WindowStateChange)
        layOutClientArea();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (handleListEvent(watched, event))
        return true;
    if (watched == clientArea_ && event->type() == QEvent::Resize) {
        layOutClientArea();
    } else if (gameList_ != nullptr && watched == gameList_->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            detailsShownSincePress_ = false;
        } else if (event->type() == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            // Anywhere over the list, empty space included.
            if (mouse->button() == Qt::RightButton)
                menus_.popupMenu->popup(mouse->globalPosition().toPoint());
        } else if (event->type() == QEvent::MouseButtonDblClick) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton)
                runSelectedGame();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::layOutClientArea() {
    if (clientArea_ == nullptr || screenshotStrip_ == nullptr)
        return;
    // The client area runs from the list's top to the status bar's bottom.
    layOutMainWindow({gameList_, detailsPanel_, statusBar_, screenshotStrip_,
                      QSize(clientArea_->width(), clientArea_->height() + statusBar_->height()),
                      isMinimized()},
                     state_.settings);
}

void MainWindow::refreshGameList() {
    gameListModel_->refresh();
    gameList_->header()->setSortIndicator(gameListModel_->sortColumn(),
                                          gameListModel_->sortOrder());
    showFilterCount();
    if (catalogueHasEntries(state_.catalogue))
        menus_.saveAction->setEnabled(true); // never disabled again
}

void MainWindow::refreshRunWithMenu() {
    ui::refreshRunWithMenu(menus_.runWithActions, state_.settings.emulators);
    refreshMoreEmulatorsItem(*menus_.moreEmulators, state_.settings.emulators);
}

void MainWindow::sortByColumn(int column) {
    Qt::SortOrder order = gameListModel_->sortOrder();
    if (column == gameListModel_->sortColumn())
        order = order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    gameListModel_->sort(column, order);
    // The header flipped its own indicator already; show the list's rule.
    gameList_->header()->setSortIndicator(gameListModel_->sortColumn(),
                                          gameListModel_->sortOrder());
}

void MainWindow::showDetails(const QModelIndex& index) {
    if (!index.isValid())
        return;
    const QVariant position = index.data(GameListModel::PositionRole);
    if (!position.isValid() || isNone(position.toInt()))
        return;
    detailsShownSincePress_ = true;
    shownRow_ = index.siblingAtColumn(0);
    state_.selectedGame = position.toInt();
    const GameRecord* game = state_.selectedRecord();
    if (game == nullptr) {
        detailsPanel_->clear();
        return;
    }
    detailsPanel_->showDetails(describeGame(*game, state_.settings));
    loadScreenshots();
    layOutClientArea();
}

void MainWindow::followCurrentRow() {
    const QModelIndex current = gameList_->currentIndex();
    if (!current.isValid() || !gameList_->selectionModel()->isSelected(current))
        return;
    if (current.siblingAtColumn(0) == shownRow_)
        return; // shown already (a refresh of the list forgets the row)
    showDetails(current);
}

void MainWindow::showCurrentDetails() {
    const QModelIndex current = gameList_->currentIndex();
    if (!current.isValid() || !gameList_->selectionModel()->isSelected(current))
        return;
    showDetails(current);
}

void MainWindow::removeGames(const std::vector<std::int32_t>& positions) {
    if (positions.empty())
        return;
    const UserMessage question = removalQuestion(state_.catalogue, positions.size());
    if (dialogs_.show(this, question) == UserDialogs::Answer::Yes) {
        removePositions(state_.catalogue, positions);
        // The old position may now name another game or none at all.
        clearSelection();
        gameListModel_->gamesRemoved(positions);
        showFilterCount();
        return;
    }
    refreshGameList();
}

void MainWindow::addFilterAndCheckFiles() {
    filterBox_ = new GameFilterBox(menuBar());
    menuBar()->setCornerWidget(filterBox_, Qt::TopRightCorner);
    connect(filterBox_, &QLineEdit::textChanged, this, &MainWindow::applyFilter);
    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, filterBox_, &GameFilterBox::takeFocus);

    checkFilesAction_ = menus_.gamesMenu->addAction(QStringLiteral("Check Files..."));
    checkFilesAction_->setObjectName(QStringLiteral("checkFilesAction"));
    connect(checkFilesAction_, &QAction::triggered, this, &MainWindow::openCheckFiles);
}

void MainWindow::applyFilter(const QString& typed) {
    const std::int32_t selected = state_.selectedGame;
    gameListModel_->setFilterText(typed);
    showFilterCount();
    // The selected game stays selected while shown; a hidden one is let go,
    // so that no command acts on a game out of sight.
    const int row = selected > kNone ? gameListModel_->rowOf(selected) : -1;
    if (row < 0) {
        if (selected > kNone)
            clearSelection();
        return;
    }
    const QModelIndex index = gameListModel_->index(row, 0);
    gameList_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                            QItemSelectionModel::Rows);
    gameList_->scrollTo(index);
}

void MainWindow::showFilterCount() {
    const QString text = filterCountText(gameListModel_->isFiltered(), gameListModel_->rowCount(),
                                         gameListModel_->unfilteredRowCount());
    if (text.isEmpty())
        statusBar_->clearMessage();
    else
        statusBar_->showMessage(text);
}

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
    std::vector<int> rows;
    rows.reserve(positions.size());
    for (const std::int32_t position : positions) {
        const int row = gameListModel_->rowOf(position);
        if (row >= 0)
            rows.push_back(row);
    }
    if (rows.empty())
        return;
    // One range per run of adjacent rows: a range per game would hold the
    // window for seconds when a check finds thousands.
    std::sort(rows.begin(), rows.end());
    QItemSelection selection;
    for (std::size_t run = 0; run < rows.size();) {
        std::size_t end = run + 1;
        while (end < rows.size() && rows[end] <= rows[end - 1] + 1)
            ++end;
        selection.select(gameListModel_->index(rows[run], 0),
                         gameListModel_->index(rows[end - 1], GameListModel::ColumnCount - 1));
        run = end;
    }
    const int firstRow = rows.front();
    QItemSelectionModel* model = gameList_->selectionModel();
    model->setCurrentIndex(gameListModel_->index(firstRow, 0), QItemSelectionModel::NoUpdate);
    model->select(selection, QItemSelectionModel::ClearAndSelect);
    gameList_->scrollTo(gameListModel_->index(firstRow, 0));
    showDetails(gameListModel_->index(firstRow, 0));
}

void MainWindow::clearSelection() {
    state_.selectedGame = kNone;
    shownRow_ = QPersistentModelIndex();
    detailsPanel_->clear();
    clearScreenshots();
}

void MainWindow::removeSelectedGames() {
    std::vector<std::int32_t> positions;
    const QItemSelectionModel* selection = gameList_->selectionModel();
    const int rows = gameListModel_->rowCount();
    for (int row = 0; row < rows; ++row) {
        if (selection->isRowSelected(row, QModelIndex()))
            positions.push_back(gameListModel_->positionAt(row));
    }
    removeGames(positions);
}

void MainWindow::showSelectedGameProperties() {
    if (catalogueHasEntries(state_.catalogue) && state_.selectedRecord() != nullptr)
        openGameProperties();
}

void MainWindow::saveCatalogueNow() {
    if (!catalogueHasEntries(state_.catalogue))
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::processEvents();
    const platform::IoResult saved = saveDatabase(state_.catalogue, state_.databasePath());
    QApplication::processEvents();
    QApplication::restoreOverrideCursor();
    if (saved)
        savedCatalogue_ = catalogueFingerprint(state_.catalogue);
    else
        reportSaveFailure(saved.error);
}

void MainWindow::reportSaveFailure(const std::string& error) {
    dialogs_.message(this, kUnableToSave, toQt(error), UserDialogs::Icon::Critical,
                     UserDialogs::Buttons::Ok);
}

bool MainWindow::saveAll() {
    bool ok = true;
    if (settingsWritable_) {
        const platform::IoResult settings =
            saveSettings(state_.settings, state_.settingsPath(), reportGeometry(*this));
        if (settings) {
            savedSettings_ = state_.settings;
        } else {
            reportSaveFailure(settings.error);
            ok = false;
        }
    }
    if (catalogueHasEntries(state_.catalogue)) {
        const platform::IoResult database = saveDatabase(state_.catalogue, state_.databasePath());
        if (database) {
            savedCatalogue_ = catalogueFingerprint(state_.catalogue);
        } else {
            reportSaveFailure(database.error);
            ok = false;
        }
    }
    return ok;
}

// The window's placement is not part of SettingsState: moving the window is
// no change to ask about.
bool MainWindow::hasUnsavedChanges() const {
    // A catalogue that never had entries is never written, so it holds nothing to lose.
    const bool catalogueChanged = catalogueHasEntries(state_.catalogue) &&
                                  catalogueFingerprint(state_.catalogue) != savedCatalogue_;
    const bool settingsChanged = settingsWritable_ && state_.settings != savedSettings_;
    return catalogueChanged || settingsChanged;
}

// Exit used to quit without saving, the only way back from a mistake such as
// removing every game; it still is, but it asks first when something would be
// lost.
void MainWindow::exitAsking() {
    if (hasUnsavedChanges()) {
        const auto answer = dialogs_.message(
            this, QStringLiteral("Exit"), QStringLiteral("Save changes before exiting?"),
            UserDialogs::Icon::Question, UserDialogs::Buttons::YesNoCancel);
        if (answer == UserDialogs::Answer::Yes) {
            close(); // the normal close saves both files
            return;
        }
        if (answer != UserDialogs::Answer::No)
            return;
    }
    quitWithoutSaving_ = true;
    if (!close())
        quitWithoutSaving_ = false;
}

bool MainWindow::closeForSessionEnd() {
    bool ok = true;
    const auto report = [&ok](const platform::IoResult& result) {
        if (!result) {
            std::cerr << "tolm: Unable to save: " << result.error << '\n';
            ok = false;
        }
    };
    saveListLayout();
    if (settingsWritable_) // an unreadable file is left as it is
        report(saveSettings(state_.settings, state_.settingsPath(), reportGeometry(*this)));
    if (catalogueHasEntries(state_.catalogue))
        report(saveDatabase(state_.catalogue, state_.databasePath()));
    hide();
    return ok;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (std::exchange(quitWithoutSaving_, false)) {
        event->accept();
        return;
    }
    saveListLayout();
    if (!saveAll()) {
        const auto answer = dialogs_.message(
            this, kUnableToSave,
            QStringLiteral("Your changes could not all be saved.\r\nClose anyway?"),
            UserDialogs::Icon::Question, UserDialogs::Buttons::YesNo);
        if (answer != UserDialogs::Answer::Yes) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

void MainWindow::toggleScreenshots() {
    StripState& strip = screenshotStrip_->stripState();
    strip.showScreenshots = !strip.showScreenshots;
    menus_.viewScreenshotsAction->setChecked(strip.showScreenshots);
    if (strip.showScreenshots)
        loadScreenshots();
    layOutClientArea();
}

void MainWindow::runSelectedGame() {
    if (!catalogueHasEntries(state_.catalogue) || isNone(state_.selectedGame))
        return;
    launchSelectedGame(LaunchContext{state_, dialogs_, launcher_, this});
}

void MainWindow::runSelectedGameWith(int emulator) {
    launchSelectedGameWith(LaunchContext{state_, dialogs_, launcher_, this}, emulator);
}

void MainWindow::playSelectedGameMusic() {
    playSelectedMusic(LaunchContext{state_, dialogs_, launcher_, this},
                      detailsPanel_->musicPlayable());
}

void MainWindow::openAbout() {
    AboutWindow about(this);
    about.exec();
}

void MainWindow::loadScreenshots() {
    screenshotStrip_->loadScreenshots();
}

// With no game selected the strip falls back to its placeholder.
void MainWindow::clearScreenshots() {
    screenshotStrip_->loadScreenshots();
}

void MainWindow::openImport() {
    JobScope busy(*this);
    const bool hadEntries = catalogueHasEntries(state_.catalogue);
    ImportDialog dialog(state_, dialogs_, this);
    dialog.exec();
    if (!dialog.imported())
        return; // nothing changed
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
}

void MainWindow::openGameProperties() {
    if (state_.selectedRecord() == nullptr)
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
    if (screenshotStrip_->stripState().showScreenshots)
        loadScreenshots();
    layOutClientArea();
}

void MainWindow::openPaths() {
    openPathsOver(this);
}

void MainWindow::openPathsOver(QWidget* owner) {
    PathsDialog paths(state_.settings,
                      {dialogs_, launcher_, systemDirectoryProbe(),
                       [this](QWidget* over) { return pickSearchFolder(over); }},
                      owner);
    paths.exec();
}

QString MainWindow::pickSearchFolder(QWidget* owner) {
    FindRomPathDialog picker(dialogs_, owner);
    return picker.exec() == QDialog::Accepted ? picker.pickedFolder() : QString();
}

void MainWindow::openScreenshotOptions() {
    ScreenshotOptionsDialog options(
        state_.settings,
        [this] {
            loadScreenshots();
            layOutClientArea();
        },
        [this](QWidget* owner) { openPathsOver(owner); }, this);
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
