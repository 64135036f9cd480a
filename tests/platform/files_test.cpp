#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/files.h"
#include "temp_dir.h"

using namespace tolm::platform;
using tolm::test::ReadAll;
using tolm::test::TempDir;

namespace {

// One tree for every lookup case:
//   roms/game.tap, roms/Other.z80, roms/noext, roms/.hidden, roms/sub/deep.tap
//   empty/            (no entries)
//   onlydirs/inner/   (a directory and nothing else)
//   onlyhidden/.secret
class FileExistsTree : public ::testing::TestWithParam<std::pair<const char*, bool>> {
protected:
    static void SetUpTestSuite() {
        tree_ = new TempDir;
        tree_->Write("roms/game.tap");
        tree_->Write("roms/Other.z80");
        tree_->Write("roms/noext");
        tree_->Write("roms/.hidden");
        tree_->Write("roms/sub/deep.tap");
        tree_->MakeDir("empty");
        tree_->MakeDir("onlydirs/inner");
        tree_->Write("onlyhidden/.secret");
    }
    static void TearDownTestSuite() {
        delete tree_;
        tree_ = nullptr;
    }
    static TempDir* tree_;
};
TempDir* FileExistsTree::tree_ = nullptr;

TEST_P(FileExistsTree, Lookup) {
    const auto& [relative, expected] = GetParam();
    const std::string path = tree_->Sub(relative);
    EXPECT_EQ(FileExists(path), expected) << path;
}

INSTANTIATE_TEST_SUITE_P(
    PlainNames, FileExistsTree,
    ::testing::Values(std::pair{"roms/game.tap", true}, std::pair{"roms/noext", true},
                      std::pair{"roms/sub/deep.tap", true}, std::pair{"roms/missing.tap", false},
                      std::pair{"nodir/game.tap", false}, std::pair{"nodir/deeper/game.tap", false},
                      std::pair{"roms/game.tap/", false}, // a file is no directory
                      std::pair{"roms/.hidden", false}, std::pair{"onlyhidden/.secret", false}));

INSTANTIATE_TEST_SUITE_P(Directories, FileExistsTree,
                         ::testing::Values(std::pair{"roms", false}, std::pair{"roms/sub", false},
                                           std::pair{"roms/", true}, std::pair{"roms/sub/", true},
                                           std::pair{"empty", false}, std::pair{"empty/", false},
                                           std::pair{"onlydirs/", false},
                                           std::pair{"onlyhidden/", false},
                                           std::pair{"nodir/", false}));

INSTANTIATE_TEST_SUITE_P(
    Wildcards, FileExistsTree,
    ::testing::Values(std::pair{"roms/*", true}, std::pair{"roms/*.tap", true},
                      std::pair{"roms/*.z80", true}, std::pair{"roms/*.sna", false},
                      std::pair{"roms/g?me.tap", true}, std::pair{"roms/g?e.tap", false},
                      std::pair{"roms/????.tap", true}, std::pair{"roms/???.tap", false},
                      std::pair{"roms/*.*", true}, std::pair{"roms/noex?", true},
                      std::pair{"roms/su?", false},   // matches only a directory
                      std::pair{"roms/.hid*", false}, // matches only a hidden file
                      std::pair{"empty/*", false}, std::pair{"empty/*.*", false},
                      std::pair{"onlydirs/*", false}, std::pair{"onlyhidden/*", false},
                      std::pair{"onlyhidden/*.*", false}, std::pair{"nodir/*", false}));

TEST(FileExists, StarDotStarMatchesNamesWithoutADot) {
    TempDir dir;
    dir.Write("a/README");
    EXPECT_TRUE(FileExists(dir.Sub("a/*.*")));
}

TEST(FileExists, EmptyPathIsFalse) {
    EXPECT_FALSE(FileExists(""));
}

TEST(ReplaceFile, WritesEveryByte) {
    TempDir dir;
    const std::string path = dir.Sub("out.bin");
    std::string bytes;
    for (int i = 0; i < 3 * 256; ++i)
        bytes += static_cast<char>(i % 256);
    for (Durability d : {Durability::Buffered, Durability::Synced}) {
        const IoResult result = ReplaceFile(path, bytes, d);
        ASSERT_TRUE(result.ok) << result.error;
        EXPECT_EQ(ReadAll(path), bytes);
    }
    EXPECT_EQ(dir.CountEntries(), 1u) << "no temporary file left beside the target";
}

TEST(ReplaceFile, ReplacesALongerFileAndWritesEmptyFiles) {
    TempDir dir;
    const std::string path = dir.Sub("f.txt");
    dir.Write("f.txt", "a much longer old content");
    ASSERT_TRUE(ReplaceFile(path, "new").ok);
    EXPECT_EQ(ReadAll(path), "new");
    ASSERT_TRUE(ReplaceFile(path, "").ok);
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
}

TEST(ReplaceFile, MissingDirectoryFailsAndNamesTheFile) {
    TempDir dir;
    for (Durability d : {Durability::Buffered, Durability::Synced}) {
        const std::string path = dir.Sub("missing/target.dat");
        const IoResult result = ReplaceFile(path, "data", d);
        EXPECT_FALSE(result.ok);
        EXPECT_FALSE(static_cast<bool>(result));
        EXPECT_NE(result.error.find("target.dat"), std::string::npos) << result.error;
        EXPECT_FALSE(std::filesystem::exists(dir.Sub("missing")));
    }
}

TEST(ReplaceFile, TargetThatIsADirectoryIsLeftAlone) {
    TempDir dir;
    dir.Write("target/keep.txt", "kept");
    for (Durability d : {Durability::Buffered, Durability::Synced}) {
        const IoResult result = ReplaceFile(dir.Sub("target"), "data", d);
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.error.find("target"), std::string::npos) << result.error;
        EXPECT_TRUE(std::filesystem::is_directory(dir.Sub("target")));
        EXPECT_EQ(ReadAll(dir.Sub("target/keep.txt")), "kept");
        EXPECT_EQ(dir.CountEntries(), 1u) << "the temporary file must be cleaned up";
    }
}

TEST(ReadFile, ReadsWholeFileAndReportsMissingOnes) {
    TempDir dir;
    std::string bytes(100000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 7);
    dir.Write("big.bin", bytes);
    std::string out = "stale";
    ASSERT_TRUE(ReadFile(dir.Sub("big.bin"), out).ok);
    EXPECT_EQ(out, bytes);

    const IoResult missing = ReadFile(dir.Sub("absent.bin"), out);
    EXPECT_FALSE(missing.ok);
    EXPECT_NE(missing.error.find("absent.bin"), std::string::npos) << missing.error;
}

TEST(ProgramDirectory, IsAnExistingDirectoryWithoutTrailingSeparator) {
    const std::string dir = ProgramDirectory();
    ASSERT_FALSE(dir.empty());
    EXPECT_TRUE(std::filesystem::is_directory(dir));
    if (dir.size() > 1) {
        EXPECT_NE(dir.back(), kPathSeparator);
    }
}

} // namespace

namespace {

TEST(ReplaceFileStreamed, PiecesAreJoinedInOrder) {
    TempDir dir;
    const std::string path = dir.Sub("streamed.bin");
    const IoResult result = ReplaceFileStreamed(path, [](const ByteSink& sink) {
        return sink("one,") && sink("") && sink(std::string(100000, 'x')) && sink(",two");
    });
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(ReadAll(path), "one," + std::string(100000, 'x') + ",two");
}

TEST(ReplaceFileStreamed, StoppingEarlyKeepsTheOldFile) {
    TempDir dir;
    dir.Write("keep.dat", "old contents");
    const std::string path = dir.Sub("keep.dat");
    for (Durability d : {Durability::Buffered, Durability::Synced}) {
        const IoResult result = ReplaceFileStreamed(
            path, [](const ByteSink& sink) { return sink("partial") && false; }, d);
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.error.find("keep.dat"), std::string::npos) << result.error;
        EXPECT_EQ(ReadAll(path), "old contents");
        EXPECT_EQ(dir.CountEntries(), 1u) << "the temporary file must be cleaned up";
    }
}

} // namespace
