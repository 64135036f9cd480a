#include <QtTest>

#include "main_test_support.h"

using tolm::test::CentreIs;
using tolm::test::StripHost;

namespace {

// What a slot shows: "placeholder", "nothing" or a colour name.
bool Shows(const tolm::ui::ScreenshotSlot* slot, const QString& expected) {
    if (expected == QLatin1String("placeholder"))
        return slot->showsPlaceholder();
    if (expected == QLatin1String("nothing"))
        return !slot->showsPlaceholder() && slot->picture().isNull();
    return !slot->showsPlaceholder() && CentreIs(slot->picture(), QColor(expected));
}

void Release(QWidget* widget, Qt::MouseButton button = Qt::LeftButton,
             Qt::KeyboardModifiers modifiers = {}) {
    QTest::mouseRelease(widget, button, modifiers, QPoint(4, 4));
}

} // namespace

class StripTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void chainPlacement_data();
    void chainPlacement();
    void slotsShowTheSelectedGame_data();
    void slotsShowTheSelectedGame();
    void arrowsScrollOneSlot_data();
    void arrowsScrollOneSlot();
    void fullSizeView_data();
    void fullSizeView();
};

void StripTest::chainPlacement_data() {
    QTest::addColumn<int>("location");
    QTest::addColumn<int>("size");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<int>("presses");      // of the forward arrow
    QTest::addColumn<QList<int>>("along"); // each slot's left (horizontal) or top
    QTest::newRow("horizontal full") << 0 << 0 << QSize(1000, 700) << 0 << QList<int>{0, 256, 512};
    QTest::newRow("vertical half") << 1 << 1 << QSize(1000, 700) << 0 << QList<int>{0, 96, 192};
    QTest::newRow("horizontal, one step on")
        << 0 << 0 << QSize(616, 700) << 1 << QList<int>{-256, 0, 256};
    QTest::newRow("vertical full, one step on")
        << 1 << 0 << QSize(1000, 529) << 1 << QList<int>{-192, 0, 192};
}

void StripTest::chainPlacement() {
    QFETCH(int, location);
    QFETCH(int, size);
    QFETCH(QSize, client);
    QFETCH(int, presses);
    QFETCH(QList<int>, along);
    StripHost host;
    host.state.settings.SSLocation = location;
    host.state.settings.SSSize = size;
    host.window.resize(client);
    host.window.show();
    host.setView(true);
    host.select(host.addGame(3));
    for (int i = 0; i < presses; ++i)
        Release(host.arrow(location == 0 ? 1 : 3));
    QCOMPARE(host.strip->slotCount(), along.size());
    for (int i = 0; i < along.size(); ++i) {
        const QRect r = host.slot(i)->geometry();
        QCOMPARE(r, location == 0 ? QRect(QPoint(along[i], 0), tolm::ui::SlotSizeFor(size))
                                  : QRect(QPoint(0, along[i]), tolm::ui::SlotSizeFor(size)));
    }
}

void StripTest::slotsShowTheSelectedGame_data() {
    QTest::addColumn<QString>("first");  // screenshots of the game selected first
    QTest::addColumn<QString>("second"); // "none" selects no game
    QTest::addColumn<QStringList>("shows");
    const QString six = QStringLiteral("red.png,red.png,red.png,red.png,red.png,red.png");
    QTest::newRow("six then four")
        << six << "a.jpg,a.jpg,a.jpg,a.jpg" << QStringList{"blue", "blue", "blue", "blue"};
    QTest::newRow("six then none") << six << "" << QStringList{"placeholder"};
    QTest::newRow("six then no game") << six << "none" << QStringList{"placeholder"};
    QTest::newRow("missing file, empty part")
        << ""
        << "x.png,,a.jpg" << QStringList{"placeholder", "nothing", "blue"};
    // The format is read from the contents: this JPEG is named .gif.
    QTest::newRow("named for another format") << ""
                                              << "jpeg.gif" << QStringList{"yellow"};
    QTest::newRow("not a picture keeps the picture") << "red.png"
                                                     << "bad.gif" << QStringList{"red"};
    QTest::newRow("not a picture keeps the placeholder") << "x.png"
                                                         << "bad.gif" << QStringList{"placeholder"};
    QTest::newRow("empty part keeps the picture") << "red.png"
                                                  << "," << QStringList{"red", "nothing"};
}

void StripTest::slotsShowTheSelectedGame() {
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QStringList, shows);
    StripHost host;
    host.state.settings.SSSize = 1; // seven slots fit: every slot is shown
    host.writePicture(QStringLiteral("red.png"), Qt::red);
    host.writePicture(QStringLiteral("a.jpg"), Qt::blue);
    host.writePicture(QStringLiteral("jpeg.gif"), Qt::yellow, "JPG");
    host.dir.write(QStringLiteral("bad.gif"), "GIF89a, but no more");
    const int game = host.addGame(first.toStdString());
    const int next =
        second == QLatin1String("none") ? tolm::kNone : host.addGame(second.toStdString());
    host.window.show();
    host.setView(true);
    host.select(game);
    host.select(next);
    QCOMPARE(host.strip->slotCount(), shows.size());
    QCOMPARE(host.state.strip.ScreenshotCount, shows.size());
    QVERIFY(host.slot(shows.size()) == nullptr); // the extra slots are gone
    for (int i = 0; i < shows.size(); ++i) {
        QVERIFY(host.slot(i)->isVisible());
        QVERIFY2(Shows(host.slot(i), shows[i]), qPrintable(shows[i]));
        if (!host.slot(i)->picture().isNull() && !host.slot(i)->showsPlaceholder())
            QCOMPARE(host.slot(i)->picture().size(), QSize(128, 96)); // decoded at slot size
    }
}

void StripTest::arrowsScrollOneSlot_data() {
    QTest::addColumn<int>("location");
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<int>>("presses"); // arrow indexes, released in order
    QTest::addColumn<int>("offset");
    QTest::addColumn<bool>("backShown");
    QTest::addColumn<bool>("forwardShown");
    // Two full-size slots fit in both orientations.
    QTest::newRow("at rest") << 0 << 3 << QList<int>{} << 0 << false << true;
    QTest::newRow("one on") << 0 << 3 << QList<int>{1} << 1 << true << false;
    QTest::newRow("forward at the end does nothing")
        << 0 << 3 << QList<int>{1, 1} << 1 << true << false;
    QTest::newRow("on and back") << 0 << 3 << QList<int>{1, 0} << 0 << false << true;
    QTest::newRow("two fit: no scrolling") << 0 << 2 << QList<int>{1} << 0 << false << false;
    QTest::newRow("vertical, down, down, up") << 1 << 4 << QList<int>{3, 3, 2} << 1 << true << true;
}

void StripTest::arrowsScrollOneSlot() {
    QFETCH(int, location);
    QFETCH(int, count);
    QFETCH(QList<int>, presses);
    QFETCH(int, offset);
    QFETCH(bool, backShown);
    QFETCH(bool, forwardShown);
    StripHost host;
    host.state.settings.SSLocation = location;
    host.window.resize(location == 0 ? QSize(616, 700) : QSize(1000, 529));
    host.window.show();
    host.setView(true);
    host.select(host.addGame(count));
    for (int arrow : presses)
        Release(host.arrow(arrow));
    const bool horizontal = location == 0;
    QCOMPARE(host.state.strip.ScrollOffset, offset);
    QCOMPARE(host.arrow(horizontal ? 0 : 2)->isVisible(), backShown);
    QCOMPARE(host.arrow(horizontal ? 1 : 3)->isVisible(), forwardShown);
    QVERIFY(host.arrow(horizontal ? 2 : 0)->isHidden() &&
            host.arrow(horizontal ? 3 : 1)->isHidden());
    const QPoint first = host.slot(0)->pos();
    QCOMPARE(horizontal ? first.x() : first.y(), -offset * (horizontal ? 256 : 192));
    for (int i = 0; i < count; ++i)
        QCOMPARE(host.slot(i)->isVisible(), i < offset + 2);

    // The back arrow at the start leaves the slots where they are.
    if (offset == 0) {
        host.slot(0)->move(5, 5);
        Release(host.arrow(horizontal ? 0 : 2));
        QCOMPARE(host.slot(0)->pos(), QPoint(5, 5));
    }
}

void StripTest::fullSizeView_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("screenshot");
    QTest::addColumn<QString>("shows"); // empty: no view opens
    QTest::newRow("plain left") << int(Qt::LeftButton) << 0 << "a.jpg"
                                << "";
    QTest::newRow("shift right") << int(Qt::RightButton) << int(Qt::ShiftModifier) << "a.jpg"
                                 << "";
    QTest::newRow("ctrl shift left")
        << int(Qt::LeftButton) << int(Qt::ShiftModifier | Qt::ControlModifier) << "a.jpg"
        << "";
    QTest::newRow("shift left") << int(Qt::LeftButton) << int(Qt::ShiftModifier) << "a.jpg"
                                << "blue";
    QTest::newRow("shift left, not a picture")
        << int(Qt::LeftButton) << int(Qt::ShiftModifier) << "bad.gif"
        << "red";
}

void StripTest::fullSizeView() {
    QFETCH(int, button);
    QFETCH(int, modifiers);
    QFETCH(QString, screenshot);
    QFETCH(QString, shows);
    StripHost host;
    host.writePicture(QStringLiteral("a.jpg"), Qt::blue);
    host.writePicture(QStringLiteral("red.png"), Qt::red);
    host.dir.write(QStringLiteral("bad.gif"), "GIF89a, but no more");
    host.window.show();
    host.setView(true);
    host.select(host.addGame("red.png"));
    host.select(host.addGame(screenshot.toStdString()));
    QPixmap seen;
    const QSize size = tolm::test::FullSizeViewOpenedBy(
        [&] { Release(host.slot(0), Qt::MouseButton(button), Qt::KeyboardModifiers(modifiers)); },
        &seen);
    QCOMPARE(size, shows.isEmpty() ? QSize() : QSize(512, 384));
    if (!shows.isEmpty()) // what the slot shows, at the view's size
        QVERIFY(CentreIs(seen, QColor(shows)));
}

QTEST_MAIN(StripTest)
#include "strip_test.moc"
