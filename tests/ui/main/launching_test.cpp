#include <QTest>

#include "main_test_support.h"
#include "ui/main/launching.h"
#include "ui/support/scripted_dialogs.h"

namespace {

std::vector<tolm::ProgramEntry> Programs(const std::vector<std::string>& paths) {
    std::vector<tolm::ProgramEntry> out;
    for (const std::string& p : paths)
        out.push_back({"Program " + std::to_string(out.size()), p});
    return out;
}

QStringList Items(const QString& list) { // "a|b", "" for none
    return list.isEmpty() ? QStringList() : list.split(QLatin1Char('|'));
}

} // namespace

class LaunchingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void launch_data();
    void launch();
};

// Each row changes a working set-up: game 0 selected with "game.tap" and
// "tune.ay"; roms=%D/roms/|%D/roms2/, music=%D/music/|%D/music2/; emulators
// %D/emu/fuse and "%D/emu dir/x emu", default 0; player %D/player/play,
// default 0; the music label offers to play.
void LaunchingTest::launch_data() {
    QTest::addColumn<QString>("operation"); // "run", "with N", "music"
    QTest::addColumn<QStringList>("changes");
    QTest::addColumn<QString>("box");   // "title|text", empty: none
    QTest::addColumn<QString>("start"); // "program|argument", empty: none
    const QString run = QStringLiteral("Can't Run|");
    const QString noEmu = run + QStringLiteral("Unable to find default emulator");
    const QString noRom = run + QStringLiteral("Unable to find selected rom");
    const QString noPlayer =
        QStringLiteral("Can't play music|Unable to locate default music player");
    const QString fuse = QStringLiteral("%D/emu/fuse|");
    const auto row = [](const char* name, const char* op, const QStringList& changes,
                        const QString& box, const QString& start = {}) {
        QTest::newRow(name) << QString::fromLatin1(op) << changes << box << start;
    };
    row("run: found under the first path", "run", {}, {}, fuse + "%D/roms/game.tap");
    row("run: blank name, no default: silent", "run", {"rom=   ", "defemu=-99"}, {});
    row("run: no default emulator", "run", {"defemu=-99"},
        run + "No default emulator has been set");
    row("run: default emulator missing", "run", {"emus=%D/emu/gone"}, noEmu);
    row("run: default beyond the list", "run", {"defemu=5"}, noEmu);
    row("run: negative default other than none", "run", {"defemu=-3"}, noEmu);
    row("run: no rom paths", "run", {"roms="}, noRom);
    row("run: blank first rom path", "run", {"roms=|%D/roms/"}, noRom);
    row("run: a full path is looked up by name", "run", {"rom=%D/roms/game.tap"}, noRom);
    row("run: second path, emulator with a blank", "run", {"rom=other.tap", "defemu=1"}, {},
        "%D/emu dir/x emu|%D/roms2/other.tap");
    row("run: blanks and shell characters stay one argument", "run",
        {"rom=a;b $(x).tap", "roms=%D/my games/"}, {}, fuse + "%D/my games/a;b $(x).tap");
    row("run: nothing selected", "run", {"selected=-99"}, {});
    row("run: selection beyond the catalogue", "run", {"selected=7"}, {});
    row("run: the start fails", "run", {"fail"},
        run + "Unable to start %D/emu/fuse\r\nPermission denied");
    row("with: full path, no default, no rom paths", "with 1",
        {"rom=%D/roms2/other.tap", "roms=", "defemu=-99"}, {},
        "%D/emu dir/x emu|%D/roms2/other.tap");
    row("with: a bare name is not searched", "with 0", {}, noRom);
    row("with: item beyond the list", "with 3", {"rom=%D/roms/game.tap"}, noEmu);
    row("with: emulator missing", "with 0", {"rom=%D/roms/game.tap", "emus=%D/emu/gone"}, noEmu);
    row("with: nothing selected", "with 0", {"rom=%D/roms/game.tap", "selected=-99"}, {});
    row("with: the start fails", "with 0", {"rom=%D/roms/game.tap", "fail"},
        run + "Unable to start %D/emu/fuse\r\nPermission denied");
    row("music: found in the second path", "music", {"music=other.ay"}, {},
        "%D/player/play|%D/music2/other.ay");
    row("music: label says not found", "music", {"label=No Music file found (check paths)"}, {});
    row("music: file deleted since", "music", {"music=gone.ay"}, {});
    row("music: no music paths", "music", {"musicpaths="}, {});
    row("music: no players at all", "music", {"players=", "defplayer=-99"}, {});
    row("music: no default player", "music", {"defplayer=-99"},
        "Can't play music|No default music player");
    row("music: default beyond the list", "music", {"defplayer=4"}, noPlayer);
    row("music: player missing", "music", {"players=%D/player/gone"}, noPlayer);
    row("music: the start fails", "music", {"fail"},
        "Can't play music|Unable to start %D/player/play\r\nPermission denied");
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
        QVERIFY(!dir.write(QString::fromUtf8(file)).isEmpty());
    QHash<QString, QString> set{{"selected", "0"},
                                {"rom", "game.tap"},
                                {"music", "tune.ay"},
                                {"roms", "%D/roms/|%D/roms2/"},
                                {"musicpaths", "%D/music/|%D/music2/"},
                                {"emus", "%D/emu/fuse|%D/emu dir/x emu"},
                                {"defemu", "0"},
                                {"players", "%D/player/play"},
                                {"defplayer", "0"},
                                {"label", tolm::ui::MusicPlayableText()}};
    for (const QString& change : changes)
        set[change.section(QLatin1Char('='), 0, 0)] = change.section(QLatin1Char('='), 1);

    tolm::AppState state;
    tolm::GameRecord game = tolm::test::Game("Game");
    game.RomFile = tolm::ui::toStd(dir.expand(set[QStringLiteral("rom")]));
    game.MusicFile = tolm::ui::toStd(set[QStringLiteral("music")]);
    state.catalogue = {game};
    state.SelectedGame = set[QStringLiteral("selected")].toInt();
    state.settings.RomPaths = dir.expand(Items(set[QStringLiteral("roms")]));
    state.settings.MusicPaths = dir.expand(Items(set[QStringLiteral("musicpaths")]));
    state.settings.EmulatorList = Programs(dir.expand(Items(set[QStringLiteral("emus")])));
    state.settings.DefaultEmulator = set[QStringLiteral("defemu")].toInt();
    state.settings.MusicPlayerList = Programs(dir.expand(Items(set[QStringLiteral("players")])));
    state.settings.DefaultMusicPlayer = set[QStringLiteral("defplayer")].toInt();
    tolm::test::ScriptedDialogs dialogs;
    tolm::test::RecordingLauncher launcher;
    launcher.failNext = set.contains(QStringLiteral("fail"));
    const tolm::ui::LaunchContext context{state, dialogs, launcher, nullptr};

    bool started = false;
    if (operation == QLatin1String("run"))
        started = tolm::ui::RunGame(context);
    else if (operation == QLatin1String("music"))
        started = tolm::ui::PlayMusic(context, set[QStringLiteral("label")]);
    else
        started = tolm::ui::RunWith(context, operation.mid(5).toInt());

    QStringList boxes; // only the first failing check speaks
    for (const auto& shown : dialogs.messages()) {
        boxes << shown.title + QLatin1Char('|') + shown.text;
        QCOMPARE(shown.icon, tolm::test::ScriptedDialogs::Icon::Critical);
    }
    QCOMPARE(boxes, box.isEmpty() ? QStringList() : QStringList{dir.expand(box)});
    QStringList starts;
    for (const auto& s : launcher.starts) // exactly one argument, passed unchanged
        starts << s.program + QLatin1Char('|') + s.arguments.join(QLatin1Char('\n'));
    QCOMPARE(starts, start.isEmpty() ? QStringList() : QStringList{dir.expand(start)});
    QCOMPARE(started, !start.isEmpty());
}

QTEST_MAIN(LaunchingTest)
#include "launching_test.moc"
