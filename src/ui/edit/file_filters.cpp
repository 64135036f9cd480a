#include "ui/edit/file_filters.h"

namespace tolm::ui {

QString romFileFilter() {
    return QStringLiteral("Spectrum files (*.Z80;*.ZX*;*.SNA;*.TAP;*.TZX)|"
                          "*.Z80;*.ZX*;*.SNA;*.TAP;*.TZX|"
                          "Z80 (*.Z80)|*.Z80|ZX Riff (*.ZX*)|*.ZX*|Snapshot (*.SNA)|*.SNA|"
                          "Tape Images (*.TAP)|*.TAP|TZX Tape Images (*.TZX)|*.TZX|"
                          "All files (*.*)|*.*");
}

QString pictureFileFilter() {
    return QStringLiteral("All pictures (*.bmp;*.gif;*.jpg;*.jpeg;*.png)|"
                          "*.bmp;*.gif;*.jpg;*.jpeg;*.png|"
                          "Windows Bitmap (*.bmp)|*.bmp|Gif (*.gif)|*.gif|"
                          "Jpeg (*.jpg,*.jpeg)|*.jpg,*.jpeg|PNG (*.png)|*.png");
}

QString musicFileFilter() {
    return QStringLiteral("All files (*.*)|*.*");
}

} // namespace tolm::ui
