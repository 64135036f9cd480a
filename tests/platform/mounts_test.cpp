#include "platform/mounts.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace tolm::platform {
namespace {

using Strings = std::vector<std::string>;

// System mounts are left out, escaped blanks decoded and a repeated mount listed once.
TEST(PickableMounts, KeepsRootHomeAndRemovableMountsInTableOrder) {
    const std::string table = "proc /proc proc rw 0 0\n/dev/sdb1 /media/ann/USB\\040STICK vfat rw "
                              "0 0\n/dev/sdd1 /mnt ext4 rw 0 0\n/dev/sdd1 /mnt ext4 rw 0 0\n";
    EXPECT_EQ(pickableMounts(table, "/home/ann"),
              (Strings{"/", "/home/ann", "/media/ann/USB STICK", "/mnt"}));
}

// Hidden names and sorting are the folder picker's test; links are not.
TEST(DirectoryPaths, SubdirectoriesFollowLinks) {
#ifdef _WIN32
    GTEST_SKIP() << "POSIX only: dot names and links are POSIX matters";
#endif
    test::TempDir dir;
    for (const char* name : {"beta/", ".hidden/"})
        dir.write(name);
    std::filesystem::create_directory_symlink(dir.sub("beta"), dir.sub("linked"));
    EXPECT_EQ(visibleSubdirectories(dir.path()), (Strings{"beta", "linked"}));
}

} // namespace
} // namespace tolm::platform
