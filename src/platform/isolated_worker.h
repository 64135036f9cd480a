#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tolm::platform {

// Runs `work` in a long-lived child process where the system allows it, so
// that a fault inside it (a crash, memory it loses, a loop that never ends)
// cannot harm this process: meant for outside libraries reading untrusted
// files. The child is made at the first call and serves one request after
// another, which keeps a call as cheap as handing the bytes over; a child
// that died or was killed is replaced at the next call. `work` runs in the
// child and must not touch this process's windows or threads. Where no child
// process can be made, `work` runs here. Calls may come from any thread; they
// are served one at a time.
//
// On Linux each child first runs `setup` (whatever opens files, reserves
// memory or loads data the work needs), then confines itself: from then on it
// may only read and write the socket to this process, manage its memory and
// exit, and any other system call kills it, so a reader exploited by a
// crafted file can do no more than crash.
class IsolatedWorker {
public:
    using Work = std::function<std::string(std::string_view request)>;
    using Setup = std::function<void()>;

    // `timeout` bounds each call; a child that outruns it is killed.
    IsolatedWorker(Work work, std::chrono::milliseconds timeout, Setup setup = {});
    ~IsolatedWorker();
    IsolatedWorker(const IsolatedWorker&) = delete;
    IsolatedWorker& operator=(const IsolatedWorker&) = delete;

    // What `work` returned for `request`, or nothing when the child failed
    // or outran the timeout.
    std::optional<std::string> call(std::string_view request);

    // How many children were made so far: a crash or a kill costs one more.
    int childrenStarted() const;

    // True where children confine themselves after their set-up.
    static bool confinesChildren();

private:
    struct Child;
    Work work_;
    Setup setup_;
    std::chrono::milliseconds timeout_;
    std::unique_ptr<Child> child_;
};

} // namespace tolm::platform
