#include <QStatusBar>
#include <QTabWidget>
#include <QTreeView>
#include <QtTest>

#include "support/window_fixtures.h"
#include "ui/main/main_layout.h"
#include "ui/widgets/screenshot_strip.h"
#include "ui/widgets/show_big_window.h"

namespace {

// A list, the fixed-size tabs, a 25-pixel status bar and the strip, laid out
// as the main window lays them out, View on; screenshots live in the scratch
// directory: blue b.jpg, a yellow JPEG named jpeg.gif and bad.gif, which is
// no picture.
struct Host {
    Host(int location = 0, int size = 0, QSize client = {1000, 700}) {
        list->move(8, 0); // the layout keeps the list's left margin
        tabs->setFixedSize(587, 113);
        status->setFixedHeight(25);
        state.settings.screenshotPaths = {dir.str() + "/"};
        state.settings.romPaths = {dir.str() + "/"};
        state.settings.screenshotLocation = location;
        state.settings.screenshotSize = size;
        window.resize(client);
        strip->setShowScreenshots(true); // View on
        layOut();
        for (const auto& [name, colour] :
             {std::pair{"b.jpg", Qt::blue}, {"jpeg.gif", Qt::yellow}}) {
            QImage image(320, 240, QImage::Format_RGB32);
            image.fill(colour);
            image.save(dir.path() + QLatin1Char('/') + QLatin1String(name), "JPG", 95);
        }
        dir.write(QStringLiteral("bad.gif"), "GIF89a, but no more");
    }
    void layOut() {
        tolm::ui::layOutMainWindow({list, tabs, status, strip, window.size(), false},
                                   state.settings);
    }
    // Selects a new game with these screenshots (a number: that many, none there).
    void select(const QString& screenshots, const char* romFile = "") {
        bool isCount = false;
        const int missing = screenshots.toInt(&isCount);
        tolm::GameRecord game;
        game.screenshots = tolm::ui::toStd(
            isCount ? QStringList(missing, QStringLiteral("s.png")).join(QLatin1Char(','))
                    : screenshots);
        game.romFile = romFile;
        state.catalogue.push_back(game);
        state.selectedGame = static_cast<int>(state.catalogue.size()) - 1;
        strip->loadScreenshots(); // what the main window does when a game is clicked
    }
    int offset() const { return strip->scrollOffset(); }
    void setView(bool on) {
        strip->setShowScreenshots(on);
        layOut();
    }
    // Where the strip and the list are, how many slots fit, the scroll, the
    // arrows shown ("<" back, ">" forward) and the slots not hidden.
    QString placement() const {
        const QString listSize =
            QStringLiteral("list %1x%2").arg(list->width()).arg(list->height());
        if (strip->isHidden())
            return listSize + QStringLiteral(", no strip");
        const QRect at = strip->geometry();
        const bool across = state.settings.screenshotLocation == 0;
        QString arrows;
        if (!arrow(across ? tolm::ui::ArrowDirection::Left : tolm::ui::ArrowDirection::Up)
                 ->isHidden())
            arrows += QLatin1Char('<');
        if (!arrow(across ? tolm::ui::ArrowDirection::Right : tolm::ui::ArrowDirection::Down)
                 ->isHidden())
            arrows += QLatin1Char('>');
        QStringList shown;
        for (int i = 0; i < strip->slotCount(); ++i)
            if (!slot(i)->isHidden())
                shown << QString::number(i);
        return QStringLiteral("%1, strip %2,%3 %4x%5: %6 fit, offset %7 [%8] shown %9 from %10")
            .arg(listSize)
            .arg(at.x())
            .arg(at.y())
            .arg(at.width())
            .arg(at.height())
            .arg(strip->visibleSlots())
            .arg(offset())
            .arg(arrows, shown.join(QLatin1Char(' ')))
            .arg(across ? slot(0)->x() : slot(0)->y());
    }
    tolm::ui::ScreenshotSlot* slot(int index) const { return strip->slotAt(index); }
    QWidget* arrow(tolm::ui::ArrowDirection direction) const { return strip->arrow(direction); }

    tolm::test::Scratch dir;
    tolm::AppState state;
    QWidget window;
    QTreeView* list = new QTreeView(&window);
    QTabWidget* tabs = new QTabWidget(&window);
    QStatusBar* status = new QStatusBar(&window);
    tolm::ui::ScreenshotStrip* strip = new tolm::ui::ScreenshotStrip(state, &window);
};

// True when the centre of `picture` is `colour`, within JPEG's losses.
bool centreIs(const QPixmap& picture, const QColor& colour) {
    if (picture.isNull())
        return false;
    const QRgb c = picture.toImage().pixel(picture.width() / 2, picture.height() / 2);
    return qAbs(qRed(c) - colour.red()) < 40 && qAbs(qGreen(c) - colour.green()) < 40 &&
           qAbs(qBlue(c) - colour.blue()) < 40;
}

// Screen memory in three bands: the top third's cells red paper, the middle
// third's bright green, the bottom third's blue; the very first pixel row set
// with white ink.
QByteArray bandedScreen() {
    QByteArray screen(6912, '\0');
    for (int i = 0; i < 32; ++i)
        screen[i] = char(0xFF); // row 0
    for (int cell = 0; cell < 768; ++cell)
        screen[6144 + cell] = char(cell < 256   ? (2 << 3) | 7
                                   : cell < 512 ? 0x40 | (4 << 3)
                                                : 1 << 3);
    return screen;
}

// The banded screen's colours, each Spectrum pixel `scale` pixels across.
void expectBands(const QImage& image, int scale) {
    QCOMPARE(image.pixel(5 * scale, 0), qRgb(0xD7, 0xD7, 0xD7)); // white ink, row 0
    QCOMPARE(image.pixel(5 * scale, 1 * scale), qRgb(0xD7, 0, 0));
    QCOMPARE(image.pixel(200 * scale, 100 * scale), qRgb(0, 0xFF, 0));
    QCOMPARE(image.pixel(250 * scale, 180 * scale), qRgb(0, 0, 0xD7));
}

} // namespace

class StripTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The strip beside the list in a 1000 x 700 client area: each step, then
    // where everything is. Scrolling stops at either end; a window widened
    // by two slots takes back the scroll one step per layout. Slots scrolled
    // past keep their state: the strip clips them.
    void layout() {
        const QString wide = QStringLiteral("list 984x355, strip 8,363 984x192: 3 fit, ");
        const QString tall = QStringLiteral("list 848x554, strip 864,0 128x555: 5 fit, ");
        // Location, size, then each step ("5 shots", "next", "back", "1512x700",
        // "off") with where everything is after it: first across at full size,
        // then widened by two slots; second down the side at half size.
        const struct {
            int location, size;
            std::vector<std::pair<const char*, QString>> steps;
        } cases[] = {
            // clang-format off
            {0, 0,
             {{"5 shots", wide + "offset 0 [>] shown 0 1 2 from 0"},
              {"next", wide + "offset 1 [<>] shown 0 1 2 3 from -256"},
              {"next", wide + "offset 2 [<] shown 0 1 2 3 4 from -512"},
              {"next", wide + "offset 2 [<] shown 0 1 2 3 4 from -512"},
              {"back", wide + "offset 1 [<>] shown 0 1 2 3 from -256"},
              {"next", wide + "offset 2 [<] shown 0 1 2 3 4 from -512"},
              {"1512x700", "list 1496x355, strip 8,363 1496x192: 5 fit, offset 1 [<] shown 0 1 "
                           "2 3 4 from -256"},
              {"1512x600", "list 1496x255, strip 8,263 1496x192: 5 fit, offset 0 [<] shown 0 1 "
                           "2 3 4 from 0"},
              {"off", "list 1496x454, no strip"}}},
            {1, 1,
             {{"2 shots", tall + "offset 0 [] shown 0 1 from 0"},
              {"next", tall + "offset 0 [] shown 0 1 from 0"},
              {"7 shots", tall + "offset 0 [>] shown 0 1 2 3 4 from 0"},
              {"next", tall + "offset 1 [<>] shown 0 1 2 3 4 5 from -96"},
              {"1 shots", tall + "offset 0 [] shown 0 from 0"}}}};
        // clang-format on
        for (const auto& [location, size, steps] : cases) {
            Host host(location, size);
            for (const auto& [name, expected] : steps) {
                const QString step = QLatin1String(name);
                if (step.endsWith(QLatin1String(" shots")))
                    host.select(step.split(QLatin1Char(' ')).first());
                else if (step == QLatin1String("next") || step == QLatin1String("back"))
                    host.strip->arrowReleased(tolm::ui::ArrowDirection(
                        int(step == QLatin1String("next")) + 2 * location));
                else if (step == QLatin1String("off"))
                    host.setView(false);
                else {
                    const QStringList wh = step.split(QLatin1Char('x'));
                    host.window.resize(wh[0].toInt(), wh[1].toInt());
                    host.layOut();
                }
                QCOMPARE(host.placement() + " after " + step, expected + " after " + step);
            }
        }
    }

    // Each slot shows "placeholder", "nothing" or a colour, decoded at the slot's size.
    void slotsShowTheSelectedGame() {
        Host host(0, 1); // seven slots fit: every slot is shown
        host.window.show();
        const auto shows = [&host](const char* screenshots, const QStringList& expected) {
            host.select(QLatin1String(screenshots));
            QCOMPARE(host.strip->slotCount(), expected.size());
            for (int i = 0; i < expected.size(); ++i) {
                const tolm::ui::ScreenshotSlot* slot = host.slot(i);
                QVERIFY(slot->isVisible());
                QCOMPARE(slot->showsPlaceholder(), expected[i] == QLatin1String("placeholder"));
                if (expected[i] == QLatin1String("nothing"))
                    QVERIFY(slot->picture().isNull());
                else if (!slot->showsPlaceholder())
                    QVERIFY2(centreIs(slot->picture(), QColor(expected[i])), screenshots);
            }
        };
        shows("x.png,,b.jpg", {"placeholder", "nothing", "blue"});
        QCOMPARE(host.slot(2)->picture().size(), QSize(128, 96));
        shows("jpeg.gif", {"yellow"}); // the format is read from the contents
        shows("bad.gif", {"yellow"});  // a file that is no picture does not clear a slot
    }

    // For a game without screenshots the strip shows the screen held in its
    // game file, marked as such; the full-size view doubles each pixel.
    // A game file's screen never stands in for screenshots the game has.
    void spectrumScreens() {
        const QByteArray good = tolm::test::snapshotWith(bandedScreen());
        // The screenshot s.scr's bytes (empty: none), game.sna's, whether shown.
        const struct {
            QByteArray scr, rom;
            bool shown;
        } cases[] = {{{}, good, true},
                     {{}, QByteArray(1000, 'x'), false}, // damaged
                     {bandedScreen().chopped(1), good, false}};
        for (const auto& [scr, rom, shown] : cases) {
            Host host;
            host.dir.write(QStringLiteral("s.scr"), scr);
            host.dir.write(QStringLiteral("game.sna"), rom);
            host.window.show();
            host.select(scr.isEmpty() ? QString() : QStringLiteral("s.scr"), "game.sna");
            const tolm::ui::ScreenshotSlot* slot = host.slot(0);
            QCOMPARE(slot->showsPlaceholder(), !shown);
            QCOMPARE(slot->showsGameFileScreen(), shown);
            if (!shown)
                continue;
            const QImage picture = slot->picture().toImage();
            QCOMPARE(picture.size(), QSize(256, 192));
            expectBands(picture, 1);
            // The game file's mark sits in the lower left corner, over the blue band.
            QVERIFY(picture.pixel(4, 184) != qRgb(0, 0, 0xD7));
            const QImage big = host.strip->fullSizePicture(0).toImage();
            QCOMPARE(big.size(), tolm::ui::ShowBigWindow::kPictureSize);
            expectBands(big, 2);
        }
    }
};

QTEST_MAIN(StripTest)
#include "strip_test.moc"
