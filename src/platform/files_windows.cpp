#include "platform/files.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/temporary_names.h"

namespace fs = std::filesystem;

namespace tolm::platform {

std::string lastErrorText() {
    return std::strerror(errno);
}

std::string programDirectory() {
    std::wstring buffer(32768, L'\0');
    DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    buffer.resize(n);
    const std::u8string dir = fs::path(buffer).parent_path().u8string();
    return std::string(dir.begin(), dir.end());
}

IoResult readFile(const std::string& path, std::string& out) {
    std::FILE* f = nullptr;
    f = _wfopen(nativePath(path).c_str(), L"rb");
    if (!f)
        return IoResult::failure("Unable to read " + path + ": " + lastErrorText());
    out.clear();
    std::array<char, 65536> chunk;
    std::size_t n;
    while ((n = std::fread(chunk.data(), 1, chunk.size(), f)) > 0)
        out.append(chunk.data(), n);
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed)
        return IoResult::failure("Unable to read " + path + ": read error");
    return IoResult::success();
}

IoResult replaceFileStreamed(const std::string& path,
                             const std::function<bool(const ByteSink&)>& produce,
                             Durability durability) {
    const fs::path target = nativePath(path);
    const fs::path temp = nativePath(temporaryNameFor(path));
    HANDLE h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return IoResult::failure("Unable to write " + path + ": cannot create a file there");
    bool sinkOk = true;
    const ByteSink sink = [&](std::string_view bytes) {
        while (sinkOk && !bytes.empty()) {
            const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
            DWORD written = 0;
            sinkOk = WriteFile(h, bytes.data(), piece, &written, nullptr) && written == piece;
            bytes.remove_prefix(piece);
        }
        return sinkOk;
    };
    bool ok = produce(sink) && sinkOk;
    if (ok && durability == Durability::Synced)
        ok = FlushFileBuffers(h);
    CloseHandle(h);
    if (ok)
        ok = MoveFileExW(temp.c_str(), target.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) {
        DeleteFileW(temp.c_str());
        return IoResult::failure("Unable to write " + path + ": the disk refused the data");
    }
    return IoResult::success();
}

} // namespace tolm::platform
