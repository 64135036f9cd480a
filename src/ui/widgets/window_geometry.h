#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <cstdint>

#include "settings/settings.h"

class QWidget;

namespace tolm::ui {

// The main window's smallest and largest outer size, pixels.
struct SizeLimits {
    std::int32_t minWidth = 0;
    std::int32_t minHeight = 0;
    std::int32_t maxWidth = 0;
    std::int32_t maxHeight = 0;

    bool operator==(const SizeLimits&) const = default;
};

// A length in twips (1440 to the inch) as whole pixels at `dpi` logical dots
// per inch, rounded to nearest with ties to even.
std::int32_t twipsToPixels(double twips, double dpi);

// Lengths the windows' design gives in twips, in pixels at one screen's
// logical dpi; every twips size goes through here.
struct TwipsScale {
    double dpiX = 96.0;
    double dpiY = 96.0;

    std::int32_t x(double twips) const { return twipsToPixels(twips, dpiX); }
    std::int32_t y(double twips) const { return twipsToPixels(twips, dpiY); }
    QSize size(double widthTwips, double heightTwips) const {
        return QSize(x(widthTwips), y(heightTwips));
    }
};

// The primary screen's scale (96 dpi when there is no screen).
TwipsScale primaryScreenScale();

// 9135 x 8625 twips at the screen's resolution, at most the screen's size.
SizeLimits computeSizeLimits(double dpiX, double dpiY, QSize screen);

// The primary screen's limits, and the metrics the settings loader places with.
SizeLimits primaryScreenLimits();
ScreenMetrics metricsFor(const SizeLimits& limits);

// Sizes the outer frame: Qt's minimum and maximum sizes apply to the client
// area, so the frame's own width and height (title bar, borders) are taken
// off. Before the window is shown Qt does not know its frame, so the caller
// applies the limits again once it is (see MainWindow::showEvent).
void applySizeLimits(QWidget& window, const SizeLimits& limits);

// Frame width and height beyond the client area (zero while unknown).
QSize frameExtent(const QWidget& window);

// True when enough of `frame` lies on one of `screens` to reach it with the
// mouse; a placement saved on a monitor that is gone fails this.
bool placementReachable(const QRect& frame, const QList<QRect>& screens);

// Where `frame` lands: as stored, or centred on `primary` when unreachable.
QPoint placementFor(const QRect& frame, const QList<QRect>& screens, const QRect& primary);

// Gives `window` the stored placement and state (normal, minimised, maximised).
void applyGeometry(QWidget& window, const WindowGeometry& geometry);

// The window's state and outer geometry as Qt reports them now.
WindowGeometry reportGeometry(const QWidget& window);

} // namespace tolm::ui
