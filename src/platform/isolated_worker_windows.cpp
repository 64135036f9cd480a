#include "platform/isolated_worker.h"

#include <mutex>

namespace tolm::platform {

// No child process here: the work runs in this process. The Windows build
// reads no game files through outside libraries, so nothing untrusted runs
// this way.
struct IsolatedWorker::Child {
    std::mutex lock;
};

IsolatedWorker::IsolatedWorker(Work work, std::chrono::milliseconds timeout)
    : work_(std::move(work)), timeout_(timeout), child_(std::make_unique<Child>()) {}

IsolatedWorker::~IsolatedWorker() = default;

int IsolatedWorker::childrenStarted() const {
    return 0;
}

std::optional<std::string> IsolatedWorker::call(std::string_view request) {
    const std::lock_guard hold(child_->lock);
    return work_(request);
}

} // namespace tolm::platform
