#include <QTest>
#include <QWidget>

#include "ui/main/window_geometry.h"

using tolm::WindowGeometry;
using tolm::ui::SizeLimits;

class WindowGeometryTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sizeLimits_data();
    void sizeLimits();
    void placement_data();
    void placement();
    void applyAndReport_data();
    void applyAndReport();
};

void WindowGeometryTest::sizeLimits_data() {
    QTest::addColumn<double>("dpiX");
    QTest::addColumn<double>("dpiY");
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QSize>("minimum");
    QTest::newRow("96 dpi") << 96.0 << 96.0 << QSize(1920, 1080) << QSize(609, 575);
    QTest::newRow("120 dpi") << 120.0 << 120.0 << QSize(1920, 1080) << QSize(761, 719);
    // 913.5 and 862.5: ties go to the even neighbour.
    QTest::newRow("144 dpi, ties") << 144.0 << 144.0 << QSize(2560, 1440) << QSize(914, 862);
    QTest::newRow("unequal axes") << 96.0 << 120.0 << QSize(800, 600) << QSize(609, 719);
    QTest::newRow("unknown dpi taken as 96") << 0.0 << -1.0 << QSize(800, 600) << QSize(609, 575);
}

void WindowGeometryTest::sizeLimits() {
    QFETCH(double, dpiX);
    QFETCH(double, dpiY);
    QFETCH(QSize, screen);
    QFETCH(QSize, minimum);
    const SizeLimits limits = tolm::ui::ComputeSizeLimits(dpiX, dpiY, screen);
    QCOMPARE(QSize(limits.minWidth, limits.minHeight), minimum);
    QCOMPARE(QSize(limits.maxWidth, limits.maxHeight), screen);
}

void WindowGeometryTest::placement_data() {
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<QPoint>("expected");
    // Two screens side by side: 1920 x 1080 primary, 1280 x 1024 to its right.
    QTest::newRow("on the primary") << QRect(100, 50, 700, 600) << QPoint(100, 50);
    QTest::newRow("on the second screen") << QRect(2000, 100, 700, 600) << QPoint(2000, 100);
    QTest::newRow("straddling both") << QRect(1700, 100, 700, 600) << QPoint(1700, 100);
    QTest::newRow("left edge off screen, still reachable")
        << QRect(-600, 100, 700, 600) << QPoint(-600, 100);
    QTest::newRow("on a screen that is gone") << QRect(3500, 100, 700, 600) << QPoint(610, 240);
    QTest::newRow("far above") << QRect(100, -5000, 700, 600) << QPoint(610, 240);
    QTest::newRow("a sliver only") << QRect(-690, 100, 700, 600) << QPoint(610, 240);
    QTest::newRow("below the shorter screen") << QRect(2000, 1070, 700, 600) << QPoint(610, 240);
}

void WindowGeometryTest::placement() {
    QFETCH(QRect, frame);
    QFETCH(QPoint, expected);
    const QList<QRect> screens{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    QCOMPARE(tolm::ui::PlacementFor(frame, screens, screens[0]), expected);
}

void WindowGeometryTest::applyAndReport_data() {
    QTest::addColumn<int>("state");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<Qt::WindowStates>("qtState");
    QTest::newRow("normal") << int(WindowGeometry::Normal) << QSize(700, 620)
                            << Qt::WindowStates(Qt::WindowNoState);
    QTest::newRow("maximised") << int(WindowGeometry::Maximised) << QSize()
                               << Qt::WindowStates(Qt::WindowMaximized);
    QTest::newRow("minimised") << int(WindowGeometry::Minimised) << QSize()
                               << Qt::WindowStates(Qt::WindowMinimized);
    QTest::newRow("unknown state shows normal")
        << 7 << QSize() << Qt::WindowStates(Qt::WindowNoState);
}

void WindowGeometryTest::applyAndReport() {
    QFETCH(int, state);
    QFETCH(QSize, size);
    QFETCH(Qt::WindowStates, qtState);
    QWidget window;
    window.setMinimumSize(300, 200);
    WindowGeometry stored;
    stored.state = state;
    stored.width = size.width();
    stored.height = size.height();
    stored.left = 40;
    stored.top = 30;
    tolm::ui::ApplyGeometry(window, stored);
    QCOMPARE(window.windowState(), qtState);
    if (state == WindowGeometry::Normal) {
        QCOMPARE(window.size(), size);
        QCOMPARE(window.pos(), QPoint(40, 30));
    } else {
        QCOMPARE(window.size(), QSize(300, 200)); // what restoring comes back to
    }
    const WindowGeometry reported = tolm::ui::ReportGeometry(window);
    QCOMPARE(reported.state, state == 7 ? int(WindowGeometry::Normal) : state);
    QCOMPARE(QSize(reported.width, reported.height), window.frameGeometry().size());
    QCOMPARE(QPoint(reported.left, reported.top), window.frameGeometry().topLeft());
}

QTEST_MAIN(WindowGeometryTest)
#include "window_geometry_test.moc"
