#include "ui/widgets/file_filters.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

namespace tolm::ui {

QString romFileFilter() {
    // Collections come zipped or gzipped: the emulator and the screen reader
    // take those files as they are.
    return QStringLiteral("Spectrum files (*.Z80;*.ZX*;*.SNA;*.TAP;*.TZX;*.ZIP;*.GZ;*.BZ2)|"
                          "*.Z80;*.ZX*;*.SNA;*.TAP;*.TZX;*.ZIP;*.GZ;*.BZ2|"
                          "Z80 (*.Z80)|*.Z80|ZX Riff (*.ZX*)|*.ZX*|Snapshot (*.SNA)|*.SNA|"
                          "Tape Images (*.TAP)|*.TAP|TZX Tape Images (*.TZX)|*.TZX|"
                          "Compressed (*.ZIP;*.GZ;*.BZ2)|*.ZIP;*.GZ;*.BZ2|"
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

bool filterOffers(const QString& filter, const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const QStringList parts = filter.split(QLatin1Char('|'));
    static const QRegularExpression separators(QStringLiteral("[;,]"));
    for (qsizetype i = 1; i < parts.size(); i += 2) {
        for (const QString& pattern : parts[i].split(separators, Qt::SkipEmptyParts)) {
            if (pattern.trimmed() == QLatin1String("*.*") ||
                QRegularExpression::fromWildcard(pattern.trimmed(), Qt::CaseInsensitive)
                    .match(name)
                    .hasMatch())
                return true;
        }
    }
    return false;
}

} // namespace tolm::ui
