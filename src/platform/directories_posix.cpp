#include "platform/directories.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace tolm::platform {

bool isWritableDirectory(const std::string& directory) {
    struct stat info {};
    return ::stat(directory.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           ::access(directory.c_str(), W_OK | X_OK) == 0;
}

std::string programSearchPath() {
    const char* path = std::getenv("PATH");
    return path != nullptr ? path : "";
}

std::optional<std::string> findProgram(std::string_view name, std::string_view searchPath) {
    if (name.empty() || name.find('/') != std::string_view::npos)
        return std::nullopt;
    while (true) {
        const std::size_t colon = searchPath.find(':');
        std::string directory(searchPath.substr(0, colon));
        if (directory.empty())
            directory = "."; // an empty entry means the current directory
        const std::string candidate = directory + "/" + std::string(name);
        struct stat info {};
        if (::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        if (colon == std::string_view::npos)
            return std::nullopt;
        searchPath.remove_prefix(colon + 1);
    }
}

bool isDirectory(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace tolm::platform
