#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QtTest>
#include <array>

#include "ui/main/artwork.h"

using namespace tolm::ui;

namespace {

enum Kind { Black, Red, Yellow, Green, Cyan, Banner, Lettering, Other };

// What the style allows: pure black, the four stripe colours, a dark banner
// and light lettering. Anything else (blended edges, stray colours) is Other.
Kind Classify(QRgb pixel) {
    const int r = qRed(pixel), g = qGreen(pixel), b = qBlue(pixel);
    const auto high = [](int v) { return v >= 150; };
    const auto low = [](int v) { return v <= 60; };
    if (r == 0 && g == 0 && b == 0) {
        return Black;
    }
    if (qMin(r, qMin(g, b)) >= 200) {
        return Lettering;
    }
    if (qMax(r, qMax(g, b)) <= 70) {
        return Banner;
    }
    if (high(r) && low(g) && low(b)) {
        return Red;
    }
    if (high(r) && high(g) && low(b)) {
        return Yellow;
    }
    if (low(r) && high(g) && low(b)) {
        return Green;
    }
    if (low(r) && high(g) && high(b)) {
        return Cyan;
    }
    return Other;
}

struct Census {
    std::array<int, Other + 1> count{};
    // Lettering extent.
    int left = INT_MAX, right = -1, top = INT_MAX, bottom = -1;
    bool letteringOffBanner = false;
};

Census Survey(const QImage& image) {
    Census census;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const Kind kind = Classify(image.pixel(x, y));
            ++census.count[kind];
            if (kind == Lettering) {
                census.left = qMin(census.left, x);
                census.right = qMax(census.right, x);
                census.top = qMin(census.top, y);
                census.bottom = qMax(census.bottom, y);
                // The banner runs the full width, so its colour shows at the
                // left edge of every row that carries lettering.
                if (Classify(image.pixel(0, y)) != Banner) {
                    census.letteringOffBanner = true;
                }
            }
        }
    }
    return census;
}

// Mean x of a colour's pixels in rows [fromY, toY).
double MeanX(const QImage& image, Kind kind, int fromY, int toY) {
    double sum = 0;
    int n = 0;
    for (int y = fromY; y < toY; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (Classify(image.pixel(x, y)) == kind) {
                sum += x;
                ++n;
            }
        }
    }
    return n > 0 ? sum / n : -1;
}

} // namespace

class ArtworkTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pictureStyle_data() {
        QTest::addColumn<QImage>("image");
        QTest::addColumn<QSize>("size");
        QTest::newRow("title") << TitlePicture() << QSize(240, 192);
        QTest::newRow("logo") << Logo() << QSize(240, 192);
        QTest::newRow("placeholder") << PlaceholderPicture() << QSize(256, 192);
    }

    void pictureStyle() {
        QFETCH(QImage, image);
        QFETCH(QSize, size);
        QCOMPARE(image.size(), size);

        const Census census = Survey(image);
        QCOMPARE(census.count[Other], 0);
        for (Kind stripe : {Red, Yellow, Green, Cyan}) {
            QVERIFY2(census.count[stripe] > 200, qPrintable(QString::number(stripe)));
        }
        QVERIFY(census.count[Black] > image.width() * image.height() / 4);
        QVERIFY(census.count[Banner] > 0);
        QVERIFY(census.count[Lettering] > 0);
        QVERIFY(!census.letteringOffBanner);
        // Lettering is centred across the picture.
        QVERIFY(qAbs(census.left - (image.width() - 1 - census.right)) <= 1);
    }

    void stripesRiseToTheRight_data() { pictureStyle_data(); }

    void stripesRiseToTheRight() {
        QFETCH(QImage, image);
        const int quarter = image.height() / 4;
        for (Kind stripe : {Red, Yellow, Green, Cyan}) {
            const double upper = MeanX(image, stripe, 0, quarter);
            const double lower = MeanX(image, stripe, image.height() - quarter, image.height());
            QVERIFY(upper >= 0 && lower >= 0);
            QVERIFY2(upper > lower + quarter / 2, qPrintable(QString::number(stripe)));
        }
        // The colours follow one another across the band, red first.
        const int row = image.height() - 1;
        QVERIFY(MeanX(image, Red, row, row + 1) < MeanX(image, Yellow, row, row + 1));
        QVERIFY(MeanX(image, Yellow, row, row + 1) < MeanX(image, Green, row, row + 1));
        QVERIFY(MeanX(image, Green, row, row + 1) < MeanX(image, Cyan, row, row + 1));
    }

    void picturesCarryTheirOwnText() {
        // Same style, different words: the lettering differs between all three.
        const int title = Survey(TitlePicture()).count[Lettering];
        const int logo = Survey(Logo()).count[Lettering];
        const int placeholder = Survey(PlaceholderPicture()).count[Lettering];
        QVERIFY(title != logo && logo != placeholder && title != placeholder);
    }

    void picturesAreBuiltOnce_data() {
        QTest::addColumn<int>("which");
        QTest::newRow("title") << 0;
        QTest::newRow("logo") << 1;
        QTest::newRow("placeholder") << 2;
    }

    void picturesAreBuiltOnce() {
        QFETCH(int, which);
        const auto make = [which] {
            return which == 0 ? TitlePicture() : which == 1 ? Logo() : PlaceholderPicture();
        };
        // Shared data, not a fresh drawing per call.
        QCOMPARE(make().cacheKey(), make().cacheKey());
    }

    void iconSizes_data() {
        QTest::addColumn<int>("side");
        for (int side : {16, 32, 48, 256}) {
            QTest::newRow(qPrintable(QString::number(side))) << side;
        }
    }

    void iconSizes() {
        QFETCH(int, side);
        const QIcon icon = ProgramIcon();
        QVERIFY(icon.availableSizes().contains(QSize(side, side)));
        const QImage image = icon.pixmap(QSize(side, side)).toImage();
        QCOMPARE(image.size(), QSize(side, side));

        const Census census = Survey(image);
        QCOMPARE(census.count[Other], 0);
        QVERIFY(census.count[Lettering] > 0);
        QVERIFY(census.count[Red] > 0 && census.count[Cyan] > 0);
        // The letter stands in the middle.
        QVERIFY(qAbs(census.left - (side - 1 - census.right)) <= 1);
        QVERIFY(qAbs(census.top - (side - 1 - census.bottom)) <= 1);
    }
};

QTEST_MAIN(ArtworkTest)
#include "artwork_test.moc"
