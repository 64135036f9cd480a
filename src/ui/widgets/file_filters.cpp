#include "ui/widgets/file_filters.h"

namespace tolm::ui {

QString romFileFilter() {
    return QStringLiteral("Spectrum files (*.Z80;*.ZX*;*.SNA;*.TAP;*.TZX)|"
                          "*.Z80;*.ZX*;*.SNA;*.TAP;*.TZX|"
                          "Z80 (*.Z80)|*.Z80|ZX Riff (*.ZX*)|*.ZX*|Snapshot (*.SNA)|*.SNA|"
                          "Tape Images (*.TAP)|*.TAP|TZX Tape Images (*.TZX)|*.TZX|"
                          "All files (*.*)|*.*");
}

QString pictureFileFilter() {
    return QStringLiteral("All pictures (*.bmp;*.gif;*.jpg;*.jpeg;*.png;*.scr)|"
                          "*.bmp;*.gif;*.jpg;*.jpeg;*.png;*.scr|"
                          "Windows Bitmap (*.bmp)|*.bmp|Gif (*.gif)|*.gif|"
                          "Jpeg (*.jpg,*.jpeg)|*.jpg,*.jpeg|PNG (*.png)|*.png|"
                          "Spectrum screen (*.scr)|*.scr");
}

QString musicFileFilter() {
    return QStringLiteral("All files (*.*)|*.*");
}

} // namespace tolm::ui
