#pragma once

// A stand-in for the main window: a list, a fixed-size tab control, a status
// bar and the screenshot strip, laid out by LayOutMainWindow, with a catalogue
// whose screenshots are real picture files in a temporary directory.

#include <QApplication>
#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QWidget>
#include <functional>
#include <string>

#include "catalogue/app_state.h"
#include "ui/main/main_layout.h"
#include "ui/main/screenshot_strip.h"
#include "ui/main/show_big_window.h"

namespace tolm::test {

inline constexpr int kStatusHeight = 25;

// Qt reads GIF but cannot write it: a 1 x 1 GIF whose one colour is `colour`.
inline QByteArray SolidGif(const QColor& colour) {
    QByteArray bytes("GIF89a\x01\x00\x01\x00\x80\x00\x00", 13);
    bytes.append(static_cast<char>(colour.red()));
    bytes.append(static_cast<char>(colour.green()));
    bytes.append(static_cast<char>(colour.blue()));
    bytes.append("\x00\x00\x00"
                 "\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00"
                 "\x02\x02\x44\x01\x00\x3b",
                 19);
    return bytes;
}

// True when every channel is within `tolerance` (JPEG is lossy).
inline bool SameColour(QRgb a, const QColor& b, int tolerance = 40) {
    return std::abs(qRed(a) - b.red()) <= tolerance &&
           std::abs(qGreen(a) - b.green()) <= tolerance &&
           std::abs(qBlue(a) - b.blue()) <= tolerance;
}

// The colour at the centre of what a picture control shows.
inline QRgb CentreOf(const QPixmap& picture) {
    const QImage image = picture.toImage();
    return image.pixel(image.width() / 2, image.height() / 2);
}

class StripHost {
public:
    StripHost() {
        list = new QTreeView(&window);
        list->setObjectName(QStringLiteral("lstGames"));
        list->move(8, 0);
        tabs = new QTabWidget(&window);
        tabs->setObjectName(QStringLiteral("SSTab1"));
        tabs->addTab(new QWidget, QStringLiteral("Game Details"));
        tabs->addTab(new QWidget, QStringLiteral("Notes"));
        tabs->setFixedSize(587, 113);
        status = new QStatusBar(&window);
        status->setObjectName(QStringLiteral("StatusBar1"));
        status->setFixedHeight(kStatusHeight);
        strip = new ui::ScreenshotStrip(state, &window);
        strip->hide();
        QObject::connect(strip, &ui::ScreenshotStrip::layoutRequested, [this] { layOut(); });
        state.settings.ScreenshotPaths = {dir.path().toStdString() + "/"};
        window.resize(1000, 700);
    }

    void layOut(bool minimised = false) {
        ui::LayOutMainWindow({list, tabs, status, strip, window.size(), minimised}, state);
    }

    void resize(int width, int height) {
        window.resize(width, height);
        layOut();
    }

    // Writes a solid-coloured picture; the format follows the name's suffix.
    void writePicture(const QString& name, const QColor& colour, QSize size = {320, 240}) {
        const QString path = dir.filePath(name);
        if (name.endsWith(QStringLiteral(".gif"))) {
            QFile file(path);
            file.open(QIODevice::WriteOnly);
            file.write(SolidGif(colour));
            return;
        }
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        image.save(path, nullptr, 95);
    }

    void writeText(const QString& name, const QByteArray& text) {
        QFile file(dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(text);
    }

    int addGame(const std::string& screenshots) {
        GameRecord game;
        game.Name = "Game " + std::to_string(state.catalogue.size());
        game.Screenshots = screenshots;
        state.catalogue.push_back(game);
        return static_cast<int>(state.catalogue.size()) - 1;
    }

    // What the main window does when a game is clicked.
    void select(int game) {
        state.SelectedGame = game;
        strip->loadSS();
    }

    void setView(bool on) {
        state.strip.ShowScreenshots = on;
        if (on) {
            strip->loadSS();
        }
        layOut();
    }

    ui::ScreenshotSlot* slot(int index) const {
        return strip->findChild<ui::ScreenshotSlot*>(QStringLiteral("ssimage") +
                                                     QString::number(index));
    }
    QWidget* arrow(int index) const {
        return strip->findChild<QWidget*>(QStringLiteral("actions") + QString::number(index));
    }

    QTemporaryDir dir;
    AppState state;
    QWidget window;
    QTreeView* list = nullptr;
    QTabWidget* tabs = nullptr;
    QStatusBar* status = nullptr;
    ui::ScreenshotStrip* strip = nullptr;
};

// What a modal full-size view looked like while it was open.
struct OpenedView {
    bool opened = false;
    QString objectName;
    QRect geometry;
    Qt::WindowFlags flags;
    QRect pictureGeometry;
    QPixmap picture;
    bool closedByClick = false;
};

// Runs `action`; when it opens a modal full-size view, records it and closes
// it with a click on its picture (or, should that fail, by closing it).
inline OpenedView WatchFullSizeView(const std::function<void()>& action) {
    OpenedView seen;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* view = dynamic_cast<ui::ShowBigWindow*>(QApplication::activeModalWidget());
        if (view == nullptr) {
            return;
        }
        if (seen.opened) {
            view->close(); // the click did not close it
            return;
        }
        seen.opened = true;
        seen.objectName = view->objectName();
        seen.geometry = view->geometry();
        seen.flags = view->windowFlags();
        seen.pictureGeometry = view->Image1->geometry();
        seen.picture = view->Image1->picture();
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(10, 10), QPointF(10, 10),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(10, 10), QPointF(10, 10),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view->Image1, &press);
        QApplication::sendEvent(view->Image1, &release);
        seen.closedByClick = !view->isVisible();
    });
    poll.start();
    action();
    poll.stop();
    return seen;
}

} // namespace tolm::test
