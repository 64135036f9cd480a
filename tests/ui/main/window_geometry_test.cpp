#include <QTest>

#include "state/app_state.h"
#include "ui/main/details_panel.h"
#include "ui/main/screenshot_strip.h"
#include "ui/main/window_geometry.h"

class WindowGeometryTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every size given in twips follows the screen's dpi: the window's
    // limits, the details tabs, the strip's arrows.
    void sizesInTwips_data() {
        QTest::addColumn<double>("dpi");
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("minimum");
        QTest::addColumn<QSize>("tabs");
        QTest::addColumn<int>("arrow");
        QTest::newRow("96 dpi") << 96.0 << QSize(1920, 1080) << QSize(609, 575) << QSize(587, 113)
                                << 16;
        QTest::newRow("120 dpi") << 120.0 << QSize(1920, 1080) << QSize(761, 719) << QSize(734, 141)
                                 << 20;
        // 9135 / 10 = 913.5 and 8625 / 10 = 862.5: ties go to the even pixel.
        QTest::newRow("144 dpi ties")
            << 144.0 << QSize(2560, 1440) << QSize(914, 862) << QSize(880, 170) << 24;
    }
    void sizesInTwips() {
        QFETCH(double, dpi);
        QFETCH(QSize, screen);
        QFETCH(QSize, minimum);
        QFETCH(QSize, tabs);
        QFETCH(int, arrow);
        const tolm::ui::SizeLimits limits = tolm::ui::computeSizeLimits(dpi, dpi, screen);
        QCOMPARE(QSize(limits.minWidth, limits.minHeight), minimum);
        QCOMPARE(QSize(limits.maxWidth, limits.maxHeight), screen);
        const tolm::ui::TwipsScale scale{dpi, dpi};
        tolm::ui::DetailsPanel panel(nullptr, scale);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        QCOMPARE(panel.size(), tabs);
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
        QCOMPARE(tolm::ui::placementFor(stored, {primary}, primary), expected);
    }
};

QTEST_MAIN(WindowGeometryTest)
#include "window_geometry_test.moc"
