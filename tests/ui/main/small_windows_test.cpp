#include <QtTest>

#include "state/app_state.h"
#include "ui/main/details_panel.h"
#include "ui/main/screenshot_strip.h"
#include "ui/main/window_geometry.h"

// The sizes and the place the main window takes from the screen.
class SmallWindowsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every size given in twips follows the screen's dpi: the window's
    // limits, the details tabs, the strip's arrows.
    void sizesInTwips() {
        // clang-format off
        const struct { double dpi; QSize screen, minimum, tabs; int arrow; } cases[] = {
            {120, {1920, 1080}, {761, 719}, {734, 141}, 20},
            // 9135 / 10 = 913.5 and 8625 / 10 = 862.5: ties go to the even pixel.
            {144, {2560, 1440}, {914, 862}, {880, 170}, 24}};
        // clang-format on
        for (const auto& c : cases) {
            const tolm::ui::SizeLimits limits = tolm::ui::computeSizeLimits(c.dpi, c.dpi, c.screen);
            QCOMPARE(QSize(limits.minWidth, limits.minHeight), c.minimum);
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
                 {QRect(2500, 100, 800, 600), QPoint(560, 240)},          // a monitor that is gone
                 {QRect(100, -5000, 800, 600), QPoint(560, 240)}})        // above the screen
            QCOMPARE(tolm::ui::placementFor(stored, {primary}, primary), expected);
        // clang-format on
    }
};

QTEST_MAIN(SmallWindowsTest)
#include "small_windows_test.moc"
