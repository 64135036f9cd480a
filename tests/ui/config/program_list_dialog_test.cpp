#include <QtWidgets>
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

class ProgramListDialogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The twins' captions and buttons. Set Default marks and reselects the
    // row; Remove asks first and needs a selected row, and the default
    // follows its program.
    void captionsButtonsAndRemoving() {
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

            s.dialogs.answers = {Answer::No, Answer::Yes};
            s.button("cmdRemove")->setEnabled(true); // as it stands for the players
            s.selectRow(-1);
            s.button("cmdRemove")->click();
            QVERIFY(s.dialogs.messages().empty());
            for (int answer = 0; answer < 2; ++answer) {
                s.selectRow(0);
                s.button("cmdRemove")->click();
            }
            const auto boxes = s.dialogs.messages();
            QCOMPARE(boxes.size(), std::size_t(2));
            QCOMPARE(boxes[1].title, twin(kind, "Remove emulator", "Remove Music player"));
            QCOMPARE(boxes[1].text, QStringLiteral("Are you sure?"));
            QCOMPARE(boxes[1].buttons, tolm::test::ScriptedDialogs::Buttons::YesNo);
            QCOMPARE(s.rowTexts(), QStringList({"Spectemu (default)", "Zesarux"}));
            QCOMPARE(s.defaultIndex(), 0);
        }
    }

    // A path too short to name a program, a file that is not a program and a
    // name outside the settings file's code page add nothing; an empty or
    // cancelled name takes the file's name for an emulator, and adds no player.
    void adding() {
        for (const Kind kind : {kEmulators, kPlayers}) {
            Session s;
            const QString zx = s.dir.write(QStringLiteral("zxemu.exe"), "#!/bin/sh\n");
            const QString japanese = s.dir.write(QStringLiteral("\xE6\x97\xA5.exe"), "#!/bin/sh\n");
            for (const QString& file : {zx, japanese})
                QFile::setPermissions(file, QFile::permissions(file) | QFileDevice::ExeOwner);
            s.dialogs.files = {"/a/bc", s.dir.write(QStringLiteral("notes.txt")), japanese, zx, zx};
            s.dialogs.inputs = {QStringLiteral("Mine"), QString()};
            s.open(kind, {});
            for (int add = 0; add < 5; ++add)
                s.button("cmdAdd")->click();

            QStringList kinds;
            for (const auto& shown : s.dialogs.shown) {
                kinds << shown.kind;
                if (shown.kind == QLatin1String("program"))
                    QCOMPARE(shown.title,
                             twin(kind, "Select an Emulator", "Select an Music Player"));
                if (shown.kind != QLatin1String("input"))
                    continue;
                QCOMPARE(shown.preset, QStringLiteral("zxemu"));
                QCOMPARE(shown.title, twin(kind, "Name that Emulator", "Name that Music player"));
                QCOMPARE(shown.text, twin(kind, "Please enter the name for this Emulator",
                                          "Please enter the name for this Music player"));
            }
            QCOMPARE(kinds.join(' '), "program program message program message program input "
                                      "program input");
            const auto boxes = s.dialogs.messages();
            QVERIFY(boxes[0].text.endsWith(QStringLiteral("is not a program that can be started")));
            QVERIFY(boxes[1].text.endsWith(QStringLiteral("cannot hold")));
            QCOMPARE(boxes[1].icon, tolm::test::ScriptedDialogs::Icon::Critical);
            Programs expected{{"Mine", tolm::ui::toStd(zx)}, {"zxemu", tolm::ui::toStd(zx)}};
            if (kind == kPlayers)
                expected.pop_back();
            QCOMPARE(s.list(), expected);
            QCOMPARE(s.defaultIndex(), kNone); // adding never sets the default
            QCOMPARE(s.rowTexts().size(), int(expected.size()));
        }
    }

    // Rows skip the blank and half-filled entries; each acts on its own entry,
    // and Set Default with no row selected clears the default.
    void rowsActOnTheirOwnEntries() {
        Session s;
        s.dialogs.answers = {Answer::Yes};
        s.open(kPlayers, {{"Fuse", "/f"}, {"", "/hole"}, {"Speccy", "/s"}, {"Zes", "/z"}}, 2);
        QCOMPARE(s.rowTexts(), QStringList({"Fuse", "Speccy (default)", "Zes"}));
        s.selectRow(2);
        s.setDefault()->click();
        QCOMPARE(s.defaultIndex(), 3);
        s.selectRow(1);
        s.button("cmdRemove")->click();
        QCOMPARE(s.list(), (Programs{{"Fuse", "/f"}, {"", "/hole"}, {"Zes", "/z"}}));
        QCOMPARE(s.rowTexts(), QStringList({"Fuse", "Zes (default)"}));
        s.selectRow(-1);
        s.setDefault()->click();
        QCOMPARE(s.defaultIndex(), kNone);
        QCOMPARE(s.rowTexts(), QStringList({"Fuse", "Zes"}));
    }

    // Past twenty emulators "More in Emulators..." follows item 19 and opens
    // the dialog, which lists them all. Whichever way the dialog goes, the Run
    // With items match the list.
    void runWithMenuFollowsTheList() {
        Window w(21);
        auto* more = control<QAction>(*w.window, "moreEmulators");
        QCOMPARE(more->text(), QStringLiteral("More in Emulators..."));
        QVERIFY(more->isVisible() && more->isEnabled());
        QCOMPARE(w.runWith()->actions().indexOf(more), 20);
        QCOMPARE(w.runWith()->actions()[19]->text(), QStringLiteral("E19"));
        const std::function<void(QDialog&)> closings[] = {
            [](QDialog& d) {
                QCOMPARE(control<QListWidget>(d, "lstEmus")->count(), 20);
                control<QPushButton>(d, "Command1")->click();
            },
            [](QDialog& d) { d.close(); }, // the title bar's close box
            [](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }};
        for (int removed = 1; removed <= 3; ++removed) {
            w.removeThrough(removed == 1 ? more : control<QAction>(*w.window, "mnuemus0"), 0,
                            closings[removed - 1]);
            QStringList left;
            for (int i = removed; i <= 20; ++i)
                left << QStringLiteral("E%1").arg(i);
            QCOMPARE(w.visibleRunWith(), left); // "More" gone with the twenty-first
        }
    }
};

QTEST_MAIN(ProgramListDialogTest)
#include "program_list_dialog_test.moc"
