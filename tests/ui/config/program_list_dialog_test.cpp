#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>

#include "support/window_fixtures.h"
#include "settings/program_list.h"
#include "ui/config/program_list_dialog.h"
#include "ui/main/main_window.h"
#include "support/scripted_dialogs.h"

using tolm::ProgramEntry;
using tolm::ui::ProgramListDialog;
using tolm::ui::ProgramListKind;
using Answer = tolm::test::ScriptedDialogs::Answer;
using Programs = std::vector<ProgramEntry>;

Q_DECLARE_METATYPE(ProgramListKind)

namespace {

// The objectName of the Set Default button, which the twins name differently.
const char* setDefaultName(ProgramListKind kind) {
    return kind == ProgramListKind::Emulators ? "cmdDefult" : "Command1";
}

// One opening of a dialog over a settings state.
struct Session {
    tolm::test::Scratch dir;
    tolm::SettingsState settings;
    tolm::test::ScriptedDialogs dialogs;
    std::unique_ptr<ProgramListDialog> dialog;
    ProgramListKind kind = ProgramListKind::Emulators;

    Programs& list() {
        return kind == ProgramListKind::Emulators ? settings.emulators : settings.musicPlayers;
    }
    std::int32_t& defaultIndex() {
        return kind == ProgramListKind::Emulators ? settings.defaultEmulator
                                                  : settings.defaultMusicPlayer;
    }
    void open(ProgramListKind k, const Programs& programs, std::int32_t defaultAt) {
        kind = k;
        list() = programs;
        defaultIndex() = defaultAt;
        dialog = std::make_unique<ProgramListDialog>(kind, settings, dialogs);
        dialog->show();
    }
    QListWidget* rows() const { return dialog->findChild<QListWidget*>(QStringLiteral("lstEmus")); }
    QPushButton* button(const char* name) const {
        return dialog->findChild<QPushButton*>(QLatin1String(name));
    }
    QStringList rowTexts() const {
        QStringList out;
        for (int i = 0; i < rows()->count(); ++i)
            out << rows()->item(i)->text();
        return out;
    }
    void selectRow(int row) const {
        if (row < 0) {
            rows()->clearSelection();
            return;
        }
        QTest::mouseClick(rows()->viewport(), Qt::LeftButton, {},
                          rows()->visualItemRect(rows()->item(row)).center());
    }
    QString names() {
        QStringList out;
        for (const ProgramEntry& e : list())
            out << QString::fromStdString(e.name);
        return out.join(QLatin1Char(','));
    }
    // An executable file under the scratch directory.
    QString program(const QString& relative) const {
        const QString path = dir.write(relative, "#!/bin/sh\n");
        QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
        return path;
    }
};

Programs three() {
    return {{"Fuse", "/usr/bin/fuse"}, {"Spectemu", "/usr/bin/xspect"}, {"Zesarux", "/opt/zes"}};
}

void bothKinds(const char* what, const std::function<void(QTestData&)>& columns) {
    for (ProgramListKind kind : {ProgramListKind::Emulators, ProgramListKind::MusicPlayers}) {
        const char* twin = kind == ProgramListKind::Emulators ? "emulators: " : "players: ";
        QTestData& row = QTest::newRow(QByteArray(QByteArray(twin) + what).constData()) << kind;
        columns(row);
    }
}

// Runs `inside` once the modal dialog `name` is up, then returns.
void whileModal(const char* name, const std::function<void(QWidget*)>& inside) {
    QTimer::singleShot(0, [name, inside] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal != nullptr);
        QCOMPARE(modal->objectName(), QLatin1String(name));
        inside(modal);
    });
}

} // namespace

class ProgramListDialogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void captionsAndButtons_data() {
        QTest::addColumn<ProgramListKind>("kind");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("buttons"); // objectName=text, top to bottom
        QTest::addColumn<bool>("enabledAtOpening");
        QTest::newRow("emulators") << ProgramListKind::Emulators << "Emulators"
                                   << QStringList{"cmdAdd=Add", "cmdRemove=Remove",
                                                  "cmdDefult=Set Default", "Command1=Close"}
                                   << false;
        QTest::newRow("players") << ProgramListKind::MusicPlayers << "Music Players"
                                 << QStringList{"cmdAdd=Add", "cmdRemove=Remove",
                                                "Command1=Set Default", "cmdClose=Close"}
                                 << true;
    }

    void captionsAndButtons() {
        QFETCH(ProgramListKind, kind);
        QFETCH(QString, caption);
        QFETCH(QStringList, buttons);
        QFETCH(bool, enabledAtOpening);
        Session s;
        s.open(kind, three(), tolm::kNone);
        QCOMPARE(s.dialog->windowTitle(), caption);
        int previousY = -1;
        for (const QString& pair : buttons) {
            const QStringList parts = pair.split(QLatin1Char('='));
            QPushButton* b = s.button(parts[0].toLatin1().constData());
            QVERIFY2(b != nullptr, qPrintable(parts[0]));
            QCOMPARE(b->text(), parts[1]);
            QVERIFY(b->y() > previousY && b->x() > s.rows()->x()); // a column right of the list
            previousY = b->y();
        }
        QCOMPARE(s.button("cmdRemove")->isEnabled(), enabledAtOpening);
        QCOMPARE(s.button(setDefaultName(kind))->isEnabled(), enabledAtOpening);
        s.selectRow(1);
        QVERIFY(s.button("cmdRemove")->isEnabled());
        QVERIFY(s.button(setDefaultName(kind))->isEnabled());
        s.button(setDefaultName(kind))->click(); // the default's row is selected again
        QCOMPARE(s.rowTexts(), QStringList({"Fuse", "Spectemu (default)", "Zesarux"}));
        QCOMPARE(s.rows()->currentRow(), 1);
        QCOMPARE(s.button(setDefaultName(kind))->isEnabled(), !enabledAtOpening ? false : true);
        s.selectRow(2);
        QVERIFY(s.button(setDefaultName(kind))->isEnabled());
    }

    void adding_data() {
        QTest::addColumn<ProgramListKind>("kind");
        QTest::addColumn<Programs>("start");
        QTest::addColumn<QString>("picked");  // "%D" the scratch directory; "x:" not executable
        QTest::addColumn<QVariant>("answer"); // a QString, or invalid for a cancelled box
        QTest::addColumn<QString>("preset");  // what the name box showed; empty: no box
        QTest::addColumn<Programs>("after");  // "%D" expanded in paths
        QTest::addColumn<QString>("box");     // an error box's text ending
        const Programs fuse{{"Fuse", "/usr/bin/fuse"}};
        const ProgramEntry zx{"zxemu", "%D/zxemu.exe"};
        bothKinds("base name", [&](QTestData& r) {
            r << Programs{} << "%D/zxemu.exe" << QVariant("zxemu") << "zxemu" << Programs{zx} << "";
        });
        bothKinds("exe removed in its own case only", [&](QTestData& r) {
            r << fuse << "%D/ZXEMU.EXE" << QVariant("Mine") << "ZXEMU.EXE"
              << Programs{fuse[0], {"Mine", "%D/ZXEMU.EXE"}} << "";
        });
        bothKinds("first entry replaces a blank one", [&](QTestData& r) {
            r << Programs{{"", ""}, {"Old", "/old"}} << "%D/zxemu.exe" << QVariant("zxemu")
              << "zxemu" << Programs{zx} << "";
        });
        for (const bool cancelled : {false, true}) {
            const QVariant answer = cancelled ? QVariant() : QVariant(QString());
            QTest::newRow(cancelled ? "emulators: name box cancelled" : "emulators: empty name")
                << ProgramListKind::Emulators << fuse << "%D/zxemu.exe" << answer << "zxemu"
                << Programs{fuse[0], zx} << "";
            QTest::newRow(cancelled ? "players: name box cancelled" : "players: empty name")
                << ProgramListKind::MusicPlayers << fuse << "%D/zxemu.exe" << answer << "zxemu"
                << fuse << "";
        }
        bothKinds("file dialog cancelled",
                  [&](QTestData& r) { r << fuse << "" << QVariant() << "" << fuse << ""; });
        bothKinds("path under six characters",
                  [&](QTestData& r) { r << fuse << "/a/bc" << QVariant() << "" << fuse << ""; });
        bothKinds("not a program", [&](QTestData& r) {
            r << fuse << "x:%D/notes.txt" << QVariant() << "" << fuse
              << "is not a program that can be started";
        });
        bothKinds("name outside the code page", [&](QTestData& r) {
            r << fuse << "%D/\xE6\x97\xA5.exe" << QVariant() << "" << fuse << "cannot hold";
        });
    }

    void adding() {
        QFETCH(ProgramListKind, kind);
        QFETCH(Programs, start);
        QFETCH(QString, picked);
        QFETCH(QVariant, answer);
        QFETCH(QString, preset);
        QFETCH(Programs, after);
        QFETCH(QString, box);
        Session s;
        QString file = s.dir.expand(picked);
        if (file.startsWith(QLatin1String("x:")))
            file = s.dir.write(file.mid(2).section(QLatin1Char('/'), -1));
        else if (file.startsWith(s.dir.path()))
            s.program(file.section(QLatin1Char('/'), -1));
        s.dialogs.files = {file};
        s.dialogs.inputs = {answer.isValid() ? std::optional<QString>(answer.toString())
                                             : std::nullopt};
        s.open(kind, start, tolm::kNone);
        s.button("cmdAdd")->click();

        const auto& shown = s.dialogs.shown;
        QCOMPARE(shown[0].kind, QStringLiteral("program"));
        QCOMPARE(shown[0].title, kind == ProgramListKind::Emulators
                                     ? QStringLiteral("Select an Emulator")
                                     : QStringLiteral("Select an Music Player"));
        if (!preset.isEmpty()) {
            QCOMPARE(shown.size(), std::size_t(2));
            QCOMPARE(shown[1].kind, QStringLiteral("input"));
            QCOMPARE(shown[1].preset, preset);
            const bool emulators = kind == ProgramListKind::Emulators;
            QCOMPARE(shown[1].title, emulators ? QStringLiteral("Name that Emulator")
                                               : QStringLiteral("Name that Music player"));
            QCOMPARE(shown[1].text,
                     emulators ? QStringLiteral("Please enter the name for this Emulator")
                               : QStringLiteral("Please enter the name for this Music player"));
        } else if (!box.isEmpty()) {
            QCOMPARE(shown.size(), std::size_t(2));
            QVERIFY2(shown[1].text.endsWith(box), qPrintable(shown[1].text));
            QCOMPARE(shown[1].icon, tolm::test::ScriptedDialogs::Icon::Critical);
        } else {
            QCOMPARE(shown.size(), std::size_t(1));
        }
        Programs expected = after;
        for (ProgramEntry& e : expected)
            e.path = tolm::ui::toStd(s.dir.expand(QString::fromStdString(e.path)));
        QCOMPARE(s.list(), expected);
        QCOMPARE(s.defaultIndex(), tolm::kNone); // adding never sets the default
        QCOMPARE(s.rows()->count(), tolm::hasFirstProgram(expected) ? int(expected.size()) : 0);
    }

    void removing_data() {
        QTest::addColumn<ProgramListKind>("kind");
        QTest::addColumn<Programs>("start");
        QTest::addColumn<int>("defaultAt");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("names");
        QTest::addColumn<int>("defaultAfter");
        QTest::addColumn<QStringList>("rows");
        bothKinds("default after", [](QTestData& r) {
            r << three() << 2 << 0 << true << "Spectemu,Zesarux" << 1
              << QStringList{"Spectemu", "Zesarux (default)"};
        });
        bothKinds("default at", [](QTestData& r) {
            r << three() << 1 << 1 << true << "Fuse,Zesarux" << int(tolm::kNone)
              << QStringList{"Fuse", "Zesarux"};
        });
        bothKinds("default before", [](QTestData& r) {
            r << three() << 1 << 2 << true << "Fuse,Spectemu" << 1
              << QStringList{"Fuse", "Spectemu (default)"};
        });
        bothKinds("last, the default", [](QTestData& r) {
            r << three() << 2 << 2 << true << "Fuse,Spectemu" << int(tolm::kNone)
              << QStringList{"Fuse", "Spectemu"};
        });
        bothKinds("answered No", [](QTestData& r) {
            r << three() << 2 << 0 << false << "Fuse,Spectemu,Zesarux" << 2
              << QStringList{"Fuse", "Spectemu", "Zesarux (default)"};
        });
        bothKinds("only entry blanked", [](QTestData& r) {
            r << Programs{{"Fuse", "/f"}} << 0 << 0 << true << "" << int(tolm::kNone)
              << QStringList{};
        });
        bothKinds("no row selected", [](QTestData& r) {
            r << three() << int(tolm::kNone) << -1 << true << "Fuse,Spectemu,Zesarux"
              << int(tolm::kNone) << QStringList{"Fuse", "Spectemu", "Zesarux"};
        });
        // Rows skip the blank and half-filled entries; each acts on its own entry.
        const Programs holes{{"Fuse", "/f"}, {"", ""}, {"Nameless", ""}, {"Zesarux", "/z"}};
        bothKinds("with holes: the row's own entry", [&](QTestData& r) {
            r << holes << 0 << 1 << true << "Fuse,,Nameless" << 0 << QStringList{"Fuse (default)"};
        });
        bothKinds("with holes: first removed", [&](QTestData& r) {
            // The blank entries would now stand first and hide Zesarux: they go too.
            r << holes << 3 << 0 << true << "Zesarux" << 0 << QStringList{"Zesarux (default)"};
        });
    }

    void removing() {
        QFETCH(ProgramListKind, kind);
        QFETCH(Programs, start);
        QFETCH(int, defaultAt);
        QFETCH(int, row);
        QFETCH(bool, yes);
        QFETCH(QString, names);
        QFETCH(int, defaultAfter);
        QFETCH(QStringList, rows);
        Session s;
        s.dialogs.answers = {yes ? Answer::Yes : Answer::No};
        s.open(kind, start, defaultAt);
        s.selectRow(row);
        s.button("cmdRemove")->setEnabled(true); // the emulators' opens disabled
        s.button("cmdRemove")->click();
        QCOMPARE(s.names(), names);
        QCOMPARE(s.defaultIndex(), defaultAfter);
        QCOMPARE(s.rowTexts(), rows);
        const auto boxes = s.dialogs.messages();
        QCOMPARE(boxes.size(), std::size_t(row < 0 ? 0 : 1));
        if (row >= 0) {
            QCOMPARE(boxes[0].title, kind == ProgramListKind::Emulators
                                         ? QStringLiteral("Remove emulator")
                                         : QStringLiteral("Remove Music player"));
            QCOMPARE(boxes[0].text, QStringLiteral("Are you sure?"));
            QCOMPARE(boxes[0].icon, tolm::test::ScriptedDialogs::Icon::None);
            QCOMPARE(boxes[0].buttons, tolm::test::ScriptedDialogs::Buttons::YesNo);
        }
        // An entry that no longer exists is never acted on.
        s.dialog->removeEntry(s.list().size());
        QCOMPARE(s.names(), names);
    }

    void setDefault_data() {
        QTest::addColumn<ProgramListKind>("kind");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("defaultAfter");
        bothKinds("row of entry 3", [](QTestData& r) { r << 1 << 3; });
        bothKinds("no selection clears", [](QTestData& r) { r << -1 << int(tolm::kNone); });
    }

    void setDefault() {
        QFETCH(ProgramListKind, kind);
        QFETCH(int, row);
        QFETCH(int, defaultAfter);
        Session s;
        s.open(kind, {{"Fuse", "/f"}, {"", "/hole"}, {"Speccy", "/s"}, {"Zes", "/z"}}, 2);
        QCOMPARE(s.rowTexts(), QStringList({"Fuse", "Speccy (default)", "Zes"}));
        s.selectRow(row == 1 ? 2 : -1); // the third row stands for entry 3
        QAbstractButton* b = s.button(setDefaultName(kind));
        b->setEnabled(true);
        b->click();
        QCOMPARE(s.defaultIndex(), defaultAfter);
        if (defaultAfter >= 0)
            QCOMPARE(s.rowTexts(), QStringList({"Fuse", "Speccy", "Zes (default)"}));
        else
            QCOMPARE(s.rowTexts(), QStringList({"Fuse", "Speccy", "Zes"}));
    }

    void defaultsThatNameNoRowAreCleared() {
        for (const int stale : {-1, 1, 7}) {
            Session s;
            s.open(ProgramListKind::Emulators, {{"Fuse", "/f"}, {"", "/hole"}}, stale);
            QCOMPARE(s.defaultIndex(), tolm::kNone);
            QCOMPARE(s.rows()->selectedItems().size(), 0);
        }
    }

    void runWithMenuAfterClosing_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Close button") << "button";
        QTest::newRow("title bar close box") << "close box";
        QTest::newRow("Escape") << "escape";
    }

    // Whichever way the emulators dialog goes, the Run With items match the list.
    void runWithMenuAfterClosing() {
        QFETCH(QString, how);
        tolm::test::Scratch dir;
        tolm::AppState state;
        tolm::test::ScriptedDialogs dialogs;
        tolm::test::RecordingLauncher launcher;
        dir.write(QStringLiteral("tolm.ini"),
                  dir.expand(QStringLiteral("[emulators]\r\nnum=2\r\nemu00=Fuse\r\nfile00=/f\r\n"
                                            "emu01=Speccy\r\nfile01=/s\r\n"))
                      .toUtf8());
        state.programDirectory = dir.str();
        tolm::ui::MainWindow window(state, dialogs, launcher, 0);
        auto* runWith = window.findChild<QMenu*>(QStringLiteral("mnuRunWith"));
        const auto visible = [runWith] {
            QStringList out;
            for (QAction* a : runWith->actions())
                if (a->isVisible())
                    out << a->text();
            return out;
        };
        QCOMPARE(visible(), QStringList({"Fuse", "Speccy"}));
        dialogs.answers = {Answer::Yes};
        whileModal("frmEmulators", [how](QWidget* d) {
            auto* rows = d->findChild<QListWidget*>(QStringLiteral("lstEmus"));
            rows->setCurrentRow(0);
            d->findChild<QPushButton*>(QStringLiteral("cmdRemove"))->click();
            if (how == QLatin1String("button"))
                d->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
            else if (how == QLatin1String("escape"))
                QTest::keyClick(d, Qt::Key_Escape);
            else
                d->close();
        });
        window.findChild<QAction*>(QStringLiteral("mnuemus0"))->trigger();
        QCOMPARE(visible(), QStringList({"Speccy"}));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void moreThanTwentyEmulators() {
        tolm::test::Scratch dir;
        tolm::AppState state;
        tolm::test::ScriptedDialogs dialogs;
        tolm::test::RecordingLauncher launcher;
        QString ini = QStringLiteral("[emulators]\r\nnum=21\r\n");
        for (int i = 0; i < 21; ++i)
            ini += QStringLiteral("emu%1=E%2\r\nfile%1=/e%2\r\n")
                       .arg(i, 2, 10, QLatin1Char('0'))
                       .arg(i);
        dir.write(QStringLiteral("tolm.ini"), ini.toUtf8());
        state.programDirectory = dir.str();
        tolm::ui::MainWindow window(state, dialogs, launcher, 0);
        auto* more = window.findChild<QAction*>(QStringLiteral("moreEmulators"));
        auto* runWith = window.findChild<QMenu*>(QStringLiteral("mnuRunWith"));
        QCOMPARE(more->text(), QStringLiteral("More in Emulators..."));
        QVERIFY(more->isVisible() && more->isEnabled());
        QCOMPARE(runWith->actions().indexOf(more), 20); // right after item 19
        QCOMPARE(runWith->actions()[19]->text(), QStringLiteral("E19"));
        // It opens the emulators dialog, which lists all of them.
        int rows = 0;
        dialogs.answers = {Answer::Yes};
        whileModal("frmEmulators", [&rows](QWidget* d) {
            auto* list = d->findChild<QListWidget*>(QStringLiteral("lstEmus"));
            rows = list->count();
            list->setCurrentRow(20);
            d->findChild<QPushButton*>(QStringLiteral("cmdRemove"))->click();
            d->close();
        });
        more->trigger();
        QCOMPARE(rows, 21);
        QVERIFY(!more->isVisible()); // twenty left: every one has its item
    }
};

QTEST_MAIN(ProgramListDialogTest)
#include "program_list_dialog_test.moc"
