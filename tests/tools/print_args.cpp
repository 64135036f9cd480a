// Started by the process tests: writes each argument after the first, as its
// UTF-8 bytes followed by a NUL (which no argument can hold), into the file
// the first one names. The file appears whole (written beside it, then
// renamed), so the test can wait for it.

#include <cstdio>
#include <string>

#ifdef _WIN32
#include <windows.h>
using NativeChar = wchar_t;
#else
using NativeChar = char;
#endif

namespace {

std::string utf8(const NativeChar* argument) {
#ifdef _WIN32
    const int n = WideCharToMultiByte(CP_UTF8, 0, argument, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, argument, -1, out.data(), n, nullptr, nullptr);
    out.pop_back(); // the terminator
    return out;
#else
    return argument;
#endif
}

int report(int argc, NativeChar** argv) {
    if (argc < 2)
        return 2;
    std::string out;
    for (int i = 2; i < argc; ++i)
        out += utf8(argv[i]) + '\0';
    const std::basic_string<NativeChar> target = argv[1];
#ifdef _WIN32
    const std::wstring part = target + L".part";
    std::FILE* f = _wfopen(part.c_str(), L"wb");
#else
    const std::string part = target + ".part";
    std::FILE* f = std::fopen(part.c_str(), "wb");
#endif
    if (!f)
        return 1;
    const bool written = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    if (std::fclose(f) != 0 || !written)
        return 1;
#ifdef _WIN32
    return MoveFileExW(part.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
#else
    return std::rename(part.c_str(), target.c_str()) == 0 ? 0 : 1;
#endif
}

} // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) { // the arguments as UTF-16
    return report(argc, argv);
}
#else
int main(int argc, char** argv) {
    return report(argc, argv);
}
#endif
