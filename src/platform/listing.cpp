#include "platform/listing.h"

#include <algorithm>

#include "core/text.h"

namespace tolm::platform {
std::optional<std::vector<std::string>> directoryNames(const std::string& directory) {
    std::vector<DirectoryEntry> entries;
    if (!listDirectory(directory.empty() ? std::string(".") : directory, entries))
        return std::nullopt;
    std::vector<std::string> names;
    names.reserve(entries.size());
    for (DirectoryEntry& entry : entries)
        names.push_back(std::move(entry.name));
    return names;
}

IoResult plainFilesIn(const std::string& directory, std::vector<PlainFile>& out) {
    out.clear();
    std::vector<DirectoryEntry> entries;
    const IoResult listed = listDirectory(directory, entries, EntrySizes::Read);
    for (DirectoryEntry& entry : entries)
        if (entry.plainFile && !entry.hidden)
            out.push_back({std::move(entry.name), entry.size});
    return listed;
}

std::vector<std::string> listPlainFiles(const std::string& directory) {
    std::vector<DirectoryEntry> entries;
    // A listing cut short still shows what was read.
    (void)listDirectory(directory, entries);
    std::vector<std::string> names;
    for (DirectoryEntry& entry : entries)
        if (entry.plainFile && !entry.hidden)
            names.push_back(std::move(entry.name));
    std::sort(names.begin(), names.end(), lessIgnoringAsciiCase);
    return names;
}

// The bytes break ties, so that the order never depends on what the
// directory returned first.
bool lessIgnoringAsciiCase(const std::string& a, const std::string& b) {
    if (const int order = compareIgnoringCase(a, b); order != 0)
        return order < 0;
    return a < b;
}

} // namespace tolm::platform
