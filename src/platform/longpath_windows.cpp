#include "platform/longpath.h"

#include <windows.h>

#include <optional>

namespace tolm::platform {
namespace {

std::optional<std::wstring> widen(const std::string& utf8) {
    const int size = static_cast<int>(utf8.size());
    const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
    if (n <= 0)
        return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), n);
    return wide;
}

std::optional<std::string> narrow(const std::wstring& wide) {
    const int size = static_cast<int>(wide.size());
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (n <= 0)
        return std::nullopt;
    std::string utf8(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), n, nullptr, nullptr);
    return utf8;
}

} // namespace

// The system keeps no state worth caching here.
struct FileSystemLongPaths::State {};

FileSystemLongPaths::FileSystemLongPaths() : state_(std::make_unique<State>()) {}
FileSystemLongPaths::~FileSystemLongPaths() = default;

std::string FileSystemLongPaths::longPathOf(const std::string& path) {
    if (path.empty())
        return path;
    const std::optional<std::wstring> wide = widen(path);
    if (!wide)
        return path;
    // The first call gives the size needed (terminator included), the second
    // the long form; 0 means it failed, for example because nothing is there.
    const DWORD needed = GetLongPathNameW(wide->c_str(), nullptr, 0);
    if (needed == 0)
        return path;
    std::wstring buffer(needed, L'\0');
    const DWORD length = GetLongPathNameW(wide->c_str(), buffer.data(), needed);
    if (length == 0 || length >= needed)
        return path; // changed under us: keep what was stored
    buffer.resize(length);
    const std::optional<std::string> utf8 = narrow(buffer);
    return utf8 ? *utf8 : path;
}

std::string longPathOf(const std::string& path) {
    FileSystemLongPaths once;
    return once.longPathOf(path);
}

} // namespace tolm::platform
