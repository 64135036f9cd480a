#include <QElapsedTimer>
#include <QtTest>

#include "state/app_state.h"
#include "ui/main/about_window.h"
#include "ui/main/artwork.h"
#include "ui/main/details_panel.h"
#include "ui/main/screenshot_strip.h"
#include "ui/main/splash_window.h"
#include "ui/main/window_geometry.h"

using namespace tolm::ui;

namespace {

// Counts the artwork's palette: [0] black, [1] red, [2] yellow, [3] green,
// [4] cyan, [5] dark banner, [6] light lettering, [7] anything else.
QList<int> census(const QImage& image) {
    QList<int> count(8, 0);
    const auto hi = [](int v) { return v >= 150; };
    const auto lo = [](int v) { return v <= 60; };
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            const int r = qRed(p), g = qGreen(p), b = qBlue(p);
            ++count[r + g + b == 0               ? 0
                    : qMax(r, qMax(g, b)) <= 70  ? 5
                    : qMin(r, qMin(g, b)) >= 200 ? 6
                    : hi(r) && lo(g) && lo(b)    ? 1
                    : hi(r) && hi(g) && lo(b)    ? 2
                    : lo(r) && hi(g) && lo(b)    ? 3
                    : lo(r) && hi(g) && hi(b)    ? 4
                                                 : 7];
        }
    return count;
}

} // namespace

// The About and splash windows, the artwork, and the sizes the main window
// takes from the screen.
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

    // The pictures share a palette, and each carries its own words.
    void artwork() {
        const QImage pictures[] = {titlePicture(), logoPicture(), placeholderPicture(),
                                   programIcon().pixmap(QSize(32, 32)).toImage()};
        const QSize sizes[] = {{240, 192}, {240, 192}, {256, 192}, {32, 32}};
        QList<int> lettering;
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(pictures[i].size(), sizes[i]);
            const QList<int> count = census(pictures[i]);
            QCOMPARE(count[7], 0);
            QVERIFY(count[1] > 0 && count[4] > 0 && count[6] > 0); // red, cyan, lettering
            lettering << count[6];
        }
        QVERIFY(lettering[0] != lettering[1] && lettering[1] != lettering[2]);
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
