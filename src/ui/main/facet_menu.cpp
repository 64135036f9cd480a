#include "ui/main/facet_menu.h"

#include <QMenu>
#include <QTimer>
#include <memory>

#include "ui/main/game_list_model.h"
#include "ui/widgets/qt_text.h"

namespace tolm::ui {
namespace {

// Publishers listed directly; the rest are under "More...".
constexpr std::size_t kTopPublishers = 30;

QString itemText(const QString& label, std::int32_t count) {
    QString shown = label;
    shown.replace(QLatin1Char('&'), QStringLiteral("&&")); // no mnemonic
    return QStringLiteral("%1 (%2)").arg(shown).arg(count);
}

QString termText(std::string_view key, std::string_view value) {
    return toQt(filterTerm(key, value));
}

} // namespace

FacetButton::FacetButton(const GameListModel& model, QWidget* parent)
    : QToolButton(parent), model_(model) {
    setObjectName(QStringLiteral("facetButton"));
    setText(QStringLiteral("Browse"));
    setToolTip(QStringLiteral("Filter by genre, year, publisher, files or play"));
    setPopupMode(QToolButton::InstantPopup);
    setAutoRaise(true);
    auto* facets = new QMenu(this);
    facets->setObjectName(QStringLiteral("facetMenu"));
    setMenu(facets);
    connect(facets, &QMenu::aboutToShow, this, &FacetButton::fillMenu);
}

void FacetButton::fillMenu() {
    QMenu* top = menu();
    // The submenus are the top menu's children; clear() leaves them.
    qDeleteAll(top->findChildren<QMenu*>(Qt::FindDirectChildrenOnly));
    top->clear();
    const FacetCounts counts = model_.facetCounts();
    const auto add = [this](QMenu* to, const QString& label, std::int32_t count,
                            const QString& term) {
        QAction* item = to->addAction(itemText(label, count));
        item->setData(term);
        connect(item, &QAction::triggered, this, [this, term] { Q_EMIT termChosen(term); });
    };

    QMenu* genres = top->addMenu(QStringLiteral("Genre"));
    for (std::int32_t first = 0; first < kGenreCount;) {
        const std::string_view group = genreGroup(first);
        std::int32_t end = first;
        std::int32_t inGroup = 0;
        for (; end < kGenreCount && genreGroup(end) == group; ++end)
            inGroup += counts.genres[static_cast<std::size_t>(end)];
        if (inGroup > 0) {
            QMenu* sub = genres->addMenu(itemText(toQt(group), inGroup));
            add(sub, QStringLiteral("All ") + toQt(group), inGroup, termText("genre", group));
            sub->addSeparator();
            for (std::int32_t g = first; g < end; ++g) {
                const std::int32_t n = counts.genres[static_cast<std::size_t>(g)];
                const std::string_view text = genreText(g);
                if (n > 0)
                    add(sub, toQt(text.substr(std::min(text.size(), group.size() + 3))), n,
                        termText("genre", text));
            }
        }
        first = end;
    }

    QMenu* years = top->addMenu(QStringLiteral("Year"));
    for (auto at = counts.years.begin(); at != counts.years.end();) {
        const std::int32_t decade = at->first / 10 * 10;
        std::int32_t inDecade = 0;
        auto end = at;
        for (; end != counts.years.end() && end->first / 10 * 10 == decade; ++end)
            inDecade += end->second;
        const QString name = QStringLiteral("%1s").arg(decade);
        QMenu* sub = years->addMenu(itemText(name, inDecade));
        add(sub, QStringLiteral("All ") + name, inDecade,
            QStringLiteral("year:%1-%2").arg(std::max(decade, 1)).arg(decade + 9));
        sub->addSeparator();
        for (; at != end; ++at)
            add(sub, QString::number(at->first), at->second,
                QStringLiteral("year:%1").arg(at->first));
    }
    add(years, QStringLiteral("Unknown"), counts.yearUnknown, QStringLiteral("year:unknown"));

    QMenu* publishers = top->addMenu(QStringLiteral("Publisher"));
    const std::size_t top30 = std::min(kTopPublishers, counts.publishers.size());
    for (std::size_t i = 0; i < top30; ++i) {
        const auto& [name, n] = counts.publishers[i];
        add(publishers, toQt(name), n, termText("publisher", name));
    }
    if (counts.publishers.size() > top30) {
        // Every publisher, by name, made only when asked for: there may be thousands.
        QMenu* more = publishers->addMenu(QStringLiteral("More..."));
        auto all = std::make_shared<std::vector<std::pair<QString, std::int32_t>>>();
        for (const auto& [name, n] : counts.publishers)
            all->emplace_back(toQt(name), n);
        connect(more, &QMenu::aboutToShow, more, [more, all, add] {
            if (!more->isEmpty())
                return;
            std::sort(all->begin(), all->end(), [](const auto& a, const auto& b) {
                return QString::compare(a.first, b.first, Qt::CaseInsensitive) < 0;
            });
            for (const auto& [name, n] : *all)
                add(more, name, n, termText("publisher", toStd(name)));
        });
    }

    QMenu* files = top->addMenu(QStringLiteral("Files"));
    add(files, QStringLiteral("ROM found"), counts.romFound, QStringLiteral("rom:found"));
    add(files, QStringLiteral("ROM not found"), counts.romMissing, QStringLiteral("rom:missing"));
    add(files, QStringLiteral("Has screenshots"), counts.shotsFound, QStringLiteral("shots:yes"));
    add(files, QStringLiteral("No screenshots"), counts.shotsMissing, QStringLiteral("shots:no"));
    add(files, QStringLiteral("Has music"), counts.musicFound, QStringLiteral("music:yes"));

    add(top, QStringLiteral("Favourites"), counts.favourites, QStringLiteral("fav:yes"));

    QMenu* played = top->addMenu(QStringLiteral("Played"));
    add(played, QStringLiteral("Played in the last %1 days").arg(kRecentlyPlayedDays),
        counts.playedRecently, QStringLiteral("played:%1d").arg(kRecentlyPlayedDays));
    add(played, QStringLiteral("Never played"), counts.neverPlayed, QStringLiteral("played:never"));
}

GameFactsKeeper::GameFactsKeeper(const AppState& state, GameListModel& model, QObject* parent)
    : QObject(parent), state_(state), model_(model) {
    connect(&model_, &GameListModel::catalogueChanged, this, &GameFactsKeeper::refresh);
    connect(&job_, &BackgroundJob::finished, this, &GameFactsKeeper::finished);
}

void GameFactsKeeper::refresh() {
    if (job_.isRunning()) {
        again_ = true;
        job_.cancel();
        return;
    }
    if (pending_)
        return;
    // Once the change is over: one command may change the catalogue in steps.
    pending_ = true;
    QTimer::singleShot(0, this, &GameFactsKeeper::start);
}

void GameFactsKeeper::start() {
    pending_ = false;
    again_ = false;
    // The worker reads copies: the window goes on changing the catalogue.
    GameCatalogue files(state_.catalogue.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        files[i].romFile = state_.catalogue[i].romFile;
        files[i].musicFile = state_.catalogue[i].musicFile;
        files[i].screenshots = state_.catalogue[i].screenshots;
    }
    foundFor_ = files.size();
    job_.start([this, files = std::move(files), settings = state_.settings](JobProgress& progress) {
        found_ =
            computeGameFacts(files, settings, {}, [&progress] { return progress.stopRequested(); });
    });
}

void GameFactsKeeper::finished() {
    if (again_ || job_.cancelled() || foundFor_ != state_.catalogue.size()) {
        refresh();
        return;
    }
    fillPersonalFacts(found_, personal_);
    model_.setFacts(std::move(found_));
    found_.clear();
    Q_EMIT factsReady();
}

void GameFactsKeeper::setPersonalFacts(PersonalFacts personal) {
    personal_ = std::move(personal);
    personalFactsChanged();
}

void GameFactsKeeper::personalFactsChanged() {
    std::vector<GameFacts> facts = model_.facts();
    // Favourites and play need no lookup: every game has them even while its
    // files are still being looked for (until then none is found).
    if (facts.size() < state_.catalogue.size())
        facts.resize(state_.catalogue.size());
    fillPersonalFacts(facts, personal_);
    model_.setFacts(std::move(facts));
}

} // namespace tolm::ui
