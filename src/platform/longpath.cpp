#include "platform/longpath.h"

#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/text.h"

namespace tolm::platform {
namespace {

// Names that every directory has or that stand for no entry at all.
bool needsNoLookup(std::string_view name) {
    return name.empty() || name == "." || name == "..";
}

} // namespace

struct ListingLongPaths::Cache {
    DirectoryLister lister;

    struct Listing {
        bool readable = false;
        // By folded name: the first name that folds to it, and any others
        // (names that differ only in letter case, rare).
        struct Names {
            std::string first;
            std::vector<std::string> others;
        };
        std::unordered_map<std::string, Names> byFolded;
    };

    std::unordered_map<std::string, Listing> listings;                       // by directory listed
    std::unordered_map<std::string, std::optional<std::string>> directories; // as given -> resolved

    const Listing& listingOf(const std::string& directory) {
        const auto known = listings.find(directory);
        if (known != listings.end())
            return known->second;
        Listing& listing = listings[directory];
        if (auto names = lister(directory)) {
            listing.readable = true;
            listing.byFolded.reserve(names->size());
            for (std::string& name : *names) {
                auto [at, added] = listing.byFolded.try_emplace(lowerAscii(name));
                if (added)
                    at->second.first = std::move(name);
                else
                    at->second.others.push_back(std::move(name));
            }
        }
        return listing;
    }

    std::optional<std::string> match(const std::string& directory, const std::string& name) {
        if (needsNoLookup(name))
            return name;
        const Listing& listing = listingOf(directory);
        if (!listing.readable)
            return std::nullopt;
        const auto at = listing.byFolded.find(lowerAscii(name));
        if (at == listing.byFolded.end())
            return std::nullopt;
        const Listing::Names& names = at->second;
        if (names.others.empty() || names.first == name)
            return names.first;
        for (const std::string& other : names.others)
            if (other == name)
                return other;
        return std::nullopt; // several spellings, none of them this one
    }

    // The spelling on disk of `path`, or nullopt when any component misses.
    std::optional<std::string> resolve(const std::string& path) {
        const std::size_t sep = path.rfind('/');
        if (sep == std::string::npos)
            return match(".", path);
        std::string head;
        std::string listed;
        if (sep == 0) {
            head = "/";
            listed = "/";
        } else {
            const std::optional<std::string> parent = resolveDirectory(path.substr(0, sep));
            if (!parent)
                return std::nullopt;
            head = *parent + '/';
            listed = parent->empty() ? std::string(".") : *parent;
        }
        std::optional<std::string> name = match(listed, path.substr(sep + 1));
        if (!name)
            return std::nullopt;
        return head + *name;
    }

    std::optional<std::string> resolveDirectory(const std::string& directory) {
        const auto known = directories.find(directory);
        if (known != directories.end())
            return known->second;
        std::optional<std::string> resolved = resolve(directory);
        directories.emplace(directory, resolved);
        return resolved;
    }
};

ListingLongPaths::ListingLongPaths(DirectoryLister lister) : cache_(std::make_unique<Cache>()) {
    cache_->lister = std::move(lister);
}
ListingLongPaths::~ListingLongPaths() = default;

std::string ListingLongPaths::longPathOf(const std::string& path) {
    if (path.empty())
        return path;
    std::optional<std::string> resolved = cache_->resolve(path);
    return resolved ? std::move(*resolved) : path;
}

} // namespace tolm::platform
