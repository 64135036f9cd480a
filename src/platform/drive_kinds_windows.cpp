#include "platform/drive_kinds.h"

#include <windows.h>

#include "platform/files.h"

namespace tolm::platform {

// "C:\games\" asks about "C:\"; "\\server\share\games\" about "\\server\share\".
DriveKind driveKind(const std::string& directory) {
    std::string root;
    if (directory.size() >= 2 && directory[1] == ':') {
        root = directory.substr(0, 2) + "\\";
    } else if (directory.rfind("\\\\", 0) == 0) {
        const std::size_t server = directory.find('\\', 2);
        const std::size_t share =
            server == std::string::npos ? std::string::npos : directory.find('\\', server + 1);
        root = (share == std::string::npos ? directory : directory.substr(0, share)) + "\\";
    } else {
        return DriveKind::NoRoot;
    }
    const UINT type = ::GetDriveTypeW(nativePath(root).c_str());
    return type <= 6 ? static_cast<DriveKind>(type) : DriveKind::Unknown;
}

} // namespace tolm::platform
