#include "platform/mounts.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace tolm::platform
