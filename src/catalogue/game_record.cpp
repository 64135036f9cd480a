#include "catalogue/game_record.h"

#include <algorithm>

namespace tolm {

bool catalogueHasEntries(const GameCatalogue& catalogue) {
    return !catalogue.empty();
}

std::int32_t lastItemIndex(const GameCatalogue& catalogue, std::string_view list) {
    if (!catalogueHasEntries(catalogue) || list.empty())
        return 0;
    const auto commas = std::count(list.begin(), list.end(), ',');
    return static_cast<std::int32_t>(std::min<std::ptrdiff_t>(commas, INT32_MAX));
}

} // namespace tolm
