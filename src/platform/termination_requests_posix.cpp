#include "platform/termination_requests.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

namespace tolm::platform {
namespace {

// A signal handler can only reach the rest of the program through state of
// its own: the write end of a pipe that a watcher thread reads.
int wakeWriteFd = -1;

extern "C" void onSignal(int signalNumber) {
    const int savedErrno = errno;
    const char byte = static_cast<char>(signalNumber);
    // Non-blocking: when the pipe is full, a request is already pending.
    [[maybe_unused]] const ssize_t ignored = ::write(wakeWriteFd, &byte, 1);
    errno = savedErrno;
}

} // namespace

bool watchTerminationRequests(std::function<void()> onRequest) {
    if (wakeWriteFd >= 0)
        return false;
    int fds[2];
    if (::pipe(fds) != 0)
        return false;
    for (int fd : fds)
        (void)::fcntl(fd, F_SETFD, FD_CLOEXEC); // started games must not inherit them
    (void)::fcntl(fds[1], F_SETFL, O_NONBLOCK);
    wakeWriteFd = fds[1];

    std::thread([readFd = fds[0], onRequest = std::move(onRequest)] {
        char byte;
        for (;;) {
            const ssize_t n = ::read(readFd, &byte, 1);
            if (n == 1)
                onRequest();
            else if (n == 0 || errno != EINTR)
                return;
        }
    }).detach();

    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    bool ok = true;
    for (int signalNumber : {SIGTERM, SIGHUP, SIGINT})
        ok = ::sigaction(signalNumber, &action, nullptr) == 0 && ok;
    return ok;
}

} // namespace tolm::platform
