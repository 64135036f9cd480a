#include <QtWidgets>
#include <memory>

#include "import/sgd_writer.h"
#include "support/scripted_dialogs.h"
#include "support/window_fixtures.h"
#include "ui/import/import_dialog.h"

using tolm::test::control;
using tolm::test::makeGame;
using tolm::test::Scratch;
using tolm::ui::ImportDialog;

namespace {

QByteArray sgdFile(int records, const std::string& directoryIndex = "0") {
    return QByteArray::fromStdString(tolm::test::sgdFileBytes(records, directoryIndex));
}

// One import dialog over a scratch program directory and SGD directory; the
// directory picker answers from dialogs.folders.
struct Import {
    Scratch program;
    Scratch sgd;
    tolm::AppState state;
    tolm::test::ScriptedDialogs dialogs;
    std::unique_ptr<ImportDialog> dialog;

    Import() { state.programDirectory = program.str(); }

    void make() { dialog = std::make_unique<ImportDialog>(state, dialogs); }
    // Loads the dialog and shows it without a modal loop of its own.
    bool open() {
        make();
        if (!dialog->prepare())
            return false;
        dialog->show();
        return QTest::qWaitForWindowExposed(dialog.get());
    }
    QListWidget* list() const { return control<QListWidget>(*dialog, "List1"); }
    QPushButton* button(const char* name) const { return control<QPushButton>(*dialog, name); }
    void click(int row) const {
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                          list()->visualItemRect(list()->item(row)).center());
    }
};

} // namespace

class ImportDialogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The first import asks for the directory; cancelling that closes the
    // dialog. Then the data files with their record counts; the directory is
    // kept, so the next import goes straight to the list. A click toggles its
    // item; Import Now waits for one.
    void listsTheDataFiles() {
        Import run;
        run.state.catalogue = {makeGame("Kept")};
        run.make();
        QCOMPARE(run.dialog->exec(), int(QDialog::Rejected));
        QVERIFY(run.state.sgdDirectory.empty() && !run.dialog->imported());
        QCOMPARE(run.state.catalogue, tolm::GameCatalogue{makeGame("Kept")});
        run.sgd.write(QStringLiteral("b two.dat"), sgdFile(2));
        run.sgd.write(QStringLiteral("GAMES.DAT"), QByteArray(100 * 252, ' '));
        run.sgd.write(QStringLiteral("A.DAT"), sgdFile(3));
        run.sgd.write(QStringLiteral("notes.txt"));
        run.dialogs.folders = {run.sgd.path()};
        for (int opening = 1; opening <= 2; ++opening) {
            QVERIFY(run.open());
            QCOMPARE(run.dialogs.shown.size(), std::size_t(2));
            QCOMPARE(run.dialogs.shown[1].title, QStringLiteral("Locate SGD Directory"));
            QCOMPARE(tolm::test::itemTexts(run.list()),
                     QStringList({"A.DAT (3)", "b two.dat (2)", "GAMES.DAT (100)"}));
        }
        QCOMPARE(run.state.sgdDirectory, run.sgd.str());
        QVERIFY(!run.button("Command1")->isEnabled());
        for (const bool enabled : {true, false}) {
            run.click(2);
            QCOMPARE(run.button("Command1")->isEnabled(), enabled);
        }
    }

    // An import runs on a worker: the dialog's event loop keeps turning (a
    // 1 ms timer fires throughout) and nothing clicked meanwhile starts
    // another import. Cancel stops it between records and keeps every game
    // read before it, in order, after the games already there. (Where the
    // stop falls is the worker's business; the core's tests pin it down.)
    void cancelKeepsWhatWasImported() {
        constexpr int kBig = 60000;
        Scratch sgd;
        sgd.write(QStringLiteral("A.DAT"), sgdFile(3));
        sgd.write(QStringLiteral("BIG.DAT"), sgdFile(kBig));
        for (const bool cancel : {false, true}) {
            Import run;
            run.state.catalogue = {makeGame("Kept")};
            run.state.sgdDirectory = sgd.str();
            QVERIFY(run.open());
            run.click(0);
            run.click(1);
            int ticks = 0;
            QTimer ticker;
            ticker.setInterval(1);
            connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
            ticker.start();
            QTest::mouseClick(run.button("Command1"), Qt::LeftButton);
            QVERIFY(run.dialog->importing()); // the click came back while it runs
            QVERIFY(!run.button("Command1")->isEnabled() && !run.list()->isEnabled());
            QVERIFY(!run.button("cmdFindDir")->isEnabled());
            QMetaObject::invokeMethod(run.button("Command1"), "click"); // ignored: disabled
            if (cancel)
                run.button("importCancel")->click(); // long before 60,000 records are read
            QTRY_VERIFY_WITH_TIMEOUT(!run.dialog->isVisible(), 30000);
            QCOMPARE(run.dialog->result(), int(QDialog::Accepted));
            QVERIFY(run.dialog->imported());
            const std::size_t kept = run.state.catalogue.size();
            QCOMPARE(run.dialog->report().stopped, cancel);
            QCOMPARE(run.dialog->report().gamesImported(), kept - 1);
            QCOMPARE(run.dialog->firstImported(), std::size_t{1});
            for (std::size_t i = 0; i < kept; ++i) {
                const std::string name = i == 0  ? "Kept"
                                         : i < 4 ? "Game " + std::to_string(i - 1)
                                                 : "Game " + std::to_string(i - 4);
                QCOMPARE(run.state.catalogue[i].name, name);
            }
            if (cancel) {
                QVERIFY2(kept < 4 + kBig, qPrintable(QString::number(kept)));
            } else {
                QCOMPARE(kept, std::size_t{4 + kBig});
                QVERIFY2(ticks > 1, qPrintable(QString::number(ticks)));
            }
        }
    }
};

QTEST_MAIN(ImportDialogTest)
#include "import_dialog_test.moc"
