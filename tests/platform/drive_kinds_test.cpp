#include <gtest/gtest.h>

#include <string>

#include "platform/drive_kinds.h"

using namespace tolm::platform;

namespace {

// A made-up mount table in /proc/self/mountinfo form; the later mount over /tmp wins.
constexpr const char* kTable =
    "22 1 8:2 / / rw,relatime shared:1 - ext4 /dev/sda2 rw\n"
    "30 22 8:17 / /srv/usb rw shared:9 - vfat /dev/sdb1 rw\n"
    "34 22 11:0 / /media/me/GAMES\\040CD ro shared:12 - iso9660 /dev/sr0 ro\n"
    "24 22 0:22 / /tmp rw shared:5 - nfs4 nas:/export rw\n"
    "42 22 0:47 / /tmp rw shared:6 - ext4 /dev/sdf1 rw\n";

TEST(driveKindFromMountInfo, KindOfTheMountADirectoryLiesOn) {
    using enum DriveKind;
    const std::pair<const char*, DriveKind> cases[] = {{"/srv/usb/", Removable},
                                                       {"/srv/usbx/", Fixed},
                                                       {"/media/me/GAMES CD/", Cd},
                                                       {"/tmp/", Fixed}};
    const auto sdbIsRemovable = [](const MountInfoEntry& mount) {
        return mount.source == "/dev/sdb1";
    };
    for (const auto& [directory, kind] : cases)
        EXPECT_EQ(driveKindFromMountInfo(kTable, directory, sdbIsRemovable), kind) << directory;
}

} // namespace
