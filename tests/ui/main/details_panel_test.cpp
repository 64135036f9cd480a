#include <QTest>

#include "main_test_support.h"
#include "ui/main/details_panel.h"

class DetailsPanelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Present: %D/roms/game.tap, %D/music/other.ay, %D/music2/tune.ay.
    void describe_data() {
        QTest::addColumn<QString>("romFile");
        QTest::addColumn<QString>("romPaths");   // "|" between entries
        QTest::addColumn<QString>("musicPaths"); // the game's music is tune.ay
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("genre");
        QTest::addColumn<QString>("expected"); // romFound|hasMusic|year|type
        const QString roms = QStringLiteral("%D/roms/");
        const QString music = QStringLiteral("%D/music/|%D/music2/");
        QTest::newRow("music only in the second path")
            << "game.tap" << roms << music << 1984 << 0
            << "Yes|Yes (click to play)|1984|Arcade - Beat'em Up";
        QTest::newRow("blank rom name") << "" << roms << music << 1 << 1
                                        << "No rom|Yes (click to play)|1|Arcade - Boulder Dash";
        QTest::newRow("rom name of blanks") << "  " << roms << music << 1 << 1
                                            << "No rom|Yes (click to play)|1|Arcade - Boulder Dash";
        QTest::newRow("no rom paths") << "game.tap"
                                      << "" << music << 1 << 1
                                      << "No rom found (check paths)|Yes (click to play)|1|"
                                         "Arcade - Boulder Dash";
        QTest::newRow("no music paths, year 0")
            << "game.tap" << roms << "" << 0 << 1
            << "Yes|No Music file found (check paths)||Arcade - Boulder Dash";
        QTest::newRow("music under a sibling only, negative year")
            << "game.tap" << roms << "%D/music/" << -5 << 1
            << "Yes|No Music file found (check paths)||Arcade - Boulder Dash";
        QTest::newRow("last genre") << "game.tap" << roms << music << 1 << 129
                                    << "Yes|Yes (click to play)|1|Shoot'em Up - [uncategorized]";
        QTest::newRow("genre beyond the table")
            << "game.tap" << roms << music << 1 << 130 << "Yes|Yes (click to play)|1|";
        QTest::newRow("negative genre")
            << "game.tap" << roms << music << 1 << -1 << "Yes|Yes (click to play)|1|";
    }

    void describe() {
        QFETCH(QString, romFile);
        QFETCH(QString, romPaths);
        QFETCH(QString, musicPaths);
        QFETCH(int, year);
        QFETCH(int, genre);
        QFETCH(QString, expected);
        tolm::test::Scratch dir;
        for (const char* file : {"roms/game.tap", "music/other.ay", "music2/tune.ay"})
            dir.write(QString::fromLatin1(file));
        tolm::GameRecord game = tolm::test::Game("Jet Set Willy");
        game.RomFile = tolm::ui::toStd(romFile);
        game.MusicFile = "tune.ay";
        game.Year = year;
        game.Genre = genre;
        tolm::SettingsState settings;
        settings.RomPaths = dir.expand(romPaths.split(QLatin1Char('|'), Qt::SkipEmptyParts));
        settings.MusicPaths = dir.expand(musicPaths.split(QLatin1Char('|'), Qt::SkipEmptyParts));
        const tolm::ui::GameDetails d = tolm::ui::DescribeGame(game, settings);
        QCOMPARE((QStringList{d.romFound, d.hasMusic, d.year, d.type}).join(QLatin1Char('|')),
                 expected);
        QCOMPARE(d.romName, romFile); // as stored, blanks and all
    }
};

QTEST_MAIN(DetailsPanelTest)
#include "details_panel_test.moc"
