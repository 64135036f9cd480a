#include <gtest/gtest.h>

#include <string>

#include "platform/drive_kinds.h"

using namespace tolm::platform;

namespace {

// A made-up mount table in /proc/self/mountinfo form.
constexpr const char* kTable =
    "22 1 8:2 / / rw,relatime shared:1 - ext4 /dev/sda2 rw\n"
    "23 22 0:21 / /proc rw,nosuid shared:12 - proc proc rw\n"
    "24 22 0:22 / /tmp rw shared:5 - tmpfs tmpfs rw,size=800k\n"
    "30 22 8:17 / /srv/usb rw shared:9 - vfat /dev/sdb1 rw\n"
    "31 22 0:40 / /mnt/nas rw shared:10 - nfs4 nas:/export rw\n"
    "33 22 0:42 / /home/me/remote rw shared:11 - fuse.sshfs me@box:/ rw\n"
    "34 22 11:0 / /media/me/GAMES\\040CD ro shared:12 - iso9660 /dev/sr0 ro\n"
    "35 22 8:33 / /media/me/STICK rw - vfat /dev/sdc1 rw\n"
    "36 22 8:49 / /run/media/me/DISK rw - ext4 /dev/sdd1 rw\n"
    "37 22 0:43 / /srv/ram rw - ramfs ramfs rw\n"
    "41 24 0:46 / /tmp/inner rw - ext4 /dev/sde1 rw\n"
    "42 22 0:47 / /tmp rw shared:6 - ext4 /dev/sdf1 rw\n" // mounted over /tmp
    "garbage line without fields\n"
    "43 22 0:48 / relative rw - ext4 /dev/sdg1 rw\n"
    "44 22 0:49 /sub /srv/short rw -\n";

TEST(driveKindFromMountInfo, KindOfTheMountADirectoryLiesOn) {
    using enum DriveKind;
    // clang-format off
    const std::pair<const char*, DriveKind> cases[] = {
        {"/", Fixed}, {"/home/me/games/", Fixed}, {"/proc/", Unknown},
        {"/srv/usb/", Removable}, // the kernel says so
        {"/srv/usbx/", Fixed},    // a name, not a prefix
        {"/mnt/nas/roms/", Network}, {"/home/me/remote/x/", Network},
        {"/media/me/GAMES CD/", Cd}, // \040 decoded
        {"/media/me/STICK/roms/", Removable}, {"/run/media/me/DISK/", Removable}, // under /media
        {"/srv/ram/", Ram},
        {"/tmp/", Fixed}, {"/tmp/inner/a/", Fixed}, // the later mount over /tmp wins
        {"games/", NoRoot}, {"", NoRoot}, {"C:\\games\\", NoRoot}};
    // clang-format on
    const auto sdbIsRemovable = [](const MountInfoEntry& mount) {
        return mount.source == "/dev/sdb1";
    };
    for (const auto& [directory, kind] : cases)
        EXPECT_EQ(driveKindFromMountInfo(kTable, directory, sdbIsRemovable), kind) << directory;

    const auto mounts = parseMountInfo(kTable); // lines missing fields are skipped
    ASSERT_EQ(mounts.size(), 12u);
    EXPECT_EQ(mounts[0], (MountInfoEntry{"8:2", "/", "ext4", "/dev/sda2"}));
    EXPECT_TRUE(parseMountInfo("\n\n - - -\n").empty());
    EXPECT_EQ(driveKindFromMountInfo("", "/games/", nullptr), Unknown);
}

TEST(driveKind, ThisSystemAnswersForPlainPaths) {
#ifdef _WIN32
    GTEST_SKIP()
        << "POSIX only: the cases are POSIX paths; Windows asks GetDriveTypeW of drive letters";
#endif
    EXPECT_EQ(driveKind("relative/"), DriveKind::NoRoot);
    EXPECT_EQ(driveKind("/no-such-top-level-folder-here/x/"), DriveKind::NoRoot);
    EXPECT_NE(driveKind("/"), DriveKind::NoRoot);
}

} // namespace
