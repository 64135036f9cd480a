#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

#include "support/window_fixtures.h"
#include "ui/config/screenshot_options_dialog.h"
#include "ui/main/game_list_model.h"
#include "ui/main/main_window.h"
#include "ui/main/screenshot_strip.h"
#include "support/scripted_dialogs.h"

using Answer = tolm::test::ScriptedDialogs::Answer;

namespace {

QRadioButton* option(QWidget* dialog, int n) {
    return dialog->findChild<QRadioButton*>(QStringLiteral("Option%1").arg(n));
}

QPushButton* button(QWidget* dialog, const char* name) {
    return dialog->findChild<QPushButton*>(QLatin1String(name));
}

// Runs `inside` once the modal window `name` is up.
void whileModal(const char* name, const std::function<void(QWidget*)>& inside) {
    QTimer::singleShot(0, [name, inside] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal != nullptr);
        QCOMPARE(modal->objectName(), QLatin1String(name));
        inside(modal);
    });
}

} // namespace

class ScreenshotOptionsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void optionsStoredOnlyByOk_data() {
        QTest::addColumn<int>("location");
        QTest::addColumn<int>("size");
        QTest::addColumn<QList<int>>("checkedAtOpening"); // option numbers
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QString>("close"); // "ok", "cancel", "close box"
        QTest::addColumn<int>("locationAfter");
        QTest::addColumn<int>("sizeAfter");
        QTest::newRow("0 0, OK unchanged")
            << 0 << 0 << QList<int>{1, 3} << QList<int>{} << "ok" << 0 << 0;
        QTest::newRow("1 1 shown")
            << 1 << 1 << QList<int>{2, 4} << QList<int>{} << "cancel" << 1 << 1;
        QTest::newRow("5 stored as 1 by OK")
            << 5 << 5 << QList<int>{2, 4} << QList<int>{} << "ok" << 1 << 1;
        QTest::newRow("vertical and half, OK")
            << 0 << 0 << QList<int>{1, 3} << QList<int>{2, 4} << "ok" << 1 << 1;
        QTest::newRow("vertical, Cancel")
            << 0 << 0 << QList<int>{1, 3} << QList<int>{2} << "cancel" << 0 << 0;
        QTest::newRow("half, close box")
            << 0 << 0 << QList<int>{1, 3} << QList<int>{4} << "close box" << 0 << 0;
    }

    void optionsStoredOnlyByOk() {
        QFETCH(int, location);
        QFETCH(int, size);
        QFETCH(QList<int>, checkedAtOpening);
        QFETCH(QList<int>, clicks);
        QFETCH(QString, close);
        QFETCH(int, locationAfter);
        QFETCH(int, sizeAfter);
        tolm::SettingsState settings;
        settings.screenshotLocation = location;
        settings.screenshotSize = size;
        QList<int> rebuiltWith; // the options the strip was rebuilt with
        int pathsOpened = 0;
        tolm::ui::ScreenshotOptionsDialog dialog(
            settings,
            [&] { rebuiltWith << settings.screenshotLocation << settings.screenshotSize; },
            [&](QWidget* owner) {
                QCOMPARE(owner, &dialog);
                ++pathsOpened;
            });
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Screenshot options."));
        for (int n = 1; n <= 4; ++n)
            QCOMPARE(option(&dialog, n)->isChecked(), checkedAtOpening.contains(n));
        button(&dialog, "cmdSSPaths")->click();
        QCOMPARE(pathsOpened, 1);
        for (int n : clicks)
            QTest::mouseClick(option(&dialog, n), Qt::LeftButton, {}, QPoint(4, 4));
        // Each frame keeps exactly one option.
        QVERIFY(option(&dialog, 1)->isChecked() != option(&dialog, 2)->isChecked());
        QVERIFY(option(&dialog, 3)->isChecked() != option(&dialog, 4)->isChecked());
        if (close == QLatin1String("ok"))
            button(&dialog, "Command2")->click();
        else if (close == QLatin1String("cancel"))
            button(&dialog, "Command1")->click();
        else
            dialog.close();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(settings.screenshotLocation, locationAfter);
        QCOMPARE(settings.screenshotSize, sizeAfter);
        const QList<int> rebuilt =
            close == QLatin1String("ok") ? QList<int>{locationAfter, sizeAfter} : QList<int>();
        QCOMPARE(rebuiltWith, rebuilt);
    }

    // From the main window: OK rebuilds the strip at the new size and place;
    // "Screenshot Paths" opens the paths dialog on its first tab, and what is
    // changed there stays after Cancel.
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
        window.findChild<QAction*>(QStringLiteral("mnuss0"))->trigger(); // View
        auto* strip = window.findChild<tolm::ui::ScreenshotStrip*>();
        QCOMPARE(strip->height(), 192);
        QCOMPARE(strip->slotAt(1)->geometry(), QRect(256, 0, 256, 192));

        // File > Paths opens the same dialog, on its first tab.
        int fileTab = -1;
        whileModal("frmPaths", [&](QWidget* paths) {
            fileTab = paths->findChild<QTabWidget*>(QStringLiteral("SSTab1"))->currentIndex();
            paths->close();
        });
        window.findChild<QAction*>(QStringLiteral("file3"))->trigger();
        QCOMPARE(fileTab, 0);

        // Paths, then Cancel.
        dialogs.answers = {Answer::Yes};
        int pathsTab = -1;
        whileModal("frmSSOptions", [&](QWidget* options) {
            QTest::mouseClick(option(options, 2), Qt::LeftButton, {}, QPoint(4, 4));
            whileModal("frmPaths", [&](QWidget* paths) {
                auto* tabs = paths->findChild<QTabWidget*>(QStringLiteral("SSTab1"));
                pathsTab = tabs->currentIndex();
                tabs->setCurrentIndex(1);
                auto* list = paths->findChild<QTreeWidget*>(QStringLiteral("lstSS"));
                list->setCurrentItem(list->topLevelItem(0));
                button(paths, "Command3")->click(); // Remove, answered Yes
                button(paths, "cmdOK")->click();
            });
            button(options, "cmdSSPaths")->click();
            button(options, "Command1")->click(); // Cancel
        });
        window.findChild<QAction*>(QStringLiteral("mnuss2"))->trigger();
        QCOMPARE(pathsTab, 0);
        QCOMPARE(state.settings.screenshotPaths, std::vector<std::string>{"/two/"});
        QCOMPARE(state.settings.screenshotLocation, 0);
        QCOMPARE(strip->height(), 192);

        // Vertical at half size, OK: the strip is rebuilt before the dialog goes.
        QRect stripWhenOk;
        whileModal("frmSSOptions", [&](QWidget* options) {
            QTest::mouseClick(option(options, 2), Qt::LeftButton, {}, QPoint(4, 4));
            QTest::mouseClick(option(options, 4), Qt::LeftButton, {}, QPoint(4, 4));
            button(options, "Command2")->click();
            stripWhenOk = strip->geometry();
        });
        window.findChild<QAction*>(QStringLiteral("mnuss2"))->trigger();
        const QWidget* client = window.centralWidget();
        QCOMPARE(state.settings.screenshotLocation, 1);
        QCOMPARE(state.settings.screenshotSize, 1);
        QCOMPARE(strip->geometry(), stripWhenOk);
        QCOMPARE(strip->geometry().width(), 128);
        QCOMPARE(strip->geometry().topLeft(), QPoint(client->width() - 136, 0));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(strip->slotAt(i)->geometry(), QRect(0, i * 96, 128, 96));
    }
};

QTEST_MAIN(ScreenshotOptionsTest)
#include "screenshot_options_test.moc"
