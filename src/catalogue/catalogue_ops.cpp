#include "catalogue/catalogue_ops.h"

#include <algorithm>
#include <functional>
#include <string_view>

#include "core/selection.h"

namespace tolm {

AddGameResult addGame(GameCatalogue& catalogue, const NewGame& game) {
    if (game.name.empty())
        return {-1, UserMessage{"Unable to add", "Gamename is blank", UserMessage::Icon::Critical,
                                UserMessage::Buttons::Ok}};
    if (!catalogueHasEntries(catalogue))
        catalogue.resize(1);
    else if (!catalogue.back().name.empty())
        catalogue.emplace_back();
    // Otherwise the last record is blank (after "remove all") and is reused.
    GameRecord& target = catalogue.back();
    target.name = game.name;
    target.genre = game.genre;
    target.year = game.year;
    target.notes = game.notes;
    target.romFile = game.romFile;
    target.publisher = game.publisher;
    target.authors = game.authors;
    return {static_cast<std::int32_t>(catalogue.size() - 1), std::nullopt};
}

UserMessage removalQuestion(const GameCatalogue& catalogue, std::size_t count) {
    std::string text;
    if (count == 1)
        text = "Are you sure you want to remove 1 game?";
    else if (count == catalogue.size())
        text = "Are you sure you want to remove all games?";
    else
        text = "Are you sure you want to remove " + std::to_string(count) + " games?";
    return {"Game Removal", text, UserMessage::Icon::None, UserMessage::Buttons::YesNo};
}

void removePositions(GameCatalogue& catalogue, const std::vector<std::int32_t>& positions) {
    if (positions.empty() || catalogue.empty())
        return;
    // Only the distinct positions inside the catalogue count towards "all":
    // a stray or repeated position must not empty the whole catalogue.
    std::vector<bool> doomed(catalogue.size(), false);
    for (std::int32_t p : positions)
        if (!isNone(p) && static_cast<std::size_t>(p) < catalogue.size())
            doomed[static_cast<std::size_t>(p)] = true;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < catalogue.size(); ++i) {
        if (doomed[i])
            continue;
        if (kept != i)
            catalogue[kept] = std::move(catalogue[i]);
        ++kept;
    }
    catalogue.resize(kept);
    if (catalogue.empty()) // all removed: a sized catalogue keeps one blank record
        catalogue.assign(1, GameRecord{});
}

std::uint64_t catalogueFingerprint(const GameCatalogue& catalogue) {
    // Each value is hashed on its own and mixed in order, so moving text
    // from one field to the next changes the result.
    std::uint64_t h = 0xcbf29ce484222325u ^ catalogue.size();
    const auto mix = [&h](std::uint64_t value) {
        h ^= value + 0x9e3779b97f4a7c15u + (h << 6) + (h >> 2);
    };
    const std::hash<std::string_view> text;
    for (const GameRecord& r : catalogue) {
        for (const std::string* field : {&r.name, &r.screenshots, &r.notes, &r.romFile,
                                         &r.publisher, &r.authors, &r.musicFile})
            mix(text(*field));
        mix(static_cast<std::uint32_t>(r.genre));
        mix(static_cast<std::uint32_t>(r.year));
    }
    return h;
}

std::string itemKey(std::int32_t position) {
    return "game" + std::to_string(position);
}

} // namespace tolm
