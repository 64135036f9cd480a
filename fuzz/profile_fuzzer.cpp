// Arbitrary bytes as an INI file, and as a script of writes; then the same
// bytes as the settings file, in memory (and once a run through a file).

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <string_view>
#include <unistd.h>

#include "platform/codepage.h"
#include "platform/profile.h"
#include "settings/settings.h"

using namespace tolm;
using platform::ProfileFile;

namespace {

[[noreturn]] void fail() {
    __builtin_trap();
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// A value the file keeps as it is: one line, no blanks at either end, not
// enclosed in quotes (the reader strips those).
bool representable(std::string_view v) {
    if (v.find_first_of("\r\n") != std::string_view::npos)
        return false;
    if (!v.empty() &&
        (v.front() == ' ' || v.front() == '\t' || v.back() == ' ' || v.back() == '\t'))
        return false;
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return false;
    return true;
}

// Reads the whole input as a file: nothing may crash, and a second parse of
// what was written must agree with the first on every key the input names.
void parseArbitrary(std::string_view bytes) {
    const ProfileFile first = ProfileFile::parse(bytes);
    const std::string written = first.serialize();
    const ProfileFile second = ProfileFile::parse(written);
    if (second.serialize().size() > written.size())
        fail(); // a rewrite never grows: values only lose quotes and blanks
    for (const char* section : {"tolm", "emulators", "RomPaths"})
        for (const char* key : {"winw", "num", "emu00", "path00", "file00"}) {
            const auto a = first.find(section, key);
            const auto b = second.find(section, key);
            if (a.has_value() != b.has_value())
                fail();
            if (a && representable(*a) && *a != *b)
                fail();
        }
}

// The input as a script of writes: names from a small alphabet, values from
// the raw bytes. Every representable value must read back after a rewrite.
void scriptedWrites(std::string_view bytes) {
    static constexpr char kNames[] = "abcABC01";
    ProfileFile profile;
    std::map<std::string, std::string> expected; // lower(section) '\n' lower(key) -> value
    std::size_t i = 0;
    while (i + 3 <= bytes.size()) {
        const auto s = static_cast<unsigned char>(bytes[i]);
        const auto k = static_cast<unsigned char>(bytes[i + 1]);
        const std::size_t length = static_cast<unsigned char>(bytes[i + 2]) % 32;
        i += 3;
        const std::string section(1 + s % 2, kNames[s % 8]);
        const std::string key(1 + k % 3, kNames[k % 8]);
        const std::string value =
            platform::ansiToUtf8(bytes.substr(i, std::min(length, bytes.size() - i)));
        i += std::min(length, bytes.size() - i);
        profile.set(section, key, value);
        expected[lower(section) + '\n' + lower(key)] = value;
    }
    const ProfileFile reread = ProfileFile::parse(profile.serialize());
    for (const auto& [name, value] : expected) {
        const std::size_t cut = name.find('\n');
        const auto got = reread.find(name.substr(0, cut), name.substr(cut + 1));
        if (!got)
            fail();
        if (representable(value) && *got != value)
            fail();
    }
}

const ScreenMetrics kScreen{1920, 1080, 400, 300, 1600, 1000};

bool sameSettings(const SettingsState& a, const SettingsState& b) {
    return a.defaultEmulator == b.defaultEmulator && a.defaultMusicPlayer == b.defaultMusicPlayer &&
           a.screenshotLocation == b.screenshotLocation && a.screenshotSize == b.screenshotSize &&
           a.emulators.size() == b.emulators.size() && a.romPaths.size() == b.romPaths.size() &&
           a.musicPaths.size() == b.musicPaths.size();
}

// The input as the settings file's bytes: load, write, load again.
void asSettingsFile(std::string_view bytes) {
    SettingsState settings;
    const SettingsLoadResult loaded = loadSettingsFromBytes(settings, bytes, kScreen);
    const WindowGeometry& w = loaded.window;
    if (w.state == WindowGeometry::Normal &&
        (w.width < kScreen.minWidth || w.width > kScreen.maxWidth || w.height < kScreen.minHeight ||
         w.height > kScreen.maxHeight))
        fail();

    SettingsState again;
    loadSettingsFromBytes(again, settingsFileBytes(settings, w), kScreen);
    if (again.defaultEmulator != settings.defaultEmulator ||
        again.defaultMusicPlayer != settings.defaultMusicPlayer ||
        again.screenshotLocation != settings.screenshotLocation ||
        again.screenshotSize != settings.screenshotSize)
        fail();
    // A list that holds entries comes back with as many entries.
    if (hasFirstProgram(settings.emulators) && again.emulators.size() != settings.emulators.size())
        fail();
    if (hasFirstEntry(settings.romPaths) && again.romPaths.size() != settings.romPaths.size())
        fail();
    if (!hasFirstEntry(settings.musicPaths) && !again.musicPaths.empty())
        fail();
}

// Once a run, the first input through the file on disk: the file reader must
// read what the bytes hold. Every input doing so would cap the run at a few
// hundred inputs a second.
void asFileOnDisk(std::string_view bytes) {
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("tolm-profile-fuzz-" + std::to_string(getpid()) + ".ini"))
                                 .string();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    SettingsState fromFile;
    SettingsState fromBytes;
    const SettingsLoadResult loaded = loadSettings(fromFile, path, kScreen);
    loadSettingsFromBytes(fromBytes, bytes, kScreen);
    std::filesystem::remove(path);
    if (loaded.error || !sameSettings(fromFile, fromBytes))
        fail();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    parseArbitrary(bytes);
    scriptedWrites(bytes);
    asSettingsFile(bytes);
    static bool fileChecked = false;
    if (!fileChecked) {
        fileChecked = true;
        asFileOnDisk(bytes);
    }
    return 0;
}
