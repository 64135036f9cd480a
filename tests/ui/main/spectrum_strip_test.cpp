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
    file[24] = char(0xFF); // SP
    file[25] = 1;
    QByteArray ram(49152, '\0');
    return file + ram.replace(0, screen.size(), screen);
}

// Pixel colours of the banded screen, at full size.
void expectBands(const QImage& image, int scale) {
    QCOMPARE(image.pixel(5 * scale, 0), qRgb(0xD7, 0xD7, 0xD7)); // white ink, row 0
    QCOMPARE(image.pixel(5 * scale, 1 * scale), qRgb(0xD7, 0, 0));
    QCOMPARE(image.pixel(200 * scale, 100 * scale), qRgb(0, 0xFF, 0));
    QCOMPARE(image.pixel(250 * scale, 180 * scale), qRgb(0, 0, 0xD7));
}

} // namespace

// Spectrum screens in the strip: .scr screenshots, and for a game without
// screenshots the screen held in its game file.
class SpectrumStripTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void spectrumScreens_data() {
        QTest::addColumn<QString>("screenshot"); // empty: the game has none
        QTest::addColumn<QByteArray>("shot");
        QTest::addColumn<QByteArray>("rom"); // game.sna; empty: not there
        QTest::addColumn<QString>("shows");  // "banded", "game file" or "placeholder"
        const QByteArray banded = bandedScreen(), blank = snapshotWith(QByteArray(6912, '\0'));
        // A game file's screen never stands in for screenshots the game has.
        QTest::newRow(".scr") << "loading.scr" << banded << blank << "banded";
        QTest::newRow("upper case") << "LOADING.SCR" << banded << blank << "banded";
        QTest::newRow("6912 bytes under another name")
            << "loading.bin" << banded << blank << "banded";
        QTest::newRow("wrong-sized .scr")
            << "short.scr" << banded.left(6911) << blank << "placeholder";
        QTest::newRow("snapshot") << "" << QByteArray() << snapshotWith(banded) << "game file";
        QTest::newRow("damaged snapshot")
            << "" << QByteArray() << QByteArray(1000, 'x') << "placeholder";
        QTest::newRow("no file") << "" << QByteArray() << QByteArray() << "placeholder";
    }
    void spectrumScreens() {
        QFETCH(QString, screenshot);
        QFETCH(QByteArray, shot);
        QFETCH(QByteArray, rom);
        QFETCH(QString, shows);
        tolm::test::Scratch dir;
        tolm::AppState state;
        state.settings.screenshotPaths = {dir.str() + "/shots/"};
        state.settings.romPaths = {dir.str() + "/roms/"};
        dir.write(QStringLiteral("shots/other.png"));
        if (!screenshot.isEmpty())
            dir.write(QStringLiteral("shots/") + screenshot, shot);
        if (!rom.isEmpty())
            dir.write(QStringLiteral("roms/game.sna"), rom);
        tolm::GameRecord game = tolm::test::makeGame("Game");
        game.screenshots = tolm::ui::toStd(screenshot);
        game.romFile = "game.sna";
        state.catalogue = {game};
        state.selectedGame = 0;
        QWidget window;
        auto* strip = new tolm::ui::ScreenshotStrip(state, &window);
        strip->stripState().showScreenshots = true;
        window.show();
        strip->loadScreenshots();
        tolm::ui::ScreenshotSlot* slot = strip->slotAt(0);
        slot->show();
        slot->realise();

        QCOMPARE(slot->showsPlaceholder(), shows == QLatin1String("placeholder"));
        QCOMPARE(slot->showsGameFileScreen(), shows == QLatin1String("game file"));
        if (slot->showsPlaceholder())
            return;
        const QImage shown = slot->picture().toImage();
        QCOMPARE(shown.size(), QSize(256, 192));
        expectBands(shown, 1);
        // The game file's mark sits in the lower left corner, over the blue band.
        QCOMPARE(shown.pixel(4, 184) != qRgb(0, 0, 0xD7), slot->showsGameFileScreen());
        // The full-size view scales each Spectrum pixel to a 2 x 2 block.
        const QImage big = strip->fullSizePicture(0).toImage();
        QCOMPARE(big.size(), tolm::ui::ShowBigWindow::kPictureSize);
        expectBands(big, 2);
    }
};

QTEST_MAIN(SpectrumStripTest)
#include "spectrum_strip_test.moc"
