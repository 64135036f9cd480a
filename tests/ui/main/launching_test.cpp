#include <QTest>

#include "catalogue/app_state.h"
#include "main_test_support.h"
#include "ui/main/launching.h"
#include "ui/support/scripted_dialogs.h"

using tolm::AppState;
using tolm::ProgramEntry;
using tolm::test::RecordingLauncher;
using tolm::test::Scratch;
using tolm::test::ScriptedDialogs;
using tolm::ui::LaunchContext;

namespace {

std::vector<std::string> Strings(const QStringList& list) {
    std::vector<std::string> out;
    for (const QString& s : list)
        out.push_back(tolm::ui::toStd(s));
    return out;
}

std::vector<ProgramEntry> Programs(const QStringList& paths) {
    std::vector<ProgramEntry> out;
    for (const QString& p : paths)
        out.push_back({"Program " + std::to_string(out.size()), tolm::ui::toStd(p)});
    return out;
}

} // namespace

class LaunchingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void launch_data();
    void launch();
};

// Files present in every case: %D/emu/fuse, %D/emu dir/x emu, %D/roms/game.tap,
// %D/roms2/other.tap, "%D/my games/a;b $(x).tap", %D/music/tune.ay,
// %D/music2/other.ay, %D/player/play.
void LaunchingTest::launch_data() {
    QTest::addColumn<QString>("operation"); // "run", "with N", "music"
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("romFile");
    QTest::addColumn<QString>("musicFile");
    QTest::addColumn<QStringList>("romPaths");
    QTest::addColumn<QStringList>("musicPaths");
    QTest::addColumn<QStringList>("emulators");
    QTest::addColumn<int>("defaultEmulator");
    QTest::addColumn<QStringList>("players");
    QTest::addColumn<int>("defaultPlayer");
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("startFails");
    QTest::addColumn<QString>("title");   // expected box; empty: none
    QTest::addColumn<QString>("text");    // the box's text starts with this
    QTest::addColumn<QString>("program"); // expected start; empty: none
    QTest::addColumn<QString>("argument");

    const QStringList roms{QStringLiteral("%D/roms/"), QStringLiteral("%D/roms2/")};
    const QStringList music{QStringLiteral("%D/music/"), QStringLiteral("%D/music2/")};
    const QStringList emus{QStringLiteral("%D/emu/fuse"), QStringLiteral("%D/emu dir/x emu")};
    const QStringList players{QStringLiteral("%D/player/play")};
    const QString yes = QStringLiteral("Yes (click to play)");
    const QString run = QStringLiteral("Can't Run");
    const QString play = QStringLiteral("Can't play music");
    const QString none;

    auto row = [](const char* name) -> QTestData& { return QTest::newRow(name); };
    // RunGame
    row("run: blank rom name, no default: nothing")
        << "run" << 0 << "   "
        << "" << roms << music << emus << -99 << players << 0 << yes << false << none << none
        << none << none;
    row("run: no default emulator")
        << "run" << 0 << "game.tap"
        << "" << roms << music << emus << -99 << players << 0 << yes << false << run
        << "No default emulator has been set" << none << none;
    row("run: default emulator's file missing")
        << "run" << 0 << "game.tap"
        << "" << roms << music << QStringList{QStringLiteral("%D/emu/gone")} << 0 << players << 0
        << yes << false << run << "Unable to find default emulator" << none << none;
    row("run: default beyond the list")
        << "run" << 0 << "game.tap"
        << "" << roms << music << emus << 5 << players << 0 << yes << false << run
        << "Unable to find default emulator" << none << none;
    row("run: negative default other than none")
        << "run" << 0 << "game.tap"
        << "" << roms << music << emus << -3 << players << 0 << yes << false << run
        << "Unable to find default emulator" << none << none;
    row("run: no rom paths") << "run" << 0 << "game.tap"
                             << "" << QStringList{} << music << emus << 0 << players << 0 << yes
                             << false << run << "Unable to find selected rom" << none << none;
    row("run: blank first rom path hides the rest")
        << "run" << 0 << "game.tap"
        << "" << QStringList{QString(), QStringLiteral("%D/roms/")} << music << emus << 0 << players
        << 0 << yes << false << run << "Unable to find selected rom" << none << none;
    row("run: full path is not looked for where it points")
        << "run" << 0 << "%D/roms/game.tap"
        << "" << roms << music << emus << 0 << players << 0 << yes << false << run
        << "Unable to find selected rom" << none << none;
    row("run: rom under the first path") << "run" << 0 << "game.tap"
                                         << "" << roms << music << emus << 0 << players << 0 << yes
                                         << false << none << none << "%D/emu/fuse"
                                         << "%D/roms/game.tap";
    row("run: rom under the second path, emulator path with a blank")
        << "run" << 0 << "other.tap"
        << "" << roms << music << emus << 1 << players << 0 << yes << false << none << none
        << "%D/emu dir/x emu"
        << "%D/roms2/other.tap";
    row("run: blanks and shell characters stay one argument")
        << "run" << 0 << "a;b $(x).tap"
        << "" << QStringList{QStringLiteral("%D/my games/")} << music << emus << 0 << players << 0
        << yes << false << none << none << "%D/emu/fuse"
        << "%D/my games/a;b $(x).tap";
    row("run: nothing selected") << "run" << -99 << "game.tap"
                                 << "" << roms << music << emus << 0 << players << 0 << yes << false
                                 << none << none << none << none;
    row("run: selection beyond the catalogue") << "run" << 7 << "game.tap"
                                               << "" << roms << music << emus << 0 << players << 0
                                               << yes << false << none << none << none << none;
    row("run: the start fails") << "run" << 0 << "game.tap"
                                << "" << roms << music << emus << 0 << players << 0 << yes << true
                                << run << "Unable to start %D/emu/fuse\r\nPermission denied" << none
                                << none;

    // RunWith
    row("with: full path, no default set")
        << "with 1" << 0 << "%D/roms2/other.tap"
        << "" << QStringList{} << music << emus << -99 << players << 0 << yes << false << none
        << none << "%D/emu dir/x emu"
        << "%D/roms2/other.tap";
    row("with: bare name is not searched")
        << "with 0" << 0 << "game.tap"
        << "" << roms << music << emus << 0 << players << 0 << yes << false << run
        << "Unable to find selected rom" << none << none;
    row("with: item beyond the list")
        << "with 3" << 0 << "%D/roms/game.tap"
        << "" << roms << music << emus << 0 << players << 0 << yes << false << run
        << "Unable to find default emulator" << none << none;
    row("with: emulator's file missing")
        << "with 0" << 0 << "%D/roms/game.tap"
        << "" << roms << music << QStringList{QStringLiteral("%D/emu/gone")} << 0 << players << 0
        << yes << false << run << "Unable to find default emulator" << none << none;
    row("with: nothing selected") << "with 0" << -99 << "%D/roms/game.tap"
                                  << "" << roms << music << emus << 0 << players << 0 << yes
                                  << false << none << none << none << none;
    row("with: the start fails") << "with 0" << 0 << "%D/roms/game.tap"
                                 << "" << roms << music << emus << 0 << players << 0 << yes << true
                                 << run << "Unable to start %D/emu/fuse" << none << none;

    // PlayMusic
    row("music: found in the second path") << "music" << 0 << ""
                                           << "other.ay" << roms << music << emus << 0 << players
                                           << 0 << yes << false << none << none << "%D/player/play"
                                           << "%D/music2/other.ay";
    row("music: label says not found")
        << "music" << 0 << ""
        << "tune.ay" << roms << music << emus << 0 << players << 0
        << "No Music file found (check paths)" << false << none << none << none << none;
    row("music: file deleted since") << "music" << 0 << ""
                                     << "gone.ay" << roms << music << emus << 0 << players << 0
                                     << yes << false << none << none << none << none;
    row("music: no players at all") << "music" << 0 << ""
                                    << "tune.ay" << roms << music << emus << 0 << QStringList{}
                                    << -99 << yes << false << none << none << none << none;
    row("music: players but no default")
        << "music" << 0 << ""
        << "tune.ay" << roms << music << emus << 0 << players << -99 << yes << false << play
        << "No default music player" << none << none;
    row("music: default beyond the list")
        << "music" << 0 << ""
        << "tune.ay" << roms << music << emus << 0 << players << 4 << yes << false << play
        << "Unable to locate default music player" << none << none;
    row("music: player's file missing")
        << "music" << 0 << ""
        << "tune.ay" << roms << music << emus << 0 << QStringList{QStringLiteral("%D/player/gone")}
        << 0 << yes << false << play << "Unable to locate default music player" << none << none;
    row("music: no music paths") << "music" << 0 << ""
                                 << "tune.ay" << QStringList{} << QStringList{} << emus << 0
                                 << players << 0 << yes << false << none << none << none << none;
    row("music: the start fails") << "music" << 0 << ""
                                  << "tune.ay" << roms << music << emus << 0 << players << 0 << yes
                                  << true << play << "Unable to start %D/player/play" << none
                                  << none;
}

void LaunchingTest::launch() {
    QFETCH(QString, operation);
    QFETCH(int, selected);
    QFETCH(QString, romFile);
    QFETCH(QString, musicFile);
    QFETCH(QStringList, romPaths);
    QFETCH(QStringList, musicPaths);
    QFETCH(QStringList, emulators);
    QFETCH(int, defaultEmulator);
    QFETCH(QStringList, players);
    QFETCH(int, defaultPlayer);
    QFETCH(QString, label);
    QFETCH(bool, startFails);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(QString, program);
    QFETCH(QString, argument);

    Scratch dir;
    for (const char* file :
         {"emu/fuse", "emu dir/x emu", "roms/game.tap", "roms2/other.tap", "my games/a;b $(x).tap",
          "music/tune.ay", "music2/other.ay", "player/play"})
        QVERIFY(!dir.write(QString::fromUtf8(file)).isEmpty());

    AppState state;
    tolm::GameRecord game = tolm::test::Game("Game");
    game.RomFile = tolm::ui::toStd(dir.expand(romFile));
    game.MusicFile = tolm::ui::toStd(musicFile);
    state.catalogue = {game};
    state.SelectedGame = selected;
    state.settings.RomPaths = Strings(dir.expand(romPaths));
    state.settings.MusicPaths = Strings(dir.expand(musicPaths));
    state.settings.EmulatorList = Programs(dir.expand(emulators));
    state.settings.DefaultEmulator = defaultEmulator;
    state.settings.MusicPlayerList = Programs(dir.expand(players));
    state.settings.DefaultMusicPlayer = defaultPlayer;

    ScriptedDialogs dialogs;
    RecordingLauncher launcher;
    launcher.failNext = startFails;
    const LaunchContext context{state, dialogs, launcher, nullptr};

    bool started = false;
    if (operation == QLatin1String("run"))
        started = tolm::ui::RunGame(context);
    else if (operation == QLatin1String("music"))
        started = tolm::ui::PlayMusic(context, label);
    else
        started = tolm::ui::RunWith(context, operation.mid(5).toInt());

    const auto boxes = dialogs.messages();
    if (title.isEmpty()) {
        QCOMPARE(boxes.size(), std::size_t(0));
    } else {
        QCOMPARE(boxes.size(), std::size_t(1)); // only the first failing check speaks
        QCOMPARE(boxes[0].title, title);
        QVERIFY2(boxes[0].text.startsWith(dir.expand(text)), qPrintable(boxes[0].text));
        QCOMPARE(boxes[0].icon, ScriptedDialogs::Icon::Critical);
        QCOMPARE(boxes[0].buttons, ScriptedDialogs::Buttons::Ok);
    }
    if (program.isEmpty()) {
        QCOMPARE(launcher.starts.size(), std::size_t(0));
        QVERIFY(!started);
    } else {
        QCOMPARE(launcher.starts.size(), std::size_t(1));
        QCOMPARE(launcher.starts[0].program, dir.expand(program));
        QCOMPARE(launcher.starts[0].arguments, QStringList{dir.expand(argument)});
        QVERIFY(started);
    }
    QCOMPARE(state.SelectedGame, selected); // nothing changes the state
}

QTEST_MAIN(LaunchingTest)
#include "launching_test.moc"
