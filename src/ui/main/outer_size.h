#pragma once

#include <QSize>
#include <optional>

#include "ui/widgets/window_geometry.h"

class QWidget;

namespace tolm::ui {

// The main window's size limits and stored size, both outer sizes. Qt learns
// the window frame only once the window manager has decorated the shown
// window, so they are applied again with the frame taken off as soon as it
// is known.
class OuterSize {
public:
    explicit OuterSize(QWidget& window) : window_(window) {}

    // Applies `limits` with the frame as far as it is known yet.
    void applyLimits(const SizeLimits& limits);
    const SizeLimits& limits() const { return limits_; }
    // The stored size of a normal window, never below the limits; it takes
    // effect once the frame is known.
    void restore(QSize outer);
    // At every show, move and resize: applies both afresh when the frame
    // has changed since.
    void settle();

private:
    QWidget& window_;
    SizeLimits limits_;
    QSize appliedFrame_;                // the frame the limits were last applied with
    std::optional<QSize> pendingOuter_; // the stored size, until the frame is known
};

} // namespace tolm::ui
