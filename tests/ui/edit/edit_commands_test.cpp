#include <QtWidgets>

#include "support/main_window_run.h"
#include "ui/edit/game_properties_dialog.h"

using namespace tolm;
using tolm::test::control;
using tolm::test::makeGame;
using tolm::test::whenModal;

namespace {

struct Run : test::MainWindowRun {
    Run() {
        start({makeGame("Bravo", "Ocean", 1984), makeGame("alpha", "Imagine", 1983),
               makeGame("Delta", "Ultimate", 1985), makeGame("charlie", "Hewson", 0)});
    }
    // Name|Publisher|Year of each row, top to bottom.
    QStringList table() const {
        QStringList out;
        const auto* model = list()->model();
        for (int row = 0; row < model->rowCount(); ++row)
            out << model->index(row, 0).data().toString() + '|' +
                       model->index(row, 1).data().toString() + '|' +
                       model->index(row, 2).data().toString();
        return out;
    }
};

} // namespace

class EditCommandsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // OK updates just the edited row with the stored values (not the typed
    // year), moves it to its sorted place and keeps the selection on it.
    void propertiesOkUpdatesTheRowInPlace() {
        const QStringList expected{"alpha|Imagine|1983", "charlie|Hewson|", "Delta|Ultimate|1985",
                                   "Zulu|Quicksilva|1985"};
        Run run;
        auto* filter = run.window->findChild<QLineEdit*>(QStringLiteral("filterBox"));
        filter->setText(QStringLiteral("bravo")); // the filter's texts as they were
        filter->clear();
        run.click(0); // Bravo
        whenModal<ui::GamePropertiesDialog>([](ui::GamePropertiesDialog& d) {
            control<QLineEdit>(d, "txtGameName")->setText(QStringLiteral("Zulu"));
            control<QLineEdit>(d, "txtPublisher")->setText(QStringLiteral("Quicksilva"));
            control<QLineEdit>(d, "txtYear")->setText(QStringLiteral("1985abc"));
            control<QPushButton>(d, "cmdOK")->click();
        });
        run.action("addgames5")->trigger();
        QCOMPARE(run.table(), expected);
        QCOMPARE(run.list()->currentIndex().data(ui::GameListModel::PositionRole).toInt(), 0);
        QCOMPARE(run.state.selectedGame, 0);
        // A filter matches the stored texts, and clearing it gives the sorted
        // order back with the row in its new place.
        for (const auto& [typed, rows] : {std::pair{"zulu quicksilva", QStringList{expected[3]}},
                                          {"bravo", QStringList{}},
                                          {"1985", QStringList{expected[2], expected[3]}},
                                          {"", expected}}) {
            filter->setText(QLatin1String(typed));
            QCOMPARE(run.table(), rows);
        }
        // A rebuild shows the same rows: the in-place update was faithful.
        run.window->refreshGameList();
        QCOMPARE(run.table(), expected);
    }
};

QTEST_MAIN(EditCommandsTest)
#include "edit_commands_test.moc"
