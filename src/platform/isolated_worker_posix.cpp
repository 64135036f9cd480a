#include "platform/isolated_worker.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <mutex>

#if TOLM_HAVE_SECCOMP
#include <seccomp.h>
constexpr bool kConfinedChildren = true;
#else
constexpr bool kConfinedChildren = false;
#endif

namespace tolm::platform {
namespace {

using Clock = std::chrono::steady_clock;

// A child that served this many requests is replaced, so that memory the
// work loses on damaged input never piles up.
constexpr int kRequestsPerChild = 500;

// An answer claiming more than this is garbage from a child out of step.
constexpr std::uint64_t kLargestAnswer = std::uint64_t{1} << 30;

// Messages both ways are a 64-bit length followed by that many bytes.
using Length = std::uint64_t;

// The child's side: blocking, with no deadline (the parent keeps time).
bool readExactly(int fd, char* into, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::recv(fd, into, size, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        into += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool writeExactly(int fd, const char* from, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::send(fd, from, size, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        from += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// Waits until `fd` is ready for `events` or the deadline passes.
bool waitFor(int fd, short events, Clock::time_point deadline) {
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return false;
        pollfd wait{fd, events, 0};
        const int ready = ::poll(&wait, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        return ready > 0;
    }
}

// The parent's side: non-blocking, against the call's deadline.
bool sendBy(int fd, const char* from, std::size_t size, Clock::time_point deadline) {
    while (size > 0) {
        const ssize_t n = ::send(fd, from, size, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            from += n;
            size -= static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!waitFor(fd, POLLOUT, deadline))
                return false;
        } else {
            return false; // the child is gone
        }
    }
    return true;
}

bool receiveBy(int fd, char* into, std::size_t size, Clock::time_point deadline) {
    while (size > 0) {
        const ssize_t n = ::recv(fd, into, size, MSG_DONTWAIT);
        if (n > 0) {
            into += n;
            size -= static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!waitFor(fd, POLLIN, deadline))
                return false;
        } else {
            return false; // the child died before it answered in full
        }
    }
    return true;
}

// Leaves the child able to talk over its socket, manage its memory and exit;
// any other system call kills it. False when the filter could not be loaded.
bool confine() {
#if TOLM_HAVE_SECCOMP
    const scmp_filter_ctx filter = ::seccomp_init(SCMP_ACT_KILL_PROCESS);
    if (!filter)
        return false;
    bool built = true;
    for (const int call :
         {SCMP_SYS(read), SCMP_SYS(write), SCMP_SYS(recvfrom), SCMP_SYS(sendto), SCMP_SYS(brk),
          SCMP_SYS(mmap), SCMP_SYS(munmap), SCMP_SYS(mremap), SCMP_SYS(mprotect), SCMP_SYS(madvise),
          SCMP_SYS(futex), SCMP_SYS(rt_sigreturn), SCMP_SYS(exit), SCMP_SYS(exit_group)})
        built = built && ::seccomp_rule_add(filter, SCMP_ACT_ALLOW, call, 0) == 0;
    const bool loaded = built && ::seccomp_load(filter) == 0;
    ::seccomp_release(filter);
    return loaded;
#else
    return true;
#endif
}

[[noreturn]] void serve(int fd, const IsolatedWorker::Work& work,
                        const IsolatedWorker::Setup& setup) {
    const rlimit noCoreFiles{0, 0}; // a crash here is expected now and then
    ::setrlimit(RLIMIT_CORE, &noCoreFiles);
    // Hold nothing else of the parent's open: a socket or pipe kept open here
    // would keep its other end from seeing it closed.
    if (fd < 3)
        fd = ::fcntl(fd, F_DUPFD, 3);
    if (fd > 3)
        ::close_range(3, static_cast<unsigned>(fd) - 1, 0);
    ::close_range(static_cast<unsigned>(fd) + 1, ~0U, 0);
    if (setup)
        setup();
    // A child that cannot confine itself serves nothing: the parent then
    // sees every call fail rather than untrusted input read unconfined.
    if (!confine())
        ::_exit(1);
    for (;;) {
        Length size = 0;
        if (!readExactly(fd, reinterpret_cast<char*>(&size), sizeof size))
            break;
        std::string request(static_cast<std::size_t>(size), '\0');
        if (!readExactly(fd, request.data(), request.size()))
            break;
        const std::string answer = work(request);
        const Length answerSize = answer.size();
        if (!writeExactly(fd, reinterpret_cast<const char*>(&answerSize), sizeof answerSize) ||
            !writeExactly(fd, answer.data(), answer.size()))
            break;
    }
    // Leaves without running the parent's exit handlers.
    ::_exit(0);
}

} // namespace

struct IsolatedWorker::Child {
    std::mutex lock;
    pid_t pid = -1;
    int socket = -1;
    int served = 0;
    int started = 0;
    bool setUpHere = false;

    bool running() const { return pid > 0; }

    bool start(const Work& work, const Setup& setup) {
        int ends[2];
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
            return false;
        const pid_t made = ::fork();
        if (made < 0) {
            ::close(ends[0]);
            ::close(ends[1]);
            return false;
        }
        if (made == 0) {
            ::close(ends[0]);
            serve(ends[1], work, setup);
        }
        ::close(ends[1]);
        pid = made;
        socket = ends[0];
        served = 0;
        ++started;
        return true;
    }

    void stop() {
        if (!running())
            return;
        ::close(socket);
        ::kill(pid, SIGKILL);
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        pid = -1;
        socket = -1;
    }
};

IsolatedWorker::IsolatedWorker(Work work, std::chrono::milliseconds timeout, Setup setup)
    : work_(std::move(work)), setup_(std::move(setup)), timeout_(timeout),
      child_(std::make_unique<Child>()) {}

IsolatedWorker::~IsolatedWorker() {
    child_->stop();
}

bool IsolatedWorker::confinesChildren() {
    return kConfinedChildren;
}

int IsolatedWorker::childrenStarted() const {
    const std::lock_guard hold(child_->lock);
    return child_->started;
}

std::optional<std::string> IsolatedWorker::call(std::string_view request) {
    const std::lock_guard hold(child_->lock);
    Child& child = *child_;
    if (child.running() && child.served >= kRequestsPerChild)
        child.stop();
    if (!child.running() && !child.start(work_, setup_)) {
        // No child can be made: the work runs here, set up once.
        if (!child.setUpHere && setup_)
            setup_();
        child.setUpHere = true;
        return work_(request);
    }
    const auto deadline = Clock::now() + timeout_;
    const Length size = request.size();
    Length answerSize = 0;
    std::string answer;
    bool answered =
        sendBy(child.socket, reinterpret_cast<const char*>(&size), sizeof size, deadline) &&
        sendBy(child.socket, request.data(), request.size(), deadline) &&
        receiveBy(child.socket, reinterpret_cast<char*>(&answerSize), sizeof answerSize, deadline);
    answered = answered && answerSize <= kLargestAnswer;
    if (answered) {
        answer.resize(static_cast<std::size_t>(answerSize));
        answered = receiveBy(child.socket, answer.data(), answer.size(), deadline);
    }
    if (!answered) {
        // Dead, stuck or out of step: the next call starts afresh.
        child.stop();
        return std::nullopt;
    }
    ++child.served;
    return answer;
}

} // namespace tolm::platform
