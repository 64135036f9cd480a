#include <QtWidgets>
#include <memory>

#include "support/scripted_dialogs.h"
#include "support/window_fixtures.h"
#include "ui/config/program_list_dialog.h"

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
    QListWidget* rows() const { return control<QListWidget>(*dialog, ProgramListDialog::kList); }
    QPushButton* button(const char* name) const { return control<QPushButton>(*dialog, name); }
    QPushButton* setDefault() const {
        return button(kind == kEmulators ? ProgramListDialog::kEmulatorsSetDefaultButton
                                         : ProgramListDialog::kPlayersSetDefaultButton);
    }
    void selectRow(int row) const {
        rows()->clearSelection();
        if (row >= 0)
            QTest::mouseClick(rows()->viewport(), Qt::LeftButton, {},
                              rows()->visualItemRect(rows()->item(row)).center());
    }
};

} // namespace

class ProgramListDialogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
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
                s.button(ProgramListDialog::kAddButton)->click();

            const auto boxes = s.dialogs.messages();
            QCOMPARE(boxes.size(), std::size_t(2));
            QVERIFY(boxes[0].text.endsWith(QStringLiteral("is not a program that can be started")));
            QVERIFY(boxes[1].text.endsWith(QStringLiteral("cannot hold")));
            Programs expected{{"Mine", tolm::ui::toStd(zx)}, {"zxemu", tolm::ui::toStd(zx)}};
            if (kind == kPlayers)
                expected.pop_back();
            QCOMPARE(s.list(), expected);
            QCOMPARE(s.defaultIndex(), kNone); // adding never sets the default
        }
    }

    // Rows skip the blank and half-filled entries; each acts on its own entry,
    // the default follows its program, and Set Default with no row selected
    // clears it. Remove asks first and needs a selected row (the players'
    // Remove does not wait for one).
    void rowsActOnTheirOwnEntries() {
        Session s;
        s.dialogs.answers = {Answer::No, Answer::Yes};
        s.open(kPlayers, {{"Fuse", "/f"}, {"", "/hole"}, {"Speccy", "/s"}, {"Zes", "/z"}}, 2);
        QCOMPARE(tolm::test::itemTexts(s.rows()), QStringList({"Fuse", "Speccy (default)", "Zes"}));
        s.selectRow(-1);
        s.button(ProgramListDialog::kRemoveButton)->click();
        QVERIFY(s.dialogs.messages().empty());
        s.selectRow(2);
        s.setDefault()->click();
        QCOMPARE(s.defaultIndex(), 3);
        QCOMPARE(s.rows()->currentRow(), 2);
        for (int answer = 0; answer < 2; ++answer) {
            s.selectRow(1);
            s.button(ProgramListDialog::kRemoveButton)->click();
        }
        QCOMPARE(s.list(), (Programs{{"Fuse", "/f"}, {"", "/hole"}, {"Zes", "/z"}}));
        QCOMPARE(tolm::test::itemTexts(s.rows()), QStringList({"Fuse", "Zes (default)"}));
        s.selectRow(-1);
        s.setDefault()->click();
        QCOMPARE(s.defaultIndex(), kNone);
    }

    // The emulators' Remove and Set Default wait for a row click; Set Default
    // stays disabled on the default's own row. The players' never wait.
    void buttonsFollowTheClickedRow() {
        // The row clicked (-1: none); Remove, then Set Default, "-" when disabled.
        const struct {
            Kind kind;
            int defaultAt, row;
            const char* enabled;
        } cases[] = {{kEmulators, kNone, -1, "--"}, // no click
                     {kEmulators, 1, 1, "R-"},      // the default's row
                     {kEmulators, 1, 0, "RD"},      // another row
                     {kPlayers, kNone, -1, "RD"}};  // no click
        for (const auto& [kind, defaultAt, row, enabled] : cases) {
            Session s;
            s.open(kind, {{"Fuse", "/f"}, {"Speccy", "/s"}}, defaultAt);
            if (row >= 0)
                s.selectRow(row);
            QString seen;
            seen += s.button(ProgramListDialog::kRemoveButton)->isEnabled() ? 'R' : '-';
            seen += s.setDefault()->isEnabled() ? 'D' : '-';
            QCOMPARE(seen, QLatin1String(enabled));
        }
    }
};

QTEST_MAIN(ProgramListDialogTest)
#include "program_list_dialog_test.moc"
