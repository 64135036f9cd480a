#include <QDialog>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <csignal>
#include <memory>

#include "support/scripted_dialogs.h"
#include "support/window_fixtures.h"
#include "ui/main/catalogue_lock.h"
#include "ui/main/main_window.h"
#include "ui/main/session_end.h"

using tolm::test::fiveGames;
using tolm::ui::CatalogueLock;
using Answer = tolm::test::ScriptedDialogs::Answer;
using Outcome = CatalogueLock::Outcome;

namespace {

const QString kIni = QStringLiteral("[tolm]\r\nwinstate=0\r\n[emulators]\r\nnum=1\r\n"
                                    "emu00=Kept emulator\r\nfile00=/bin/true\r\n");

// The names of the games in the scratch directory's tolm.dat.
QStringList gamesOnDisk(const tolm::test::Scratch& dir) {
    tolm::GameCatalogue loaded;
    tolm::loadDatabase(loaded, dir.str() + "/tolm.dat");
    QStringList names;
    for (const auto& game : loaded)
        names << tolm::ui::toQt(game.name);
    return names;
}

// A process id that no running process has.
qint64 deadProcessId() {
    QProcess child;
    child.start(QStringLiteral("/bin/true"), {});
    if (!child.waitForStarted())
        return 0;
    const qint64 pid = child.processId();
    child.waitForFinished();
    return pid;
}

} // namespace

// The lock against a second copy, and the clean-up it allows; the session's
// end through signals and the session manager, with and without dialogs.
class SessionEndTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void secondCopyIsRefusedAndRemovesNothing() {
        tolm::test::Scratch dir;
        CatalogueLock first(dir.str());
        QCOMPARE(first.acquire(), Outcome::Held);
        dir.write(QStringLiteral("tolm.dat.tmp-abcd1234"), "the first copy's save");
        CatalogueLock second(dir.str());
        QCOMPARE(second.acquire(), Outcome::HeldElsewhere);
        QVERIFY(second.removedTemporaryFiles().empty());
        QVERIFY(QFile::exists(dir.path() + QStringLiteral("/tolm.dat.tmp-abcd1234")));
    }

    void staleLockIsTakenOverAndItsTemporaryFilesGo() {
        tolm::test::Scratch dir;
        const QString lockPath = dir.path() + QStringLiteral("/tolm.lock");
        // A lock as a copy that was killed leaves it: its contents, another pid.
        QByteArray contents;
        {
            QLockFile real(lockPath);
            QVERIFY(real.tryLock(0));
            QFile file(lockPath);
            QVERIFY(file.open(QIODevice::ReadOnly));
            contents = file.readAll();
            real.unlock();
        }
        const qint64 dead = deadProcessId();
        QVERIFY(dead > 0);
        contents.replace(0, contents.indexOf('\n'), QByteArray::number(dead));
        dir.write(QStringLiteral("tolm.lock"), contents);
        dir.write(QStringLiteral("tolm.dat.tmp-abcd1234"));
        dir.write(QStringLiteral("tolm.ini.tmp-00000000"));
        dir.write(QStringLiteral("tolm.dat.tmp-abcd123"));

        CatalogueLock lock(dir.str());
        QCOMPARE(lock.acquire(), Outcome::Held);
        QCOMPARE(lock.removedTemporaryFiles(),
                 (std::vector<std::string>{"tolm.dat.tmp-abcd1234", "tolm.ini.tmp-00000000"}));
        QVERIFY(QFile::exists(dir.path() + QStringLiteral("/tolm.dat.tmp-abcd123")));
    }

    void lockThatCannotBeMadeDoesNotStopStartUp() {
        tolm::test::Scratch dir;
        CatalogueLock missing(dir.str() + "/no such directory");
        QCOMPARE(missing.acquire(), Outcome::Unavailable);
        // Root writes anywhere; the end-to-end test covers a read-only mount.
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        CatalogueLock readOnly(dir.str());
        const Outcome outcome = readOnly.acquire();
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner);
        if (QFileInfo(dir.path() + QStringLiteral("/tolm.lock")).exists())
            QSKIP("this user writes into read-only directories (root)");
        QCOMPARE(outcome, Outcome::Unavailable);
    }

    void endWritesBothFilesAndCancelsDialogs_data() {
        QTest::addColumn<bool>("dialogOpen");
        QTest::addColumn<bool>("settingsUnwritable");
        QTest::addColumn<bool>("bySignal");
        QTest::newRow("nothing open") << false << false << false;
        QTest::newRow("dialog and box open") << true << false << false;
        QTest::newRow("settings cannot be written") << false << true << false;
#ifndef _WIN32 // Windows sends console events, not signals
        QTest::newRow("SIGTERM, dialog and box open") << true << false << true;
#endif
    }
    void endWritesBothFilesAndCancelsDialogs() {
        QFETCH(bool, dialogOpen);
        QFETCH(bool, settingsUnwritable);
        QFETCH(bool, bySignal);
        tolm::test::Scratch dir;
        dir.writeDatabase(fiveGames());
        dir.write(QStringLiteral("tolm.ini"), kIni.toUtf8());
        tolm::AppState state;
        state.programDirectory = dir.str();
        tolm::test::ScriptedDialogs dialogs;
        tolm::test::RecordingLauncher launcher;
        tolm::ui::SessionEnd sessionEnd(state);
        QSignalSpy ending(&sessionEnd, &tolm::ui::SessionEnd::ending);
        tolm::ui::MainWindow window(state, dialogs, launcher, 0);
        sessionEnd.attach(window);
        window.show();
        dialogs.answers.push_back(Answer::Yes);
        window.removeGames({0});  // a change since the files were read
        if (settingsUnwritable) { // read at start, but something else stands there by the end
            QVERIFY(QFile::remove(dir.path() + QStringLiteral("/tolm.ini")));
            QVERIFY(QDir().mkpath(dir.path() + QStringLiteral("/tolm.ini/inside")));
        }
        const std::size_t boxesBefore = dialogs.shown.size();

        int dialogResult = -1;
        if (dialogOpen) {
            // A dialog, and a box over it, as the user left them.
            QTimer::singleShot(0, &window, [&] {
                QDialog dialog(&window);
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
        const int code = QCoreApplication::exec();

        QCOMPARE(code, settingsUnwritable ? 1 : 0);
        QCOMPARE(ending.count(), 1);
        QVERIFY(state.sessionEnding);
        QVERIFY(!window.isVisible());
        if (dialogOpen)
            QCOMPARE(dialogResult, int(QDialog::Rejected));
        QCOMPARE(dialogs.shown.size(), boxesBefore); // failures go to the terminal
        QCOMPARE(gamesOnDisk(dir).size(), 4);
        if (!settingsUnwritable)
            QVERIFY(dir.read(QStringLiteral("tolm.ini")).contains("emu00=Kept emulator"));
    }

    // A request while the splash loads: the loading finishes first, so the
    // files are written back as read, not replaced by defaults.
    void endDuringStartUpKeepsWhatWasLoaded() {
        tolm::test::Scratch dir;
        dir.writeDatabase(fiveGames());
        dir.write(QStringLiteral("tolm.ini"), kIni.toUtf8());
        tolm::AppState state;
        state.programDirectory = dir.str();
        tolm::test::ScriptedDialogs dialogs;
        tolm::test::RecordingLauncher launcher;
        tolm::ui::SessionEnd sessionEnd(state);
        QTimer::singleShot(0, &sessionEnd, &tolm::ui::SessionEnd::endSession);
        tolm::ui::MainWindow window(state, dialogs, launcher, 0);
        QVERIFY(state.sessionEnding);
        sessionEnd.attach(window);
        QCOMPARE(QCoreApplication::exec(), 0);
        QCOMPARE(gamesOnDisk(dir).size(), 5);
        QVERIFY(dir.read(QStringLiteral("tolm.ini")).contains("emu00=Kept emulator"));
    }
};

QTEST_MAIN(SessionEndTest)
#include "session_end_test.moc"
