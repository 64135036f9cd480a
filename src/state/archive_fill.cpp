#include "state/archive_fill.h"

#include "screens/game_file_screen.h"
#include "settings/locate.h"

namespace tolm {

std::vector<AddedGame> gamesAddedFrom(const GameCatalogue& catalogue, std::size_t first) {
    std::vector<AddedGame> games;
    for (std::size_t i = first; i < catalogue.size(); ++i)
        if (!catalogue[i].name.empty() && !catalogue[i].romFile.empty())
            games.push_back({static_cast<std::int32_t>(i), catalogue[i]});
    return games;
}

GameRecord filledFromArchive(const GameRecord& game, const screens::ArchiveInfo& info) {
    GameRecord filled = game;
    if (info.year > 0)
        filled.year = info.year;
    if (!info.publisher.empty())
        filled.publisher = info.publisher;
    if (filled.authors.empty())
        filled.authors = info.authors;
    return filled;
}

std::vector<std::optional<screens::ArchiveInfo>>
readArchiveInfos(const std::vector<AddedGame>& games, const std::vector<std::string>& romPaths,
                 screens::GameFileScreenReader& reader, const std::function<bool()>& stop) {
    std::vector<std::optional<screens::ArchiveInfo>> infos(games.size());
    for (std::size_t i = 0; i < games.size(); ++i) {
        if (stop && stop())
            break;
        const LocatedFile rom = locateFile(games[i].asAdded.romFile, romPaths);
        if (rom.found)
            infos[i] = reader.readArchiveInfo(rom.path);
    }
    return infos;
}

std::vector<std::int32_t>
applyArchiveInfos(GameCatalogue& catalogue, const std::vector<AddedGame>& games,
                  const std::vector<std::optional<screens::ArchiveInfo>>& infos) {
    std::vector<std::int32_t> changed;
    for (std::size_t i = 0; i < games.size() && i < infos.size(); ++i) {
        const AddedGame& game = games[i];
        if (!infos[i] || game.position < 0 ||
            static_cast<std::size_t>(game.position) >= catalogue.size())
            continue;
        GameRecord& record = catalogue[static_cast<std::size_t>(game.position)];
        if (record != game.asAdded)
            continue;
        GameRecord filled = filledFromArchive(record, *infos[i]);
        if (filled == record)
            continue;
        record = std::move(filled);
        changed.push_back(game.position);
    }
    return changed;
}

} // namespace tolm
