#include "platform/programs.h"

#include <sys/stat.h>
#include <unistd.h>

namespace tolm::platform {

bool isRunnableProgram(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

} // namespace tolm::platform
