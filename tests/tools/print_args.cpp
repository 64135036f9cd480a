// Started by the process tests: writes each argument after the first as the
// hex of its UTF-8 bytes, one per line, into the file the first one names.
// The file appears whole (written beside it, then renamed), so the test can
// wait for it.

#include <cstdio>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

std::string hexLines(int argc, const std::string* args) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    for (int i = 0; i < argc; ++i) {
        for (unsigned char c : args[i]) {
            out += kDigits[c >> 4];
            out += kDigits[c & 15];
        }
        out += '\n';
    }
    return out;
}

} // namespace

#ifdef _WIN32
namespace {

std::string utf8(const wchar_t* wide) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, out.data(), n, nullptr, nullptr);
    out.pop_back(); // the terminator
    return out;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2)
        return 2;
    std::string args[256];
    const int count = argc - 2 < 256 ? argc - 2 : 256;
    for (int i = 0; i < count; ++i)
        args[i] = utf8(argv[i + 2]);
    const std::wstring target = argv[1], part = target + L".part";
    std::FILE* f = _wfopen(part.c_str(), L"wb");
    if (!f)
        return 1;
    const std::string out = hexLines(count, args);
    std::fwrite(out.data(), 1, out.size(), f);
    std::fclose(f);
    return MoveFileExW(part.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
#else
int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    std::string args[256];
    const int count = argc - 2 < 256 ? argc - 2 : 256;
    for (int i = 0; i < count; ++i)
        args[i] = argv[i + 2];
    const std::string target = argv[1], part = target + ".part";
    std::FILE* f = std::fopen(part.c_str(), "wb");
    if (!f)
        return 1;
    const std::string out = hexLines(count, args);
    std::fwrite(out.data(), 1, out.size(), f);
    std::fclose(f);
    return std::rename(part.c_str(), target.c_str()) == 0 ? 0 : 1;
}
#endif
