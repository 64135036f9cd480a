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
// Multiple wizard's; each directory joins the ROM paths once.
TEST(DroppedFiles, BecomeGamesNamedByTheDialogsRules) {
    // Polish letters: outside Windows-1252, so the catalogue cannot store the name.
    const std::string polish = "single/Zx\xC5\x81\xC3\xB3"
                               "d\xC5\xBA.tap";
    TempDir tree;
    for (const std::string& file : Strings{"roms/Jet.Set.Willy.tap", "single/Tau.Ceti.z80", polish})
        tree.write(file);
    AppState state;
    state.settings.romPaths = {tree.sub("ROMS/")}; // another directory here, not roms/
    const DroppedFilesResult result = addDroppedPaths(
        state, {tree.sub("roms"), tree.sub("single/Tau.Ceti.z80"), tree.sub(polish)});
    EXPECT_EQ(result.added, 2);
    Strings games;
    for (const GameRecord& game : state.catalogue)
        games.push_back(game.name + "|" + game.romFile + "|" + std::to_string(game.genre));
    EXPECT_EQ(games, (Strings{"Jet|Jet.Set.Willy.tap|96", "Tau.Ceti|Tau.Ceti.z80|96"}));
    EXPECT_EQ(result.unstorableNames, Strings{tree.sub(polish)});
    EXPECT_EQ(state.settings.romPaths,
              (Strings{tree.sub("ROMS/"), tree.sub("roms/"), tree.sub("single/")}));
}
#endif

} // namespace
