#pragma once

#include <QDateTime>
#include <QFrame>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <array>
#include <vector>

#include "ui/widgets/arrow_pictures.h"
#include "ui/widgets/screen_pictures.h"
#include "ui/widgets/window_geometry.h"

namespace tolm {
struct AppState;
}

namespace tolm::ui {

// Full size 256 x 192, half size 128 x 96 (any size setting other than 0).
QSize slotSizeFor(int ssSize);

// Decodes `path` straight to `size` (the reader scales while decoding, which
// is far cheaper than decoding a large picture and shrinking it). The format
// is taken from the file's contents, not its name. Null on any failure.
QImage decodePictureAt(const QString& path, QSize size);

// One picture slot of the strip. It remembers which file it should show and
// decodes that file only when it is about to be shown; a file that cannot be
// decoded leaves the slot with the picture it had.
class ScreenshotSlot final : public PictureBox {
public:
    explicit ScreenshotSlot(QWidget* parent);

    void showPlaceholder(const QPixmap& placeholder);
    void showFile(const QString& path); // decoded when next shown
    // The screen taken from the game's own file, marked as such.
    void showGameFileScreen(const QImage& screen);
    bool hasPendingFile() const { return !pending_.empty(); }

    // Decodes the pending file at the slot's present size, if any.
    void realise();

    bool showsPlaceholder() const { return kind_ == Kind::Placeholder; }
    bool showsGameFileScreen() const { return kind_ == Kind::GameFile; }
    // The unmarked 256 x 192 screen while showsGameFileScreen().
    const QImage& gameFileScreen() const { return gameFileScreen_; }
    // The file the present picture was decoded from; empty for the
    // placeholder or no picture.
    const QString& shownFile() const { return shownFile_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    enum class Kind { Nothing, Placeholder, File, GameFile };

    bool matchesShown(const QString& path) const;
    bool decode(const QString& path);

    Kind kind_ = Kind::Nothing;
    QString shownFile_;
    QSize shownSize_;
    QDateTime shownStamp_;
    qint64 shownBytes_ = -1;
    QImage gameFileScreen_;
    // Files given since the picture was last decoded, oldest first. When the
    // newest cannot be decoded the one before it is tried, so the slot ends
    // up as if each had been decoded when it was given.
    std::vector<QString> pending_;
};

class ScreenshotStrip final : public QFrame {
    Q_OBJECT

public:
    static constexpr double kArrowTwips = 240;

    explicit ScreenshotStrip(AppState& state, QWidget* parent = nullptr,
                             TwipsScale scale = primaryScreenScale());

    // Rebuilds the slots for the selected game, back at the first, then lays
    // them out.
    void loadScreenshots();

    // Screen Shots > View. Turned off the strip hides; turned on it shows at
    // its next layout.
    void setShowScreenshots(bool on);
    bool showScreenshots() const { return showScreenshots_; }

    // Takes `area` (in the parent's coordinates) and lays the slots and
    // arrows out in it. Each run takes a scroll past the end back by one slot
    // only: a strip widened by several slots catches up over the following
    // runs. Nothing moves while the window is minimised.
    void place(const QRect& area);

    int visibleSlots() const { return visibleSlots_; } // whole slots that fit
    int scrollOffset() const { return scrollOffset_; } // slots scrolled past, from the first
    // The screens read from game files, shared with the properties dialog.
    GameFileScreenCache& gameFileScreens() { return gameFileScreens_; }

    int slotCount() const { return static_cast<int>(slots_.size()); }
    ScreenshotSlot* slotAt(int index) const;
    PictureBox* arrow(ArrowDirection direction) const;
    QSize arrowSize() const { return arrowSize_; }

    // A mouse button released over an arrow: scroll one slot.
    void arrowReleased(ArrowDirection direction);
    // A mouse button released over slot `index`: the left button with Shift
    // alone opens the full-size view.
    void slotReleased(int index, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);

    // The picture the full-size view shows for slot `index`: its file decoded
    // at the view's size, the placeholder, or failing both what the slot shows.
    QPixmap fullSizePicture(int index);
    void openFullSizeView(int index);

    const QPixmap& placeholder() const { return placeholder_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ScreenshotSlot* addSlot();
    void removeSlotsFrom(int first);
    // Places every slot by the chain rule: slot 0 at minus scrollOffset slot
    // lengths along the strip, each next one touching the one before and
    // taking its size.
    void placeSlots();
    // One run of the layout in the present rectangle: how many slots fit,
    // the arrows, the scroll moved back into range, the slots shown.
    void layOut();
    void showScrolledSlots(QWidget& back, QWidget& forward);

    AppState& state_;
    bool showScreenshots_ = false;
    int scrollOffset_ = 0;
    int previousScrollOffset_ = 0; // as the slots were last placed
    int visibleSlots_ = 0;
    QSize arrowSize_;
    QPixmap placeholder_;
    std::vector<ScreenshotSlot*> slots_;
    std::array<PictureBox*, 4> arrows_{}; // by ArrowDirection
    GameFileScreenCache gameFileScreens_;
};

} // namespace tolm::ui
