#include <QDialog>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include "support/main_window_run.h"
#include "ui/main/session_end.h"

// The end through the session manager. Signals, the end during start-up and
// the lock against a second copy are followed from outside, with the real
// program (reliability end-to-end test).
class SessionEndTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // An open dialog and the box over it are cancelled, the catalogue is
    // written, a failure goes to the terminal and the exit status; a second
    // request changes nothing.
    void endCancelsDialogsAndWrites() {
        tolm::test::MainWindowRun run;
        run.start(tolm::test::fiveGames());
        tolm::ui::SessionEnd sessionEnd(run.state);
        QSignalSpy ending(&sessionEnd, &tolm::ui::SessionEnd::ending);
        sessionEnd.attach(*run.window);
        run.dialogs.answers.push_back(tolm::test::ScriptedDialogs::Answer::Yes);
        run.window->removeGames({0}); // a change since the files were read
        // Something that is no file stands where the settings go.
        QVERIFY(QDir().mkpath(run.dir.path() + QStringLiteral("/tolm.ini/inside")));
        const std::size_t boxesBefore = run.dialogs.shown.size();
        int dialogResult = -1;
        QTimer::singleShot(0, run.window.get(), [&] {
            QDialog dialog(run.window.get());
            QTimer::singleShot(0, &dialog, [&] { QDialog(&dialog).exec(); });
            dialogResult = dialog.exec();
        });
        QTimer::singleShot(50, &sessionEnd, [&] {
            QVERIFY(QApplication::activeModalWidget() != nullptr);
            sessionEnd.endSession();
            sessionEnd.endSession();
        });
        QCOMPARE(QCoreApplication::exec(), 1);
        QCOMPARE(ending.count(), 1);
        QVERIFY(run.state.sessionEnding && !run.window->isVisible());
        QCOMPARE(dialogResult, int(QDialog::Rejected));
        QCOMPARE(run.dialogs.shown.size(), boxesBefore);
        QCOMPARE(run.dir.read(QStringLiteral("tolm.dat")), run.savedCatalogue());
    }
};

QTEST_MAIN(SessionEndTest)
#include "session_end_test.moc"
