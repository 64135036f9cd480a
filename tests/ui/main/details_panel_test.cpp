#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

#include "main_test_support.h"
#include "ui/main/details_panel.h"

using tolm::test::Scratch;
using tolm::ui::DescribeGame;
using tolm::ui::DetailsPanel;
using tolm::ui::GameDetails;

namespace {

std::vector<std::string> Strings(const QStringList& list) {
    std::vector<std::string> out;
    for (const QString& s : list)
        out.push_back(tolm::ui::toStd(s));
    return out;
}

} // namespace

class DetailsPanelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void describe_data();
    void describe();
    void fieldsAsStored();
    void panelShowsAndClears();
    void labelPlacesAndColour();
    void musicLabelReportsRelease();
};

// Present: %D/roms/game.tap, %D/music2/tune.ay.
void DetailsPanelTest::describe_data() {
    QTest::addColumn<QString>("romFile");
    QTest::addColumn<QStringList>("romPaths");
    QTest::addColumn<QString>("musicFile");
    QTest::addColumn<QStringList>("musicPaths");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("genre");
    QTest::addColumn<QString>("romFound");
    QTest::addColumn<QString>("hasMusic");
    QTest::addColumn<QString>("yearText");
    QTest::addColumn<QString>("type");

    const QStringList roms{QStringLiteral("%D/roms/")};
    const QStringList music{QStringLiteral("%D/music/"), QStringLiteral("%D/music2/")};
    const QString yes = QStringLiteral("Yes");
    const QString noMusic = QStringLiteral("No Music file");
    const QString arcade = QStringLiteral("Arcade - Beat'em Up");

    QTest::newRow("rom found, music in the second path")
        << "game.tap" << roms << "tune.ay" << music << 1984 << 0 << yes << "Yes (click to play)"
        << "1984" << arcade;
    QTest::newRow("blank rom name")
        << "" << roms << "" << music << 1984 << 0 << "No rom" << noMusic << "1984" << arcade;
    QTest::newRow("rom name of blanks is not looked up")
        << "   " << roms << " \t " << music << 1 << 0 << "No rom" << noMusic << "1" << arcade;
    QTest::newRow("no rom paths") << "game.tap" << QStringList{} << "" << music << 1984 << 0
                                  << "No rom found (check paths)" << noMusic << "1984" << arcade;
    QTest::newRow("rom not under any path")
        << "other.tap" << roms << "" << music << 1984 << 0 << "No rom found (check paths)"
        << noMusic << "1984" << arcade;
    QTest::newRow("music paths empty") << "game.tap" << roms << "tune.ay" << QStringList{} << 1984
                                       << 0 << yes << "No Music file found (check paths)"
                                       << "1984" << arcade;
    QTest::newRow("music only in the first path's sibling")
        << "game.tap" << roms << "tune.ay" << QStringList{QStringLiteral("%D/music/")} << 1984 << 0
        << yes << "No Music file found (check paths)"
        << "1984" << arcade;
    QTest::newRow("year 0 is empty")
        << "" << roms << "" << music << 0 << 0 << "No rom" << noMusic << "" << arcade;
    QTest::newRow("negative year is empty")
        << "" << roms << "" << music << -5 << 0 << "No rom" << noMusic << "" << arcade;
    QTest::newRow("last genre") << "" << roms << "" << music << 1984 << 129 << "No rom" << noMusic
                                << "1984"
                                << "Shoot'em Up - [uncategorized]";
    QTest::newRow("genre beyond the table")
        << "" << roms << "" << music << 1984 << 130 << "No rom" << noMusic << "1984"
        << "";
    QTest::newRow("negative genre")
        << "" << roms << "" << music << 1984 << -1 << "No rom" << noMusic << "1984"
        << "";
}

void DetailsPanelTest::describe() {
    QFETCH(QString, romFile);
    QFETCH(QStringList, romPaths);
    QFETCH(QString, musicFile);
    QFETCH(QStringList, musicPaths);
    QFETCH(int, year);
    QFETCH(int, genre);
    QFETCH(QString, romFound);
    QFETCH(QString, hasMusic);
    QFETCH(QString, yearText);
    QFETCH(QString, type);

    Scratch dir;
    dir.write(QStringLiteral("roms/game.tap"));
    dir.write(QStringLiteral("music2/tune.ay"));
    dir.write(QStringLiteral("music/other.ay"));

    tolm::GameRecord game = tolm::test::Game("Jet Set Willy");
    game.RomFile = tolm::ui::toStd(romFile);
    game.MusicFile = tolm::ui::toStd(musicFile);
    game.Year = year;
    game.Genre = genre;
    tolm::SettingsState settings;
    settings.RomPaths = Strings(dir.expand(romPaths));
    settings.MusicPaths = Strings(dir.expand(musicPaths));

    const GameDetails details = DescribeGame(game, settings);
    QCOMPARE(details.romFound, romFound);
    QCOMPARE(details.hasMusic, hasMusic);
    QCOMPARE(details.year, yearText);
    QCOMPARE(details.type, type);
    QCOMPARE(details.romName, romFile); // as stored, blanks and all
}

void DetailsPanelTest::fieldsAsStored() {
    tolm::GameRecord game;
    game.Name = "Héroes";
    game.Publisher = "Ocean";
    game.Authors = "Jon Ritman, Bernie Drummond";
    game.Notes = "line one\r\nline two";
    game.Genre = 94;
    const GameDetails d = DescribeGame(game, {});
    QCOMPARE(d.name, QStringLiteral("Héroes"));
    QCOMPARE(d.publisher, QStringLiteral("Ocean"));
    QCOMPARE(d.authors, QStringLiteral("Jon Ritman, Bernie Drummond"));
    QCOMPARE(d.notes, QStringLiteral("line one\r\nline two"));
    QCOMPARE(d.type, QStringLiteral("Miscellaneous - Demo"));
}

void DetailsPanelTest::panelShowsAndClears() {
    DetailsPanel panel;
    GameDetails d{
        QStringLiteral("n"),     QStringLiteral("t"),   QStringLiteral("1984"),
        QStringLiteral("p"),     QStringLiteral("a"),   QStringLiteral("notes"),
        QStringLiteral("r.tap"), QStringLiteral("Yes"), QStringLiteral("Yes (click to play)")};
    panel.showDetails(d);
    const std::pair<const char*, QString> expected[] = {
        {"lblGameName", d.name},     {"lblType", d.type},        {"lblYear", d.year},
        {"lblPub", d.publisher},     {"lblAuthors", d.authors},  {"lblRomName", d.romName},
        {"lblRomFound", d.romFound}, {"lblHasMusic", d.hasMusic}};
    for (const auto& [name, text] : expected) {
        auto* label = panel.findChild<QLabel*>(QString::fromLatin1(name));
        QVERIFY2(label, name);
        QCOMPARE(label->text(), text);
    }
    QCOMPARE(panel.findChild<QPlainTextEdit*>(QStringLiteral("txtNotes"))->toPlainText(), d.notes);
    QCOMPARE(panel.musicText(), d.hasMusic);
    panel.clear();
    for (const auto& [name, text] : expected)
        QVERIFY(panel.findChild<QLabel*>(QString::fromLatin1(name))->text().isEmpty());
}

void DetailsPanelTest::labelPlacesAndColour() {
    DetailsPanel panel;
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QCOMPARE(panel.size(), QSize(587, 113));
    QCOMPARE(panel.tabText(0), QStringLiteral("Game Details"));
    QCOMPARE(panel.tabText(1), QStringLiteral("Notes"));
    // Row tops from the tab control's top; captions at 8 and 272 from its left.
    const std::tuple<const char*, const char*, int, int> places[] = {
        {"capGameName", "Game Name", 8, 32},
        {"capYear", "Year Published", 272, 32},
        {"capPub", "Publisher", 8, 48},
        {"capAuthors", "Author(s)", 272, 48},
        {"capRomName", "Rom Name", 8, 64},
        {"capRomFound", "Playable?", 272, 64},
        {"capHasMusic", "Has Music File?", 8, 80},
        {"capType", "Game Type", 272, 80}};
    for (const auto& [name, caption, x, y] : places) {
        auto* label = panel.findChild<QLabel*>(QString::fromLatin1(name));
        QVERIFY2(label, name);
        QCOMPARE(label->text(), QString::fromUtf8(caption));
        QCOMPARE(label->mapTo(&panel, QPoint(0, 0)), QPoint(x, y));
    }
    for (const char* name : {"lblGameName", "lblYear", "lblPub", "lblAuthors", "lblRomName",
                             "lblRomFound", "lblHasMusic", "lblType"}) {
        auto* label = panel.findChild<QLabel*>(QString::fromLatin1(name));
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    }
}

void DetailsPanelTest::musicLabelReportsRelease() {
    DetailsPanel panel;
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    int released = 0;
    connect(&panel, &DetailsPanel::musicLabelReleased, this, [&] { ++released; });
    auto* label = panel.findChild<QLabel*>(QStringLiteral("lblHasMusic"));
    QTest::mouseClick(label, Qt::LeftButton);
    QTest::mouseClick(label, Qt::RightButton);
    QCOMPARE(released, 2);
    QTest::mouseClick(panel.findChild<QLabel*>(QStringLiteral("lblType")), Qt::LeftButton);
    QCOMPARE(released, 2);
}

QTEST_MAIN(DetailsPanelTest)
#include "details_panel_test.moc"
