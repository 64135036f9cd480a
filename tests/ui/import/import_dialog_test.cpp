#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QTreeView>
#include <memory>
#include <optional>

#include "import/sgd_writer.h"
#include "ui/common/folder_picker.h"
#include "ui/common/qt_text.h"
#include "ui/import/import_dialog.h"
#include "ui/import/sgd_directory_dialog.h"
#include "ui/main/game_list_model.h"
#include "support/window_fixtures.h"
#include "ui/main/main_window.h"
#include "support/scripted_dialogs.h"

using tolm::GameCatalogue;
using tolm::test::makeGame;
using tolm::test::Scratch;
using tolm::test::sgdFileBytes;
using tolm::ui::ImportDialog;
using tolm::ui::toQt;

namespace {

QByteArray sgdFile(int records, const std::string& directoryIndex = "0") {
    const std::string bytes = sgdFileBytes(records, directoryIndex);
    return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

// One import dialog over a scratch program directory and SGD directory; the
// directory picker answers from `picks` (nullopt: cancelled).
struct Import {
    Scratch program;
    Scratch sgd;
    tolm::AppState state;
    tolm::test::ScriptedDialogs dialogs;
    std::deque<std::optional<QString>> picks;
    int pickerShown = 0;
    std::unique_ptr<ImportDialog> dialog;

    Import() { state.programDirectory = program.str(); }

    void make() {
        dialog = std::make_unique<ImportDialog>(state, dialogs, nullptr,
                                                [this](QWidget*) -> std::optional<QString> {
                                                    ++pickerShown;
                                                    if (picks.empty())
                                                        return std::nullopt;
                                                    auto next = picks.front();
                                                    picks.pop_front();
                                                    return next;
                                                });
    }
    // Loads the dialog and shows it without a modal loop of its own.
    bool open() {
        make();
        if (!dialog->prepare())
            return false;
        dialog->show();
        return QTest::qWaitForWindowExposed(dialog.get());
    }
    template <typename T> T* find(const char* name) const {
        return dialog->findChild<T*>(QLatin1String(name));
    }
    QListWidget* list() const { return find<QListWidget>("List1"); }
    QPushButton* importNow() const { return find<QPushButton>("Command1"); }
    QStringList items() const {
        QStringList out;
        for (int row = 0; row < list()->count(); ++row)
            out << list()->item(row)->text();
        return out;
    }
    void click(int row) const {
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                          list()->visualItemRect(list()->item(row)).center());
    }
    QStringList names() const {
        QStringList out;
        for (const tolm::GameRecord& game : state.catalogue)
            out << toQt(game.name);
        return out;
    }
};

} // namespace

class ImportDialogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void firstImportAsksAndCancellingCloses() {
        Import run;
        run.state.catalogue = {makeGame("Kept")};
        run.make();
        QCOMPARE(run.dialog->exec(), int(QDialog::Rejected));
        QCOMPARE(run.pickerShown, 1);
        QVERIFY(run.state.sgdDirectory.empty());
        QVERIFY(!run.dialog->isVisible());
        QVERIFY(!run.dialog->imported());
        QCOMPARE(run.names(), QStringList{QStringLiteral("Kept")});
    }

    void listsEachDataFileWithItsCount() {
        Import run;
        run.sgd.write(QStringLiteral("GAMES.DAT"), QByteArray(100 * 252, ' '));
        run.sgd.write(QStringLiteral("my games.dat"), QByteArray(2898, ' '));
        run.sgd.write(QStringLiteral("b.DaT"), QByteArray());
        run.sgd.write(QStringLiteral("notes.txt"));
        run.picks = {run.sgd.path()};
        QVERIFY(run.open());
        QCOMPARE(run.dialog->objectName(), QStringLiteral("frmImport"));
        QCOMPARE(run.dialog->windowTitle(), QStringLiteral("Import SGD Data"));
        QCOMPARE(run.find<QLabel>("Label1")->text(), QStringLiteral("SGD Location"));
        QCOMPARE(run.find<QLabel>("Label2")->text(), run.sgd.path());
        QCOMPARE(run.find<QPushButton>("cmdFindDir")->text(), QStringLiteral("..."));
        QCOMPARE(run.find<QCheckBox>("Check1")->text(), QStringLiteral("Overwrite current data"));
        QVERIFY(!run.find<QCheckBox>("Check1")->isChecked());
        QCOMPARE(run.importNow()->text(), QStringLiteral("Import Now"));
        QCOMPARE(run.items(),
                 (QStringList{QStringLiteral("b.DaT (0)"), QStringLiteral("GAMES.DAT (100)"),
                              QStringLiteral("my games.dat (12)")}));
        QCOMPARE(run.state.sgdDirectory, run.sgd.str());
        QVERIFY(!run.importNow()->isEnabled());
    }

    void aSelectionEnablesImportNow() {
        Import run;
        run.sgd.write(QStringLiteral("A.DAT"), sgdFile(1));
        run.sgd.write(QStringLiteral("B.DAT"), sgdFile(1));
        run.state.sgdDirectory = run.sgd.str();
        QVERIFY(run.open());
        const std::pair<int, bool> clicks[] = {{0, true}, {1, true}, {0, true}, {1, false}};
        for (const auto& [row, enabled] : clicks) {
            run.click(row); // a click toggles its item
            QCOMPARE(run.importNow()->isEnabled(), enabled);
        }
    }

    void importsTheSelectedFiles_data() {
        QTest::addColumn<bool>("overwrite");
        QTest::addColumn<QStringList>("names");
        const QStringList first = {QStringLiteral("Game 0"), QStringLiteral("Game 1")};
        const QStringList second = {QStringLiteral("Game 0"), QStringLiteral("Game 1"),
                                    QStringLiteral("Game 2")};
        QTest::newRow("overwrite") << true << first + second;
        QTest::newRow("append") << false
                                << QStringList{QStringLiteral("By hand"), QStringLiteral("Also")} +
                                       first + second;
    }
    void importsTheSelectedFiles() {
        QFETCH(bool, overwrite);
        QFETCH(QStringList, names);
        Import run;
        run.state.catalogue = {makeGame("By hand"), makeGame("Also")};
        run.sgd.write(QStringLiteral("A.DAT"), sgdFile(2, "0"));
        run.sgd.write(QStringLiteral("b two.dat"), sgdFile(3, "1")); // a blank in its name
        run.sgd.write(QStringLiteral("unpicked.dat"), sgdFile(4));
        run.sgd.write(QStringLiteral("games/g2.tap"));
        run.program.write(QStringLiteral("sgd.ini"),
                          ("GameDir=/first\r\nGameDir=" + run.sgd.str() + "/GAMES\r\n").c_str());
        run.state.sgdDirectory = run.sgd.str();
        QVERIFY(run.open());
        QCOMPARE(run.items().size(), 3);
        run.click(1);
        run.click(0);
        run.find<QCheckBox>("Check1")->setChecked(overwrite);
        QTest::mouseClick(run.importNow(), Qt::LeftButton);

        QVERIFY(!run.dialog->isVisible());
        QCOMPARE(run.dialog->result(), int(QDialog::Accepted));
        QVERIFY(run.dialog->imported());
        QCOMPARE(run.names(), names);
        QCOMPARE(run.dialog->report().replacedCatalogue, overwrite);
        QCOMPARE(run.dialog->report().gamesImported(), std::size_t{5});
        // The file's GameDir, in the spelling on disk.
        QCOMPARE(toQt(run.state.catalogue.back().romFile), run.sgd.path() + "/games/g2.tap");
    }

    void theSecondImportGoesStraightToTheList() {
        Import run;
        run.sgd.write(QStringLiteral("GAMES.DAT"), sgdFile(1));
        run.state.sgdDirectory = run.sgd.str();
        QVERIFY(run.open());
        QCOMPARE(run.pickerShown, 0);
        QCOMPARE(run.items(), QStringList{QStringLiteral("GAMES.DAT (1)")});
    }

    void theDotsButtonChoosesAnotherDirectory() {
        Import run;
        Scratch other;
        run.sgd.write(QStringLiteral("FIRST.DAT"), sgdFile(1));
        other.write(QStringLiteral("OTHER.DAT"), sgdFile(2));
        run.picks = {run.sgd.path(), other.path(), std::nullopt};
        QVERIFY(run.open());
        QTest::mouseClick(run.find<QPushButton>("cmdFindDir"), Qt::LeftButton);
        QCOMPARE(run.find<QLabel>("Label2")->text(), other.path());
        QCOMPARE(run.items(), QStringList{QStringLiteral("OTHER.DAT (2)")});
        // Cancelling the picker keeps the directory and its list.
        QTest::mouseClick(run.find<QPushButton>("cmdFindDir"), Qt::LeftButton);
        QCOMPARE(run.pickerShown, 3);
        QCOMPARE(run.state.sgdDirectory, other.str());
        QCOMPARE(run.items(), QStringList{QStringLiteral("OTHER.DAT (2)")});
    }

    // While an import runs, window events are processed; nothing clicked
    // then may start another import or close the dialog under it.
    void nothingStartsASecondImportWhileOneRuns() {
        Import run;
        run.sgd.write(QStringLiteral("BIG.DAT"), sgdFile(3000));
        run.state.sgdDirectory = run.sgd.str();
        QVERIFY(run.open());
        run.click(0);
        bool checked = false;
        QTimer::singleShot(0, run.dialog.get(), [&] {
            checked = true;
            QVERIFY(!run.importNow()->isEnabled());
            QVERIFY(!run.list()->isEnabled());
            QVERIFY(!run.find<QPushButton>("cmdFindDir")->isEnabled());
            QVERIFY(!run.find<QCheckBox>("Check1")->isEnabled());
            QVERIFY(run.find<QProgressBar>("importProgress")->isVisible());
            QVERIFY(!run.find<QLabel>("importProgressText")->text().isEmpty());
            QMetaObject::invokeMethod(run.importNow(), "click"); // ignored: disabled
            run.dialog->reject();
            run.dialog->close();
            QVERIFY(run.dialog->isVisible());
        });
        QTest::mouseClick(run.importNow(), Qt::LeftButton);
        QVERIFY(checked);
        QCOMPARE(run.state.catalogue.size(), std::size_t{3000});
        QCOMPARE(run.dialog->result(), int(QDialog::Accepted));
    }

    void theDirectoryPickerTakesTheOpenDirectory() {
        Scratch tree;
        tree.write(QStringLiteral("sgd/data/GAMES.DAT"));
        const QString sgd = tree.path() + QStringLiteral("/sgd");
        tolm::test::ScriptedDialogs dialogs;
        const auto drives = [] { return std::vector<std::string>{"/"}; };
        for (const bool ok : {true, false}) {
            tolm::ui::SgdDirectoryDialog picker(dialogs, nullptr, drives);
            QCOMPARE(picker.objectName(), QStringLiteral("frmfindDir"));
            QCOMPARE(picker.windowTitle(), QStringLiteral("Locate SGD Directory"));
            QVERIFY(picker.findChild<QWidget*>(QStringLiteral("Drive1")));
            QVERIFY(picker.findChild<QTreeView*>(QStringLiteral("Dir1")));
            picker.picker().setOpenDirectory(sgd);
            auto* button = picker.findChild<QPushButton*>(ok ? QStringLiteral("cmdOK")
                                                             : QStringLiteral("cmdCancel"));
            QCOMPARE(button->text(), ok ? QStringLiteral("OK") : QStringLiteral("Cancel"));
            picker.show();
            QTest::mouseClick(button, Qt::LeftButton);
            QCOMPARE(picker.result(), int(ok ? QDialog::Accepted : QDialog::Rejected));
            QCOMPARE(picker.chosenDirectory(), ok ? sgd : QString());
        }
    }

    // File > Import from SGD: the list is rebuilt, the selection cleared, the
    // status bar tells what happened, and the imported game's file is found
    // where its full path points.
    void theMainWindowImportsAndReports() {
        Scratch program, sgd;
        sgd.write(QStringLiteral("GAMES.DAT"), sgdFile(2));
        sgd.write(QStringLiteral("EMPTY.DAT"), QByteArray());
        sgd.write(QStringLiteral("games/g1.tap"));
        program.write(QStringLiteral("sgd.ini"), ("GameDir=" + sgd.str() + "/GAMES").c_str());
        program.writeDatabase({makeGame("By hand")});
        tolm::AppState state;
        state.programDirectory = program.str();
        state.sgdDirectory = sgd.str();
        tolm::test::ScriptedDialogs dialogs;
        tolm::test::RecordingLauncher launcher;
        tolm::ui::MainWindow window(state, dialogs, launcher, 0);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* list = window.findChild<QTreeView*>(QStringLiteral("lstGames"));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(0, 0)).center());
        QCOMPARE(state.selectedGame, 0);

        bool driven = false;
        QTimer::singleShot(0, &window, [&] {
            auto* dialog = qobject_cast<ImportDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            driven = true;
            auto* files = dialog->findChild<QListWidget*>(QStringLiteral("List1"));
            files->item(0)->setSelected(true);
            files->item(1)->setSelected(true);
            dialog->findChild<QCheckBox*>(QStringLiteral("Check1"))->setChecked(true);
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("Command1")),
                              Qt::LeftButton);
        });
        window.findChild<QAction*>(QStringLiteral("file0"))->trigger();
        QVERIFY(driven);

        QCOMPARE(state.catalogue.size(), std::size_t{2});
        QCOMPARE(state.selectedGame, tolm::kNone);
        QCOMPARE(list->model()->rowCount(), 2);
        QCOMPARE(
            window.statusBar()->currentMessage(),
            QStringLiteral("Imported 2 games from 1 file; skipped EMPTY.DAT (holds no record)."));
        QVERIFY(QApplication::overrideCursor() == nullptr);

        // "Game 1" lies in the GameDir under its lower-case name.
        const int row = window.gameListModel().rowOf(1);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(row, 0)).center());
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("lblRomName"))->text(),
                 sgd.path() + QStringLiteral("/games/g1.tap"));
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("lblRomFound"))->text(),
                 QStringLiteral("Yes"));
    }
};

QTEST_MAIN(ImportDialogTest)
#include "import_dialog_test.moc"
