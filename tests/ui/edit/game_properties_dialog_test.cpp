#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "state/app_state.h"
#include "ui/edit/edit_test_support.h"
#include "ui/edit/game_properties_dialog.h"

#include "support/scripted_dialogs.h"
#include "ui/main/arrow_pictures.h"
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

using namespace tolm;
using tolm::test::control;
using Dialog = tolm::ui::GamePropertiesDialog;

namespace {

struct Fixture {
    test::Files files;
    AppState state;
    test::ScriptedDialogs dialogs;

    Fixture() {
        GameRecord game;
        game.name = "Manic Miner";
        game.genre = 9;
        game.year = 1983;
        game.publisher = "Bug-Byte";
        game.authors = "Matthew Smith";
        game.notes = "Line one\r\nLine two";
        game.romFile = "Manic.z80";
        game.musicFile = "manic.ay";
        state.catalogue = {GameRecord{}, game};
        state.catalogue[0].name = "Other";
        state.selectedGame = 1;
    }
    GameRecord& game() { return state.catalogue[1]; }
    // A picture file in `dir` (relative), registered as a screenshot path.
    void picture(const QString& dir, const QString& name, const QColor& colour = Qt::red) {
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(colour);
        files.write(dir + QLatin1Char('/'));
        image.save(files.path(dir + QLatin1Char('/') + name), "PNG");
    }
};

QLineEdit* edit(const Dialog& d, const char* name) {
    return control<QLineEdit>(d, name);
}
QPushButton* button(const Dialog& d, const char* name) {
    return control<QPushButton>(d, name);
}
QString caption(const Dialog& d) {
    return control<QLabel>(d, "Label6")->text();
}
// "<" and ">" and Remove, as "<>R" with a "-" for each one disabled.
QString browseState(const Dialog& d) {
    return QString() + (button(d, "cmdBack")->isEnabled() ? QLatin1Char('<') : QLatin1Char('-')) +
           (button(d, "cmdNext")->isEnabled() ? QLatin1Char('>') : QLatin1Char('-')) +
           (button(d, "cmdRemoveSS")->isEnabled() ? QLatin1Char('R') : QLatin1Char('-'));
}
QRgb shownColour(const Dialog& d) {
    return control<ui::PictureBox>(d, "Picture1")->picture().toImage().pixel(128, 96);
}

} // namespace

class GamePropertiesDialogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void loadsTheRecordAndStartsDisabled() {
        Fixture f;
        Dialog d(f.state, f.dialogs);
        QCOMPARE(d.objectName(), QStringLiteral("frmGameProps"));
        QCOMPARE(d.windowTitle(), QStringLiteral("Properties"));
        QCOMPARE(edit(d, "txtGameName")->text(), QStringLiteral("Manic Miner"));
        auto* genres = control<QComboBox>(d, "lstType");
        QCOMPARE(genres->count(), 130);
        QCOMPARE(genres->currentIndex(), 9);
        QCOMPARE(genres->itemText(129), QStringLiteral("Shoot'em Up - [uncategorized]"));
        QCOMPARE(edit(d, "txtYear")->text(), QStringLiteral("1983"));
        QCOMPARE(edit(d, "txtRom")->text(), QStringLiteral("Manic.z80"));
        QCOMPARE(edit(d, "txtMusicFile")->text(), QStringLiteral("manic.ay"));
        QCOMPARE(control<QPlainTextEdit>(d, "txtNotes")->toPlainText(),
                 QStringLiteral("Line one\nLine two"));
        QCOMPARE(caption(d), QStringLiteral("No Screen shots."));
        QCOMPARE(browseState(d), QStringLiteral("---"));
        QVERIFY(button(d, "cmdOK")->isEnabled()); // the name is not empty
        QCOMPARE(button(d, "cmdOK")->text(), QStringLiteral("&OK"));
        QCOMPARE(button(d, "cmdCancel")->text(), QStringLiteral("&Cancel"));

        edit(d, "txtGameName")->clear();
        QVERIFY(!button(d, "cmdOK")->isEnabled());
        QTest::keyClick(edit(d, "txtGameName"), Qt::Key_A);
        QVERIFY(button(d, "cmdOK")->isEnabled());
        f.game().year = -5;
        Dialog noYear(f.state, f.dialogs);
        QCOMPARE(edit(noYear, "txtYear")->text(), QString());
    }

    // Nothing reaches the record before OK; OK writes every field, the year
    // as its leading number; Cancel keeps the record but not the paths.
    void okWritesCancelKeeps_data() {
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("year");
        QTest::addColumn<int>("storedYear");
        QTest::newRow("ok, letters after the year") << true << "1985abc" << 1985;
        QTest::newRow("ok, empty year") << true << "" << 0;
        QTest::newRow("ok, half to even") << true << "1984.5" << 1984;
        QTest::newRow("cancel") << false << "1999" << 1983;
    }
    void okWritesCancelKeeps() {
        QFETCH(bool, ok);
        QFETCH(QString, year);
        QFETCH(int, storedYear);
        Fixture f;
        f.picture(QStringLiteral("pics"), QStringLiteral("shot.png"));
        const GameRecord before = f.game();
        Dialog d(f.state, f.dialogs);
        edit(d, "txtGameName")->setText(QStringLiteral("Manic Miner II"));
        control<QComboBox>(d, "lstType")->setCurrentIndex(11);
        edit(d, "txtYear")->setText(year);
        edit(d, "txtPublisher")->setText(QStringLiteral("Software Projects"));
        control<QPlainTextEdit>(d, "txtAuthors")->setPlainText(QStringLiteral("M. Smith"));
        control<QPlainTextEdit>(d, "txtNotes")->setPlainText(QStringLiteral("New\nnotes"));
        edit(d, "txtRom")->setText(QString::fromStdString(f.files.entry("roms")) + "MM2.tap");
        edit(d, "txtMusicFile")->setText(QString::fromStdString(f.files.entry("tunes")) + "mm.ay");
        f.dialogs.files.push_back(f.files.path(QStringLiteral("pics/shot.png")));
        button(d, "cmdAddSS")->click();
        QCOMPARE(f.game(), before); // nothing yet
        QCOMPARE(f.state.settings.screenshotPaths, std::vector{f.files.entry("pics")});
        QVERIFY(f.state.settings.romPaths.empty());

        button(d, ok ? "cmdOK" : "cmdCancel")->click();
        QCOMPARE(d.result(), ok ? int(QDialog::Accepted) : int(QDialog::Rejected));
        // Add registered its directory at once; Cancel does not undo it.
        QCOMPARE(f.state.settings.screenshotPaths, std::vector{f.files.entry("pics")});
        if (!ok) {
            QCOMPARE(f.game(), before);
            QVERIFY(f.state.settings.romPaths.empty() && f.state.settings.musicPaths.empty());
            return;
        }
        const GameRecord& game = f.game();
        QCOMPARE(game.name, std::string("Manic Miner II"));
        QCOMPARE(game.genre, 11);
        QCOMPARE(game.year, storedYear);
        QCOMPARE(game.publisher, std::string("Software Projects"));
        QCOMPARE(game.authors, std::string("M. Smith"));
        QCOMPARE(game.notes, std::string("New\r\nnotes"));
        QCOMPARE(game.romFile, std::string("MM2.tap"));
        QCOMPARE(game.musicFile, std::string("mm.ay"));
        QCOMPARE(game.screenshots, std::string("shot.png"));
        QCOMPARE(f.state.settings.romPaths, std::vector{f.files.entry("roms")});
        QCOMPARE(f.state.settings.musicPaths, std::vector{f.files.entry("tunes")});
        QCOMPARE(f.state.catalogue[0].name, std::string("Other"));
    }

    void unchangedOkKeepsTheRecordByteForByte() {
        Fixture f;
        f.game().genre = 200; // damaged: outside the table
        const GameRecord before = f.game();
        Dialog d(f.state, f.dialogs);
        QCOMPARE(control<QComboBox>(d, "lstType")->currentIndex(), -1);
        button(d, "cmdOK")->click();
        QCOMPARE(f.game(), before); // genre 200 kept, CR LF notes kept
        Dialog picked(f.state, f.dialogs);
        control<QComboBox>(picked, "lstType")->setCurrentIndex(5);
        button(picked, "cmdOK")->click();
        QCOMPARE(f.game().genre, 5);
    }

    // Browse, add and remove with the caption, the buttons and the picture.
    void screenshotSequence() {
        Fixture f;
        f.picture(QStringLiteral("a"), QStringLiteral("p1.png"), Qt::red);
        f.picture(QStringLiteral("a"), QStringLiteral("p2.png"), Qt::green);
        f.picture(QStringLiteral("b"), QStringLiteral("p3.png"), Qt::blue);
        f.picture(QStringLiteral("b"), QStringLiteral("x.png"), Qt::yellow);
        f.state.settings.screenshotPaths = {f.files.entry("a"), f.files.entry("b")};
        f.game().screenshots = "p1.png,p2.png,p3.png";
        Dialog d(f.state, f.dialogs);
        QCOMPARE(caption(d), QStringLiteral("Screen shot 1 of 3"));
        QCOMPARE(browseState(d), QStringLiteral("->R"));
        QCOMPARE(shownColour(d), QColor(Qt::red).rgb());
        button(d, "cmdNext")->click();
        QCOMPARE(caption(d), QStringLiteral("Screen shot 2 of 3"));
        QCOMPARE(browseState(d), QStringLiteral("<>R"));
        QCOMPARE(shownColour(d), QColor(Qt::green).rgb());
        button(d, "cmdNext")->click();
        QCOMPARE(caption(d), QStringLiteral("Screen shot 3 of 3"));
        QCOMPARE(browseState(d), QStringLiteral("<-R"));
        QCOMPARE(shownColour(d), QColor(Qt::blue).rgb());

        // Removing the middle one shows the one before it.
        button(d, "cmdBack")->click();
        button(d, "cmdRemoveSS")->click();
        QCOMPARE(d.draftScreenshots(), std::string("p1.png,p3.png"));
        QCOMPARE(caption(d), QStringLiteral("Screen shot 1 of 2"));
        // Removing the first shows the next.
        button(d, "cmdRemoveSS")->click();
        QCOMPARE(d.draftScreenshots(), std::string("p3.png"));
        QCOMPARE(browseState(d), QStringLiteral("--R"));

        // A short name is taken (it used to be dropped) and joined with ",".
        f.dialogs.files.push_back(f.files.path(QStringLiteral("b/x.png")));
        button(d, "cmdAddSS")->click();
        QCOMPARE(d.draftScreenshots(), std::string("p3.png,x.png"));
        QCOMPARE(caption(d), QStringLiteral("Screen shot 2 of 2"));
        QCOMPARE(shownColour(d), QColor(Qt::yellow).rgb());
        QCOMPARE(f.dialogs.shown.back().title, QStringLiteral("Locate image"));
        QVERIFY(f.dialogs.shown.back().filter.startsWith(QStringLiteral("All pictures (")));

        // A cancelled pick changes nothing.
        button(d, "cmdAddSS")->click();
        QCOMPARE(d.draftScreenshots(), std::string("p3.png,x.png"));

        button(d, "cmdRemoveSS")->click();
        button(d, "cmdRemoveSS")->click();
        QCOMPARE(d.draftScreenshots(), std::string());
        QCOMPARE(caption(d), QStringLiteral("No Screen shots."));
        QCOMPARE(browseState(d), QStringLiteral("---"));
        QVERIFY(f.dialogs.messages().empty());
    }

    // The list the user built by hand: the joining rule that used to glue
    // names together, and the parts that are not files.
    void screenshotListEdgeCases_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("browseTo");
        QTest::addColumn<QString>("action"); // "add" a file, or "remove"
        QTest::addColumn<QString>("draft");
        QTest::addColumn<QString>("caption");
        QTest::newRow("add after two characters") << "ab" << 0 << "add"
                                                  << "ab,new.png"
                                                  << "Screen shot 2 of 2";
        QTest::newRow("remove keeps the other short names") << "ab,cd,ef" << 2 << "remove"
                                                            << "ab,cd"
                                                            << "Screen shot 2 of 2 (not found)";
        QTest::newRow("remove keeps empty parts") << "a,,b" << 0 << "remove"
                                                  << ",b"
                                                  << "Screen shot 1 of 2 (not found)";
        QTest::newRow("add twice the same file") << "new.png" << 0 << "add"
                                                 << "new.png,new.png"
                                                 << "Screen shot 2 of 2";
    }
    void screenshotListEdgeCases() {
        QFETCH(QString, stored);
        QFETCH(int, browseTo);
        QFETCH(QString, action);
        QFETCH(QString, draft);
        QFETCH(QString, caption);
        Fixture f;
        f.picture(QStringLiteral("s"), QStringLiteral("new.png"));
        f.state.settings.screenshotPaths = {f.files.entry("s")};
        f.game().screenshots = ui::toStd(stored);
        Dialog d(f.state, f.dialogs);
        // A part that is not found can be browsed past and removed.
        for (int i = 0; i < browseTo; ++i)
            button(d, "cmdNext")->click();
        QCOMPARE(d.shownScreenshot(), browseTo);
        if (action == QLatin1String("add")) {
            f.dialogs.files.push_back(f.files.path(QStringLiteral("s/new.png")));
            button(d, "cmdAddSS")->click();
        } else {
            button(d, "cmdRemoveSS")->click();
        }
        QCOMPARE(ui::toQt(d.draftScreenshots()), draft);
        QCOMPARE(::caption(d), caption);
    }

    void refusedScreenshotNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("box");
        QTest::newRow("comma") << "a,b.png"
                               << "Screenshot names cannot contain a comma.";
        QTest::newRow("Polish")
            << QString::fromUtf8("\xC5\x81\xC3\xB3\x64\xC5\xBA.png")
            << " cannot be stored in the catalogue: its name has characters outside Windows-1252.";
    }
    void refusedScreenshotNames() {
        QFETCH(QString, name);
        QFETCH(QString, box);
        Fixture f;
        f.picture(QStringLiteral("s"), name);
        Dialog d(f.state, f.dialogs);
        f.dialogs.files.push_back(f.files.path(QStringLiteral("s/") + name));
        button(d, "cmdAddSS")->click();
        QCOMPARE(d.draftScreenshots(), std::string());
        QVERIFY(f.state.settings.screenshotPaths.empty()); // nothing registered either
        const auto shown = f.dialogs.messages();
        QCOMPARE(shown.size(), std::size_t(1));
        QVERIFY2(shown[0].text.endsWith(box), qPrintable(shown[0].text));
        QCOMPARE(shown[0].icon, ui::UserDialogs::Icon::Critical);
    }

    // Pictures dropped on the screenshot tab are taken as Add takes a picked
    // file: a name the list cannot hold gets its box, the others are added.
    void picturesDroppedOnTheScreenshotTab() {
        Fixture f;
        f.picture(QStringLiteral("s"), QStringLiteral("one.png"));
        f.picture(QStringLiteral("s"), QStringLiteral("a,b.png"));
        f.picture(QStringLiteral("t"), QStringLiteral("two.png"));
        Dialog d(f.state, f.dialogs);
        QWidget* page = control<ui::PictureBox>(d, "Picture1")->parentWidget();
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(f.files.path(QStringLiteral("s/one.png"))),
                      QUrl::fromLocalFile(f.files.path(QStringLiteral("s/a,b.png"))),
                      QUrl::fromLocalFile(f.files.path(QStringLiteral("t/two.png")))});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(page, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(page, &drop);
        QCOMPARE(d.draftScreenshots(), std::string("one.png,two.png"));
        QCOMPARE(f.state.settings.screenshotPaths.size(), std::size_t(2));
        QCOMPARE(f.dialogs.messages().size(), std::size_t(1));
        QCOMPARE(f.dialogs.messages()[0].text,
                 QStringLiteral("Screenshot names cannot contain a comma."));
        QVERIFY(f.game().screenshots.empty()); // nothing reaches the record before OK
    }

    // The pickers start where the stored file lies, preset to its name; the
    // box takes any picked path, and only OK splits it.
    void romAndMusicPickers() {
        Fixture f;
        f.files.write(QStringLiteral("one/"));
        f.files.write(QStringLiteral("two/Manic.z80"));
        f.state.settings.romPaths = {f.files.entry("one"), f.files.entry("two")};
        Dialog d(f.state, f.dialogs);
        edit(d, "txtRom")->setText(QStringLiteral("typed.tap"));
        button(d, "cmdLocate")->click(); // cancelled
        QCOMPARE(edit(d, "txtRom")->text(), QStringLiteral("typed.tap"));
        const auto& asked = f.dialogs.shown.back();
        QCOMPARE(asked.title, QStringLiteral("Select File"));
        QCOMPARE(asked.preset, QStringLiteral("Manic.z80")); // the stored name, not the box
        QCOMPARE(asked.directory, QString::fromStdString(f.files.entry("two")));
        QVERIFY(asked.filter.contains(QStringLiteral("Z80 (*.Z80)|*.Z80")));

        // A short path is a real choice too.
        f.dialogs.files.push_back(QStringLiteral("/a.z"));
        button(d, "cmdLocate")->click();
        QCOMPARE(edit(d, "txtRom")->text(), QStringLiteral("/a.z"));
        f.dialogs.files.push_back(f.files.path(QStringLiteral("TWO/Manic.z80")));
        button(d, "cmdLocate")->click();
        QCOMPARE(edit(d, "txtRom")->text(), f.files.path(QStringLiteral("TWO/Manic.z80")));
        // Music: no search paths, so the platform picks where to start.
        f.dialogs.files.push_back(f.files.path(QStringLiteral("tunes/m.ay")));
        button(d, "cmdFindMusic")->click();
        QCOMPARE(f.dialogs.shown.back().directory, QString());
        QCOMPARE(f.dialogs.shown.back().filter, QStringLiteral("All files (*.*)|*.*"));
        QVERIFY(f.state.settings.romPaths.size() == 2 && f.state.settings.musicPaths.empty());

        button(d, "cmdOK")->click();
        QCOMPARE(f.game().romFile, std::string("Manic.z80"));
        QCOMPARE(f.game().musicFile, std::string("m.ay"));
        // ".../TWO/" is registered already as ".../two/": not added again.
        QCOMPARE(f.state.settings.romPaths,
                 (std::vector{f.files.entry("one"), f.files.entry("two")}));
        QCOMPARE(f.state.settings.musicPaths, std::vector{f.files.entry("tunes")});
    }

    void gameWithoutScreenshotsShowsItsFilesScreen() {
        Fixture f;
        // A 48K snapshot whose screen is all red paper.
        QByteArray snapshot(27 + 49152, '\0');
        snapshot[0] = 0x3F;
        snapshot[24] = char(0xFF);
        snapshot[25] = 1;
        for (int cell = 0; cell < 768; ++cell)
            snapshot[27 + 6144 + cell] = char(2 << 3);
        f.files.write(QStringLiteral("roms/Manic.z80"), QByteArray("not a snapshot"));
        f.files.write(QStringLiteral("roms/game.sna"), snapshot);
        f.state.settings.romPaths = {f.files.entry("roms")};
        f.game().romFile = "game.sna";
        Dialog d(f.state, f.dialogs);
        const auto picture = [&] {
            return control<ui::PictureBox>(d, "Picture1")->picture().toImage();
        };
        QCOMPARE(caption(d), QStringLiteral("No Screen shots."));
        QCOMPARE(shownColour(d), qRgb(0xD7, 0, 0));
        QVERIFY(picture().pixel(4, 186) != qRgb(0xD7, 0, 0)); // the "game file" mark
        // The ROM box leads: a file without a screen shows the placeholder.
        edit(d, "txtRom")->setText(QStringLiteral("Manic.z80"));
        QVERIFY(shownColour(d) != qRgb(0xD7, 0, 0));
        edit(d, "txtRom")->setText(QStringLiteral("game.sna"));
        QCOMPARE(shownColour(d), qRgb(0xD7, 0, 0));
        // Screenshots, once there are any, are what the tab shows.
        f.picture(QStringLiteral("shots"), QStringLiteral("a.png"), Qt::blue);
        f.dialogs.files.push_back(f.files.path(QStringLiteral("shots/a.png")));
        button(d, "cmdAddSS")->click();
        QCOMPARE(shownColour(d), QColor(Qt::blue).rgb());
    }

    void unstorablePickIsRefused() {
        Fixture f;
        Dialog d(f.state, f.dialogs);
        f.dialogs.files.push_back(QString::fromUtf8("/gry/\xD0\x98\xD0\xB3\xD1\x80\xD0\xB0.z80"));
        button(d, "cmdLocate")->click();
        QCOMPARE(edit(d, "txtRom")->text(), QStringLiteral("Manic.z80"));
        QCOMPARE(f.dialogs.messages().size(), std::size_t(1));
        QCOMPARE(f.dialogs.messages()[0].title, QStringLiteral("Unable to use file"));
    }
};

QTEST_MAIN(GamePropertiesDialogTest)
#include "game_properties_dialog_test.moc"
