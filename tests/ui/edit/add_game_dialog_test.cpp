#include <QtWidgets>

#include "support/scripted_dialogs.h"
#include "support/window_fixtures.h"
#include "ui/edit/add_game_dialog.h"

using namespace tolm;
using tolm::test::control;
using Dialog = tolm::ui::AddGameDialog;
using Paths = std::vector<std::string>;

namespace {

struct Session {
    AppState state;
    test::ScriptedDialogs dialogs;
    Dialog d{state, dialogs};

    QLineEdit* edit(const char* name) const { return control<QLineEdit>(d, name); }
    QPlainTextEdit* box(const char* name) const { return control<QPlainTextEdit>(d, name); }
    void click(const char* name) const { control<QPushButton>(d, name)->click(); }
    // Fills every box the way a user would before picking the file.
    void typeEverything() const {
        for (const char* name : {"txtGameName", "txtYear", "txtPublisher"})
            edit(name)->setText(QLatin1String(name));
        box("txtAuthors")->setPlainText(QStringLiteral("Someone"));
        box("txtNotes")->setPlainText(QStringLiteral("Notes"));
        control<QComboBox>(d, "lstType")->setCurrentIndex(42);
    }
    // Name, year, publisher, file, authors, notes and genre.
    QStringList contents() const {
        QStringList out;
        for (const char* name :
             {"txtGameName", "txtYear", "txtPublisher", ui::AddGameDialog::kRomBox})
            out << edit(name)->text();
        return out << box("txtAuthors")->toPlainText() << box("txtNotes")->toPlainText()
                   << QString::number(control<QComboBox>(d, "lstType")->currentIndex());
    }
};

} // namespace

class AddGameDialogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Find ROM fills the file box and proposes the name (to the last ".",
    // after a compression extension), empties four boxes and keeps the genre;
    // a TOSEC name fills the year and publisher instead. The directory joins
    // the ROM paths at once. A name outside the code page is refused,
    // changing nothing; so does cancelling the file dialog.
    void findRom() {
        // Picked ("": cancelled), ROM paths before and after; the file box,
        // name, year and publisher then (no file: refused, nothing changed).
        struct {
            QString picked;
            Paths before, after;
            QString file, name, year, publisher;
        } const cases[] = {
            // clang-format off
            {"/r/Tau.Ceti.z80", {"/a/"}, {"/a/", "/r/"}, "Tau.Ceti.z80", "Tau.Ceti", {}, {}},
            {"/a.z", {}, {"/"}, "a.z", "a", {}, {}}, // a short path, once ignored
            {"/r/Chase H.Q. (1989)(Ocean Software)[128K].tap.gz", {}, {"/r/"},
             "Chase H.Q. (1989)(Ocean Software)[128K].tap.gz", "Chase H.Q. [128K]", "1989",
             "Ocean Software"},
            {QString::fromUtf8("/\xE3\x82\xB2\xE3\x83\xBC/x.tap"), {}, {}, {}, {}, {}, {}},
            {{}, {"/a/"}, {"/a/"}, {}, {}, {}, {}}};
        // clang-format on
        for (const auto& [picked, before, after, file, name, year, publisher] : cases) {
            Session s;
            s.state.settings.romPaths = before;
            s.typeEverything();
            const QStringList typed = s.contents();
            s.dialogs.files.push_back(picked);
            s.click("cmdFindRom");
            QCOMPARE(s.state.settings.romPaths, after);
            QVERIFY(s.state.catalogue.empty()); // only OK adds
            const QStringList filled{name, year, publisher, file, {}, {}, QStringLiteral("42")};
            QCOMPARE(s.contents(), file.isEmpty() ? typed : filled);
            QCOMPARE(s.dialogs.messages().size(), std::size_t(file.isEmpty() && !picked.isEmpty()));
        }
    }

    // OK refuses a blank name, and text the catalogue would read back as "?"
    // naming the field and those characters; the dialog stays open with
    // everything typed, its box on the tab in front, and nothing is added.
    void okRefusesAndKeepsTheDialog() {
        const auto u = [](const char* utf8) { return QString::fromUtf8(utf8); };
        // The box, what is typed, and the message's start and end.
        // clang-format off
        const struct { const char* box; QString typed, starts, ends; } cases[] = {
            {"txtGameName", "", "Gamename is blank", "blank"},
            {"txtGameName", u("Sp\u00e9ccy \u65e5\u672c\u65e5"), "Game Name", u("\u65e5\u672c")},
            {"txtPublisher", u("\u0141\u00f3d\u017a"), "Publisher", u("\u0141\u017a")},
            {"txtAuthors", u("A\n\u0416"), "Author(s)", u("\u0416")},
            {"txtNotes", u("\u20ac \u2603"), "Notes", u("\u2603")}, // the euro sign kept
            {ui::AddGameDialog::kRomBox, u("/\u0416/a.z80"), "The ROM file", u("\u0416")}};
        // clang-format on
        for (const auto& [box, typed, starts, ends] : cases) {
            Session s;
            s.d.show();
            QVERIFY(QTest::qWaitForWindowExposed(&s.d));
            s.typeEverything();
            QWidget* field = s.d.findChild<QWidget*>(QLatin1String(box));
            test::typeInto(field, typed);
            const QStringList before = s.contents();
            s.click("cmdOK");
            QVERIFY(s.d.isVisible());
            QCOMPARE(s.dialogs.messages().size(), std::size_t(1));
            const QString message = s.dialogs.messages()[0].text;
            QVERIFY2(message.startsWith(starts) && message.endsWith(ends), qPrintable(message));
            QVERIFY(s.state.catalogue.empty());
            QCOMPARE(s.contents(), before);
            const auto* tabs = control<QTabWidget>(s.d, "SSTab1");
            QVERIFY(!tabs->isAncestorOf(field) || tabs->currentWidget()->isAncestorOf(field));
        }
    }

    // OK adds the record with the year's leading number (typed over the one
    // the file's name gave) and CR LF line ends; after "remove all" the one
    // blank record left is reused.
    void okAddsTheGame() {
        for (const bool emptied : {false, true}) {
            Session s;
            if (emptied)
                s.state.catalogue.resize(1);
            s.dialogs.files.push_back(
                QStringLiteral("/roms/Jet.Set.Willy (1983)(Software Projects).tap"));
            s.click("cmdFindRom");
            s.edit("txtYear")->setText(QStringLiteral(" 19 84x"));
            s.box("txtAuthors")->setPlainText(QStringLiteral("Matthew\nSmith"));
            s.click("cmdOK");
            QCOMPARE(s.d.result(), int(QDialog::Accepted));
            // clang-format off
            const GameRecord added{"Jet.Set.Willy", 0, "", 1984, "", "Jet.Set.Willy (1983)(Software Projects).tap",
                                   "Software Projects", "Matthew\r\nSmith", ""};
            // clang-format on
            QCOMPARE(s.state.catalogue, GameCatalogue{added});
            QCOMPARE(s.state.settings.romPaths, Paths{"/roms/"});
        }
    }
};

QTEST_MAIN(AddGameDialogTest)
#include "add_game_dialog_test.moc"
