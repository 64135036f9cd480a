#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/selection.h"
#include "platform/files.h"

namespace tolm {

struct ProgramEntry {
    std::string name; // shown in the dialogs and the Run With menu
    std::string path; // the executable

    bool operator==(const ProgramEntry&) const = default;
};

struct SettingsState {
    std::vector<ProgramEntry> emulators;
    std::int32_t defaultEmulator = kNone;
    std::vector<ProgramEntry> musicPlayers;
    std::int32_t defaultMusicPlayer = kNone;
    std::vector<std::string> romPaths;
    std::vector<std::string> screenshotPaths;
    std::vector<std::string> musicPaths;
    std::int32_t screenshotLocation = 0; // 0 horizontal strip, otherwise vertical
    std::int32_t screenshotSize = 0;     // 0 full size, otherwise half size

    bool operator==(const SettingsState&) const = default;
};

// A list holds entries only when its entry 0 exists and is filled.
bool hasFirstProgram(const std::vector<ProgramEntry>& list);
bool hasFirstEntry(const std::vector<std::string>& list);

// Appends `directory` unless an entry names the same path (platform::samePath);
// a list without a first entry becomes the one-entry list.
void addSearchPath(std::vector<std::string>& list, const std::string& directory);

// The main window's placement as the settings file keeps it.
struct WindowGeometry {
    enum State : std::int32_t { Normal = 0, Minimised = 1, Maximised = 2 };
    std::int32_t state = Normal;
    std::int32_t width = 0; // outer size, pixels
    std::int32_t height = 0;
    std::int32_t left = 0; // screen pixels
    std::int32_t top = 0;
};

// What the window brings to the placement: the screen and its size limits.
struct ScreenMetrics {
    std::int32_t screenWidth = 0;
    std::int32_t screenHeight = 0;
    std::int32_t minWidth = 0;
    std::int32_t minHeight = 0;
    std::int32_t maxWidth = 0; // 0: no limit
    std::int32_t maxHeight = 0;
};

struct SettingsLoadResult {
    WindowGeometry window;            // to apply to the main window
    std::optional<std::string> error; // the file exists but could not be read
};

// Fills `settings` from the file and works out the window placement. A
// missing file gives every default silently.
SettingsLoadResult loadSettings(SettingsState& settings, const std::string& path,
                                const ScreenMetrics& screen);

// The same from the file's bytes.
SettingsLoadResult loadSettingsFromBytes(SettingsState& settings, std::string_view fileBytes,
                                         const ScreenMetrics& screen);

// The file's bytes for the current state and window.
std::string settingsFileBytes(const SettingsState& settings, const WindowGeometry& window);

// Replaces the file atomically; on failure the old file is left as it was.
platform::IoResult saveSettings(const SettingsState& settings, const std::string& path,
                                const WindowGeometry& window);

} // namespace tolm
