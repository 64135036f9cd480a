#include "platform/paths.h"

namespace tolm::platform {

bool isAbsolutePath(std::string_view path) {
    return !path.empty() && path.front() == '/';
}

} // namespace tolm::platform
