#include <QElapsedTimer>
#include <QLabel>
#include <QtTest>

#include "ui/main/about_window.h"
#include "ui/main/artwork.h"
#include "ui/main/splash_window.h"

using namespace tolm::ui;

namespace {

// The artwork's palette: black, the four stripe colours, a dark banner and
// light lettering. 6 is lettering, 7 anything else (blended or stray colours).
int Kind(QRgb pixel) {
    const int r = qRed(pixel), g = qGreen(pixel), b = qBlue(pixel);
    const auto hi = [](int v) { return v >= 150; };
    const auto lo = [](int v) { return v <= 60; };
    if (r == 0 && g == 0 && b == 0)
        return 0;
    if (qMax(r, qMax(g, b)) <= 70)
        return 5;
    if (qMin(r, qMin(g, b)) >= 200)
        return 6;
    if (hi(r) && lo(b))
        return lo(g) ? 1 : hi(g) ? 2 : 7;
    if (lo(r) && hi(g))
        return lo(b) ? 3 : hi(b) ? 4 : 7;
    return 7;
}

QList<int> Census(const QImage& image) {
    QList<int> count(8, 0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++count[Kind(image.pixel(x, y))];
    return count;
}

} // namespace

class SmallWindowsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aboutHasThreeLines() {
        const QStringList lines = AboutWindow::AboutText().split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 3); // and no break after the last
        for (const QString& line : lines)
            QVERIFY(!line.trimmed().isEmpty() && !line.contains(QLatin1Char('\n')) &&
                    !line.contains(QLatin1Char('\r')));
        QVERIFY(lines[0].endsWith(QStringLiteral(" (Tolm) v0.3 beta")));
        AboutWindow about(nullptr);
        QCOMPARE(about.findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                 AboutWindow::AboutText());
    }

    void splashLoadsOnceThenCloses_data() {
        QTest::addColumn<int>("delayMs");
        QTest::newRow("at once") << 0;
        QTest::newRow("after a pause") << 300;
    }

    void splashLoadsOnceThenCloses() {
        QFETCH(int, delayMs);
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
            delayMs, nullptr);
        QCOMPARE(splash.exec(), int(QDialog::Accepted));
        QVERIFY(visibleDuringLoad);
        QVERIFY(!splash.isVisible());
        // The pause counts from the end of loading (a coarse timer may fire 5% early).
        QVERIFY(sinceLoad.elapsed() >= delayMs * 94 / 100);
        splash.show(); // neither loads again nor closes again
        QTest::qWait(delayMs + 100);
        QCOMPARE(loads, 1);
        QVERIFY(splash.isVisible());
    }

    void artwork_data() {
        QTest::addColumn<QImage>("image");
        QTest::addColumn<QSize>("size");
        QTest::newRow("title") << TitlePicture() << QSize(240, 192);
        QTest::newRow("logo") << Logo() << QSize(240, 192);
        QTest::newRow("placeholder") << PlaceholderPicture() << QSize(256, 192);
        QTest::newRow("icon") << ProgramIcon().pixmap(QSize(32, 32)).toImage() << QSize(32, 32);
    }

    void artwork() {
        QFETCH(QImage, image);
        QFETCH(QSize, size);
        QCOMPARE(image.size(), size);
        const QList<int> count = Census(image);
        QCOMPARE(count[7], 0);
        QVERIFY(count[1] > 0 && count[4] > 0 && count[6] > 0); // red, cyan, lettering
    }

    void eachPictureCarriesItsOwnText() {
        const int title = Census(TitlePicture())[6];
        const int logo = Census(Logo())[6];
        const int placeholder = Census(PlaceholderPicture())[6];
        QVERIFY(title != logo && logo != placeholder && title != placeholder);
    }
};

QTEST_MAIN(SmallWindowsTest)
#include "small_windows_test.moc"
