#include "settings/settings.h"

#include <algorithm>
#include <cstdio>

#include "core/text.h"
#include "platform/paths.h"
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

std::int32_t readNumber(const ProfileFile& p, const char* section, const char* key,
                        const char* fallback) {
    return leadingNumber(p.getString(section, key, fallback));
}

std::int32_t readCount(const ProfileFile& p, const char* section) {
    return std::min(readNumber(p, section, "num", "0"), kMaxListEntries);
}

void readPrograms(const ProfileFile& p, const ProgramSection& s, std::vector<ProgramEntry>& list) {
    const std::int32_t num = readCount(p, s.section);
    if (num <= 0)
        return;
    list.assign(static_cast<std::size_t>(num), ProgramEntry{});
    for (std::int32_t i = 0; i < num; ++i) {
        list[static_cast<std::size_t>(i)].name = p.getString(s.section, s.nameKey + NN(i), "");
        list[static_cast<std::size_t>(i)].path = p.getString(s.section, "file" + NN(i), "");
    }
}

void readPaths(const ProfileFile& p, const char* section, std::vector<std::string>& list) {
    const std::int32_t num = readCount(p, section);
    if (num <= 0)
        return;
    list.assign(static_cast<std::size_t>(num), std::string());
    for (std::int32_t i = 0; i < num; ++i)
        list[static_cast<std::size_t>(i)] = p.getString(section, "path" + NN(i), "");
}

void writePrograms(ProfileFile& p, const ProgramSection& s, const std::vector<ProgramEntry>& list) {
    if (!hasFirstProgram(list))
        return;
    p.set(s.section, "num", std::to_string(list.size()));
    for (std::size_t i = 0; i < list.size(); ++i) {
        const auto n = NN(static_cast<std::int32_t>(i));
        p.set(s.section, s.nameKey + n, list[i].name);
        p.set(s.section, "file" + n, list[i].path);
    }
}

void writePaths(ProfileFile& p, const char* section, const std::vector<std::string>& list) {
    if (!hasFirstEntry(list))
        return;
    p.set(section, "num", std::to_string(list.size()));
    for (std::size_t i = 0; i < list.size(); ++i)
        p.set(section, "path" + NN(static_cast<std::int32_t>(i)), list[i]);
}

std::int32_t clamp(std::int32_t value, std::int32_t low, std::int32_t high) {
    if (high > 0)
        value = std::min(value, high);
    return std::max(value, low);
}

std::int32_t centred(std::int32_t screen, std::int32_t size) {
    return static_cast<std::int32_t>((static_cast<std::int64_t>(screen) - size) / 2);
}

} // namespace

bool hasFirstProgram(const std::vector<ProgramEntry>& list) {
    return !list.empty() && !list.front().path.empty();
}

bool hasFirstEntry(const std::vector<std::string>& list) {
    return !list.empty() && !list.front().empty();
}

void addSearchPath(std::vector<std::string>& list, const std::string& directory) {
    if (!hasFirstEntry(list)) {
        list.assign(1, directory);
        return;
    }
    for (const std::string& entry : list)
        if (platform::samePath(entry, directory))
            return;
    list.push_back(directory);
}

namespace {

SettingsLoadResult loadFromProfile(SettingsState& settings, const ProfileFile& p,
                                   const ScreenMetrics& screen) {
    SettingsLoadResult result;
    WindowGeometry& w = result.window;
    w.state = readNumber(p, kTolm, "winstate", "0");
    if (w.state < WindowGeometry::Normal || w.state > WindowGeometry::Maximised)
        w.state = WindowGeometry::Normal; // an unknown state would leave the window unplaceable
    if (w.state == WindowGeometry::Normal) {
        const std::int32_t winw = readNumber(p, kTolm, "winw", "10");
        const std::int32_t winh = readNumber(p, kTolm, "winh", "10");
        const std::int32_t winx = readNumber(p, kTolm, "winx", "-99");
        const std::int32_t winy = readNumber(p, kTolm, "winy", "-99");
        // The window bounds the size it is given before it is centred.
        w.width = clamp(winw, screen.minWidth, screen.maxWidth);
        w.height = clamp(winh, screen.minHeight, screen.maxHeight);
        w.top = winy > -99 ? winy : centred(screen.screenHeight, w.height);
        w.left = winx > -99 ? winx : centred(screen.screenWidth, w.width);
    } else {
        // The normal placement to return to from a minimised or maximised start.
        w.width = clamp(screen.minWidth, screen.minWidth, screen.maxWidth);
        w.height = clamp(screen.minHeight, screen.minHeight, screen.maxHeight);
        w.top = centred(screen.screenHeight, w.height);
        w.left = centred(screen.screenWidth, w.width);
    }

    settings.defaultEmulator = readNumber(p, kTolm, "Defaultemu", "-99");
    settings.defaultMusicPlayer = readNumber(p, kTolm, "Defaultmplayer", "-99");
    settings.screenshotLocation = readNumber(p, kTolm, "SSLocation", "0");
    settings.screenshotSize = readNumber(p, kTolm, "SSSize", "0");

    readPrograms(p, kEmulators, settings.emulators);
    readPrograms(p, kMusicPlayers, settings.musicPlayers);
    readPaths(p, "RomPaths", settings.romPaths);
    readPaths(p, "ScreenshotPaths", settings.screenshotPaths);
    readPaths(p, "MusicPaths", settings.musicPaths);
    return result;
}

} // namespace

SettingsLoadResult loadSettingsFromBytes(SettingsState& settings, std::string_view fileBytes,
                                         const ScreenMetrics& screen) {
    return loadFromProfile(settings, ProfileFile::parse(fileBytes), screen);
}

SettingsLoadResult loadSettings(SettingsState& settings, const std::string& path,
                                const ScreenMetrics& screen) {
    ProfileFile p;
    const platform::IoResult read = platform::readProfileFile(path, p);
    SettingsLoadResult result = loadFromProfile(settings, p, screen);
    if (!read)
        result.error = read.error; // every key then takes its default
    return result;
}

std::string settingsFileBytes(const SettingsState& settings, const WindowGeometry& window) {
    ProfileFile p;
    p.set(kTolm, "winstate", std::to_string(window.state));
    p.set(kTolm, "winw", std::to_string(window.width));
    p.set(kTolm, "winh", std::to_string(window.height));
    p.set(kTolm, "winx", std::to_string(window.left));
    p.set(kTolm, "winy", std::to_string(window.top));
    p.set(kTolm, "Defaultemu", std::to_string(settings.defaultEmulator));
    p.set(kTolm, "Defaultmplayer", std::to_string(settings.defaultMusicPlayer));
    p.set(kTolm, "SSLocation", std::to_string(settings.screenshotLocation));
    p.set(kTolm, "SSSize", std::to_string(settings.screenshotSize));
    writePrograms(p, kEmulators, settings.emulators);
    writePrograms(p, kMusicPlayers, settings.musicPlayers);
    writePaths(p, "RomPaths", settings.romPaths);
    writePaths(p, "ScreenshotPaths", settings.screenshotPaths);
    writePaths(p, "MusicPaths", settings.musicPaths);
    return p.serialize();
}

platform::IoResult saveSettings(const SettingsState& settings, const std::string& path,
                                const WindowGeometry& window) {
    return platform::replaceFile(path, settingsFileBytes(settings, window));
}

} // namespace tolm
