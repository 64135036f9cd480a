#include "settings/settings.h"

#include <algorithm>
#include <cstdio>

#include "catalogue/text.h"
#include "platform/profile.h"

namespace tolm {
namespace {

using platform::ProfileFile;

// A hand-edited "num" may claim any count; beyond this the entries would all
// be blank anyway, and allocating them could exhaust memory.
constexpr std::int32_t kMaxListEntries = 100000;

constexpr const char* kTolm = "tolm";

struct ProgramSection {
    const char* section;
    const char* nameKey;
};
constexpr ProgramSection kEmulators{"emulators", "emu"};
constexpr ProgramSection kMusicPlayers{"musicplayers", "playername"};

std::string NN(std::int32_t index) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", static_cast<int>(index));
    return buffer;
}

std::int32_t ReadNumber(const ProfileFile& p, const char* section, const char* key,
                        const char* fallback) {
    return LeadingNumber(p.GetString(section, key, fallback));
}

std::int32_t ReadCount(const ProfileFile& p, const char* section) {
    return std::min(ReadNumber(p, section, "num", "0"), kMaxListEntries);
}

void ReadPrograms(const ProfileFile& p, const ProgramSection& s, std::vector<ProgramEntry>& list) {
    const std::int32_t num = ReadCount(p, s.section);
    if (num <= 0)
        return;
    list.assign(static_cast<std::size_t>(num), ProgramEntry{});
    for (std::int32_t i = 0; i < num; ++i) {
        list[static_cast<std::size_t>(i)].Name = p.GetString(s.section, s.nameKey + NN(i), "");
        list[static_cast<std::size_t>(i)].Path = p.GetString(s.section, "file" + NN(i), "");
    }
}

void ReadPaths(const ProfileFile& p, const char* section, std::vector<std::string>& list) {
    const std::int32_t num = ReadCount(p, section);
    if (num <= 0)
        return;
    list.assign(static_cast<std::size_t>(num), std::string());
    for (std::int32_t i = 0; i < num; ++i)
        list[static_cast<std::size_t>(i)] = p.GetString(section, "path" + NN(i), "");
}

void WritePrograms(ProfileFile& p, const ProgramSection& s, const std::vector<ProgramEntry>& list) {
    if (!HasFirstProgram(list))
        return;
    p.Set(s.section, "num", std::to_string(list.size()));
    for (std::size_t i = 0; i < list.size(); ++i) {
        const auto n = NN(static_cast<std::int32_t>(i));
        p.Set(s.section, s.nameKey + n, list[i].Name);
        p.Set(s.section, "file" + n, list[i].Path);
    }
}

void WritePaths(ProfileFile& p, const char* section, const std::vector<std::string>& list) {
    if (!HasFirstEntry(list))
        return;
    p.Set(section, "num", std::to_string(list.size()));
    for (std::size_t i = 0; i < list.size(); ++i)
        p.Set(section, "path" + NN(static_cast<std::int32_t>(i)), list[i]);
}

std::int32_t Clamp(std::int32_t value, std::int32_t low, std::int32_t high) {
    if (high > 0)
        value = std::min(value, high);
    return std::max(value, low);
}

std::int32_t Centred(std::int32_t screen, std::int32_t size) {
    return static_cast<std::int32_t>((static_cast<std::int64_t>(screen) - size) / 2);
}

} // namespace

bool HasFirstProgram(const std::vector<ProgramEntry>& list) {
    return !list.empty() && !list.front().Path.empty();
}

bool HasFirstEntry(const std::vector<std::string>& list) {
    return !list.empty() && !list.front().empty();
}

void AddSearchPath(std::vector<std::string>& list, const std::string& directory) {
    if (!HasFirstEntry(list)) {
        list.assign(1, directory);
        return;
    }
    for (const std::string& entry : list)
        if (EqualsIgnoringCase(entry, directory))
            return;
    list.push_back(directory);
}

SettingsLoadResult LoadSettings(SettingsState& settings, const std::string& path,
                                const ScreenMetrics& screen) {
    SettingsLoadResult result;
    ProfileFile p;
    if (platform::IoResult r = platform::ReadProfileFile(path, p); !r)
        result.error = r.error; // every key then takes its default

    WindowGeometry& w = result.window;
    w.state = ReadNumber(p, kTolm, "winstate", "0");
    if (w.state < WindowGeometry::Normal || w.state > WindowGeometry::Maximised)
        w.state = WindowGeometry::Normal; // an unknown state would leave the window unplaceable
    if (w.state == WindowGeometry::Normal) {
        const std::int32_t winw = ReadNumber(p, kTolm, "winw", "10");
        const std::int32_t winh = ReadNumber(p, kTolm, "winh", "10");
        const std::int32_t winx = ReadNumber(p, kTolm, "winx", "-99");
        const std::int32_t winy = ReadNumber(p, kTolm, "winy", "-99");
        // The window bounds the size it is given before it is centred.
        w.width = Clamp(winw, screen.minWidth, screen.maxWidth);
        w.height = Clamp(winh, screen.minHeight, screen.maxHeight);
        w.top = winy > -99 ? winy : Centred(screen.screenHeight, w.height);
        w.left = winx > -99 ? winx : Centred(screen.screenWidth, w.width);
    } else {
        // The normal placement to return to from a minimised or maximised start.
        w.width = Clamp(screen.minWidth, screen.minWidth, screen.maxWidth);
        w.height = Clamp(screen.minHeight, screen.minHeight, screen.maxHeight);
        w.top = Centred(screen.screenHeight, w.height);
        w.left = Centred(screen.screenWidth, w.width);
    }

    settings.DefaultEmulator = ReadNumber(p, kTolm, "Defaultemu", "-99");
    settings.DefaultMusicPlayer = ReadNumber(p, kTolm, "Defaultmplayer", "-99");
    settings.SSLocation = ReadNumber(p, kTolm, "SSLocation", "0");
    settings.SSSize = ReadNumber(p, kTolm, "SSSize", "0");

    ReadPrograms(p, kEmulators, settings.EmulatorList);
    ReadPrograms(p, kMusicPlayers, settings.MusicPlayerList);
    ReadPaths(p, "RomPaths", settings.RomPaths);
    ReadPaths(p, "ScreenshotPaths", settings.ScreenshotPaths);
    ReadPaths(p, "MusicPaths", settings.MusicPaths);
    return result;
}

std::string SettingsFileBytes(const SettingsState& settings, const WindowGeometry& window) {
    ProfileFile p;
    p.Set(kTolm, "winstate", std::to_string(window.state));
    p.Set(kTolm, "winw", std::to_string(window.width));
    p.Set(kTolm, "winh", std::to_string(window.height));
    p.Set(kTolm, "winx", std::to_string(window.left));
    p.Set(kTolm, "winy", std::to_string(window.top));
    p.Set(kTolm, "Defaultemu", std::to_string(settings.DefaultEmulator));
    p.Set(kTolm, "Defaultmplayer", std::to_string(settings.DefaultMusicPlayer));
    p.Set(kTolm, "SSLocation", std::to_string(settings.SSLocation));
    p.Set(kTolm, "SSSize", std::to_string(settings.SSSize));
    WritePrograms(p, kEmulators, settings.EmulatorList);
    WritePrograms(p, kMusicPlayers, settings.MusicPlayerList);
    WritePaths(p, "RomPaths", settings.RomPaths);
    WritePaths(p, "ScreenshotPaths", settings.ScreenshotPaths);
    WritePaths(p, "MusicPaths", settings.MusicPaths);
    return p.Serialize();
}

platform::IoResult SaveSettings(const SettingsState& settings, const std::string& path,
                                const WindowGeometry& window) {
    return platform::ReplaceFile(path, SettingsFileBytes(settings, window));
}

} // namespace tolm
