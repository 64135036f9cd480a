#include <QDialog>
#include <QLockFile>
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

} // namespace

// The lock against a second copy, and the clean-up it allows; the session's
// end through signals and the session manager, with and without dialogs.
class SessionEndTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lock() {
        tolm::test::Scratch dir;
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
        // A lock as a killed copy leaves it: real contents, a process id
        // beyond any the system hands out.
        QByteArray contents;
        {
            QLockFile real(dir.path() + QStringLiteral("/tolm.lock"));
            QVERIFY(real.tryLock(0));
            contents = dir.read(QStringLiteral("tolm.lock"));
        }
        dir.write(QStringLiteral("tolm.lock"),
                  contents.replace(0, contents.indexOf('\n'), "999999999"));
        CatalogueLock lock(dir.str());
        QCOMPARE(lock.acquire(), Outcome::Held);
        QCOMPARE(lock.removedTemporaryFiles(),
                 (std::vector<std::string>{"tolm.dat.tmp-abcd1234", "tolm.ini.tmp-00000000"}));
        QVERIFY(QFile::exists(dir.path() + QStringLiteral("/tolm.dat.tmp-abcd123")));
        // No lock can be made: start-up carries on.
        QCOMPARE(CatalogueLock(dir.str() + "/no such directory").acquire(), Outcome::Unavailable);
    }

    // The end through the session manager or a signal: an open dialog and the
    // box over it are cancelled, both files written, failures sent to the
    // terminal; a second request changes nothing. (The end during start-up is
    // followed from outside, with the real program.)
    void end_data() {
        QTest::addColumn<bool>("bySignal");
        QTest::addColumn<bool>("settingsUnwritable");
        QTest::newRow("session manager, settings cannot be written") << false << true;
#ifndef _WIN32 // Windows sends console events, not signals
        QTest::newRow("SIGTERM") << true << false;
#endif
    }
    void end() {
        QFETCH(bool, bySignal);
        QFETCH(bool, settingsUnwritable);
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
        QTimer::singleShot(0, run.window.get(), [&] {
            QDialog dialog(run.window.get());
            QTimer::singleShot(0, &dialog, [&] { QDialog(&dialog).exec(); });
            dialogResult = dialog.exec();
        });
        QTimer::singleShot(50, &sessionEnd, [&] {
            QVERIFY(QApplication::activeModalWidget() != nullptr);
            if (bySignal)
                sessionEnd.watch();
            for (int i = 0; i < 2; ++i)
                bySignal ? void(std::raise(SIGTERM)) : sessionEnd.endSession();
        });
        QCOMPARE(QCoreApplication::exec(), settingsUnwritable ? 1 : 0);
        QCOMPARE(ending.count(), 1);
        QVERIFY(run.state.sessionEnding && !run.window->isVisible());
        QCOMPARE(dialogResult, int(QDialog::Rejected));
        QCOMPARE(run.dialogs.shown.size(), boxesBefore);
        tolm::GameCatalogue onDisk;
        tolm::loadDatabase(onDisk, run.dir.str() + "/tolm.dat");
        QCOMPARE(onDisk.size(), std::size_t(4));
        QVERIFY(settingsUnwritable ||
                run.dir.read(QStringLiteral("tolm.ini")).contains("emu00=Kept emulator"));
    }
};

QTEST_MAIN(SessionEndTest)
#include "session_end_test.moc"
