#include "catalogue/game_record.h"

#include <algorithm>

namespace tolm {

bool CatalogueHasEntries(const GameCatalogue& catalogue) {
    return !catalogue.empty();
}

std::int32_t LastItemIndex(const GameCatalogue& catalogue, std::string_view list) {
    if (!CatalogueHasEntries(catalogue) || list.empty())
        return 0;
    const auto commas = std::count(list.begin(), list.end(), ',');
    return static_cast<std::int32_t>(std::min<std::ptrdiff_t>(commas, INT32_MAX));
}

} // namespace tolm
