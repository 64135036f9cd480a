#include "platform/listing.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "platform/files.h"

namespace tolm::platform {

std::vector<std::string> listPlainFiles(const std::string& directory) {
    std::vector<std::string> names;
    std::string pattern = directory;
    if (!pattern.empty() && pattern.back() != '\\')
        pattern += '\\';
    pattern += '*';
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileW(nativePath(pattern).wstring().c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    constexpr DWORD kSkipped = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN |
                               FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DEVICE;
    do {
        if (data.dwFileAttributes & kSkipped)
            continue;
        const std::u8string name = std::filesystem::path(data.cFileName).u8string();
        names.emplace_back(name.begin(), name.end());
    } while (FindNextFileW(find, &data));
    FindClose(find);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const int folded = _stricmp(a.c_str(), b.c_str());
        return folded != 0 ? folded < 0 : a < b;
    });
    return names;
}

} // namespace tolm::platform
