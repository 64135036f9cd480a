#include <QtWidgets>
#include <memory>

#include "support/scripted_dialogs.h"
#include "support/window_fixtures.h"
#include "ui/edit/add_game_dialog.h"
#include "ui/edit/game_properties_dialog.h"
#include "ui/main/game_list_model.h"
#include "ui/main/main_window.h"

using namespace tolm;
using tolm::test::control;
using tolm::test::makeGame;
using tolm::test::whenModal;

namespace {

// The real main window over four games in a scratch program directory.
struct Run {
    test::Scratch dir;
    AppState state;
    test::ScriptedDialogs dialogs;
    test::RecordingLauncher launcher;
    std::unique_ptr<ui::MainWindow> window;

    Run() {
        dir.writeDatabase({makeGame("Bravo", "Ocean", 1984), makeGame("alpha", "Imagine", 1983),
                           makeGame("Delta", "Ultimate", 1985), makeGame("charlie", "Hewson", 0)});
        state.programDirectory = dir.str();
        window = std::make_unique<ui::MainWindow>(state, dialogs, launcher, 0);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    QTreeView* list() const { return control<QTreeView>(*window, "lstGames"); }
    void trigger(const char* action) const { control<QAction>(*window, action)->trigger(); }
    QString label(const char* name) const { return control<QLabel>(*window, name)->text(); }
    // Name | Publisher | Year of each row, top to bottom.
    QStringList rows() const {
        QStringList out;
        const auto* model = list()->model();
        for (int row = 0; row < model->rowCount(); ++row)
            out << model->index(row, 0).data().toString() + '|' +
                       model->index(row, 1).data().toString() + '|' +
                       model->index(row, 2).data().toString();
        return out;
    }
    void click(int position) const {
        const QModelIndex item = list()->model()->index(window->gameListModel().rowOf(position), 0);
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                          list()->visualRect(item).center());
    }
};

} // namespace

class EditCommandsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // OK updates just the edited row with the stored values (not the typed
    // year), moves it to its sorted place and keeps the selection on it.
    void propertiesOkUpdatesTheRowInPlace() {
        const QStringList ascending{"alpha|Imagine|1983", "charlie|Hewson|", "Delta|Ultimate|1985",
                                    "Zulu|Quicksilva|1985"};
        for (const bool descending : {false, true}) {
            const QStringList expected =
                descending ? QStringList(ascending.rbegin(), ascending.rend()) : ascending;
            Run run;
            run.trigger("addgames5"); // nothing selected yet: nothing opens
            QCOMPARE(QApplication::activeModalWidget(), nullptr);
            if (descending)
                run.window->sortByColumn(0);
            run.click(0); // Bravo
            whenModal<ui::GamePropertiesDialog>([](ui::GamePropertiesDialog& d) {
                control<QLineEdit>(d, "txtGameName")->setText(QStringLiteral("Zulu"));
                control<QLineEdit>(d, "txtPublisher")->setText(QStringLiteral("Quicksilva"));
                control<QLineEdit>(d, "txtYear")->setText(QStringLiteral("1985abc"));
                control<QComboBox>(d, "lstType")->setCurrentIndex(15);
                control<QPushButton>(d, "cmdOK")->click();
            });
            run.trigger(descending ? "add7" : "addgames5"); // the pop-up's Properties, the menu's
            QCOMPARE(run.rows(), expected);
            QCOMPARE(run.list()->currentIndex().data(ui::GameListModel::PositionRole).toInt(), 0);
            QCOMPARE(run.list()->selectionModel()->selectedRows(),
                     QModelIndexList{run.list()->currentIndex()});
            QCOMPARE(run.state.selectedGame, 0);
            QCOMPARE((QStringList{run.label("lblGameName"), run.label("lblYear"),
                                  run.label("lblPub"), run.label("lblType")}),
                     (QStringList{"Zulu", "1985", "Quicksilva", "Arcade - [uncategorized]"}));
            // A rebuild shows the same rows: the in-place update was faithful.
            run.window->refreshGameList();
            QCOMPARE(run.rows(), expected);
        }
    }

    void addSingleThenTheListShowsIt() {
        Run run;
        whenModal<ui::AddGameDialog>([](ui::AddGameDialog& d) {
            control<QLineEdit>(d, "txtGameName")->setText(QStringLiteral("Echo"));
            control<QLineEdit>(d, "txtYear")->setText(QStringLiteral("1986"));
            control<QPushButton>(d, "cmdOK")->click();
        });
        run.trigger("add0");
        QCOMPARE(run.state.catalogue.size(), std::size_t(5));
        QCOMPARE(run.rows().at(4), QStringLiteral("Echo||1986"));
        QVERIFY(control<QAction>(*run.window, "file1")->isEnabled());
    }
};

QTEST_MAIN(EditCommandsTest)
#include "edit_commands_test.moc"
