#include "ui/main/main_layout.h"

#include <QWidget>
#include <QtGlobal>

#include "state/app_state.h"
#include "ui/main/screenshot_strip.h"

namespace tolm::ui {

namespace {

constexpr int kMargin = 8;    // list to window edges, list to strip or tabs
constexpr int kStripGap = 32; // strip bottom to tabs, status bar included
constexpr int kArrowSize = kArrowPictureSize;

int statusBarHeight(const MainWindowRegions& r) {
    if (r.StatusBar1 == nullptr) {
        return 0;
    }
    const bool ours =
        r.lstGames != nullptr && r.StatusBar1->parentWidget() == r.lstGames->parentWidget();
    if (!ours) {
        return r.StatusBar1->height();
    }
    const int height = qBound(r.StatusBar1->minimumHeight(), r.StatusBar1->sizeHint().height(),
                              r.StatusBar1->maximumHeight());
    r.StatusBar1->setGeometry(0, r.client.height() - height, r.client.width(), height);
    return height;
}

// Shows the strip's slots and arrows for the present scroll state.
void showStripWindow(ScreenshotStrip& frame, ScreenshotStripState& strip, QWidget& back,
                     QWidget& forward) {
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
        if (ScreenshotSlot* slot = frame.ssimage(i); slot != nullptr && slot->isHidden()) {
            slot->show();
        }
    }
    // Slots before the offset keep their state: they lie outside the strip.
    if (count > firstHidden) {
        for (int i = firstHidden < 0 ? 0 : firstHidden; i < count; ++i) {
            if (ScreenshotSlot* slot = frame.ssimage(i); !slot->isHidden()) {
                slot->hide();
            }
        }
    }
}

} // namespace

void layOutMainWindow(const MainWindowRegions& r, AppState& state) {
    if (r.minimised || r.lstGames == nullptr || r.SSTab1 == nullptr || r.Frame1 == nullptr) {
        return;
    }
    const int clientWidth = r.client.width();
    const int clientHeight = r.client.height();
    QWidget& list = *r.lstGames;
    QWidget& tabs = *r.SSTab1;
    ScreenshotStrip& frame = *r.Frame1;

    const int statusHeight = statusBarHeight(r);
    tabs.move(clientWidth / 2 - tabs.width() / 2, clientHeight - statusHeight - tabs.height());

    ScreenshotStripState& strip = state.strip;
    if (!strip.showScreenshots) {
        list.resize(clientWidth - 2 * kMargin, tabs.y() - kMargin);
        frame.hide();
        return;
    }

    const QSize slotSize = slotSizeFor(state.settings.screenshotSize);
    ScreenshotSlot& first = *frame.ssimage(0);
    if (first.size() != slotSize) {
        first.resize(slotSize);
    }

    // The strip's bottom edge sits kStripGap above the tabs' height from the
    // client's bottom, in both orientations.
    const int stripBottom = clientHeight - (tabs.height() + kStripGap);
    QWidget* back = nullptr;
    QWidget* forward = nullptr;
    if (state.settings.screenshotLocation == 0) {
        const int height = first.height();
        frame.setGeometry(kMargin, stripBottom - height, clientWidth - 2 * kMargin, height);
        list.resize(clientWidth - 2 * kMargin, frame.y() - kMargin);
        strip.visibleSlots = frame.width() / slotSize.width();

        back = frame.actions(0);
        forward = frame.actions(1);
        const int top = frame.height() / 2 - kArrowSize / 2;
        back->move(0, top);
        forward->move(frame.width() - kArrowSize, top);
        frame.actions(2)->hide();
        frame.actions(3)->hide();
    } else {
        const int width = first.width();
        frame.setGeometry(clientWidth - (width + kMargin), 0, width, stripBottom);
        list.resize(frame.x() - 2 * kMargin, tabs.y() - kMargin);
        strip.visibleSlots = frame.contentsRect().height() / slotSize.height();

        back = frame.actions(2);
        forward = frame.actions(3);
        const int left = frame.width() / 2 - kArrowSize / 2;
        back->move(left, 0);
        forward->move(left, frame.height() - kArrowSize);
        frame.actions(0)->hide();
        frame.actions(1)->hide();
    }

    showStripWindow(frame, strip, *back, *forward);
}

} // namespace tolm::ui
