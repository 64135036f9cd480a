#pragma once

// Proposing changes to catalogue games from ZXDB: the look-up of one game and
// the fill-in of many share the proposals made here.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/game_record.h"
#include "import/zxdb_index.h"
#include "import/zxdb_match.h"
#include "state/fill_in.h"

namespace tolm {

// The loaded index and its look-up tables, shared with workers read-only.
struct ZxdbData {
    zxdb::Index index;
    zxdb::Matcher matcher{index};

    explicit ZxdbData(zxdb::Index loaded) : index(std::move(loaded)) {}
    ZxdbData(const ZxdbData&) = delete;
    ZxdbData& operator=(const ZxdbData&) = delete;
};

enum class ZxdbTicking {
    LookUp, // every field but Name ticked: the user chose the program
    FillIn, // only fields the game lacks ticked
};

// What `entry` proposes for `game` (at catalogue position `position`): Year,
// Publisher, Authors, Genre, and a Name (never ticked) of ZXDB's title
// followed by the game's own bracketed groups and flags. Texts the catalogue
// cannot store are proposed with the nearest characters it can, marked
// `adapted`. Nothing equal to what the game holds is proposed.
std::vector<FillInProposal> proposeFromZxdb(const GameRecord& game, std::int32_t position,
                                            const zxdb::Entry& entry, ZxdbTicking ticking);

struct ZxdbAmbiguity {
    std::int32_t game = 0;
    std::vector<std::size_t> candidates; // entries, best first
};

struct ZxdbFillInResult {
    std::vector<FillInProposal> proposals; // unique matches', by game as asked
    std::vector<ZxdbAmbiguity> ambiguous;  // by game as asked
    std::size_t matched = 0;               // games with a unique match
    std::size_t unmatched = 0;             // games with no candidate
    bool cancelled = false;
};

ZxdbFillInResult proposeZxdbFillIns(const GameCatalogue& catalogue, const ZxdbData& zxdb,
                                    const std::vector<std::int32_t>& games,
                                    const FillInProgress& progress = {});

} // namespace tolm
