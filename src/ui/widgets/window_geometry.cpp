#include "ui/widgets/window_geometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace tolm::ui {
namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kMinWidthTwips = 9135.0;
constexpr double kMinHeightTwips = 8625.0;
// How much of a window must show on a screen to be grabbed and dragged back.
constexpr int kReachableWidth = 64;
constexpr int kReachableHeight = 24;

QList<QRect> screenRects() {
    QList<QRect> rects;
    for (const QScreen* screen : QGuiApplication::screens())
        rects.push_back(screen->geometry());
    return rects;
}

QRect primaryRect() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect();
}

} // namespace

std::int32_t twipsToPixels(double twips, double dpi) {
    if (dpi <= 0)
        dpi = 96.0;
    const double twipsPerPixel = kTwipsPerInch / dpi;
    // nearbyint rounds ties to even in the default rounding mode.
    return static_cast<std::int32_t>(std::nearbyint(twips / twipsPerPixel));
}

SizeLimits computeSizeLimits(double dpiX, double dpiY, QSize screen) {
    SizeLimits limits;
    limits.minWidth = twipsToPixels(kMinWidthTwips, dpiX);
    limits.minHeight = twipsToPixels(kMinHeightTwips, dpiY);
    limits.maxWidth = screen.width();
    limits.maxHeight = screen.height();
    return limits;
}

TwipsScale primaryScreenScale() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return {};
    return {screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY()};
}

SizeLimits primaryScreenLimits() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const TwipsScale scale = primaryScreenScale();
    return computeSizeLimits(scale.dpiX, scale.dpiY, screen ? screen->size() : QSize());
}

ScreenMetrics metricsFor(const SizeLimits& limits) {
    ScreenMetrics metrics;
    const QRect primary = primaryRect();
    metrics.screenWidth = primary.width();
    metrics.screenHeight = primary.height();
    metrics.minWidth = limits.minWidth;
    metrics.minHeight = limits.minHeight;
    metrics.maxWidth = limits.maxWidth;
    metrics.maxHeight = limits.maxHeight;
    return metrics;
}

QSize frameExtent(const QWidget& window) {
    const QSize extent = window.frameGeometry().size() - window.geometry().size();
    return extent.expandedTo(QSize(0, 0));
}

void applySizeLimits(QWidget& window, const SizeLimits& limits) {
    const QSize frame = frameExtent(window);
    window.setMinimumSize(std::max(0, limits.minWidth - frame.width()),
                          std::max(0, limits.minHeight - frame.height()));
    if (limits.maxWidth > 0 && limits.maxHeight > 0) {
        window.setMaximumSize(std::max(1, limits.maxWidth - frame.width()),
                              std::max(1, limits.maxHeight - frame.height()));
    }
}

bool placementReachable(const QRect& frame, const QList<QRect>& screens) {
    const int needWidth = std::min(kReachableWidth, std::max(1, frame.width()));
    const int needHeight = std::min(kReachableHeight, std::max(1, frame.height()));
    return std::any_of(screens.begin(), screens.end(), [&](const QRect& screen) {
        const QRect shown = screen.intersected(frame);
        return shown.width() >= needWidth && shown.height() >= needHeight;
    });
}

QPoint placementFor(const QRect& frame, const QList<QRect>& screens, const QRect& primary) {
    if (placementReachable(frame, screens))
        return frame.topLeft();
    return QPoint(primary.x() + (primary.width() - frame.width()) / 2,
                  primary.y() + (primary.height() - frame.height()) / 2);
}

void applyGeometry(QWidget& window, const WindowGeometry& geometry) {
    const QSize frame = frameExtent(window);
    if (geometry.state == WindowGeometry::Normal) {
        window.resize(std::max(1, geometry.width - frame.width()),
                      std::max(1, geometry.height - frame.height()));
        // The size limits may have bounded the size asked for.
        const QSize outer = window.size() + frame;
        const QRect stored(QPoint(geometry.left, geometry.top), outer);
        window.move(placementFor(stored, screenRects(), primaryRect()));
        window.setWindowState(Qt::WindowNoState);
        return;
    }
    // No size was stored for the other states: restoring goes to the
    // smallest size, centred. A state the window does not know shows normal.
    const QRect primary = primaryRect();
    window.resize(window.minimumSize().expandedTo(QSize(1, 1)));
    const QSize outer = window.size() + frame;
    window.move(primary.x() + (primary.width() - outer.width()) / 2,
                primary.y() + (primary.height() - outer.height()) / 2);
    if (geometry.state == WindowGeometry::Minimised)
        window.setWindowState(Qt::WindowMinimized);
    else if (geometry.state == WindowGeometry::Maximised)
        window.setWindowState(Qt::WindowMaximized);
    else
        window.setWindowState(Qt::WindowNoState);
}

WindowGeometry reportGeometry(const QWidget& window) {
    WindowGeometry geometry;
    const Qt::WindowStates state = window.windowState();
    if (state & Qt::WindowMinimized)
        geometry.state = WindowGeometry::Minimised;
    else if (state & (Qt::WindowMaximized | Qt::WindowFullScreen))
        geometry.state = WindowGeometry::Maximised;
    const QRect frame = window.frameGeometry();
    geometry.width = frame.width();
    geometry.height = frame.height();
    geometry.left = frame.x();
    geometry.top = frame.y();
    return geometry;
}

} // namespace tolm::ui
