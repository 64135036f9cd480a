#include <QtWidgets>

#include "support/main_window_run.h"
#include "ui/config/paths_dialog.h"
#include "ui/config/screenshot_options_dialog.h"
#include "ui/main/screenshot_strip.h"

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
    // Option1/2: horizontal or vertical; Option3/4: full or half size. A
    // stored 5 shows as 1; OK (Command2) stores both and rebuilds the strip,
    // the close box nothing.
    void optionsStoredOnlyByOk() {
        for (const bool ok : {false, true}) {
            tolm::SettingsState settings;
            settings.screenshotLocation = settings.screenshotSize = 5;
            QList<int> rebuiltWith; // the options the strip was rebuilt with
            ScreenshotOptionsDialog dialog(
                settings,
                [&] { rebuiltWith << settings.screenshotLocation << settings.screenshotSize; },
                [](QWidget*) {});
            dialog.show();
            for (int n = 1; n <= 4; ++n)
                QCOMPARE(
                    control<QRadioButton>(dialog, qPrintable(QStringLiteral("Option%1").arg(n)))
                        ->isChecked(),
                    n % 2 == 0);
            if (ok)
                click(dialog, "Command2");
            else
                dialog.close();
            QCOMPARE(settings.screenshotLocation, ok ? 1 : 5);
            QCOMPARE(rebuiltWith, ok ? (QList<int>{1, 1}) : QList<int>());
        }
    }

    // From the main window: File > Paths and "Screenshot Paths" open the paths dialog on its
    // first tab, and what is changed there stays after Cancel; OK rebuilds
    // the strip before the dialog goes.
    void fromTheMainWindow() {
        tolm::test::MainWindowRun run;
        tolm::GameCatalogue games{tolm::test::makeGame("Knight Lore")};
        games[0].screenshots = "a.png,b.png,c.png";
        run.start(games, "[ScreenshotPaths]\r\nnum=2\r\npath00=/one/\r\npath01=/two/\r\n");
        run.window->showDetails(run.window->gameListModel().index(0, 0));
        run.action("mnuss0")->trigger(); // View
        auto* strip = run.window->findChild<tolm::ui::ScreenshotStrip*>();
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

        QRect stripWhenOk;
        whenModal<ScreenshotOptionsDialog>([&](ScreenshotOptionsDialog& options) {
            clickOption(options, 2);
            clickOption(options, 4);
            click(options, "Command2");
            stripWhenOk = strip->geometry();
        });
        run.action("mnuss2")->trigger();
        QCOMPARE(run.state.settings.screenshotLocation, 1);
        QCOMPARE(strip->geometry(), stripWhenOk);
        QCOMPARE(strip->width(), 128); // vertical at half size
    }
};

QTEST_MAIN(ScreenshotOptionsTest)
#include "screenshot_options_test.moc"
