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
#include "ui/widgets/artwork.h"
#include "ui/widgets/qt_text.h"
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
    const int offset = scrollOffset_;
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

void ScreenshotStrip::setShowScreenshots(bool on) {
    showScreenshots_ = on;
    if (!on) {
        hide();
    }
}

void ScreenshotStrip::place(const QRect& area) {
    setGeometry(area);
    layOut();
}

void ScreenshotStrip::layOut() {
    if (window()->isMinimized()) {
        return;
    }
    if (!showScreenshots_) {
        hide();
        return;
    }
    const QSize slotSize = slotSizeFor(state_.settings.screenshotSize);
    ScreenshotSlot& first = *slots_.front();
    if (first.size() != slotSize) {
        first.resize(slotSize);
    }

    QWidget* back = nullptr;
    QWidget* forward = nullptr;
    if (state_.settings.screenshotLocation == 0) {
        visibleSlots_ = width() / slotSize.width();
        back = arrow(ArrowDirection::Left);
        forward = arrow(ArrowDirection::Right);
        const int top = height() / 2 - arrowSize_.height() / 2;
        back->move(0, top);
        forward->move(width() - arrowSize_.width(), top);
        arrow(ArrowDirection::Up)->hide();
        arrow(ArrowDirection::Down)->hide();
    } else {
        visibleSlots_ = contentsRect().height() / slotSize.height();
        back = arrow(ArrowDirection::Up);
        forward = arrow(ArrowDirection::Down);
        const int left = width() / 2 - arrowSize_.width() / 2;
        back->move(left, 0);
        forward->move(left, height() - arrowSize_.height());
        arrow(ArrowDirection::Left)->hide();
        arrow(ArrowDirection::Right)->hide();
    }
    showScrolledSlots(*back, *forward);
}

void ScreenshotStrip::showScrolledSlots(QWidget& back, QWidget& forward) {
    const int count = slotCount();
    // The arrows follow the scroll as it was; the correction below shows on
    // the next run.
    back.setVisible(scrollOffset_ > 0);
    forward.setVisible(visibleSlots_ < count);
    if (visibleSlots_ + scrollOffset_ > count) {
        scrollOffset_ -= 1; // one step per run
    } else if (visibleSlots_ + scrollOffset_ == count) {
        forward.hide();
    }
    if (scrollOffset_ < 0) {
        scrollOffset_ = 0;
    }

    if (isHidden()) {
        show();
    }
    if (scrollOffset_ != previousScrollOffset_) {
        placeSlots();
        previousScrollOffset_ = scrollOffset_;
    }

    const int firstHidden = scrollOffset_ + visibleSlots_;
    for (int i = scrollOffset_; i < firstHidden && i < count; ++i) {
        if (ScreenshotSlot* slot = slotAt(i); slot != nullptr && slot->isHidden()) {
            slot->show();
        }
    }
    // Slots before the offset keep their state: they lie outside the strip.
    for (int i = firstHidden < 0 ? 0 : firstHidden; i < count; ++i) {
        if (ScreenshotSlot* slot = slotAt(i); !slot->isHidden()) {
            slot->hide();
        }
    }
}

void ScreenshotStrip::loadScreenshots() {
    scrollOffset_ = 0;
    int screenshotCount = 1;

    // A stale selection (past the catalogue's end) counts as no selection.
    const GameRecord* game = catalogueHasEntries(state_.catalogue) && !isNone(state_.selectedGame)
                                 ? state_.selectedRecord()
                                 : nullptr;
    const bool hasScreenshots = game != nullptr && !game->screenshots.empty();

    if (hasScreenshots) {
        screenshotCount = lastItemIndex(state_.catalogue, game->screenshots) + 1;
        ScreenshotSlot* first = slots_.front();
        first->hide();
        first->resize(slotSizeFor(state_.settings.screenshotSize));
        const std::vector<std::string_view> parts = splitList(game->screenshots);
        for (int i = 0; i < screenshotCount; ++i) {
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
        removeSlotsFrom(screenshotCount);
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
    layOut();
}

void ScreenshotStrip::arrowReleased(ArrowDirection direction) {
    if (direction == ArrowDirection::Left || direction == ArrowDirection::Up) {
        scrollOffset_ = scrollOffset_ > 0 ? scrollOffset_ - 1 : 0;
    } else if (visibleSlots_ + scrollOffset_ < slotCount()) {
        scrollOffset_ += 1;
    }
    if (scrollOffset_ != previousScrollOffset_) {
        slots_.front()->resize(slotSizeFor(state_.settings.screenshotSize));
        placeSlots();
    }
    previousScrollOffset_ = scrollOffset_;
    layOut();
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
