#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

#include "support/main_window_run.h"
#include "ui/main/check_files_window.h"
#include "ui/main/game_filter_box.h"

using Answer = tolm::test::ScriptedDialogs::Answer;

namespace {

// Five games, one publisher written with an accent; the files Check Files
// looks for are there only as each test writes them.
struct Run : tolm::test::MainWindowRun {
    void start(const QString& ini = {}) {
        using tolm::test::makeGame;
        // clang-format off
        tolm::GameCatalogue games = {makeGame("beta", "Zeta", 1985), makeGame("Alpha", "ocean", 0),
            makeGame("gamma", "Imagine", 1984), makeGame("Delta", "Oc\xC3\xA9" "an", 1984),
            makeGame("eps", "Bug", 1986)};
        // clang-format on
        games[0].romFile = "beta.tap";
        games[1].romFile = "alpha.tap";
        games[2].screenshots = "g.png,gone.png";
        games[3].musicFile = "delta.ay";
        MainWindowRun::start(games, ini);
    }
    tolm::ui::GameFilterBox* box() const {
        return window->findChild<tolm::ui::GameFilterBox*>(QStringLiteral("filterBox"));
    }
    QString status() const { return window->statusBar()->currentMessage(); }
};

} // namespace

class FilterAndCheckTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The words' matching is the catalogue's business; here: the box, the
    // rows it leaves, the count it reports, the sort and selection kept.
    void filterBox() {
        Run run;
        run.start();
        run.click(0); // beta
        QTest::keyClick(run.window.get(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY(run.box()->hasFocus());
        QTest::keyClicks(run.box(), QStringLiteral("ZETA"));
        QCOMPARE(run.rows(), QStringLiteral("beta"));
        QCOMPARE(run.status(), QStringLiteral("1 of 5 games"));
        QCOMPARE(run.state.selectedGame, 0); // still shown: still selected
        QTest::keyClick(run.box(), Qt::Key_Escape);
        QCOMPARE(run.rows(), QStringLiteral("Alpha beta Delta eps gamma"));

        run.box()->setText(QStringLiteral("1984"));
        QCOMPARE(run.rows(), QStringLiteral("Delta gamma"));
        run.window->sortByColumn(tolm::ui::GameListModel::YearColumn); // sorts the shown rows
        run.box()->setText(QStringLiteral("   "));
        QCOMPARE(run.rows(), QStringLiteral("Alpha gamma Delta beta eps")); // year order kept

        run.box()->setText(QStringLiteral("ocean")); // hides the selected game: it goes
        QCOMPARE(run.state.selectedGame, tolm::kNone);
        QCOMPARE(run.rows(), QStringLiteral("Alpha Delta")); // both accents
        // Commands act on what is shown, and the filter stays.
        run.list()->setFocus();
        run.list()->selectAll();
        run.dialogs.answers.push_back(Answer::Yes);
        run.window->removeSelectedGames();
        QCOMPARE(run.names(), QStringLiteral("beta gamma eps"));
        QCOMPARE(run.box()->text(), QStringLiteral("ocean"));
        QCOMPARE(run.status(), QStringLiteral("0 of 3 games"));
    }

    void checkFilesSelectsTheGamesInTheList() {
        Run run;
        run.dir.write(QStringLiteral("roms/beta.tap"));
        run.dir.write(QStringLiteral("shots/g.png"));
        run.start(QStringLiteral("[RomPaths]\nnum=1\npath00=%D/roms/\n"
                                 "[ScreenshotPaths]\nnum=1\npath00=%D/shots/\n"));
        run.box()->setText(QStringLiteral("beta")); // hides games the check will select
        QString summary;
        QTimer::singleShot(0, [&] {
            auto* window = run.window->findChild<tolm::ui::CheckFilesWindow*>();
            QVERIFY(window);
            summary = window->findChild<QLabel*>(QStringLiteral("lblSummary"))->text();
            window->findChild<QPushButton*>(QStringLiteral("cmdSelect"))->click();
        });
        run.window->findChild<QAction*>(QStringLiteral("checkFilesAction"))->trigger();
        QCOMPARE(summary, QStringLiteral("3 games: 1 ROM, 1 music file, 1 screenshot not found"));
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
