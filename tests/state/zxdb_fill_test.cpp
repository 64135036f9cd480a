#include "state/zxdb_fill.h"

#include <gtest/gtest.h>

using namespace tolm;

// Records and entries are written with only the fields a case cares about.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

using F = FillInField;

const zxdb::Entry kJetSetWilly = {
    5, "Jet Set Willy", {}, 1984, "Software Projects Ltd", "Matthew Smith", "Arcade: Platform"};

TEST(ZxdbFill, ProposesWhatTheEntryKnowsTickedByMode) {
    const GameRecord jsw = {"JSW (Side A)[cr Mr X]", 0, "", 0, "", "", "Software Projects"};
    const GameRecord done = {"Jet Set Willy", 11, "", 1984, "", "", "Software Projects Ltd",
                             "Matthew Smith"};
    GameRecord catchAll = done;
    catchAll.genre = 15; // Arcade - [uncategorized]
    const zxdb::Entry foreign = {9,
                                 "Caf\u00e9 \u0141\u00f3d\u017a",
                                 {},
                                 0,
                                 "",
                                 "Ji\u0159\u00ed \u010cern\u00fd",
                                 "Utility: Word Processor"};
    const GameRecord cafe = {"Cafe Lodz [a]", 3};
    struct Case {
        const GameRecord& game;
        const zxdb::Entry& entry;
        ZxdbTicking ticking;
        std::vector<FillInProposal> proposals;
    };
    const std::string platformer = "Arcade - Platformer (Multi Screen)";
    const Case cases[] = {
        // The name keeps the game's own groups and flags, and is never ticked.
        {jsw,
         kJetSetWilly,
         ZxdbTicking::LookUp,
         {{2, F::Name, jsw.name, "Jet Set Willy (Side A)[cr Mr X]", false},
          {2, F::Year, "", "1984", true},
          {2, F::Publisher, "Software Projects", "Software Projects Ltd", true},
          {2, F::Authors, "", "Matthew Smith", true},
          {2, F::Genre, "Arcade - Beat'em Up", platformer, true}}},
        {jsw,
         kJetSetWilly,
         ZxdbTicking::FillIn,
         {{2, F::Name, jsw.name, "Jet Set Willy (Side A)[cr Mr X]", false},
          {2, F::Year, "", "1984", true},
          {2, F::Publisher, "Software Projects", "Software Projects Ltd", false},
          {2, F::Authors, "", "Matthew Smith", true},
          {2, F::Genre, "Arcade - Beat'em Up", platformer, true}}},
        // Equal fields give nothing; a chosen genre stays unticked, a catch-all does not.
        {done,
         kJetSetWilly,
         ZxdbTicking::FillIn,
         {{2, F::Genre, "Arcade - Platformer (Single Screen)", platformer, false}}},
        {catchAll,
         kJetSetWilly,
         ZxdbTicking::FillIn,
         {{2, F::Genre, "Arcade - [uncategorized]", platformer, true}}},
        {done,
         kJetSetWilly,
         ZxdbTicking::LookUp,
         {{2, F::Genre, "Arcade - Platformer (Single Screen)", platformer, true}}},
        // Letters the catalogue's code page lacks; no year, no genre for a non-game.
        {cafe,
         foreign,
         ZxdbTicking::FillIn,
         {{2, F::Name, "Cafe Lodz [a]", "Caf\u00e9 L\u00f3dz [a]", false, true},
          {2, F::Authors, "", "Jir\u00ed Cern\u00fd", true, true}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.game.name);
        EXPECT_EQ(proposeFromZxdb(c.game, 2, c.entry, c.ticking), c.proposals);
    }

    // The genre is written as its table position, and not over a changed field.
    GameCatalogue catalogue = {catchAll, catchAll};
    catalogue[1].genre = 20;
    std::vector<FillInProposal> proposals =
        proposeFromZxdb(catchAll, 0, kJetSetWilly, ZxdbTicking::FillIn);
    proposals.push_back(proposals.front());
    proposals.back().game = 1;
    EXPECT_EQ(applyFillIns(catalogue, proposals), std::vector<std::int32_t>{0});
    EXPECT_EQ(catalogue[0].genre, 9);
    EXPECT_EQ(catalogue[1].genre, 20);
}

TEST(ZxdbFill, FillInSortsGamesIntoMatchedAmbiguousAndUnmatched) {
    zxdb::Index index;
    index.entries = {kJetSetWilly,
                     {6, "Chase H.Q.", {}, 1989, "Ocean Software Ltd"},
                     {7, "Chase H.Q.", {}, 1989, "Ocean Software Ltd"}};
    const ZxdbData zxdb(std::move(index));
    const GameCatalogue catalogue = {
        {"Chase HQ"},
        {"Jet Set Willy", 0, "", 1984, "", "", "Software Projects Ltd", "Matthew Smith"},
        {},
        {"Unknown Game"},
        {"Unrelated", 0, "", 0, "", "roms\\jsw.tap"}};
    const ZxdbFillInResult result = proposeZxdbFillIns(catalogue, zxdb, {1, 0, 2, 3, 9, -1, 4});
    EXPECT_EQ(result.matched, 1u);
    EXPECT_EQ(result.unmatched, 2u);
    ASSERT_EQ(result.ambiguous.size(), 1u);
    EXPECT_EQ(result.ambiguous[0].game, 0);
    EXPECT_EQ(result.ambiguous[0].candidates, (std::vector<std::size_t>{1, 2}));
    EXPECT_EQ(result.proposals,
              (std::vector<FillInProposal>{{1, F::Genre, "Arcade - Beat'em Up",
                                            "Arcade - Platformer (Multi Screen)", true}}));
    EXPECT_FALSE(result.cancelled);

    std::vector<std::int32_t> many(600, 1);
    std::vector<std::size_t> told;
    const ZxdbFillInResult stopped =
        proposeZxdbFillIns(catalogue, zxdb, many, [&](std::size_t done, std::size_t total) {
            told.push_back(done);
            return done < 256 && total == 600;
        });
    EXPECT_TRUE(stopped.cancelled);
    EXPECT_EQ(stopped.matched, 256u);
    EXPECT_EQ(told, (std::vector<std::size_t>{0, 256}));
}

} // namespace
