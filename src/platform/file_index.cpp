#include "platform/file_index.h"

#include <filesystem>
#include <system_error>

#include "platform/files.h"
#include "platform/wildcard.h"

namespace fs = std::filesystem;

namespace tolm::platform {
namespace {

// Names are found ignoring letter case where the file system does so.
#ifdef _WIN32
std::string lookupKey(std::string name) {
    for (char& c : name)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return name;
}
#else
const std::string& lookupKey(const std::string& name) {
    return name;
}
#endif

} // namespace

const FileIndex::Listing& FileIndex::listingOf(const std::string& directory) {
    const auto known = listings_.find(directory);
    if (known != listings_.end())
        return known->second;
    Listing& listing = listings_[directory];
    std::error_code ec;
    fs::directory_iterator it(directory.empty() ? fs::path(".") : nativePath(directory),
                              fs::directory_options::skip_permission_denied, ec);
    if (ec)
        return listing;
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec)
            break;
        const std::u8string raw = it->path().filename().u8string();
        std::string name(raw.begin(), raw.end());
        if (name.empty() || name.front() == '.')
            continue;
        std::error_code sec;
        if (!it->is_regular_file(sec) || sec)
            continue;
        listing.lookup.insert(lookupKey(name));
        listing.names.push_back(std::move(name));
    }
    return listing;
}

bool FileIndex::fileExists(const std::string& path) {
    if (path.empty())
        return false;
    const std::size_t sep = path.find_last_of(kPathSeparator);
    const std::string directory =
        sep == std::string::npos ? std::string() : path.substr(0, sep + 1);
    std::string pattern = sep == std::string::npos ? path : path.substr(sep + 1);
    if (pattern.empty())
        pattern.push_back('*'); // a trailing separator asks for any file in the directory
    const Listing& listing = listingOf(directory);
    if (!hasWildcard(pattern))
        return listing.lookup.count(lookupKey(pattern)) != 0;
    if (pattern == "*.*")
        pattern.resize(1);
    for (const std::string& name : listing.names)
        if (wildcardMatch(pattern, name))
            return true;
    return false;
}

} // namespace tolm::platform
