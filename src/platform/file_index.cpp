#include "platform/file_index.h"

#include "core/text.h"

#include "platform/files.h"
#include "platform/listing.h"
#include "platform/wildcard.h"

namespace tolm::platform {
namespace {

// Names are found ignoring letter case where the file system does so.
#ifdef _WIN32
std::string lookupKey(std::string_view name) {
    return lowerAscii(name);
}
#else
std::string_view lookupKey(std::string_view name) {
    return name;
}
#endif

} // namespace

const FileIndex::Listing& FileIndex::listingOf(std::string_view directory) {
    if (lastListing_ != nullptr && lastDirectory_ == directory)
        return *lastListing_;
    auto known = listings_.find(directory);
    if (known == listings_.end()) {
        known = listings_.emplace(std::string(directory), Listing{}).first;
        fill(known->first, known->second);
    }
    // Map nodes stay put, so the key's text and the listing outlive this call.
    lastDirectory_ = known->first;
    lastListing_ = &known->second;
    return known->second;
}

void FileIndex::fill(const std::string& directory, Listing& listing) {
    std::vector<DirectoryEntry> entries;
    // A directory that cannot be read to the end answers from what was read.
    (void)listDirectory(directory.empty() ? std::string(".") : directory, entries);
    for (DirectoryEntry& entry : entries) {
        if (!entry.plainFile || entry.hidden)
            continue;
        listing.lookup.emplace(lookupKey(entry.name));
        listing.names.push_back(std::move(entry.name));
    }
}

bool FileIndex::fileExists(const std::string& path) {
    if (path.empty())
        return false;
    const std::string_view whole(path);
    const std::size_t sep = whole.find_last_of(kPathSeparator);
    const std::string_view directory =
        sep == std::string_view::npos ? std::string_view() : whole.substr(0, sep + 1);
    std::string_view pattern = sep == std::string_view::npos ? whole : whole.substr(sep + 1);
    const Listing& listing = listingOf(directory);
    if (!pattern.empty() && !hasWildcard(pattern))
        return listing.lookup.find(lookupKey(pattern)) != listing.lookup.end();
    // A trailing separator asks for any file in the directory, as "*.*" does.
    if (pattern.empty() || pattern == "*.*")
        pattern = "*";
    for (const std::string& name : listing.names)
        if (wildcardMatch(pattern, name))
            return true;
    return false;
}

} // namespace tolm::platform
