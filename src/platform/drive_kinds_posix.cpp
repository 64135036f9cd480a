#include "platform/drive_kinds.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

#include "platform/files.h"

namespace fs = std::filesystem;

namespace tolm::platform {
namespace {

// The kernel's own flag for the disk behind a block device: a partition's
// directory in /sys/class/block lies inside its disk's directory.
bool sysfsRemovable(const MountInfoEntry& mount) {
    std::error_code ec;
    const fs::path device = fs::canonical(nativePath(mount.source), ec);
    if (ec)
        return false;
    const fs::path node = fs::canonical(fs::path("/sys/class/block") / device.filename(), ec);
    if (ec)
        return false;
    for (const fs::path& candidate : {node / "removable", node.parent_path() / "removable"}) {
        std::string flag;
        if (readFile(candidate.string(), flag))
            return !flag.empty() && flag.front() == '1';
    }
    return false;
}

} // namespace

DriveKind driveKind(const std::string& directory) {
    if (directory.empty() || directory.front() != '/')
        return DriveKind::NoRoot;
    const std::size_t end = directory.find('/', 1);
    const std::string topLevel =
        directory.substr(0, end == std::string::npos ? directory.size() : end);
    struct stat info {};
    if (topLevel.size() > 1 && (::stat(topLevel.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)))
        return DriveKind::NoRoot;
    std::string table;
    if (!readFile("/proc/self/mountinfo", table))
        return DriveKind::Unknown;
    return driveKindFromMountInfo(table, directory, sysfsRemovable);
}

} // namespace tolm::platform
