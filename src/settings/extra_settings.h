#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/files.h"

namespace tolm {

// The few settings of this program's own that tolm.ini has no key for. They
// live in tolm-extra.ini beside it, so tolm.ini stays exactly as other
// catalogues of its kind write it.
struct ExtraSettings {
    bool emulatorOffered = false;    // the "use the emulator found on PATH?" question was asked
    bool musicPlayerOffered = false; // the same for a music player
    std::vector<std::int32_t> columnWidths; // the game list's, pixels; empty: the defaults
    std::int32_t sortColumn = -1;           // -1: the list's default order
    bool sortDescending = false;

    bool operator==(const ExtraSettings&) const = default;
};

inline constexpr const char* kExtraSettingsFileName = "tolm-extra.ini";

// A missing or unreadable file gives the defaults: nothing in it is worth a
// message at start-up.
ExtraSettings loadExtraSettings(const std::string& path);
platform::IoResult saveExtraSettings(const ExtraSettings& settings, const std::string& path);

} // namespace tolm
