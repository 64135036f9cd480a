#include "platform/paths.h"

#include "platform/files.h"

namespace tolm::platform {

std::string joinPath(std::string_view directory, std::string_view name) {
    std::string joined(directory);
    if (!joined.empty() && joined.back() != kPathSeparator)
        joined += kPathSeparator;
    joined += name;
    return joined;
}

} // namespace tolm::platform
