#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/files.h"

namespace tolm::platform {

// A file opened for reading only when it is a regular file. Anything else of
// the same name (a pipe, a socket, a device, a directory) is refused at once:
// opening a pipe waits for a writer that may never come, and a device may
// never end.
class RegularFileReader {
public:
    RegularFileReader() = default;
    ~RegularFileReader();
    RegularFileReader(const RegularFileReader&) = delete;
    RegularFileReader& operator=(const RegularFileReader&) = delete;

    // The error names the file and the reason.
    IoResult open(const std::string& path);

    // The file's size when it was opened.
    std::uint64_t size() const { return size_; }

    // Up to `capacity` bytes into `out`: the count read, 0 at the end of the
    // file, -1 on a read error.
    std::ptrdiff_t read(char* out, std::size_t capacity);

    // Up to `capacity` bytes from `offset` on, as read() counts them. Where
    // the next read() starts afterwards is not defined.
    std::ptrdiff_t readAt(std::uint64_t offset, char* out, std::size_t capacity);

private:
    std::intptr_t handle_ = -1;
    std::uint64_t size_ = 0;
};

} // namespace tolm::platform
