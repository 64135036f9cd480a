#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/user_message.h"
#include "state/app_state.h"

// What the game dialogs write into the catalogue and the search paths.
namespace tolm {

// The properties dialog's fields as the user left them.
struct GameEdits {
    std::string name;
    std::optional<std::int32_t> genre; // none: keep the stored value
    std::string yearText;              // read as its leading number
    std::string publisher;
    std::string authors;
    std::string romText;   // a bare name, or a full path to split
    std::string musicText; // the same, over the music paths
    std::string notes;
    std::string screenshots;
};

// Writes `edits` into the record at `position`; a full ROM or music path is
// stored as its name, its directory joining the ROM or music paths. Does
// nothing for a position outside the catalogue.
void applyGameEdits(AppState& state, std::int32_t position, const GameEdits& edits);

struct BatchAddResult {
    std::size_t added = 0;
    std::vector<UserMessage> refusals; // one "Gamename is blank" per nameless file
};

// Adds one game per file of `directory` (a search-path entry, with its
// separator), genre 96 ("Miscellaneous - [uncategorized]"): a TOSEC name gives
// its name, year and publisher, any other is named up to its first ".". The
// directory joins the ROM paths once, first.
BatchAddResult addGamesFromDirectory(AppState& state, const std::string& directory,
                                     const std::vector<std::string>& fileNames);

// The genre the batch wizard gives its games.
inline constexpr std::int32_t kBatchGenre = 96;

// Whether a name can go into the catalogue and the settings file, which keep
// Windows-1252 text: anything else would come back as "?".
bool isStorableName(const std::string& name);

// What a multi-line box's text (line feeds only, as the box gives it) stores
// over `stored`: the stored text byte for byte when nothing changed, else
// the text with the stored text's line breaks (CR LF unless it used bare
// line feeds).
std::string storedMultiLineText(std::string_view edited, std::string_view stored);

// The box for one picked file or directory that cannot be stored.
UserMessage unstorableNameMessage(const std::string& title, const std::string& name);
// The box for several files that were skipped, naming them all.
UserMessage unstorableNamesMessage(const std::string& title, const std::vector<std::string>& names);

} // namespace tolm
