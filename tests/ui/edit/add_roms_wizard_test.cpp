#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTreeView>
#include <QtTest>
#include <sys/stat.h>

#include "state/app_state.h"
#include "ui/common/folder_picker.h"
#include "ui/edit/add_roms_wizard.h"
#include "ui/edit/edit_test_support.h"
#include "support/scripted_dialogs.h"

using namespace tolm;
using tolm::test::control;
using Wizard = tolm::ui::AddRomsWizard;

namespace {

QPushButton* button(const Wizard& w, const char* name) {
    return control<QPushButton>(w, name);
}
QListWidget* roms(const Wizard& w) {
    return control<QListWidget>(w, "lstMultiRoms");
}
QStringList listed(const Wizard& w) {
    QStringList out;
    for (int i = 0; i < roms(w)->count(); ++i)
        out << roms(w)->item(i)->text();
    return out;
}
// The buttons as the user sees them: caption, "*" when enabled, left to right;
// hidden ones are left out.
QString buttons(const Wizard& w) {
    QStringList out;
    for (const char* name : {"Command3", "Command4", "Command2", "Command1"}) {
        const QPushButton* b = button(w, name);
        if (!b->isHidden())
            out << b->text() + (b->isEnabled() ? QStringLiteral("*") : QString());
    }
    return out.join(QLatin1Char(' '));
}

// The panel in front.
QString frontPanel(const Wizard& w) {
    const auto* pages =
        qobject_cast<QStackedWidget*>(control<QWidget>(w, "Picture10")->parentWidget());
    return pages ? pages->currentWidget()->objectName() : QString();
}

} // namespace

class AddRomsWizardTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pagesButtonsAndListing() {
        test::Files files;
        files.write(QStringLiteral("roms/Manic.z80"));
        files.write(QStringLiteral("roms/Jet.Set.Willy.tap"));
        files.write(QStringLiteral("roms/Readme.txt"));
        files.write(QStringLiteral("roms/.hidden.tap"));
        files.write(QStringLiteral("roms/subdir/inside.tap"));
        QVERIFY(::mkfifo(files.str(QStringLiteral("roms/pipe.tap")).c_str(), 0600) == 0);
        QFile::link(files.path(QStringLiteral("roms/Manic.z80")),
                    files.path(QStringLiteral("roms/link.z80")));
        files.write(QStringLiteral("empty/"));
        AppState state;
        test::ScriptedDialogs dialogs;
        Wizard w(state, dialogs);
        QCOMPARE(w.windowTitle(), QStringLiteral("Add multiple roms"));
        QCOMPARE(w.wizardPage(), 0);
        QCOMPARE(frontPanel(w), QStringLiteral("Picture10"));
        QCOMPARE(buttons(w), QStringLiteral("Cancel* Next*"));
        QCOMPARE(control<QPlainTextEdit>(w, "Text1")->toPlainText(), QString());
        QCOMPARE(control<QLabel>(w, "Label1")->text(),
                 QStringLiteral("Select the directory and click the Next button."));
        QCOMPARE(w.folderPicker().openDirectory(), QDir::currentPath());

        w.folderPicker().setOpenDirectory(files.path(QStringLiteral("roms")));
        QCOMPARE(control<QPlainTextEdit>(w, "Text1")->toPlainText(),
                 QStringLiteral("Current directory: \n") + files.path(QStringLiteral("roms")));
        QCOMPARE(w.chosenDirectory(), files.path(QStringLiteral("roms/")));

        button(w, "Command1")->click();
        QCOMPARE(w.wizardPage(), 1);
        QCOMPARE(frontPanel(w), QStringLiteral("Picture11"));
        QCOMPARE(listed(w),
                 (QStringList{"Jet.Set.Willy.tap", "link.z80", "Manic.z80", "Readme.txt"}));
        QCOMPARE(buttons(w), QStringLiteral("Cancel* Select All* Back* Add ROMs"));

        button(w, "Command4")->click();
        QCOMPARE(buttons(w), QStringLiteral("Cancel* Select None* Back* Add ROMs*"));
        button(w, "Command4")->click();
        QCOMPARE(buttons(w), QStringLiteral("Cancel* Select All* Back* Add ROMs"));
        roms(w)->item(2)->setSelected(true);
        QCOMPARE(buttons(w), QStringLiteral("Cancel* Select All* Back* Add ROMs*"));
        button(w, "Command4")->click(); // Select None is never shown here: it selects all

        // Back, another directory: only its files, and none at all here.
        button(w, "Command2")->click();
        QCOMPARE(w.wizardPage(), 0);
        QCOMPARE(frontPanel(w), QStringLiteral("Picture10"));
        QCOMPARE(buttons(w), QStringLiteral("Cancel* Next*"));
        w.folderPicker().setOpenDirectory(files.path(QStringLiteral("empty")));
        button(w, "Command1")->click();
        QCOMPARE(listed(w), QStringList());
        QCOMPARE(buttons(w), QStringLiteral("Cancel* Back* Add ROMs"));
        button(w, "Command1")->click(); // nothing selected: nothing happens
        QCOMPARE(w.result(), int(QDialog::Rejected));
        QVERIFY(state.catalogue.empty() && state.settings.romPaths.empty());

        // The caption stays as the last toggle left it.
        button(w, "Command2")->click();
        w.folderPicker().setOpenDirectory(files.path(QStringLiteral("roms")));
        button(w, "Command1")->click();
        QCOMPARE(button(w, "Command4")->text(), QStringLiteral("Select None"));
        button(w, "Command3")->click();
        QCOMPARE(w.result(), int(QDialog::Rejected));
        QVERIFY(state.catalogue.empty() && state.settings.romPaths.empty());
        QVERIFY(dialogs.shown.empty());
    }

    void addsTheSelectedFilesInListOrder() {
        test::Files files;
        for (const char* name : {"Manic.z80", "Jet.Set.Willy.tap", "Readme.txt", "skip.tap"})
            files.write(QStringLiteral("roms/") + QLatin1String(name));
        AppState state;
        state.catalogue.resize(1); // emptied: the blank record is filled first
        state.settings.romPaths = {"/elsewhere/"};
        test::ScriptedDialogs dialogs;
        Wizard w(state, dialogs);
        w.folderPicker().setOpenDirectory(files.path(QStringLiteral("roms")));
        button(w, "Command1")->click();
        for (int row : {0, 1, 2})
            roms(w)->item(row)->setSelected(true);
        button(w, "Command1")->click();
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(state.catalogue.size(), std::size_t(3));
        const char* names[] = {"Jet", "Manic", "Readme"};
        const char* romFiles[] = {"Jet.Set.Willy.tap", "Manic.z80", "Readme.txt"};
        for (std::size_t i = 0; i < 3; ++i) {
            QCOMPARE(state.catalogue[i].name, std::string(names[i]));
            QCOMPARE(state.catalogue[i].romFile, std::string(romFiles[i]));
            QCOMPARE(state.catalogue[i].genre, 96);
            QCOMPARE(state.catalogue[i].year, 0);
        }
        QCOMPARE(state.settings.romPaths,
                 (std::vector<std::string>{"/elsewhere/", files.entry(QStringLiteral("roms"))}));
        QVERIFY(dialogs.shown.empty());
    }

    // The root keeps its one separator; any other directory gets one.
    void directoryEndsWithOneSeparator() {
        AppState state;
        test::ScriptedDialogs dialogs;
        Wizard w(state, dialogs);
        w.folderPicker().setOpenDirectory(QStringLiteral("/"));
        QCOMPARE(w.chosenDirectory(), QStringLiteral("/"));
        w.folderPicker().setOpenDirectory(QStringLiteral("/tmp"));
        QCOMPARE(w.chosenDirectory(), QStringLiteral("/tmp/"));
    }

    void namesOutsideWindows1252() {
        test::Files files;
        const QString polish = QString::fromUtf8("\xC5\x81\xC3\xB3\x64\xC5\xBA.tap");
        const QString cyrillic = QString::fromUtf8("\xD0\x98\xD0\xB3\xD1\x80\xD0\xB0.z80");
        files.write(QStringLiteral("roms/") + polish);
        files.write(QStringLiteral("roms/") + cyrillic);
        files.write(QStringLiteral("roms/Fine.tap"));
        files.write(QStringLiteral("Gry ") + polish + QStringLiteral("/a.tap"));
        AppState state;
        test::ScriptedDialogs dialogs;
        Wizard w(state, dialogs);

        // A directory that cannot be stored is refused at Next.
        w.folderPicker().setOpenDirectory(files.path(QStringLiteral("Gry ") + polish));
        button(w, "Command1")->click();
        QCOMPARE(w.wizardPage(), 0);
        QCOMPARE(dialogs.messages().size(), std::size_t(1));
        QVERIFY(dialogs.messages()[0].text.startsWith(files.path(QStringLiteral("Gry "))));

        // Files are listed but skipped, with one box naming them all.
        w.folderPicker().setOpenDirectory(files.path(QStringLiteral("roms")));
        button(w, "Command1")->click();
        QCOMPARE(listed(w).size(), 3);
        button(w, "Command4")->click();
        button(w, "Command1")->click();
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(dialogs.messages().size(), std::size_t(2));
        const QString box = dialogs.messages()[1].text;
        QVERIFY2(box.contains(polish) && box.contains(cyrillic), qPrintable(box));
        QCOMPARE(state.catalogue.size(), std::size_t(1));
        QCOMPARE(state.catalogue[0].name, std::string("Fine"));
    }

    void selectAllIsOneSelectionChange() {
        test::Files files;
        AppState state;
        test::ScriptedDialogs dialogs;
        Wizard w(state, dialogs);
        files.write(QStringLiteral("many/"));
        for (int i = 0; i < 20000; ++i) {
            QFile f(files.path(QStringLiteral("many/g%1.tap").arg(i, 5, 10, QLatin1Char('0'))));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        w.folderPicker().setOpenDirectory(files.path(QStringLiteral("many")));
        button(w, "Command1")->click();
        QCOMPARE(roms(w)->count(), 20000);
        QSignalSpy changes(roms(w), &QListWidget::itemSelectionChanged);
        button(w, "Command4")->click();
        QCOMPARE(changes.count(), 1);
        QVERIFY(button(w, "Command1")->isEnabled());
        button(w, "Command1")->click();
        QCOMPARE(state.catalogue.size(), std::size_t(20000));
        QCOMPARE(state.catalogue[19999].name, std::string("g19999"));
    }
};

QTEST_MAIN(AddRomsWizardTest)
#include "add_roms_wizard_test.moc"
