#include "platform/process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tolm::platform {
namespace {

void writeErrno(int fd, int error) {
    while (::write(fd, &error, sizeof error) < 0 && errno == EINTR) {
    }
}

} // namespace

IoResult startProgram(const std::string& program, const std::vector<std::string>& arguments) {
    if (program.empty())
        return IoResult::failure(std::strerror(ENOENT));
    // Everything the children need is made before forking: in a program
    // with threads a child may only make async-signal-safe calls.
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 2);
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    sigset_t unblocked;
    sigemptyset(&unblocked);

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
            ::sigprocmask(SIG_SETMASK, &unblocked, nullptr);
            ::execv(program.c_str(), argv.data());
            writeErrno(report[1], errno);
            ::_exit(127);
        }
        if (child < 0)
            writeErrno(report[1], errno);
        ::_exit(0);
    }
    ::close(report[1]);
    int error = 0;
    ssize_t n;
    do
        n = ::read(report[0], &error, sizeof error);
    while (n < 0 && errno == EINTR);
    ::close(report[0]);
    while (::waitpid(middle, nullptr, 0) < 0 && errno == EINTR) {
    }
    if (n == sizeof error)
        return IoResult::failure(std::strerror(error));
    return IoResult::success();
}

} // namespace tolm::platform
