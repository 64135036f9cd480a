#include <QLabel>
#include <QTest>

#include "main_test_support.h"
#include "ui/main/details_panel.h"

class DetailsPanelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void describe_data();
    void describe();
    void panelShowsAndClears();
};

// Present: %D/roms/game.tap, %D/music/other.ay, %D/music2/tune.ay.
void DetailsPanelTest::describe_data() {
    QTest::addColumn<QString>("romFile");
    QTest::addColumn<QStringList>("romPaths");
    QTest::addColumn<QStringList>("musicPaths");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("genre");
    QTest::addColumn<QStringList>("expected"); // romFound, hasMusic, year, type
    const QStringList roms{QStringLiteral("%D/roms/")};
    const QStringList music{QStringLiteral("%D/music/"), QStringLiteral("%D/music2/")};
    const QString notFound = QStringLiteral("No Music file found (check paths)");
    const QString arcade = QStringLiteral("Arcade - Beat'em Up");
    QTest::newRow("music only in the second path")
        << "game.tap" << roms << music << 1984 << 0
        << QStringList{"Yes", "Yes (click to play)", "1984", arcade};
    QTest::newRow("blank rom name") << "" << roms << music << 1 << 0
                                    << QStringList{"No rom", "Yes (click to play)", "1", arcade};
    QTest::newRow("rom name of blanks")
        << "  " << roms << music << 1 << 0
        << QStringList{"No rom", "Yes (click to play)", "1", arcade};
    QTest::newRow("no rom paths") << "game.tap" << QStringList() << music << 1 << 0
                                  << QStringList{"No rom found (check paths)",
                                                 "Yes (click to play)", "1", arcade};
    QTest::newRow("no music paths, year 0") << "game.tap" << roms << QStringList() << 0 << 0
                                            << QStringList{"Yes", notFound, "", arcade};
    QTest::newRow("music under a sibling only, negative year")
        << "game.tap" << roms << QStringList{QStringLiteral("%D/music/")} << -5 << 0
        << QStringList{"Yes", notFound, "", arcade};
    QTest::newRow("last genre") << "game.tap" << roms << music << 1 << 129
                                << QStringList{"Yes", "Yes (click to play)", "1",
                                               "Shoot'em Up - [uncategorized]"};
    QTest::newRow("genre beyond the table") << "game.tap" << roms << music << 1 << 130
                                            << QStringList{"Yes", "Yes (click to play)", "1", ""};
    QTest::newRow("negative genre") << "game.tap" << roms << music << 1 << -1
                                    << QStringList{"Yes", "Yes (click to play)", "1", ""};
}

void DetailsPanelTest::describe() {
    QFETCH(QString, romFile);
    QFETCH(QStringList, romPaths);
    QFETCH(QStringList, musicPaths);
    QFETCH(int, year);
    QFETCH(int, genre);
    QFETCH(QStringList, expected);
    tolm::test::Scratch dir;
    for (const char* file : {"roms/game.tap", "music/other.ay", "music2/tune.ay"})
        dir.write(QString::fromLatin1(file));
    tolm::GameRecord game = tolm::test::Game("Jet Set Willy");
    game.RomFile = tolm::ui::toStd(romFile);
    game.MusicFile = "tune.ay";
    game.Year = year;
    game.Genre = genre;
    tolm::SettingsState settings;
    settings.RomPaths = dir.expand(romPaths);
    settings.MusicPaths = dir.expand(musicPaths);
    const tolm::ui::GameDetails d = tolm::ui::DescribeGame(game, settings);
    QCOMPARE((QStringList{d.romFound, d.hasMusic, d.year, d.type}), expected);
    QCOMPARE(d.romName, romFile); // as stored, blanks and all
}

void DetailsPanelTest::panelShowsAndClears() {
    tolm::ui::DetailsPanel panel;
    const tolm::ui::GameDetails d{"n", "t", "1984", "p", "a", "notes", "r.tap", "Yes", "m"};
    panel.showDetails(d);
    const std::pair<const char*, QString> shown[] = {
        {"lblGameName", d.name},     {"lblType", d.type},        {"lblYear", d.year},
        {"lblPub", d.publisher},     {"lblAuthors", d.authors},  {"lblRomName", d.romName},
        {"lblRomFound", d.romFound}, {"lblHasMusic", d.hasMusic}};
    for (const auto& [name, text] : shown)
        QCOMPARE(panel.findChild<QLabel*>(QLatin1String(name))->text(), text);
    panel.clear();
    for (const auto& [name, text] : shown)
        QVERIFY2(panel.findChild<QLabel*>(QLatin1String(name))->text().isEmpty(), name);
}

QTEST_MAIN(DetailsPanelTest)
#include "details_panel_test.moc"
