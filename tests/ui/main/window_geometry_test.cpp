#include <QLabel>
#include <QTest>

#include "state/app_state.h"
#include "ui/main/details_panel.h"
#include "ui/main/screenshot_strip.h"
#include "ui/main/window_geometry.h"

using tolm::ui::computeSizeLimits;
using tolm::ui::placementFor;
using tolm::ui::SizeLimits;

class WindowGeometryTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every size given in twips follows the screen's dpi: the window's
    // limits, the details tabs and their labels, the strip's arrows.
    void sizesInTwips_data() {
        QTest::addColumn<double>("dpi");
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("minimum");
        QTest::addColumn<QSize>("maximum");
        QTest::addColumn<QSize>("tabs");
        QTest::addColumn<QRect>("firstCaption"); // "Game Name", in the tabs
        QTest::addColumn<QRect>("lastValue");    // the game type, in the tabs
        QTest::addColumn<int>("arrow");
        QTest::newRow("96 dpi") << 96.0 << QSize(1920, 1080) << QSize(609, 575) << QSize(1920, 1080)
                                << QSize(587, 113) << QRect(8, 32, 85, 16)
                                << QRect(357, 80, 222, 16) << 16;
        QTest::newRow("120 dpi") << 120.0 << QSize(1920, 1080) << QSize(761, 719)
                                 << QSize(1920, 1080) << QSize(734, 141) << QRect(10, 40, 106, 20)
                                 << QRect(446, 100, 278, 20) << 20;
        // 9135 / 10 = 913.5 and 8625 / 10 = 862.5: ties go to the even pixel.
        QTest::newRow("144 dpi ties")
            << 144.0 << QSize(2560, 1440) << QSize(914, 862) << QSize(2560, 1440) << QSize(880, 170)
            << QRect(12, 48, 128, 24) << QRect(536, 120, 332, 24) << 24;
    }
    void sizesInTwips() {
        QFETCH(double, dpi);
        QFETCH(QSize, screen);
        QFETCH(QSize, minimum);
        QFETCH(QSize, maximum);
        QFETCH(QSize, tabs);
        QFETCH(QRect, firstCaption);
        QFETCH(QRect, lastValue);
        QFETCH(int, arrow);
        const SizeLimits limits = computeSizeLimits(dpi, dpi, screen);
        QCOMPARE(QSize(limits.minWidth, limits.minHeight), minimum);
        QCOMPARE(QSize(limits.maxWidth, limits.maxHeight), maximum);

        const tolm::ui::TwipsScale scale{dpi, dpi};
        tolm::ui::DetailsPanel panel(nullptr, scale);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        QCOMPARE(panel.size(), tabs);
        const auto placed = [&panel](const char* name) {
            const auto* label = panel.findChild<QLabel*>(QLatin1String(name));
            return QRect(label->mapTo(&panel, QPoint(0, 0)), label->size());
        };
        QCOMPARE(placed("capGameName"), firstCaption);
        QCOMPARE(placed("lblType"), lastValue);

        tolm::AppState state;
        const tolm::ui::ScreenshotStrip strip(state, nullptr, scale);
        for (auto direction : {tolm::ui::ArrowDirection::Left, tolm::ui::ArrowDirection::Down})
            QCOMPARE(strip.arrow(direction)->size(), QSize(arrow, arrow));
    }

    // A stored placement stays where it was unless no screen can reach it.
    void placement_data() {
        QTest::addColumn<QRect>("stored");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("on the screen") << QRect(100, 50, 800, 600) << QPoint(100, 50);
        QTest::newRow("partly off, still reachable")
            << QRect(-300, 10, 800, 600) << QPoint(-300, 10);
        QTest::newRow("on a monitor that is gone")
            << QRect(2500, 100, 800, 600) << QPoint(560, 240);
        QTest::newRow("above the screen") << QRect(100, -5000, 800, 600) << QPoint(560, 240);
    }
    void placement() {
        QFETCH(QRect, stored);
        QFETCH(QPoint, expected);
        const QRect primary(0, 0, 1920, 1080);
        QCOMPARE(placementFor(stored, {primary}, primary), expected);
    }
};

QTEST_MAIN(WindowGeometryTest)
#include "window_geometry_test.moc"
