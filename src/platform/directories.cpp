#include "platform/directories.h"

#include <filesystem>
#include <system_error>

namespace tolm::platform {

IoResult createDirectories(const std::string& directory) {
    std::error_code ec;
    std::filesystem::create_directories(nativePath(directory), ec);
    if (ec)
        return IoResult::failure("Unable to create " + directory + ": " + ec.message());
    return IoResult::success();
}

} // namespace tolm::platform
