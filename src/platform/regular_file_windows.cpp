#include "platform/regular_file.h"

#include <windows.h>

#include <algorithm>

namespace tolm::platform {
namespace {

HANDLE asHandle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

std::string windowsErrorText(DWORD code) {
    char buffer[512] = {};
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, code, 0, buffer, sizeof buffer, nullptr);
    std::string text(buffer, n);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == '.'))
        text.pop_back();
    return text.empty() ? "error " + std::to_string(code) : text;
}

} // namespace

RegularFileReader::~RegularFileReader() {
    if (handle_ != -1)
        CloseHandle(asHandle(handle_));
}

IoResult RegularFileReader::open(const std::string& path) {
    const auto fail = [&path](const std::string& reason) {
        return IoResult::failure("Unable to read " + path + ": " + reason);
    };
    // A directory cannot be opened without FILE_FLAG_BACKUP_SEMANTICS, so it
    // fails here; pipes and devices open and are refused below.
    const HANDLE h = CreateFileW(nativePath(path).c_str(), GENERIC_READ,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return fail(windowsErrorText(GetLastError()));
    LARGE_INTEGER size{};
    if (GetFileType(h) != FILE_TYPE_DISK || !GetFileSizeEx(h, &size)) {
        CloseHandle(h);
        return fail("it is not a regular file");
    }
    handle_ = reinterpret_cast<std::intptr_t>(h);
    size_ = static_cast<std::uint64_t>(size.QuadPart);
    return IoResult::success();
}

std::ptrdiff_t RegularFileReader::read(char* out, std::size_t capacity) {
    if (handle_ == -1)
        return -1;
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(capacity, 1u << 30));
    if (!ReadFile(asHandle(handle_), out, want, &got, nullptr))
        return -1;
    return static_cast<std::ptrdiff_t>(got);
}

std::ptrdiff_t RegularFileReader::readAt(std::uint64_t offset, char* out, std::size_t capacity) {
    if (handle_ == -1)
        return -1;
    // On a handle opened for synchronous reading the offset of an OVERLAPPED
    // is where the read starts, and the call still waits for its end.
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(capacity, 1u << 30));
    if (!ReadFile(asHandle(handle_), out, want, &got, &at))
        return GetLastError() == ERROR_HANDLE_EOF ? 0 : -1;
    return static_cast<std::ptrdiff_t>(got);
}

} // namespace tolm::platform
