#include <QCoreApplication>
#include <QDateTime>
#include <QTest>
#include <chrono>

#include "support/scripted_dialogs.h"
#include "support/window_fixtures.h"
#include "ui/main/launching.h"
#include "ui/widgets/program_launcher.h"

// How a name is found under the search paths is locateFile's business; here:
// which checks speak, in what order, and what is started.
class LaunchingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void launch();
    void playTimeOfARealStart();
};

// Each row changes the working set-up that the run starts from: the
// operation ("run", "with N", "music"), the changes, the box ("title|text")
// and the start ("program|argument"), each empty for none.
void LaunchingTest::launch() {
    const char* noDefault = "Can't Run|No default emulator has been set";
    const char* noEmu = "Can't Run|Unable to find default emulator";
    const char* noPlayer = "Can't play music|Unable to locate default music player";
    const struct {
        const char* operation;
        QStringList changes;
        const char *box, *start;
    } cases[] = {
        // clang-format off
        {"run", {"rom=   ", "default emu=-99"}, "", ""}, // a blank name, no default: silent
        // Any negative index means none, as a hand-edited file may hold.
        {"run", {"default emu=-3"}, noDefault, ""},
        {"run", {"emus=%D/emu/gone"}, noEmu, ""},
        {"run", {"rom=%D/roms2/other.tap", "roms="}, "", "%D/emu/fuse|%D/roms2/other.tap"},
        // The second path; an emulator with a blank.
        {"run", {"rom=other.tap", "default emu=1"}, "", "%D/emu dir/x emu|%D/roms2/other.tap"},
        // Blanks and shell characters stay one argument.
        {"run", {"rom=a;b $(x).tap", "roms=%D/my games/"}, "",
         "%D/emu/fuse|%D/my games/a;b $(x).tap"},
        {"run", {"selected=-99"}, "", ""},
        {"run", {"fail"}, "Can't Run|Unable to start %D/emu/fuse\r\nPermission denied", ""},
        {"with 0", {}, "Can't Run|Unable to find selected rom", ""}, // a bare name: not searched
        {"music", {"music=other.ay"}, "", "%D/player/play|%D/music2/other.ay"},
        {"music", {"playable=0"}, "", ""}, // the details say not playable
        {"music", {"music=gone.ay"}, "", ""},
        {"music", {"players=", "default player=-99"}, "", ""},
        {"music", {"default player=-99"}, "Can't play music|No default music player", ""},
        {"music", {"players=%D/player/gone"}, noPlayer, ""}};
    // clang-format on
    for (const auto& [op, changes, boxText, startText] : cases) {
        const QString operation = QLatin1String(op), box = QLatin1String(boxText),
                      start = QLatin1String(startText);
        tolm::test::Scratch dir;
        for (const char* file :
             {"emu/fuse", "emu dir/x emu", "roms/game.tap", "roms2/other.tap",
              "my games/a;b $(x).tap", "music/tune.ay", "music2/other.ay", "player/play"})
            dir.write(QString::fromUtf8(file));
        QHash<QString, QString> set; // the working set-up, then the row's changes
        for (const QString& s :
             QStringLiteral("selected=0\nrom=game.tap\nmusic=tune.ay\nplayable=1\n"
                            "roms=%D/roms/|%D/roms2/\nmusic paths=%D/music/|"
                            "%D/music2/\nemus=%D/emu/fuse|%D/emu dir/x emu\n"
                            "default emu=0\nplayers=%D/player/play\n"
                            "default player=0")
                     .split(QLatin1Char('\n')) +
                 changes)
            set[s.section(QLatin1Char('='), 0, 0)] = dir.expand(s.section(QLatin1Char('='), 1));
        const auto list = [&set](const char* key) { // "a|b", "" for none
            const QString value = set[QLatin1String(key)];
            std::vector<std::string> out;
            for (const QString& item :
                 value.isEmpty() ? QStringList() : value.split(QLatin1Char('|')))
                out.push_back(tolm::ui::toStd(item));
            return out;
        };
        const auto number = [&set](const char* key) { return set[QLatin1String(key)].toInt(); };
        const auto programs = [&](const char* key) {
            std::vector<tolm::ProgramEntry> out;
            for (const std::string& path : list(key))
                out.push_back({"Program", path});
            return out;
        };

        tolm::AppState state;
        tolm::GameRecord game = tolm::test::makeGame("Game");
        game.romFile = tolm::ui::toStd(set[QStringLiteral("rom")]);
        game.musicFile = tolm::ui::toStd(set[QStringLiteral("music")]);
        state.catalogue = {game};
        state.selectedGame = number("selected");
        state.settings.romPaths = list("roms");
        state.settings.musicPaths = list("music paths");
        state.settings.emulators = programs("emus");
        state.settings.defaultEmulator = number("default emu");
        state.settings.musicPlayers = programs("players");
        state.settings.defaultMusicPlayer = number("default player");
        tolm::test::ScriptedDialogs dialogs;
        tolm::test::RecordingLauncher launcher;
        launcher.failNext = set.contains(QStringLiteral("fail"));
        const tolm::ui::LaunchContext context{state, dialogs, launcher, nullptr};

        const bool started =
            operation == QLatin1String("run") ? tolm::ui::launchSelectedGame(context)
            : operation == QLatin1String("music")
                ? tolm::ui::playSelectedMusic(context, number("playable") == 1)
                : tolm::ui::launchSelectedGameWith(context, operation.mid(5).toInt());

        // Only the first failing check speaks.
        QCOMPARE(dialogs.boxes(), box.isEmpty() ? QStringList() : QStringList{dir.expand(box)});
        QStringList starts;
        for (const auto& s : launcher.starts) // exactly one argument, passed unchanged
            starts << s.program + QLatin1Char('|') + s.arguments.join(QLatin1Char('\n'));
        QCOMPARE(starts, start.isEmpty() ? QStringList() : QStringList{dir.expand(start)});
        QCOMPARE(started, !start.isEmpty());

        // A game's start counts at once, its time when the emulator ends; music is no play.
        const bool played = started && operation != QLatin1String("music");
        QCOMPARE(state.history.timesPlayed(0), played ? 1u : 0u);
        QCOMPARE(launcher.followed.size(), played ? 1u : 0u);
        for (const auto& ended : launcher.followed)
            ended(std::chrono::milliseconds(61'600));
        QCOMPARE(state.history.totalSeconds(0), played ? 62 : 0);
    }
}

// Through the real start: an emulator that runs a second adds a second once
// it has ended, the window's thread never waiting for it.
void LaunchingTest::playTimeOfARealStart() {
    tolm::test::Scratch dir;
    dir.write(QStringLiteral("roms/game.tap"));
    tolm::AppState state;
    tolm::GameRecord game = tolm::test::makeGame("Game");
    game.romFile = "game.tap";
    state.catalogue = {tolm::test::makeGame("Other"), game};
    state.selectedGame = 1;
    state.settings.romPaths = {tolm::ui::toStd(dir.expand(QStringLiteral("%D/roms/")))};
    state.settings.emulators = {
        {"Sleeper", tolm::ui::toStd(QCoreApplication::applicationDirPath() + "/sleeper")}};
    state.settings.defaultEmulator = 0;
    tolm::test::ScriptedDialogs dialogs;
    tolm::ui::QtProgramLauncher launcher;
    int changes = 0;
    const tolm::ui::LaunchContext context{state, dialogs, launcher, nullptr, [&] { ++changes; }};
    const auto before = QDateTime::currentSecsSinceEpoch();
    QVERIFY(tolm::ui::launchSelectedGame(context));
    QCOMPARE(state.history.timesPlayed(1), 1u);
    QVERIFY(state.history.lastPlayed(1) >= before);
    QCOMPARE(state.history.totalSeconds(1), 0);
    QCOMPARE(changes, 1);
    QTRY_COMPARE_WITH_TIMEOUT(changes, 2, 30000);
    QCOMPARE(state.history.totalSeconds(1), 1);
    QCOMPARE(state.history.of(0), tolm::GamePlay{});
}

QTEST_MAIN(LaunchingTest)
#include "launching_test.moc"
