#include <QMainWindow>
#include <QtTest>

#include "strip_host.h"

using tolm::test::kStatusHeight;
using tolm::test::StripHost;

namespace {

// A game with `count` screenshots (the files need not exist for the layout).
int AddGameWith(StripHost& host, int count) {
    std::string list;
    for (int i = 0; i < count; ++i) {
        list += (i > 0 ? "," : "") + ("s" + std::to_string(i) + ".png");
    }
    return host.addGame(list);
}

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void regions_data();
    void regions();
    void visibleSlotsAndForwardArrow_data();
    void visibleSlotsAndForwardArrow();
    void wideningPullsTheOffsetBackOneStepPerRun_data();
    void wideningPullsTheOffsetBackOneStepPerRun();
    void slotsBeforeTheWindowKeepTheirState();
    void mainWindowStatusBarIsOnlyMeasured();
    void minimisedChangesNothing_data();
    void minimisedChangesNothing();
};

void LayoutTest::regions_data() {
    QTest::addColumn<bool>("viewOn");
    QTest::addColumn<int>("location");
    QTest::addColumn<int>("size");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QPoint>("tabs");
    QTest::addColumn<QSize>("list");
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<int>("visibleSlots");
    QTest::addColumn<QPoint>("back");
    QTest::addColumn<QPoint>("forward");

    // Status bar 25, tabs 587 x 113: the tabs' top is client height - 138.
    QTest::newRow("horizontal full")
        << true << 0 << 0 << QSize(1000, 700) << QPoint(207, 562) << QSize(984, 355)
        << QRect(8, 363, 984, 192) << 3 << QPoint(0, 88) << QPoint(968, 88);
    QTest::newRow("horizontal half")
        << true << 0 << 1 << QSize(1000, 700) << QPoint(207, 562) << QSize(984, 451)
        << QRect(8, 459, 984, 96) << 7 << QPoint(0, 40) << QPoint(968, 40);
    QTest::newRow("vertical full")
        << true << 1 << 0 << QSize(1000, 700) << QPoint(207, 562) << QSize(720, 554)
        << QRect(736, 0, 256, 555) << 2 << QPoint(120, 0) << QPoint(120, 539);
    QTest::newRow("vertical half")
        << true << 1 << 1 << QSize(1000, 700) << QPoint(207, 562) << QSize(848, 554)
        << QRect(864, 0, 128, 555) << 5 << QPoint(56, 0) << QPoint(56, 539);
    QTest::newRow("horizontal full, wide and tall")
        << true << 0 << 0 << QSize(1601, 900) << QPoint(507, 762) << QSize(1585, 555)
        << QRect(8, 563, 1585, 192) << 6 << QPoint(0, 88) << QPoint(1569, 88);
    QTest::newRow("vertical half, narrow")
        << true << 2 << 1 << QSize(640, 480) << QPoint(27, 342) << QSize(488, 334)
        << QRect(504, 0, 128, 335) << 3 << QPoint(56, 0) << QPoint(56, 319);
    QTest::newRow("view off") << false << 0 << 0 << QSize(1000, 700) << QPoint(207, 562)
                              << QSize(984, 554) << QRect() << 0 << QPoint() << QPoint();
    QTest::newRow("view off, vertical") << false << 1 << 1 << QSize(700, 500) << QPoint(57, 362)
                                        << QSize(684, 354) << QRect() << 0 << QPoint() << QPoint();
}

void LayoutTest::regions() {
    QFETCH(bool, viewOn);
    QFETCH(int, location);
    QFETCH(int, size);
    QFETCH(QSize, client);
    QFETCH(QPoint, tabs);
    QFETCH(QSize, list);
    QFETCH(QRect, frame);
    QFETCH(int, visibleSlots);
    QFETCH(QPoint, back);
    QFETCH(QPoint, forward);

    StripHost host;
    host.state.settings.SSLocation = location;
    host.state.settings.SSSize = size;
    host.select(AddGameWith(host, 20));
    host.setView(true); // turning it off afterwards must undo the strip's layout
    host.setView(viewOn);
    host.resize(client.width(), client.height());

    QCOMPARE(host.tabs->geometry(), QRect(tabs, QSize(587, 113)));
    QCOMPARE(host.list->geometry(), QRect(QPoint(8, 0), list));
    QCOMPARE(host.status->geometry(),
             QRect(0, client.height() - kStatusHeight, client.width(), kStatusHeight));
    QCOMPARE(host.strip->isHidden(), !viewOn);
    if (!viewOn) {
        return;
    }
    QCOMPARE(host.strip->geometry(), frame);
    QCOMPARE(host.state.strip.VisibleSlots, visibleSlots);
    const bool horizontal = location == 0;
    QWidget* backArrow = host.arrow(horizontal ? 0 : 2);
    QWidget* forwardArrow = host.arrow(horizontal ? 1 : 3);
    QCOMPARE(backArrow->geometry(), QRect(back, QSize(16, 16)));
    QCOMPARE(forwardArrow->geometry(), QRect(forward, QSize(16, 16)));
    QVERIFY(backArrow->isHidden());
    QVERIFY(!forwardArrow->isHidden());
    QVERIFY(host.arrow(horizontal ? 2 : 0)->isHidden());
    QVERIFY(host.arrow(horizontal ? 3 : 1)->isHidden());
    // The strip's bottom edge is 32 pixels above the tabs, less the status bar.
    QCOMPARE(frame.bottom() + 1, tabs.y() - (32 - kStatusHeight));
}

void LayoutTest::visibleSlotsAndForwardArrow_data() {
    QTest::addColumn<int>("location");
    QTest::addColumn<int>("size");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<int>("count"); // 0: a game without screenshots
    QTest::addColumn<int>("visibleSlots");
    QTest::addColumn<bool>("forwardShown");

    QTest::newRow("600 wide, three") << 0 << 0 << QSize(616, 700) << 3 << 2 << true;
    QTest::newRow("600 wide, two") << 0 << 0 << QSize(616, 700) << 2 << 2 << false;
    QTest::newRow("599 wide, two") << 0 << 0 << QSize(615, 700) << 2 << 2 << false;
    QTest::newRow("511 wide, two") << 0 << 0 << QSize(527, 700) << 2 << 1 << true;
    QTest::newRow("400 high, half, five") << 1 << 1 << QSize(800, 545) << 5 << 4 << true;
    QTest::newRow("400 high, half, four") << 1 << 1 << QSize(800, 545) << 4 << 4 << false;
    QTest::newRow("no screenshots") << 0 << 0 << QSize(1000, 700) << 0 << 3 << false;
    QTest::newRow("no screenshots, too narrow for one")
        << 0 << 0 << QSize(200, 700) << 0 << 0 << true;
}

void LayoutTest::visibleSlotsAndForwardArrow() {
    QFETCH(int, location);
    QFETCH(int, size);
    QFETCH(QSize, client);
    QFETCH(int, count);
    QFETCH(int, visibleSlots);
    QFETCH(bool, forwardShown);

    StripHost host;
    host.state.settings.SSLocation = location;
    host.state.settings.SSSize = size;
    host.window.resize(client);
    host.setView(true);
    host.select(AddGameWith(host, count));

    const bool horizontal = location == 0;
    QCOMPARE(host.state.strip.VisibleSlots, visibleSlots);
    QCOMPARE(!host.arrow(horizontal ? 1 : 3)->isHidden(), forwardShown);
    QVERIFY(host.arrow(horizontal ? 0 : 2)->isHidden());
    const int slots = count == 0 ? 1 : count;
    QCOMPARE(host.strip->slotCount(), slots);
    for (int i = 0; i < slots; ++i) {
        QCOMPARE(host.slot(i)->isHidden(), i >= visibleSlots);
    }
}

void LayoutTest::wideningPullsTheOffsetBackOneStepPerRun_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("forwardPresses");
    QTest::addColumn<int>("newWidth");
    QTest::addColumn<QList<int>>("offsets"); // after each layout run
    QTest::addColumn<QList<bool>>("backShown");

    // Two slots fit at first (616 wide).
    QTest::newRow("by one slot") << 3 << 1 << 872 << QList<int>{0, 0} << QList<bool>{true, false};
    QTest::newRow("by two slots") << 5 << 3 << 1128 << QList<int>{2, 1, 1}
                                  << QList<bool>{true, true, true};
    QTest::newRow("narrowing keeps the offset")
        << 5 << 2 << 360 << QList<int>{2, 2} << QList<bool>{true, true};
}

void LayoutTest::wideningPullsTheOffsetBackOneStepPerRun() {
    QFETCH(int, count);
    QFETCH(int, forwardPresses);
    QFETCH(int, newWidth);
    QFETCH(QList<int>, offsets);
    QFETCH(QList<bool>, backShown);

    StripHost host;
    host.window.resize(616, 700);
    host.setView(true);
    host.select(AddGameWith(host, count));
    for (int press = 0; press < forwardPresses; ++press) {
        host.strip->actionsMouseUp(1);
    }
    QCOMPARE(host.state.strip.ScrollOffset, forwardPresses);

    host.window.resize(newWidth, 700);
    for (int run = 0; run < offsets.size(); ++run) {
        host.layOut();
        QCOMPARE(host.state.strip.ScrollOffset, offsets[run]);
        QCOMPARE(host.state.strip.PreviousScrollOffset, offsets[run]);
        QCOMPARE(host.slot(0)->x(), -256 * offsets[run]);
        QCOMPARE(!host.arrow(0)->isHidden(), backShown[run]);
    }
}

void LayoutTest::slotsBeforeTheWindowKeepTheirState() {
    StripHost host;
    host.window.resize(616, 700);
    host.setView(true);
    host.select(AddGameWith(host, 5));
    host.strip->actionsMouseUp(1);
    host.strip->actionsMouseUp(1);

    const QList<bool> hidden{false, false, false, false, true};
    for (int i = 0; i < hidden.size(); ++i) {
        QCOMPARE(host.slot(i)->isHidden(), hidden[i]);
        QCOMPARE(host.slot(i)->x(), (i - 2) * 256);
    }
}

void LayoutTest::mainWindowStatusBarIsOnlyMeasured() {
    // A QMainWindow docks its own status bar below the central widget.
    tolm::AppState state;
    QMainWindow window;
    auto* central = new QWidget;
    window.setCentralWidget(central);
    auto* status = new QStatusBar;
    status->setFixedHeight(kStatusHeight);
    window.setStatusBar(status);
    auto* list = new QTreeView(central);
    auto* tabs = new QTabWidget(central);
    tabs->setFixedSize(587, 113);
    auto* strip = new tolm::ui::ScreenshotStrip(state, central);
    window.resize(1000, 700);
    window.show();
    const QRect statusBefore = status->geometry();
    state.strip.ShowScreenshots = true;

    const QSize client(central->width(), central->height() + status->height());
    tolm::ui::LayOutMainWindow({list, tabs, status, strip, client, false}, state);
    QCOMPARE(status->geometry(), statusBefore);
    QCOMPARE(tabs->y(), central->height() - 113);
    QCOMPARE(strip->geometry().bottom() + 1, tabs->y() - (32 - kStatusHeight));
}

void LayoutTest::minimisedChangesNothing_data() {
    QTest::addColumn<bool>("viewOn");
    QTest::addColumn<int>("location");

    QTest::newRow("view off") << false << 0;
    QTest::newRow("horizontal") << true << 0;
    QTest::newRow("vertical") << true << 1;
}

void LayoutTest::minimisedChangesNothing() {
    QFETCH(bool, viewOn);
    QFETCH(int, location);

    StripHost host;
    host.state.settings.SSLocation = location;
    host.setView(viewOn);
    host.select(AddGameWith(host, 6));
    host.strip->actionsMouseUp(location == 0 ? 1 : 3);

    const auto snapshot = [&host] {
        QList<QRect> geometry{host.list->geometry(), host.tabs->geometry(), host.strip->geometry(),
                              host.status->geometry()};
        QList<bool> hidden{host.strip->isHidden()};
        for (int i = 0; i < host.strip->slotCount(); ++i) {
            geometry << host.slot(i)->geometry();
            hidden << host.slot(i)->isHidden();
        }
        for (int i = 0; i < 4; ++i) {
            geometry << host.arrow(i)->geometry();
            hidden << host.arrow(i)->isHidden();
        }
        const tolm::ScreenshotStripState& strip = host.state.strip;
        return std::make_tuple(geometry, hidden, strip.VisibleSlots, strip.ScrollOffset,
                               strip.PreviousScrollOffset);
    };
    const auto before = snapshot();

    host.window.resize(420, 330);
    host.layOut(true);
    QVERIFY(snapshot() == before);

    // Restoring runs the whole layout again.
    host.layOut(false);
    QCOMPARE(host.tabs->geometry().topLeft(), QPoint(420 / 2 - 587 / 2, 330 - 138));
    QVERIFY(snapshot() != before);
}

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
