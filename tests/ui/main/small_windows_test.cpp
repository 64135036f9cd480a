#include <QElapsedTimer>
#include <QtTest>

#include "state/app_state.h"
#include "ui/main/about_window.h"
#include "ui/main/details_panel.h"
#include "ui/main/screenshot_strip.h"
#include "ui/main/splash_window.h"
#include "ui/main/window_geometry.h"

using namespace tolm::ui;

// The About and splash windows, and the sizes the main window takes from the
// screen.
class SmallWindowsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aboutHasThreeLines() {
        const QString text = AboutWindow::aboutText();
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 3); // and no break after the last, nor a stray one
        QCOMPARE(text.count(QLatin1Char('\n')) + text.count(QLatin1Char('\r')), 4);
        QVERIFY(lines[0].endsWith(QStringLiteral(" (Tolm) v0.3 beta")) && !lines[2].isEmpty());
    }

    void splashLoadsOnceThenCloses() {
        int loads = 0;
        bool visibleDuringLoad = false;
        QElapsedTimer sinceLoad;
        SplashWindow splash(
            [&](QWidget* shown) {
                ++loads;
                visibleDuringLoad = shown != nullptr && shown->isVisible();
                QTest::qWait(100); // a slow load does not shorten the pause
                sinceLoad.start();
            },
            300, nullptr);
        QCOMPARE(splash.exec(), int(QDialog::Accepted));
        QVERIFY(visibleDuringLoad && !splash.isVisible());
        // The pause counts from the end of loading (a coarse timer may fire 5% early).
        QVERIFY(sinceLoad.elapsed() >= 300 * 94 / 100);
        splash.show(); // neither loads again nor closes again
        QTest::qWait(400);
        QCOMPARE(loads, 1);
        QVERIFY(splash.isVisible());
    }

    // Every size given in twips follows the screen's dpi: the window's
    // limits, the details tabs, the strip's arrows.
    void sizesInTwips() {
        // clang-format off
        const struct { double dpi; QSize screen, minimum, tabs; int arrow; } cases[] = {
            {96, {1920, 1080}, {609, 575}, {587, 113}, 16},
            {120, {1920, 1080}, {761, 719}, {734, 141}, 20},
            // 9135 / 10 = 913.5 and 8625 / 10 = 862.5: ties go to the even pixel.
            {144, {2560, 1440}, {914, 862}, {880, 170}, 24}};
        // clang-format on
        for (const auto& c : cases) {
            const tolm::ui::SizeLimits limits = tolm::ui::computeSizeLimits(c.dpi, c.dpi, c.screen);
            QCOMPARE(QSize(limits.minWidth, limits.minHeight), c.minimum);
            QCOMPARE(QSize(limits.maxWidth, limits.maxHeight), c.screen);
            const tolm::ui::TwipsScale scale{c.dpi, c.dpi};
            tolm::ui::DetailsPanel panel(nullptr, scale);
            panel.show();
            QVERIFY(QTest::qWaitForWindowExposed(&panel));
            QCOMPARE(panel.size(), c.tabs);
            tolm::AppState state;
            const tolm::ui::ScreenshotStrip strip(state, nullptr, scale);
            for (auto direction : {tolm::ui::ArrowDirection::Left, tolm::ui::ArrowDirection::Down})
                QCOMPARE(strip.arrow(direction)->size(), QSize(c.arrow, c.arrow));
        }
    }

    // A stored placement stays where it was unless no screen can reach it.
    void placement() {
        const QRect primary(0, 0, 1920, 1080);
        // clang-format off
        for (const auto& [stored, expected] : {
                 std::pair{QRect(100, 50, 800, 600), QPoint(100, 50)},    // on the screen
                 {QRect(-300, 10, 800, 600), QPoint(-300, 10)},           // partly off, reachable
                 {QRect(2500, 100, 800, 600), QPoint(560, 240)},          // a monitor that is gone
                 {QRect(100, -5000, 800, 600), QPoint(560, 240)}})        // above the screen
            QCOMPARE(tolm::ui::placementFor(stored, {primary}, primary), expected);
        // clang-format on
    }
};

QTEST_MAIN(SmallWindowsTest)
#include "small_windows_test.moc"
