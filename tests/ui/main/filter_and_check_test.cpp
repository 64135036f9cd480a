#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <memory>

#include "support/window_fixtures.h"
#include "ui/main/check_files_window.h"
#include "ui/main/game_filter_box.h"
#include "ui/main/game_list_model.h"
#include "ui/main/main_window.h"
#include "support/scripted_dialogs.h"

using tolm::GameCatalogue;
using Answer = tolm::test::ScriptedDialogs::Answer;

namespace {

struct Run {
    tolm::test::Scratch dir;
    tolm::AppState state;
    tolm::test::ScriptedDialogs dialogs;
    tolm::test::RecordingLauncher launcher;
    std::unique_ptr<tolm::ui::MainWindow> window;

    void start(const GameCatalogue& games, const QString& ini = {}) {
        dir.writeDatabase(games);
        if (!ini.isEmpty())
            dir.write(QStringLiteral("tolm.ini"), dir.expand(ini).toUtf8());
        state.programDirectory = dir.str();
        window = std::make_unique<tolm::ui::MainWindow>(state, dialogs, launcher, 0);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    QTreeView* list() const { return window->findChild<QTreeView*>(QStringLiteral("lstGames")); }
    tolm::ui::GameFilterBox* box() const {
        return window->findChild<tolm::ui::GameFilterBox*>(QStringLiteral("filterBox"));
    }
    QString names() const { // the Name column, top to bottom
        QStringList out;
        for (int row = 0; row < list()->model()->rowCount(); ++row)
            out << list()->model()->index(row, 0).data().toString();
        return out.join(QLatin1Char(' '));
    }
    QString status() const { return window->statusBar()->currentMessage(); }
    void type(const QString& text) const { box()->setText(text); }
    void selectAll() const {
        list()->setFocus();
        list()->selectAll();
    }
};

GameCatalogue games() {
    using tolm::test::makeGame;
    GameCatalogue catalogue = {makeGame("beta", "Zeta", 1985), makeGame("Alpha", "ocean", 0),
                               makeGame("gamma", "Imagine", 1984),
                               makeGame("Delta",
                                        "Oc\xC3\xA9"
                                        "an",
                                        1984),
                               makeGame("eps", "Bug", 1986)};
    catalogue[2].authors = "Jon Ritman";
    return catalogue;
}

} // namespace

class FilterAndCheckTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void filterBoxSitsInTheMenuBar() {
        Run run;
        run.start(games());
        QCOMPARE(run.window->menuBar()->cornerWidget(Qt::TopRightCorner), run.box());
        QCOMPARE(run.box()->placeholderText(), QStringLiteral("Filter games"));
        QTest::keyClick(run.window.get(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY(run.box()->hasFocus());
        QTest::keyClicks(run.box(), QStringLiteral("oce"));
        QCOMPARE(run.names(), QStringLiteral("Alpha Delta"));
        QTest::keyClick(run.box(), Qt::Key_Escape);
        QCOMPARE(run.box()->text(), QString());
        QCOMPARE(run.list()->model()->rowCount(), 5);
    }

    void filterMatchesWordsAndKeepsTheSort_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("status");
        QTest::newRow("nothing") << ""
                                 << "Alpha beta Delta eps gamma"
                                 << "";
        QTest::newRow("accent folded") << "OCEAN"
                                       << "Alpha Delta"
                                       << "2 of 5 games";
        QTest::newRow("typed accent") << "oc\xC3\xA9"
                                         "an"
                                      << "Alpha Delta"
                                      << "2 of 5 games";
        QTest::newRow("year") << "1984"
                              << "Delta gamma"
                              << "2 of 5 games";
        QTest::newRow("two fields") << "ritman 1984"
                                    << "gamma"
                                    << "1 of 5 games";
        QTest::newRow("no game") << "zzz"
                                 << ""
                                 << "0 of 5 games";
        QTest::newRow("blanks only") << "   "
                                     << "Alpha beta Delta eps gamma"
                                     << "";
    }
    void filterMatchesWordsAndKeepsTheSort() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, status);
        Run run;
        run.start(games());
        run.type(typed);
        QCOMPARE(run.names(), shown);
        QCOMPARE(run.status(), status);
        // Sorting by year, descending then ascending, sorts the shown rows only.
        run.window->sortByColumn(tolm::ui::GameListModel::YearColumn);
        const QStringList rows = run.names().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        QCOMPARE(rows.size(), shown.split(QLatin1Char(' '), Qt::SkipEmptyParts).size());
        run.type(QString());
        QCOMPARE(run.status(), QString());
        QCOMPARE(run.names(), QStringLiteral("Alpha gamma Delta beta eps")); // year order kept
    }

    void commandsActOnWhatIsShown() {
        Run run;
        run.start(games());
        run.type(QStringLiteral("ocean"));
        run.selectAll();
        run.dialogs.answers.push_back(Answer::Yes);
        run.window->removeSelectedGames();
        QCOMPARE(run.state.catalogue.size(), std::size_t{3});
        for (const auto& game : run.state.catalogue)
            QVERIFY(game.name != "Alpha" && game.name != "Delta");
        // The filter stays applied after the list is refreshed.
        QCOMPARE(run.box()->text(), QStringLiteral("ocean"));
        QCOMPARE(run.names(), QString());
        QCOMPARE(run.status(), QStringLiteral("0 of 3 games"));
    }

    void hidingTheSelectedGameLetsItGo() {
        Run run;
        run.start(games());
        const int beta = 0;
        run.list()->setCurrentIndex(
            run.list()->model()->index(run.window->gameListModel().rowOf(beta), 0));
        run.window->showCurrentDetails();
        QCOMPARE(run.state.selectedGame, beta);
        run.type(QStringLiteral("zeta")); // still shown: still selected
        QCOMPARE(run.state.selectedGame, beta);
        QVERIFY(run.list()->selectionModel()->isRowSelected(0, {}));
        run.type(QStringLiteral("ocean"));
        QCOMPARE(run.state.selectedGame, tolm::kNone);
    }

    void checkFilesSelectsTheGamesInTheList() {
        Run run;
        GameCatalogue catalogue = games();
        catalogue[0].romFile = "beta.tap";  // there
        catalogue[1].romFile = "alpha.tap"; // not there
        catalogue[2].screenshots = "g.png,gone.png";
        catalogue[3].musicFile = "delta.ay"; // not there
        run.dir.write(QStringLiteral("roms/beta.tap"));
        run.dir.write(QStringLiteral("shots/g.png"));
        run.start(catalogue, QStringLiteral("[RomPaths]\nnum=1\npath00=%D/roms/\n"
                                            "[ScreenshotPaths]\nnum=1\npath00=%D/shots/\n"));
        run.type(QStringLiteral("beta")); // hides games the check will select

        QAction* check = run.window->findChild<QAction*>(QStringLiteral("checkFilesAction"));
        QVERIFY(check);
        QCOMPARE(check->text(), QStringLiteral("Check Files..."));
        QString summary;
        QStringList rows;
        QTimer::singleShot(0, [&] {
            auto* window = run.window->findChild<tolm::ui::CheckFilesWindow*>();
            QVERIFY(window);
            const auto* missing = window->findChild<QTreeWidget*>(QStringLiteral("lstMissing"));
            summary = window->findChild<QLabel*>(QStringLiteral("lblSummary"))->text();
            for (int i = 0; i < missing->topLevelItemCount(); ++i) {
                const QTreeWidgetItem* item = missing->topLevelItem(i);
                rows << item->text(0) + QLatin1Char('|') + item->text(1) + QLatin1Char('|') +
                            item->text(2) + QLatin1Char('|') + item->text(3);
            }
            window->findChild<QPushButton*>(QStringLiteral("cmdSelect"))->click();
        });
        check->trigger();
        QCOMPARE(summary, QStringLiteral("3 games: 1 ROM, 1 music file, 1 screenshot not found"));
        QCOMPARE(rows, (QStringList{"Alpha|alpha.tap||", "gamma|||gone.png", "Delta||delta.ay|"}));
        QCOMPARE(run.box()->text(), QString()); // the filter gave way
        QStringList selected;
        for (const QModelIndex& index : run.list()->selectionModel()->selectedRows())
            selected << index.data().toString();
        selected.sort();
        QCOMPARE(selected, (QStringList{"Alpha", "Delta", "gamma"}));
        QVERIFY(run.state.selectedGame != tolm::kNone);
    }
};

QTEST_MAIN(FilterAndCheckTest)
#include "filter_and_check_test.moc"
