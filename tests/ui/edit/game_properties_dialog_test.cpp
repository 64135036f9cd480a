#include <QtWidgets>
#include <string_view>

#include "support/scripted_dialogs.h"
#include "support/window_fixtures.h"
#include "ui/edit/game_properties_dialog.h"
#include "ui/widgets/arrow_pictures.h"

using namespace tolm;
using tolm::test::control;
using Dialog = tolm::ui::GamePropertiesDialog;
using Paths = std::vector<std::string>;

namespace {

// Manic Miner, the second record, selected; pictures in two screenshot
// directories: a/p1.png red, a/p2.png green, b/p3.png blue, b/x.png yellow.
struct Fixture {
    test::Scratch files;
    AppState state;
    test::ScriptedDialogs dialogs;

    Fixture() {
        // Name, genre, screenshots, year, notes, file, publisher, authors, music.
        state.catalogue = {test::makeGame("Other"),
                           {"Manic Miner", 9, "", 1983, "Line one\r\nLine two", "Manic.z80",
                            "Bug-Byte", "Matthew Smith", "manic.ay"}};
        state.selectedGame = 1;
        picture(QStringLiteral("a/p1.png"), "red");
        picture(QStringLiteral("a/p2.png"), "green");
        picture(QStringLiteral("b/p3.png"), "blue");
        picture(QStringLiteral("b/x.png"), "yellow");
    }
    GameRecord& game() { return state.catalogue[1]; }
    void picture(const QString& relative, const char* colour = "black") const {
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(QColor(QLatin1String(colour)));
        image.save(files.write(relative), "PNG");
    }
    std::string entry(const char* relative) const { return files.entry(QLatin1String(relative)); }
};

QLineEdit* edit(const Dialog& d, const char* name) {
    return control<QLineEdit>(d, name);
}
void click(const Dialog& d, const char* name) {
    control<QPushButton>(d, name)->click();
}
// The screenshot tab as seen: caption; "<", ">" and Remove ("R"), each "-"
// when disabled; and the colour of the picture ("-" for none of the four).
QString look(const Dialog& d) {
    QString buttons;
    for (const auto& [name, mark] :
         {std::pair{"cmdBack", '<'}, {"cmdNext", '>'}, {"cmdRemoveSS", 'R'}})
        buttons += control<QPushButton>(d, name)->isEnabled() ? mark : '-';
    const QRgb shown =
        control<ui::PictureBox>(d, Dialog::kScreenshotPicture)->picture().toImage().pixel(128, 96);
    QString colour = QStringLiteral("-");
    for (const char* name : {"red", "green", "blue", "yellow"})
        if (QColor(QLatin1String(name)).rgb() == shown)
            colour = QLatin1String(name);
    return control<QLabel>(d, Dialog::kScreenshotCaption)->text() + ' ' + buttons + ' ' + colour;
}

} // namespace

class GamePropertiesDialogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Nothing reaches the record before OK; OK writes every field; Cancel
    // keeps the record but not the paths Add registered.
    void okWritesCancelKeeps() {
        for (const bool ok : {true, false}) {
            Fixture f;
            const GameRecord before = f.game();
            Dialog d(f.state, f.dialogs);
            edit(d, "txtGameName")->setText(QStringLiteral("Manic Miner II"));
            control<QComboBox>(d, "lstType")->setCurrentIndex(11);
            edit(d, "txtYear")->setText(QStringLiteral("1985abc"));
            edit(d, "txtPublisher")->setText(QStringLiteral("Software Projects"));
            control<QPlainTextEdit>(d, "txtAuthors")->setPlainText(QStringLiteral("M. Smith"));
            control<QPlainTextEdit>(d, "txtNotes")->setPlainText(QStringLiteral("New\nnotes"));
            edit(d, "txtRom")->setText(f.files.path(QStringLiteral("roms/MM2.tap")));
            edit(d, "txtMusicFile")->setText(f.files.path(QStringLiteral("tunes/mm.ay")));
            f.dialogs.files.push_back(f.files.path(QStringLiteral("a/p1.png")));
            click(d, "cmdAddSS");
            QCOMPARE(f.game(), before); // nothing yet
            QVERIFY(f.state.settings.romPaths.empty());

            click(d, ok ? "cmdOK" : "cmdCancel");
            QCOMPARE(f.state.settings.screenshotPaths, Paths{f.entry("a")});
            QCOMPARE(f.state.settings.romPaths, ok ? Paths{f.entry("roms")} : Paths{});
            QCOMPARE(f.state.settings.musicPaths, ok ? Paths{f.entry("tunes")} : Paths{});
            const GameRecord edited{
                "Manic Miner II",    11,         "p1.png", 1985, "New\r\nnotes", "MM2.tap",
                "Software Projects", "M. Smith", "mm.ay"};
            QCOMPARE(f.game(), ok ? edited : before);
            QCOMPARE(f.state.catalogue[0].name, std::string("Other"));
        }
    }

    // What is loaded goes back unchanged by OK: a genre outside the table and
    // CR LF notes too. OK needs a name; a negative year shows empty.
    void unchangedOkKeepsTheRecordByteForByte() {
        Fixture f;
        f.game().genre = 200;
        const GameRecord before = f.game();
        Dialog d(f.state, f.dialogs);
        QCOMPARE(control<QComboBox>(d, "lstType")->currentIndex(), -1);
        click(d, "cmdOK");
        QCOMPARE(f.game(), before);
        edit(d, "txtGameName")->clear();
        QVERIFY(!control<QPushButton>(d, "cmdOK")->isEnabled());
        f.game().year = -5;
        QCOMPARE(edit(Dialog(f.state, f.dialogs), "txtYear")->text(), QString());
    }

    // Browsing, adding (b/x.png) and removing screenshots; parts that are not
    // found can be browsed past and removed. Only OK writes the record.
    void screenshots() {
        // Stored; steps ('>' next, '<' back, '-' remove, '+' add); the draft; the look.
        const char* three = "p1.png,p2.png,p3.png";
        const char* buttons[] = {"cmdNext", "cmdBack", "cmdRemoveSS", "cmdAddSS"};
        // clang-format off
        const struct { const char *stored, *steps, *draft, *look; } cases[] = {
            {three, ">-", "p1.png,p3.png", "Screen shot 1 of 2 ->R red"}, // the one before
            {three, "-", "p2.png,p3.png", "Screen shot 1 of 2 ->R green"}, // the next
            {"p3.png", "+", "p3.png,x.png", "Screen shot 2 of 2 <-R yellow"},
            {"p1.png,p2.png", "--", "", "No Screen shots. --- -"},
            {"ab,cd,ef", ">>-", "ab,cd", "Screen shot 2 of 2 (not found) <-R -"},
            {"a,,b", "-", ",b", "Screen shot 1 of 2 (not found) ->R -"}}; // empty: no file
        // clang-format on
        for (const auto& [stored, steps, draft, shows] : cases) {
            Fixture f;
            f.state.settings.screenshotPaths = {f.entry("a"), f.entry("b")};
            f.game().screenshots = stored;
            Dialog d(f.state, f.dialogs);
            f.dialogs.files.push_back(f.files.path(QStringLiteral("b/x.png")));
            for (const char step : std::string_view(steps))
                click(d, buttons[std::string_view("><-+").find(step)]);
            QCOMPARE(ui::toQt(d.draftScreenshots()), QLatin1String(draft));
            QCOMPARE(look(d), QLatin1String(shows));
            QCOMPARE(f.game().screenshots, std::string(stored));
        }
    }

    // Picked with Add or dropped on the tab, a name the list cannot hold gets
    // a box and registers nothing; so does a comma. Of a drop, only what Add's
    // file dialog offers is taken: folders and other files get one box
    // naming them. Two boxes each time: Add's comma, then the drop's.
    void refusedScreenshots() {
        const QString polish = QString::fromUtf8("s/\xC5\x81\xC3\xB3\x64\xC5\xBA.png");
        // Dropped (under the scratch directory), the draft, named by the last box.
        const struct {
            QStringList dropped;
            const char* draft;
            QStringList named;
        } cases[] = {
            {{"a/p1.png", polish, "b/x.png"}, "p1.png,x.png", {polish.mid(2)}},
            {{"b", "a/p1.png", "roms/game.z80", "b/X.PNG"}, "p1.png,X.PNG", {"/b", "game.z80"}}};
        for (const auto& [dropped, draft, named] : cases) {
            Fixture f;
            f.picture(QStringLiteral("s/a,b.png"));
            f.picture(polish);
            f.picture(QStringLiteral("b/X.PNG"));
            f.files.write(QStringLiteral("roms/game.z80"), "not a picture");
            Dialog d(f.state, f.dialogs);
            f.dialogs.files.push_back(f.files.path(QStringLiteral("s/a,b.png")));
            click(d, "cmdAddSS");
            QMimeData data;
            QList<QUrl> urls;
            for (const QString& file : dropped)
                urls << QUrl::fromLocalFile(f.files.path(file));
            data.setUrls(urls);
            QWidget* page = control<ui::PictureBox>(d, Dialog::kScreenshotPicture)->parentWidget();
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(page, &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(page, &drop);
            QCOMPARE(ui::toQt(d.draftScreenshots()), QLatin1String(draft));
            QCOMPARE(f.state.settings.screenshotPaths, (Paths{f.entry("a"), f.entry("b")}));
            QCOMPARE(f.dialogs.messages().size(), std::size_t(2));
            const QString last = f.dialogs.messages().back().text;
            for (const QString& name : named)
                QVERIFY2(last.contains(name), qPrintable(last));
            QVERIFY(f.game().screenshots.empty()); // nothing reaches the record before OK
        }
    }

    // OK refuses text the catalogue would read back as "?", naming the field
    // and those characters: the dialog stays open, the record unchanged. The
    // check is Add Game's too, whose test has a row for each field they share.
    void okRefusesTextItCannotStore() {
        const auto u = [](const char* utf8) { return QString::fromUtf8(utf8); };
        // The box, what is typed, and the message's start and end.
        // clang-format off
        const struct { const char* box; QString typed, starts, ends; } cases[] = {
            {"txtPublisher", u("\u0141\u00f3d\u017a"), "Publisher", u("\u0141\u017a")},
            {"txtNotes", u("\u20ac \u2603"), "Notes", u("\u2603")},
            {"txtMusicFile", u("\u266b.ay"), "The music file", u("\u266b")}};
        // clang-format on
        for (const auto& [box, typed, starts, ends] : cases) {
            Fixture f;
            const GameRecord before = f.game();
            Dialog d(f.state, f.dialogs);
            d.show();
            QVERIFY(QTest::qWaitForWindowExposed(&d));
            QWidget* field = d.findChild<QWidget*>(QLatin1String(box));
            test::typeInto(field, typed);
            click(d, "cmdOK");
            QVERIFY(d.isVisible());
            QCOMPARE(f.game(), before);
            QCOMPARE(f.dialogs.messages().size(), std::size_t(1));
            const QString message = f.dialogs.messages()[0].text;
            QVERIFY2(message.startsWith(starts) && message.endsWith(ends), qPrintable(message));
            QVERIFY(control<QTabWidget>(d, "SSTab1")->currentWidget()->isAncestorOf(field));
        }
    }

    // The ROM box takes any picked path, a short one too, but not a name
    // outside the code page; only OK registers its directory.
    void romPicker() {
        Fixture f;
        Dialog d(f.state, f.dialogs);
        f.dialogs.files = {QStringLiteral("/a.z"),
                           QString::fromUtf8("/gry/\xD0\x98\xD0\xB3\xD1\x80\xD0\xB0.z80")};
        click(d, "cmdLocate");
        QCOMPARE(edit(d, "txtRom")->text(), QStringLiteral("/a.z"));
        click(d, "cmdLocate");
        QCOMPARE(edit(d, "txtRom")->text(), QStringLiteral("/a.z"));
        QCOMPARE(f.dialogs.messages().size(), std::size_t(1));
        QVERIFY(f.state.settings.romPaths.empty());
    }

    // Without screenshots, the screen in the game file the ROM box names.
    void gameWithoutScreenshotsShowsItsFilesScreen() {
        Fixture f;
        f.files.write(QStringLiteral("roms/Manic.z80"), "not a snapshot");
        // A 48K snapshot whose screen is all red paper.
        f.files.write(QStringLiteral("roms/game.sna"),
                      test::snapshotWith(QByteArray(6144, '\0') + QByteArray(768, char(2 << 3))));
        f.state.settings.romPaths = {f.entry("roms")};
        f.game().romFile = "game.sna";
        Dialog d(f.state, f.dialogs);
        const auto pixel = [&](int x, int y) {
            return control<ui::PictureBox>(d, Dialog::kScreenshotPicture)
                ->picture()
                .toImage()
                .pixel(x, y);
        };
        const QRgb paper = qRgb(0xD7, 0, 0);
        QCOMPARE(look(d), QStringLiteral("No Screen shots. --- -"));
        QCOMPARE(pixel(128, 96), paper);
        QVERIFY(pixel(4, 186) != paper);                         // the "game file" mark
        edit(d, "txtRom")->setText(QStringLiteral("Manic.z80")); // holds no screen
        QVERIFY(pixel(128, 96) != paper);
        f.dialogs.files = {f.files.path(QStringLiteral("a/p1.png"))};
        click(d, "cmdAddSS");
        QCOMPARE(look(d), QStringLiteral("Screen shot 1 of 1 --R red"));
    }
};

QTEST_MAIN(GamePropertiesDialogTest)
#include "game_properties_dialog_test.moc"
