// A click on a game without screenshots, View on, whose picture is the
// screen in its own 128K .z80: the first click on a file reads it (in a child
// process), later clicks find the picture remembered. Beside it, a click on a
// game whose screenshot is a .scr. Runs offscreen.

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "made_game_files.h"
#include "state/app_state.h"
#include "timing.h"
#include "ui/widgets/screenshot_strip.h"

namespace {

using namespace tolm::bench;

constexpr int kFiles = 20;

void write(const QString& path, const tolm::testing::Bytes& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QTemporaryDir dir;
    tolm::AppState state;
    state.settings.romPaths = {dir.path().toStdString() + "/"};
    state.settings.screenshotPaths = {dir.path().toStdString() + "/"};
    auto screen = tolm::testing::patternedScreen();
    for (int i = 0; i < kFiles; ++i) {
        screen[0] = static_cast<std::uint8_t>(i); // each file its own screen
        auto second = screen;
        std::reverse(second.begin(), second.end());
        const QString name = QStringLiteral("game%1.z80").arg(i);
        write(dir.filePath(name), tolm::testing::z80Version3x128(screen, second, 0x08));
        write(dir.filePath(QStringLiteral("shot%1.scr").arg(i)),
              tolm::testing::Bytes(screen.begin(), screen.end()));
        tolm::GameRecord game;
        game.name = "Game";
        game.romFile = name.toStdString();
        state.catalogue.push_back(game);
        game.romFile.clear();
        game.screenshots = QStringLiteral("shot%1.scr").arg(i).toStdString();
        state.catalogue.push_back(game);
    }

    QWidget window;
    auto* strip = new tolm::ui::ScreenshotStrip(state, &window);
    strip->setShowScreenshots(true);
    window.resize(800, 600);
    strip->resize(800, 200);
    window.show();
    QApplication::processEvents();

    const auto click = [&](int game) {
        state.selectedGame = game;
        strip->loadScreenshots();
        strip->slotAt(0)->show();
        strip->slotAt(0)->realise();
        strip->repaint();
    };
    std::vector<double> first, again, scr;
    for (int i = 0; i < kFiles; ++i)
        first.push_back(timeMs([&] { click(2 * i); }));
    for (int round = 0; round < 3; ++round)
        for (int i = 0; i < kFiles; ++i) {
            again.push_back(timeMs([&] { click(2 * i); }));
            scr.push_back(timeMs([&] { click(2 * i + 1); }));
        }
    if (!strip->slotAt(0)->showsPlaceholder() && strip->slotAt(0)->showsGameFileScreen()) {
        std::printf("the last click showed a .scr where it should not\n");
        return 1;
    }
    std::printf("click on a game with a .scr screenshot: %.2f ms\n", median(scr));
    std::printf("click on a game shown from its game file, View on, first time: %.1f ms, "
                "again: %.2f ms (goal 20 ms)\n",
                median(first), median(again));
    return 0;
}
