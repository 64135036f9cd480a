#include "platform/termination_requests.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <thread>

namespace tolm::platform {
namespace {

// A signal handler can only reach the rest of the program through state of
// its own: the write end of a pipe that a watcher thread reads.
int wakeWriteFd = -1;

// The watcher thread outlives whoever asked for the calls; the callback is
// taken away under this lock before its owner goes.
std::mutex handlerLock;
std::function<void()> handler;

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

extern "C" void onSignal(int signalNumber) {
    const int savedErrno = errno;
    const char byte = static_cast<char>(signalNumber);
    // Non-blocking: when the pipe is full, a request is already pending.
    [[maybe_unused]] const ssize_t ignored = ::write(wakeWriteFd, &byte, 1);
    errno = savedErrno;
}

} // namespace

bool watchTerminationRequests(std::function<void()> onRequest) {
    {
        const std::lock_guard<std::mutex> guard(handlerLock);
        if (handler)
            return false; // someone watches already
        handler = std::move(onRequest);
    }
    // The pipe and its reader are made once and serve any later watcher.
    if (wakeWriteFd < 0) {
        int fds[2];
        if (::pipe(fds) != 0) {
            const std::lock_guard<std::mutex> guard(handlerLock);
            handler = nullptr;
            return false;
        }
        for (int fd : fds)
            (void)::fcntl(fd, F_SETFD, FD_CLOEXEC); // started games must not inherit them
        (void)::fcntl(fds[1], F_SETFL, O_NONBLOCK);
        wakeWriteFd = fds[1];
        std::thread([readFd = fds[0]] {
            char byte;
            for (;;) {
                const ssize_t n = ::read(readFd, &byte, 1);
                if (n == 1) {
                    const std::lock_guard<std::mutex> guard(handlerLock);
                    if (handler)
                        handler();
                } else if (n == 0 || errno != EINTR) {
                    return;
                }
            }
        }).detach();
    }

    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signalNumber : kSignals)
        (void)::sigaction(signalNumber, &action, nullptr); // cannot fail for these signals
    return true;
}

void stopWatchingTerminationRequests() {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (int signalNumber : kSignals)
        (void)::sigaction(signalNumber, &action, nullptr);
    const std::lock_guard<std::mutex> guard(handlerLock);
    handler = nullptr;
}

} // namespace tolm::platform
