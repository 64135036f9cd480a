#include "ui/widgets/screen_pictures.h"

#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QPainter>
#include <algorithm>
#include <cstring>

#include "core/text.h"
#include "settings/locate.h"
#include "ui/widgets/qt_text.h"

namespace tolm::ui {
namespace {

// Enough for the games of a long session of clicking back and forth.
constexpr std::size_t kCachedScreens = 32;

} // namespace

QImage spectrumScreenImage(const screens::ScreenMemory& screen) {
    const std::optional<screens::ScreenPicture> picture = screens::decodeScreen(screen);
    if (!picture)
        return {};
    QImage image(screens::kScreenWidth, screens::kScreenHeight, QImage::Format_RGB32);
    for (int y = 0; y < screens::kScreenHeight; ++y)
        std::memcpy(image.scanLine(y),
                    picture->pixels.data() + static_cast<std::size_t>(y) * screens::kScreenWidth,
                    screens::kScreenWidth * sizeof(std::uint32_t));
    return image;
}

bool hasSpectrumScreenName(const QString& path) {
    return path.endsWith(QStringLiteral(".scr"), Qt::CaseInsensitive);
}

QImage decodeSpectrumScreenFile(const QString& path, QSize size) {
    QFile file(path);
    if (file.size() != static_cast<qint64>(screens::kScreenBytes) ||
        !file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.read(static_cast<qint64>(screens::kScreenBytes));
    if (bytes.size() != static_cast<qsizetype>(screens::kScreenBytes))
        return {};
    screens::ScreenMemory screen;
    std::memcpy(screen.data(), bytes.constData(), screen.size());
    const QImage image = spectrumScreenImage(screen);
    if (image.isNull() || !size.isValid() || size.isEmpty() || size == image.size())
        return image;
    // Pixel art: each Spectrum pixel stays a sharp block.
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

QImage markedAsGameFileScreen(const QImage& picture, QSize size) {
    QImage image = size.isValid() && !size.isEmpty() && size != picture.size()
                       ? picture.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                       : picture.copy();
    QPainter painter(&image);
    QFont font = painter.font();
    font.setPixelSize(std::max(8, image.height() / 16));
    painter.setFont(font);
    const QString text = QStringLiteral("game file");
    const QFontMetrics metrics(font);
    const QRect box(2, image.height() - metrics.height() - 4, metrics.horizontalAdvance(text) + 6,
                    metrics.height() + 2);
    painter.fillRect(box, QColor(0, 0, 0, 170));
    painter.setPen(Qt::white);
    painter.drawText(box, Qt::AlignCenter, text);
    return image;
}

QImage GameFileScreenCache::screenOf(const QString& path) {
    const QFileInfo info(path);
    const QDateTime stamp = info.lastModified();
    const qint64 bytes = info.size();
    const auto known = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& entry) {
        return entry.path == path && entry.stamp == stamp && entry.bytes == bytes;
    });
    if (known != entries_.end()) {
        Entry entry = std::move(*known);
        entries_.erase(known);
        entries_.push_back(std::move(entry));
        return entries_.back().image;
    }
    Entry entry{path, stamp, bytes, {}};
    if (const auto screen = reader_.readFile(toStd(path)))
        entry.image = spectrumScreenImage(*screen);
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                  [&](const Entry& old) { return old.path == path; }),
                   entries_.end());
    if (entries_.size() >= kCachedScreens)
        entries_.erase(entries_.begin());
    entries_.push_back(std::move(entry));
    return entries_.back().image;
}

QImage GameFileScreenCache::screenOfRom(const std::string& romFile,
                                        const std::vector<std::string>& romPaths) {
    if (trimBlanks(romFile).empty())
        return {};
    const LocatedFile rom = locateFile(romFile, romPaths);
    return rom.found ? screenOf(toQt(rom.path)) : QImage();
}

} // namespace tolm::ui
