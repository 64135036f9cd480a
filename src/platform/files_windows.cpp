#include "platform/files.h"

#include <windows.h>

#include <algorithm>
#include <limits>

#include "platform/temporary_names.h"
#include "platform/windows_text.h"

namespace fs = std::filesystem;

namespace tolm::platform {

using windows::errorText;
using windows::extendedPath;

namespace {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

// Closes a file or search handle on every way out.
class Handle {
public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() { close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }
    void reset(HANDLE h) {
        close();
        h_ = h;
    }
    bool close() {
        const bool ok = !valid() || CloseHandle(h_);
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE h_;
};

// A missing floppy or an empty card reader must fail quietly instead of
// asking the user to insert a disk.
class QuietDriveErrors {
public:
    QuietDriveErrors() { SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previous_); }
    ~QuietDriveErrors() { SetThreadErrorMode(previous_, nullptr); }
    QuietDriveErrors(const QuietDriveErrors&) = delete;
    QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;

private:
    DWORD previous_ = 0;
};

constexpr DWORD kNotAPlainFile =
    FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

} // namespace

bool fileExists(const std::string& path) {
    if (path.empty())
        return false;
    // The system's own listing decides: its wildcards ("*.*" also matches
    // names without a dot), its letter case rules and its short names.
    std::string pattern = path;
    if (isSeparator(pattern.back()))
        pattern.push_back('*'); // a trailing separator lists the directory's contents
    const std::wstring wide = extendedPath(pattern);
    const QuietDriveErrors quiet;
    WIN32_FIND_DATAW found;
    HANDLE search =
        FindFirstFileExW(wide.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    bool plain = false;
    do
        plain = (found.dwFileAttributes & kNotAPlainFile) == 0;
    while (!plain && FindNextFileW(search, &found));
    FindClose(search);
    return plain;
}

fs::path nativePath(const std::string& utf8) {
    return fs::path(extendedPath(utf8));
}

std::string lastErrorText() {
    return errorText(GetLastError());
}

std::string programDirectory() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0)
            return ".";
        if (n < buffer.size()) {
            buffer.resize(n);
            break;
        }
        if (buffer.size() >= 32768) // the longest path the system knows
            return ".";
        buffer.resize(buffer.size() * 2);
    }
    if (buffer.starts_with(LR"(\\?\UNC\)"))
        buffer.replace(0, 8, LR"(\\)");
    else if (buffer.starts_with(LR"(\\?\)"))
        buffer.erase(0, 4);
    const std::size_t sep = buffer.find_last_of(L"\\/");
    if (sep == std::wstring::npos)
        return ".";
    buffer.resize(sep);
    return windows::toUtf8(buffer);
}

IoResult readFile(const std::string& path, std::string& out) {
    auto fail = [&](const std::string& reason) {
        return IoResult::failure("Unable to read " + path + ": " + reason);
    };
    const QuietDriveErrors quiet;
    Handle file(CreateFileW(extendedPath(path).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.valid())
        return fail(lastErrorText());
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file.get(), &size) && size.QuadPart > 0 &&
        static_cast<unsigned long long>(size.QuadPart) < out.max_size())
        out.reserve(static_cast<std::size_t>(size.QuadPart));
    out.clear();
    char chunk[65536];
    for (;;) {
        DWORD n = 0;
        if (!ReadFile(file.get(), chunk, sizeof chunk, &n, nullptr))
            return fail(lastErrorText());
        if (n == 0)
            return IoResult::success();
        out.append(chunk, n);
    }
}

IoResult replaceFileStreamed(const std::string& path,
                             const std::function<bool(const ByteSink&)>& produce,
                             Durability durability) {
    auto fail = [&](const std::string& reason) {
        return IoResult::failure("Unable to write " + path + ": " + reason);
    };
    const QuietDriveErrors quiet;
    const std::wstring target = extendedPath(path);
    const DWORD oldAttributes = GetFileAttributesW(target.c_str());
    if (oldAttributes != INVALID_FILE_ATTRIBUTES && (oldAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return fail("it is a directory");

    std::wstring temp;
    Handle file(INVALID_HANDLE_VALUE);
    DWORD createError = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < 16 && createError == ERROR_FILE_EXISTS; ++attempt) {
        temp = extendedPath(temporaryNameFor(path));
        file.reset(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
        createError = file.valid() ? ERROR_SUCCESS : GetLastError();
    }
    if (!file.valid())
        return fail(errorText(createError));

    auto abandon = [&](const std::string& reason) {
        file.close();
        DeleteFileW(temp.c_str());
        return fail(reason);
    };
    std::string writeError;
    const ByteSink sink = [&](std::string_view bytes) {
        while (writeError.empty() && !bytes.empty()) {
            const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
            DWORD written = 0;
            if (!WriteFile(file.get(), bytes.data(), piece, &written, nullptr)) {
                writeError = lastErrorText();
                break;
            }
            bytes.remove_prefix(written);
        }
        return writeError.empty();
    };
    if (!produce(sink) || !writeError.empty())
        return abandon(writeError.empty() ? std::string("the data could not be prepared")
                                          : writeError);
    if (durability == Durability::Synced && !FlushFileBuffers(file.get()))
        return abandon(lastErrorText());
    if (!file.close()) {
        const std::string reason = lastErrorText();
        DeleteFileW(temp.c_str());
        return fail(reason);
    }
    // A virus scanner or the search indexer may hold the old file for a
    // moment; the rename is tried again briefly before giving up.
    DWORD moveError = ERROR_SUCCESS;
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (MoveFileExW(temp.c_str(), target.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return IoResult::success();
        moveError = GetLastError();
        if (moveError != ERROR_ACCESS_DENIED && moveError != ERROR_SHARING_VIOLATION)
            break;
        Sleep(20);
    }
    DeleteFileW(temp.c_str());
    return fail(errorText(moveError));
}

} // namespace tolm::platform
