#include "platform/listing.h"

#include <windows.h>

#include <filesystem>

#include "platform/windows_text.h"

namespace tolm::platform {

IoResult listDirectory(const std::string& directory, std::vector<DirectoryEntry>& out, EntrySizes) {
    out.clear();
    const auto failure = [&](DWORD error) {
        return IoResult::failure("Unable to list " + directory + ": " + windows::errorText(error));
    };
    if (directory.empty())
        return failure(ERROR_PATH_NOT_FOUND);
    std::string pattern = directory;
    if (pattern.back() != '\\')
        pattern += '\\';
    pattern += '*';
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileW(nativePath(pattern).wstring().c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        // A drive's empty root has no "." or "..": nothing is found, and that is no failure.
        return error == ERROR_FILE_NOT_FOUND ? IoResult::success() : failure(error);
    }
    constexpr DWORD kNotPlain = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE;
    do {
        const std::wstring_view wide(data.cFileName);
        if (wide == L"." || wide == L"..")
            continue;
        DirectoryEntry& listed = out.emplace_back();
        const std::u8string name = std::filesystem::path(data.cFileName).u8string();
        listed.name.assign(name.begin(), name.end());
        listed.plainFile = (data.dwFileAttributes & kNotPlain) == 0;
        listed.hidden =
            (data.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
        // The listing carries the size, so it is kept whether asked for or not.
        if (listed.plainFile)
            listed.size = (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    } while (FindNextFileW(find, &data));
    const DWORD error = GetLastError();
    FindClose(find);
    return error == ERROR_NO_MORE_FILES ? IoResult::success() : failure(error);
}

} // namespace tolm::platform
