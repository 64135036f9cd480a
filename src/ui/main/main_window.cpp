#include "ui/main/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QDateTime>
#include <QKeySequence>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <iostream>
#include <utility>

#include "catalogue/catalogue_ops.h"
#include "platform/files.h"
#include "settings/settings.h"
#include "tolm/version.h"
#include "ui/main/details_panel.h"
#include "ui/main/facet_menu.h"
#include "ui/main/game_filter_box.h"
#include "ui/main/game_list_model.h"
#include "ui/main/game_list_view.h"
#include "ui/main/launching.h"
#include "ui/main/main_layout.h"
#include "ui/main/splash_window.h"
#include "ui/widgets/artwork.h"
#include "ui/widgets/qt_text.h"
#include "ui/widgets/screenshot_strip.h"
#include "ui/widgets/user_dialogs.h"
#include "ui/widgets/window_geometry.h"

namespace tolm::ui {
namespace {

const QString kUnableToSave = QStringLiteral("Unable to save");

} // namespace

MainWindow::MainWindow(AppState& state, UserDialogs& dialogs, ProgramLauncher& launcher,
                       int splashDelayMs, QWidget* parent)
    : QMainWindow(parent), state_(state), dialogs_(dialogs), launcher_(launcher), saving_(state),
      outerSize_(*this) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Tolm ") + QLatin1String(kVersionText));
    setWindowIcon(programIcon());
    buildWidgets();
    menus_ = buildMainMenus(*menuBar(), *this);
    connectMenus();
    addShortcuts();
    addFilterBox();
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
    gameListModel_->showFavourites(&state_.history);
    gameList_ = new GameListView(*gameListModel_, clientArea_);
    connect(gameList_, &GameListView::showRequested, this, &MainWindow::showDetails);
    connect(gameList_, &GameListView::runRequested, this, &MainWindow::runSelectedGame);
    // Added once the drag is over: on some systems it has an event loop of
    // its own, and the adding runs a job with one too.
    connect(gameList_, &GameListView::filesDropped, this, &MainWindow::addDroppedFiles,
            Qt::QueuedConnection);
    connect(gameList_, &GameListView::popupRequested, this, [this](const QPoint& at) {
        menus_.favouriteAction->setChecked(state_.history.favourite(state_.selectedGame));
        menus_.popupMenu->popup(at);
    });

    detailsPanel_ = new DetailsPanel(clientArea_);
    connect(detailsPanel_, &DetailsPanel::musicValueClicked, this,
            &MainWindow::playSelectedGameMusic);

    screenshotStrip_ = new ScreenshotStrip(state_, clientArea_);
    screenshotStrip_->hide(); // until Screen Shots > View is checked

    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName(QStringLiteral("StatusBar1"));
    setStatusBar(statusBar_);
    // Two labels, so the play history and the filter count never hide each other.
    playHistoryLabel_ = new QLabel(statusBar_);
    playHistoryLabel_->setObjectName(QStringLiteral("playHistoryLabel"));
    statusBar_->addWidget(playHistoryLabel_, 1);
    filterCountLabel_ = new QLabel(statusBar_);
    filterCountLabel_->setObjectName(QStringLiteral("filterCountLabel"));
    statusBar_->addPermanentWidget(filterCountLabel_);
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
        connect(properties, &QAction::triggered, this, &MainWindow::openGameProperties);
    connect(m.emulatorsAction, &QAction::triggered, this, &MainWindow::openEmulators);
    connect(m.musicPlayersAction, &QAction::triggered, this, &MainWindow::openMusicPlayers);
    connect(m.fillInAction, &QAction::triggered, this, &MainWindow::openFillIn);
    connect(m.zxdbDatabaseAction, &QAction::triggered, this, &MainWindow::openZxdbDatabase);
    for (QAction* lookUp : {m.lookUpZxdbAction, m.popupLookUpZxdbAction})
        connect(lookUp, &QAction::triggered, this, &MainWindow::lookUpInZxdb);
    connect(m.fillInZxdbAction, &QAction::triggered, this, &MainWindow::fillInFromZxdb);
    connect(m.checkFilesAction, &QAction::triggered, this, &MainWindow::openCheckFiles);
    connect(m.randomGameAction, &QAction::triggered, this, &MainWindow::pickRandomGame);
    connect(m.findDuplicatesAction, &QAction::triggered, this, &MainWindow::openFindDuplicates);
    connect(m.aboutAction, &QAction::triggered, this, &MainWindow::openAbout);
    for (std::size_t i = 0; i < m.runWithActions.size(); ++i) {
        const int emulator = static_cast<int>(i);
        connect(m.runWithActions[i], &QAction::triggered, this,
                [this, emulator] { runSelectedGameWith(emulator); });
    }
    connect(m.moreEmulators, &QAction::triggered, this, &MainWindow::openEmulators);
    addAction(m.favouriteAction); // Ctrl+D works without the pop-up menu
    connect(m.favouriteAction, &QAction::triggered, this, &MainWindow::toggleFavourite);
}

void MainWindow::startUp(int splashDelayMs) {
    state_.selectedGame = kNone;
    outerSize_.applyLimits(primaryScreenLimits());

    SplashWindow splash([this](QWidget* window) { loadSettingsAndCatalogue(window); },
                        splashDelayMs, this);
    splash.exec();

    refreshRunWithMenu();
    refreshGameList();
    gameList_->restoreLayout(state_.extra);
}

void MainWindow::loadSettingsAndCatalogue(QWidget* splash) {
    const SettingsLoadResult settings =
        loadSettings(state_.settings, state_.settingsPath(), metricsFor(outerSize_.limits()));
    if (settings.error) {
        dialogs_.message(splash, QStringLiteral("Settings not loaded"),
                         toQt(*settings.error) +
                             QStringLiteral("\r\nThe settings file will not be written this "
                                            "session."),
                         UserDialogs::Icon::Critical, UserDialogs::Buttons::Ok);
    }
    applyGeometry(*this, settings.window);
    if (settings.window.state == WindowGeometry::Normal)
        outerSize_.restore(QSize(settings.window.width, settings.window.height));

    const std::string database = state_.databasePath();
    // Anything at all by that name is loaded or refused with a message; only
    // a missing file is silently an empty catalogue.
    if (platform::pathExists(database)) {
        const DatabaseLoadResult loaded = loadCatalogue(state_);
        if (loaded.message)
            dialogs_.show(splash, *loaded.message);
    }
    const platform::IoResult history =
        loadPlayHistory(state_.history, state_.catalogue, state_.historyPath());
    if (!history) {
        dialogs_.message(splash, QStringLiteral("Play history not loaded"),
                         toQt(history.error) +
                             QStringLiteral("\r\nThe play history file will not be written "
                                            "this session."),
                         UserDialogs::Icon::Critical, UserDialogs::Buttons::Ok);
    }
    saving_.loaded(!settings.error, static_cast<bool>(history));
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    outerSize_.settle();
    QTimer::singleShot(0, this, [this] { outerSize_.settle(); });
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    outerSize_.settle();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    outerSize_.settle();
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Restoring from minimised may keep the size, so no resize comes.
    if (event->type() == QEvent::WindowStateChange)
        layOutClientArea();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == clientArea_ && event->type() == QEvent::Resize)
        layOutClientArea();
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
    gameList_->refresh();
    showFilterCount();
    if (catalogueHasEntries(state_.catalogue))
        menus_.saveAction->setEnabled(true); // never disabled again
}

void MainWindow::refreshRunWithMenu() {
    ui::refreshRunWithMenu(menus_.runWithActions, state_.settings.emulators);
    refreshMoreEmulatorsItem(*menus_.moreEmulators, state_.settings.emulators);
}

void MainWindow::showDetails(const QModelIndex& index) {
    if (!index.isValid())
        return;
    const QVariant position = index.data(GameListModel::PositionRole);
    if (!position.isValid() || isNone(position.toInt()))
        return;
    gameList_->markShown(index);
    state_.selectedGame = position.toInt();
    const GameRecord* game = state_.selectedRecord();
    if (game == nullptr) {
        detailsPanel_->clear();
        return;
    }
    detailsPanel_->showDetails(describeGame(*game, state_.settings));
    showPlayHistory();
    loadScreenshots();
    layOutClientArea();
}

void MainWindow::removeGames(const std::vector<std::int32_t>& positions) {
    if (positions.empty())
        return;
    const UserMessage question = removalQuestion(state_.catalogue, positions.size());
    if (dialogs_.show(this, question) == UserDialogs::Answer::Yes) {
        removePositions(state_.catalogue, positions);
        state_.history.positionsRemoved(positions);
        // The old position may now name another game or none at all.
        clearSelection();
        gameListModel_->gamesRemoved(positions);
        showFilterCount();
        return;
    }
    refreshGameList();
}

void MainWindow::addFilterBox() {
    // The facet button and the box share the menu bar's corner.
    auto* corner = new QWidget(menuBar());
    auto* row = new QHBoxLayout(corner);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    facetButton_ = new FacetButton(*gameListModel_, corner);
    filterBox_ = new GameFilterBox(corner);
    row->addWidget(facetButton_);
    row->addWidget(filterBox_);
    menuBar()->setCornerWidget(corner, Qt::TopRightCorner);
    connect(filterBox_, &QLineEdit::textChanged, this, &MainWindow::applyFilter);
    connect(facetButton_, &FacetButton::termChosen, filterBox_, &GameFilterBox::addTerm);
    gameFacts_ = new GameFactsKeeper(state_, *gameListModel_, this);
    // The filter's favourite and played terms read the play history.
    gameFacts_->setPersonalFacts([this](std::size_t position, GameFacts& facts) {
        const GamePlay& play = state_.history.of(static_cast<std::int32_t>(position));
        facts.favourite = play.favourite;
        facts.lastPlayed = play.lastPlayed;
    });
    connect(gameFacts_, &GameFactsKeeper::factsReady, this, [this] {
        if (gameListModel_->isFiltered())
            applyFilter(filterBox_->text());
    });
    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, filterBox_, &GameFilterBox::takeFocus);
}

void MainWindow::applyFilter(const QString& typed) {
    const std::int32_t selected = state_.selectedGame;
    gameListModel_->setFilterText(typed);
    filterBox_->showFilterError(gameListModel_->filterError());
    showFilterCount();
    // The selected game stays selected while shown; a hidden one is let go,
    // so that no command acts on a game out of sight.
    if (selected > kNone && gameListModel_->rowOf(selected) >= 0)
        gameList_->selectPosition(selected);
    else if (selected > kNone)
        clearSelection();
}

void MainWindow::showFilterCount() {
    const QString text = filterCountText(gameListModel_->isFiltered(), gameListModel_->rowCount(),
                                         gameListModel_->unfilteredRowCount());
    filterCountLabel_->setText(text);
}

void MainWindow::showPlayHistory() {
    const GamePlay& play = state_.history.of(state_.selectedGame);
    if (state_.selectedRecord() == nullptr) {
        playHistoryLabel_->clear();
        return;
    }
    const QDate day = QDateTime::fromSecsSinceEpoch(play.lastPlayed).toLocalTime().date();
    playHistoryLabel_->setText(
        toQt(playSummary(play, toStd(QLocale::c().toString(day, QStringLiteral("d MMM yyyy"))))));
}

void MainWindow::toggleFavourite() {
    std::vector<std::int32_t> positions = gameList_->selectedPositions();
    if (state_.selectedRecord() == nullptr)
        return;
    if (positions.empty())
        positions.push_back(state_.selectedGame);
    const bool favourite = !state_.history.favourite(state_.selectedGame);
    for (const std::int32_t position : positions)
        state_.history.setFavourite(position, favourite);
    gameListModel_->favouritesChanged(positions);
    gameFacts_->personalFactsChanged();
}

void MainWindow::clearSelection() {
    state_.selectedGame = kNone;
    gameList_->forgetShown();
    detailsPanel_->clear();
    showPlayHistory();
    loadScreenshots(); // with no game selected: the placeholder
}

void MainWindow::removeSelectedGames() {
    removeGames(gameList_->selectedPositions());
}

void MainWindow::saveCatalogueNow() {
    if (!catalogueHasEntries(state_.catalogue))
        return;
    // A save of even a large catalogue takes a fraction of a second; the
    // window waits for it rather than let an edit slip in half-way.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const platform::IoResult saved = saving_.saveCatalogue();
    QApplication::restoreOverrideCursor();
    if (!saved)
        reportSaveFailure(saved.error);
}

void MainWindow::reportSaveFailure(const std::string& error) {
    dialogs_.message(this, kUnableToSave, toQt(error), UserDialogs::Icon::Critical,
                     UserDialogs::Buttons::Ok);
}

// Exit quits without saving, the way back from a mistake such as removing
// every game; it asks first when something would be lost.
void MainWindow::exitAsking() {
    if (saving_.hasUnsavedChanges()) {
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
    saveListLayout();
    const bool saved = saving_.saveAtSessionEnd(reportGeometry(*this), std::cerr);
    hide();
    return saved;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (std::exchange(quitWithoutSaving_, false)) {
        event->accept();
        return;
    }
    saveListLayout();
    const std::vector<std::string> failures = saving_.saveAll(reportGeometry(*this));
    for (const std::string& failure : failures)
        reportSaveFailure(failure);
    if (!failures.empty()) {
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
    const bool on = !screenshotStrip_->showScreenshots();
    screenshotStrip_->setShowScreenshots(on);
    menus_.viewScreenshotsAction->setChecked(on);
    if (on)
        loadScreenshots();
    layOutClientArea();
}

void MainWindow::runSelectedGame() {
    if (catalogueHasEntries(state_.catalogue) && !isNone(state_.selectedGame))
        launchSelectedGame(launchContext());
}

void MainWindow::runSelectedGameWith(int emulator) {
    launchSelectedGameWith(launchContext(), emulator);
}

LaunchContext MainWindow::launchContext() {
    // A report may come after the window is gone; the state outlives the launcher.
    return {state_, dialogs_, launcher_, this, [window = QPointer<MainWindow>(this)] {
                if (window) {
                    window->showPlayHistory();
                    window->gameFacts_->personalFactsChanged();
                }
            }};
}

void MainWindow::playSelectedGameMusic() {
    playSelectedMusic({state_, dialogs_, launcher_, this}, detailsPanel_->musicPlayable());
}

void MainWindow::saveListLayout() {
    gameList_->saveLayout(state_.extra, state_.extraSettingsPath());
}

void MainWindow::loadScreenshots() {
    screenshotStrip_->loadScreenshots();
}

} // namespace tolm::ui
