#include <QComboBox>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTreeView>
#include <QtTest>

#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"
#include "ui/widgets/file_filters.h"
#include "ui/widgets/folder_picker.h"
#include "ui/widgets/name_filters.h"
#include "ui/widgets/qt_text.h"
#include "ui/widgets/user_dialogs.h"

using namespace tolm;
using namespace tolm::ui;

// The folder picker shared by the dialogs that choose a directory, and the
// name filters of the file dialogs.

class CommonWidgetsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void drivesAndDirectories() {
        test::TempDir dir;
        dir.write("games/manic.z80");
        const std::string games = dir.sub("games"), gone = dir.sub("no-such-drive");
        test::ScriptedDialogs dialogs;
        QWidget owner;
        FolderPicker picker(dialogs, &owner, [&] {
            return std::vector<std::string>{"/", gone, games};
        });
        QComboBox* drives = picker.driveList();
        // A trailing separator is dropped; the drive holding it is shown.
        picker.setOpenDirectory(toQt(dir.sub("games/")));
        QCOMPARE(picker.openDirectory(), toQt(games));
        QCOMPARE(drives->currentIndex(), 2);
        // A directory that has gone opens its nearest readable parent.
        picker.setOpenDirectory(toQt(dir.sub("games/missing/deeper")));
        QCOMPARE(picker.openDirectory(), toQt(games));

        QSignalSpy opened(&picker, &FolderPicker::directoryOpened);
        // An unreadable drive says so and leaves the open directory alone.
        drives->setCurrentIndex(1);
        Q_EMIT drives->activated(1);
        QCOMPARE(dialogs.boxes(), QStringList{"Drive Error|No such file or directory"});
        QCOMPARE(picker.openDirectory(), toQt(games));
        // A readable drive opens at its root.
        drives->setCurrentIndex(0);
        Q_EMIT drives->activated(0);
        QCOMPARE(picker.openDirectory(), QStringLiteral("/"));
        QCOMPARE(opened.count(), 1);
    }

    // Each folder-pick window keeps its name and caption; Enter on the open
    // directory reaches OK, its default button, which takes that directory.
    void folderPickDialogs() {
        // The kind, the window's name and caption, what the picked directory ends with.
        const struct {
            UserDialogs::FolderKind kind;
            const char *name, *ending;
        } cases[] = {
            {UserDialogs::FolderKind::SearchPath, "frmFindRomPath|Locate Rom path", "games/"},
            {UserDialogs::FolderKind::SgdDirectory, "frmfindDir|Locate SGD Directory", "games"}};
        for (const auto& [kind, name, ending] : cases) {
            test::TempDir dir;
            dir.write("games/manic.z80");
            test::ScriptedDialogs dialogs;
            FolderPickDialog picker(kind, dialogs, nullptr,
                                    [] { return std::vector<std::string>{"/"}; });
            QCOMPARE(picker.objectName() + '|' + picker.windowTitle(), QLatin1String(name));
            picker.picker().setOpenDirectory(toQt(dir.sub("games")));
            picker.show();
            QVERIFY(QTest::qWaitForWindowExposed(&picker));
            QTest::keyClick(picker.picker().directoryList(), Qt::Key_Return);
            QCOMPARE(picker.result(), int(QDialog::Accepted));
            QCOMPARE(picker.pickedFolder(), toQt(dir.sub("")) + QLatin1String(ending));
        }
    }

    // What each dialog's filters let through, whatever the letter case;
    // zipped and compressed game files are game files, among all and as
    // their own kind. The Spectrum's own screens are pictures too, among all
    // and by name (last).
    void dialogFiltersMatch() {
        const struct {
            QString pairs;
            int filter;
            const char* name;
            bool shown;
        } cases[] = {{romFileFilter(), 0, "game.z80", true},
                     {romFileFilter(), -1, "README", true},
                     {romFileFilter(), 0, "a.png", false},
                     {romFileFilter(), 0, "Game (1983)(Me).tzx.zip", true},
                     {romFileFilter(), 0, "GAME.TAP.GZ", true},
                     {romFileFilter(), 6, "game.z80.bz2", true},
                     {romFileFilter(), 6, "game.z80", false},
                     {pictureFileFilter(), 0, "LOADING.SCR", true},
                     {pictureFileFilter(), -1, "loading.scr", true}};
        static const QRegularExpression last(QStringLiteral("\\(([^()]*)\\)$"));
        for (const auto& c : cases) {
            const QStringList filters = qtNameFilters(c.pairs).split(QStringLiteral(";;"));
            QVERIFY(c.filter < filters.size());
            const QString chosen = c.filter < 0 ? filters.last() : filters[c.filter];
            bool matched = false;
            for (const QString& p : last.match(chosen).captured(1).split(QLatin1Char(' ')))
                matched |= QRegularExpression::fromWildcard(p, Qt::CaseSensitive)
                               .match(QLatin1String(c.name))
                               .hasMatch();
            QVERIFY2(matched == c.shown, c.name);
        }
    }
};

QTEST_MAIN(CommonWidgetsTest)
#include "widgets_test.moc"
