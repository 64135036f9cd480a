#include <QDate>
#include <QDropEvent>
#include <QHeaderView>
#include <QIcon>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>
#include <chrono>
#include <ctime>
#include <functional>

#include "support/main_window_run.h"
#include "ui/main/check_files_window.h"
#include "ui/main/details_panel.h"
#include "ui/main/duplicates_window.h"
#include "ui/main/facet_menu.h"
#include "ui/main/first_start.h"
#include "ui/main/game_filter_box.h"
#include "ui/main/game_list_view.h"
#include "ui/widgets/screenshot_strip.h"
#include "ui/widgets/window_geometry.h"

using tolm::GameCatalogue;
using tolm::test::fiveGames;
using Run = tolm::test::MainWindowRun;
using Answer = tolm::test::ScriptedDialogs::Answer;

namespace {

// Five games, one publisher written with an accent; the files Check Files
// looks for are there only as each test writes them.
struct FilterRun : tolm::test::MainWindowRun {
    void start(const QString& ini = {}) {
        using tolm::test::makeGame;
        // clang-format off
        tolm::GameCatalogue games = {makeGame("beta", "Zeta", 1985), makeGame("Alpha", "ocean", 0),
            makeGame("gamma", "Imagine", 1984), makeGame("Delta", "Oc\xC3\xA9" "an", 1984),
            makeGame("eps", "Bug", 1986)};
        // clang-format on
        games[0].romFile = "beta.tap";
        games[1].romFile = "alpha.tap";
        games[2].screenshots = "g.png,gone.png";
        games[3].musicFile = "delta.ay";
        MainWindowRun::start(games, ini);
    }
    tolm::ui::GameFilterBox* box() const {
        return window->findChild<tolm::ui::GameFilterBox*>(QStringLiteral("filterBox"));
    }
    QString status() const { return label("filterCountLabel"); }
    QStringList selectedNames() const {
        QStringList out;
        for (const QModelIndex& index : list()->selectionModel()->selectedRows())
            out << index.data().toString();
        out.sort();
        return out;
    }
};

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The load selects nothing; an old catalogue is brought up to date, a
    // damaged one refused.
    void startUp() {
        const struct {
            QByteArray file; // "v1": FiveGames in version 1
            int rows;
            const char* box;
        } cases[] = {
            {"v1", 5, "Information only|Old database format has been updated to new version"},
            {QByteArray("tolm\x02\0\0\0\0\0\0\0", 12), 0,
             "Invalid Database|There is a problem with the database file.\r\nFile not loaded"}};
        for (const auto& [file, rows, box] : cases) {
            Run run;
            if (file == "v1")
                run.dir.writeDatabase(fiveGames(), 1);
            else
                run.dir.write(QStringLiteral("tolm.dat"), file);
            run.state.selectedGame = 3;
            run.start();
            QCOMPARE(run.boxes(), QStringList{QLatin1String(box)});
            QCOMPARE(run.state.selectedGame, tolm::kNone);
            QCOMPARE(run.list()->model()->rowCount(), rows);
        }
    }

    // A second click on the same column turns the order; another column keeps it.
    void columnClicks() {
        Run run;
        run.start(fiveGames());
        QCOMPARE(run.rows(Qt::UserRole), QStringLiteral("game1 game0 game3 game4 game2")); // name
        // Years sort as text: "" < "-5" < "1984" < "1985" < "200".
        for (const auto& [column, keys] : {std::pair{0, "game2 game4 game3 game0 game1"},
                                           {1, "game0 game1 game3 game2 game4"},
                                           {1, "game4 game2 game1 game3 game0"},
                                           {2, "game1 game2 game3 game0 game4"}}) {
            run.clickHeader(column);
            QCOMPARE(run.rows(Qt::UserRole), QLatin1String(keys));
        }
        run.window->refreshGameList(); // keeps the chosen order
        QCOMPARE(run.rows(Qt::UserRole), QStringLiteral("game1 game2 game3 game0 game4"));
        run.list()->header()->resizeSection(0, 123);
        run.window->close(); // the next run starts with the same order and widths
        run.start();
        QCOMPARE(run.rows(Qt::UserRole), QStringLiteral("game1 game2 game3 game0 game4"));
        QCOMPARE(run.list()->header()->sectionSize(0), 123);
    }

    // The rows selected in the list are removed once Yes is answered; the
    // list is renumbered and nothing is left selected.
    void removeSelected() {
        Run run;
        GameCatalogue games = fiveGames();
        games.resize(4);
        run.start(games);
        const auto remove = [&run](const QList<int>& positions, Answer answer) -> QString {
            run.click(positions.first());
            for (int position : positions)
                run.list()->selectionModel()->select(
                    run.item(position), QItemSelectionModel::Select | QItemSelectionModel::Rows);
            run.dialogs.shown.clear();
            run.dialogs.answers.push_back(answer);
            run.action("addgames3")->trigger(); // "Remove Selected"
            return run.boxes().join(QLatin1Char('/')) + " -> " + run.names();
        };
        const QString asked = QStringLiteral("Game Removal|Are you sure you want to remove ");
        QCOMPARE(remove({0, 2}, Answer::No), asked + "2 games? -> beta Alpha gamma Delta");
        QCOMPARE(remove({0, 2}, Answer::Yes), asked + "2 games? -> Alpha Delta");
        QCOMPARE(run.state.selectedGame, tolm::kNone);
        // The rows left keep their order, and sort as the games they show.
        QCOMPARE(run.rows(Qt::UserRole), QStringLiteral("game0 game1"));
        run.clickHeader(0); // Name again: the order reverses
        QCOMPARE(run.rows(), QStringLiteral("Delta Alpha"));
    }

    // A right click selects the row under it, and the pop-up then acts on
    // that game, not on the one clicked before.
    void rightClickSelectsTheGameThePopupActsOn() {
        Run run;
        GameCatalogue games = fiveGames();
        for (int i = 0; i < 2; ++i)
            games[std::size_t(i)].romFile =
                tolm::ui::toStd(run.dir.write(QStringLiteral("rom%1.tap").arg(i)));
        const QString second = run.dir.write(QStringLiteral("e1"));
        run.start(games, QStringLiteral("[emulators]\r\nnum=2\r\nemu00=F & G\r\nfile00=%D/e0\r\n"
                                        "emu01=S\r\nfile01=%D/e1\r\n"));
        run.click(0);
        auto* popup = run.window->findChild<QMenu*>(QStringLiteral("clickmenu"));
        QTimer::singleShot(0, popup, &QMenu::close); // the pop-up only has to appear
        run.click(1, Qt::RightButton);
        QCOMPARE(run.state.selectedGame, 1);
        QCOMPARE(run.list()->selectionModel()->selectedRows().size(), 1);
        QCOMPARE(run.action("emuname0")->text(), QStringLiteral("F && G")); // a name as it is
        run.action("emuname1")->trigger(); // the pop-up's Run With: its own emulator
        QCOMPARE(run.launcher.starts.size(), std::size_t(1));
        QCOMPARE(run.launcher.starts[0].program, second);
        QCOMPARE(run.launcher.starts[0].arguments, QStringList{run.dir.expand("%D/rom1.tap")});
    }

    // Exit asks only when something would be lost, Yes going on to the
    // close; the close saves without asking, and asks only when saving fails.
    // The files on disk show what each answer did.
    void leaving() {
        const QString exit = QStringLiteral("Save changes before exiting?");
        const QString failed =
            QStringLiteral("Your changes could not all be saved.\r\nClose anyway?");
        const Answer yes = Answer::Yes, no = Answer::No, ok = Answer::Ok;
        // How the window is left; what changed ("settings": of an empty
        // catalogue); the answers; the last box's text; whether the window
        // stays open; whether the files were written.
        const struct {
            QString how, change;
            QList<Answer> answers;
            QString asked;
            bool open, written;
        } cases[] = {
            {"exit", "moved", {yes}, {}, false, false},
            {"exit", "removed", {yes}, exit, false, true},
            {"exit", "removed", {no}, exit, false, false},
            {"exit", "removed", {Answer::Cancel}, exit, true, false},
            {"close", "all", {}, {}, false, true},
            {"close", "settings", {}, {}, false, true},
            {"close fails", "all", {ok, ok, ok, yes}, failed, false, false},
            {"close fails", "all", {ok, ok, ok, no}, failed, true, true}, // a later close saves
            // A favourite is a change; the play history is written with the catalogue.
            {"exit", "favourite", {yes}, exit, false, true},
            {"exit", "favourite", {no}, exit, false, false}};
        for (const auto& [how, change, answers, asked, open, written] : cases) {
            Run run;
            const bool empty = change == QLatin1String("settings");
            run.start(empty ? GameCatalogue{} : fiveGames(),
                      QStringLiteral("[RomPaths]\r\nnum=1\r\npath00=%D/\r\n"));
            const QByteArray dat = run.dir.read(QStringLiteral("tolm.dat"));
            const QByteArray ini = run.dir.read(QStringLiteral("tolm.ini"));
            if (change == QLatin1String("moved"))
                run.window->move(run.window->pos() + QPoint(20, 10));
            if (change == QLatin1String("removed") || change == QLatin1String("all")) {
                run.dialogs.answers.push_back(Answer::Yes);
                run.window->removeGames({2});
            }
            if (change == QLatin1String("settings") || change == QLatin1String("all"))
                run.state.settings.romPaths = {"/games/"};
            if (change == QLatin1String("favourite"))
                run.state.history.setFavourite(1, true);
            if (how == QLatin1String("close fails"))
                run.state.programDirectory = run.dir.str() + "/gone";
            run.dialogs.shown.clear();
            run.dialogs.answers.assign(answers.begin(), answers.end());
            if (how == QLatin1String("exit"))
                run.action("file5")->trigger(); // "Exit"
            else
                run.window->close();
            const auto boxes = run.dialogs.messages();
            QCOMPARE(boxes.empty() ? QString() : boxes.back().text, asked);
            QCOMPARE(boxes.size(), std::size_t(answers.size() * !asked.isEmpty()));
            QCOMPARE(run.window->isVisible(), open);
            if (how == QLatin1String("close fails") && open) {
                run.state.programDirectory = run.dir.str();
                QVERIFY(run.window->close());
            }
            QCOMPARE(run.dir.read(QStringLiteral("tolm.dat")),
                     written && !empty ? run.savedCatalogue() : dat);
            QCOMPARE(run.dir.read(QStringLiteral("tolm.ini")),
                     written ? QByteArray::fromStdString(tolm::settingsFileBytes(
                                   run.state.settings, tolm::ui::reportGeometry(*run.window)))
                             : ini);
            QCOMPARE(run.dir.read(QStringLiteral("tolm-history.txt")).contains("\r\n1\t0\t0\t0\t"),
                     written && change == QLatin1String("favourite"));
        }
    }

    // A settings file that is there but cannot be read is never replaced with
    // defaults; the catalogue is still saved.
    void unreadableSettingsAreNotWritten() {
        Run run; // a directory where the file should be: unreadable even for root
        QVERIFY(QDir().mkpath(run.dir.path() + QStringLiteral("/tolm.ini/inside")));
        run.start(fiveGames());
        QCOMPARE(run.boxes().size(), 1); // "Settings not loaded"
        run.state.settings.romPaths = {"/games/"};
        run.action("file5")->trigger(); // settings it cannot keep are nothing to ask about
        QCOMPARE(run.boxes().size(), 1);
        QVERIFY(!run.window->isVisible());
        run.window->show();
        run.state.catalogue.push_back(tolm::test::makeGame("Added"));
        QVERIFY(run.window->close());
        QCOMPARE(run.boxes().size(), 1); // no "Unable to save"
        QCOMPARE(run.dir.read(QStringLiteral("tolm.dat")), run.savedCatalogue());
        QVERIFY(QFileInfo::exists(run.dir.path() + QStringLiteral("/tolm.ini/inside")));
    }

    // The words' matching is the catalogue's business; here: the box, the
    // rows it leaves, the count it reports, the sort and selection kept.
    void filterBox() {
        FilterRun run;
        run.start();
        run.click(0); // beta
        QTest::keyClick(run.window.get(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY(run.box()->hasFocus());
        QTest::keyClicks(run.box(), QStringLiteral("ZETA"));
        QCOMPARE(run.rows(), QStringLiteral("beta"));
        QCOMPARE(run.status(), QStringLiteral("1 of 5 games"));
        QCOMPARE(run.state.selectedGame, 0); // still shown: still selected
        QTest::keyClick(run.box(), Qt::Key_Escape);
        QCOMPARE(run.rows(), QStringLiteral("Alpha beta Delta eps gamma"));

        run.box()->setText(QStringLiteral("1984"));
        QCOMPARE(run.rows(), QStringLiteral("Delta gamma"));
        run.clickHeader(2); // a click on Year sorts the shown rows
        run.box()->setText(QStringLiteral("   "));
        QCOMPARE(run.rows(), QStringLiteral("Alpha gamma Delta beta eps")); // year order kept

        run.box()->setText(QStringLiteral("ocean")); // hides the selected game: it goes
        QCOMPARE(run.state.selectedGame, tolm::kNone);
        QCOMPARE(run.rows(), QStringLiteral("Alpha Delta")); // both accents
        // Commands act on what is shown, and the filter stays.
        run.list()->setFocus();
        run.list()->selectAll();
        run.dialogs.answers.push_back(Answer::Yes);
        run.window->removeSelectedGames();
        QCOMPARE(run.names(), QStringLiteral("beta gamma eps"));
        QCOMPARE(run.box()->text(), QStringLiteral("ocean"));
        QCOMPARE(run.rows(), QString());         // matched against what is left
        run.box()->setText(QStringLiteral("e")); // Zeta, Imagine, Bug: by year
        QCOMPARE(run.rows(), QStringLiteral("gamma beta eps"));
    }

    // Each facet item counts the rows its term shows; choosing items adds
    // their terms to the box; an unreadable term turns the box red; the
    // facts follow their games when others are removed.
    void facetMenu() {
        FilterRun run;
        run.dir.write(QStringLiteral("roms/alpha.tap"));
        run.dir.write(QStringLiteral("shots/gone.png"));
        run.dir.write(QStringLiteral("music/delta.ay"));
        run.start(QStringLiteral("[RomPaths]\nnum=1\npath00=%D/roms/\n[ScreenshotPaths]\nnum=1\n"
                                 "path00=%D/shots/\n[MusicPaths]\nnum=1\npath00=%D/music/\n"));
        auto& facts = run.window->gameFacts();
        QTRY_VERIFY(!facts.busy());
        const std::int64_t now = std::time(nullptr);
        facts.setPersonalFacts([now](std::size_t position, tolm::GameFacts& known) {
            known.favourite = position == 4;
            known.lastPlayed = position == 4 ? now - 86400 : position == 2 ? now - 99 * 86400 : 0;
        });
        auto* button = run.window->findChild<tolm::ui::FacetButton*>(QStringLiteral("facetButton"));
        button->fillMenu();
        QStringList items; // "Menu/Item (n)=term", in menu order
        const QRegularExpression count(QStringLiteral("\\((\\d+)\\)$"));
        std::function<void(QMenu*, const QString&)> walk = [&](QMenu* menu, const QString& path) {
            for (QAction* item : menu->actions()) {
                if (item->menu() != nullptr) {
                    walk(item->menu(), path + item->text() + QLatin1Char('/'));
                } else if (item->data().isValid()) {
                    const QString term = item->data().toString();
                    items << path + item->text() + QLatin1Char('=') + term;
                    run.box()->setText(term);
                    QCOMPARE(QString::number(run.list()->model()->rowCount()),
                             count.match(item->text()).captured(1));
                }
            }
        };
        walk(button->menu(), QString());
        QCOMPARE(items, (QStringList{
                            "Genre/Arcade (5)/All Arcade (5)=genre:Arcade",
                            "Genre/Arcade (5)/Beat'em Up (5)=genre:\"Arcade - Beat'em Up\"",
                            "Year/1980s (4)/All 1980s (4)=year:1980-1989",
                            "Year/1980s (4)/1984 (2)=year:1984",
                            "Year/1980s (4)/1985 (1)=year:1985",
                            "Year/1980s (4)/1986 (1)=year:1986",
                            "Year/Unknown (1)=year:unknown",
                            "Publisher/ocean (2)=publisher:ocean",
                            "Publisher/Bug (1)=publisher:Bug",
                            "Publisher/Imagine (1)=publisher:Imagine",
                            "Publisher/Zeta (1)=publisher:Zeta",
                            "Files/ROM found (1)=rom:found",
                            "Files/ROM not found (4)=rom:missing",
                            "Files/Has screenshots (1)=shots:yes",
                            "Files/No screenshots (4)=shots:no",
                            "Files/Has music (1)=music:yes",
                            "Favourites (1)=fav:yes",
                            "Played/Played in the last 30 days (1)=played:30d",
                            "Played/Never played (3)=played:never",
                        }));

        run.box()->clear();
        const auto choose = [&](const char* term) {
            for (QAction* item : button->menu()->findChildren<QAction*>())
                if (item->data().toString() == QLatin1String(term))
                    return item->trigger();
            QFAIL(term);
        };
        choose("year:1984");
        choose("genre:Arcade");
        choose("year:1984"); // there already
        QCOMPARE(run.box()->text(), QStringLiteral("year:1984 genre:Arcade"));
        QCOMPARE(run.rows(), QStringLiteral("Delta gamma"));
        QTest::keyClick(run.box(), Qt::Key_Escape);
        QCOMPARE(run.rows(), QStringLiteral("Alpha beta Delta eps gamma"));

        run.box()->setText(QStringLiteral("delta year:soon"));
        QCOMPARE(run.box()->palette().color(QPalette::Text), QColor(Qt::red));
        QVERIFY2(run.box()->toolTip().contains(QStringLiteral("\"year:soon\"")),
                 qPrintable(run.box()->toolTip()));
        QCOMPARE(run.rows(), QString());
        QCOMPARE(run.status(), QStringLiteral("0 of 5 games"));
        run.box()->setText(QStringLiteral("delta year:1984"));
        QVERIFY(run.box()->palette().color(QPalette::Text) != QColor(Qt::red));
        QCOMPARE(run.rows(), QStringLiteral("Delta"));

        // Removing beta moves Alpha up: its found ROM goes with it.
        run.box()->setText(QStringLiteral("rom:found"));
        run.dialogs.answers.push_back(Answer::Yes);
        run.window->removeGames({0});
        QCOMPARE(run.rows(), QStringLiteral("Alpha"));
        QTRY_VERIFY(!facts.busy());
        QCOMPARE(run.rows(), QStringLiteral("Alpha"));
    }

    // Games added to a large list join it as rows in their sorted (and
    // filtered) places, as a rebuild would put them, without a rebuild: the
    // selected game stays selected and current.
    void addedGamesJoinTheSortedRows() {
        const struct {
            int column;
            bool descending;
            QString filter, rows;
        } cases[] = {{0, false, "", "aaa Alpha beta Delta Delta eps gamma GAMMA zz"},
                     {0, true, "", "zz gamma GAMMA eps Delta Delta beta Alpha aaa"},
                     {1, false, "", "aaa Delta GAMMA zz eps gamma Alpha Delta beta"}, // blank first
                     // Equal texts stay in catalogue order.
                     {2, true, "", "eps beta gamma Delta Alpha aaa Delta GAMMA zz"},
                     {0, false, "a", "aaa Alpha beta Delta Delta gamma GAMMA"}};
        for (const auto& [column, descending, filter, rows] : cases) {
            FilterRun run;
            for (const char* file : {"zz.tap", "Delta.z80", "aaa.tap", "GAMMA.tap"})
                run.dir.write(QStringLiteral("drop/") + QLatin1String(file));
            run.start();
            run.window->gameListModel().sort(column,
                                             descending ? Qt::DescendingOrder : Qt::AscendingOrder);
            run.box()->setText(filter);
            run.click(3); // Delta
            run.window->addDroppedFiles({run.dir.path(QStringLiteral("drop"))});
            QCOMPARE(run.state.catalogue.size(), std::size_t{9});
            QCOMPARE(run.rows(), rows);
            QCOMPARE(run.list()->currentIndex().data(tolm::ui::GameListModel::PositionRole).toInt(),
                     3);
            QCOMPARE(run.list()->selectionModel()->selectedRows().size(), 1);
            QCOMPARE(run.status(), filter.isEmpty() ? QString() : QStringLiteral("7 of 9 games"));
            run.window->refreshGameList(); // a rebuild agrees
            QCOMPARE(run.rows(), rows);
        }
    }

    // The tapes of games an add brought in are read afterwards: a tape's
    // archive info ends up in its game's record and row, the name staying as
    // the add made it (files with none: the fill's own test).
    void addedTapesTakeTheirArchiveInfo() {
        // A .tzx holding just an archive-info block: publisher, authors on
        // two lines (CR between), year; Windows-1252 bytes.
        QByteArray info;
        for (const auto& [id, text] : {std::pair<char, QByteArray>{0x01, "Ocean"},
                                       {0x02, "Jon Ritman\rBernie Drummond"},
                                       {0x03, "1987"}})
            info += QByteArray(1, id) + QByteArray(1, char(text.size())) + text;
        QByteArray tzx("ZXTape!\x1A\x01\x14\x32", 11);
        tzx += QByteArray(1, char((info.size() + 1) & 0xFF)) + QByteArray(1, char(0)) +
               QByteArray(1, char(3)) + info;
        FilterRun run;
        run.dir.write(QStringLiteral("drop/Head over Heels.tzx"), tzx);
        run.start();
        run.window->gameListModel().sort(1, Qt::AscendingOrder); // by publisher
        run.window->addDroppedFiles({run.dir.path(QStringLiteral("drop"))});
        QCOMPARE(run.names(), QStringLiteral("beta Alpha gamma Delta eps Head over Heels"));
        const tolm::GameRecord& game = run.state.catalogue[5];
        QTRY_COMPARE(game.year, 1987);
        QCOMPARE(game.name, std::string("Head over Heels"));
        QCOMPARE(game.publisher, std::string("Ocean"));
        QCOMPARE(game.authors, std::string("Jon Ritman, Bernie Drummond"));
        QCOMPARE(run.item(5).siblingAtColumn(1).data().toString(), QStringLiteral("Ocean"));
        QCOMPARE(run.item(5).siblingAtColumn(2).data().toString(), QStringLiteral("1987"));
        // Placed among the publishers as a rebuild would place it.
        const QString rows = run.rows();
        run.window->refreshGameList();
        QCOMPARE(run.rows(), rows);
    }

    void checkFilesSelectsTheGamesInTheList() {
        FilterRun run;
        run.dir.write(QStringLiteral("roms/beta.tap"));
        run.dir.write(QStringLiteral("shots/g.png"));
        run.start(QStringLiteral("[RomPaths]\nnum=1\npath00=%D/roms/\n"
                                 "[ScreenshotPaths]\nnum=1\npath00=%D/shots/\n"));
        run.box()->setText(QStringLiteral("beta")); // hides games the check will select
        QString summary;
        tolm::test::whenModal<tolm::ui::CheckFilesWindow>([&](tolm::ui::CheckFilesWindow& window) {
            summary = window.findChild<QLabel*>(QStringLiteral("lblSummary"))->text();
            window.findChild<QPushButton*>(QStringLiteral("cmdSelect"))->click();
        });
        QAction* check =
            run.window->findChild<QMenu*>(QStringLiteral("blank001"))->actions().last();
        QCOMPARE(check->objectName(), QStringLiteral("checkFilesAction")); // last under Games
        QCOMPARE(check->text(), QStringLiteral("Check Files..."));
        check->trigger();
        QCOMPARE(summary, QStringLiteral("3 games: 1 ROM, 1 music file, 1 screenshot not found"));
        QCOMPARE(run.box()->text(), QString()); // the filter gave way
        QCOMPARE(run.selectedNames(), (QStringList{"Alpha", "Delta", "gamma"}));
    }
    // Pick a Random Game lands on a shown row each time, never the last one
    // again while another is shown; it shows what it selects.
    void randomPick() {
        const struct {
            QString filter;
            QStringList shown;
            int leastDistinct; // over the picks
        } cases[] = {{{}, {"Alpha", "beta", "Delta", "eps", "gamma"}, 3},
                     {"1984", {"Delta", "gamma"}, 2},
                     {"zeta", {"beta"}, 1},
                     {"nothing", {}, 0}};
        for (const auto& [filter, shown, leastDistinct] : cases) {
            FilterRun run;
            run.start();
            QCOMPARE(run.action("randomGameAction")->text(), QStringLiteral("Pick a Random Game"));
            run.click(1); // Alpha, before the filter: picked only when shown
            run.box()->setText(filter);
            QSet<QString> picked;
            QString last;
            for (int pick = 0; pick < 40; ++pick) {
                QTest::keyClick(run.window.get(), Qt::Key_R, Qt::ControlModifier);
                const QModelIndexList selected = run.list()->selectionModel()->selectedRows();
                if (shown.isEmpty()) {
                    QVERIFY(selected.isEmpty());
                    continue;
                }
                QCOMPARE(selected.size(), 1);
                const QString name = selected.front().data().toString();
                QVERIFY2(shown.contains(name), qPrintable(name));
                QCOMPARE(run.list()->currentIndex().row(), selected.front().row());
                QCOMPARE(
                    tolm::ui::toQt(
                        run.state.catalogue[static_cast<std::size_t>(run.state.selectedGame)].name),
                    name);
                if (shown.size() >= 2)
                    QVERIFY2(name != last, qPrintable(name));
                last = name;
                picked.insert(name);
            }
            QVERIFY(picked.size() >= leastDistinct);
        }
    }

    // Find Duplicates lists both kinds; Select in List selects the groups or
    // games picked in it (every one listed when none is), past the filter.
    void findDuplicatesSelectsTheGamesInTheList() {
        // The items picked (by their first column), the games then selected.
        const std::pair<QStringList, QStringList> cases[] = {
            {{}, {"JSW", "Jet Set Willy", "Manic Miner", "Manic Miner [a]"}},
            {{"Same game (2 games)"}, {"Manic Miner", "Manic Miner [a]"}},
            {{"JSW", "Same file (2 games)"}, {"JSW", "Jet Set Willy"}}};
        for (const auto& [picked, selected] : cases) {
            FilterRun run;
            using tolm::test::makeGame;
            tolm::GameCatalogue games = {makeGame("Manic Miner"), makeGame("Jet Set Willy"),
                                         makeGame("Other"), makeGame("JSW"),
                                         makeGame("Manic Miner [a]")};
            const char* roms[] = {"mm.tap", "jsw.tap", "o.tap", "jsw2.tap", "mma.tap"};
            const char* bytes[] = {"1", "JSW", "22", "JSW", "333"};
            for (std::size_t i = 0; i < games.size(); ++i) {
                games[i].romFile = roms[i];
                run.dir.write(QStringLiteral("roms/") + QLatin1String(roms[i]), bytes[i]);
            }
            run.MainWindowRun::start(games, QStringLiteral("[RomPaths]\nnum=1\npath00=%D/roms/\n"));
            run.box()->setText(QStringLiteral("other"));
            QString summary;
            QStringList groups;
            tolm::test::whenModal<tolm::ui::DuplicatesWindow>(
                [&](tolm::ui::DuplicatesWindow& window) {
                    summary = window.findChild<QLabel*>(QStringLiteral("lblSummary"))->text();
                    auto* list = window.findChild<QTreeWidget*>(QStringLiteral("lstDuplicates"));
                    for (int i = 0; i < list->topLevelItemCount(); ++i)
                        groups << list->topLevelItem(i)->text(0);
                    for (const QString& text : picked)
                        for (QTreeWidgetItem* item :
                             list->findItems(text, Qt::MatchExactly | Qt::MatchRecursive))
                            item->setSelected(true);
                    window.findChild<QPushButton*>(QStringLiteral("cmdSelect"))->click();
                });
            QCOMPARE(run.action("findDuplicatesAction")->text(),
                     QStringLiteral("Find Duplicates..."));
            run.action("findDuplicatesAction")->trigger();
            QCOMPARE(summary,
                     QStringLiteral("1 group of the same file, 1 of the same game: 4 games"));
            QCOMPARE(groups, (QStringList{"Same file (2 games)", "Same game (2 games)"}));
            QCOMPARE(run.box()->text(), QString()); // the filter gave way
            QCOMPARE(run.selectedNames(), selected);
        }
    }

    // Ctrl+D and the pop-up's item make the selected games favourites and
    // back: a star in the Name cell, "favourite" for a screen reader. The
    // status bar tells the selected game's play, the filter count at its
    // right; a start and its end show there, and closing writes them all.
    void favouritesAndPlayHistory() {
        FilterRun run;
        run.dir.write(QStringLiteral("roms/alpha.tap"));
        run.dir.write(QStringLiteral("emu/fuse"));
        run.start(QStringLiteral("[tolm]\nDefaultemu=0\n[emulators]\nnum=1\nemu00=E\n"
                                 "file00=%D/emu/fuse\n[RomPaths]\nnum=1\npath00=%D/roms/\n"));
        run.box()->setText(QStringLiteral("a")); // beta Alpha gamma Delta
        run.click(1);                            // Alpha
        QCOMPARE(run.label("playHistoryLabel"), QStringLiteral("Never played"));
        QCOMPARE(run.status(), QStringLiteral("4 of 5 games"));
        const auto starred = [&run] {
            QStringList out;
            for (int position = 0; position < 4; ++position)
                if (!run.item(position).data(Qt::DecorationRole).value<QIcon>().isNull())
                    out << run.item(position).data(Qt::AccessibleTextRole).toString();
            return out.join(QLatin1Char('/'));
        };
        QTest::keyClick(run.window.get(), Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(starred(), QStringLiteral("Alpha, ocean, favourite"));
        // The filter box lets Ctrl+D through rather than deleting with it.
        QTest::keyClick(run.window.get(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY(run.box()->hasFocus());
        run.box()->setCursorPosition(0);
        QTest::keyClick(run.box(), Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(starred(), QString());
        QCOMPARE(run.box()->text(), QStringLiteral("a"));
        QTest::keyClick(run.box(), Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(starred(), QStringLiteral("Alpha, ocean, favourite"));
        run.list()->selectionModel()->select(run.item(3), QItemSelectionModel::Select |
                                                              QItemSelectionModel::Rows);
        run.action("favouriteAction")->trigger(); // Alpha is one: both stop being one
        QCOMPARE(starred(), QString());
        run.action("favouriteAction")->trigger();
        QCOMPARE(starred(), QString::fromUtf8("Alpha, ocean, favourite/Delta, Oc\u00e9an, 1984, "
                                              "favourite"));
        QCOMPARE(run.item(3).data(Qt::DisplayRole).toString(), QString::fromUtf8("Delta"));

        run.click(1);
        run.window->runSelectedGame();
        QCOMPARE(run.launcher.followed.size(), 1u);
        const QString today =
            QLocale::c().toString(QDate::currentDate(), QStringLiteral("d MMM yyyy"));
        QCOMPARE(run.label("playHistoryLabel"), "Played 1 time, last on " + today);
        run.launcher.followed.front()(std::chrono::minutes(250));
        QCOMPARE(run.label("playHistoryLabel"),
                 "Played 1 time, last on " + today + ", 4 h 10 min in all");
        QCOMPARE(run.status(), QStringLiteral("4 of 5 games")); // neither hides the other
        run.click(0);
        QCOMPARE(run.label("playHistoryLabel"), QStringLiteral("Never played"));
        // The filter's terms read the same history.
        run.box()->setText(QStringLiteral("fav:yes"));
        QCOMPARE(run.status(), QStringLiteral("2 of 5 games"));
        run.box()->setText(QStringLiteral("played:1d"));
        QCOMPARE(run.status(), QStringLiteral("1 of 5 games"));

        run.window->close();
        const QString history =
            QString::fromLatin1(run.dir.read(QStringLiteral("tolm-history.txt")));
        QVERIFY2(history.contains(QStringLiteral("\r\n1\t1\t")) &&
                     history.contains(QStringLiteral("\t15000\tAlpha\talpha.tap\r\n")) &&
                     history.contains(QStringLiteral("\r\n1\t0\t0\t0\tDelta\t\r\n")),
                 qPrintable(history));
    }

    // While no game is listed and no filter is typed the list draws its hint
    // in its middle, not as a row; a game or a filter takes it away, and
    // removing every game (which leaves one blank record) brings it back.
    void emptyListHint() {
        Run run;
        run.start();
        auto* list = qobject_cast<tolm::ui::GameListView*>(run.list());
        QVERIFY(list != nullptr);
        auto* box = run.window->findChild<tolm::ui::GameFilterBox*>(QStringLiteral("filterBox"));
        // The pixels drawn over the viewport's empty background.
        const auto inked = [list] {
            const QImage image = list->viewport()->grab().toImage();
            const QRgb base = list->viewport()->palette().color(QPalette::Base).rgb();
            int count = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    count += image.pixel(x, y) != base;
            return count;
        };
        const auto check = [&](const char* step, bool hint, int rows) {
            QVERIFY2(list->showsEmptyHint() == hint, step);
            QVERIFY2(list->model()->rowCount() == rows, step);
        };
        check("no catalogue", true, 0);
        QVERIFY(inked() > 0);
        box->setText(QStringLiteral("manic"));
        check("filtered", false, 0);
        QCOMPARE(inked(), 0);
        box->setText(QString());
        run.state.catalogue = {tolm::test::makeGame("Manic Miner")};
        run.window->refreshGameList();
        check("one game", false, 1);
        run.list()->selectAll();
        run.dialogs.answers.push_back(Answer::Yes);
        run.window->removeSelectedGames();
        QCOMPARE(run.state.catalogue.size(), std::size_t(1)); // the blank record
        check("all removed", true, 1);
        QVERIFY(inked() > 0);
        box->setText(QStringLiteral("x"));
        check("all removed, filtered", false, 0);
        QCOMPARE(inked(), 0);
    }

    // Keys and drops on the list reach the commands: Delete asks before
    // removing, Enter runs, Ctrl+S saves, a dropped file becomes a game.
    void shortcuts() {
        Run run;
        run.start(fiveGames());
        run.click(0);
        run.dialogs.answers = {Answer::Yes};
        QTest::keyClick(run.list(), Qt::Key_Delete);
        QCOMPARE(run.boxes().size(), 1);
        QCOMPARE(run.state.catalogue.size(), std::size_t(4));
        run.click(1);
        run.state.catalogue[1].romFile = "x.tap";
        QTest::keyClick(run.list(), Qt::Key_Return);
        QCOMPARE(run.boxes().last(), QStringLiteral("Can't Run|No default emulator has been set"));
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(run.dir.write(QStringLiteral("Dropped.tap")))});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(run.list()->viewport(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(run.list()->viewport(), &drop);
        // Added once the drag is over.
        QTRY_COMPARE(run.state.catalogue.back().name, std::string("Dropped"));
        QTest::keyClick(run.window.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(run.dir.read(QStringLiteral("tolm.dat")), run.savedCatalogue());
    }

    // Yes registers the program found and makes it the default; the offer is
    // remembered in the program's own file, never in tolm.ini.
    void firstStartOffer() {
        tolm::test::Scratch dir;
        const QString fuse = dir.write(QStringLiteral("bin/fuse-sdl"), "#!/bin/sh\n");
        QFile::setPermissions(fuse, QFile::ReadOwner | QFile::ExeOwner);
        tolm::AppState state;
        state.programDirectory = dir.str();
        tolm::test::ScriptedDialogs dialogs;
        dialogs.answers = {Answer::Yes};
        const std::string path = dir.str() + "/bin";
        QVERIFY(tolm::ui::offerProgramsFoundOnPath(state, dialogs, nullptr, path));
        QVERIFY(state.settings.emulators ==
                (std::vector<tolm::ProgramEntry>{{"Fuse", tolm::ui::toStd(fuse)}}));
        QCOMPARE(state.settings.defaultEmulator, 0);
        QVERIFY(!QFile::exists(dir.path() + QStringLiteral("/tolm.ini")));
        state.extra = tolm::loadExtraSettings(state.extraSettingsPath());
        state.settings.emulators.clear();
        QVERIFY(!tolm::ui::offerProgramsFoundOnPath(state, dialogs, nullptr, path));
        QCOMPARE(dialogs.messages().size(), std::size_t(1));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
