#include "ui/main/main_layout.h"

#include <QWidget>
#include <QtGlobal>

#include "ui/widgets/screenshot_strip.h"

namespace tolm::ui {

namespace {

constexpr int kMargin = 8;    // list to window edges, list to strip or tabs
constexpr int kStripGap = 32; // strip bottom to tabs, status bar included

int statusBarHeight(const MainWindowRegions& r) {
    if (r.statusBar == nullptr) {
        return 0;
    }
    const bool ours =
        r.gameList != nullptr && r.statusBar->parentWidget() == r.gameList->parentWidget();
    if (!ours) {
        return r.statusBar->height();
    }
    const int height = qBound(r.statusBar->minimumHeight(), r.statusBar->sizeHint().height(),
                              r.statusBar->maximumHeight());
    r.statusBar->setGeometry(0, r.client.height() - height, r.client.width(), height);
    return height;
}

// Shows the strip's slots and arrows for the present scroll state.
void showStripWindow(ScreenshotStrip& frame, QWidget& back, QWidget& forward) {
    StripState& strip = frame.stripState();
    const int count = frame.slotCount();

    back.setVisible(strip.scrollOffset > 0);
    forward.setVisible(strip.visibleSlots < count);
    if (strip.visibleSlots + strip.scrollOffset > count) {
        // One step per run: a window widened by several slots catches up
        // over the following runs.
        strip.scrollOffset -= 1;
    } else if (strip.visibleSlots + strip.scrollOffset == count) {
        forward.hide();
    }
    if (strip.scrollOffset < 0) {
        strip.scrollOffset = 0;
    }

    if (frame.isHidden()) {
        frame.show();
    }
    if (strip.scrollOffset != strip.previousScrollOffset) {
        frame.placeSlots();
        strip.previousScrollOffset = strip.scrollOffset;
    }

    const int firstHidden = strip.scrollOffset + strip.visibleSlots;
    for (int i = strip.scrollOffset; i < firstHidden && i < count; ++i) {
        if (ScreenshotSlot* slot = frame.slotAt(i); slot != nullptr && slot->isHidden()) {
            slot->show();
        }
    }
    // Slots before the offset keep their state: they lie outside the strip.
    if (count > firstHidden) {
        for (int i = firstHidden < 0 ? 0 : firstHidden; i < count; ++i) {
            if (ScreenshotSlot* slot = frame.slotAt(i); !slot->isHidden()) {
                slot->hide();
            }
        }
    }
}

} // namespace

void layOutMainWindow(const MainWindowRegions& r, const SettingsState& settings) {
    if (r.minimised || r.gameList == nullptr || r.detailsPanel == nullptr ||
        r.screenshotStrip == nullptr) {
        return;
    }
    const int clientWidth = r.client.width();
    const int clientHeight = r.client.height();
    QWidget& list = *r.gameList;
    QWidget& tabs = *r.detailsPanel;
    ScreenshotStrip& frame = *r.screenshotStrip;

    const int statusHeight = statusBarHeight(r);
    tabs.move(clientWidth / 2 - tabs.width() / 2, clientHeight - statusHeight - tabs.height());

    StripState& strip = frame.stripState();
    if (!strip.showScreenshots) {
        list.resize(clientWidth - 2 * kMargin, tabs.y() - kMargin);
        frame.hide();
        return;
    }

    const QSize slotSize = slotSizeFor(settings.screenshotSize);
    ScreenshotSlot& first = *frame.slotAt(0);
    if (first.size() != slotSize) {
        first.resize(slotSize);
    }

    // The strip's bottom edge sits kStripGap above the tabs' height from the
    // client's bottom, in both orientations.
    const int stripBottom = clientHeight - (tabs.height() + kStripGap);
    QWidget* back = nullptr;
    QWidget* forward = nullptr;
    if (settings.screenshotLocation == 0) {
        const int height = first.height();
        frame.setGeometry(kMargin, stripBottom - height, clientWidth - 2 * kMargin, height);
        list.resize(clientWidth - 2 * kMargin, frame.y() - kMargin);
        strip.visibleSlots = frame.width() / slotSize.width();

        back = frame.arrow(ArrowDirection::Left);
        forward = frame.arrow(ArrowDirection::Right);
        const int top = frame.height() / 2 - frame.arrowSize().height() / 2;
        back->move(0, top);
        forward->move(frame.width() - frame.arrowSize().width(), top);
        frame.arrow(ArrowDirection::Up)->hide();
        frame.arrow(ArrowDirection::Down)->hide();
    } else {
        const int width = first.width();
        frame.setGeometry(clientWidth - (width + kMargin), 0, width, stripBottom);
        list.resize(frame.x() - 2 * kMargin, tabs.y() - kMargin);
        strip.visibleSlots = frame.contentsRect().height() / slotSize.height();

        back = frame.arrow(ArrowDirection::Up);
        forward = frame.arrow(ArrowDirection::Down);
        const int left = frame.width() / 2 - frame.arrowSize().width() / 2;
        back->move(left, 0);
        forward->move(left, frame.height() - frame.arrowSize().height());
        frame.arrow(ArrowDirection::Left)->hide();
        frame.arrow(ArrowDirection::Right)->hide();
    }

    showStripWindow(frame, *back, *forward);
}

} // namespace tolm::ui
