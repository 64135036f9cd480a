#include <QElapsedTimer>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>

#include "settings/search_path_list.h"
#include "support/scripted_dialogs.h"
#include "support/window_fixtures.h"
#include "ui/common/folder_picker.h"
#include "ui/config/directory_probe.h"
#include "ui/config/drive_icons.h"
#include "ui/config/find_rom_path_dialog.h"
#include "ui/config/paths_dialog.h"

using tolm::platform::DriveKind;
using tolm::test::control;
using tolm::ui::PathsDialog;
using Answer = tolm::test::ScriptedDialogs::Answer;
using Paths = std::vector<std::string>;

namespace {

// Answers from a table: a directory's drive kind, and whether it holds files
// (a directory whose name contains "empty" does not). The first test of the
// `blocking` directory waits for release(), the way a dead network mount does.
class TableProbe final : public tolm::ui::DirectoryProbe {
public:
    std::map<std::string, DriveKind> kinds;
    std::string blocking;

    bool holdsFiles(const std::string& directory) const override {
        std::unique_lock<std::mutex> lock(mutex_);
        ++tests_[directory];
        if (directory == blocking && !blocked_) {
            blocked_ = true;
            releasing_.wait(lock, [this] { return released_; });
        }
        return directory.find("empty") == std::string::npos;
    }
    DriveKind driveKind(const std::string& directory) const override {
        const auto found = kinds.find(directory);
        return found == kinds.end() ? DriveKind::Fixed : found->second;
    }
    void release() {
        const std::lock_guard<std::mutex> lock(mutex_);
        released_ = true;
        releasing_.notify_all();
    }
    int testsOf(const std::string& directory) const {
        const std::lock_guard<std::mutex> lock(mutex_);
        return tests_[directory];
    }
    bool isWaiting() const {
        const std::lock_guard<std::mutex> lock(mutex_);
        return blocked_ && !released_;
    }

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable releasing_;
    mutable std::map<std::string, int> tests_;
    mutable bool blocked_ = false;
    bool released_ = false;
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
        const auto pick = [this](QWidget*) {
            ++pickerShown;
            return picks.isEmpty() ? QString() : picks.takeFirst();
        };
        dialog = std::make_unique<PathsDialog>(
            settings, tolm::ui::PathsDialogServices{dialogs, launcher, probe, pick});
        dialog->show();
    }
    QTabWidget* tabs() const { return control<QTabWidget>(*dialog, "SSTab1"); }
    QTreeWidget* list(int tab) const {
        return control<QTreeWidget>(*dialog, tab == 0   ? "lstRoms"
                                             : tab == 1 ? "lstSS"
                                                        : "lstMusic");
    }
    QPushButton* button(const char* name) const { return control<QPushButton>(*dialog, name); }
    // "key=text" per item, in order.
    QStringList items(int tab) const {
        QStringList out;
        for (int i = 0; i < list(tab)->topLevelItemCount(); ++i)
            out << list(tab)->topLevelItem(i)->data(0, PathsDialog::kKeyRole).toString() + '=' +
                       list(tab)->topLevelItem(i)->text(0);
        return out;
    }
    QString iconKey(int row) const {
        const QTreeWidgetItem* item = list(0)->topLevelItem(row);
        return item ? item->data(0, PathsDialog::kIconKeyRole).toString() : QString();
    }
    void select(int tab, int row) const {
        tabs()->setCurrentIndex(tab);
        list(tab)->setCurrentItem(list(tab)->topLevelItem(row));
    }
    // Removes the item on `row`, answering the question with `answer`.
    void remove(int tab, int row, Answer answer = Answer::Yes) {
        dialogs.answers = {answer};
        select(tab, row);
        button("Command3")->click();
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
        }
        s.button("cmdOK")->click();
        QVERIFY(!s.dialog->isVisible());
    }

    // The picked directory ends with a separator; one in the list already
    // (in any letter case), a cancelled pick and a name outside the settings
    // file's code page add nothing.
    void adding_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<Paths>("start");
        QTest::addColumn<QString>("picked"); // empty: the picker cancelled
        QTest::addColumn<QStringList>("items");
        QTest::newRow("to an empty list")
            << 1 << Paths{} << "/shots/" << QStringList{"ss0=/shots/"};
        QTest::newRow("after the others")
            << 2 << Paths{"/a/"} << "/b" << QStringList{"ay0=/a/", "ay1=/b/"};
        QTest::newRow("the same in another case")
            << 0 << Paths{"/games/"} << "/GAMES/" << QStringList{"rom0=/games/"};
        QTest::newRow("the root stays /")
            << 0 << Paths{"/a/"} << "/" << QStringList{"rom0=/a/", "rom1=/"};
        QTest::newRow("cancelled") << 0 << Paths{"/a/"} << "" << QStringList{"rom0=/a/"};
        QTest::newRow("outside the code page")
            << 0 << Paths{"/a/"} << "/\xE6\x97\xA5\xE6\x9C\xAC/" << QStringList{"rom0=/a/"};
    }
    void adding() {
        QFETCH(int, tab);
        QFETCH(Paths, start);
        QFETCH(QString, picked);
        QFETCH(QStringList, items);
        Session s;
        listOf(s.settings, tab) = start;
        s.picks = {picked};
        s.open();
        s.tabs()->setCurrentIndex(tab);
        s.button("Command1")->click();
        QCOMPARE(s.pickerShown, 1);
        QCOMPARE(s.items(tab), items);
        QCOMPARE(listOf(s.settings, tab).size(), std::size_t(items.size()));
        const bool refused =
            QString::fromLatin1(picked.toLatin1()) != picked; // as the file holds it
        QCOMPARE(s.dialogs.messages().size(), std::size_t(refused ? 1 : 0));
        if (refused)
            QVERIFY(s.dialogs.messages()[0].text.endsWith(QStringLiteral("cannot hold")));
    }

    // Asked first; the keys are renumbered; the only entry is blanked.
    void removing() {
        for (const auto& [start, answer, items, after] :
             {std::tuple{Paths{"/a/", "/b/", "/c/"}, Answer::Yes, QStringList{"ss0=/a/", "ss1=/c/"},
                         Paths{"/a/", "/c/"}},
              {Paths{"/a/", "/b/"}, Answer::No, QStringList{"ss0=/a/", "ss1=/b/"},
               Paths{"/a/", "/b/"}},
              {Paths{"/b/"}, Answer::Yes, QStringList{}, Paths{""}}}) {
            Session s;
            s.settings.screenshotPaths = start;
            s.open();
            s.remove(1, start.size() > 1 ? 1 : 0, answer);
            const auto boxes = s.dialogs.messages();
            QCOMPARE(boxes.size(), std::size_t(1));
            QCOMPARE(boxes[0].title, QStringLiteral("Remove path"));
            QCOMPARE(boxes[0].text, QStringLiteral("Are you sure?"));
            QCOMPARE(s.items(1), items);
            QCOMPARE(s.settings.screenshotPaths, after);
            QCOMPARE(s.button("Command3")->isEnabled(), !items.isEmpty());
            QCOMPARE(s.button("Command4")->isEnabled(), !items.isEmpty());
        }
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
    }

    // The icons come from the probe: the drive's kind, crossed out when the
    // directory holds no file.
    void iconsFollowTheDriveAndTheFiles() {
        Session s;
        s.settings.romPaths = {"/fixed/", "/empty fixed/", "/net/", "/empty net/", "/odd/"};
        s.probe->kinds = {{"/net/", DriveKind::Network},
                          {"/empty net/", DriveKind::Network},
                          {"/odd/", DriveKind::Unknown}};
        s.open();
        const QStringList expected{"fixed", "fixedx", "network", "notmapped", "unknown"};
        for (int row = 0; row < expected.size(); ++row)
            QTRY_COMPARE(s.iconKey(row), expected[row]);
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
        QTRY_COMPARE(s.iconKey(2), QStringLiteral("fixed"));
        QTRY_VERIFY(s.probe->isWaiting());
        QCOMPARE(s.iconKey(0), QStringLiteral("unknown"));

        // Remove /dead/: /b/ becomes rom0; the blocked answer (rom0 of the old
        // fill, "ram") must not land on it.
        s.remove(0, 0);
        QCOMPARE(s.items(0), QStringList({"rom0=/b/", "rom1=/c/"}));
        QTRY_COMPARE(s.iconKey(0), QStringLiteral("fixed"));
        s.probe->release();
        QTest::qWait(100);
        QCOMPARE(s.iconKey(0), QStringLiteral("fixed"));

        // Closing while a test is blocked returns at once; the answer then
        // finds no dialog.
        s.probe = std::make_shared<TableProbe>();
        s.probe->blocking = "/b/";
        s.open();
        QTRY_VERIFY(s.probe->isWaiting());
        QElapsedTimer closing;
        closing.start();
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
        QTRY_COMPARE(s.iconKey(1), QStringLiteral("fixed"));
        QCOMPARE(s.iconKey(0), QStringLiteral("unknown"));
        s.probe->release();
        QTRY_COMPARE(s.iconKey(0), QStringLiteral("ram"));
        QCOMPARE(s.probe->testsOf("/dead/"), 1);
    }

    // Eleven distinct pictures, crossed in red where the key ends in "x"; the
    // magenta they are drawn on never shows.
    void elevenIconsOnMagentaShownWithoutIt() {
        QSet<QByteArray> seen;
        for (std::string_view key : tolm::kDriveIconKeys) {
            const QImage picture = tolm::ui::driveIconPicture(key);
            QCOMPARE(picture.size(), QSize(16, 16));
            const QRgb middle = picture.pixel(8, 8);
            QCOMPARE(qRed(middle) > 200 && qGreen(middle) < 60, key.back() == 'x');
            const QImage shown = tolm::ui::driveIcon(key).pixmap(16, 16).toImage().convertToFormat(
                QImage::Format_ARGB32);
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x)
                    QVERIFY(qAlpha(shown.pixel(x, y)) == 0 ||
                            (shown.pixel(x, y) | 0xff000000) != tolm::ui::kDriveIconBackground);
            seen.insert(QByteArray(reinterpret_cast<const char*>(picture.constBits()),
                                   picture.sizeInBytes()));
        }
        QCOMPARE(seen.size(), 11);
    }

    void findRomPathPicksTheOpenDirectory() {
        QTemporaryDir scratch;
        const std::tuple<QString, const char*, QString> cases[] = {
            {scratch.path(), "cmdOK", scratch.path() + '/'},
            {"/", "cmdOK", "/"},
            {scratch.path(), "cmdCancel", ""}};
        for (const auto& [open, button, picked] : cases) {
            tolm::test::ScriptedDialogs dialogs;
            tolm::ui::FindRomPathDialog dialog(dialogs);
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Locate Rom path"));
            dialog.show();
            dialog.picker().setOpenDirectory(open);
            control<QPushButton>(dialog, button)->click();
            QCOMPARE(dialog.result(),
                     int(picked.isEmpty() ? QDialog::Rejected : QDialog::Accepted));
            QCOMPARE(dialog.pickedFolder(), picked);
        }
    }
};

QTEST_MAIN(PathsDialogTest)
#include "paths_dialog_test.moc"
