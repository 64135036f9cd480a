#include "platform/process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <thread>
#include <utility>

namespace tolm::platform {
namespace {

void writeErrno(int fd, int error) {
    while (::write(fd, &error, sizeof error) < 0 && errno == EINTR) {
    }
}

// What a child may use after the fork: made before it, since in a program
// with threads a child may only make async-signal-safe calls.
struct ExecArguments {
    std::vector<char*> argv;
    sigset_t unblocked;

    ExecArguments(const std::string& program, const std::vector<std::string>& arguments) {
        argv.reserve(arguments.size() + 2);
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        sigemptyset(&unblocked);
    }
};

// The exec's outcome from the pipe a successful exec closes: 0 when the
// program runs, else the errno the child sent.
int execError(int readEnd) {
    int error = 0;
    ssize_t n;
    do
        n = ::read(readEnd, &error, sizeof error);
    while (n < 0 && errno == EINTR);
    ::close(readEnd);
    return n == sizeof error ? error : 0;
}

void closeQuietly(int fd) {
    if (fd >= 0)
        ::close(fd);
}

// Waits on a thread for the child to end, then reaps it and reports. With a
// pidfd the wait can be called off through a pipe; without one (a kernel
// before 5.3) the thread waits in waitpid and is left behind when the watch
// goes, told not to report.
class PosixProgramWatch final : public ProgramWatch {
public:
    PosixProgramWatch(pid_t child, std::function<void()> ended)
        : child_(child), shared_(std::make_shared<Shared>(std::move(ended))) {
        pidfd_ = static_cast<int>(::syscall(SYS_pidfd_open, child, 0));
        if (pidfd_ >= 0 && ::pipe2(wake_, O_CLOEXEC) == 0) {
            thread_ = std::thread([this] { watch(); });
            return;
        }
        closeQuietly(pidfd_);
        pidfd_ = -1;
        thread_ = std::thread([child, shared = shared_] {
            while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
            }
            if (!shared->cancelled)
                shared->ended();
        });
        thread_.detach();
    }

    ~PosixProgramWatch() override {
        shared_->cancelled = true;
        if (pidfd_ < 0)
            return;
        const char stop = 0;
        while (::write(wake_[1], &stop, 1) < 0 && errno == EINTR) {
        }
        thread_.join();
        ::close(wake_[0]);
        ::close(wake_[1]);
        ::close(pidfd_);
    }

private:
    struct Shared {
        explicit Shared(std::function<void()> call) : ended(std::move(call)) {}
        std::function<void()> ended;
        std::atomic<bool> cancelled{false};
    };

    void watch() {
        pollfd fds[2] = {{pidfd_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        for (;;) {
            if (::poll(fds, 2, -1) < 0) {
                if (errno == EINTR)
                    continue;
                return;
            }
            if (fds[1].revents != 0)
                return;
            if (fds[0].revents != 0)
                break;
        }
        while (::waitpid(child_, nullptr, 0) < 0 && errno == EINTR) {
        }
        if (!shared_->cancelled && shared_->ended)
            shared_->ended();
    }

    pid_t child_;
    std::shared_ptr<Shared> shared_;
    int pidfd_ = -1;
    int wake_[2] = {-1, -1};
    std::thread thread_;
};

} // namespace

WatchedStart startWatchedProgram(const std::string& program,
                                 const std::vector<std::string>& arguments,
                                 std::function<void()> ended) {
    if (program.empty())
        return {IoResult::failure(std::strerror(ENOENT)), nullptr};
    ExecArguments exec(program, arguments);
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0)
        return {IoResult::failure(std::strerror(errno)), nullptr};
    // One fork: the program stays our child, so its end can be seen. Its own
    // session keeps it apart from ours all the same.
    const pid_t child = ::fork();
    if (child < 0) {
        const int error = errno;
        ::close(report[0]);
        ::close(report[1]);
        return {IoResult::failure(std::strerror(error)), nullptr};
    }
    if (child == 0) {
        ::setsid();
        ::sigprocmask(SIG_SETMASK, &exec.unblocked, nullptr);
        ::execv(program.c_str(), exec.argv.data());
        writeErrno(report[1], errno);
        ::_exit(127);
    }
    ::close(report[1]);
    if (const int error = execError(report[0]); error != 0) {
        while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
        }
        return {IoResult::failure(std::strerror(error)), nullptr};
    }
    return {IoResult::success(), std::make_unique<PosixProgramWatch>(child, std::move(ended))};
}

IoResult startProgram(const std::string& program, const std::vector<std::string>& arguments) {
    if (program.empty())
        return IoResult::failure(std::strerror(ENOENT));
    ExecArguments exec(program, arguments);

    // The exec's failure comes back through a pipe that a successful exec
    // closes; end of file means the program is running.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0)
        return IoResult::failure(std::strerror(errno));
    const pid_t middle = ::fork();
    if (middle < 0) {
        const int error = errno;
        ::close(report[0]);
        ::close(report[1]);
        return IoResult::failure(std::strerror(error));
    }
    if (middle == 0) {
        // A middle process that ends at once leaves the program to init: it
        // is never our zombie, and its own session keeps it apart from ours.
        ::setsid();
        const pid_t child = ::fork();
        if (child == 0) {
            ::sigprocmask(SIG_SETMASK, &exec.unblocked, nullptr);
            ::execv(program.c_str(), exec.argv.data());
            writeErrno(report[1], errno);
            ::_exit(127);
        }
        if (child < 0)
            writeErrno(report[1], errno);
        ::_exit(0);
    }
    ::close(report[1]);
    const int error = execError(report[0]);
    while (::waitpid(middle, nullptr, 0) < 0 && errno == EINTR) {
    }
    if (error != 0)
        return IoResult::failure(std::strerror(error));
    return IoResult::success();
}

} // namespace tolm::platform
