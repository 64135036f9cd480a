#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

namespace tolm::ui {

// Which way an arrow button points; the values are the buttons' indexes.
enum class ArrowDirection { Left = 0, Right = 1, Up = 2, Down = 3 };

inline constexpr int kArrowPictureSize = 16;

// 16 x 16: a black arrow head on a blue square with a one-pixel black border.
QImage arrowPicture(ArrowDirection direction);

// A picture control: paints its picture stretched over its whole area, and
// nothing (the parent shows through) while it has none.
class PictureBox : public QWidget {
public:
    explicit PictureBox(QWidget* parent = nullptr);

    const QPixmap& picture() const { return picture_; }
    void setPicture(const QPixmap& picture);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
};

} // namespace tolm::ui
