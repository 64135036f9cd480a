#include "platform/isolated_worker.h"

#include <mutex>

namespace tolm::platform {

// No child process here: the work runs in this process. The Windows build
// reads no game files through outside libraries, so nothing untrusted runs
// this way.
struct IsolatedWorker::Child {
    std::mutex lock;
    bool setUp = false;
};

IsolatedWorker::IsolatedWorker(Work work, std::chrono::milliseconds timeout, Setup setup)
    : work_(std::move(work)), setup_(std::move(setup)), timeout_(timeout),
      child_(std::make_unique<Child>()) {}

IsolatedWorker::~IsolatedWorker() = default;

int IsolatedWorker::childrenStarted() const {
    return 0;
}

bool IsolatedWorker::confinesChildren() {
    return false;
}

std::optional<std::string> IsolatedWorker::call(std::string_view request) {
    const std::lock_guard hold(child_->lock);
    if (!child_->setUp) {
        child_->setUp = true;
        if (setup_)
            setup_();
    }
    return work_(request);
}

} // namespace tolm::platform
