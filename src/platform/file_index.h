#pragma once

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace tolm::platform {

// Answers fileExists() for many paths while listing each directory only
// once: the first question about a directory reads its plain files, later
// ones are answered from memory. Meant for one pass over many names; files
// that change afterwards are not seen.
class FileIndex {
public:
    // The same answer fileExists(path) gives, wildcards and all.
    bool fileExists(const std::string& path);

    // How many directories have been read so far.
    std::size_t directoriesRead() const { return listings_.size(); }

private:
    struct Listing {
        std::vector<std::string> names;         // plain, not hidden, in listing order
        std::unordered_set<std::string> lookup; // the same names, as exact lookups compare them
    };
    const Listing& listingOf(const std::string& directory);

    std::unordered_map<std::string, Listing> listings_;
};

} // namespace tolm::platform
