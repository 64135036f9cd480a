#include "ui/widgets/screenshot_strip.h"

#include <QEvent>
#include <QFileInfo>
#include <QImageReader>
#include <QMouseEvent>
#include <string_view>

#include "core/selection.h"
#include "core/text.h"
#include "settings/locate.h"
#include "state/app_state.h"
#include "ui/widgets/qt_text.h"
#include "ui/widgets/artwork.h"
#include "ui/widgets/show_big_window.h"

namespace tolm::ui {

namespace {

// Files given to a slot while it stays hidden are kept up to this many; older
// ones only matter when every newer one fails to decode.
constexpr std::size_t kMaxPendingFiles = 8;

} // namespace

QSize slotSizeFor(int ssSize) {
    return ssSize == 0 ? QSize(256, 192) : QSize(128, 96);
}

QImage decodePictureAt(const QString& path, QSize size) {
    // A Spectrum screen has no signature of its own: its name and size say
    // what it is, and a 6912-byte file no picture reader knows is taken as one.
    if (hasSpectrumScreenName(path)) {
        const QImage screen = decodeSpectrumScreenFile(path, size);
        if (!screen.isNull()) {
            return screen;
        }
    }
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    if (size.isValid() && !size.isEmpty()) {
        reader.setScaledSize(size);
    }
    const QImage image = reader.read();
    if (image.isNull()) {
        return decodeSpectrumScreenFile(path, size);
    }
    return image;
}

// ---------------------------------------------------------------------------

ScreenshotSlot::ScreenshotSlot(QWidget* parent) : PictureBox(parent) {}

void ScreenshotSlot::showPlaceholder(const QPixmap& placeholder) {
    pending_.clear();
    kind_ = Kind::Placeholder;
    shownFile_.clear();
    setAccessibleName(QStringLiteral("No screenshot"));
    shownSize_ = QSize();
    setPicture(placeholder);
}

void ScreenshotSlot::showGameFileScreen(const QImage& screen) {
    pending_.clear();
    kind_ = Kind::GameFile;
    shownFile_.clear();
    shownSize_ = QSize();
    gameFileScreen_ = screen;
    setPicture(QPixmap::fromImage(markedAsGameFileScreen(screen, slotSizeFor(0))));
}

void ScreenshotSlot::showFile(const QString& path) {
    setAccessibleName(QFileInfo(path).fileName());
    pending_.push_back(path);
    if (pending_.size() > kMaxPendingFiles) {
        pending_.erase(pending_.begin());
    }
    if (isVisible()) {
        realise();
    }
}

void ScreenshotSlot::realise() {
    if (pending_.empty()) {
        return;
    }
    std::vector<QString> files;
    files.swap(pending_);
    for (auto file = files.rbegin(); file != files.rend(); ++file) {
        if (matchesShown(*file) || decode(*file)) {
            return;
        }
    }
}

void ScreenshotSlot::showEvent(QShowEvent* event) {
    realise();
    PictureBox::showEvent(event);
}

bool ScreenshotSlot::matchesShown(const QString& path) const {
    if (kind_ != Kind::File || shownFile_ != path || shownSize_ != size()) {
        return false;
    }
    const QFileInfo info(path);
    return info.lastModified() == shownStamp_ && info.size() == shownBytes_;
}

bool ScreenshotSlot::decode(const QString& path) {
    const QImage image = decodePictureAt(path, size());
    if (image.isNull()) {
        return false;
    }
    const QFileInfo info(path);
    kind_ = Kind::File;
    shownFile_ = path;
    shownSize_ = size();
    shownStamp_ = info.lastModified();
    shownBytes_ = info.size();
    setPicture(QPixmap::fromImage(image));
    return true;
}

// ---------------------------------------------------------------------------

ScreenshotStrip::ScreenshotStrip(AppState& state, QWidget* parent, TwipsScale scale)
    : QFrame(parent), state_(state), arrowSize_(scale.size(kArrowTwips, kArrowTwips)),
      placeholder_(QPixmap::fromImage(placeholderPicture())) {
    setObjectName(QStringLiteral("Frame1"));
    setFrameShape(QFrame::NoFrame);
    setAutoFillBackground(true);

    ScreenshotSlot* first = addSlot();
    first->resize(slotSizeFor(0));
    first->showPlaceholder(placeholder_);

    for (std::size_t index = 0; index < arrows_.size(); ++index) {
        auto* arrow = new PictureBox(this);
        arrow->setObjectName(QStringLiteral("actions") + QString::number(index));
        const auto direction = static_cast<ArrowDirection>(index);
        arrow->setAccessibleName(direction == ArrowDirection::Left ||
                                         direction == ArrowDirection::Up
                                     ? QStringLiteral("Previous screenshots")
                                     : QStringLiteral("Next screenshots"));
        arrow->setPicture(QPixmap::fromImage(arrowPicture(static_cast<ArrowDirection>(index))));
        arrow->resize(arrowSize_);
        arrow->installEventFilter(this);
        arrow->raise();
        arrows_[index] = arrow;
    }
}

ScreenshotSlot* ScreenshotStrip::slotAt(int index) const {
    if (index < 0 || index >= slotCount()) {
        return nullptr;
    }
    return slots_[static_cast<std::size_t>(index)];
}

PictureBox* ScreenshotStrip::arrow(ArrowDirection direction) const {
    return arrows_[static_cast<std::size_t>(direction)];
}

ScreenshotSlot* ScreenshotStrip::addSlot() {
    auto* slot = new ScreenshotSlot(this);
    slot->setObjectName(QStringLiteral("ssimage") + QString::number(slotCount()));
    if (!slots_.empty()) {
        slot->resize(slots_.front()->size());
    }
    slot->hide();
    slot->installEventFilter(this);
    slots_.push_back(slot);
    return slot;
}

void ScreenshotStrip::removeSlotsFrom(int first) {
    while (slotCount() > first && slotCount() > 1) {
        delete slots_.back();
        slots_.pop_back();
    }
}

void ScreenshotStrip::placeSlots() {
    const bool horizontal = state_.settings.screenshotLocation == 0;
    const int offset = strip_.scrollOffset;
    ScreenshotSlot* first = slots_.front();
    if (horizontal) {
        first->move(-offset * first->width(), 0);
    } else {
        first->move(0, -offset * first->height());
    }
    for (std::size_t i = 1; i < slots_.size(); ++i) {
        const QRect before = slots_[i - 1]->geometry();
        const QPoint at = horizontal ? QPoint(before.x() + before.width(), before.y())
                                     : QPoint(before.x(), before.y() + before.height());
        slots_[i]->setGeometry(QRect(at, before.size()));
    }
}

void ScreenshotStrip::loadScreenshots() {
    StripState& strip = strip_;
    strip.scrollOffset = 0;
    strip.screenshotCount = 1;

    // A stale selection (past the catalogue's end) counts as no selection.
    const GameRecord* game = catalogueHasEntries(state_.catalogue) && !isNone(state_.selectedGame)
                                 ? state_.selectedRecord()
                                 : nullptr;
    const bool hasScreenshots = game != nullptr && !game->screenshots.empty();

    if (hasScreenshots) {
        strip.screenshotCount = lastItemIndex(state_.catalogue, game->screenshots) + 1;
        ScreenshotSlot* first = slots_.front();
        first->hide();
        first->resize(slotSizeFor(state_.settings.screenshotSize));
        const std::vector<std::string_view> parts = splitList(game->screenshots);
        for (int i = 0; i < strip.screenshotCount; ++i) {
            ScreenshotSlot* slot = i < slotCount() ? slotAt(i) : addSlot();
            slot->hide();
            if (i == 0) {
                slot->move(0, 0);
            } else {
                const QRect before = slotAt(i - 1)->geometry();
                const QPoint at = state_.settings.screenshotLocation == 0
                                      ? QPoint(before.x() + before.width(), before.y())
                                      : QPoint(before.x(), before.y() + before.height());
                slot->setGeometry(QRect(at, before.size()));
            }
            const LocatedFile located = locateFile(
                static_cast<std::size_t>(i) < parts.size() ? parts[i] : std::string_view(),
                state_.settings.screenshotPaths);
            if (located.found) {
                slot->showFile(toQt(located.path));
            } else {
                slot->showPlaceholder(placeholder_);
            }
        }
        removeSlotsFrom(strip.screenshotCount);
    } else {
        ScreenshotSlot* first = slots_.front();
        first->showPlaceholder(placeholder_);
        // Without screenshots, the screen inside the game's own file stands in.
        if (game != nullptr) {
            const QImage screen =
                gameFileScreens_.screenOfRom(game->romFile, state_.settings.romPaths);
            if (!screen.isNull()) {
                first->showGameFileScreen(screen);
            }
        }
        first->hide();
        removeSlotsFrom(1);
    }

    // New slots were stacked above the arrows.
    for (PictureBox* arrow : arrows_) {
        arrow->raise();
    }
    Q_EMIT layoutRequested();
}

void ScreenshotStrip::arrowReleased(ArrowDirection direction) {
    StripState& strip = strip_;
    if (direction == ArrowDirection::Left || direction == ArrowDirection::Up) {
        strip.scrollOffset -= 1;
        if (strip.scrollOffset < 0) {
            strip.scrollOffset = 0;
        }
    } else if (strip.visibleSlots + strip.scrollOffset < slotCount()) {
        strip.scrollOffset += 1;
    }
    if (strip.scrollOffset != strip.previousScrollOffset) {
        slots_.front()->resize(slotSizeFor(state_.settings.screenshotSize));
        placeSlots();
    }
    strip.previousScrollOffset = strip.scrollOffset;
    Q_EMIT layoutRequested();
}

void ScreenshotStrip::slotReleased(int index, Qt::MouseButton button,
                                   Qt::KeyboardModifiers modifiers) {
    const Qt::KeyboardModifiers held =
        modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (button == Qt::LeftButton && held == Qt::ShiftModifier) {
        openFullSizeView(index);
    }
}

QPixmap ScreenshotStrip::fullSizePicture(int index) {
    ScreenshotSlot* slot = slotAt(index);
    if (slot == nullptr) {
        return placeholder_;
    }
    slot->realise();
    if (slot->showsPlaceholder()) {
        return placeholder_;
    }
    if (slot->showsGameFileScreen()) {
        return QPixmap::fromImage(
            markedAsGameFileScreen(slot->gameFileScreen(), ShowBigWindow::kPictureSize));
    }
    if (!slot->shownFile().isEmpty()) {
        const QImage image = decodePictureAt(slot->shownFile(), ShowBigWindow::kPictureSize);
        if (!image.isNull()) {
            return QPixmap::fromImage(image);
        }
    }
    return slot->picture();
}

void ScreenshotStrip::openFullSizeView(int index) {
    if (slotAt(index) == nullptr) {
        return;
    }
    ShowBigWindow view(fullSizePicture(index), window());
    view.exec();
}

bool ScreenshotStrip::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonRelease) {
        return QFrame::eventFilter(watched, event);
    }
    const auto* release = static_cast<QMouseEvent*>(event);
    for (std::size_t index = 0; index < arrows_.size(); ++index) {
        if (watched == arrows_[index]) {
            arrowReleased(static_cast<ArrowDirection>(index));
            return true;
        }
    }
    for (int index = 0; index < slotCount(); ++index) {
        if (watched == slots_[static_cast<std::size_t>(index)]) {
            slotReleased(index, release->button(), release->modifiers());
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace tolm::ui
