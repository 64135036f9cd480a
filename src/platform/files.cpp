#include "platform/files.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <random>
#include <system_error>

#include "platform/temporary_names.h"

namespace fs = std::filesystem;

namespace tolm::platform {
namespace {

bool hasWildcard(std::string_view s) {
    return s.find_first_of("*?") != std::string_view::npos;
}

// Directory-listing match: '*' any run, '?' any one character.
bool wildcardMatch(std::string_view pattern, std::string_view name) {
    std::size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

bool isHiddenName(std::string_view name) {
    return !name.empty() && name.front() == '.';
}

bool isPlainFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(fs::status(path, ec)) && !ec;
}

} // namespace

fs::path nativePath(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

bool fileExists(const std::string& path) {
    if (path.empty())
        return false;
    const std::size_t sep = path.find_last_of(kPathSeparator);
    std::string pattern = sep == std::string::npos ? path : path.substr(sep + 1);
    // push_back and resize rather than assigning "*": GCC 12 at -O3 reports a
    // bogus -Wrestrict on the assignment, which breaks optimised builds.
    if (pattern.empty())
        pattern.push_back('*'); // a trailing separator lists the directory's contents
    if (!hasWildcard(pattern))
        return !isHiddenName(pattern) && isPlainFile(nativePath(path));

    if (pattern == "*.*")
        pattern.resize(1); // "*": as on Windows, names without a dot match too
    const fs::path dir =
        sep == std::string::npos ? fs::path(".") : nativePath(path.substr(0, sep + 1));
    std::error_code ec;
    fs::directory_iterator it(dir, fs::directory_options::skip_permission_denied, ec);
    if (ec)
        return false;
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec)
            return false;
        const std::u8string raw = it->path().filename().u8string();
        const std::string name(raw.begin(), raw.end());
        if (isHiddenName(name) || !wildcardMatch(pattern, name))
            continue;
        std::error_code sec;
        if (it->is_regular_file(sec) && !sec)
            return true;
    }
    return false;
}

bool pathExists(const std::string& path) {
    if (path.empty())
        return false;
    std::error_code ec;
    return fs::exists(fs::symlink_status(nativePath(path), ec)) && !ec;
}

bool isTemporaryNameFor(std::string_view name, std::string_view fileName) {
    if (name.size() != fileName.size() + kTemporaryInfix.size() + kTemporarySuffixLength ||
        name.substr(0, fileName.size()) != fileName ||
        name.substr(fileName.size(), kTemporaryInfix.size()) != kTemporaryInfix)
        return false;
    const std::string_view suffix = name.substr(fileName.size() + kTemporaryInfix.size());
    return std::all_of(suffix.begin(), suffix.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z'); });
}

std::vector<std::string> removeStaleTemporaryFiles(const std::string& directory,
                                                   const std::vector<std::string>& fileNames) {
    std::vector<std::string> removed;
    std::error_code ec;
    fs::directory_iterator it(nativePath(directory), ec);
    if (ec)
        return removed;
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec)
            break;
        const std::u8string raw = it->path().filename().u8string();
        const std::string name(raw.begin(), raw.end());
        const bool ours = std::any_of(fileNames.begin(), fileNames.end(), [&](const auto& file) {
            return isTemporaryNameFor(name, file);
        });
        // Only plain files: the replace never makes anything else, so a link
        // or a directory of such a name is the user's.
        std::error_code sec;
        if (!ours || !it->is_regular_file(sec) || it->is_symlink(sec) || sec)
            continue;
        if (fs::remove(it->path(), sec) && !sec)
            removed.push_back(name);
    }
    std::sort(removed.begin(), removed.end());
    return removed;
}

std::string temporaryNameFor(const std::string& path) {
    static thread_local std::mt19937_64 engine{std::random_device{}()};
    static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string name = path;
    name += kTemporaryInfix;
    for (std::size_t i = 0; i < kTemporarySuffixLength; ++i)
        name.push_back(kDigits[engine() % 36]);
    return name;
}

IoResult replaceFile(const std::string& path, std::string_view bytes, Durability durability) {
    return replaceFileStreamed(
        path, [bytes](const ByteSink& sink) { return sink(bytes); }, durability);
}

} // namespace tolm::platform
