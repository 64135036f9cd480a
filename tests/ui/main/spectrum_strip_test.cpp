#include <QtTest>

#include "support/window_fixtures.h"
#include "ui/main/screenshot_strip.h"
#include "ui/main/show_big_window.h"

namespace {

// Screen memory in three bands: the top third's cells red paper, the middle
// third's bright green, the bottom third's blue; the very first pixel row set
// with white ink.
QByteArray bandedScreen() {
    QByteArray screen(6912, '\0');
    for (int i = 0; i < 32; ++i)
        screen[i] = char(0xFF); // row 0
    for (int cell = 0; cell < 768; ++cell) {
        const int third = cell / 256;
        screen[6144 + cell] = char(third == 0   ? (2 << 3) | 7
                                   : third == 1 ? 0x40 | (4 << 3)
                                                : 1 << 3);
    }
    return screen;
}

// A 48K snapshot whose screen memory is `screen`.
QByteArray snapshotWith(const QByteArray& screen) {
    QByteArray file(27, '\0');
    file[0] = 0x3F;
    file[23] = char(0x00);
    file[24] = char(0xFF); // SP
    file[25] = 1;
    QByteArray ram(49152, '\0');
    ram.replace(0, screen.size(), screen);
    return file + ram;
}

struct Host {
    Host() {
        state.settings.screenshotPaths = {dir.str() + "/shots/"};
        state.settings.romPaths = {dir.str() + "/roms/"};
        strip->stripState().showScreenshots = true;
        window.resize(1000, 700);
        window.show();
    }
    int addGame(const char* screenshots, const char* rom) {
        tolm::GameRecord game;
        game.name = "Game";
        game.screenshots = screenshots;
        game.romFile = rom;
        state.catalogue.push_back(game);
        return static_cast<int>(state.catalogue.size()) - 1;
    }
    tolm::ui::ScreenshotSlot* select(int game) {
        state.selectedGame = game;
        strip->loadScreenshots();
        strip->slotAt(0)->show();
        strip->slotAt(0)->realise();
        return strip->slotAt(0);
    }

    tolm::test::Scratch dir;
    tolm::AppState state;
    QWidget window;
    tolm::ui::ScreenshotStrip* strip = new tolm::ui::ScreenshotStrip(state, &window);
};

// Pixel colours of the banded screen, at full size.
void expectBands(const QImage& image, int scale) {
    QCOMPARE(image.pixel(5 * scale, 0), qRgb(0xD7, 0xD7, 0xD7)); // white ink, row 0
    QCOMPARE(image.pixel(5 * scale, 1 * scale), qRgb(0xD7, 0, 0));
    QCOMPARE(image.pixel(200 * scale, 100 * scale), qRgb(0, 0xFF, 0));
    QCOMPARE(image.pixel(250 * scale, 180 * scale), qRgb(0, 0, 0xD7));
}

} // namespace

class SpectrumStripTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void scrFilesAreScreenshots_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow(".scr") << QStringLiteral("loading.scr");
        QTest::newRow("upper case") << QStringLiteral("LOADING.SCR");
        QTest::newRow("6912 bytes under another name") << QStringLiteral("loading.bin");
    }
    void scrFilesAreScreenshots() {
        QFETCH(QString, name);
        Host host;
        host.dir.write(QStringLiteral("shots/") + name, bandedScreen());
        tolm::ui::ScreenshotSlot* slot = host.select(host.addGame(qPrintable(name), ""));
        QVERIFY(!slot->showsPlaceholder());
        const QImage shown = slot->picture().toImage();
        QCOMPARE(shown.size(), QSize(256, 192));
        expectBands(shown, 1);
        // The full-size view scales each Spectrum pixel to a 2 x 2 block.
        const QImage big = host.strip->fullSizePicture(0).toImage();
        QCOMPARE(big.size(), tolm::ui::ShowBigWindow::kPictureSize);
        expectBands(big, 2);
    }

    void wrongSizedScrKeepsThePlaceholder() {
        Host host;
        host.dir.write(QStringLiteral("shots/short.scr"), bandedScreen().left(6911));
        QVERIFY(host.select(host.addGame("short.scr", ""))->showsPlaceholder());
    }

    void gameWithoutScreenshotsShowsItsFilesScreen_data() {
        QTest::addColumn<QByteArray>("rom");
        QTest::addColumn<bool>("gameScreen");
        QTest::newRow("snapshot") << snapshotWith(bandedScreen()) << true;
        QTest::newRow("damaged snapshot") << QByteArray(1000, 'x') << false;
        QTest::newRow("no file") << QByteArray() << false;
    }
    void gameWithoutScreenshotsShowsItsFilesScreen() {
        QFETCH(QByteArray, rom);
        QFETCH(bool, gameScreen);
        Host host;
        host.dir.write(QStringLiteral("shots/other.png"));
        if (!rom.isEmpty())
            host.dir.write(QStringLiteral("roms/game.sna"), rom);
        tolm::ui::ScreenshotSlot* slot = host.select(host.addGame("", "game.sna"));
        QCOMPARE(slot->showsGameFileScreen(), gameScreen);
        QCOMPARE(slot->showsPlaceholder(), !gameScreen);
        if (!gameScreen)
            return;
        const QImage shown = slot->picture().toImage();
        expectBands(shown, 1);
        // The mark sits in the lower left corner, over the blue band.
        QVERIFY(shown.pixel(4, 184) != qRgb(0, 0, 0xD7));
        const QImage big = host.strip->fullSizePicture(0).toImage();
        QCOMPARE(big.size(), tolm::ui::ShowBigWindow::kPictureSize);
        expectBands(big, 2);

        // A game with screenshots shows those, not its file's screen.
        host.dir.write(QStringLiteral("shots/s.scr"), QByteArray(6912, '\0'));
        QVERIFY(!host.select(host.addGame("s.scr", "game.sna"))->showsGameFileScreen());
    }
};

QTEST_MAIN(SpectrumStripTest)
#include "spectrum_strip_test.moc"
