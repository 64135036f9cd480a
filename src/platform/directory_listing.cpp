#include "platform/directory_listing.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace tolm::platform {
namespace {

std::string utf8Name(const fs::path& path) {
    const std::u8string raw = path.filename().u8string();
    return std::string(raw.begin(), raw.end());
}

} // namespace

std::optional<std::vector<std::string>> directoryNames(const std::string& directory) {
    std::error_code ec;
    fs::directory_iterator it(nativePath(directory.empty() ? std::string(".") : directory), ec);
    if (ec)
        return std::nullopt;
    std::vector<std::string> names;
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec)
            return std::nullopt;
        names.push_back(utf8Name(it->path()));
    }
    return names;
}

IoResult plainFilesIn(const std::string& directory, std::vector<PlainFile>& out) {
    out.clear();
    std::error_code ec;
    fs::directory_iterator it(nativePath(directory), ec);
    if (ec)
        return IoResult::failure("Unable to list " + directory + ": " + ec.message());
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec)
            return IoResult::failure("Unable to list " + directory + ": " + ec.message());
        std::string name = utf8Name(it->path());
        if (name.empty() || name.front() == '.')
            continue;
        std::error_code fileEc;
        if (!it->is_regular_file(fileEc) || fileEc)
            continue;
        const std::uintmax_t size = it->file_size(fileEc);
        if (fileEc)
            continue; // gone since the listing was read
        out.push_back({std::move(name), static_cast<std::uint64_t>(size)});
    }
    return IoResult::success();
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

} // namespace tolm::platform
