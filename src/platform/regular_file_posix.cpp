#include "platform/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace tolm::platform {

RegularFileReader::~RegularFileReader() {
    if (handle_ >= 0)
        ::close(static_cast<int>(handle_));
}

IoResult RegularFileReader::open(const std::string& path) {
    const auto fail = [&path](const std::string& reason) {
        return IoResult::failure("Unable to read " + path + ": " + reason);
    };
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
        return fail("it is not a regular file"); // said plainly, before open() says ENXIO
    // Checked again on the open file, as the name may change in between;
    // without O_NONBLOCK, opening a FIFO waits until something writes to it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return fail(lastErrorText());
    if (::fstat(fd, &info) != 0) {
        const std::string reason = lastErrorText();
        ::close(fd);
        return fail(reason);
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return fail("it is not a regular file");
    }
    handle_ = fd;
    size_ = static_cast<std::uint64_t>(info.st_size);
    return IoResult::success();
}

std::ptrdiff_t RegularFileReader::read(char* out, std::size_t capacity) {
    if (handle_ < 0)
        return -1;
    for (;;) {
        const ssize_t n = ::read(static_cast<int>(handle_), out, capacity);
        if (n >= 0)
            return n;
        if (errno != EINTR)
            return -1;
    }
}

std::ptrdiff_t RegularFileReader::readAt(std::uint64_t offset, char* out, std::size_t capacity) {
    if (handle_ < 0 || offset > static_cast<std::uint64_t>(INT64_MAX))
        return -1;
    for (;;) {
        const ssize_t n =
            ::pread(static_cast<int>(handle_), out, capacity, static_cast<off_t>(offset));
        if (n >= 0)
            return n;
        if (errno != EINTR)
            return -1;
    }
}

} // namespace tolm::platform
