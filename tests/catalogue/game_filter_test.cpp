#include <gtest/gtest.h>

#include "catalogue/game_filter.h"

namespace tolm {
namespace {

// What the window's filter tests do not reach: letters that fold to two,
// broken UTF-8, and the fields that are not searched.
TEST(GameFilter, FoldsAndMatchesEveryWordInSomeField) {
    EXPECT_EQ(foldForSearch("Stra\xC3\x9F"
                            "e \xC3\x86ther"),
              "strasse aether");
    EXPECT_EQ(foldForSearch("bad \xC3 byte \xFF"), "bad \xC3 byte \xFF"); // kept as is
    const GameCatalogue catalogue = {{"Jet Set Willy", 1, "", 1984, "notes", "jsw.tap",
                                      "Software Projects", "Matthew Smith", ""}};
    GameFilterIndex index;
    index.rebuild(catalogue);
    // No notes nor file names are searched; each word may be in another field.
    for (const auto& [typed, shown] : {std::pair{"WILLY smith 1984", true},
                                       {"notes", false},
                                       {"jsw", false},
                                       {"willy notes", false},
                                       {"willy SMITH", true}}) {
        EXPECT_EQ(index.matches(0, filterWords(typed)), shown) << typed;
        std::vector<char> all; // the list's path: every game at once
        index.matchAll(filterWords(typed), all);
        EXPECT_EQ(all, std::vector<char>{shown}) << typed;
    }
}

} // namespace
} // namespace tolm
