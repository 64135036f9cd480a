#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <memory>

#include "support/scripted_dialogs.h"
#include "support/window_fixtures.h"
#include "ui/config/program_list_dialog.h"
#include "ui/main/main_window.h"

using tolm::kNone;
using tolm::ProgramEntry;
using tolm::test::control;
using tolm::ui::ProgramListDialog;
using Kind = tolm::ui::ProgramListKind;
using Answer = tolm::test::ScriptedDialogs::Answer;
using Programs = std::vector<ProgramEntry>;

namespace {

constexpr Kind kEmulators = Kind::Emulators;
constexpr Kind kPlayers = Kind::MusicPlayers;

// The text or name that differs between the twins.
QString twin(Kind kind, const char* emulators, const char* players) {
    return QLatin1String(kind == kEmulators ? emulators : players);
}

// One opening of a dialog over a settings state.
struct Session {
    tolm::test::Scratch dir;
    tolm::SettingsState settings;
    tolm::test::ScriptedDialogs dialogs;
    std::unique_ptr<ProgramListDialog> dialog;
    Kind kind = kEmulators;

    Programs& list() { return kind == kEmulators ? settings.emulators : settings.musicPlayers; }
    std::int32_t& defaultIndex() {
        return kind == kEmulators ? settings.defaultEmulator : settings.defaultMusicPlayer;
    }
    void open(Kind k, const Programs& programs, std::int32_t defaultAt = kNone) {
        kind = k;
        list() = programs;
        defaultIndex() = defaultAt;
        dialog = std::make_unique<ProgramListDialog>(kind, settings, dialogs);
        dialog->show();
    }
    QListWidget* rows() const { return control<QListWidget>(*dialog, "lstEmus"); }
    QPushButton* button(const char* name) const { return control<QPushButton>(*dialog, name); }
    QPushButton* setDefault() const {
        return button(twin(kind, "cmdDefult", "Command1").toLatin1().constData());
    }
    QStringList rowTexts() const {
        QStringList out;
        for (int i = 0; i < rows()->count(); ++i)
            out << rows()->item(i)->text();
        return out;
    }
    void selectRow(int row) const {
        rows()->clearSelection();
        if (row >= 0)
            QTest::mouseClick(rows()->viewport(), Qt::LeftButton, {},
                              rows()->visualItemRect(rows()->item(row)).center());
    }
};

Programs three() {
    return {{"Fuse", "/usr/bin/fuse"}, {"Spectemu", "/usr/bin/xspect"}, {"Zesarux", "/opt/zes"}};
}

struct Adding {
    Kind kind;
    Programs start;
    QString picked;              // "%D" the scratch directory; "x:" a file not executable
    std::optional<QString> name; // the name box's answer; nullopt: cancelled
    QString preset;              // what the name box showed; empty: no box
    Programs after;              // "%D" expanded in paths
    QString box;                 // an error box's text ending
};

struct Removing {
    Kind kind;
    Programs start;
    int defaultAt;
    int row; // -1: none selected
    bool yes;
    QStringList names;
    int defaultAfter;
    QStringList rows;
};

// The main window over `count` emulators E0, E1, ... in tolm.ini.
struct Window {
    tolm::test::Scratch dir;
    tolm::AppState state;
    tolm::test::ScriptedDialogs dialogs;
    tolm::test::RecordingLauncher launcher;
    std::unique_ptr<tolm::ui::MainWindow> window;

    explicit Window(int count) {
        QString ini = QStringLiteral("[emulators]\r\nnum=%1\r\n").arg(count);
        for (int i = 0; i < count; ++i)
            ini += QStringLiteral("emu%1=E%2\r\nfile%1=/e%2\r\n").arg(i, 2, 10, QChar('0')).arg(i);
        dir.write(QStringLiteral("tolm.ini"), ini.toUtf8());
        state.programDirectory = dir.str();
        window = std::make_unique<tolm::ui::MainWindow>(state, dialogs, launcher, 0);
    }
    QMenu* runWith() const { return control<QMenu>(*window, "mnuRunWith"); }
    QStringList visibleRunWith() const {
        QStringList out;
        for (QAction* a : runWith()->actions())
            if (a->isVisible())
                out << a->text();
        return out;
    }
    // Removes the emulator on `row` in the dialog `action` opens, then closes it with `close`.
    void removeThrough(QAction* action, int row, const std::function<void(QDialog&)>& close) {
        dialogs.answers = {Answer::Yes};
        tolm::test::whenModal<ProgramListDialog>([row, close](ProgramListDialog& d) {
            QCOMPARE(d.objectName(), QStringLiteral("frmEmulators"));
            control<QListWidget>(d, "lstEmus")->setCurrentRow(row);
            control<QPushButton>(d, "cmdRemove")->click();
            close(d);
        });
        action->trigger();
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }
};

} // namespace

Q_DECLARE_METATYPE(Adding)
Q_DECLARE_METATYPE(Removing)

class ProgramListDialogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The twins' captions and buttons; Set Default marks and reselects the row.
    void captionsAndButtons() {
        for (const Kind kind : {kEmulators, kPlayers}) {
            Session s;
            s.open(kind, three());
            QCOMPARE(s.dialog->objectName(), twin(kind, "frmEmulators", "frmMusicPlayers"));
            QCOMPARE(s.dialog->windowTitle(), twin(kind, "Emulators", "Music Players"));
            QCOMPARE(s.button("cmdAdd")->text(), QStringLiteral("Add"));
            QCOMPARE(s.button("cmdRemove")->text(), QStringLiteral("Remove"));
            QCOMPARE(s.setDefault()->text(), QStringLiteral("Set Default"));
            QCOMPARE(s.button(kind == kEmulators ? "Command1" : "cmdClose")->text(),
                     QStringLiteral("Close"));
            // The emulators' buttons wait for a row; the players' do not.
            const bool enabledAtOpening = kind == kPlayers;
            QCOMPARE(s.button("cmdRemove")->isEnabled(), enabledAtOpening);
            QCOMPARE(s.setDefault()->isEnabled(), enabledAtOpening);
            s.selectRow(1);
            QVERIFY(s.button("cmdRemove")->isEnabled() && s.setDefault()->isEnabled());
            s.setDefault()->click();
            QCOMPARE(s.rowTexts(), QStringList({"Fuse", "Spectemu (default)", "Zesarux"}));
            QCOMPARE(s.rows()->currentRow(), 1);
            QCOMPARE(s.setDefault()->isEnabled(), enabledAtOpening);
            QCOMPARE(s.defaultIndex(), 1);
        }
    }

    void adding_data() {
        QTest::addColumn<Adding>("row");
        const Programs fuse{{"Fuse", "/usr/bin/fuse"}};
        const ProgramEntry zx{"zxemu", "%D/zxemu.exe"};
        for (const Kind k : {kEmulators, kPlayers})
            QTest::addRow("%s: base name", k == kEmulators ? "emulators" : "players")
                << Adding{k, {}, "%D/zxemu.exe", "zxemu", "zxemu", {zx}, {}};
        QTest::newRow("emulators: a cancelled name box takes the file's")
            << Adding{kEmulators, fuse, "%D/zxemu.exe", {}, "zxemu", {fuse[0], zx}, {}};
        QTest::newRow("players: an empty name adds nothing")
            << Adding{kPlayers, fuse, "%D/zxemu.exe", "", "zxemu", fuse, {}};
        QTest::newRow("path under six characters")
            << Adding{kEmulators, fuse, "/a/bc", {}, {}, fuse, {}};
        QTest::newRow("not a program") << Adding{
            kPlayers, fuse, "x:%D/notes.txt", {}, {}, fuse, "is not a program that can be started"};
        QTest::newRow("name outside the code page")
            << Adding{kEmulators, fuse, "%D/\xE6\x97\xA5.exe", {}, {}, fuse, "cannot hold"};
    }

    void adding() {
        QFETCH(Adding, row);
        Session s;
        QString file = s.dir.expand(row.picked);
        if (file.startsWith(QLatin1String("x:"))) {
            file = s.dir.write(file.mid(2).section(QLatin1Char('/'), -1));
        } else if (file.startsWith(s.dir.path())) {
            file = s.dir.write(file.section(QLatin1Char('/'), -1), "#!/bin/sh\n");
            QFile::setPermissions(file, QFile::permissions(file) | QFileDevice::ExeOwner);
        }
        s.dialogs.files = {file};
        s.dialogs.inputs = {row.name};
        s.open(row.kind, row.start);
        s.button("cmdAdd")->click();

        const auto& shown = s.dialogs.shown;
        QCOMPARE(shown[0].kind, QStringLiteral("program"));
        QCOMPARE(shown[0].title, twin(row.kind, "Select an Emulator", "Select an Music Player"));
        QCOMPARE(shown.size(), std::size_t(row.preset.isEmpty() && row.box.isEmpty() ? 1 : 2));
        if (!row.preset.isEmpty()) {
            QCOMPARE(shown[1].kind, QStringLiteral("input"));
            QCOMPARE(shown[1].preset, row.preset);
            QCOMPARE(shown[1].title,
                     twin(row.kind, "Name that Emulator", "Name that Music player"));
            QCOMPARE(shown[1].text, twin(row.kind, "Please enter the name for this Emulator",
                                         "Please enter the name for this Music player"));
        } else if (!row.box.isEmpty()) {
            QVERIFY2(shown[1].text.endsWith(row.box), qPrintable(shown[1].text));
            QCOMPARE(shown[1].icon, tolm::test::ScriptedDialogs::Icon::Critical);
        }
        for (ProgramEntry& e : row.after)
            e.path = tolm::ui::toStd(s.dir.expand(QString::fromStdString(e.path)));
        QCOMPARE(s.list(), row.after);
        QCOMPARE(s.defaultIndex(), kNone); // adding never sets the default
        QCOMPARE(s.rows()->count(), int(row.after.size()));
    }

    void removing_data() {
        QTest::addColumn<Removing>("row");
        const QStringList all{"Fuse", "Spectemu", "Zesarux"};
        for (const Kind k : {kEmulators, kPlayers})
            QTest::addRow("%s: default after", k == kEmulators ? "emulators" : "players")
                << Removing{k,    three(),
                            2,    0,
                            true, {"Spectemu", "Zesarux"},
                            1,    {"Spectemu", "Zesarux (default)"}};
        QTest::newRow("answered No") << Removing{
            kPlayers, three(), 2, 0, false, all, 2, {"Fuse", "Spectemu", "Zesarux (default)"}};
        QTest::newRow("no row selected")
            << Removing{kEmulators, three(), kNone, -1, true, all, kNone, all};
        // Rows skip the blank and half-filled entries; each acts on its own entry.
        QTest::newRow("with holes: the row's own entry")
            << Removing{kEmulators, {{"Fuse", "/f"}, {"", ""}, {"Nameless", ""}, {"Zesarux", "/z"}},
                        0,          1,
                        true,       {"Fuse", "", "Nameless"},
                        0,          {"Fuse (default)"}};
    }

    void removing() {
        QFETCH(Removing, row);
        Session s;
        s.dialogs.answers = {row.yes ? Answer::Yes : Answer::No};
        s.open(row.kind, row.start, row.defaultAt);
        s.selectRow(row.row);
        s.button("cmdRemove")->setEnabled(true); // the emulators' opens disabled
        s.button("cmdRemove")->click();
        QStringList names;
        for (const ProgramEntry& e : s.list())
            names << QString::fromStdString(e.name);
        QCOMPARE(names, row.names);
        QCOMPARE(s.defaultIndex(), row.defaultAfter);
        QCOMPARE(s.rowTexts(), row.rows);
        const auto boxes = s.dialogs.messages();
        QCOMPARE(boxes.size(), std::size_t(row.row < 0 ? 0 : 1));
        if (row.row >= 0) {
            QCOMPARE(boxes[0].title, twin(row.kind, "Remove emulator", "Remove Music player"));
            QCOMPARE(boxes[0].text, QStringLiteral("Are you sure?"));
            QCOMPARE(boxes[0].buttons, tolm::test::ScriptedDialogs::Buttons::YesNo);
        }
    }

    // The third row stands for entry 3; no selection clears the default.
    void setDefaultActsOnTheRowsEntry() {
        for (const int row : {2, -1}) {
            Session s;
            s.open(kPlayers, {{"Fuse", "/f"}, {"", "/hole"}, {"Speccy", "/s"}, {"Zes", "/z"}}, 2);
            QCOMPARE(s.rowTexts(), QStringList({"Fuse", "Speccy (default)", "Zes"}));
            s.selectRow(row);
            s.setDefault()->click();
            QCOMPARE(s.defaultIndex(), row < 0 ? kNone : 3);
            QCOMPARE(s.rowTexts(),
                     QStringList({"Fuse", "Speccy", row < 0 ? "Zes" : "Zes (default)"}));
        }
    }

    // Whichever way the emulators dialog goes, the Run With items match the list.
    void runWithMenuAfterClosing() {
        const std::function<void(QDialog&)> closings[] = {
            [](QDialog& d) { control<QPushButton>(d, "Command1")->click(); },
            [](QDialog& d) { d.close(); }, // the title bar's close box
            [](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }};
        for (const auto& close : closings) {
            Window w(2);
            QCOMPARE(w.visibleRunWith(), QStringList({"E0", "E1"}));
            w.removeThrough(control<QAction>(*w.window, "mnuemus0"), 0, close);
            QCOMPARE(w.visibleRunWith(), QStringList({"E1"}));
        }
    }

    void moreThanTwentyEmulators() {
        Window w(21);
        auto* more = control<QAction>(*w.window, "moreEmulators");
        QCOMPARE(more->text(), QStringLiteral("More in Emulators..."));
        QVERIFY(more->isVisible() && more->isEnabled());
        QCOMPARE(w.runWith()->actions().indexOf(more), 20); // right after item 19
        QCOMPARE(w.runWith()->actions()[19]->text(), QStringLiteral("E19"));
        // It opens the emulators dialog, which lists all of them.
        w.removeThrough(more, 20, [](QDialog& d) {
            QCOMPARE(control<QListWidget>(d, "lstEmus")->count(), 20);
            d.close();
        });
        QVERIFY(!more->isVisible()); // twenty left: every one has its item
    }
};

QTEST_MAIN(ProgramListDialogTest)
#include "program_list_dialog_test.moc"
