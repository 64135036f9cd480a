#include <QtWidgets>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>

#include "support/scripted_dialogs.h"
#include "support/window_fixtures.h"
#include "ui/config/directory_probe.h"
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
    bool isWaiting() const {
        const std::lock_guard<std::mutex> lock(mutex_);
        return blocked_ && !released_;
    }

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable releasing_;
    mutable bool blocked_ = false;
    bool released_ = false;
};

struct Session {
    tolm::SettingsState settings;
    tolm::test::ScriptedDialogs dialogs;
    tolm::test::RecordingLauncher launcher;
    std::shared_ptr<TableProbe> probe = std::make_shared<TableProbe>();
    std::unique_ptr<PathsDialog> dialog;

    void open() {
        dialog = std::make_unique<PathsDialog>(settings, dialogs, launcher, nullptr, probe);
        dialog->show();
    }
    QTabWidget* tabs() const { return control<QTabWidget>(*dialog, PathsDialog::kTabPanel); }
    QTreeWidget* list(int tab) const {
        return control<QTreeWidget>(*dialog, PathsDialog::kLists[static_cast<std::size_t>(tab)]);
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
    // Removes the item on `row` of `tab`, answering the question with `answer`.
    void remove(int tab, int row, Answer answer = Answer::Yes) {
        dialogs.answers = {answer};
        tabs()->setCurrentIndex(tab);
        list(tab)->setCurrentItem(list(tab)->topLevelItem(row));
        button(PathsDialog::kRemoveButton)->click();
    }
};

} // namespace

class PathsDialogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every change goes into the settings at once. A picked directory ends
    // with a separator; one listed already (as the file system compares), a cancelled
    // pick and a name the settings file cannot hold add nothing. Removing asks
    // first, renumbers the keys and blanks the only entry.
    void editingAList() {
        Session s;
        s.settings.screenshotPaths = {"/a/"};
        s.dialogs.folders = {"/b", "/a/", "/", "", "/\xE6\x97\xA5\xE6\x9C\xAC/"};
        s.open();
        s.tabs()->setCurrentIndex(1);
        for (int pick = 0; pick < 5; ++pick)
            s.button(PathsDialog::kAddButton)->click();
        QCOMPARE(s.dialogs.shown.size(), std::size_t(6)); // five picks, one box
        QCOMPARE(s.dialogs.shown[0].title, QStringLiteral("Locate Rom path"));
        QCOMPARE(s.items(1), QStringList({"ss0=/a/", "ss1=/b/", "ss2=/"}));
        QCOMPARE(s.settings.screenshotPaths, Paths({"/a/", "/b/", "/"}));
        QCOMPARE(s.dialogs.messages().size(), std::size_t(1));
        QVERIFY(s.dialogs.messages()[0].text.endsWith(QStringLiteral("cannot hold")));

        s.remove(1, 1, Answer::No);
        QCOMPARE(s.settings.screenshotPaths, Paths({"/a/", "/b/", "/"}));
        s.remove(1, 1);
        QCOMPARE(s.items(1), QStringList({"ss0=/a/", "ss1=/"}));
        QCOMPARE(s.settings.screenshotPaths, Paths({"/a/", "/"}));

        // Goto Path opens the selected directory, without a word.
        const auto shown = s.dialogs.shown.size();
        s.list(1)->setCurrentItem(s.list(1)->topLevelItem(1));
        s.button(PathsDialog::kGotoButton)->click();
        QCOMPARE(s.launcher.openedDirectories, QStringList{"/"});
        QCOMPARE(s.dialogs.shown.size(), shown);

        s.remove(1, 1);
        s.remove(1, 0);
        QCOMPARE(s.items(1), QStringList());
        QCOMPARE(s.settings.screenshotPaths, Paths{""});
        QVERIFY(!s.button(PathsDialog::kRemoveButton)->isEnabled() &&
                !s.button(PathsDialog::kGotoButton)->isEnabled());
    }

    // A directory on a dead mount: the other icons arrive (the drive's kind,
    // crossed out for no file) and a late answer for a list refilled since is
    // dropped. How fast the dialog opens and closes over dead mounts is the
    // benchmark's.
    void slowExistenceTestHoldsNothingUp() {
        Session s;
        s.settings.romPaths = {"/dead/", "/b/", "/empty c/"};
        s.probe->blocking = "/dead/";
        s.probe->kinds = {{"/dead/", DriveKind::Ram}, {"/empty c/", DriveKind::Cd}};
        s.open();
        QTRY_COMPARE(s.iconKey(2), QStringLiteral("cdx"));
        QTRY_VERIFY(s.probe->isWaiting());
        QCOMPARE(s.iconKey(0), QStringLiteral("unknown"));

        // Remove /dead/: /b/ becomes rom0; the blocked answer (rom0 of the old
        // fill, "ram") must not land on it.
        s.remove(0, 0);
        QCOMPARE(s.items(0), QStringList({"rom0=/b/", "rom1=/empty c/"}));
        QTRY_COMPARE(s.iconKey(0), QStringLiteral("fixed"));
        s.probe->release();
        QTest::qWait(100);
        QCOMPARE(s.iconKey(0), QStringLiteral("fixed"));
    }
};

QTEST_MAIN(PathsDialogTest)
#include "paths_dialog_test.moc"
