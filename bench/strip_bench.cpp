// How long a click on a game takes for the screenshot strip (rebuilding the
// slots and laying them out), with the strip shown and hidden, beside
// decoding every screenshot at full size on each click.
//
// Runs offscreen; generates 50 JPEG screenshots of 1920 x 1080 once into a
// temporary directory.

#include <QApplication>
#include <QImage>
#include <QImageReader>
#include <QLinearGradient>
#include <QPainter>
#include <QRandomGenerator>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeView>
#include <QWidget>
#include <cstdio>
#include <string>
#include <vector>

#include "state/app_state.h"
#include "timing.h"
#include "ui/main/main_layout.h"
#include "ui/widgets/screenshot_strip.h"

namespace {

using namespace tolm::bench;

constexpr int kScreenshots = 50;

// Something with the detail of a real screenshot, so the decoder has work.
void writeScreenshot(const QString& path, int seed) {
    QImage image(1920, 1080, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 1920, 1080);
    gradient.setColorAt(0, QColor::fromHsv(seed * 7 % 360, 200, 220));
    gradient.setColorAt(1, QColor::fromHsv(seed * 13 % 360, 180, 60));
    painter.fillRect(image.rect(), gradient);
    QRandomGenerator random(static_cast<quint32>(seed));
    for (int i = 0; i < 400; ++i) {
        painter.fillRect(random.bounded(1900), random.bounded(1060), random.bounded(8, 200),
                         random.bounded(8, 120), QColor::fromRgb(random.generate()));
    }
    painter.setPen(Qt::white);
    painter.setFont(QFont(QStringLiteral("Sans"), 40));
    for (int row = 0; row < 10; ++row) {
        painter.drawText(40, 100 + row * 100,
                         QStringLiteral("SCORE %1 LIVES %2").arg(seed * row).arg(row));
    }
    painter.end();
    image.save(path, "JPEG", 85);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);

    QTemporaryDir dir;
    std::printf("writing %d screenshots of 1920 x 1080...\n", kScreenshots);
    std::fflush(stdout);
    std::vector<QString> paths;
    std::string forward;
    std::string backward;
    for (int i = 0; i < kScreenshots; ++i) {
        const QString name = QStringLiteral("shot%1.jpg").arg(i, 2, 10, QLatin1Char('0'));
        paths.push_back(dir.filePath(name));
        writeScreenshot(paths.back(), i);
        forward += (i > 0 ? "," : "") + name.toStdString();
        const QString back =
            QStringLiteral("shot%1.jpg").arg(kScreenshots - 1 - i, 2, 10, QLatin1Char('0'));
        backward += (i > 0 ? "," : "") + back.toStdString();
    }

    tolm::AppState state;
    state.settings.screenshotPaths = {dir.path().toStdString() + "/"};
    // Two games with the same files in opposite orders: alternating between
    // them puts different pictures in the visible slots at every click.
    for (const std::string* list : {&forward, &backward}) {
        tolm::GameRecord game;
        game.name = "Game";
        game.screenshots = *list;
        state.catalogue.push_back(game);
    }

    QWidget window;
    auto* list = new QTreeView(&window);
    list->move(8, 0);
    auto* tabs = new QTabWidget(&window);
    tabs->setFixedSize(587, 113);
    auto* status = new QStatusBar(&window);
    auto* strip = new tolm::ui::ScreenshotStrip(state, &window);
    window.resize(1000, 700);
    window.show();

    int game = 0;
    const auto click = [&] {
        game = 1 - game;
        state.selectedGame = game;
        strip->loadScreenshots();
    };
    const auto measureClicks = [&](int runs) {
        click(); // warm up
        QApplication::processEvents();
        std::vector<double> samples;
        for (int run = 0; run < runs; ++run) {
            samples.push_back(timeMs(click));
            QApplication::processEvents(); // paint, as between real clicks
        }
        return median(samples);
    };

    strip->setShowScreenshots(true);
    tolm::ui::layOutMainWindow({list, tabs, status, strip, window.size(), false}, state.settings);
    const double viewOn = measureClicks(21);
    const int visible = strip->visibleSlots();
    std::vector<double> again;
    for (int run = 0; run < 21; ++run) {
        again.push_back(timeMs([&] { strip->loadScreenshots(); }));
    }
    const double sameGame = median(again);

    strip->setShowScreenshots(false);
    const double viewOff = measureClicks(21);

    // Decoding all 50 at full size on every click, then shrinking each.
    std::vector<double> naive;
    for (int run = 0; run < 3; ++run) {
        naive.push_back(timeMs([&] {
            for (const QString& path : paths) {
                QImageReader reader(path);
                const QImage full = reader.read();
                const QImage slot = full.scaled(256, 192);
                if (slot.isNull()) {
                    std::printf("could not decode %s\n", qPrintable(path));
                }
            }
        }));
    }

    std::printf("visible slots with View on: %d\n", visible);
    std::printf("naive, decoding all %d at full size: %.1f ms per click\n", kScreenshots,
                median(naive));
    std::printf("same game clicked again with View on: %.2f ms\n", sameGame);
    std::printf("click with View on (50 screenshots): %.1f ms (goal 100 ms)\n", viewOn);
    std::printf("click with View off (50 screenshots): %.2f ms (goal 5 ms)\n", viewOff);
    return 0;
}
