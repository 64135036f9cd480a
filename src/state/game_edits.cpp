#include "state/game_edits.h"

#include "catalogue/catalogue_ops.h"
#include "catalogue/game_editing.h"
#include "core/text.h"
#include "platform/codepage.h"
#include "settings/picked_paths.h"

namespace tolm {

void applyGameEdits(AppState& state, std::int32_t position, const GameEdits& edits) {
    if (position < 0 || static_cast<std::size_t>(position) >= state.catalogue.size())
        return;
    GameRecord& game = state.catalogue[static_cast<std::size_t>(position)];
    game.name = edits.name;
    if (edits.genre)
        game.genre = *edits.genre;
    game.year = leadingNumber(edits.yearText);
    game.publisher = edits.publisher;
    game.authors = edits.authors;
    game.romFile = storeUnderSearchPath(state.settings.romPaths, edits.romText);
    game.musicFile = storeUnderSearchPath(state.settings.musicPaths, edits.musicText);
    game.notes = edits.notes;
    game.screenshots = edits.screenshots;
}

BatchAddResult addGamesFromDirectory(AppState& state, const std::string& directory,
                                     const std::vector<std::string>& fileNames) {
    BatchAddResult result;
    if (fileNames.empty())
        return result;
    addSearchPath(state.settings.romPaths, directory);
    for (const std::string& file : fileNames) {
        GameFromFile named = gameFromFileName(file, NameRule::UpToFirstDot);
        NewGame game;
        game.name = std::move(named.name);
        game.year = named.year;
        game.publisher = std::move(named.publisher);
        game.genre = kBatchGenre;
        game.romFile = file;
        AddGameResult added = addGame(state.catalogue, game);
        if (added.refusal)
            result.refusals.push_back(std::move(*added.refusal));
        else
            ++result.added;
    }
    return result;
}

std::string storedMultiLineText(std::string_view edited, std::string_view stored) {
    std::string normalised;
    normalised.reserve(stored.size());
    for (std::size_t i = 0; i < stored.size(); ++i) {
        if (stored[i] == '\r') {
            normalised += '\n';
            if (i + 1 < stored.size() && stored[i + 1] == '\n')
                ++i;
        } else {
            normalised += stored[i];
        }
    }
    if (normalised == edited)
        return std::string(stored);
    const bool bareLineFeeds = stored.find('\n') != std::string_view::npos &&
                               stored.find("\r\n") == std::string_view::npos;
    std::string out;
    out.reserve(edited.size() + edited.size() / 16);
    for (const char c : edited) {
        if (c == '\n' && !bareLineFeeds)
            out += '\r';
        out += c;
    }
    return out;
}

bool isStorableName(const std::string& name) {
    return platform::isAnsiRepresentable(name);
}

UserMessage unstorableNameMessage(const std::string& title, const std::string& name) {
    return {title,
            name + " cannot be stored in the catalogue: its name has characters outside "
                   "Windows-1252.",
            UserMessage::Icon::Critical, UserMessage::Buttons::Ok};
}

UserMessage unstorableNamesMessage(const std::string& title,
                                   const std::vector<std::string>& names) {
    if (names.size() == 1)
        return unstorableNameMessage(title, names.front());
    std::string text = "These files cannot be stored in the catalogue: their names have "
                       "characters outside Windows-1252.\r\n";
    // A long list is cut short: the box must still fit on the screen.
    constexpr std::size_t kShown = 20;
    for (std::size_t i = 0; i < names.size() && i < kShown; ++i) {
        if (i)
            text += ", ";
        text += names[i];
    }
    if (names.size() > kShown)
        text += " and " + std::to_string(names.size() - kShown) + " more";
    return {title, text, UserMessage::Icon::Critical, UserMessage::Buttons::Ok};
}

} // namespace tolm
