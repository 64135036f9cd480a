#include "ui/widgets/arrow_pictures.h"

#include <QColor>
#include <QPainter>

namespace tolm::ui {

namespace {

const QRgb kArrowBlue = qRgb(30, 154, 217);
const QRgb kBlack = qRgb(0, 0, 0);

// Where a pixel of the left-pointing head lands for `direction`. The
// pictures are exact mirror images of one another, pixel for pixel.
QPoint turned(ArrowDirection direction, int x, int y) {
    const int last = kArrowPictureSize - 1;
    switch (direction) {
    case ArrowDirection::Left:
        return {x, y};
    case ArrowDirection::Right:
        return {last - x, y};
    case ArrowDirection::Up:
        return {y, x};
    case ArrowDirection::Down:
        return {y, last - x};
    }
    return {x, y};
}

} // namespace

QImage arrowPicture(ArrowDirection direction) {
    QImage picture(kArrowPictureSize, kArrowPictureSize, QImage::Format_RGB32);
    picture.fill(kBlack);
    for (int y = 1; y < kArrowPictureSize - 1; ++y) {
        for (int x = 1; x < kArrowPictureSize - 1; ++x) {
            picture.setPixel(x, y, kArrowBlue);
        }
    }

    // A triangle with its tip at column 4, widening by one row each way per
    // column up to column 9; rows 7 and 8 are the centre line.
    constexpr int tip = 4;
    constexpr int base = 9;
    for (int x = tip; x <= base; ++x) {
        const int spread = x - tip;
        for (int y = 7 - spread; y <= 8 + spread; ++y) {
            picture.setPixel(turned(direction, x, y), kBlack);
        }
    }
    return picture;
}

} // namespace tolm::ui

namespace tolm::ui {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}

void PictureBox::setPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void PictureBox::paintEvent(QPaintEvent* /*event*/) {
    if (picture_.isNull()) {
        return;
    }
    QPainter painter(this);
    painter.drawPixmap(rect(), picture_);
}

} // namespace tolm::ui
