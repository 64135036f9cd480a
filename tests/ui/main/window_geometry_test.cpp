#include <QTest>

#include "ui/main/window_geometry.h"

class WindowGeometryTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sizeLimits_data() {
        QTest::addColumn<double>("dpiX");
        QTest::addColumn<double>("dpiY");
        QTest::addColumn<QSize>("minimum");
        QTest::newRow("96 dpi") << 96.0 << 96.0 << QSize(609, 575);
        // 913.5 and 862.5: ties go to the even neighbour.
        QTest::newRow("144 dpi, ties") << 144.0 << 144.0 << QSize(914, 862);
        QTest::newRow("unequal axes") << 96.0 << 120.0 << QSize(609, 719);
        QTest::newRow("unknown dpi taken as 96") << 0.0 << -1.0 << QSize(609, 575);
    }

    void sizeLimits() {
        QFETCH(double, dpiX);
        QFETCH(double, dpiY);
        QFETCH(QSize, minimum);
        const auto limits = tolm::ui::ComputeSizeLimits(dpiX, dpiY, QSize(2560, 1440));
        QCOMPARE(QSize(limits.minWidth, limits.minHeight), minimum);
        QCOMPARE(QSize(limits.maxWidth, limits.maxHeight), QSize(2560, 1440));
    }

    void placement_data() {
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<QPoint>("expected");
        // Two screens: 1920 x 1080 primary, 1280 x 1024 to its right.
        QTest::newRow("straddling both") << QRect(1700, 100, 700, 600) << QPoint(1700, 100);
        QTest::newRow("partly off, reachable") << QRect(-600, 100, 700, 600) << QPoint(-600, 100);
        QTest::newRow("on a screen that is gone") << QRect(3500, 100, 700, 600) << QPoint(610, 240);
        QTest::newRow("a sliver only") << QRect(-690, 100, 700, 600) << QPoint(610, 240);
        QTest::newRow("below the shorter screen")
            << QRect(2000, 1070, 700, 600) << QPoint(610, 240);
    }

    void placement() {
        QFETCH(QRect, frame);
        QFETCH(QPoint, expected);
        const QList<QRect> screens{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
        QCOMPARE(tolm::ui::PlacementFor(frame, screens, screens[0]), expected);
    }
};

QTEST_MAIN(WindowGeometryTest)
#include "window_geometry_test.moc"
