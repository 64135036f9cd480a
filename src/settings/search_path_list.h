#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/drive_kinds.h"

// The editing rules of the paths dialog's three lists.
namespace tolm {

// The item key of entry `index` on the tab whose keys start with `prefix`
// ("rom" and 10 give "rom10").
std::string searchPathKey(std::string_view prefix, std::size_t index);

// The entry a key names: `prefix` followed by decimal digits. nullopt for
// anything else.
std::optional<std::size_t> searchPathKeyIndex(std::string_view key, std::string_view prefix);

// Removes entry `k`; the only entry is blanked instead, so that the list
// counts as empty. Blank entries that would come to stand first go as well.
// False, changing nothing, when `k` names no entry.
bool removeSearchPath(std::vector<std::string>& list, std::size_t k);

// A picked directory as the lists keep it: ending with the separator.
std::string withTrailingSeparator(std::string directory);

// Whether `text` survives the round trip through the settings file's code
// page unchanged.
bool storableInSettings(std::string_view text);

// The image key shown for a directory on a drive of `kind`: crossed out
// ("fixedx") when it holds no file, "notmapped" for a network drive then.
std::string_view driveIconKey(platform::DriveKind kind, bool holdsFiles);

// The icon keys in image-list order.
inline constexpr std::string_view kDriveIconKeys[] = {
    "unknown", "notmapped",  "removable", "fixed", "cd",  "network",
    "ram",     "removablex", "fixedx",    "cdx",   "ramx"};

} // namespace tolm
