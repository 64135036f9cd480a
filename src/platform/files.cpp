#include "platform/files.h"

#include <algorithm>
#include <random>
#include <system_error>

#include "platform/temporary_names.h"

namespace fs = std::filesystem;

namespace tolm::platform {

bool pathExists(const std::string& path) {
    if (path.empty())
        return false;
    std::error_code ec;
    return fs::exists(fs::symlink_status(nativePath(path), ec)) && !ec;
}

std::optional<std::uint64_t> fileLength(const std::string& path) {
    std::error_code ec;
    const fs::path native = nativePath(path);
    if (!fs::is_regular_file(native, ec) || ec)
        return std::nullopt;
    const std::uintmax_t size = fs::file_size(native, ec);
    if (ec)
        return std::nullopt;
    return static_cast<std::uint64_t>(size);
}

namespace {

// True when `name` is a temporary name made for the file named `fileName`
// (both without a directory).
bool isTemporaryNameFor(std::string_view name, std::string_view fileName) {
    if (name.size() != fileName.size() + kTemporaryInfix.size() + kTemporarySuffixLength ||
        name.substr(0, fileName.size()) != fileName ||
        name.substr(fileName.size(), kTemporaryInfix.size()) != kTemporaryInfix)
        return false;
    const std::string_view suffix = name.substr(fileName.size() + kTemporaryInfix.size());
    return std::all_of(suffix.begin(), suffix.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z'); });
}

} // namespace

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
