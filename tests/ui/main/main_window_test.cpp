#include <QHeaderView>
#include <QMenu>
#include <QTimer>

#include "support/main_window_run.h"
#include "ui/main/details_panel.h"
#include "ui/main/window_geometry.h"

using tolm::GameCatalogue;
using tolm::test::fiveGames;
using Run = tolm::test::MainWindowRun;
using Answer = tolm::test::ScriptedDialogs::Answer;

// How the window is left, what changed, the answers, the last box's text,
// whether the window stays open, whether the files were written.
using Leaving = std::tuple<QString, QString, QList<Answer>, QString, bool, bool>;

class MainWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startUp_data() {
        QTest::addColumn<QByteArray>("file"); // "v1"/"v2": FiveGames in that version
        QTest::addColumn<int>("rows");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("no file") << QByteArray() << 0 << QStringList();
        QTest::newRow("version 1") << QByteArray("v1") << 5
                                   << QStringList{"Information only|Old database format has been "
                                                  "updated to new version"};
        QTest::newRow("invalid") << QByteArray("tolm\x02\0\0\0\0\0\0\0", 12) << 0
                                 << QStringList{"Invalid Database|There is a problem with the "
                                                "database file.\r\nFile not loaded"};
    }
    void startUp() {
        QFETCH(QByteArray, file);
        QFETCH(int, rows);
        QFETCH(QStringList, boxes);
        Run run;
        if (file.startsWith('v'))
            run.dir.writeDatabase(fiveGames(), file == "v1" ? 1 : 2);
        else if (!file.isEmpty())
            run.dir.write(QStringLiteral("tolm.dat"), file);
        run.state.selectedGame = 3; // the load selects nothing
        run.start();
        QCOMPARE(run.boxes(), boxes);
        QCOMPARE(run.state.selectedGame, tolm::kNone);
        QCOMPARE(run.list()->model()->rowCount(), rows);
        QVERIFY(rows == 0 ||
                run.rows(Qt::UserRole).startsWith(QStringLiteral("game1 "))); // by name
    }

    // A second click on the same column turns the order; another column keeps it.
    void columnClicks() {
        Run run;
        run.start(fiveGames());
        QCOMPARE(run.rows(Qt::UserRole), QStringLiteral("game1 game0 game3 game4 game2")); // name
        QHeaderView* header = run.list()->header();
        // Years sort as text: "" < "-5" < "1984" < "1985" < "200".
        for (const auto& [column, keys] : {std::pair{0, "game2 game4 game3 game0 game1"},
                                           {1, "game0 game1 game3 game2 game4"},
                                           {1, "game4 game2 game1 game3 game0"},
                                           {2, "game1 game2 game3 game0 game4"}}) {
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              QPoint(header->sectionViewportPosition(column) + 5, 5));
            QCOMPARE(run.rows(Qt::UserRole), QLatin1String(keys));
        }
        run.window->refreshGameList(); // keeps the chosen order
        QCOMPARE(run.rows(Qt::UserRole), QStringLiteral("game1 game2 game3 game0 game4"));
    }

    // The music label plays on a left click only.
    void clickShowsDetailsAndPlaysMusic() {
        Run run;
        run.dir.write(QStringLiteral("music/b/manic.ay"));
        const QString player = run.dir.write(QStringLiteral("p"));
        GameCatalogue games = fiveGames();
        games[3].musicFile = "manic.ay";
        run.start(games, QStringLiteral("[tolm]\nDefaultmplayer=0\n[musicplayers]\nnum=1\n"
                                        "playername00=P\nfile00=%D/p\n[MusicPaths]\nnum=1\n"
                                        "path00=%D/music/b/\n"));
        run.click(3);
        QCOMPARE(run.label("lblGameName"), QStringLiteral("Delta"));
        auto* music = run.window->findChild<QLabel*>(QStringLiteral("lblHasMusic"));
        QTest::mouseClick(music, Qt::RightButton);
        QVERIFY(run.launcher.starts.empty());
        QTest::mouseClick(music, Qt::LeftButton);
        QCOMPARE(run.launcher.starts.size(), std::size_t(1));
        QCOMPARE(run.launcher.starts[0].program, player);
        QCOMPARE(run.launcher.starts[0].arguments,
                 QStringList{run.dir.expand("%D/music/b/manic.ay")});
    }

    // The labels for a game, rom name first; roms/game.tap and music2/tune.ay are there.
    void detailsLabels() {
        tolm::test::Scratch dir;
        dir.write(QStringLiteral("roms/game.tap"));
        dir.write(QStringLiteral("music2/tune.ay"));
        tolm::SettingsState settings;
        settings.romPaths = dir.expand(QStringList{"%D/roms/"});
        const auto labels = [&](const char* romFile, int year, int genre) {
            tolm::GameRecord game = tolm::test::makeGame("Jet Set Willy", {}, year);
            game.romFile = romFile;
            game.musicFile = "tune.ay";
            game.genre = genre;
            const tolm::ui::GameDetails d = tolm::ui::describeGame(game, settings);
            return QStringList{d.romName, d.romFound, d.hasMusic, d.year, d.type}.join('|');
        };
        QCOMPARE(labels("  ", 1, 129), // the name as stored, blanks and all
                 "  |No rom|No Music file found (check paths)|1|Shoot'em Up - [uncategorized]");
        settings.musicPaths = dir.expand(QStringList{"%D/music/", "%D/music2/"});
        QCOMPARE(labels("game.tap", 0, 130), "game.tap|Yes|Yes (click to play)||"); // blanks
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
        QCOMPARE(run.rows(Qt::UserRole), QStringLiteral("game0 game1"));
        QCOMPARE(run.state.selectedGame, tolm::kNone);
        QCOMPARE(remove({0, 1}, Answer::Yes), asked + "all games? -> "); // one blank record
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
        QCOMPARE(run.label("lblGameName"), QStringLiteral("Alpha"));
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
    void leaving_data() {
        QTest::addColumn<Leaving>("row");
        const QString exit = QStringLiteral("Save changes before exiting?");
        const QString failed =
            QStringLiteral("Your changes could not all be saved.\r\nClose anyway?");
        const Answer yes = Answer::Yes, no = Answer::No, ok = Answer::Ok;
        // clang-format off
        QTest::newRow("exit: nothing changed") << Leaving{"exit", "none", {yes}, {}, false, false};
        QTest::newRow("exit: only moved") << Leaving{"exit", "moved", {yes}, {}, false, false};
        QTest::newRow("exit: removed, Yes") << Leaving{"exit", "removed", {yes}, exit, false, true};
        QTest::newRow("exit: removed, No") << Leaving{"exit", "removed", {no}, exit, false, false};
        QTest::newRow("exit: removed, Cancel")
            << Leaving{"exit", "removed", {Answer::Cancel}, exit, true, false};
        QTest::newRow("close") << Leaving{"close", "all", {}, {}, false, true};
        QTest::newRow("close: empty catalogue")
            << Leaving{"close", "settings", {}, {}, false, true};
        QTest::newRow("close: saving fails, Yes")
            << Leaving{"close fails", "all", {ok, ok, yes}, failed, false, false};
        // A later close that works saves all.
        QTest::newRow("close: saving fails, No")
            << Leaving{"close fails", "all", {ok, ok, no}, failed, true, true};
        // clang-format on
    }
    void leaving() {
        QFETCH(Leaving, row);
        const auto& [how, change, answers, asked, open, written] = row;
        Run run;
        const bool empty = QTest::currentDataTag() == QLatin1String("close: empty catalogue");
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
    }

    // A settings file that is there but cannot be read is never replaced with
    // defaults; the catalogue is still saved.
    void unreadableSettingsAreNotWritten() {
        Run run; // a directory where the file should be: unreadable even for root
        QVERIFY(QDir().mkpath(run.dir.path() + QStringLiteral("/tolm.ini/inside")));
        run.start(fiveGames());
        QCOMPARE(run.boxes().size(), 1);
        QVERIFY(run.boxes()[0].startsWith(QStringLiteral("Settings not loaded|")));
        QVERIFY(run.boxes()[0].endsWith(
            QStringLiteral("\r\nThe settings file will not be written this session.")));
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
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
