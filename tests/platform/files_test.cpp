#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/temporary_names.h"
#include "temp_dir.h"

using namespace tolm::platform;
using tolm::test::readAll;
using tolm::test::TempDir;

namespace {

TEST(fileExists, ListsLikeADirectoryListing) {
    TempDir tree;
    for (const char* file :
         {"roms/game.tap", "roms/Other.z80", "roms/noext", "roms/.hidden", "roms/sub/deep.tap",
          "onlyhidden/.secret", "empty/", "onlydirs/inner/", "nodot/README"})
        tree.write(file);
    // clang-format off
    const std::pair<const char*, bool> cases[] = {
        {"roms/game.tap", true}, {"roms/sub/deep.tap", true}, {"roms/missing.tap", false},
        {"nodir/game.tap", false}, {"roms/game.tap/", false}, {"roms/.hidden", false},
        // A directory counts only when named with a trailing separator and holding a visible file.
        {"roms", false}, {"roms/", true}, {"roms/sub/", true}, {"empty/", false},
        {"onlydirs/", false}, {"onlyhidden/", false}, {"nodir/", false},
        {"roms/*.tap", true}, {"roms/*.sna", false}, {"roms/g?me.tap", true},
        {"roms/g?e.tap", false}, {"roms/????.tap", true}, {"roms/???.tap", false},
        {"roms/noex?", true},
        {"roms/su?", false}, {"roms/.hid*", false}, {"empty/*", false}, {"onlydirs/*", false},
        {"onlyhidden/*.*", false}, {"nodir/*", false}, {"roms/noext", true},
        {"nodot/*.*", true}}; // "*.*" matches names without a dot, as a Windows listing does
    // clang-format on
    for (const auto& [relative, expected] : cases)
        EXPECT_EQ(fileExists(tree.sub(relative)), expected) << relative;
    EXPECT_FALSE(fileExists(""));
}

TEST(replaceFile, WritesEveryByteAndLeavesNoTemporaryFile) {
    TempDir dir;
    const std::string path = dir.sub("out.bin");
    dir.write("out.bin", std::string(200000, 'o'));
    std::string bytes(100000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 7);
    for (Durability d : {Durability::Buffered, Durability::Synced}) {
        ASSERT_TRUE(replaceFile(path, bytes, d));
        std::string read = "stale";
        ASSERT_TRUE(readFile(path, read));
        EXPECT_EQ(read, bytes);
    }
    ASSERT_TRUE(replaceFile(path, ""));
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
    EXPECT_EQ(dir.countEntries(), 1);
}

TEST(replaceFile, FailureNamesTheFileAndKeepsWhatWasThere) {
    TempDir dir;
    dir.write("target/keep.txt", "kept");
    dir.write("keep.dat", "old contents");
    std::string scratch;
    const auto stopsEarly = [](const ByteSink& sink) { return sink("partial") && false; };
    for (Durability d : {Durability::Buffered, Durability::Synced}) {
        const std::pair<IoResult, const char*> failures[] = {
            {replaceFile(dir.sub("missing/file.dat"), "data", d), "file.dat"},
            {replaceFile(dir.sub("target"), "data", d), "target"},
            {replaceFileStreamed(dir.sub("keep.dat"), stopsEarly, d), "keep.dat"},
            {readFile(dir.sub("absent.bin"), scratch), "absent.bin"}};
        for (const auto& [result, name] : failures) {
            EXPECT_FALSE(result) << name;
            EXPECT_NE(result.error.find(name), std::string::npos) << result.error;
        }
        EXPECT_EQ(readAll(dir.sub("target/keep.txt")), "kept");
        EXPECT_EQ(readAll(dir.sub("keep.dat")), "old contents");
        EXPECT_EQ(dir.countEntries(), 2) << "temporary files are cleaned up";
    }
}

TEST(removeStaleTemporaryFiles, RemovesOnlyTheReplacesOwnLeftovers) {
    TempDir dir;
    // clang-format off
    const std::pair<const char*, bool> cases[] = {
        {"tolm.dat.tmp-0a1b2c3d", true}, {"tolm.ini.tmp-zzzzzzzz", true},
        {"tolm.dat.tmp-00000000", true},
        // Look-alikes the replace never makes: the user's, so kept.
        {"tolm.dat", false}, {"tolm.ini", false}, {"tolm.dat.tmp-0a1b2c3", false},
        {"tolm.dat.tmp-0a1b2c3d4", false}, {"tolm.dat.tmp-0A1B2C3D", false},
        {"tolm.dat.tmp-0a1b2c3!", false}, {"tolm.dat.tmp0a1b2c3d", false},
        {"tolm.dat.TMP-0a1b2c3d", false}, {"Tolm.dat.tmp-0a1b2c3d", false},
        {"other.dat.tmp-0a1b2c3d", false}, {"xtolm.dat.tmp-0a1b2c3d", false},
        {"tolm.bak.tmp-0a1b2c3d", false}, {"tolm.dat.tmp-", false}};
    // clang-format on
    for (const auto& [name, removed] : cases)
        dir.write(name, "partial save");
    dir.write("tolm.ini.tmp-dir00000/inside"); // a directory of that name is not ours either
    std::filesystem::create_symlink(dir.sub("tolm.dat"), dir.sub("tolm.dat.tmp-link0000"));

    const std::vector<std::string> gone =
        removeStaleTemporaryFiles(dir.path(), {"tolm.dat", "tolm.ini"});
    EXPECT_EQ(gone, (std::vector<std::string>{"tolm.dat.tmp-00000000", "tolm.dat.tmp-0a1b2c3d",
                                              "tolm.ini.tmp-zzzzzzzz"}));
    for (const auto& [name, removed] : cases)
        EXPECT_EQ(std::filesystem::exists(dir.sub(name)), !removed) << name;
    EXPECT_TRUE(std::filesystem::exists(dir.sub("tolm.ini.tmp-dir00000/inside")));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.sub("tolm.dat.tmp-link0000")));

    // The names it makes are the names it removes.
    const std::string made = temporaryNameFor("tolm.dat");
    EXPECT_TRUE(isTemporaryNameFor(made, "tolm.dat")) << made;
    EXPECT_TRUE(removeStaleTemporaryFiles(dir.sub("missing"), {"tolm.dat"}).empty());
}

} // namespace
