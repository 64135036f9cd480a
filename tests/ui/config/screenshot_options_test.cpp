#include <QtWidgets>

#include "support/main_window_run.h"
#include "ui/config/paths_dialog.h"
#include "ui/config/screenshot_options_dialog.h"

using tolm::test::control;
using tolm::test::whenModal;
using tolm::ui::PathsDialog;
using tolm::ui::ScreenshotOptionsDialog;

namespace {

void clickOption(const QWidget& dialog, int n) {
    const QByteArray name = "Option" + QByteArray::number(n);
    QTest::mouseClick(control<QRadioButton>(dialog, name.constData()), Qt::LeftButton, {},
                      QPoint(4, 4));
}
void click(const QWidget& dialog, const char* name) {
    control<QPushButton>(dialog, name)->click();
}

} // namespace

class ScreenshotOptionsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A stored 5 is out of range: OK (Command2) stores it as 1 for both
    // options, then rebuilds the strip. Cancel is checked from the window.
    void outOfRangeOptionsStoredAsOne() {
        tolm::SettingsState settings;
        settings.screenshotLocation = settings.screenshotSize = 5;
        QList<int> rebuiltWith; // the options the strip was rebuilt with
        ScreenshotOptionsDialog dialog(
            settings,
            [&] { rebuiltWith << settings.screenshotLocation << settings.screenshotSize; },
            [](QWidget*) {});
        click(dialog, "Command2");
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
            clickOption(options, 2);
            whenModal<PathsDialog>([&](PathsDialog& paths) {
                QCOMPARE(control<QTabWidget>(paths, "SSTab1")->currentIndex(), 0);
                control<QTabWidget>(paths, "SSTab1")->setCurrentIndex(1);
                auto* list = control<QTreeWidget>(paths, "lstSS");
                list->setCurrentItem(list->topLevelItem(0));
                click(paths, "Command3"); // Remove, answered Yes
                click(paths, "cmdOK");
            });
            click(options, "cmdSSPaths");
            click(options, "Command1"); // Cancel
        });
        run.action("mnuss2")->trigger();
        QCOMPARE(run.state.settings.screenshotPaths, std::vector<std::string>{"/two/"});
        QCOMPARE(run.state.settings.screenshotLocation, 0);
    }
};

QTEST_MAIN(ScreenshotOptionsTest)
#include "screenshot_options_test.moc"
