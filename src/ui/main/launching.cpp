#include "ui/main/launching.h"

#include <QStringList>
#include <chrono>
#include <memory>

#include "core/selection.h"
#include "core/text.h"
#include "platform/files.h"
#include "settings/locate.h"
#include "settings/settings.h"
#include "ui/widgets/program_launcher.h"
#include "ui/widgets/qt_text.h"
#include "ui/widgets/user_dialogs.h"

namespace tolm::ui {
namespace {

const QString kCantRun = QStringLiteral("Can't Run");
const QString kCantPlay = QStringLiteral("Can't play music");

void refuse(const LaunchContext& context, const QString& title, const QString& text) {
    context.dialogs.message(context.owner, title, text, UserDialogs::Icon::Critical,
                            UserDialogs::Buttons::Ok);
}

// The entry `index` names, or nullptr when it names none (a hand-edited
// settings file or a stale menu can hold such an index).
const ProgramEntry* entryAt(const std::vector<ProgramEntry>& list, std::int32_t index) {
    if (isNone(index) || static_cast<std::size_t>(index) >= list.size())
        return nullptr;
    return &list[static_cast<std::size_t>(index)];
}

bool programFileExists(const ProgramEntry* entry) {
    return entry != nullptr && !entry->path.empty() && platform::fileExists(entry->path);
}

// The file path goes over as one argument, unquoted and unchanged.
bool startProgram(const LaunchContext& context, const std::string& program, const std::string& file,
                  const QString& failureTitle) {
    QString reason;
    const QString programText = toQt(program);
    if (context.launcher.start(programText, QStringList{toQt(file)}, &reason))
        return true;
    refuse(context, failureTitle,
           QStringLiteral("Unable to start ") + programText + QStringLiteral("\r\n") + reason);
    return false;
}

// Starts the selected game and follows it in the play history. The state
// outlives the launcher, whose reports stop with it.
bool startGame(const LaunchContext& context, const std::string& program, const std::string& file) {
    using namespace std::chrono;
    AppState& state = context.state;
    const std::int32_t position = state.selectedGame;
    auto session = std::make_shared<std::uint64_t>(0);
    const std::function<void()> changed = context.playChanged;
    QString reason;
    const QString programText = toQt(program);
    // The end is reported on a later turn of the event loop, so the session
    // is known by then.
    const bool started = context.launcher.startFollowed(
        programText, QStringList{toQt(file)}, &reason,
        [&state, session, changed](milliseconds ran) {
            state.history.finished(*session, (ran.count() + 500) / 1000);
            if (changed)
                changed();
        });
    if (!started) {
        refuse(context, kCantRun,
               QStringLiteral("Unable to start ") + programText + QStringLiteral("\r\n") + reason);
        return false;
    }
    const auto now = duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
    *session = state.history.started(position, now);
    if (changed)
        changed();
    return true;
}

} // namespace

bool launchSelectedGame(const LaunchContext& context) {
    const GameRecord* game = context.state.selectedRecord();
    if (game == nullptr || trimBlanks(game->romFile).empty())
        return false;
    const SettingsState& settings = context.state.settings;
    if (isNone(settings.defaultEmulator)) {
        refuse(context, kCantRun, QStringLiteral("No default emulator has been set"));
        return false;
    }
    const ProgramEntry* emulator = entryAt(settings.emulators, settings.defaultEmulator);
    if (!programFileExists(emulator)) {
        refuse(context, kCantRun, QStringLiteral("Unable to find default emulator"));
        return false;
    }
    const LocatedFile rom = locateFile(game->romFile, settings.romPaths);
    if (!rom.found) {
        refuse(context, kCantRun, QStringLiteral("Unable to find selected rom"));
        return false;
    }
    return startGame(context, emulator->path, rom.path);
}

bool launchSelectedGameWith(const LaunchContext& context, std::int32_t index) {
    const GameRecord* game = context.state.selectedRecord();
    if (game == nullptr)
        return false;
    const ProgramEntry* emulator = entryAt(context.state.settings.emulators, index);
    if (!programFileExists(emulator)) {
        refuse(context, kCantRun, QStringLiteral("Unable to find default emulator"));
        return false;
    }
    // Run With serves records that keep a full path: it tests the name where it points.
    if (game->romFile.empty() || !platform::fileExists(game->romFile)) {
        refuse(context, kCantRun, QStringLiteral("Unable to find selected rom"));
        return false;
    }
    return startGame(context, emulator->path, game->romFile);
}

bool playSelectedMusic(const LaunchContext& context, bool musicPlayable) {
    if (!musicPlayable)
        return false;
    const GameRecord* game = context.state.selectedRecord();
    const SettingsState& settings = context.state.settings;
    if (game == nullptr || trimBlanks(game->musicFile).empty() ||
        !hasFirstEntry(settings.musicPaths))
        return false;
    const LocatedFile music = locateFile(game->musicFile, settings.musicPaths);
    if (!music.found || !hasFirstProgram(settings.musicPlayers))
        return false;
    if (isNone(settings.defaultMusicPlayer)) {
        refuse(context, kCantPlay, QStringLiteral("No default music player"));
        return false;
    }
    const ProgramEntry* player = entryAt(settings.musicPlayers, settings.defaultMusicPlayer);
    if (!programFileExists(player)) {
        refuse(context, kCantPlay, QStringLiteral("Unable to locate default music player"));
        return false;
    }
    return startProgram(context, player->path, music.path, kCantPlay);
}

} // namespace tolm::ui
