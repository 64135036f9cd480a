#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>
#include <atomic>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>

#include "settings/search_path_list.h"
#include "ui/common/folder_picker.h"
#include "ui/common/program_launcher.h"
#include "ui/config/directory_probe.h"
#include "ui/config/drive_icons.h"
#include "ui/config/find_rom_path_dialog.h"
#include "ui/config/paths_dialog.h"
#include "support/scripted_dialogs.h"

using tolm::platform::DriveKind;
using tolm::ui::PathsDialog;
using Answer = tolm::test::ScriptedDialogs::Answer;
using Paths = std::vector<std::string>;

namespace {

// Answers from a table: a directory's drive kind, and whether it holds files
// (a directory whose name contains "empty" does not). One directory can be
// made to block until released, the way a dead network mount does.
class TableProbe final : public tolm::ui::DirectoryProbe {
public:
    std::map<std::string, DriveKind> kinds;
    std::string blocking; // the first test of this directory blocks

    bool holdsFiles(const std::string& directory) const override {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            ++tests_[directory];
        }
        if (directory == blocking && !blockedOnce_.exchange(true)) {
            std::unique_lock<std::mutex> lock(mutex_);
            ++waiting_;
            released_.wait(lock, [this] { return released; });
        }
        return directory.find("empty") == std::string::npos;
    }
    DriveKind driveKind(const std::string& directory) const override {
        const auto found = kinds.find(directory);
        return found == kinds.end() ? DriveKind::Fixed : found->second;
    }
    void release() {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            released = true;
        }
        released_.notify_all();
    }
    int testsOf(const std::string& directory) const {
        const std::lock_guard<std::mutex> lock(mutex_);
        return tests_[directory];
    }
    bool isWaiting() const {
        const std::lock_guard<std::mutex> lock(mutex_);
        return waiting_ > 0;
    }

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable released_;
    mutable std::atomic<bool> blockedOnce_{false};
    mutable int waiting_ = 0;
    mutable std::map<std::string, int> tests_; // guarded by mutex_
    bool released = false;
};

struct Session {
    tolm::SettingsState settings;
    tolm::test::ScriptedDialogs dialogs;
    tolm::test::RecordingLauncher launcher;
    std::shared_ptr<TableProbe> probe = std::make_shared<TableProbe>();
    QStringList picks; // the folder picker's answers, in turn
    int pickerShown = 0;
    std::unique_ptr<PathsDialog> dialog;

    void open() {
        dialog = std::make_unique<PathsDialog>(
            settings, tolm::ui::PathsDialogServices{dialogs, launcher, probe, [this](QWidget*) {
                                                        ++pickerShown;
                                                        return picks.isEmpty() ? QString()
                                                                               : picks.takeFirst();
                                                    }});
        dialog->show();
    }
    QTabWidget* tabs() const { return dialog->findChild<QTabWidget*>(QStringLiteral("SSTab1")); }
    QTreeWidget* list(int tab) const {
        static const char* const names[] = {"lstRoms", "lstSS", "lstMusic"};
        return dialog->findChild<QTreeWidget*>(QLatin1String(names[tab]));
    }
    QPushButton* button(const char* name) const {
        return dialog->findChild<QPushButton*>(QLatin1String(name));
    }
    // "key=text" per item, in order.
    QStringList items(int tab) const {
        QStringList out;
        for (int i = 0; i < list(tab)->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = list(tab)->topLevelItem(i);
            out << item->data(0, PathsDialog::kKeyRole).toString() + QLatin1Char('=') +
                       item->text(0);
        }
        return out;
    }
    QString iconKey(int tab, int row) const {
        const QTreeWidgetItem* item = list(tab)->topLevelItem(row);
        return item ? item->data(0, PathsDialog::kIconKeyRole).toString() : QString();
    }
    void select(int tab, int row) const {
        tabs()->setCurrentIndex(tab);
        list(tab)->setCurrentItem(list(tab)->topLevelItem(row));
    }
};

Paths& listOf(tolm::SettingsState& s, int tab) {
    return tab == 0 ? s.romPaths : tab == 1 ? s.screenshotPaths : s.musicPaths;
}

} // namespace

class PathsDialogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tabsListsAndButtons() {
        Session s;
        s.settings.romPaths = {"/roms/", "/more/"};
        s.settings.musicPaths = {"", "/hidden/"}; // no first entry: nothing shown
        s.open();
        QCOMPARE(s.dialog->windowTitle(), QStringLiteral("Paths"));
        QCOMPARE(s.tabs()->currentIndex(), 0);
        const QStringList captions{"Rom Paths", " Screenshot Paths", "Music Paths"};
        for (int tab = 0; tab < 3; ++tab) {
            QCOMPARE(s.tabs()->tabText(tab), captions[tab]);
            QCOMPARE(s.list(tab)->headerItem()->text(0), QStringLiteral("Path"));
        }
        for (const auto& [name, text] : {std::pair{"Command1", "Add"},
                                         {"Command3", "Remove"},
                                         {"Command4", "Goto Path"},
                                         {"cmdOK", "OK"}})
            QCOMPARE(s.button(name)->text(), QLatin1String(text));
        QCOMPARE(s.items(0), QStringList({"rom0=/roms/", "rom1=/more/"}));
        QCOMPARE(s.list(0)->currentItem(), s.list(0)->topLevelItem(0)); // first item selected
        QCOMPARE(s.items(2), QStringList());
        // Remove and Goto Path follow whether the current tab holds items.
        for (const int tab : {0, 1, 2, 0}) {
            s.tabs()->setCurrentIndex(tab);
            QCOMPARE(s.button("Command3")->isEnabled(), tab == 0);
            QCOMPARE(s.button("Command4")->isEnabled(), tab == 0);
            QVERIFY(s.button("Command1")->isEnabled() && s.button("cmdOK")->isEnabled());
        }
        s.button("cmdOK")->click();
        QVERIFY(!s.dialog->isVisible());
    }

    void adding_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<Paths>("start");
        QTest::addColumn<QString>("picked"); // empty: the picker cancelled
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<bool>("refused");
        QTest::newRow("to an empty list")
            << 1 << Paths{} << "/shots/" << QStringList{"ss0=/shots/"} << false;
        QTest::newRow("after the others")
            << 0 << Paths{"/a/"} << "/b" << QStringList{"rom0=/a/", "rom1=/b/"} << false;
        QTest::newRow("a blank first entry is replaced")
            << 2 << Paths{"", "/old/"} << "/ay/" << QStringList{"ay0=/ay/"} << false;
        QTest::newRow("the same in another case")
            << 0 << Paths{"/games/"} << "/GAMES/" << QStringList{"rom0=/games/"} << false;
        QTest::newRow("the root stays /")
            << 0 << Paths{"/a/"} << "/" << QStringList{"rom0=/a/", "rom1=/"} << false;
        QTest::newRow("cancelled") << 0 << Paths{"/a/"} << "" << QStringList{"rom0=/a/"} << false;
        QTest::newRow("outside the code page")
            << 0 << Paths{"/a/"} << "/\xE6\x97\xA5\xE6\x9C\xAC/" << QStringList{"rom0=/a/"} << true;
    }

    void adding() {
        QFETCH(int, tab);
        QFETCH(Paths, start);
        QFETCH(QString, picked);
        QFETCH(QStringList, items);
        QFETCH(bool, refused);
        Session s;
        listOf(s.settings, tab) = start;
        s.picks = {picked};
        s.open();
        s.tabs()->setCurrentIndex(tab);
        s.button("Command1")->click();
        QCOMPARE(s.pickerShown, 1);
        QCOMPARE(s.items(tab), items);
        QCOMPARE(s.dialogs.messages().size(), std::size_t(refused ? 1 : 0));
        if (refused)
            QVERIFY(s.dialogs.messages()[0].text.endsWith(QStringLiteral("cannot hold")));
        QCOMPARE(listOf(s.settings, tab).size(), std::size_t(items.size()));
        QVERIFY(s.button("Command3")->isEnabled());
    }

    void removing_data() {
        QTest::addColumn<Paths>("start");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<Paths>("after");
        QTest::newRow("middle: keys renumbered")
            << Paths{"/a/", "/b/", "/c/"} << 1 << true << QStringList{"ss0=/a/", "ss1=/c/"}
            << Paths{"/a/", "/c/"};
        QTest::newRow("answered No") << Paths{"/a/", "/b/"} << 1 << false
                                     << QStringList{"ss0=/a/", "ss1=/b/"} << Paths{"/a/", "/b/"};
        QTest::newRow("the only entry") << Paths{"/a/"} << 0 << true << QStringList{} << Paths{""};
    }

    void removing() {
        QFETCH(Paths, start);
        QFETCH(int, row);
        QFETCH(bool, yes);
        QFETCH(QStringList, items);
        QFETCH(Paths, after);
        Session s;
        s.settings.screenshotPaths = start;
        s.dialogs.answers = {yes ? Answer::Yes : Answer::No};
        s.open();
        s.select(1, row);
        s.button("Command3")->click();
        const auto boxes = s.dialogs.messages();
        QCOMPARE(boxes.size(), std::size_t(1));
        QCOMPARE(boxes[0].title, QStringLiteral("Remove path"));
        QCOMPARE(boxes[0].text, QStringLiteral("Are you sure?"));
        QCOMPARE(boxes[0].icon, tolm::test::ScriptedDialogs::Icon::None);
        QCOMPARE(s.items(1), items);
        QCOMPARE(s.settings.screenshotPaths, after);
        QCOMPARE(s.button("Command3")->isEnabled(), !items.isEmpty());
        QCOMPARE(s.button("Command4")->isEnabled(), !items.isEmpty());
    }

    // A key that names no entry (here a hand-changed one) removes nothing.
    void keyThatNamesNoEntry() {
        Session s;
        s.settings.romPaths = {"/a/", "/b/"};
        s.open();
        s.list(0)->topLevelItem(1)->setData(0, PathsDialog::kKeyRole, QStringLiteral("rom7"));
        s.select(0, 1);
        s.button("Command3")->click();
        QCOMPARE(s.settings.romPaths, (Paths{"/a/", "/b/"}));
        QVERIFY(s.dialogs.messages().empty());
    }

    void gotoPathOpensTheSelectedDirectory() {
        Session s;
        s.settings.musicPaths = {"/music/", "/net/ay"};
        s.open();
        s.select(2, 1);
        s.button("Command4")->click();
        QCOMPARE(s.launcher.openedDirectories, QStringList{"/net/ay"});
        QVERIFY(s.launcher.starts.empty());
        QVERIFY(s.dialogs.shown.empty()); // the outcome is not reported
        QCOMPARE(tolm::ui::asDirectoryPath(QStringLiteral("/net/ay")), QStringLiteral("/net/ay/"));
    }

    void iconsFollowTheDriveAndTheFiles() {
        Session s;
        const std::pair<const char*, DriveKind> dirs[] = {
            {"/fixed/", DriveKind::Fixed},     {"/empty fixed/", DriveKind::Fixed},
            {"/net/", DriveKind::Network},     {"/empty net/", DriveKind::Network},
            {"/media/cd/", DriveKind::Cd},     {"/media/empty cd/", DriveKind::Cd},
            {"/stick/", DriveKind::Removable}, {"/empty stick/", DriveKind::Removable},
            {"/ram/", DriveKind::Ram},         {"/empty ram/", DriveKind::Ram},
            {"games/", DriveKind::NoRoot},     {"/odd/", DriveKind::Unknown},
        };
        for (const auto& [dir, kind] : dirs) {
            s.settings.romPaths.push_back(dir);
            s.probe->kinds[dir] = kind;
        }
        s.open();
        const QStringList expected{"fixed", "fixedx", "network",   "notmapped",
                                   "cd",    "cdx",    "removable", "removablex",
                                   "ram",   "ramx",   "notmapped", "unknown"};
        for (int row = 0; row < expected.size(); ++row)
            QTRY_COMPARE(s.iconKey(0, row), expected[row]);
    }

    // A directory on a dead mount: the dialog is usable at once, the other
    // icons arrive, a late answer for a list refilled since is dropped, and
    // closing does not wait.
    void slowExistenceTestHoldsNothingUp() {
        Session s;
        s.settings.romPaths = {"/dead/", "/b/", "/c/"};
        s.probe->blocking = "/dead/";
        s.probe->kinds["/dead/"] = DriveKind::Ram;
        QElapsedTimer opening;
        opening.start();
        s.open();
        QVERIFY(opening.elapsed() < 2000);
        QTRY_COMPARE(s.iconKey(0, 1), QStringLiteral("fixed"));
        QTRY_COMPARE(s.iconKey(0, 2), QStringLiteral("fixed"));
        QTRY_VERIFY(s.probe->isWaiting());
        QCOMPARE(s.iconKey(0, 0), QStringLiteral("unknown"));
        QVERIFY(s.button("Command3")->isEnabled());

        // Remove /dead/: /b/ becomes rom0; the blocked answer (rom0 of the old
        // fill, "ram") must not land on it.
        s.dialogs.answers = {Answer::Yes};
        s.select(0, 0);
        s.button("Command3")->click();
        QCOMPARE(s.items(0), QStringList({"rom0=/b/", "rom1=/c/"}));
        QTRY_COMPARE(s.iconKey(0, 0), QStringLiteral("fixed"));
        s.probe->release();
        QTest::qWait(100);
        QCOMPARE(s.iconKey(0, 0), QStringLiteral("fixed"));

        // Closing while a test is blocked returns at once; the answer then
        // finds no dialog.
        s.probe = std::make_shared<TableProbe>();
        s.probe->blocking = "/b/";
        s.open();
        QTRY_VERIFY(s.probe->isWaiting());
        QElapsedTimer closing;
        closing.start();
        s.dialog->close();
        s.dialog.reset();
        QVERIFY(closing.elapsed() < 1000);
        s.probe->release();
        QTest::qWait(50);
    }

    // Refilling while a directory's test is blocked asks no second thread to
    // block on it; the one answer serves the newest fill.
    void refillsWaitForTheSameAnswer() {
        Session s;
        s.settings.romPaths = {"/dead/", "/b/"};
        s.probe->blocking = "/dead/";
        s.probe->kinds["/dead/"] = DriveKind::Ram;
        s.picks = {QStringLiteral("/DEAD/"), QStringLiteral("/b/")}; // both already listed
        s.open();
        QTRY_VERIFY(s.probe->isWaiting());
        s.button("Command1")->click();
        s.button("Command1")->click();
        QCOMPARE(s.items(0), QStringList({"rom0=/dead/", "rom1=/b/"}));
        QTRY_COMPARE(s.iconKey(0, 1), QStringLiteral("fixed"));
        QCOMPARE(s.iconKey(0, 0), QStringLiteral("unknown"));
        s.probe->release();
        QTRY_COMPARE(s.iconKey(0, 0), QStringLiteral("ram"));
        QCOMPARE(s.probe->testsOf("/dead/"), 1);
    }

    void elevenIconsOnMagentaShownWithoutIt() {
        QSet<QByteArray> seen;
        for (std::string_view key : tolm::kDriveIconKeys) {
            const QImage picture = tolm::ui::driveIconPicture(key);
            QCOMPARE(picture.size(), QSize(16, 16));
            QCOMPARE(picture.pixel(0, 15), tolm::ui::kDriveIconBackground);
            const bool crossed = key.back() == 'x';
            // The cross runs corner to corner in red.
            QCOMPARE(qRed(picture.pixel(8, 8)) > 200 && qGreen(picture.pixel(8, 8)) < 60, crossed);
            const QImage shown = tolm::ui::driveIcon(key).pixmap(16, 16).toImage().convertToFormat(
                QImage::Format_ARGB32);
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x)
                    QVERIFY(qAlpha(shown.pixel(x, y)) == 0 ||
                            (shown.pixel(x, y) | 0xff000000) != tolm::ui::kDriveIconBackground);
            QCOMPARE(qAlpha(shown.pixel(0, 15)), 0);
            seen.insert(QByteArray(reinterpret_cast<const char*>(picture.constBits()),
                                   picture.sizeInBytes()));
        }
        QCOMPARE(seen.size(), 11); // every key its own picture
    }

    void findRomPathPicksTheOpenDirectory_data() {
        QTest::addColumn<QString>("open"); // "%T" a scratch directory
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("picked");
        QTest::newRow("OK") << "%T" << true << "%T/";
        QTest::newRow("root") << "/" << true << "/";
        QTest::newRow("Cancel") << "%T" << false << "";
    }

    void findRomPathPicksTheOpenDirectory() {
        QFETCH(QString, open);
        QFETCH(bool, ok);
        QFETCH(QString, picked);
        QTemporaryDir scratch;
        tolm::test::ScriptedDialogs dialogs;
        tolm::ui::FindRomPathDialog dialog(dialogs);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Locate Rom path"));
        dialog.show();
        dialog.picker().setOpenDirectory(open.replace(QStringLiteral("%T"), scratch.path()));
        dialog.findChild<QPushButton*>(QLatin1String(ok ? "cmdOK" : "cmdCancel"))->click();
        QCOMPARE(dialog.result(), ok ? int(QDialog::Accepted) : int(QDialog::Rejected));
        QCOMPARE(dialog.pickedFolder(), picked.replace(QStringLiteral("%T"), scratch.path()));
    }
};

QTEST_MAIN(PathsDialogTest)
#include "paths_dialog_test.moc"
