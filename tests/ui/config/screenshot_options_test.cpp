#include <QtWidgets>

#include "support/scripted_dialogs.h"
#include "support/window_fixtures.h"
#include "ui/config/paths_dialog.h"
#include "ui/config/screenshot_options_dialog.h"
#include "ui/main/game_list_model.h"
#include "ui/main/main_window.h"
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

struct Options {
    int location, size;
    QList<int> checked, clicks; // option numbers
    const char* close;          // the button, or nullptr for the title bar's close box
    int locationAfter, sizeAfter;
};

} // namespace

Q_DECLARE_METATYPE(Options)

class ScreenshotOptionsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Option1/2: horizontal or vertical; Option3/4: full or half size; OK
    // (Command2) stores both and rebuilds the strip, Cancel (Command1) nothing.
    void optionsStoredOnlyByOk_data() {
        QTest::addColumn<Options>("row");
        QTest::newRow("1 1 shown, Cancel") << Options{1, 1, {2, 4}, {}, "Command1", 1, 1};
        QTest::newRow("5 stored as 1 by OK") << Options{5, 5, {2, 4}, {}, "Command2", 1, 1};
        QTest::newRow("vertical and half, OK") << Options{0, 0, {1, 3}, {2, 4}, "Command2", 1, 1};
        QTest::newRow("vertical, Cancel") << Options{0, 0, {1, 3}, {2}, "Command1", 0, 0};
        QTest::newRow("half, close box") << Options{0, 0, {1, 3}, {4}, nullptr, 0, 0};
    }
    void optionsStoredOnlyByOk() {
        QFETCH(Options, row);
        tolm::SettingsState settings;
        settings.screenshotLocation = row.location;
        settings.screenshotSize = row.size;
        QList<int> rebuiltWith; // the options the strip was rebuilt with
        int pathsOpened = 0;
        ScreenshotOptionsDialog dialog(
            settings,
            [&] { rebuiltWith << settings.screenshotLocation << settings.screenshotSize; },
            [&](QWidget* owner) { pathsOpened += owner == &dialog; });
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Screenshot options."));
        for (int n = 1; n <= 4; ++n)
            QCOMPARE(control<QRadioButton>(dialog, qPrintable(QStringLiteral("Option%1").arg(n)))
                         ->isChecked(),
                     row.checked.contains(n));
        click(dialog, "cmdSSPaths");
        QCOMPARE(pathsOpened, 1);
        for (int n : row.clicks)
            clickOption(dialog, n);
        if (row.close)
            click(dialog, row.close);
        else
            dialog.close();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(settings.screenshotLocation, row.locationAfter);
        QCOMPARE(settings.screenshotSize, row.sizeAfter);
        const bool ok = row.close && QByteArray(row.close) == "Command2";
        QCOMPARE(rebuiltWith, ok ? (QList<int>{row.locationAfter, row.sizeAfter}) : QList<int>());
    }

    // From the main window: "Screenshot Paths" and File > Paths open the paths
    // dialog on its first tab, and what is changed there stays after Cancel;
    // OK rebuilds the strip before the dialog goes.
    void fromTheMainWindow() {
        tolm::test::Scratch dir;
        tolm::AppState state;
        tolm::test::ScriptedDialogs dialogs;
        tolm::test::RecordingLauncher launcher;
        tolm::GameCatalogue games{tolm::test::makeGame("Knight Lore")};
        games[0].screenshots = "a.png,b.png,c.png";
        dir.writeDatabase(games);
        dir.write(QStringLiteral("tolm.ini"),
                  QByteArray("[ScreenshotPaths]\r\nnum=2\r\npath00=/one/\r\npath01=/two/\r\n"));
        state.programDirectory = dir.str();
        tolm::ui::MainWindow window(state, dialogs, launcher, 0);
        window.resize(1000, 760);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.showDetails(window.gameListModel().index(0, 0));
        control<QAction>(window, "mnuss0")->trigger(); // View
        auto* strip = window.findChild<tolm::ui::ScreenshotStrip*>();

        QList<int> tabs;
        whenModal<PathsDialog>([&](PathsDialog& paths) {
            tabs << control<QTabWidget>(paths, "SSTab1")->currentIndex();
            paths.close();
        });
        control<QAction>(window, "file3")->trigger(); // File > Paths

        dialogs.answers = {tolm::test::ScriptedDialogs::Answer::Yes};
        whenModal<ScreenshotOptionsDialog>([&](ScreenshotOptionsDialog& options) {
            clickOption(options, 2);
            whenModal<PathsDialog>([&](PathsDialog& paths) {
                tabs << control<QTabWidget>(paths, "SSTab1")->currentIndex();
                control<QTabWidget>(paths, "SSTab1")->setCurrentIndex(1);
                auto* list = control<QTreeWidget>(paths, "lstSS");
                list->setCurrentItem(list->topLevelItem(0));
                click(paths, "Command3"); // Remove, answered Yes
                click(paths, "cmdOK");
            });
            click(options, "cmdSSPaths");
            click(options, "Command1"); // Cancel
        });
        control<QAction>(window, "mnuss2")->trigger();
        QCOMPARE(tabs, QList<int>({0, 0}));
        QCOMPARE(state.settings.screenshotPaths, std::vector<std::string>{"/two/"});
        QCOMPARE(state.settings.screenshotLocation, 0);
        QCOMPARE(strip->height(), 192);

        QRect stripWhenOk;
        whenModal<ScreenshotOptionsDialog>([&](ScreenshotOptionsDialog& options) {
            clickOption(options, 2);
            clickOption(options, 4);
            click(options, "Command2");
            stripWhenOk = strip->geometry();
        });
        control<QAction>(window, "mnuss2")->trigger();
        QCOMPARE(state.settings.screenshotLocation, 1);
        QCOMPARE(state.settings.screenshotSize, 1);
        QCOMPARE(strip->geometry(), stripWhenOk);
        QCOMPARE(strip->width(), 128); // vertical at half size
    }
};

QTEST_MAIN(ScreenshotOptionsTest)
#include "screenshot_options_test.moc"
