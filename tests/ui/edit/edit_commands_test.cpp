#include <QtWidgets>

#include "support/main_window_run.h"
#include "ui/config/zxdb_database_dialog.h"
#include "ui/edit/fill_in_dialog.h"
#include "ui/edit/game_properties_dialog.h"
#include "ui/edit/zxdb_lookup_dialog.h"

using namespace tolm;
using tolm::test::control;
using tolm::test::makeGame;
using tolm::test::whenModal;

namespace {

// Name|Publisher|Year of each row, top to bottom.
QStringList tableOf(const test::MainWindowRun& run) {
    QStringList out;
    const auto* model = run.list()->model();
    for (int row = 0; row < model->rowCount(); ++row)
        out << model->index(row, 0).data().toString() + '|' +
                   model->index(row, 1).data().toString() + '|' +
                   model->index(row, 2).data().toString();
    return out;
}

// "field|now|proposed|ticked" for each row of a proposal list.
QStringList proposalRows(const QAbstractItemModel& model) {
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < 4; ++column)
            cells << model.index(row, column).data().toString();
        rows << cells.join('|') + '|' +
                    QString::number(model.index(row, 0).data(Qt::CheckStateRole).toInt() / 2);
    }
    return rows;
}

void flipTick(QAbstractItemModel& model, int row) {
    const QModelIndex tick = model.index(row, 0);
    model.setData(tick, tick.data(Qt::CheckStateRole).toInt() == 2 ? 0 : 2, Qt::CheckStateRole);
}

zxdb::Entry zxdbEntry(std::int32_t id, const char* title, std::int32_t year, const char* publisher,
                      const char* genre, std::vector<std::string> files = {}) {
    zxdb::Entry entry;
    entry.id = id;
    entry.title = title;
    entry.year = year;
    entry.publisher = publisher;
    entry.authors = "Matthew Smith";
    entry.genre = genre;
    entry.machine = "ZX-Spectrum 48K";
    entry.files = std::move(files);
    return entry;
}

struct Run : test::MainWindowRun {
    Run() {
        start({makeGame("Bravo", "Ocean", 1984), makeGame("alpha", "Imagine", 1983),
               makeGame("Delta", "Ultimate", 1985), makeGame("charlie", "Hewson", 0)});
    }
    QStringList table() const { return tableOf(*this); }
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

    // Fill In lists what the files propose, ticked where the field was the
    // file's or empty; Apply takes just the ticked rows, Cancel nothing. With
    // one game or none selected it reads every shown game.
    void fillInAppliesOnlyTheTickedFields() {
        test::MainWindowRun run;
        auto game = [](const char* name, const char* publisher, int year, const char* rom) {
            GameRecord record = makeGame(name, publisher, year);
            record.romFile = rom;
            return record;
        };
        const GameCatalogue games = {
            game("Chase H", "", 0, "Chase H.Q. (1989)(Ocean Software)[128K].tap"),
            game("My Miner", "Bug-Byte", 1984, "Manic Miner (1983)(Bug-Byte Software).tzx.zip"),
            game("Knight Lore", "Ultimate", 1984, "Knight Lore (1984)(Ultimate).tap"),
            game("Jet", "", 0, "Jet Set Willy (1984)(Software Projects).tap")};
        for (std::size_t i = 0; i < 3; ++i) // the last game's file is not there
            run.dir.write(QStringLiteral("roms/") + ui::toQt(games[i].romFile));
        run.start(games, QStringLiteral("[RomPaths]\nnum=1\npath00=%D/roms/\n"));
        auto* filter = run.window->findChild<QLineEdit*>(QStringLiteral("filterBox"));
        QAction* fillIn = run.action("fillInAction");
        QCOMPARE(fillIn->text(), QStringLiteral("Fill In from Files..."));

        // Reads the rows as "game|field|now|proposed|ticked", flips the ticks
        // of the rows in `flip`, then clicks `button`.
        auto answer = [](QStringList& rows, std::vector<int> flip, const char* button) {
            whenModal<ui::FillInDialog>([&rows, flip, button](ui::FillInDialog& d) {
                auto* model = control<QTreeView>(d, ui::FillInDialog::kProposalList)->model();
                rows << proposalRows(*model);
                for (const int row : flip)
                    flipTick(*model, row);
                control<QPushButton>(d, button)->click();
            });
        };
        QStringList rows;
        run.click(2); // one selected: every shown game
        answer(rows, {1, 5}, ui::FillInDialog::kApplyButton);
        fillIn->trigger();
        QCOMPARE(rows, (QStringList{"Chase H|Name|Chase H|Chase H.Q. [128K]|1", "|Year||1989|1",
                                    "|Publisher||Ocean Software|1",
                                    "My Miner|Name|My Miner|Manic Miner|0", "|Year|1984|1983|0",
                                    "|Publisher|Bug-Byte|Bug-Byte Software|0"}));
        const QStringList applied{"Chase H.Q. [128K]|Ocean Software|", "Jet||",
                                  "Knight Lore|Ultimate|1984", "My Miner|Bug-Byte Software|1984"};
        QCOMPARE(tableOf(run), applied);

        // Two selected: just those; Cancel leaves the catalogue as it was.
        const QByteArray before = run.savedCatalogue();
        auto* selection = run.list()->selectionModel();
        selection->clearSelection();
        for (const int position : {0, 2})
            selection->select(run.item(position),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
        rows.clear();
        answer(rows, {0, 1}, ui::FillInDialog::kCancelButton);
        fillIn->trigger();
        QCOMPARE(rows, (QStringList{"Chase H.Q. [128K]|Year||1989|1"}));
        QCOMPARE(run.savedCatalogue(), before);

        // Nothing to propose: a box says so, whether the files say nothing
        // new or are not there.
        for (const auto& [typed, box] :
             {std::pair{"knight", "Nothing to fill in: the files propose no change."},
              {"jet", "None of these games' files was found."}}) {
            filter->setText(QLatin1String(typed));
            run.dialogs.shown.clear();
            fillIn->trigger();
            QCOMPARE(run.boxes(), QStringList{QStringLiteral("Fill In from Files|") + box});
        }
        QCOMPARE(run.savedCatalogue(), before);
    }

    // Look Up lists the game's candidates (here found by its file) and what
    // the first proposes, every field but Name ticked; a Name ticked by hand
    // keeps the game's own flags. Another title searches again; Cancel keeps
    // the game as it was.
    void zxdbLookUpAppliesTheTickedFields() {
        test::MainWindowRun run;
        GameRecord game = makeGame("JSW (Side A)[cr Mr X]", "", 0);
        game.romFile = "JetSetWilly.tap";
        run.start({game, makeGame("Other", "Ocean", 1985)});
        zxdb::Index index;
        index.entries = {
            zxdbEntry(2589, "Jet Set Willy", 1984, "Software Projects", "Arcade: Platform",
                      {"JetSetWilly.tap.zip"}),
            zxdbEntry(2590, "Jet Set Willy II", 1985, "Software Projects", "Arcade: Platform")};
        index.entries[1].authors = "Paweł Wąs";
        run.state.zxdb = std::make_shared<const ZxdbData>(std::move(index));
        run.click(0);
        QStringList rows;
        QStringList research;
        whenModal<ui::ZxdbLookUpDialog>([&](ui::ZxdbLookUpDialog& d) {
            QCOMPARE(d.candidateCount(), 1);
            auto* model = control<QTreeView>(d, ui::ZxdbLookUpDialog::kProposalList)->model();
            rows = proposalRows(*model);
            flipTick(*model, 0); // Name
            flipTick(*model, 3); // Authors
            control<QPushButton>(d, ui::ZxdbLookUpDialog::kApplyButton)->click();
        });
        run.action("lookUpZxdbAction")->trigger();
        QCOMPARE(rows, (QStringList{
                           "JSW (Side A)[cr Mr X]|Name|JSW (Side A)[cr Mr X]|Jet Set Willy (Side "
                           "A)[cr Mr X]|0",
                           "|Year||1984|1", "|Publisher||Software Projects|1",
                           "|Authors||Matthew Smith|1",
                           "|Genre|Arcade - Beat'em Up|Arcade - Platformer (Multi Screen)|1"}));
        const GameRecord& looked = run.state.catalogue[0];
        QCOMPARE(ui::toQt(looked.name), QStringLiteral("Jet Set Willy (Side A)[cr Mr X]"));
        QCOMPARE(looked.year, 1984);
        QCOMPARE(ui::toQt(looked.publisher), QStringLiteral("Software Projects"));
        QVERIFY(looked.authors.empty());
        QCOMPARE(ui::toQt(genreText(looked.genre)),
                 QStringLiteral("Arcade - Platformer (Multi Screen)"));
        QCOMPARE(run.label("lblGameName"), QStringLiteral("Jet Set Willy (Side A)[cr Mr X]"));

        const QByteArray before = run.savedCatalogue();
        whenModal<ui::ZxdbLookUpDialog>([&](ui::ZxdbLookUpDialog& d) {
            control<QLineEdit>(d, ui::ZxdbLookUpDialog::kTitleBox)
                ->setText(QStringLiteral("jet set willy 2"));
            control<QPushButton>(d, ui::ZxdbLookUpDialog::kSearchButton)->click();
            auto* candidates = control<QTreeWidget>(d, ui::ZxdbLookUpDialog::kCandidateList);
            for (int row = 0; row < candidates->topLevelItemCount(); ++row)
                research << candidates->topLevelItem(row)->text(0);
            // A text the catalogue cannot store comes as the nearest it can, in italics.
            const auto* model = control<QTreeView>(d, ui::ZxdbLookUpDialog::kProposalList)->model();
            const QModelIndex authors = model->index(2, 3); // after Name and Year
            research << authors.data().toString()
                     << QString::number(authors.data(Qt::FontRole).value<QFont>().italic())
                     << QString::number(control<QLabel>(d, "lblAdapted")->isVisibleTo(&d));
            control<QPushButton>(d, ui::ZxdbLookUpDialog::kCancelButton)->click();
        });
        run.action("popupLookUpZxdbAction")->trigger();
        QCOMPARE(research, (QStringList{"Jet Set Willy II", "Pawel Was", "1", "1"}));
        QCOMPARE(run.savedCatalogue(), before);
    }

    // Fill In from ZXDB lists unique matches' changes, ticked where the game
    // lacks the field; a game with two candidates waits for the user's pick,
    // whose changes then join the list.
    void zxdbFillInSettlesAmbiguitiesByHand() {
        test::MainWindowRun run;
        run.start({makeGame("Tetris", "", 0), makeGame("Manic Miner [a]", "Bug-Byte", 1983),
                   makeGame("Nowhere", "", 0)});
        zxdb::Index index;
        index.entries = {
            zxdbEntry(1, "Manic Miner", 1983, "Bug-Byte Software Ltd", "Arcade: Platform"),
            zxdbEntry(2, "Tetris", 1988, "Mirrorsoft", "Puzzle"),
            zxdbEntry(3, "Tetris", 1990, "Fuxoft", "Puzzle")};
        run.state.zxdb = std::make_shared<const ZxdbData>(std::move(index));
        QStringList offered;
        QStringList chosen;
        whenModal<ui::FillInDialog>([&](ui::FillInDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Fill In from ZXDB"));
            auto* model = control<QTreeView>(d, ui::FillInDialog::kProposalList)->model();
            offered = proposalRows(*model);
            auto* box = control<QComboBox>(d, "cboChoice0");
            QCOMPARE(box->count(), 3);
            QCOMPARE(box->itemText(1), QStringLiteral("Tetris (1988, Mirrorsoft)"));
            box->setCurrentIndex(2);
            chosen = proposalRows(*model);
            control<QPushButton>(d, ui::FillInDialog::kApplyButton)->click();
        });
        run.action("fillInZxdbAction")->trigger();
        const QStringList manic{"Manic Miner [a]|Publisher|Bug-Byte|Bug-Byte Software Ltd|0",
                                "|Authors||Matthew Smith|1",
                                "|Genre|Arcade - Beat'em Up|Arcade - Platformer (Multi Screen)|1"};
        QCOMPARE(offered, manic);
        const QStringList tetris{"Tetris|Year||1990|1", "|Publisher||Fuxoft|1",
                                 "|Authors||Matthew Smith|1",
                                 "|Genre|Arcade - Beat'em Up|Brain - Puzzle|1"};
        QCOMPARE(chosen, manic + tetris);
        QCOMPARE(tableOf(run),
                 (QStringList{"Manic Miner [a]|Bug-Byte|1983", "Nowhere||", "Tetris|Fuxoft|1990"}));
    }

    // Without an index the ZXDB window opens first; a file that is no ZXDB
    // script is refused with a box, and no index appears.
    void zxdbCommandsWithoutAnIndexOfferToReadOne() {
        test::MainWindowRun run;
        run.dir.write(QStringLiteral("notes.sql"), "Just some notes.\n");
        run.start({makeGame("Tetris", "", 0)});
        QString shown;
        whenModal<ui::ZxdbDatabaseDialog>([&](ui::ZxdbDatabaseDialog& d) {
            shown = control<QLabel>(d, ui::ZxdbDatabaseDialog::kVersionLabel)->text();
            QVERIFY(!d.readScript(run.dir.path(QStringLiteral("notes.sql"))));
            control<QPushButton>(d, ui::ZxdbDatabaseDialog::kCloseButton)->click();
        });
        run.action("fillInZxdbAction")->trigger();
        QCOMPARE(shown, QStringLiteral("No ZXDB script has been read yet."));
        QCOMPARE(run.boxes().size(), 1);
        QVERIFY(run.boxes()[0].startsWith(
            QStringLiteral("ZXDB Database|Tolm could not make the ZXDB index from notes.sql: ")));
        QVERIFY(!run.state.zxdb);
        QVERIFY(!QFile::exists(ui::toQt(run.state.zxdbIndexPath())));
    }
};

QTEST_MAIN(EditCommandsTest)
#include "edit_commands_test.moc"
