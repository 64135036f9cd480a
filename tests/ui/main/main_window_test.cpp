#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTest>
#include <QTreeView>
#include <memory>

#include "catalogue/app_state.h"
#include "main_test_support.h"
#include "ui/main/details_panel.h"
#include "ui/main/game_list_model.h"
#include "ui/main/main_window.h"
#include "ui/support/scripted_dialogs.h"

using tolm::AppState;
using tolm::GameCatalogue;
using tolm::test::Game;
using tolm::test::RecordingLauncher;
using tolm::test::Scratch;
using tolm::test::ScriptedDialogs;
using tolm::ui::MainWindow;

namespace {

GameCatalogue FiveGames() {
    return {Game("beta", "Zeta", 1985), Game("Alpha", "ocean", 0), Game("gamma", "Imagine", -5),
            Game("Delta", "Ocean", 1984), Game("eps", "Bug", 200)};
}

// One program run: a program directory, the state and the seams.
struct Run {
    Scratch dir;
    AppState state;
    ScriptedDialogs dialogs;
    RecordingLauncher launcher;
    std::unique_ptr<MainWindow> window;

    void start() {
        state.programDirectory = dir.str();
        window = std::make_unique<MainWindow>(state, dialogs, launcher, 0);
    }
    void startShown() {
        start();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    QTreeView* list() const { return window->findChild<QTreeView*>(QStringLiteral("lstGames")); }
    QAction* action(const char* name) const {
        return window->findChild<QAction*>(QString::fromLatin1(name));
    }
    QLabel* label(const char* name) const {
        return window->findChild<QLabel*>(QString::fromLatin1(name));
    }
    QStringList keys() const {
        QStringList out;
        auto* model = list()->model();
        for (int row = 0; row < model->rowCount(); ++row)
            out << model->index(row, 0).data(Qt::UserRole).toString();
        return out;
    }
    void clickRow(int row) const {
        const QRect rect = list()->visualRect(list()->model()->index(row, 0));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
    }
    void selectPositions(const QList<int>& positions) const {
        auto* selection = list()->selectionModel();
        selection->clear();
        for (int position : positions) {
            const int row = window->gameListModel().rowOf(position);
            selection->select(list()->model()->index(row, 0),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    }
};

QStringList Titles(const ScriptedDialogs& dialogs) {
    QStringList titles;
    for (const auto& box : dialogs.messages())
        titles << box.title;
    return titles;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startUp_data();
    void startUp();
    void storedPlacement_data();
    void storedPlacement();
    void windowParts();
    void menus_data();
    void menus();
    void columnClicks_data();
    void columnClicks();
    void itemClickShowsDetails();
    void keyboardShowsDetails();
    void removeSelected_data();
    void removeSelected();
    void runWithMenu_data();
    void runWithMenu();
    void runWithItemStartsChosenEmulator();
    void doubleClickRunsGame_data();
    void doubleClickRunsGame();
    void musicLabelPlays();
    void rightClickOpensPopup();
    void propertiesNeedsSelection();
    void viewToggles();
    void layout();
    void filesAtClose_data();
    void filesAtClose();
    void saveCommand();
    void failedSaveAtClose_data();
    void failedSaveAtClose();
};

void MainWindowTest::startUp_data() {
    QTest::addColumn<QString>("file"); // "none", "v1", "v2", "invalid", "future"
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("saveEnabled");
    QTest::addColumn<QStringList>("titles");
    QTest::newRow("no database") << "none" << 0 << false << QStringList{};
    QTest::newRow("current database") << "v2" << 5 << true << QStringList{};
    QTest::newRow("old database") << "v1" << 5 << true
                                  << QStringList{QStringLiteral("Information only")};
    QTest::newRow("not a database")
        << "invalid" << 0 << false << QStringList{QStringLiteral("Invalid Database")};
    QTest::newRow("newer version")
        << "future" << 0 << false << QStringList{QStringLiteral("Invalid Database")};
}

void MainWindowTest::startUp() {
    QFETCH(QString, file);
    QFETCH(int, rows);
    QFETCH(bool, saveEnabled);
    QFETCH(QStringList, titles);
    Run run;
    if (file == QLatin1String("v1") || file == QLatin1String("v2"))
        run.dir.writeDatabase(FiveGames(), file == QLatin1String("v1") ? 1 : 2);
    else if (file == QLatin1String("invalid"))
        run.dir.write(QStringLiteral("tolm.dat"), "tolm\x02\0\0\0\0\0\0\0");
    else if (file == QLatin1String("future"))
        run.dir.write(QStringLiteral("tolm.dat"), QByteArray("TOLM\x03\0\0\0\0\0\0\0", 12));
    run.state.SelectedGame = 3; // the load sets none
    run.start();

    QCOMPARE(run.window->windowTitle(), QStringLiteral("Tolm v0.3 beta"));
    QCOMPARE(run.window->objectName(), QStringLiteral("frmMain"));
    QCOMPARE(run.state.SelectedGame, tolm::kNone);
    QCOMPARE(run.list()->model()->rowCount(), rows);
    QCOMPARE(run.action("file1")->isEnabled(), saveEnabled);
    QCOMPARE(Titles(run.dialogs), titles);
    if (rows > 0) // sorted by name at first
        QCOMPARE(run.keys().first(), QStringLiteral("game1"));
    // Nothing is written at start-up.
    QCOMPARE(run.dir.exists(QStringLiteral("tolm.ini")), false);
}

void MainWindowTest::storedPlacement_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<Qt::WindowStates>("state");
    QTest::addColumn<QRect>("geometry"); // empty: not checked
    QTest::newRow("normal, stored place")
        << QByteArray("[tolm]\r\nwinstate=0\r\nwinw=700\r\nwinh=620\r\nwinx=30\r\nwiny=20\r\n")
        << Qt::WindowStates(Qt::WindowNoState) << QRect(30, 20, 700, 620);
    QTest::newRow("maximised") << QByteArray("[tolm]\r\nwinstate=2\r\n")
                               << Qt::WindowStates(Qt::WindowMaximized) << QRect();
    QTest::newRow("smaller than allowed")
        << QByteArray("[tolm]\r\nwinstate=0\r\nwinw=100\r\nwinh=100\r\nwinx=0\r\nwiny=0\r\n")
        << Qt::WindowStates(Qt::WindowNoState) << QRect(0, 0, 609, 575);
}

void MainWindowTest::storedPlacement() {
    QFETCH(QByteArray, ini);
    QFETCH(Qt::WindowStates, state);
    QFETCH(QRect, geometry);
    Run run;
    run.dir.write(QStringLiteral("tolm.ini"), ini);
    run.startShown();
    if (run.window->sizeLimits().minWidth != 609)
        QSKIP("the test screen is not at 96 dpi");
    QCOMPARE(run.window->windowState(), state);
    // Stored sizes are outer sizes, frame included.
    if (!geometry.isNull())
        QTRY_COMPARE(run.window->frameGeometry(), geometry);
}

void MainWindowTest::windowParts() {
    Run run;
    run.startShown();
    auto* status = run.window->findChild<QStatusBar*>(QStringLiteral("StatusBar1"));
    QVERIFY(status);
    QVERIFY(status->currentMessage().isEmpty());
    auto* tabs = run.window->findChild<QTabWidget*>(QStringLiteral("SSTab1"));
    QVERIFY(tabs);
    QCOMPARE(tabs->size(), QSize(587, 113));
    QVERIFY(run.window->findChild<QPlainTextEdit*>(QStringLiteral("txtNotes")));
    QTreeView* list = run.list();
    QVERIFY(!list->rootIsDecorated());
    QVERIFY(list->uniformRowHeights());
    QCOMPARE(list->selectionMode(), QAbstractItemView::ExtendedSelection);
    QCOMPARE(list->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Name"));
    QCOMPARE(list->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Publisher"));
    const auto limits = run.window->sizeLimits();
    QCOMPARE(run.state.MinTrackWidth, limits.minWidth);
    QCOMPARE(run.state.MaxTrackHeight, limits.maxHeight);
    // The limits bound the outer size, frame included.
    const QSize frame = run.window->frameGeometry().size() - run.window->size();
    QCOMPARE(run.window->minimumSize() + frame, QSize(limits.minWidth, limits.minHeight));
    QCOMPARE(run.window->maximumSize() + frame, QSize(limits.maxWidth, limits.maxHeight));
}

void MainWindowTest::menus_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("captions"); // "-" for a separator
    QTest::newRow("File") << "blank"
                          << "File"
                          << QStringList{"Import from SGD", "Save", "-", "Paths", "-", "Exit"};
    QTest::newRow("Screen Shots") << "temp"
                                  << "Screen Shots" << QStringList{"View", "-", "Options"};
    QTest::newRow("Games") << "blank001"
                           << "Games"
                           << QStringList{
                                  "Add Single...", "Add Multiple...", "-", "Remove Selected", "-",
                                  "Properties..."};
    QTest::newRow("Emulators") << "blank111"
                               << "Emulators" << QStringList{"Speccy Emulators", "Music Players"};
    QTest::newRow("pop-up")
        << "clickmenu"
        << "Add Game Click"
        << QStringList{
               "Add Single...", "Add Multiple...", "-", "Remove Selected", "-", "Run With", "-",
               "Properties..."};
}

void MainWindowTest::menus() {
    QFETCH(QString, menu);
    QFETCH(QString, title);
    QFETCH(QStringList, captions);
    Run run;
    run.start();
    auto* found = run.window->findChild<QMenu*>(menu);
    QVERIFY(found);
    QCOMPARE(found->title(), title);
    QStringList actual;
    for (QAction* action : found->actions())
        actual << (action->isSeparator() ? QStringLiteral("-") : action->text());
    QCOMPARE(actual, captions);
    // The bar: four menus then About, in this order; the pop-up is not on it.
    QStringList bar;
    for (QAction* action : run.window->menuBar()->actions())
        bar << action->text();
    QCOMPARE(bar, (QStringList{"File", "Screen Shots", "Games", "Emulators", "About"}));
    for (QAction* action : run.window->menuBar()->actions())
        QVERIFY(action->shortcut().isEmpty());
}

void MainWindowTest::columnClicks_data() {
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<int>("indicatorOrder");
    const int asc = Qt::AscendingOrder;
    const int desc = Qt::DescendingOrder;
    QTest::newRow("initial: name ascending")
        << QList<int>{} << QStringList{"game1", "game0", "game3", "game4", "game2"} << asc;
    QTest::newRow("name again: descending")
        << QList<int>{0} << QStringList{"game2", "game4", "game3", "game0", "game1"} << desc;
    QTest::newRow("then publisher: still descending")
        << QList<int>{0, 1} << QStringList{"game0", "game1", "game3", "game2", "game4"} << desc;
    QTest::newRow("publisher again: ascending")
        << QList<int>{0, 1, 1} << QStringList{"game4", "game2", "game1", "game3", "game0"} << asc;
    QTest::newRow("year sorts as text")
        << QList<int>{2} << QStringList{"game1", "game2", "game3", "game0", "game4"} << asc;
}

void MainWindowTest::columnClicks() {
    QFETCH(QList<int>, clicks);
    QFETCH(QStringList, keys);
    QFETCH(int, indicatorOrder);
    Run run;
    run.dir.writeDatabase(FiveGames());
    run.startShown();
    QHeaderView* header = run.list()->header();
    for (int column : clicks) {
        const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(x, header->height() / 2));
    }
    QCOMPARE(run.keys(), keys);
    QCOMPARE(int(header->sortIndicatorOrder()), indicatorOrder);
    QCOMPARE(header->sortIndicatorSection(), clicks.isEmpty() ? 0 : clicks.last());
    // A refresh keeps the chosen order.
    run.window->RefreshGameList();
    QCOMPARE(run.keys(), keys);
}

void MainWindowTest::itemClickShowsDetails() {
    Run run;
    run.dir.write(QStringLiteral("roms/manic.tap"));
    run.dir.write(QStringLiteral("music/b/manic.ay"));
    GameCatalogue games = FiveGames();
    games[3].RomFile = "manic.tap";
    games[3].MusicFile = "manic.ay";
    games[3].Authors = "Matthew Smith";
    games[3].Notes = "Miner Willy";
    games[3].Genre = 11;
    run.dir.writeDatabase(games);
    run.dir.write(QStringLiteral("tolm.ini"),
                  run.dir
                      .expand(QStringLiteral("[RomPaths]\r\nnum=1\r\npath00=%D/roms/\r\n"
                                             "[MusicPaths]\r\nnum=2\r\npath00=%D/music/a/\r\n"
                                             "path01=%D/music/b/\r\n"))
                      .toUtf8());
    run.startShown();
    run.clickRow(run.window->gameListModel().rowOf(3));
    QCOMPARE(run.state.SelectedGame, 3);
    QCOMPARE(run.label("lblGameName")->text(), QStringLiteral("Delta"));
    QCOMPARE(run.label("lblType")->text(), QStringLiteral("Arcade - Platformer (Single Screen)"));
    QCOMPARE(run.label("lblYear")->text(), QStringLiteral("1984"));
    QCOMPARE(run.label("lblPub")->text(), QStringLiteral("Ocean"));
    QCOMPARE(run.label("lblAuthors")->text(), QStringLiteral("Matthew Smith"));
    QCOMPARE(run.label("lblRomName")->text(), QStringLiteral("manic.tap"));
    QCOMPARE(run.label("lblRomFound")->text(), QStringLiteral("Yes"));
    QCOMPARE(run.label("lblHasMusic")->text(), QStringLiteral("Yes (click to play)"));
    QCOMPARE(run.window->findChild<QPlainTextEdit*>(QStringLiteral("txtNotes"))->toPlainText(),
             QStringLiteral("Miner Willy"));

    // A game with a negative year and nothing to find.
    run.clickRow(run.window->gameListModel().rowOf(2));
    QCOMPARE(run.state.SelectedGame, 2);
    QCOMPARE(run.label("lblYear")->text(), QString());
    QCOMPARE(run.label("lblRomFound")->text(), QStringLiteral("No rom"));
    QCOMPARE(run.label("lblHasMusic")->text(), QStringLiteral("No Music file"));

    // The properties dialog's refresh: the stored change shows without a click.
    run.state.catalogue[2].Publisher = "Imagine Software";
    run.window->listclick();
    QCOMPARE(run.label("lblPub")->text(), QStringLiteral("Imagine Software"));
}

void MainWindowTest::keyboardShowsDetails() {
    Run run;
    run.dir.writeDatabase(FiveGames());
    run.startShown();
    run.clickRow(0); // Alpha
    QTest::keyClick(run.list()->viewport(), Qt::Key_Down);
    QCOMPARE(run.state.SelectedGame, 0);
    QCOMPARE(run.label("lblGameName")->text(), QStringLiteral("beta"));
    QTest::keyClick(run.list(), Qt::Key_End);
    QCOMPARE(run.label("lblGameName")->text(), QStringLiteral("gamma"));
}

void MainWindowTest::removeSelected_data() {
    QTest::addColumn<int>("games");
    QTest::addColumn<QList<int>>("selected"); // positions
    QTest::addColumn<bool>("answerYes");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QStringList>("remaining"); // names by position
    const QString all = QStringLiteral("Are you sure you want to remove all games?");
    QTest::newRow("one of four") << 4 << QList<int>{2} << true
                                 << "Are you sure you want to remove 1 game?"
                                 << QStringList{"beta", "Alpha", "Delta"};
    QTest::newRow("positions 0 and 2 of 4")
        << 4 << QList<int>{0, 2} << true << "Are you sure you want to remove 2 games?"
        << QStringList{"Alpha", "Delta"};
    QTest::newRow("all of three") << 3 << QList<int>{0, 1, 2} << true << all
                                  << QStringList{QString()};
    QTest::newRow("the only game")
        << 1 << QList<int>{0} << true << "Are you sure you want to remove 1 game?"
        << QStringList{QString()};
    QTest::newRow("answered No") << 4 << QList<int>{0, 2} << false
                                 << "Are you sure you want to remove 2 games?"
                                 << QStringList{"beta", "Alpha", "gamma", "Delta"};
}

void MainWindowTest::removeSelected() {
    QFETCH(int, games);
    QFETCH(QList<int>, selected);
    QFETCH(bool, answerYes);
    QFETCH(QString, question);
    QFETCH(QStringList, remaining);
    Run run;
    GameCatalogue catalogue = FiveGames();
    catalogue.resize(std::size_t(games));
    run.dir.writeDatabase(catalogue);
    run.startShown();
    run.clickRow(run.window->gameListModel().rowOf(selected.first()));
    run.selectPositions(selected);
    run.dialogs.answers.push_back(answerYes ? ScriptedDialogs::Answer::Yes
                                            : ScriptedDialogs::Answer::No);
    run.action("addgames3")->trigger();

    const auto boxes = run.dialogs.messages();
    QCOMPARE(boxes.size(), std::size_t(1));
    QCOMPARE(boxes[0].title, QStringLiteral("Game Removal"));
    QCOMPARE(boxes[0].text, question);
    QCOMPARE(boxes[0].buttons, ScriptedDialogs::Buttons::YesNo);
    QStringList names;
    for (const auto& game : run.state.catalogue)
        names << tolm::ui::toQt(game.Name);
    QCOMPARE(names, remaining);
    QCOMPARE(run.list()->model()->rowCount(), remaining.size());
    if (answerYes) {
        QCOMPARE(run.state.SelectedGame, tolm::kNone);
        QVERIFY(run.label("lblGameName")->text().isEmpty());
    } else {
        QCOMPARE(run.state.SelectedGame, selected.first());
        QVERIFY(!run.label("lblGameName")->text().isEmpty());
    }
}

void MainWindowTest::runWithMenu_data() {
    QTest::addColumn<int>("emulators");
    QTest::newRow("none") << 0;
    QTest::newRow("three") << 3;
    QTest::newRow("twenty-five") << 25;
}

void MainWindowTest::runWithMenu() {
    QFETCH(int, emulators);
    Run run;
    QByteArray ini = "[emulators]\r\nnum=" + QByteArray::number(emulators) + "\r\n";
    for (int i = 0; i < emulators; ++i) {
        const QByteArray nn = QByteArray::number(i).rightJustified(2, '0');
        ini += "emu" + nn + "=Emu & " + QByteArray::number(i) + "\r\nfile" + nn + "=/bin/e" +
               QByteArray::number(i) + "\r\n";
    }
    run.dir.write(QStringLiteral("tolm.ini"), ini);
    run.start();
    auto* runWith = run.window->findChild<QMenu*>(QStringLiteral("mnuRunWith"));
    QVERIFY(runWith);
    QCOMPARE(runWith->actions().size(), 20);
    for (int i = 0; i < 20; ++i) {
        QAction* item = runWith->actions()[i];
        QCOMPARE(item->objectName(), QStringLiteral("emuname%1").arg(i));
        const bool named = i < emulators;
        QCOMPARE(item->isEnabled(), named);
        QCOMPARE(item->isVisible(), named || i == 0);
        if (named) // shown as it is, '&' included
            QCOMPARE(item->text(), QStringLiteral("Emu && %1").arg(i));
        else if (i == 0)
            QCOMPARE(item->text(), QStringLiteral("<none>"));
    }
    // Back to none: the names go, item 0 says "<none>" again.
    run.state.settings.EmulatorList.clear();
    run.window->RefreshRunWithMenu();
    QCOMPARE(runWith->actions()[0]->text(), QStringLiteral("<none>"));
    QVERIFY(!runWith->actions()[0]->isEnabled());
    QVERIFY(!runWith->actions()[1]->isVisible());
}

void MainWindowTest::runWithItemStartsChosenEmulator() {
    Run run;
    const QString rom = run.dir.write(QStringLiteral("roms/JSW.TAP"));
    const QString emu = run.dir.write(QStringLiteral("emu/second"));
    GameCatalogue games = FiveGames();
    games[1].RomFile = tolm::ui::toStd(rom);
    run.dir.writeDatabase(games);
    run.dir.write(QStringLiteral("tolm.ini"),
                  ("[emulators]\r\nnum=2\r\nemu00=A\r\nfile00=/nonexistent/a\r\nemu01=B\r\n"
                   "file01=" +
                   emu + "\r\n")
                      .toUtf8());
    run.startShown();
    run.clickRow(0); // Alpha, game1
    run.action("emuname1")->trigger();
    QCOMPARE(run.launcher.starts.size(), std::size_t(1));
    QCOMPARE(run.launcher.starts[0].program, emu);
    QCOMPARE(run.launcher.starts[0].arguments, QStringList{rom});
    run.action("emuname0")->trigger();
    QCOMPARE(Titles(run.dialogs), QStringList{QStringLiteral("Can't Run")});
}

void MainWindowTest::doubleClickRunsGame_data() {
    QTest::addColumn<bool>("onGame");
    QTest::addColumn<bool>("blankCatalogue");
    QTest::addColumn<int>("starts");
    QTest::newRow("on a game") << true << false << 1;
    QTest::newRow("on empty space, nothing selected") << false << false << 0;
    QTest::newRow("the blank record of an emptied catalogue") << true << true << 0;
}

void MainWindowTest::doubleClickRunsGame() {
    QFETCH(bool, onGame);
    QFETCH(bool, blankCatalogue);
    QFETCH(int, starts);
    Run run;
    run.dir.write(QStringLiteral("roms/a.tap"));
    run.dir.write(QStringLiteral("emu/fuse"));
    GameCatalogue games = blankCatalogue ? GameCatalogue(1) : FiveGames();
    if (!blankCatalogue)
        games[0].RomFile = "a.tap";
    run.dir.writeDatabase(games);
    // No default emulator would be reported if a run were attempted.
    run.dir.write(QStringLiteral("tolm.ini"),
                  run.dir
                      .expand(QStringLiteral("[tolm]\r\nDefaultemu=%1\r\n[emulators]\r\n"
                                             "num=1\r\nemu00=Fuse\r\nfile00=%D/emu/fuse\r\n"
                                             "[RomPaths]\r\nnum=1\r\npath00=%D/roms/\r\n")
                                  .arg(blankCatalogue ? -99 : 0))
                      .toUtf8());
    run.startShown();
    const int row = run.window->gameListModel().rowOf(0);
    const QPoint at = onGame ? run.list()->visualRect(run.list()->model()->index(row, 0)).center()
                             : QPoint(20, run.list()->viewport()->height() - 5);
    // What a double click delivers: a click, then the second press.
    QTest::mouseClick(run.list()->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(run.list()->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QCOMPARE(int(run.launcher.starts.size()), starts);
    if (starts > 0)
        QCOMPARE(run.launcher.starts[0].arguments, QStringList{run.dir.expand("%D/roms/a.tap")});
    QVERIFY(run.dialogs.messages().empty());
}

void MainWindowTest::musicLabelPlays() {
    Run run;
    run.dir.write(QStringLiteral("music/t.ay"));
    const QString player = run.dir.write(QStringLiteral("player/p"));
    GameCatalogue games = FiveGames();
    games[1].MusicFile = "t.ay";
    run.dir.writeDatabase(games);
    run.dir.write(QStringLiteral("tolm.ini"),
                  run.dir
                      .expand(QStringLiteral("[tolm]\r\nDefaultmplayer=0\r\n[musicplayers]\r\n"
                                             "num=1\r\nplayername00=P\r\nfile00=%D/player/p\r\n"
                                             "[MusicPaths]\r\nnum=1\r\npath00=%D/music/\r\n"))
                      .toUtf8());
    run.startShown();
    QTest::mouseClick(run.label("lblHasMusic"), Qt::LeftButton); // nothing shown yet: inert
    QVERIFY(run.launcher.starts.empty());
    run.clickRow(0);
    QTest::mouseClick(run.label("lblHasMusic"), Qt::LeftButton);
    QCOMPARE(run.launcher.starts.size(), std::size_t(1));
    QCOMPARE(run.launcher.starts[0].program, player);
    QCOMPARE(run.launcher.starts[0].arguments, QStringList{run.dir.expand("%D/music/t.ay")});
}

void MainWindowTest::rightClickOpensPopup() {
    Run run;
    run.dir.writeDatabase(FiveGames());
    run.startShown();
    auto* popup = run.window->findChild<QMenu*>(QStringLiteral("clickmenu"));
    QTest::mouseClick(run.list()->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(20, run.list()->viewport()->height() - 5));
    QVERIFY(!popup->isVisible());
    // Over empty space below the last row.
    QTest::mouseClick(run.list()->viewport(), Qt::RightButton, Qt::NoModifier,
                      QPoint(20, run.list()->viewport()->height() - 5));
    QTRY_VERIFY(popup->isVisible());
    popup->close();
}

void MainWindowTest::propertiesNeedsSelection() {
    Run run;
    run.dir.writeDatabase(FiveGames());
    run.startShown();
    // Without a dialog to open, the command must at least keep the selection
    // as it is and show nothing.
    run.action("addgames5")->trigger();
    run.action("add7")->trigger();
    QCOMPARE(run.state.SelectedGame, tolm::kNone);
    QVERIFY(run.dialogs.shown.empty());
}

void MainWindowTest::viewToggles() {
    Run run;
    run.start();
    QAction* view = run.action("mnuss0");
    QVERIFY(view->isCheckable());
    QVERIFY(!view->isChecked());
    view->trigger();
    QVERIFY(run.state.strip.ShowScreenshots);
    QVERIFY(view->isChecked());
    view->trigger();
    QVERIFY(!run.state.strip.ShowScreenshots);
    QVERIFY(!view->isChecked());
}

void MainWindowTest::layout() {
    Run run;
    run.startShown();
    // The test screen is 800 x 600: stay inside the size limits.
    run.window->resize(640, 580);
    QTRY_COMPARE(run.window->size(), QSize(640, 580));
    auto* tabs = run.window->findChild<QTabWidget*>(QStringLiteral("SSTab1"));
    const QWidget* client = run.window->centralWidget();
    QCOMPARE(tabs->size(), QSize(587, 113));
    QCOMPARE(tabs->x(), client->width() / 2 - 587 / 2);
    QCOMPARE(tabs->y() + tabs->height(), client->height()); // resting on the status bar
    QCOMPARE(run.list()->geometry(), QRect(8, 0, client->width() - 16, tabs->y() - 8));
    // Wider: the panel stays centred and keeps its size.
    run.window->resize(780, 580);
    QTRY_COMPARE(run.window->size(), QSize(780, 580));
    QCOMPARE(tabs->x(), client->width() / 2 - 587 / 2);
    QCOMPARE(run.list()->width(), client->width() - 16);
}

void MainWindowTest::filesAtClose_data() {
    QTest::addColumn<QString>("how"); // "close" or "exit"
    QTest::addColumn<bool>("withGames");
    QTest::newRow("close with games") << "close" << true;
    QTest::newRow("exit with games") << "exit" << true;
    QTest::newRow("close with an unsized catalogue") << "close" << false;
}

void MainWindowTest::filesAtClose() {
    QFETCH(QString, how);
    QFETCH(bool, withGames);
    Run run;
    if (withGames)
        run.dir.writeDatabase(FiveGames());
    run.startShown();
    if (withGames)
        run.state.catalogue.push_back(Game("Added"));
    run.state.settings.RomPaths = {"/games/"};
    if (how == QLatin1String("exit"))
        run.action("file5")->trigger();
    else
        QVERIFY(run.window->close());
    QVERIFY(!run.window->isVisible());
    QVERIFY(run.dialogs.messages().empty());

    const QByteArray ini = run.dir.read(QStringLiteral("tolm.ini"));
    QVERIFY(ini.startsWith("[tolm]\r\nwinstate=0\r\n"));
    QVERIFY(ini.contains("[RomPaths]\r\nnum=1\r\npath00=/games/\r\n"));
    QCOMPARE(run.dir.exists(QStringLiteral("tolm.dat")), withGames);
    if (withGames) {
        const std::string expected = tolm::DatabaseBytes(run.state.catalogue);
        QCOMPARE(run.dir.read(QStringLiteral("tolm.dat")),
                 QByteArray(expected.data(), qsizetype(expected.size())));
    }
}

void MainWindowTest::saveCommand() {
    Run run;
    run.start();
    QAction* save = run.action("file1");
    QVERIFY(!save->isEnabled());
    run.state.catalogue = FiveGames();
    run.window->RefreshGameList();
    QVERIFY(save->isEnabled());
    save->trigger();
    QVERIFY(run.dir.exists(QStringLiteral("tolm.dat")));
    QVERIFY(run.dialogs.messages().empty());
    // Emptying the catalogue never disables it again.
    run.state.catalogue.assign(1, tolm::GameRecord{});
    run.window->RefreshGameList();
    QVERIFY(save->isEnabled());

    // A save that cannot be written says so and names the file.
    run.state.programDirectory = run.dir.str() + "/gone";
    save->trigger();
    const auto boxes = run.dialogs.messages();
    QCOMPARE(boxes.size(), std::size_t(1));
    QCOMPARE(boxes[0].title, QStringLiteral("Unable to save"));
    QVERIFY2(boxes[0].text.contains(QStringLiteral("tolm.dat")), qPrintable(boxes[0].text));
    QCOMPARE(boxes[0].icon, ScriptedDialogs::Icon::Critical);
}

void MainWindowTest::failedSaveAtClose_data() {
    QTest::addColumn<bool>("closeAnyway");
    QTest::newRow("No keeps the window") << false;
    QTest::newRow("Yes closes") << true;
}

void MainWindowTest::failedSaveAtClose() {
    QFETCH(bool, closeAnyway);
    Run run;
    run.dir.writeDatabase(FiveGames());
    run.startShown();
    run.state.programDirectory = run.dir.str() + "/gone";
    run.dialogs.answers = {ScriptedDialogs::Answer::Ok, ScriptedDialogs::Answer::Ok,
                           closeAnyway ? ScriptedDialogs::Answer::Yes
                                       : ScriptedDialogs::Answer::No};
    QCOMPARE(run.window->close(), closeAnyway);
    QCOMPARE(run.window->isVisible(), !closeAnyway);
    const auto boxes = run.dialogs.messages();
    QCOMPARE(boxes.size(), std::size_t(3));
    QVERIFY(boxes[0].text.contains(QStringLiteral("tolm.ini")));
    QVERIFY(boxes[1].text.contains(QStringLiteral("tolm.dat")));
    QCOMPARE(boxes[2].buttons, ScriptedDialogs::Buttons::YesNo);
    QVERIFY(boxes[2].text.contains(QStringLiteral("Close anyway?")));
    if (!closeAnyway) {
        // The catalogue is intact, and a later close that works saves it.
        run.state.programDirectory = run.dir.str();
        QVERIFY(run.window->close());
        QCOMPARE(run.state.catalogue.size(), std::size_t(5));
    }
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
