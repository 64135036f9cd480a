#include <gtest/gtest.h>
#include <sys/stat.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <algorithm>

#include "platform/directories.h"
#include "state/data_directory.h"
#include "state/dropped_files.h"
#include "support/temp_dir.h"

using namespace tolm;
using tolm::test::TempDir;

namespace {

const std::string kSep(1, platform::kPathSeparator);
// Polish letters: outside Windows-1252, so the catalogue cannot store the name.
const std::string kPolish = "Zx\xC5\x81\xC3\xB3"
                            "d\xC5\xBA.tap";

[[maybe_unused]] std::vector<std::string> names(const GameCatalogue& catalogue) {
    std::vector<std::string> out;
    for (const GameRecord& game : catalogue)
        out.push_back(game.name + "|" + game.romFile);
    return out;
}

} // namespace

TEST(DataDirectory, ChosenByCommandLineFilesBesideTheProgramOrWritability) {
    TempDir tree;
    tree.write("writable/");
    tree.write("holds-ini/tolm.ini");
    tree.write("holds-dat/tolm.dat");
    tree.write("holds-other/tolm.dat.tmp-abcdefgh");
    using Reason = DataDirectory::Reason;
    const std::string user = tree.sub("user");
    const struct {
        const char* program;
        std::optional<std::string> requested;
        std::string path;
        Reason reason;
    } cases[] = {
        {"writable", std::nullopt, tree.sub("writable"), Reason::BesideProgram},
        {"holds-ini", std::nullopt, tree.sub("holds-ini"), Reason::BesideProgram},
        {"holds-dat", std::nullopt, tree.sub("holds-dat"), Reason::BesideProgram},
        {"missing", std::nullopt, user, Reason::PerUser},
        {"writable", tree.sub("elsewhere"), tree.sub("elsewhere"), Reason::CommandLine},
        {"writable", std::string(), tree.sub("writable"), Reason::BesideProgram},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.program);
        EXPECT_EQ(chooseDataDirectory(tree.sub(c.program), user, c.requested),
                  (DataDirectory{c.path, c.reason}));
    }
    // A read-only directory; root writes anywhere, so there only the
    // read-only mount of the end-to-end test shows it.
#ifndef _WIN32
    if (::geteuid() != 0) {
        tree.write("readonly/");
        ::chmod(tree.sub("readonly").c_str(), 0555);
        EXPECT_EQ(chooseDataDirectory(tree.sub("readonly"), user, std::nullopt).reason,
                  Reason::PerUser);
        ::chmod(tree.sub("readonly").c_str(), 0755);
    }
#endif
}

// POSIX search paths (":" between entries, the executable bit) and dot names
// as hidden files; Windows has its own rules for both.
#ifndef _WIN32
TEST(DataDirectory, ProgramsFoundOnTheSearchPath) {
    TempDir tree;
    tree.write("a/fuse-sdl", "#!/bin/sh\n");
    tree.write("b/fuse-sdl", "#!/bin/sh\n");
    tree.write("b/zesarux/inner"); // a directory of that name is no program
    ::chmod(tree.sub("b/fuse-sdl").c_str(), 0755);
    const std::string path = tree.sub("a") + ":" + tree.sub("b") + ":" + tree.sub("c");
    EXPECT_EQ(platform::findProgram("fuse-sdl", path), tree.sub("b/fuse-sdl"))
        << "the first one is not executable";
    EXPECT_EQ(platform::findProgram("zesarux", path), std::nullopt);
    EXPECT_EQ(platform::findProgram("fuse-gtk", path), std::nullopt);
    EXPECT_EQ(platform::findProgram("../b/fuse-sdl", path), std::nullopt);
    EXPECT_EQ(platform::findProgram("fuse-sdl", ""), std::nullopt);
}

// Dropped files take the Add Game naming rule, a dropped folder the Add
// Multiple wizard's; each directory joins the ROM paths once.
TEST(DroppedFiles, BecomeGamesNamedByTheDialogsRules) {
    TempDir tree;
    tree.write("roms/Jet.Set.Willy.tap");
    tree.write("roms/Manic.z80");
    tree.write("roms/.hidden.tap");
    tree.write("roms/sub/inner.tap");
    tree.write("single/Tau.Ceti.z80");
    tree.write("single/.tap");
    tree.write("single/" + kPolish);
    tree.write("empty/");

    AppState state;
    state.settings.romPaths = {tree.sub("ROMS") + kSep}; // already there in another case
    const DroppedFilesResult result = addDroppedPaths(
        state, {tree.sub("roms"), tree.sub("single/Tau.Ceti.z80"), tree.sub("single/.tap"),
                tree.sub("single/" + kPolish), tree.sub("empty"), tree.sub("gone.tap")});
    EXPECT_EQ(result.added, 3);
    EXPECT_EQ(names(state.catalogue),
              (std::vector<std::string>{"Jet|Jet.Set.Willy.tap", "Manic|Manic.z80",
                                        "Tau.Ceti|Tau.Ceti.z80"}));
    EXPECT_TRUE(result.refusals.empty()) << "a hidden file is not taken, as no listing shows it";
    EXPECT_EQ(result.unstorableNames, std::vector<std::string>{tree.sub("single/" + kPolish)});
    EXPECT_EQ(state.settings.romPaths,
              (std::vector<std::string>{tree.sub("ROMS") + kSep, tree.sub("single") + kSep}))
        << "the empty folder registers nothing";
    EXPECT_TRUE(std::all_of(state.catalogue.begin(), state.catalogue.end(),
                            [](const GameRecord& game) { return game.genre == 96; }));
}
#endif
