#include "ui/main/first_start.h"

#include <optional>

#include "platform/directories.h"
#include "settings/extra_settings.h"
#include "state/app_state.h"
#include "ui/widgets/qt_text.h"
#include "ui/widgets/user_dialogs.h"

namespace tolm::ui {
namespace {

struct Candidate {
    const char* program; // as found on the path
    const char* name;    // as it appears in the menus
};

// In order of preference: a plain "fuse" is whichever front end the
// system's packages made the default.
constexpr Candidate kEmulators[] = {
    {"fuse", "Fuse"}, {"fuse-sdl", "Fuse"}, {"fuse-gtk", "Fuse"}, {"zesarux", "ZEsarUX"}};
constexpr Candidate kMusicPlayers[] = {{"mpv", "mpv"}, {"ffplay", "ffplay"}};

struct Found {
    const Candidate* candidate;
    std::string path;
};

template <std::size_t N>
std::optional<Found> findFirst(const Candidate (&candidates)[N], const std::string& searchPath) {
    for (const Candidate& candidate : candidates)
        if (auto path = platform::findProgram(candidate.program, searchPath))
            return Found{&candidate, *path};
    return std::nullopt;
}

// Asks; a yes makes the program the list's only entry and its default.
bool offer(const Found& found, const QString& purpose, std::vector<ProgramEntry>& list,
           std::int32_t& defaultIndex, UserDialogs& dialogs, QWidget* parent,
           const QString& title) {
    const QString question = toQt(found.candidate->name) + QStringLiteral(" was found at ") +
                             toQt(found.path) + QStringLiteral(". Use it to ") + purpose +
                             QStringLiteral("?");
    if (dialogs.message(parent, title, question, UserDialogs::Icon::Question,
                        UserDialogs::Buttons::YesNo) != UserDialogs::Answer::Yes)
        return false;
    list = {ProgramEntry{found.candidate->name, found.path}};
    defaultIndex = 0;
    return true;
}

} // namespace

bool offerProgramsFoundOnPath(AppState& state, UserDialogs& dialogs, QWidget* parent,
                              const std::string& searchPath) {
    bool asked = false;
    bool emulatorsChanged = false;
    SettingsState& settings = state.settings;
    if (!state.extra.emulatorOffered && !hasFirstProgram(settings.emulators)) {
        if (const auto found = findFirst(kEmulators, searchPath)) {
            emulatorsChanged =
                offer(*found, QStringLiteral("run games"), settings.emulators,
                      settings.defaultEmulator, dialogs, parent, QStringLiteral("Emulator found"));
            state.extra.emulatorOffered = true;
            asked = true;
        }
    }
    if (!state.extra.musicPlayerOffered && !hasFirstProgram(settings.musicPlayers)) {
        if (const auto found = findFirst(kMusicPlayers, searchPath)) {
            offer(*found, QStringLiteral("play music files"), settings.musicPlayers,
                  settings.defaultMusicPlayer, dialogs, parent,
                  QStringLiteral("Music player found"));
            state.extra.musicPlayerOffered = true;
            asked = true;
        }
    }
    // Remembered at once: a crash before close must not bring the question back.
    if (asked)
        (void)saveExtraSettings(state.extra, state.extraSettingsPath());
    return emulatorsChanged;
}

} // namespace tolm::ui
