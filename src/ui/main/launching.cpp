#include "ui/main/launching.h"

#include <QStringList>

#include "catalogue/text.h"
#include "platform/files.h"
#include "settings/locate.h"
#include "settings/settings.h"
#include "ui/common/program_launcher.h"
#include "ui/common/qt_text.h"
#include "ui/common/user_dialogs.h"

namespace tolm::ui {
namespace {

const QString kCantRun = QStringLiteral("Can't Run");
const QString kCantPlay = QStringLiteral("Can't play music");

void Refuse(const LaunchContext& context, const QString& title, const QString& text) {
    context.dialogs.message(context.owner, title, text, UserDialogs::Icon::Critical,
                            UserDialogs::Buttons::Ok);
}

// The entry `index` names, or nullptr when it names none (a hand-edited
// settings file or a stale menu can hold such an index).
const ProgramEntry* EntryAt(const std::vector<ProgramEntry>& list, std::int32_t index) {
    if (index < 0 || static_cast<std::size_t>(index) >= list.size())
        return nullptr;
    return &list[static_cast<std::size_t>(index)];
}

bool ProgramFileExists(const ProgramEntry* entry) {
    return entry != nullptr && !entry->Path.empty() && platform::FileExists(entry->Path);
}

// The file path goes over as one argument, unquoted and unchanged.
bool Start(const LaunchContext& context, const std::string& program, const std::string& file,
           const QString& failureTitle) {
    QString reason;
    const QString programText = toQt(program);
    if (context.launcher.start(programText, QStringList{toQt(file)}, &reason))
        return true;
    Refuse(context, failureTitle,
           QStringLiteral("Unable to start ") + programText + QStringLiteral("\r\n") + reason);
    return false;
}

} // namespace

QString MusicPlayableText() {
    return QStringLiteral("Yes (click to play)");
}

bool RunGame(const LaunchContext& context) {
    const GameRecord* game = context.state.SelectedRecord();
    if (game == nullptr || TrimBlanks(game->RomFile).empty())
        return false;
    const SettingsState& settings = context.state.settings;
    if (settings.DefaultEmulator == kNone) {
        Refuse(context, kCantRun, QStringLiteral("No default emulator has been set"));
        return false;
    }
    const ProgramEntry* emulator = EntryAt(settings.EmulatorList, settings.DefaultEmulator);
    if (!ProgramFileExists(emulator)) {
        Refuse(context, kCantRun, QStringLiteral("Unable to find default emulator"));
        return false;
    }
    const LocatedFile rom = LocateFile(game->RomFile, settings.RomPaths);
    if (!rom.found) {
        Refuse(context, kCantRun, QStringLiteral("Unable to find selected rom"));
        return false;
    }
    return Start(context, emulator->Path, rom.path, kCantRun);
}

bool RunWith(const LaunchContext& context, std::int32_t index) {
    const GameRecord* game = context.state.SelectedRecord();
    if (game == nullptr)
        return false;
    const ProgramEntry* emulator = EntryAt(context.state.settings.EmulatorList, index);
    if (!ProgramFileExists(emulator)) {
        Refuse(context, kCantRun, QStringLiteral("Unable to find default emulator"));
        return false;
    }
    // Run With serves records that keep a full path: it tests the name where it points.
    if (game->RomFile.empty() || !platform::FileExists(game->RomFile)) {
        Refuse(context, kCantRun, QStringLiteral("Unable to find selected rom"));
        return false;
    }
    return Start(context, emulator->Path, game->RomFile, kCantRun);
}

bool PlayMusic(const LaunchContext& context, const QString& musicLabelText) {
    if (musicLabelText != MusicPlayableText())
        return false;
    const GameRecord* game = context.state.SelectedRecord();
    const SettingsState& settings = context.state.settings;
    if (game == nullptr || TrimBlanks(game->MusicFile).empty() ||
        !HasFirstEntry(settings.MusicPaths))
        return false;
    const LocatedFile music = LocateFile(game->MusicFile, settings.MusicPaths);
    if (!music.found || !HasFirstProgram(settings.MusicPlayerList))
        return false;
    if (settings.DefaultMusicPlayer <= kNone) {
        Refuse(context, kCantPlay, QStringLiteral("No default music player"));
        return false;
    }
    const ProgramEntry* player = EntryAt(settings.MusicPlayerList, settings.DefaultMusicPlayer);
    if (!ProgramFileExists(player)) {
        Refuse(context, kCantPlay, QStringLiteral("Unable to locate default music player"));
        return false;
    }
    return Start(context, player->Path, music.path, kCantPlay);
}

} // namespace tolm::ui
