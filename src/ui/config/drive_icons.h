#pragma once

#include <QIcon>
#include <QImage>
#include <QString>
#include <string_view>

namespace tolm::ui {

inline constexpr int kDriveIconSize = 16;
// The background the drive pictures are drawn on; it never shows.
inline constexpr QRgb kDriveIconBackground = 0xffff00ff;

// The 16 x 16 picture for a drive icon key ("fixed", "cdx", ...) on the
// magenta background; an unknown key gives the "unknown" picture.
QImage driveIconPicture(std::string_view key);

// The same picture with the magenta made transparent, as the lists show it.
QIcon driveIcon(std::string_view key);

} // namespace tolm::ui
