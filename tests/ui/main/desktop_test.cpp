#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "support/main_window_run.h"
#include "ui/main/first_start.h"

using Answer = tolm::test::ScriptedDialogs::Answer;
using Run = tolm::test::MainWindowRun;

// The desktop habits: shortcuts, drops, the first start's offer of programs
// found on the search path.
class DesktopTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void shortcuts() {
        Run run;
        run.start(tolm::test::fiveGames());
        // Keys on the list reach the commands: Enter runs the game, Delete
        // asks before removing, Ctrl+S saves.
        run.click(0);
        run.state.selectedRecord()->romFile = "x.tap";
        run.state.settings.romPaths = {run.dir.str() + "/roms/"};
        run.dir.write(QStringLiteral("roms/x.tap"));
        const QString emulator = run.dir.write(QStringLiteral("emu"));
        run.state.settings.emulators = {{"Emu", tolm::ui::toStd(emulator)}};
        run.state.settings.defaultEmulator = 0;
        QTest::keyClick(run.list(), Qt::Key_Return);
        QCOMPARE(run.launcher.starts.size(), std::size_t(1));
        QCOMPARE(run.launcher.starts[0].program, emulator);
        run.dialogs.answers = {Answer::Yes};
        QTest::keyClick(run.list(), Qt::Key_Delete);
        QCOMPARE(run.boxes().size(), 1);
        QCOMPARE(run.state.catalogue.size(), std::size_t(4));
        QTest::keyClick(run.window.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(run.dir.read(QStringLiteral("tolm.dat")), run.savedCatalogue());
    }

    // Naming is the state's business; here: a local file dropped is added.
    void dropsOnTheList() {
        Run run;
        run.start(tolm::test::fiveGames());
        const QString rom = run.dir.write(QStringLiteral("roms/Tau.Ceti.z80"));
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(rom)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(run.list()->viewport(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(run.list()->viewport(), &drop);
        QCOMPARE(run.state.catalogue[5].name, std::string("Tau.Ceti"));
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
        QCOMPARE(dialogs.messages().size(), std::size_t(1));
        QVERIFY(state.settings.emulators ==
                (std::vector<tolm::ProgramEntry>{{"Fuse", tolm::ui::toStd(fuse)}}));
        QCOMPARE(state.settings.defaultEmulator, 0);
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
