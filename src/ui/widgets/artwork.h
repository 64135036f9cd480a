#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

namespace tolm::ui {

// The program's own pictures, drawn in code: diagonal stripes of red, yellow,
// green and cyan on black, with a text on a dark banner in a pixel font.

// 240 x 192: the splash window's title picture (the name on the banner).
QImage titlePicture();
// 240 x 192: the About box's logo.
QImage logoPicture();
// 256 x 192: the screenshot placeholder ("no image" on the banner).
QImage placeholderPicture();
// The program's icon at `side` x `side` pixels.
QImage programIconImage(int side);
// The sizes the icon is drawn at, for the window and the desktop's icon theme.
inline constexpr int kProgramIconSides[] = {16, 32, 48, 64, 128, 256};
// The window icon, at every one of those sizes.
QIcon programIcon();

} // namespace tolm::ui
