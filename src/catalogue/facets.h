#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/game_filter.h"

namespace tolm {

// "Played in the last ... days" of the facet menu.
inline constexpr std::int64_t kRecentlyPlayedDays = 30;

// How many games each facet item's term shows, counted in one pass.
struct FacetCounts {
    std::array<std::int32_t, kGenreCount> genres{};
    std::map<std::int32_t, std::int32_t> years; // known years only
    std::int32_t yearUnknown = 0;
    // Publishers as first written, those whose texts fold alike as one; most
    // games first, then by folded text.
    std::vector<std::pair<std::string, std::int32_t>> publishers;
    std::int32_t romFound = 0;
    std::int32_t romMissing = 0;
    std::int32_t shotsFound = 0;
    std::int32_t shotsMissing = 0;
    std::int32_t musicFound = 0;
    std::int32_t favourites = 0;
    std::int32_t playedRecently = 0;
    std::int32_t neverPlayed = 0;
};

// Counts the games of `catalogue` (all of them: the facets describe the
// catalogue, not what a filter shows); `facts` as applyTerms takes them.
FacetCounts countFacets(const GameCatalogue& catalogue, const std::vector<GameFacts>& facts,
                        std::int64_t now);

} // namespace tolm
