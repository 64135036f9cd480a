#include "ui/main/outer_size.h"

#include <QWidget>
#include <algorithm>

namespace tolm::ui {

void OuterSize::applyLimits(const SizeLimits& limits) {
    limits_ = limits;
    applySizeLimits(window_, limits_);
    appliedFrame_ = frameExtent(window_);
}

void OuterSize::restore(QSize outer) {
    pendingOuter_ = QSize(std::max(outer.width(), limits_.minWidth),
                          std::max(outer.height(), limits_.minHeight));
}

void OuterSize::settle() {
    const QSize frame = frameExtent(window_);
    if (frame == appliedFrame_)
        return;
    appliedFrame_ = frame;
    applySizeLimits(window_, limits_);
    if (pendingOuter_ && window_.windowState() == Qt::WindowNoState)
        window_.resize(*pendingOuter_ - frame);
    pendingOuter_.reset();
}

} // namespace tolm::ui
