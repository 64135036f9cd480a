#include "platform/drive_kinds.h"

#include <algorithm>
#include <array>
#include <vector>

namespace tolm::platform {
namespace {

// Mount tables write blanks, tabs, line feeds and backslashes as a backslash
// and three octal digits.
std::string decodeField(std::string_view field) {
    std::string out;
    out.reserve(field.size());
    const auto octal = [](char c) { return c >= '0' && c <= '7'; };
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && octal(field[i + 1]) &&
            octal(field[i + 2]) && octal(field[i + 3])) {
            out.push_back(static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                            (field[i + 3] - '0')));
            i += 3;
        } else {
            out.push_back(field[i]);
        }
    }
    return out;
}

std::vector<std::string_view> blankSeparated(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t'))
            ++at;
        if (at >= line.size())
            break;
        const std::size_t end = std::min(line.find_first_of(" \t", at), line.size());
        fields.push_back(line.substr(at, end - at));
        at = end;
    }
    return fields;
}

// Whether `directory` is `mountPoint` or lies below it, whole names only.
bool contains(std::string_view mountPoint, std::string_view directory) {
    if (mountPoint == "/")
        return !directory.empty() && directory.front() == '/';
    if (directory.substr(0, mountPoint.size()) != mountPoint)
        return false;
    return directory.size() == mountPoint.size() || directory[mountPoint.size()] == '/';
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

constexpr std::array<std::string_view, 16> kNetworkTypes = {
    "nfs",  "nfs4",      "cifs",   "smb3",  "smbfs", "ncpfs", "9p",         "afs",
    "ceph", "glusterfs", "lustre", "davfs", "coda",  "gfs2",  "fuse.sshfs", "fuse.glusterfs",
};
constexpr std::array<std::string_view, 4> kNetworkFusePrefixes = {
    "fuse.sshfs",
    "fuse.davfs",
    "fuse.rclone",
    "fuse.s3fs",
};

bool isNetworkType(std::string_view type) {
    if (std::find(kNetworkTypes.begin(), kNetworkTypes.end(), type) != kNetworkTypes.end())
        return true;
    return std::any_of(kNetworkFusePrefixes.begin(), kNetworkFusePrefixes.end(),
                       [&](std::string_view prefix) { return startsWith(type, prefix); });
}

// The lines of a mountinfo text that have every field; others are skipped.
std::vector<MountInfoEntry> parseMountInfo(std::string_view text) {
    std::vector<MountInfoEntry> mounts;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::vector<std::string_view> fields = blankSeparated(text.substr(at, end - at));
        at = end + 1;
        // id parent major:minor root mount-point options [optional...] - type source super
        const auto dash = std::find(fields.begin(), fields.end(), std::string_view("-"));
        if (fields.size() < 6 || dash - fields.begin() < 6 || fields.end() - dash < 3)
            continue;
        MountInfoEntry entry;
        entry.device = std::string(fields[2]);
        entry.mountPoint = decodeField(fields[4]);
        entry.fsType = decodeField(*(dash + 1));
        entry.source = decodeField(*(dash + 2));
        if (entry.mountPoint.empty() || entry.mountPoint.front() != '/')
            continue;
        mounts.push_back(std::move(entry));
    }
    return mounts;
}

// The mount `directory` lies on: the longest mount point that contains it,
// the later line winning on a tie (it is mounted over the earlier one).
// nullptr when no line contains it.
const MountInfoEntry* mountOf(const std::vector<MountInfoEntry>& mounts,
                              std::string_view directory) {
    // "/a/b/" names the same directory as "/a/b".
    while (directory.size() > 1 && directory.back() == '/')
        directory.remove_suffix(1);
    const MountInfoEntry* best = nullptr;
    for (const MountInfoEntry& mount : mounts) {
        if (contains(mount.mountPoint, directory) &&
            (best == nullptr || mount.mountPoint.size() >= best->mountPoint.size()))
            best = &mount;
    }
    return best;
}

DriveKind classifyMount(const MountInfoEntry& mount,
                        const std::function<bool(const MountInfoEntry&)>& deviceIsRemovable) {
    const std::string_view type = mount.fsType;
    if (isNetworkType(type))
        return DriveKind::Network;
    if (type == "iso9660" || type == "udf")
        return DriveKind::Cd;
    if (type == "tmpfs" || type == "ramfs")
        return DriveKind::Ram;
    if (contains("/media", mount.mountPoint) || contains("/run/media", mount.mountPoint))
        return DriveKind::Removable;
    if (startsWith(mount.source, "/dev/"))
        return deviceIsRemovable && deviceIsRemovable(mount) ? DriveKind::Removable
                                                             : DriveKind::Fixed;
    return DriveKind::Unknown;
}

} // namespace

DriveKind
driveKindFromMountInfo(std::string_view mountInfo, std::string_view directory,
                       const std::function<bool(const MountInfoEntry&)>& deviceIsRemovable) {
    if (directory.empty() || directory.front() != '/')
        return DriveKind::NoRoot;
    const std::vector<MountInfoEntry> mounts = parseMountInfo(mountInfo);
    const MountInfoEntry* mount = mountOf(mounts, directory);
    return mount == nullptr ? DriveKind::Unknown : classifyMount(*mount, deviceIsRemovable);
}

} // namespace tolm::platform
