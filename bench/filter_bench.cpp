// One keystroke in the filter box on 100,000 games: the list model filtered
// and the view repainted, beside refilling the whole list; then clearing the
// filter. Typing runs letter by letter, as a user types. Then the same with
// two terms before the word, and the facet menu opened with its counts.
// Runs offscreen.

#include <QApplication>
#include <QMenu>
#include <QTreeView>
#include <cstdio>
#include <string>
#include <vector>

#include "timing.h"
#include "ui/main/facet_menu.h"
#include "ui/main/game_list_model.h"

namespace {

using namespace tolm::bench;

constexpr int kGames = 100000;
constexpr int kRuns = 7;

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    tolm::GameCatalogue catalogue;
    const char* publishers[] = {"Ocean", "Imagine", "Ultimate", "Caf\xC3\xA9 Soft", "Hewson"};
    for (int i = 0; i < kGames; ++i) {
        tolm::GameRecord game;
        game.name = "Game " + std::to_string(i * 7919 % kGames);
        // Most games by a few big publishers, a seventh by thousands of small ones.
        game.publisher =
            i % 7 != 0 ? std::string(publishers[i % 5]) : "Label " + std::to_string(i % 2999);
        game.genre = i * 31 % tolm::kGenreCount;
        game.authors = "Author " + std::to_string(i % 977);
        game.year = 1982 + i % 12;
        catalogue.push_back(std::move(game));
    }
    tolm::ui::GameListModel model(catalogue);
    QTreeView view;
    view.setUniformRowHeights(true);
    view.setRootIsDecorated(false);
    view.setModel(&model);
    view.resize(760, 400);
    view.show();
    model.refresh();
    QApplication::processEvents();

    const double refill = medianMs(kRuns, [&] {
        model.refresh();
        view.viewport()->repaint();
    });

    // "cafe" typed a letter at a time; the first letter folds the texts once
    // after the refresh, which is its own figure.
    std::vector<double> keystrokes;
    std::vector<double> clears;
    std::vector<double> firsts;
    int shown = 0;
    for (int run = 0; run < kRuns; ++run) {
        model.refresh();
        QString typed;
        for (const QChar letter : QStringLiteral("cafe 1987")) {
            typed += letter;
            const double ms = timeMs([&] {
                model.setFilterText(typed);
                view.viewport()->repaint();
            });
            (typed.size() == 1 ? firsts : keystrokes).push_back(ms);
        }
        shown = model.rowCount();
        clears.push_back(timeMs([&] {
            model.setFilterText(QString());
            view.viewport()->repaint();
        }));
    }
    std::printf("list refill and repaint: %.1f ms; first keystroke after a refresh (folds every "
                "game once): %.1f ms; \"cafe 1987\" shows %d games\n",
                refill, median(firsts), shown);
    std::printf("keystroke in the filter, %d games, view updated: %.1f ms (goal 30 ms)\n", kGames,
                median(keystrokes));
    std::printf("clearing the filter, %d games, view updated: %.1f ms (goal 30 ms)\n", kGames,
                median(clears));

    // Found or not, favourite, played: as the facts keeper leaves them.
    std::vector<tolm::GameFacts> facts(catalogue.size());
    for (std::size_t i = 0; i < facts.size(); ++i)
        facts[i] = {i % 3 != 0, i % 4 == 0, i % 7 == 0, i % 50 == 0,
                    i % 5 == 0 ? 0 : 1'700'000'000 + static_cast<std::int64_t>(i)};
    model.setFacts(facts);
    std::vector<double> termKeystrokes;
    for (int run = 0; run < kRuns; ++run) {
        model.refresh();
        model.setFilterText(QStringLiteral("genre:arcade year:1980-1989 x")); // folds the texts
        QString typed = QStringLiteral("genre:arcade year:1980-1989 ");
        for (const QChar letter : QStringLiteral("game 1")) {
            typed += letter;
            termKeystrokes.push_back(timeMs([&] {
                model.setFilterText(typed);
                view.viewport()->repaint();
            }));
        }
        shown = model.rowCount();
    }
    std::printf("keystroke with two terms and a word, %d games, view updated: %.1f ms (goal 30 "
                "ms); \"genre:arcade year:1980-1989 game 1\" shows %d games\n",
                kGames, median(termKeystrokes), shown);

    tolm::ui::FacetButton facets(model);
    int items = 0;
    const double opening = medianMs(kRuns, [&] {
        facets.menu()->popup(QPoint(0, 0)); // counts and fills as it opens
        items = static_cast<int>(facets.menu()->findChildren<QAction*>().size());
        facets.menu()->hide();
    });
    std::printf("opening the facet menu, %d games, files already looked up: %.1f ms (goal 50 "
                "ms); %d items\n",
                kGames, opening, items);
    // "More..." lists every publisher, made only when it opens.
    facets.fillMenu();
    QMenu* more = nullptr;
    for (QMenu* menu : facets.menu()->findChildren<QMenu*>())
        if (menu->title() == QStringLiteral("More..."))
            more = menu;
    if (more != nullptr) {
        const double listing = timeMs([&] { Q_EMIT more->aboutToShow(); });
        std::printf("listing every publisher under More...: %.1f ms; %d publishers\n", listing,
                    static_cast<int>(more->actions().size()));
    }
    return 0;
}
