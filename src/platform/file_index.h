#pragma once

#include <functional>
#include <string>
#include <string_view>
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
    // Looks strings up by string_view without making a std::string.
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>{}(text);
        }
    };
    template <typename Value>
    using TextMap = std::unordered_map<std::string, Value, TextHash, std::equal_to<>>;

    struct Listing {
        std::vector<std::string> names; // plain, not hidden, in listing order
        // The same names, as exact lookups compare them.
        std::unordered_set<std::string, TextHash, std::equal_to<>> lookup;
    };
    const Listing& listingOf(std::string_view directory);
    static void fill(const std::string& directory, Listing& listing);

    TextMap<Listing> listings_;
    // Most lookups in a row ask about the same directory.
    std::string_view lastDirectory_;
    const Listing* lastListing_ = nullptr;
};

} // namespace tolm::platform
