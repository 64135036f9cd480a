#pragma once

#include <functional>
#include <string>
#include <string_view>

// What kind of drive a directory lies on, for the paths dialog's icons.
namespace tolm::platform {

// The values are the ones Windows reports for a drive root.
enum class DriveKind {
    Unknown = 0,
    NoRoot = 1, // not an absolute path, or its top-level folder is missing
    Removable = 2,
    Fixed = 3,
    Network = 4,
    Cd = 5,
    Ram = 6,
};

// One line of a Linux mount table (/proc/self/mountinfo).
struct MountInfoEntry {
    std::string device;     // "major:minor"
    std::string mountPoint; // escapes (\040 for a blank) decoded
    std::string fsType;     // "ext4", "nfs4", "fuse.sshfs"
    std::string source;     // "/dev/sda1", "server:/export"

    bool operator==(const MountInfoEntry&) const = default;
};

// The kind of the drive `directory` (absolute, '/'-separated) lies on, by
// the mount that holds it; the mount table is given as text so that made-up
// tables can be tried. `deviceIsRemovable` is asked only for a block device.
DriveKind
driveKindFromMountInfo(std::string_view mountInfo, std::string_view directory,
                       const std::function<bool(const MountInfoEntry&)>& deviceIsRemovable);

// The drive kind of `directory` as the system reports it. On a slow network
// file system this may block; callers keep it off the window's thread.
DriveKind driveKind(const std::string& directory);

} // namespace tolm::platform
