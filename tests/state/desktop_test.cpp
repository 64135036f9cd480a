#include <gtest/gtest.h>

#include "state/data_directory.h"
#include "state/dropped_files.h"
#include "support/temp_dir.h"

using namespace tolm;
using tolm::test::TempDir;

namespace {

using Strings = std::vector<std::string>;

// Read-only directories are the end-to-end test's: it runs as root, who writes anywhere.
TEST(DataDirectory, ChosenByCommandLineFilesBesideTheProgramOrWritability) {
    TempDir tree;
    tree.write("writable/");
    using enum DataDirectory::Reason;
    const std::string user = tree.sub("user");
    // clang-format off
    const struct { const char* program; std::optional<std::string> requested; std::string path;
                   DataDirectory::Reason reason; } cases[] = {
        {"missing", std::nullopt, user, PerUser},
        {"writable", tree.sub("elsewhere"), tree.sub("elsewhere"), CommandLine},
        {"writable", std::string(), tree.sub("writable"), BesideProgram}};
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(chooseDataDirectory(tree.sub(c.program), user, c.requested),
                  (DataDirectory{c.path, c.reason}))
            << c.program;
}

// Letter case counts here as POSIX has it; Windows has its own rule.
#ifndef _WIN32
// Dropped files take the Add Game naming rule, a dropped folder the Add
// Multiple wizard's, after a compression extension comes off; a TOSEC name
// gives name, year and publisher either way. Each directory joins the ROM
// paths once.
TEST(DroppedFiles, BecomeGamesNamedByTheDialogsRules) {
    // Polish letters: outside Windows-1252, so the catalogue cannot store the name.
    const std::string polish = "single/Zx\xC5\x81\xC3\xB3"
                               "d\xC5\xBA.tap";
    TempDir tree;
    const std::string tosec = "single/Chase H.Q. (1989)(Ocean Software)[128K].tap.gz";
    for (const std::string& file :
         Strings{"roms/Jet.Set.Willy.tap", "roms/Knight.Lore.z80.zip",
                 "roms/Knight Lore (1984-11)(Ultimate Play The Game)(GB)(en).tzx.zip",
                 "single/Tau.Ceti.z80", "single/Tau.Ceti.z80.bz2", tosec, polish})
        tree.write(file);
    AppState state;
    state.settings.romPaths = {tree.sub("ROMS/")}; // another directory here, not roms/
    const DroppedFilesResult result = addDroppedPaths(
        state, {tree.sub("roms"), tree.sub("single/Tau.Ceti.z80"),
                tree.sub("single/Tau.Ceti.z80.bz2"), tree.sub(tosec), tree.sub(polish)});
    EXPECT_EQ(result.added, 6);
    Strings games;
    for (const GameRecord& game : state.catalogue)
        games.push_back(game.name + "|" + game.romFile + "|" + std::to_string(game.genre) + "|" +
                        std::to_string(game.year) + "|" + game.publisher);
    EXPECT_EQ(games,
              (Strings{"Jet|Jet.Set.Willy.tap|96|0|",
                       "Knight Lore (GB)(en)|Knight Lore (1984-11)(Ultimate Play The Game)(GB)(en)"
                       ".tzx.zip|96|1984|Ultimate Play The Game",
                       "Knight|Knight.Lore.z80.zip|96|0|", "Tau.Ceti|Tau.Ceti.z80|96|0|",
                       "Tau.Ceti|Tau.Ceti.z80.bz2|96|0|",
                       "Chase H.Q. [128K]|Chase H.Q. (1989)(Ocean Software)[128K].tap.gz|96|1989|"
                       "Ocean Software"}));
    EXPECT_EQ(result.unstorableNames, Strings{tree.sub(polish)});
    EXPECT_EQ(state.settings.romPaths,
              (Strings{tree.sub("ROMS/"), tree.sub("roms/"), tree.sub("single/")}));
}
#endif

} // namespace
