#include <QtWidgets>

#include "support/main_window_run.h"
#include "ui/config/paths_dialog.h"
#include "ui/config/screenshot_options_dialog.h"

using tolm::test::control;
using tolm::test::whenModal;
using tolm::ui::PathsDialog;
using tolm::ui::ScreenshotOptionsDialog;

namespace {

void clickOption(const QWidget& dialog, const char* name) {
    QTest::mouseClick(control<QRadioButton>(dialog, name), Qt::LeftButton, {}, QPoint(4, 4));
}
void click(const QWidget& dialog, const char* name) {
    control<QPushButton>(dialog, name)->click();
}

} // namespace

class ScreenshotOptionsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A stored 5 is out of range: OK stores it as 1 for both options, then
    // rebuilds the strip. Cancel is checked from the window.
    void outOfRangeOptionsStoredAsOne() {
        tolm::SettingsState settings;
        tolm::test::ScriptedDialogs dialogs;
        tolm::test::RecordingLauncher launcher;
        settings.screenshotLocation = settings.screenshotSize = 5;
        QList<int> rebuiltWith; // the options the strip was rebuilt with
        ScreenshotOptionsDialog dialog(settings, dialogs, launcher, [&] {
            rebuiltWith << settings.screenshotLocation << settings.screenshotSize;
        });
        click(dialog, ScreenshotOptionsDialog::kOkButton);
        QCOMPARE(rebuiltWith, (QList<int>{1, 1}));
    }

    // From the main window: File > Paths and "Screenshot Paths" open the
    // paths dialog on its first tab, and what is changed there stays after
    // Cancel.
    void fromTheMainWindow() {
        tolm::test::MainWindowRun run;
        run.start({}, "[ScreenshotPaths]\r\nnum=2\r\npath00=/one/\r\npath01=/two/\r\n");
        bool pathsOpened = false;
        whenModal<PathsDialog>([&](PathsDialog& paths) { pathsOpened = true, paths.close(); });
        run.action("file3")->trigger(); // File > Paths
        QVERIFY(pathsOpened);

        run.dialogs.answers = {tolm::test::ScriptedDialogs::Answer::Yes};
        whenModal<ScreenshotOptionsDialog>([&](ScreenshotOptionsDialog& options) {
            clickOption(options, ScreenshotOptionsDialog::kVerticalOption);
            whenModal<PathsDialog>([&](PathsDialog& paths) {
                auto* tabs = control<QTabWidget>(paths, PathsDialog::kTabPanel);
                QCOMPARE(tabs->currentIndex(), 0);
                tabs->setCurrentIndex(1);
                auto* list = control<QTreeWidget>(paths, PathsDialog::kLists[1]);
                list->setCurrentItem(list->topLevelItem(0));
                click(paths, PathsDialog::kRemoveButton); // answered Yes
                click(paths, PathsDialog::kOkButton);
            });
            click(options, ScreenshotOptionsDialog::kPathsButton);
            click(options, ScreenshotOptionsDialog::kCancelButton);
        });
        run.action("mnuss2")->trigger();
        QCOMPARE(run.state.settings.screenshotPaths, std::vector<std::string>{"/two/"});
        QCOMPARE(run.state.settings.screenshotLocation, 0);
    }
};

QTEST_MAIN(ScreenshotOptionsTest)
#include "screenshot_options_test.moc"
