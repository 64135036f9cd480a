#include "platform/isolated_call.h"

namespace tolm::platform {

// No fork here: the work runs in this process. The Windows build reads no
// game files through outside libraries, so nothing untrusted runs this way.
std::optional<std::string> runIsolated(const std::function<std::string()>& work,
                                       std::chrono::milliseconds) {
    return work();
}

} // namespace tolm::platform
