#include "platform/mounts.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace tolm::platform {
namespace {

using Strings = std::vector<std::string>;

TEST(PickableMounts, KeepsRootHomeAndRemovableMountsInTableOrder) {
    // clang-format off
    const struct { const char* what; std::string table; std::string home; Strings expected; } cases[] = {
        {"system mounts left out, removable media in table order", "proc /proc proc rw 0 0\n"
         "/dev/sdb1 /media/ann/USB\\040STICK vfat rw 0 0\n/dev/sdd1 /mnt ext4 rw 0 0\n", "/home/ann",
         {"/", "/home/ann", "/media/ann/USB STICK", "/mnt"}},
        {"look-alike prefixes are not mounts under them", "x /mntx ext4 rw 0 0\n", "/root", {"/", "/root"}},
        {"repeated mount listed once, home as root not twice",
         "x /mnt/a ext4 rw 0 0\ny /mnt/a ext4 rw 0 0\n", "/", {"/", "/mnt/a"}}};
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(pickableMounts(c.table, c.home), c.expected) << c.what;
}

TEST(DirectoryPaths, SubdirectoriesHideDotNamesAndFilesButFollowLinks) {
#ifdef _WIN32
    GTEST_SKIP() << "POSIX only: dot names, links and mounts under / are POSIX matters";
#endif
    test::TempDir dir;
    for (const char* name : {"beta/", "Alpha/", ".hidden/", "file.tap"})
        dir.write(name);
    std::filesystem::create_directory_symlink(dir.sub("beta"), dir.sub("linked"));
    std::filesystem::create_directory_symlink(dir.sub("gone"), dir.sub("dangling"));
    EXPECT_EQ(visibleSubdirectories(dir.path()), (Strings{"Alpha", "beta", "linked"}));
    EXPECT_FALSE(directoryReadError(dir.path()));
    EXPECT_TRUE(directoryReadError(dir.sub("file.tap"))); // not a directory
}

} // namespace
} // namespace tolm::platform
