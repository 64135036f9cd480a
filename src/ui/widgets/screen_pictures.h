#pragma once

#include <QDateTime>
#include <QImage>
#include <QSize>
#include <QString>
#include <string>
#include <vector>

#include "screens/game_file_screen.h"
#include "screens/screen_memory.h"

namespace tolm::ui {

// Screen memory as a 256 x 192 picture.
QImage spectrumScreenImage(const screens::ScreenMemory& screen);

// The picture in a Spectrum screen file (.scr: exactly 6912 bytes), scaled
// to `size` pixel for pixel; null when the file is not one.
QImage decodeSpectrumScreenFile(const QString& path, QSize size);

// True for a name ending in ".scr", any letter case.
bool hasSpectrumScreenName(const QString& path);

// `picture` scaled to `size` with a small "game file" mark in its lower
// left corner, saying the screen was taken from the game's own file.
QImage markedAsGameFileScreen(const QImage& picture, QSize size);

// The screens found in game files, remembered by path, size and time
// stamp, so clicking back and forth reads each file once.
class GameFileScreenCache {
public:
    // The screen in the game file at `path` as a 256 x 192 picture, or null.
    QImage screenOf(const QString& path);

    // The same for a game's stored ROM file, looked up over `romPaths`;
    // null when the name is blank or the file is not found.
    QImage screenOfRom(const std::string& romFile, const std::vector<std::string>& romPaths);

private:
    struct Entry {
        QString path;
        QDateTime stamp;
        qint64 bytes = -1;
        QImage image; // null: the file holds no screen
    };
    std::vector<Entry> entries_; // most recent last
    screens::GameFileScreenReader reader_;
};

} // namespace tolm::ui
