#include "platform/chunked_read.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

namespace tolm::platform {

IoResult readFileInChunks(const std::string& path,
                          const std::function<bool(std::string_view)>& take) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return IoResult::failure("Unable to read " + path + ": " + lastErrorText());
    const std::unique_ptr<char[]> buffer(new char[kReadChunkSize]);
    std::string error;
    while (true) {
        const ssize_t n = ::read(fd, buffer.get(), kReadChunkSize);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = lastErrorText();
            break;
        }
        if (n == 0 || !take(std::string_view(buffer.get(), static_cast<std::size_t>(n))))
            break;
    }
    ::close(fd);
    if (!error.empty())
        return IoResult::failure("Unable to read " + path + ": " + error);
    return IoResult::success();
}

} // namespace tolm::platform
