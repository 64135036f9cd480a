// How fast the game list fills and re-sorts over 100,000 games, and how long
// the program takes from start to a shown window over a catalogue of that
// size, each beside a QTreeWidget holding the same rows.
//
// Runs offscreen. Prints the median of several runs.

#include <QApplication>
#include <QHeaderView>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTreeView>
#include <QTreeWidget>
#include <cstdio>
#include <string>
#include <vector>

#include "catalogue/catalogue_ops.h"
#include "catalogue/database.h"
#include "made_catalogue.h"
#include "state/app_state.h"
#include "support/scripted_dialogs.h"
#include "timing.h"
#include "ui/main/game_list_model.h"
#include "ui/main/main_window.h"
#include "ui/widgets/program_launcher.h"
#include "ui/widgets/qt_text.h"
#include "ui/widgets/user_dialogs.h"

namespace {

using namespace tolm::bench;

constexpr int kGames = 100000;
constexpr int kRuns = 7;

void fillTreeWidget(QTreeWidget& tree, const tolm::GameCatalogue& catalogue) {
    tree.clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(catalogue.size()));
    for (std::size_t i = 0; i < catalogue.size(); ++i) {
        const tolm::GameRecord& game = catalogue[i];
        auto* item = new QTreeWidgetItem(
            QStringList{tolm::ui::toQt(game.name), tolm::ui::toQt(game.publisher),
                        game.year == 0 ? QString() : QString::number(game.year)});
        item->setData(0, Qt::UserRole, tolm::ui::toQt(tolm::itemKey(static_cast<int>(i))));
        items.push_back(item);
    }
    tree.addTopLevelItems(items);
    tree.sortItems(0, Qt::AscendingOrder);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::printf("generating %d games...\n", kGames);
    const tolm::GameCatalogue catalogue = makeCatalogue(kGames);
    const char* const columnNames[] = {"Name", "Publisher", "Year"};

    // The model and its view, as the main window has them.
    tolm::ui::GameListModel model(catalogue);
    QTreeView view;
    view.setRootIsDecorated(false);
    view.setUniformRowHeights(true);
    view.setSelectionMode(QAbstractItemView::ExtendedSelection);
    view.setModel(&model);
    view.resize(760, 400);
    view.show();
    QApplication::processEvents();

    const double fill = medianMs(kRuns, [&] {
        model.refresh();
        view.viewport()->repaint();
    });
    double sortMs[3] = {};
    for (int column = 0; column < 3; ++column) {
        // The first sort by a column after a refresh, keys included.
        sortMs[column] = medianMs(
            kRuns,
            [&] {
                model.sort(0, Qt::AscendingOrder);
                model.refresh();
                view.viewport()->repaint();
            },
            [&] {
                model.sort(column, column == 0 ? Qt::DescendingOrder : Qt::AscendingOrder);
                view.viewport()->repaint();
            });
    }
    view.hide();

    // The same rows in a QTreeWidget.
    QTreeWidget tree;
    tree.setRootIsDecorated(false);
    tree.setUniformRowHeights(true);
    tree.setColumnCount(3);
    tree.resize(760, 400);
    tree.show();
    QApplication::processEvents();
    const double treeFill = medianMs(
        kRuns, [&] { tree.clear(); },
        [&] {
            fillTreeWidget(tree, catalogue);
            tree.viewport()->repaint();
        });
    double treeSortMs[3] = {};
    for (int column = 0; column < 3; ++column) {
        treeSortMs[column] = medianMs(
            kRuns, [&] { tree.sortItems(0, Qt::AscendingOrder); },
            [&] {
                tree.sortItems(column, column == 0 ? Qt::DescendingOrder : Qt::AscendingOrder);
                tree.viewport()->repaint();
            });
    }
    tree.hide();

    // Start-up: a program directory with the catalogue saved in it.
    QTemporaryDir dir;
    const std::string directory = tolm::ui::toStd(dir.path());
    {
        tolm::AppState writer;
        writer.programDirectory = directory;
        if (!tolm::saveDatabase(catalogue, writer.databasePath())) {
            std::printf("could not write the catalogue\n");
            return 1;
        }
    }
    // Beside it: loading the same file and filling a QTreeWidget from it.
    tree.show();
    const double treeStart = medianMs(
        kRuns, [&] { tree.clear(); },
        [&] {
            tolm::AppState state;
            state.programDirectory = directory;
            tolm::loadCatalogue(state);
            fillTreeWidget(tree, state.catalogue);
            tree.viewport()->repaint();
        });
    tree.hide();
    tree.clear();

    tolm::test::ScriptedDialogs dialogs; // none is expected to be asked
    tolm::ui::QtProgramLauncher launcher;
    std::vector<double> startSamples;
    for (int run = 0; run < kRuns; ++run) {
        tolm::AppState state;
        state.programDirectory = directory;
        const auto started = Clock::now();
        tolm::ui::MainWindow window(state, dialogs, launcher, 0);
        window.show();
        window.repaint();
        QApplication::processEvents();
        startSamples.push_back(msSince(started));
        if (window.gameListModel().rowCount() != kGames) {
            std::printf("start-up showed %d rows\n", window.gameListModel().rowCount());
            return 1;
        }
        window.hide();
    }
    const double start = median(startSamples);

    std::printf("QTreeWidget fill at %d games: %.1f ms (list model %.1fx faster)\n", kGames,
                treeFill, treeFill / fill);
    for (int column = 0; column < 3; ++column) {
        std::printf("QTreeWidget re-sort by %s: %.1f ms (list model %.1fx faster)\n",
                    columnNames[column], treeSortMs[column], treeSortMs[column] / sortMs[column]);
    }
    std::printf("QTreeWidget load and fill from tolm.dat: %.1f ms (start-up %.1fx faster)\n",
                treeStart, treeStart / start);
    std::printf("list fill at %d games: %.1f ms (goal 150 ms)\n", kGames, fill);
    for (int column = 0; column < 3; ++column)
        std::printf("re-sort by %s: %.1f ms (goal 100 ms)\n", columnNames[column], sortMs[column]);
    std::printf("start-up to shown window: %.1f ms (goal 500 ms)\n", start);
    for (const auto& box : dialogs.messages())
        std::printf("unexpected box: %s\n", qPrintable(box.text));
    return dialogs.messages().empty() ? 0 : 1;
}
