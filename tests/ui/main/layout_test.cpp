#include <QtTest>

#include "main_test_support.h"

using tolm::test::StripHost;

class LayoutTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void regions_data();
    void regions();
    void visibleSlots_data();
    void visibleSlots();
    void wideningPullsTheOffsetBack_data();
    void wideningPullsTheOffsetBack();
    void minimisedChangesNothing();
};

void LayoutTest::regions_data() {
    QTest::addColumn<bool>("viewOn");
    QTest::addColumn<int>("location");
    QTest::addColumn<int>("size");
    QTest::addColumn<QSize>("list");
    QTest::addColumn<QRect>("strip");
    QTest::addColumn<int>("visibleSlots");
    // 1000 x 700 with a 25-pixel status bar: the tabs sit at (207, 562).
    QTest::newRow("horizontal full")
        << true << 0 << 0 << QSize(984, 355) << QRect(8, 363, 984, 192) << 3;
    QTest::newRow("horizontal half")
        << true << 0 << 1 << QSize(984, 451) << QRect(8, 459, 984, 96) << 7;
    QTest::newRow("vertical full")
        << true << 1 << 0 << QSize(720, 554) << QRect(736, 0, 256, 555) << 2;
    QTest::newRow("vertical half")
        << true << 1 << 1 << QSize(848, 554) << QRect(864, 0, 128, 555) << 5;
    QTest::newRow("view off") << false << 0 << 0 << QSize(984, 554) << QRect() << 0;
    QTest::newRow("view off, vertical") << false << 1 << 1 << QSize(984, 554) << QRect() << 0;
}

void LayoutTest::regions() {
    QFETCH(bool, viewOn);
    QFETCH(int, location);
    QFETCH(int, size);
    QFETCH(QSize, list);
    QFETCH(QRect, strip);
    QFETCH(int, visibleSlots);
    StripHost host;
    host.state.settings.SSLocation = location;
    host.state.settings.SSSize = size;
    host.select(host.addGame(20));
    host.setView(true); // turning it off afterwards must undo the strip's place
    host.setView(viewOn);
    QCOMPARE(host.tabs->geometry(), QRect(207, 562, 587, 113));
    QCOMPARE(host.list->geometry(), QRect(QPoint(8, 0), list));
    QCOMPARE(host.status->geometry(), QRect(0, 675, 1000, 25));
    QCOMPARE(host.strip->isHidden(), !viewOn);
    if (viewOn) {
        QCOMPARE(host.strip->geometry(), strip);
        QCOMPARE(host.state.strip.VisibleSlots, visibleSlots);
    }
}

void LayoutTest::visibleSlots_data() {
    QTest::addColumn<int>("location");
    QTest::addColumn<int>("size");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<int>("count"); // 0: a game without screenshots
    QTest::addColumn<int>("visibleSlots");
    QTest::addColumn<bool>("forwardShown");
    QTest::newRow("600 wide, three") << 0 << 0 << QSize(616, 700) << 3 << 2 << true;
    QTest::newRow("600 wide, two") << 0 << 0 << QSize(616, 700) << 2 << 2 << false;
    QTest::newRow("511 wide, two") << 0 << 0 << QSize(527, 700) << 2 << 1 << true;
    QTest::newRow("400 high, half, five") << 1 << 1 << QSize(800, 545) << 5 << 4 << true;
    QTest::newRow("400 high, half, four") << 1 << 1 << QSize(800, 545) << 4 << 4 << false;
    QTest::newRow("no screenshots") << 0 << 0 << QSize(1000, 700) << 0 << 3 << false;
}

void LayoutTest::visibleSlots() {
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
    host.select(host.addGame(count));
    QCOMPARE(host.state.strip.VisibleSlots, visibleSlots);
    QCOMPARE(!host.arrow(location == 0 ? 1 : 3)->isHidden(), forwardShown);
    QVERIFY(host.arrow(location == 0 ? 0 : 2)->isHidden());
    for (int i = 0; i < host.strip->slotCount(); ++i)
        QCOMPARE(host.slot(i)->isHidden(), i >= visibleSlots);
}

void LayoutTest::wideningPullsTheOffsetBack_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("presses");
    QTest::addColumn<int>("newWidth");
    QTest::addColumn<QList<int>>("offsets"); // after each layout run
    // Two slots fit at first (616 wide); one step back per run.
    QTest::newRow("by one slot") << 3 << 1 << 872 << QList<int>{0, 0};
    QTest::newRow("by two slots") << 5 << 3 << 1128 << QList<int>{2, 1, 1};
    QTest::newRow("narrowing keeps the offset") << 5 << 2 << 360 << QList<int>{2, 2};
}

void LayoutTest::wideningPullsTheOffsetBack() {
    QFETCH(int, count);
    QFETCH(int, presses);
    QFETCH(int, newWidth);
    QFETCH(QList<int>, offsets);
    StripHost host;
    host.window.resize(616, 700);
    host.setView(true);
    host.select(host.addGame(count));
    for (int i = 0; i < presses; ++i)
        host.strip->actionsMouseUp(1);
    QCOMPARE(host.state.strip.ScrollOffset, presses);
    host.window.resize(newWidth, 700);
    for (int offset : offsets) {
        host.layOut();
        QCOMPARE(host.state.strip.ScrollOffset, offset);
        QCOMPARE(host.slot(0)->x(), -256 * offset);
    }
}

void LayoutTest::minimisedChangesNothing() {
    StripHost host;
    host.setView(true);
    host.select(host.addGame(6));
    host.strip->actionsMouseUp(1);
    const auto snapshot = [&host] {
        QList<QRect> geometry{host.list->geometry(), host.tabs->geometry(), host.strip->geometry()};
        for (int i = 0; i < host.strip->slotCount(); ++i)
            geometry << QRect(host.slot(i)->pos(), QSize(host.slot(i)->isHidden(), 0));
        for (int i = 0; i < 4; ++i)
            geometry << QRect(host.arrow(i)->pos(), QSize(host.arrow(i)->isHidden(), 0));
        return std::make_tuple(geometry, host.state.strip.VisibleSlots,
                               host.state.strip.ScrollOffset);
    };
    const auto before = snapshot();
    host.window.resize(420, 330);
    host.layOut(true);
    QVERIFY(snapshot() == before);
    host.layOut(false); // restoring lays out again
    QVERIFY(snapshot() != before);
}

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
