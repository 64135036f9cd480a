#include "platform/paths.h"

namespace tolm::platform {

bool isAbsolutePath(std::string_view path) {
    return !path.empty() && path.front() == '/';
}

bool samePath(std::string_view a, std::string_view b) {
    return a == b;
}

} // namespace tolm::platform
