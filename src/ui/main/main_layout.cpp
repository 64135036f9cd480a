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

    if (!frame.showScreenshots()) {
        list.resize(clientWidth - 2 * kMargin, tabs.y() - kMargin);
        return;
    }

    // The strip's bottom edge sits kStripGap above the tabs' height from the
    // client's bottom, in both orientations; it is one slot deep.
    const QSize slotSize = slotSizeFor(settings.screenshotSize);
    const int stripBottom = clientHeight - (tabs.height() + kStripGap);
    if (settings.screenshotLocation == 0) {
        const int height = slotSize.height();
        frame.place(QRect(kMargin, stripBottom - height, clientWidth - 2 * kMargin, height));
        list.resize(clientWidth - 2 * kMargin, frame.y() - kMargin);
    } else {
        const int width = slotSize.width();
        frame.place(QRect(clientWidth - (width + kMargin), 0, width, stripBottom));
        list.resize(frame.x() - 2 * kMargin, tabs.y() - kMargin);
    }
}

} // namespace tolm::ui
