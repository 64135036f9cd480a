#include "settings/search_path_list.h"

#include "platform/codepage.h"
#include "platform/files.h"

namespace tolm {

std::string searchPathKey(std::string_view prefix, std::size_t index) {
    return std::string(prefix) + std::to_string(index);
}

std::optional<std::size_t> searchPathKeyIndex(std::string_view key, std::string_view prefix) {
    if (key.size() <= prefix.size() || key.substr(0, prefix.size()) != prefix)
        return std::nullopt;
    std::size_t value = 0;
    for (const char c : key.substr(prefix.size())) {
        if (c < '0' || c > '9' || value > 100000000)
            return std::nullopt;
        value = value * 10 + static_cast<std::size_t>(c - '0');
    }
    return value;
}

bool removeSearchPath(std::vector<std::string>& list, std::size_t k) {
    if (k >= list.size())
        return false;
    if (list.size() == 1)
        list[0].clear();
    else
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(k));
    // A blank entry that comes to stand first would hide the rest.
    while (list.size() > 1 && list.front().empty())
        list.erase(list.begin());
    return true;
}

std::string withTrailingSeparator(std::string directory) {
    if (directory.empty() || directory.back() != platform::kPathSeparator)
        directory.push_back(platform::kPathSeparator);
    return directory;
}

bool storableInSettings(std::string_view text) {
    return platform::ansiToUtf8(platform::utf8ToAnsi(text)) == text;
}

std::string_view driveIconKey(platform::DriveKind kind, bool holdsFiles) {
    using platform::DriveKind;
    switch (kind) {
    case DriveKind::NoRoot:
        return "notmapped";
    case DriveKind::Removable:
        return holdsFiles ? "removable" : "removablex";
    case DriveKind::Fixed:
        return holdsFiles ? "fixed" : "fixedx";
    case DriveKind::Network:
        return holdsFiles ? "network" : "notmapped";
    case DriveKind::Cd:
        return holdsFiles ? "cd" : "cdx";
    case DriveKind::Ram:
        return holdsFiles ? "ram" : "ramx";
    case DriveKind::Unknown:
        break;
    }
    return "unknown";
}

} // namespace tolm
