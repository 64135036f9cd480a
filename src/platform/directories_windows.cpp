#include "platform/directories.h"

#include <windows.h>

#include <filesystem>
#include <system_error>

namespace tolm::platform {

bool isWritableDirectory(const std::string& directory) {
    // Windows has no cheap "may I write here" query that honours ACLs and
    // read-only media alike: try it.
    std::error_code ec;
    if (!std::filesystem::is_directory(nativePath(directory), ec))
        return false;
    const std::filesystem::path probe = nativePath(directory) / L"tolm-write-probe.tmp";
    HANDLE h = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(h);
    return true;
}

std::string programSearchPath() {
    const DWORD size = GetEnvironmentVariableW(L"PATH", nullptr, 0);
    if (size == 0)
        return {};
    std::wstring value(size, L'\0');
    value.resize(GetEnvironmentVariableW(L"PATH", value.data(), size));
    const std::u8string utf8 = std::filesystem::path(value).u8string();
    return std::string(utf8.begin(), utf8.end());
}

std::optional<std::string> findProgram(std::string_view name, std::string_view searchPath) {
    if (name.empty() || name.find_first_of("\\/") != std::string_view::npos)
        return std::nullopt;
    while (true) {
        const std::size_t semicolon = searchPath.find(';');
        const std::string directory(searchPath.substr(0, semicolon));
        if (!directory.empty()) {
            for (const char* extension : {"", ".exe"}) {
                const std::string candidate = directory + "\\" + std::string(name) + extension;
                std::error_code ec;
                if (std::filesystem::is_regular_file(nativePath(candidate), ec))
                    return candidate;
            }
        }
        if (semicolon == std::string_view::npos)
            return std::nullopt;
        searchPath.remove_prefix(semicolon + 1);
    }
}

bool isDirectory(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_directory(nativePath(path), ec);
}

} // namespace tolm::platform
