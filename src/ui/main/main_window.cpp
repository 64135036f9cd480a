#include "ui/main/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTimer>
#include <QTreeView>
#include <algorithm>
#include <iostream>

#include "catalogue/catalogue_ops.h"
#include "catalogue/database.h"
#include "platform/files.h"
#include "settings/settings.h"
#include "tolm/version.h"
#include "ui/common/qt_text.h"
#include "ui/common/user_dialogs.h"
#include "ui/main/about_window.h"
#include "ui/main/artwork.h"
#include "ui/main/details_panel.h"
#include "ui/main/game_list_model.h"
#include "ui/main/launching.h"
#include "ui/main/main_layout.h"
#include "ui/main/screenshot_strip.h"
#include "ui/main/splash_window.h"

namespace tolm::ui {
namespace {

const QString kUnableToSave = QStringLiteral("Unable to save");

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
    startUp(splashDelayMs);
}

MainWindow::~MainWindow() = default;

void MainWindow::buildWidgets() {
    // The list and the panel are placed by formresize, not by a layout.
    central_ = new QWidget(this);
    central_->setObjectName(QStringLiteral("centralWidget"));
    setCentralWidget(central_);
    central_->installEventFilter(this);

    model_ = new GameListModel(state_.catalogue, this);
    lstGames = new QTreeView(central_);
    lstGames->setObjectName(QStringLiteral("lstGames"));
    lstGames->move(8, 0); // its left and top edges stay put; the layout sizes it
    lstGames->setModel(model_);
    lstGames->setRootIsDecorated(false);
    lstGames->setUniformRowHeights(true);
    lstGames->setItemsExpandable(false);
    lstGames->setAllColumnsShowFocus(true);
    lstGames->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lstGames->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstGames->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The view's own header sorting toggles per column; the list's rule is
    // "same column reverses, new column keeps the order", so clicks come here.
    lstGames->setSortingEnabled(false);
    QHeaderView* header = lstGames->header();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(model_->sortColumn(), model_->sortOrder());
    header->setStretchLastSection(true);
    header->resizeSection(GameListModel::NameColumn, 300);
    header->resizeSection(GameListModel::PublisherColumn, 180);
    connect(header, &QHeaderView::sectionClicked, this, &MainWindow::columnClick);
    lstGames->viewport()->installEventFilter(this);

    // A mouse press makes the item current before selecting it, and the click
    // follows; the keyboard selects first. So a current item that is already
    // selected came from the keyboard, and one that is not (a press, or the
    // view picking a current item when it gets the focus) waits for a click.
    connect(lstGames->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid() && lstGames->selectionModel()->isSelected(current))
                    showDetails(current);
            });
    connect(lstGames, &QAbstractItemView::clicked, this, &MainWindow::showDetails);

    SSTab1 = new DetailsPanel(central_);
    connect(SSTab1, &DetailsPanel::musicLabelReleased, this, &MainWindow::playMusic);

    Frame1 = new ScreenshotStrip(state_, central_);
    Frame1->hide(); // until Screen Shots > View is checked
    connect(Frame1, &ScreenshotStrip::layoutRequested, this, &MainWindow::formresize);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    setStatusBar(StatusBar1);
}

void MainWindow::connectMenus() {
    const auto wire = [this](const auto& items, void (MainWindow::*handler)(int)) {
        for (std::size_t i = 0; i < items.size(); ++i) {
            const int index = static_cast<int>(i);
            connect(items[i], &QAction::triggered, this,
                    [this, handler, index] { (this->*handler)(index); });
        }
    };
    wire(menus_.file, &MainWindow::dispatchFile);
    wire(menus_.mnuss, &MainWindow::dispatchScreenShots);
    wire(menus_.addgames, &MainWindow::dispatchGames);
    wire(menus_.mnuemus, &MainWindow::dispatchEmulators);
    wire(menus_.add, &MainWindow::dispatchPopup);
    wire(menus_.emuname, &MainWindow::runWith);
    connect(menus_.mnuabout, &QAction::triggered, this, &MainWindow::openAbout);
}

void MainWindow::startUp(int splashDelayMs) {
    state_.selectedGame = kNone;
    limits_ = primaryScreenLimits();
    state_.minTrackWidth = limits_.minWidth;
    state_.minTrackHeight = limits_.minHeight;
    state_.maxTrackWidth = limits_.maxWidth;
    state_.maxTrackHeight = limits_.maxHeight;
    applySizeLimits(*this, limits_);
    appliedFrame_ = frameExtent(*this);

    SplashWindow splash([this](QWidget* window) { loadSettingsAndDatabase(window); }, splashDelayMs,
                        this);
    splash.exec();

    refreshRunWithMenu();
    refreshGameList();
}

void MainWindow::loadSettingsAndDatabase(QWidget* splash) {
    const SettingsLoadResult settings =
        loadSettings(state_.settings, state_.settingsPath(), metricsFor(limits_));
    if (settings.error) {
        // Saving at close would replace the unreadable file: say so now.
        dialogs_.message(splash, QStringLiteral("Settings not loaded"), toQt(*settings.error),
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
        formresize();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == central_ && event->type() == QEvent::Resize) {
        formresize();
    } else if (lstGames != nullptr && watched == lstGames->viewport()) {
        if (event->type() == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            // Anywhere over the list, empty space included.
            if (mouse->button() == Qt::RightButton)
                menus_.clickmenu->popup(mouse->globalPosition().toPoint());
        } else if (event->type() == QEvent::MouseButtonDblClick) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton)
                runGameFromList();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::formresize() {
    if (central_ == nullptr || Frame1 == nullptr)
        return;
    // The client area runs from the list's top to the status bar's bottom.
    layOutMainWindow({lstGames, SSTab1, StatusBar1, Frame1,
                      QSize(central_->width(), central_->height() + StatusBar1->height()),
                      isMinimized()},
                     state_);
}

void MainWindow::refreshGameList() {
    model_->refresh();
    lstGames->header()->setSortIndicator(model_->sortColumn(), model_->sortOrder());
    if (catalogueHasEntries(state_.catalogue))
        menus_.file[1]->setEnabled(true); // never disabled again
}

void MainWindow::refreshRunWithMenu() {
    ui::refreshRunWithMenu(menus_.emuname, state_.settings.emulators);
}

void MainWindow::columnClick(int column) {
    Qt::SortOrder order = model_->sortOrder();
    if (column == model_->sortColumn())
        order = order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    model_->sort(column, order);
    // The header flipped its own indicator already; show the list's rule.
    lstGames->header()->setSortIndicator(model_->sortColumn(), model_->sortOrder());
}

void MainWindow::showDetails(const QModelIndex& index) {
    if (!index.isValid())
        return;
    const std::int32_t position = positionFromKey(
        toStd(model_->data(index.siblingAtColumn(0), GameListModel::KeyRole).toString()));
    if (position < 0)
        return;
    state_.selectedGame = position;
    const GameRecord* game = state_.selectedRecord();
    if (game == nullptr) {
        SSTab1->clear();
        return;
    }
    SSTab1->showDetails(describeGame(*game, state_.settings));
    loadSS();
    formresize();
}

void MainWindow::listclick() {
    const QModelIndex current = lstGames->currentIndex();
    if (!current.isValid() || !lstGames->selectionModel()->hasSelection())
        return;
    showDetails(current);
}

void MainWindow::removeGames(const std::string& positions) {
    if (positions.empty())
        return;
    const std::vector<std::int32_t> parsed = parsePositions(positions);
    const UserMessage question = removalQuestion(state_.catalogue, parsed.size());
    if (dialogs_.show(this, question) == UserDialogs::Answer::Yes) {
        removePositions(state_.catalogue, parsed);
        // The old position may now name another game or none at all.
        clearSelection();
    }
    refreshGameList();
}

void MainWindow::clearSelection() {
    state_.selectedGame = kNone;
    SSTab1->clear();
    clearScreenshots();
}

void MainWindow::removeSelected() {
    QString positions;
    const QItemSelectionModel* selection = lstGames->selectionModel();
    const int rows = model_->rowCount();
    for (int row = 0; row < rows; ++row) {
        if (!selection->isRowSelected(row, QModelIndex()))
            continue;
        if (!positions.isEmpty())
            positions += QLatin1Char(',');
        positions += QString::number(model_->positionAt(row));
    }
    if (!positions.isEmpty())
        removeGames(toStd(positions));
}

void MainWindow::properties() {
    if (catalogueHasEntries(state_.catalogue) && state_.selectedGame > kNone &&
        state_.selectedRecord() != nullptr)
        openGameProperties();
}

void MainWindow::saveDatabaseNow() {
    if (!catalogueHasEntries(state_.catalogue))
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::processEvents();
    const platform::IoResult saved = saveDatabase(state_.catalogue, state_.databasePath());
    QApplication::processEvents();
    QApplication::restoreOverrideCursor();
    if (!saved)
        reportSaveFailure(saved.error);
}

void MainWindow::reportSaveFailure(const std::string& error) {
    dialogs_.message(this, kUnableToSave, toQt(error), UserDialogs::Icon::Critical,
                     UserDialogs::Buttons::Ok);
}

bool MainWindow::saveAll() {
    bool ok = true;
    const platform::IoResult settings =
        saveSettings(state_.settings, state_.settingsPath(), reportGeometry(*this));
    if (!settings) {
        reportSaveFailure(settings.error);
        ok = false;
    }
    if (catalogueHasEntries(state_.catalogue)) {
        const platform::IoResult database = saveDatabase(state_.catalogue, state_.databasePath());
        if (!database) {
            reportSaveFailure(database.error);
            ok = false;
        }
    }
    return ok;
}

bool MainWindow::closeForSessionEnd() {
    bool ok = true;
    const auto report = [&ok](const platform::IoResult& result) {
        if (!result) {
            std::cerr << "tolm: Unable to save: " << result.error << '\n';
            ok = false;
        }
    };
    report(saveSettings(state_.settings, state_.settingsPath(), reportGeometry(*this)));
    if (catalogueHasEntries(state_.catalogue))
        report(saveDatabase(state_.catalogue, state_.databasePath()));
    hide();
    return ok;
}

void MainWindow::closeEvent(QCloseEvent* event) {
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
    state_.strip.showScreenshots = !state_.strip.showScreenshots;
    menus_.mnuss[0]->setChecked(state_.strip.showScreenshots);
    if (state_.strip.showScreenshots)
        loadSS();
    formresize();
}

void MainWindow::runGameFromList() {
    if (!catalogueHasEntries(state_.catalogue) || state_.selectedGame <= kNone)
        return;
    launchSelectedGame(LaunchContext{state_, dialogs_, launcher_, this});
}

void MainWindow::runWith(int index) {
    launchSelectedGameWith(LaunchContext{state_, dialogs_, launcher_, this}, index);
}

void MainWindow::playMusic() {
    playSelectedMusic(LaunchContext{state_, dialogs_, launcher_, this}, SSTab1->musicText());
}

void MainWindow::openAbout() {
    AboutWindow about(this);
    about.exec();
}

void MainWindow::dispatchFile(int index) {
    switch (index) {
    case 0:
        openImport();
        break;
    case 1:
        saveDatabaseNow();
        break;
    case 3:
        openPaths();
        break;
    case 5:
        close();
        break; // the normal close: settings and catalogue are saved
    default:
        break;
    }
}

void MainWindow::dispatchScreenShots(int index) {
    switch (index) {
    case 0:
        toggleScreenshots();
        break;
    case 2:
        openScreenshotOptions();
        break;
    default:
        break;
    }
}

void MainWindow::dispatchGames(int index) {
    switch (index) {
    case 0:
        openAddSingle();
        break;
    case 1:
        openAddMultiple();
        break;
    case 3:
        removeSelected();
        break;
    case 5:
        properties();
        break;
    default:
        break;
    }
}

void MainWindow::dispatchEmulators(int index) {
    switch (index) {
    case 0:
        openEmulators();
        break;
    case 1:
        openMusicPlayers();
        break;
    default:
        break;
    }
}

void MainWindow::dispatchPopup(int index) {
    switch (index) {
    case 0:
        openAddSingle();
        break;
    case 1:
        openAddMultiple();
        break;
    case 3:
        removeSelected();
        break;
    case 7:
        properties();
        break;
    default:
        break; // separators; 5 is the Run With submenu
    }
}

void MainWindow::loadSS() {
    Frame1->loadSS();
}

// With no game selected the strip falls back to its placeholder.
void MainWindow::clearScreenshots() {
    Frame1->loadSS();
}

void MainWindow::openImport() {}
void MainWindow::openPaths() {}
void MainWindow::openScreenshotOptions() {}
void MainWindow::openAddSingle() {}
void MainWindow::openAddMultiple() {}
void MainWindow::openGameProperties() {}
void MainWindow::openEmulators() {}
void MainWindow::openMusicPlayers() {}

} // namespace tolm::ui
