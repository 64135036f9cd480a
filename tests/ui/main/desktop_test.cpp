#include <QAction>
#include <QDropEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QTreeView>
#include <QUrl>
#include <memory>

#include "support/window_fixtures.h"
#include "settings/extra_settings.h"
#include "ui/main/first_start.h"
#include "ui/main/game_list_model.h"
#include "ui/main/main_window.h"
#include "support/scripted_dialogs.h"

using Answer = tolm::test::ScriptedDialogs::Answer;

namespace {

struct Run {
    tolm::test::Scratch dir;
    tolm::AppState state;
    tolm::test::ScriptedDialogs dialogs;
    tolm::test::RecordingLauncher launcher;
    std::unique_ptr<tolm::ui::MainWindow> window;

    void start() {
        dir.writeDatabase(tolm::test::fiveGames());
        state.programDirectory = dir.str();
        state.extra = tolm::loadExtraSettings(state.extraSettingsPath());
        window = std::make_unique<tolm::ui::MainWindow>(state, dialogs, launcher, 0);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    QTreeView* list() const { return window->findChild<QTreeView*>(QStringLiteral("lstGames")); }
    QAction* action(const char* n) const { return window->findChild<QAction*>(QLatin1String(n)); }
    QStringList titles() const {
        QStringList out;
        for (const auto& box : dialogs.messages())
            out << box.title;
        return out;
    }
};

} // namespace

// The desktop habits: shortcuts, drops, the list's layout kept, the first
// start's offer of programs found on the search path.
class DesktopTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void shortcuts_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QKeySequence>("keys");
        QTest::newRow("save") << "file1"
                              << "Save" << QKeySequence(Qt::CTRL | Qt::Key_S);
        QTest::newRow("exit") << "file5"
                              << "Exit" << QKeySequence(Qt::CTRL | Qt::Key_Q);
        QTest::newRow("remove") << "addgames3"
                                << "Remove Selected" << QKeySequence(Qt::Key_Delete);
        QTest::newRow("properties") << "addgames5"
                                    << "Properties..." << QKeySequence(Qt::ALT | Qt::Key_Return);
    }

    void shortcuts() {
        QFETCH(QString, item);
        QFETCH(QString, caption);
        QFETCH(QKeySequence, keys);
        Run run;
        run.start();
        QAction* action = run.action(item.toLatin1().constData());
        QCOMPARE(action->text(), caption); // the menu shows the keys beside it
        QCOMPARE(action->shortcut(), keys);
    }

    // Keys on the list reach the commands: Enter runs the game (here it
    // finds no emulator and says so), Delete asks before removing.
    void keysOnTheList() {
        Run run;
        run.start();
        run.list()->setFocus();
        QTest::mouseClick(run.list()->viewport(), Qt::LeftButton, {},
                          run.list()->visualRect(run.list()->model()->index(0, 0)).center());
        QVERIFY(run.state.selectedRecord() != nullptr);
        run.state.selectedRecord()->romFile = "x.tap";
        run.state.settings.romPaths = {tolm::ui::toStd(run.dir.path() + QStringLiteral("/roms/"))};
        const QString emulator = run.dir.write(QStringLiteral("emu"));
        run.dir.write(QStringLiteral("roms/x.tap"));
        run.state.settings.emulators = {{"Emu", tolm::ui::toStd(emulator)}};
        run.state.settings.defaultEmulator = 0;
        QTest::keyClick(run.list(), Qt::Key_Return);
        QCOMPARE(run.launcher.starts.size(), std::size_t(1));
        QCOMPARE(run.launcher.starts[0].program, emulator);
        run.dialogs.answers = {Answer::Yes};
        QTest::keyClick(run.list(), Qt::Key_Delete);
        QCOMPARE(run.titles().size(), 1);
        QCOMPARE(run.dialogs.messages().back().title, QStringLiteral("Game Removal"));
        QCOMPARE(run.state.catalogue.size(), std::size_t(4));
        QTest::keyClick(run.window.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(run.dir.read(QStringLiteral("tolm.dat")),
                 QByteArray::fromStdString(tolm::databaseBytes(run.state.catalogue)));
    }

    void dropsOnTheList() {
        Run run;
        run.start();
        const QString rom = run.dir.write(QStringLiteral("roms/Tau.Ceti.z80"));
        run.dir.write(QStringLiteral("folder/Jet.Set.Willy.tap"));
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(rom),
                      QUrl::fromLocalFile(run.dir.path() + QStringLiteral("/folder"))});
        QWidget* viewport = run.list()->viewport();
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(viewport, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(viewport, &drop);
        QVERIFY(drop.isAccepted());
        QCOMPARE(run.list()->model()->rowCount(), 7);
        QCOMPARE(run.state.catalogue[5].name, std::string("Tau.Ceti"));
        QCOMPARE(run.state.catalogue[6].name, std::string("Jet"));
        QCOMPARE(run.state.settings.romPaths.size(), std::size_t(2));

        QMimeData web; // nothing but local files is taken
        web.setUrls({QUrl(QStringLiteral("https://example.org/game.tap"))});
        QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &web, Qt::LeftButton, {});
        QApplication::sendEvent(viewport, &refused);
        QVERIFY(!refused.isAccepted());
    }

    void listLayoutKept() {
        Run run;
        run.dir.write(QStringLiteral("tolm-extra.ini"),
                      "[GameList]\r\nColumnWidth0=211\r\nColumnWidth1=97\r\nColumnWidth2=55\r\n"
                      "SortColumn=1\r\nSortDescending=1\r\n");
        run.start();
        QCOMPARE(run.list()->header()->sectionSize(0), 211);
        QCOMPARE(run.window->gameListModel().sortColumn(), 1);
        QCOMPARE(run.window->gameListModel().sortOrder(), Qt::DescendingOrder);
        run.list()->header()->resizeSection(1, 123);
        run.window->close();
        const tolm::ExtraSettings saved = tolm::loadExtraSettings(run.state.extraSettingsPath());
        QCOMPARE(saved.columnWidths.at(1), 123);
        QCOMPARE(saved.sortColumn, 1);
        QVERIFY(saved.sortDescending);
    }

    void firstStartOffer_data() {
        QTest::addColumn<Answer>("answer");
        QTest::newRow("yes") << Answer::Yes;
        QTest::newRow("no") << Answer::No;
    }

    void firstStartOffer() {
        QFETCH(Answer, answer);
        tolm::test::Scratch dir;
        const QString fuse = dir.write(QStringLiteral("bin/fuse-sdl"), "#!/bin/sh\n");
        QFile::setPermissions(fuse, QFile::ReadOwner | QFile::ExeOwner);
        dir.write(QStringLiteral("bin/mpv"), "not executable");
        tolm::AppState state;
        state.programDirectory = dir.str();
        tolm::test::ScriptedDialogs dialogs;
        dialogs.answers = {answer};
        const std::string path = tolm::ui::toStd(dir.path() + QStringLiteral("/bin"));

        QCOMPARE(tolm::ui::offerProgramsFoundOnPath(state, dialogs, nullptr, path),
                 answer == Answer::Yes);
        QCOMPARE(dialogs.messages().size(), std::size_t(1));
        QCOMPARE(dialogs.messages()[0].text, QStringLiteral("Fuse was found at ") + fuse +
                                                 QStringLiteral(". Use it to run games?"));
        const std::vector<tolm::ProgramEntry> expected =
            answer == Answer::Yes ? std::vector<tolm::ProgramEntry>{{"Fuse", tolm::ui::toStd(fuse)}}
                                  : std::vector<tolm::ProgramEntry>{};
        QVERIFY(state.settings.emulators == expected);
        QCOMPARE(state.settings.defaultEmulator, answer == Answer::Yes ? 0 : tolm::kNone);
        QVERIFY(state.settings.musicPlayers.empty()); // mpv there is no program

        // Remembered in the program's own file, never in tolm.ini: no second question.
        QVERIFY(dir.read(QStringLiteral("tolm-extra.ini")).contains("EmulatorOffered=1"));
        QVERIFY(!QFile::exists(dir.path() + QStringLiteral("/tolm.ini")));
        state.extra = tolm::loadExtraSettings(state.extraSettingsPath());
        state.settings.emulators.clear();
        QVERIFY(!tolm::ui::offerProgramsFoundOnPath(state, dialogs, nullptr, path));
        QCOMPARE(dialogs.messages().size(), std::size_t(1));
    }
};

QTEST_MAIN(DesktopTest)
#include "desktop_test.moc"
