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
    void launch_data();
    void launch();
    void playTimeOfARealStart();
};

// Each row changes the working set-up that launch() starts from.
void LaunchingTest::launch_data() {
    QTest::addColumn<QString>("operation"); // "run", "with N", "music"
    QTest::addColumn<QStringList>("changes");
    QTest::addColumn<QString>("box");   // "title|text", empty: none
    QTest::addColumn<QString>("start"); // "program|argument", empty: none
    const QString noDefault = QStringLiteral("Can't Run|No default emulator has been set");
    const QString noEmu = QStringLiteral("Can't Run|Unable to find default emulator");
    const QString noRom = QStringLiteral("Can't Run|Unable to find selected rom");
    const QString noPlayer =
        QStringLiteral("Can't play music|Unable to locate default music player");
    const auto row = [](const char* name, const char* op, const QStringList& changes,
                        const QString& box, const QString& start = {}) {
        QTest::newRow(name) << QString::fromLatin1(op) << changes << box << start;
    };
    // clang-format off
    row("run: blank name, no default: silent", "run", {"rom=   ", "default emu=-99"}, {});
    // Any negative index means none, as a hand-edited file may hold.
    row("run: no default emulator", "run", {"default emu=-3"}, noDefault);
    row("run: default emulator missing", "run", {"emus=%D/emu/gone"}, noEmu);
    row("run: a full path is found where it points", "run", {"rom=%D/roms2/other.tap", "roms="},
        {}, "%D/emu/fuse|%D/roms2/other.tap");
    row("run: second path, emulator with a blank", "run", {"rom=other.tap", "default emu=1"}, {},
        "%D/emu dir/x emu|%D/roms2/other.tap");
    row("run: blanks and shell characters stay one argument", "run",
        {"rom=a;b $(x).tap", "roms=%D/my games/"}, {}, "%D/emu/fuse|%D/my games/a;b $(x).tap");
    row("run: nothing selected", "run", {"selected=-99"}, {});
    row("run: the start fails", "run", {"fail"},
        "Can't Run|Unable to start %D/emu/fuse\r\nPermission denied");
    row("with: a bare name is not searched", "with 0", {}, noRom);
    row("music: found in the second path", "music", {"music=other.ay"}, {},
        "%D/player/play|%D/music2/other.ay");
    row("music: details say not playable", "music", {"playable=0"}, {});
    row("music: file deleted since", "music", {"music=gone.ay"}, {});
    row("music: no players at all", "music", {"players=", "default player=-99"}, {});
    row("music: no default player", "music", {"default player=-99"},
        "Can't play music|No default music player");
    row("music: player missing", "music", {"players=%D/player/gone"}, noPlayer);
    // clang-format on
}

void LaunchingTest::launch() {
    QFETCH(QString, operation);
    QFETCH(QStringList, changes);
    QFETCH(QString, box);
    QFETCH(QString, start);
    tolm::test::Scratch dir;
    for (const char* file :
         {"emu/fuse", "emu dir/x emu", "roms/game.tap", "roms2/other.tap", "my games/a;b $(x).tap",
          "music/tune.ay", "music2/other.ay", "player/play"})
        dir.write(QString::fromUtf8(file));
    QHash<QString, QString> set; // the working set-up, then the row's changes
    for (const QString& s : QStringLiteral("selected=0\nrom=game.tap\nmusic=tune.ay\nplayable=1\n"
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
        for (const QString& item : value.isEmpty() ? QStringList() : value.split(QLatin1Char('|')))
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

    const bool started = operation == QLatin1String("run") ? tolm::ui::launchSelectedGame(context)
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
