#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/game_record.h"
#include "screens/archive_info.h"
#include "settings/settings.h"

// Filling in games already in the catalogue from their ROM files: the file's
// TOSEC name and the tape's archive info propose a name, year, publisher and
// authors, and the user picks which to take.
namespace tolm {

enum class FillInField { Name, Year, Publisher, Authors, Genre };

// "Name", "Year", "Publisher", "Authors", "Genre".
const char* fillInFieldName(FillInField field);

// One proposed change to one field of one game.
struct FillInProposal {
    std::int32_t game = 0; // catalogue position
    FillInField field = FillInField::Name;
    std::string now;      // the field as the catalogue holds it ("" for no year; a genre's text)
    std::string proposed; // never empty, never equal to `now`
    // Proposed over a field the user is unlikely to have filled by hand: an
    // empty one, no year, or a name the file gave by the old naming rules.
    bool ticked = false;
    // The source's text held characters the catalogue cannot store, and
    // `proposed` has the nearest it can.
    bool adapted = false;

    bool operator==(const FillInProposal&) const = default;
};

struct FillInResult {
    std::vector<FillInProposal> proposals; // by game as asked, then by field
    std::size_t filesFound = 0;            // games whose ROM file was found
    bool cancelled = false;                // stopped early: the list is partial
};

// What a game file says about itself; nothing when it cannot be read or says
// nothing. Called off the window's thread.
using ArchiveInfoReader =
    std::function<std::optional<screens::ArchiveInfo>(const std::string& path)>;

// Told how many games are done out of how many; returns false to stop.
using FillInProgress = std::function<bool(std::size_t done, std::size_t total)>;

// The changes the ROM files of the games at `games` propose: a TOSEC name
// gives Name, Year and Publisher; the archive info (when `readArchiveInfo` is
// given) Year, Publisher and Authors, its year and publisher beating the
// name's. Only TZX tapes and compressed files are read for archive info. Blank records, games
// without a ROM file and files not found over the ROM paths give nothing, nor do texts the
// catalogue could not store.
FillInResult proposeFillIns(const GameCatalogue& catalogue, const SettingsState& settings,
                            const std::vector<std::int32_t>& games,
                            const ArchiveInfoReader& readArchiveInfo = {},
                            const FillInProgress& progress = {});

// Writes the ticked proposals into `catalogue`, each only while its field
// still holds what the proposal saw. Returns the positions changed, each once,
// in the order first met.
std::vector<std::int32_t> applyFillIns(GameCatalogue& catalogue,
                                       const std::vector<FillInProposal>& proposals);

} // namespace tolm
