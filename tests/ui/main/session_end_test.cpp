#include <QDialog>
#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <csignal>

#include "support/main_window_run.h"
#include "ui/main/catalogue_lock.h"
#include "ui/main/session_end.h"

using tolm::test::fiveGames;
using tolm::ui::CatalogueLock;
using Answer = tolm::test::ScriptedDialogs::Answer;
using Outcome = CatalogueLock::Outcome;

namespace {

const QString kIni = QStringLiteral("[tolm]\r\nwinstate=0\r\n[emulators]\r\nnum=1\r\n"
                                    "emu00=Kept emulator\r\nfile00=/bin/true\r\n");

// How many games the scratch directory's tolm.dat holds.
std::size_t gamesOnDisk(const tolm::test::Scratch& dir) {
    tolm::GameCatalogue loaded;
    tolm::loadDatabase(loaded, dir.str() + "/tolm.dat");
    return loaded.size();
}

} // namespace

// The lock against a second copy, and the clean-up it allows; the session's
// end through signals and the session manager, with and without dialogs.
class SessionEndTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lock() {
        tolm::test::Scratch dir;
        const QString lockPath = dir.path() + QStringLiteral("/tolm.lock");
        {
            CatalogueLock first(dir.str());
            QCOMPARE(first.acquire(), Outcome::Held);
            dir.write(QStringLiteral("tolm.dat.tmp-abcd1234"), "the first copy's save");
            dir.write(QStringLiteral("tolm.ini.tmp-00000000"));
            dir.write(QStringLiteral("tolm.dat.tmp-abcd123")); // a look-alike, kept
            // A second copy is refused and removes nothing of the first's.
            CatalogueLock second(dir.str());
            QCOMPARE(second.acquire(), Outcome::HeldElsewhere);
            QVERIFY(second.removedTemporaryFiles().empty());
        }
        // A lock as a killed copy leaves it: real contents, a process id now gone.
        QByteArray contents;
        {
            QLockFile real(lockPath);
            QVERIFY(real.tryLock(0));
            QFile file(lockPath);
            QVERIFY(file.open(QIODevice::ReadOnly));
            contents = file.readAll();
            real.unlock();
        }
        QProcess child;
        child.start(QStringLiteral("/bin/true"), {});
        QVERIFY(child.waitForStarted());
        const qint64 dead = child.processId();
        child.waitForFinished();
        dir.write(QStringLiteral("tolm.lock"),
                  contents.replace(0, contents.indexOf('\n'), QByteArray::number(dead)));

        CatalogueLock lock(dir.str());
        QCOMPARE(lock.acquire(), Outcome::Held);
        QCOMPARE(lock.removedTemporaryFiles(),
                 (std::vector<std::string>{"tolm.dat.tmp-abcd1234", "tolm.ini.tmp-00000000"}));
        QVERIFY(QFile::exists(dir.path() + QStringLiteral("/tolm.dat.tmp-abcd123")));
        // No lock can be made: start-up carries on.
        QCOMPARE(CatalogueLock(dir.str() + "/no such directory").acquire(), Outcome::Unavailable);
    }

    void endWritesBothFilesAndCancelsDialogs_data() {
        QTest::addColumn<bool>("dialogOpen");
        QTest::addColumn<bool>("settingsUnwritable");
        QTest::addColumn<bool>("bySignal");
        QTest::newRow("nothing open") << false << false << false;
        QTest::newRow("settings cannot be written") << false << true << false;
#ifndef _WIN32 // Windows sends console events, not signals
        QTest::newRow("SIGTERM, dialog and box open") << true << false << true;
#endif
    }
    void endWritesBothFilesAndCancelsDialogs() {
        QFETCH(bool, dialogOpen);
        QFETCH(bool, settingsUnwritable);
        QFETCH(bool, bySignal);
        tolm::test::MainWindowRun run;
        run.start(fiveGames(), kIni);
        tolm::ui::SessionEnd sessionEnd(run.state);
        QSignalSpy ending(&sessionEnd, &tolm::ui::SessionEnd::ending);
        sessionEnd.attach(*run.window);
        run.dialogs.answers.push_back(Answer::Yes);
        run.window->removeGames({0}); // a change since the files were read
        if (settingsUnwritable) {     // read at start, but something else stands there by the end
            QVERIFY(QFile::remove(run.dir.path() + QStringLiteral("/tolm.ini")));
            QVERIFY(QDir().mkpath(run.dir.path() + QStringLiteral("/tolm.ini/inside")));
        }
        const std::size_t boxesBefore = run.dialogs.shown.size();

        int dialogResult = -1;
        if (dialogOpen) { // a dialog, and a box over it, as the user left them
            QTimer::singleShot(0, run.window.get(), [&] {
                QDialog dialog(run.window.get());
                QTimer::singleShot(0, &dialog, [&] {
                    QDialog box(&dialog);
                    box.exec();
                });
                dialogResult = dialog.exec();
            });
        }
        QTimer::singleShot(50, &sessionEnd, [&] {
            QVERIFY(!dialogOpen || QApplication::activeModalWidget() != nullptr);
            if (bySignal) {
                sessionEnd.watch();
                std::raise(SIGTERM);
                std::raise(SIGTERM); // a second request changes nothing
            } else {
                sessionEnd.endSession();
                sessionEnd.endSession();
            }
        });
        QCOMPARE(QCoreApplication::exec(), settingsUnwritable ? 1 : 0);
        QCOMPARE(ending.count(), 1);
        QVERIFY(run.state.sessionEnding && !run.window->isVisible());
        QCOMPARE(dialogResult, dialogOpen ? int(QDialog::Rejected) : -1);
        QCOMPARE(run.dialogs.shown.size(), boxesBefore); // failures go to the terminal
        QCOMPARE(gamesOnDisk(run.dir), std::size_t(4));
        QVERIFY(settingsUnwritable ||
                run.dir.read(QStringLiteral("tolm.ini")).contains("emu00=Kept emulator"));
    }

    // A request while the splash loads: the loading finishes first, so the
    // files are written back as read, not replaced by defaults.
    void endDuringStartUpKeepsWhatWasLoaded() {
        tolm::test::MainWindowRun run;
        run.dir.writeDatabase(fiveGames());
        run.dir.write(QStringLiteral("tolm.ini"), kIni.toUtf8());
        run.state.programDirectory = run.dir.str();
        tolm::ui::SessionEnd sessionEnd(run.state);
        QTimer::singleShot(0, &sessionEnd, &tolm::ui::SessionEnd::endSession);
        tolm::ui::MainWindow window(run.state, run.dialogs, run.launcher, 0);
        QVERIFY(run.state.sessionEnding);
        sessionEnd.attach(window);
        QCOMPARE(QCoreApplication::exec(), 0);
        QCOMPARE(gamesOnDisk(run.dir), std::size_t(5));
        QVERIFY(run.dir.read(QStringLiteral("tolm.ini")).contains("emu00=Kept emulator"));
    }
};

QTEST_MAIN(SessionEndTest)
#include "session_end_test.moc"
