#include "platform/mounts.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "platform/files.h"

namespace tolm::platform {
namespace {

std::string toUtf8(const std::wstring& wide) {
    const std::u8string text = std::filesystem::path(wide).u8string();
    return std::string(text.begin(), text.end());
}

std::string systemErrorText(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = n && buffer ? std::wstring(buffer, n) : std::wstring(L"Unknown error");
    if (buffer)
        LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.pop_back();
    return toUtf8(text);
}

std::size_t rootLength(const std::string& path) {
    if (path.size() >= 3 && path[1] == ':' && path[2] == '\\')
        return 3;
    if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
        // \\server\share\ is the root of a network path.
        std::size_t sep = path.find('\\', 2);
        if (sep != std::string::npos)
            sep = path.find('\\', sep + 1);
        return sep == std::string::npos ? path.size() : sep + 1;
    }
    return 0;
}

} // namespace

std::vector<std::string> mountPoints() {
    std::vector<std::string> drives;
    const DWORD mask = GetLogicalDrives();
    for (int letter = 0; letter < 26; ++letter)
        if (mask & (1u << letter))
            drives.push_back(std::string(1, static_cast<char>('A' + letter)) + ":\\");
    return drives;
}

std::string currentDirectory() {
    const DWORD n = GetCurrentDirectoryW(0, nullptr);
    if (n == 0)
        return {};
    std::wstring buffer(n, L'\0');
    const DWORD written = GetCurrentDirectoryW(n, buffer.data());
    buffer.resize(written);
    return toUtf8(buffer);
}

std::optional<std::string> directoryReadError(const std::string& directory) {
    WIN32_FIND_DATAW data;
    const std::wstring pattern = nativePath(joinPath(directory, "*")).wstring();
    const HANDLE find = FindFirstFileW(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND)
            return std::nullopt; // an empty drive
        return systemErrorText(code);
    }
    FindClose(find);
    return std::nullopt;
}

std::vector<std::string> visibleSubdirectories(const std::string& directory) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW data;
    const std::wstring pattern = nativePath(joinPath(directory, "*")).wstring();
    const HANDLE find = FindFirstFileW(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..")
            continue;
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
            (data.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)))
            continue;
        names.push_back(toUtf8(name));
    } while (FindNextFileW(find, &data));
    FindClose(find);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return _stricmp(a.c_str(), b.c_str()) < 0;
    });
    return names;
}

std::string parentDirectory(const std::string& path) {
    const std::size_t root = rootLength(path);
    std::string trimmed = path;
    while (trimmed.size() > root && trimmed.back() == '\\')
        trimmed.pop_back();
    const std::size_t sep = trimmed.find_last_of('\\');
    if (sep == std::string::npos || sep + 1 <= root)
        return root ? path.substr(0, root) : trimmed;
    return trimmed.substr(0, sep);
}

std::vector<std::string> directoryChain(const std::string& path) {
    std::vector<std::string> chain;
    const std::size_t root = rootLength(path);
    if (root == 0)
        return chain;
    chain.push_back(path.substr(0, root));
    std::string current = chain.front();
    std::size_t at = root;
    while (at < path.size()) {
        std::size_t next = path.find('\\', at);
        if (next == std::string::npos)
            next = path.size();
        if (next > at) {
            if (current.back() != '\\')
                current += '\\';
            current.append(path, at, next - at);
            chain.push_back(current);
        }
        at = next + 1;
    }
    return chain;
}

} // namespace tolm::platform
