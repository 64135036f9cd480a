#include "catalogue/facets.h"

#include <algorithm>
#include <unordered_map>

namespace tolm {

FacetCounts countFacets(const GameCatalogue& catalogue, const std::vector<GameFacts>& facts,
                        std::int64_t now) {
    FacetCounts counts;
    const GameFacts none;
    // Publishers by folded text: where the first game with it stands, and how many.
    struct Publisher {
        std::size_t first;
        std::int32_t games;
    };
    std::unordered_map<std::string, Publisher> publishers;
    const std::string* lastText = nullptr; // runs of one publisher skip the folding
    Publisher* last = nullptr;
    FilterTerm recent;
    recent.key = FilterTerm::Key::Played;
    recent.days = kRecentlyPlayedDays;
    for (std::size_t g = 0; g < catalogue.size(); ++g) {
        const GameRecord& game = catalogue[g];
        const GameFacts& known = g < facts.size() ? facts[g] : none;
        if (game.genre >= 0 && game.genre < kGenreCount)
            ++counts.genres[static_cast<std::size_t>(game.genre)];
        if (game.year >= 1)
            ++counts.years[game.year];
        else
            ++counts.yearUnknown;
        if (!game.publisher.empty()) {
            if (last == nullptr || *lastText != game.publisher) {
                last = &publishers.try_emplace(foldForSearch(game.publisher), Publisher{g, 0})
                            .first->second;
                lastText = &game.publisher;
            }
            ++last->games;
        }
        ++(known.romFound ? counts.romFound : counts.romMissing);
        ++(known.screenshotFound ? counts.shotsFound : counts.shotsMissing);
        counts.musicFound += known.musicFound ? 1 : 0;
        counts.favourites += known.favourite ? 1 : 0;
        counts.neverPlayed += known.lastPlayed == 0 ? 1 : 0;
        counts.playedRecently += termHolds(recent, game, known, now) ? 1 : 0;
    }
    std::vector<std::pair<const std::string*, Publisher>> ordered;
    ordered.reserve(publishers.size());
    for (const auto& [folded, publisher] : publishers)
        ordered.emplace_back(&folded, publisher);
    std::sort(ordered.begin(), ordered.end(), [](const auto& a, const auto& b) {
        if (a.second.games != b.second.games)
            return a.second.games > b.second.games;
        return *a.first < *b.first;
    });
    counts.publishers.reserve(ordered.size());
    for (const auto& [folded, publisher] : ordered)
        counts.publishers.emplace_back(catalogue[publisher.first].publisher, publisher.games);
    return counts;
}

} // namespace tolm
