// Reads the catalogue and settings files in one directory and writes them
// into another, as the program does between start-up and shut-down; or
// writes a sample pair. Run on one system and then on the other, it shows
// that files pass between Linux and Windows unchanged.
//
//   catalogue_copy --sample <dir>
//   catalogue_copy <from-dir> <to-dir>

#include <cstdio>
#include <string>

#include "catalogue/database.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "settings/settings.h"

using namespace tolm;

namespace {

std::string in(const std::string& dir, const char* name) {
    return dir + platform::kPathSeparator + name;
}

int save(const GameCatalogue& catalogue, const SettingsState& settings, const std::string& dir,
         const WindowGeometry& window) {
    for (const platform::IoResult& saved : {saveDatabase(catalogue, in(dir, "tolm.dat")),
                                            saveSettings(settings, in(dir, "tolm.ini"), window)})
        if (!saved) {
            std::fprintf(stderr, "%s\n", saved.error.c_str());
            return 1;
        }
    return 0;
}

// What a collector's files hold: paths as the Windows program stored them,
// letters beyond ASCII, every byte of the code page.
int writeSample(const std::string& dir) {
    std::string everyByte;
    for (int c = 1; c < 256; ++c)
        everyByte += static_cast<char>(c);
    GameCatalogue catalogue = {
        {"Manic Miner", 30, "manic1.scr,manic2.gif", 1983, "Willy\r\nin the mine", "MANIC.TAP",
         "Bug-Byte", "Matthew Smith", "manic.ay"},
        {"Mot\xC3\xB6rhead \xE2\x82\xAC", 94, "a.scr,,b.scr,", 0, platform::ansiToUtf8(everyByte),
         R"(D:\SGD\GAMES\MOTOR.Z80)", "", "", ""},
        {}};
    SettingsState settings;
    settings.emulators = {{"Fuse", R"(C:\Program Files\Fuse\fuse.exe)"},
                          {"Sp\xC3\xA9\x63trum", R"(C:\Emu\speccy.exe)"}};
    settings.defaultEmulator = 1;
    settings.musicPlayers = {{"AY", R"(C:\AY\ay.exe)"}};
    settings.defaultMusicPlayer = 0;
    settings.romPaths = {R"(C:\Games\Spectrum\)", "", R"(\\nas\roms\)"};
    settings.screenshotPaths = {R"(C:\Games\Screens\)"};
    settings.musicPaths = {"C:\\Games\\M\xC3\xBCsic\\"};
    settings.screenshotLocation = 1;
    return save(catalogue, settings, dir, {0, 800, 600, -98, 12});
}

int copy(const std::string& from, const std::string& to) {
    GameCatalogue catalogue;
    SettingsState settings;
    // No size limits and a zero screen: the stored placement comes back as it was.
    const SettingsLoadResult read = loadSettings(settings, in(from, "tolm.ini"), {});
    if (loadDatabase(catalogue, in(from, "tolm.dat")).status !=
            DatabaseLoadResult::Status::Loaded ||
        read.error) {
        std::fprintf(stderr, "%s: not loaded\n", from.c_str());
        return 1;
    }
    return save(catalogue, settings, to, read.window);
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--sample")
        return writeSample(argv[2]);
    if (argc == 3)
        return copy(argv[1], argv[2]);
    std::fprintf(stderr, "usage: catalogue_copy --sample <dir> | <from-dir> <to-dir>\n");
    return 2;
}
