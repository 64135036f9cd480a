#include <QtWidgets>

#include "support/scripted_dialogs.h"
#include "support/window_fixtures.h"
#include "ui/edit/add_roms_wizard.h"
#include "ui/widgets/folder_picker.h"

using namespace tolm;
using tolm::test::control;
using Wizard = tolm::ui::AddRomsWizard;

namespace {

struct Session {
    test::Scratch files;
    AppState state;
    test::ScriptedDialogs dialogs;
    Wizard w{state, dialogs};

    QPushButton* button(const char* name) const { return control<QPushButton>(w, name); }
    QListWidget* roms() const { return control<QListWidget>(w, Wizard::kRomList); }
    // Picks `relative` under the scratch directory and goes to the list,
    // once the worker has read it.
    void next(const QString& relative) const {
        w.folderPicker().setOpenDirectory(files.path(relative));
        button(Wizard::kNextButton)->click();
        QTRY_VERIFY(!w.listing());
    }
    // Each of Next, Back and Select All as "caption" when shown and enabled,
    // "(caption)" when shown and disabled, "-" when hidden.
    QString buttons() const {
        QStringList out;
        for (const char* name :
             {Wizard::kNextButton, Wizard::kBackButton, Wizard::kSelectAllButton}) {
            const QPushButton* b = button(name);
            out << (b->isHidden()    ? QStringLiteral("-")
                    : b->isEnabled() ? b->text()
                                     : '(' + b->text() + ')');
        }
        return out.join('|');
    }
};

} // namespace

class AddRomsWizardTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The symbolic link is listed; hidden files and directories are not.
    // Add ROMs does nothing without a selection; Select All and Select None
    // turn it on and off again; Back returns to the directory; Cancel adds
    // nothing.
    void listingSelectingAndCancelling() {
        Session s;
        for (const char* name : {"Manic.z80", "Readme.txt", ".hidden.tap", "subdir/inside.tap"})
            s.files.write(QStringLiteral("roms/") + QLatin1String(name));
        QFile::link(s.files.path(QStringLiteral("roms/Manic.z80")),
                    s.files.path(QStringLiteral("roms/link.z80")));
        // The root keeps its one separator; any other directory gets one.
        s.w.folderPicker().setOpenDirectory(QStringLiteral("/"));
        QCOMPARE(s.w.chosenDirectory(), QStringLiteral("/"));
        s.next(QStringLiteral("roms"));
        QCOMPARE(s.w.chosenDirectory(), s.files.path(QStringLiteral("roms/")));
        QCOMPARE(test::itemTexts(s.roms()), (QStringList{"link.z80", "Manic.z80", "Readme.txt"}));
        QCOMPARE(s.buttons(), QStringLiteral("(Add ROMs)|Back|Select All"));
        s.button(Wizard::kNextButton)->click(); // nothing selected: nothing happens
        QCOMPARE(s.w.result(), int(QDialog::Rejected));
        const struct {
            const char* button;
            int page;
            const char* buttons;
        } steps[] = {{Wizard::kSelectAllButton, 1, "Add ROMs|Back|Select None"},
                     {Wizard::kSelectAllButton, 1, "(Add ROMs)|Back|Select All"},
                     {Wizard::kSelectAllButton, 1, "Add ROMs|Back|Select None"},
                     {Wizard::kBackButton, 0, "Next|-|-"},
                     {Wizard::kNextButton, 1, "(Add ROMs)|Back|Select All"}};
        for (const auto& step : steps) {
            s.button(step.button)->click();
            QTRY_VERIFY(!s.w.listing());
            QCOMPARE(s.w.wizardPage(), step.page);
            QCOMPARE(s.buttons(), QLatin1String(step.buttons));
        }
        s.roms()->item(2)->setSelected(true);
        s.button(Wizard::kCancelButton)->click();
        QCOMPARE(s.w.result(), int(QDialog::Rejected));
        QVERIFY(s.state.catalogue.empty() && s.state.settings.romPaths.empty());
    }

    // A directory named outside Windows-1252 is refused at Next; such files
    // are listed but skipped, with one box naming them all. The others are
    // added (an emptied catalogue's blank record first) and their directory
    // joins the ROM paths.
    void addsWhatTheCatalogueCanHold() {
        Session s;
        const QString polish = QString::fromUtf8("\xC5\x81\xC3\xB3\x64\xC5\xBA.tap");
        const QString cyrillic = QString::fromUtf8("\xD0\x98\xD0\xB3\xD1\x80\xD0\xB0.z80");
        for (const QString& name : {polish, cyrillic, QStringLiteral("Fine.tap")})
            s.files.write(QStringLiteral("roms/") + name);
        s.files.write(QStringLiteral("Gry ") + polish + QStringLiteral("/a.tap"));
        s.state.catalogue.resize(1); // emptied: the blank record is filled first
        s.state.settings.romPaths = {"/elsewhere/"};

        s.next(QStringLiteral("Gry ") + polish);
        QCOMPARE(s.w.wizardPage(), 0);
        QCOMPARE(s.dialogs.messages().size(), std::size_t(1));
        QVERIFY(s.dialogs.messages()[0].text.startsWith(s.files.path(QStringLiteral("Gry "))));

        s.next(QStringLiteral("roms"));
        QCOMPARE(s.roms()->count(), 3);
        s.button(Wizard::kSelectAllButton)->click();
        s.button(Wizard::kNextButton)->click();
        QCOMPARE(s.w.result(), int(QDialog::Accepted));
        QCOMPARE(s.dialogs.messages().size(), std::size_t(2));
        const QString box = s.dialogs.messages()[1].text;
        QVERIFY2(box.contains(polish) && box.contains(cyrillic), qPrintable(box));
        GameRecord fine{"Fine", 96, "", 0, "", "Fine.tap", "", "", ""};
        QCOMPARE(s.state.catalogue, GameCatalogue{fine});
        QCOMPARE(s.state.settings.romPaths,
                 (std::vector<std::string>{"/elsewhere/", s.files.entry(QStringLiteral("roms"))}));
    }
};

QTEST_MAIN(AddRomsWizardTest)
#include "add_roms_wizard_test.moc"
