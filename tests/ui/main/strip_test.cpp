#include <QtTest>

#include "strip_host.h"
#include "ui/main/arrow_pictures.h"
#include "ui/main/artwork.h"

using tolm::test::CentreOf;
using tolm::test::OpenedView;
using tolm::test::SameColour;
using tolm::test::StripHost;
using tolm::test::WatchFullSizeView;

namespace {

const QString kPlaceholder = QStringLiteral("placeholder");

// "placeholder" or a colour name, as the tables give what a slot shows.
bool Shows(const tolm::ui::ScreenshotSlot& slot, const QString& expected) {
    if (expected == kPlaceholder) {
        return slot.showsPlaceholder();
    }
    return !slot.showsPlaceholder() && !slot.picture().isNull() &&
           SameColour(CentreOf(slot.picture()), QColor(expected));
}

void Release(QWidget* widget, Qt::MouseButton button,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::mouseRelease(widget, button, modifiers, QPoint(4, 4));
}

} // namespace

class StripTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void chainPlacement_data();
    void chainPlacement();
    void decodesAtSlotSize_data();
    void decodesAtSlotSize();
    void decodesOnlySlotsAboutToShow_data();
    void decodesOnlySlotsAboutToShow();
    void unreadablePictureKeepsPrevious_data();
    void unreadablePictureKeepsPrevious();
    void slotsFollowTheSelectedGame_data();
    void slotsFollowTheSelectedGame();
    void arrowsScrollOneSlot_data();
    void arrowsScrollOneSlot();
    void backArrowAtStartLeavesSlotsAlone();
    void selectingAnotherGameResetsScroll();
    void fullSizeViewNeedsShiftAndLeft_data();
    void fullSizeViewNeedsShiftAndLeft();
    void fullSizeViewShowsTheSlot_data();
    void fullSizeViewShowsTheSlot();
    void arrowPictures_data();
    void arrowPictures();
};

void StripTest::chainPlacement_data() {
    QTest::addColumn<int>("location");
    QTest::addColumn<int>("size");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<int>("forwardPresses");
    QTest::addColumn<QList<int>>("along"); // each slot's Left (horizontal) or Top

    QTest::newRow("horizontal full") << 0 << 0 << QSize(1000, 700) << 0 << QList<int>{0, 256, 512};
    QTest::newRow("vertical half") << 1 << 1 << QSize(1000, 700) << 0 << QList<int>{0, 96, 192};
    QTest::newRow("horizontal full, one step on")
        << 0 << 0 << QSize(616, 700) << 1 << QList<int>{-256, 0, 256};
    QTest::newRow("vertical full, one step on")
        << 1 << 0 << QSize(1000, 384 + 145) << 1 << QList<int>{-192, 0, 192};
    QTest::newRow("any non-zero location is vertical")
        << 7 << 3 << QSize(1000, 700) << 0 << QList<int>{0, 96, 192};
}

void StripTest::chainPlacement() {
    QFETCH(int, location);
    QFETCH(int, size);
    QFETCH(QSize, client);
    QFETCH(int, forwardPresses);
    QFETCH(QList<int>, along);

    StripHost host;
    host.state.settings.SSLocation = location;
    host.state.settings.SSSize = size;
    for (const char* name : {"one.gif", "two.gif", "three.gif"}) {
        host.writePicture(QString::fromLatin1(name), Qt::red);
    }
    const int game = host.addGame("one.gif,two.gif,three.gif");
    host.window.resize(client);
    host.window.show();
    host.setView(true);
    host.select(game);
    const bool horizontal = location == 0;
    for (int press = 0; press < forwardPresses; ++press) {
        Release(host.arrow(horizontal ? 1 : 3), Qt::LeftButton);
    }

    const QSize slotSize = tolm::ui::SlotSizeFor(size);
    QCOMPARE(host.strip->slotCount(), along.size());
    for (int i = 0; i < along.size(); ++i) {
        const QRect geometry = host.slot(i)->geometry();
        QCOMPARE(geometry.size(), slotSize);
        QCOMPARE(horizontal ? geometry.x() : geometry.y(), along[i]);
        QCOMPARE(horizontal ? geometry.y() : geometry.x(), 0);
    }
}

void StripTest::decodesAtSlotSize_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("writtenAs"); // the format the file really holds
    QTest::addColumn<int>("size");
    QTest::addColumn<QColor>("colour");

    QTest::newRow("gif") << "a.gif"
                         << "a.gif" << 0 << QColor(Qt::red);
    QTest::newRow("jpeg") << "b.jpg"
                          << "b.jpg" << 0 << QColor(Qt::green);
    QTest::newRow("bmp") << "c.bmp"
                         << "c.bmp" << 1 << QColor(Qt::blue);
    QTest::newRow("png") << "d.png"
                         << "d.png" << 1 << QColor(Qt::yellow);
    QTest::newRow("jpeg named .gif") << "e.gif"
                                     << "e.jpg" << 0 << QColor(Qt::cyan);
    QTest::newRow("no suffix") << "f"
                               << "f.bmp" << 1 << QColor(Qt::magenta);
}

void StripTest::decodesAtSlotSize() {
    QFETCH(QString, file);
    QFETCH(QString, writtenAs);
    QFETCH(int, size);
    QFETCH(QColor, colour);

    StripHost host;
    host.state.settings.SSSize = size;
    host.writePicture(writtenAs, colour, QSize(1024, 768));
    if (writtenAs != file) {
        QVERIFY(QFile::rename(host.dir.filePath(writtenAs), host.dir.filePath(file)));
    }
    host.select(host.addGame(file.toStdString()));
    host.window.show();
    host.setView(true);

    tolm::ui::ScreenshotSlot* slot = host.slot(0);
    QVERIFY(slot->isVisible());
    QCOMPARE(slot->picture().size(), tolm::ui::SlotSizeFor(size));
    QVERIFY(SameColour(CentreOf(slot->picture()), colour));
    QCOMPARE(slot->shownFile(), host.dir.filePath(file));
}

void StripTest::decodesOnlySlotsAboutToShow_data() {
    QTest::addColumn<bool>("viewOn");
    QTest::addColumn<int>("forwardPresses");
    QTest::addColumn<QList<bool>>("decoded"); // per slot of four

    // 616 pixels wide: two slots fit.
    QTest::newRow("view off") << false << 0 << QList<bool>{false, false, false, false};
    QTest::newRow("view on") << true << 0 << QList<bool>{true, true, false, false};
    QTest::newRow("one step on") << true << 1 << QList<bool>{true, true, true, false};
}

void StripTest::decodesOnlySlotsAboutToShow() {
    QFETCH(bool, viewOn);
    QFETCH(int, forwardPresses);
    QFETCH(QList<bool>, decoded);

    StripHost host;
    for (int i = 0; i < 4; ++i) {
        host.writePicture(QStringLiteral("p%1.png").arg(i), Qt::green);
    }
    host.window.resize(616, 700);
    host.window.show();
    host.setView(viewOn);
    host.select(host.addGame("p0.png,p1.png,p2.png,p3.png"));
    for (int press = 0; press < forwardPresses; ++press) {
        Release(host.arrow(1), Qt::LeftButton);
    }

    for (int i = 0; i < decoded.size(); ++i) {
        tolm::ui::ScreenshotSlot* slot = host.slot(i);
        QCOMPARE(slot->hasPendingFile(), !decoded[i]);
        QCOMPARE(slot->shownFile().isEmpty(), !decoded[i]);
        // Slot 0 starts with the placeholder; the others start empty.
        if (!decoded[i]) {
            QVERIFY(i == 0 ? slot->showsPlaceholder() : slot->picture().isNull());
        }
    }
}

void StripTest::unreadablePictureKeepsPrevious_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<bool>("viewOnBefore");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("shows");

    QTest::newRow("unreadable after a shown picture")
        << "red.png" << true << "bad.gif" << 0 << "#ff0000";
    QTest::newRow("unreadable after a picture never shown")
        << "red.png" << false << "bad.gif" << 0 << "#ff0000";
    QTest::newRow("unreadable after the placeholder")
        << "missing.png" << true << "bad.gif" << 0 << kPlaceholder;
    QTest::newRow("empty part finds the directory, keeps the picture")
        << "red.png,green.png" << true << "blue.png," << 1 << "#00ff00";
    QTest::newRow("readable after unreadable")
        << "bad.gif" << true << "green.png" << 0 << "#00ff00";
    QTest::newRow("missing after a picture")
        << "red.png" << true << "missing.png" << 0 << kPlaceholder;
}

void StripTest::unreadablePictureKeepsPrevious() {
    QFETCH(QString, before);
    QFETCH(bool, viewOnBefore);
    QFETCH(QString, after);
    QFETCH(int, slot);
    QFETCH(QString, shows);

    StripHost host;
    host.writePicture(QStringLiteral("red.png"), Qt::red);
    host.writePicture(QStringLiteral("green.png"), Qt::green);
    host.writePicture(QStringLiteral("blue.png"), Qt::blue);
    host.writeText(QStringLiteral("bad.gif"), "this is not a picture");
    const int first = host.addGame(before.toStdString());
    const int second = host.addGame(after.toStdString());
    host.window.show();

    host.setView(viewOnBefore);
    host.select(first);
    host.select(second);
    host.setView(true);

    QVERIFY(host.slot(slot)->isVisible());
    QVERIFY2(Shows(*host.slot(slot), shows), qPrintable(shows));
}

void StripTest::slotsFollowTheSelectedGame_data() {
    QTest::addColumn<int>("firstCount");
    QTest::addColumn<QString>("second"); // "none" selects no game
    QTest::addColumn<QStringList>("shows");

    const QString blue = QStringLiteral("#0000ff");
    QTest::newRow("six then four")
        << 6 << "b0.png,b1.png,b2.png,b3.png" << QStringList{blue, blue, blue, blue};
    QTest::newRow("two then five")
        << 2 << "b0.png,b1.png,b2.png,b3.png,b4.png" << QStringList{blue, blue, blue, blue, blue};
    QTest::newRow("six then no screenshots") << 6 << "" << QStringList{kPlaceholder};
    QTest::newRow("six then no game") << 6 << "none" << QStringList{kPlaceholder};
    QTest::newRow("three then missing names")
        << 3 << "x.png,b1.png" << QStringList{kPlaceholder, blue};
    QTest::newRow("empty part in the middle")
        << 1 << "b0.png,,b2.png" << QStringList{blue, QString(), blue};
}

void StripTest::slotsFollowTheSelectedGame() {
    QFETCH(int, firstCount);
    QFETCH(QString, second);
    QFETCH(QStringList, shows);

    StripHost host;
    host.state.settings.SSSize = 1; // seven slots fit: every slot is shown
    std::string firstList;
    for (int i = 0; i < 6; ++i) {
        host.writePicture(QStringLiteral("r%1.png").arg(i), Qt::red);
        host.writePicture(QStringLiteral("b%1.png").arg(i), Qt::blue);
    }
    for (int i = 0; i < firstCount; ++i) {
        firstList += (i > 0 ? "," : "") + ("r" + std::to_string(i) + ".png");
    }
    const int first = host.addGame(firstList);
    const int secondGame =
        second == QStringLiteral("none") ? tolm::kNone : host.addGame(second.toStdString());
    host.window.show();
    host.setView(true);
    host.select(first);
    host.select(secondGame);

    QCOMPARE(host.strip->slotCount(), shows.size());
    QCOMPARE(host.state.strip.ScreenshotCount, shows.size());
    QVERIFY(host.slot(shows.size()) == nullptr);
    QVERIFY(host.slot(5) == nullptr);
    for (int i = 0; i < shows.size(); ++i) {
        QVERIFY(host.slot(i)->isVisible());
        if (shows[i].isEmpty()) {
            // An empty part of the list: nothing of the first game shows.
            const QPixmap& picture = host.slot(i)->picture();
            QVERIFY(picture.isNull() || !SameColour(CentreOf(picture), Qt::red));
        } else {
            QVERIFY2(Shows(*host.slot(i), shows[i]), qPrintable(QString::number(i)));
        }
    }
}

void StripTest::arrowsScrollOneSlot_data() {
    QTest::addColumn<int>("location");
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<int>>("presses"); // arrow indexes, released in order
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("offset");
    QTest::addColumn<bool>("backShown");
    QTest::addColumn<bool>("forwardShown");

    // The window fits two full-size slots in both orientations.
    QTest::newRow("three, at rest") << 0 << 3 << QList<int>{} << 1 << 0 << false << true;
    QTest::newRow("three, one on") << 0 << 3 << QList<int>{1} << 1 << 1 << true << false;
    QTest::newRow("three, the second forward does nothing")
        << 0 << 3 << QList<int>{1, 1} << 1 << 1 << true << false;
    QTest::newRow("three, on and back") << 0 << 3 << QList<int>{1, 0} << 1 << 0 << false << true;
    QTest::newRow("two fit, no scrolling") << 0 << 2 << QList<int>{1} << 1 << 0 << false << false;
    QTest::newRow("five, three on") << 0 << 5 << QList<int>{1, 1, 1, 1} << 1 << 3 << true << false;
    QTest::newRow("right button scrolls too")
        << 0 << 5 << QList<int>{1, 1} << int(Qt::RightButton) << 2 << true << true;
    QTest::newRow("vertical, down and up")
        << 1 << 4 << QList<int>{3, 3, 2} << int(Qt::MiddleButton) << 1 << true << true;
    QTest::newRow("vertical, to the end") << 1 << 4 << QList<int>{3, 3} << 1 << 2 << true << false;
}

void StripTest::arrowsScrollOneSlot() {
    QFETCH(int, location);
    QFETCH(int, count);
    QFETCH(QList<int>, presses);
    QFETCH(int, button);
    QFETCH(int, offset);
    QFETCH(bool, backShown);
    QFETCH(bool, forwardShown);

    StripHost host;
    host.state.settings.SSLocation = location;
    std::string list;
    for (int i = 0; i < count; ++i) {
        host.writePicture(QStringLiteral("s%1.png").arg(i), QColor(i * 60, 0, 0));
        list += (i > 0 ? "," : "") + ("s" + std::to_string(i) + ".png");
    }
    host.window.resize(location == 0 ? QSize(616, 700) : QSize(1000, 384 + 145));
    host.window.show();
    host.setView(true);
    host.select(host.addGame(list));
    for (int arrow : presses) {
        Release(host.arrow(arrow), static_cast<Qt::MouseButton>(button));
    }

    const bool horizontal = location == 0;
    QCOMPARE(host.state.strip.ScrollOffset, offset);
    QCOMPARE(host.state.strip.PreviousScrollOffset, offset);
    QCOMPARE(host.arrow(horizontal ? 0 : 2)->isVisible(), backShown);
    QCOMPARE(host.arrow(horizontal ? 1 : 3)->isVisible(), forwardShown);
    QVERIFY(host.arrow(horizontal ? 2 : 0)->isHidden());
    QVERIFY(host.arrow(horizontal ? 3 : 1)->isHidden());
    const QPoint first = host.slot(0)->pos();
    QCOMPARE(horizontal ? first.x() : first.y(), -offset * (horizontal ? 256 : 192));
    // The slots of the window show, the one after it is hidden.
    for (int i = offset; i < offset + 2 && i < count; ++i) {
        QVERIFY(host.slot(i)->isVisible());
        QVERIFY(SameColour(CentreOf(host.slot(i)->picture()), QColor(i * 60, 0, 0)));
    }
    if (offset + 2 < count) {
        QVERIFY(host.slot(offset + 2)->isHidden());
    }
    // The arrows stay above the slots.
    const QObjectList& children = host.strip->children();
    QVERIFY(children.indexOf(host.arrow(0)) > children.indexOf(host.slot(count - 1)));
}

void StripTest::backArrowAtStartLeavesSlotsAlone() {
    StripHost host;
    host.writePicture(QStringLiteral("a.png"), Qt::red);
    host.window.resize(616, 700);
    host.window.show();
    host.setView(true);
    host.select(host.addGame("a.png,a.png,a.png"));

    host.slot(0)->move(5, 5);
    Release(host.arrow(0), Qt::LeftButton);
    QCOMPARE(host.state.strip.ScrollOffset, 0);
    QCOMPARE(host.slot(0)->pos(), QPoint(5, 5));
}

void StripTest::selectingAnotherGameResetsScroll() {
    StripHost host;
    host.writePicture(QStringLiteral("a.png"), Qt::red);
    host.writePicture(QStringLiteral("b.png"), Qt::blue);
    const int first = host.addGame("a.png,a.png,a.png,a.png");
    const int second = host.addGame("b.png,a.png,a.png");
    host.window.resize(616, 700);
    host.window.show();
    host.setView(true);
    host.select(first);
    Release(host.arrow(1), Qt::LeftButton);
    Release(host.arrow(1), Qt::LeftButton);
    QCOMPARE(host.state.strip.ScrollOffset, 2);

    host.select(second);
    QCOMPARE(host.state.strip.ScrollOffset, 0);
    QCOMPARE(host.slot(0)->pos(), QPoint(0, 0));
    QVERIFY(host.slot(0)->isVisible());
    QVERIFY(SameColour(CentreOf(host.slot(0)->picture()), Qt::blue));
    QVERIFY(host.arrow(0)->isHidden());
}

void StripTest::fullSizeViewNeedsShiftAndLeft_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("opens");

    QTest::newRow("plain left") << int(Qt::LeftButton) << int(Qt::NoModifier) << false;
    QTest::newRow("right") << int(Qt::RightButton) << int(Qt::NoModifier) << false;
    QTest::newRow("shift right") << int(Qt::RightButton) << int(Qt::ShiftModifier) << false;
    QTest::newRow("ctrl shift left")
        << int(Qt::LeftButton) << int(Qt::ShiftModifier | Qt::ControlModifier) << false;
    QTest::newRow("alt shift left")
        << int(Qt::LeftButton) << int(Qt::ShiftModifier | Qt::AltModifier) << false;
    QTest::newRow("ctrl left") << int(Qt::LeftButton) << int(Qt::ControlModifier) << false;
    QTest::newRow("shift left") << int(Qt::LeftButton) << int(Qt::ShiftModifier) << true;
}

void StripTest::fullSizeViewNeedsShiftAndLeft() {
    QFETCH(int, button);
    QFETCH(int, modifiers);
    QFETCH(bool, opens);

    StripHost host;
    host.writePicture(QStringLiteral("a.png"), Qt::red);
    host.window.show();
    host.setView(true);
    host.select(host.addGame("a.png,a.png"));

    const OpenedView view = WatchFullSizeView([&] {
        Release(host.slot(1), static_cast<Qt::MouseButton>(button),
                static_cast<Qt::KeyboardModifiers>(modifiers));
    });
    QCOMPARE(view.opened, opens);
}

void StripTest::fullSizeViewShowsTheSlot_data() {
    QTest::addColumn<QString>("before");   // the game selected first
    QTest::addColumn<QString>("selected"); // the game whose slot 0 is opened
    QTest::addColumn<QString>("shows");

    QTest::newRow("a picture, decoded afresh") << ""
                                               << "red.png"
                                               << "#ff0000";
    QTest::newRow("the placeholder") << ""
                                     << "missing.png" << kPlaceholder;
    QTest::newRow("no screenshots") << ""
                                    << "" << kPlaceholder;
    QTest::newRow("unreadable: what the slot kept") << "green.png"
                                                    << "bad.gif"
                                                    << "#00ff00";
}

void StripTest::fullSizeViewShowsTheSlot() {
    QFETCH(QString, before);
    QFETCH(QString, selected);
    QFETCH(QString, shows);

    StripHost host;
    host.state.settings.SSSize = 1;
    host.writePicture(QStringLiteral("red.png"), Qt::red, QSize(256, 192));
    host.writePicture(QStringLiteral("green.png"), Qt::green, QSize(256, 192));
    host.writeText(QStringLiteral("bad.gif"), "GIF89a, but no more");
    const int first = host.addGame(before.toStdString());
    const int second = host.addGame(selected.toStdString());
    host.window.move(100, 80);
    host.window.show();
    host.setView(true);
    host.select(first);
    host.select(second);

    const OpenedView view =
        WatchFullSizeView([&] { Release(host.slot(0), Qt::LeftButton, Qt::ShiftModifier); });
    QVERIFY(view.opened);
    QVERIFY(view.closedByClick);
    QCOMPARE(view.objectName, QStringLiteral("frmShowBig"));
    QCOMPARE(view.geometry.size(), QSize(512, 384));
    QCOMPARE(view.pictureGeometry, QRect(0, 0, 512, 384));
    QVERIFY(view.flags.testFlag(Qt::FramelessWindowHint));
    const QPoint centre = host.window.frameGeometry().center();
    QVERIFY(qAbs(view.geometry.center().x() - centre.x()) <= 1);
    QVERIFY(qAbs(view.geometry.center().y() - centre.y()) <= 1);
    if (shows == kPlaceholder) {
        QCOMPARE(view.picture.toImage(),
                 tolm::ui::PlaceholderPicture().convertToFormat(view.picture.toImage().format()));
    } else {
        // Decoded for the view, not the half-size slot blown up.
        QCOMPARE(view.picture.size(), QSize(512, 384));
        QVERIFY(SameColour(CentreOf(view.picture), QColor(shows)));
    }
}

void StripTest::arrowPictures_data() {
    QTest::addColumn<int>("direction");
    QTest::addColumn<QPoint>("tip");
    QTest::addColumn<QPoint>("pastTip");
    QTest::addColumn<QPoint>("baseCorner");
    QTest::addColumn<QPoint>("pastBase");

    QTest::newRow("left") << 0 << QPoint(4, 7) << QPoint(3, 7) << QPoint(9, 2) << QPoint(10, 7);
    QTest::newRow("right") << 1 << QPoint(11, 8) << QPoint(12, 8) << QPoint(6, 13) << QPoint(5, 8);
    QTest::newRow("up") << 2 << QPoint(8, 4) << QPoint(8, 3) << QPoint(2, 9) << QPoint(7, 10);
    QTest::newRow("down") << 3 << QPoint(7, 11) << QPoint(7, 12) << QPoint(13, 6) << QPoint(8, 5);
}

void StripTest::arrowPictures() {
    QFETCH(int, direction);
    QFETCH(QPoint, tip);
    QFETCH(QPoint, pastTip);
    QFETCH(QPoint, baseCorner);
    QFETCH(QPoint, pastBase);

    const QImage picture = tolm::ui::ArrowPicture(static_cast<tolm::ui::ArrowDirection>(direction));
    QCOMPARE(picture.size(), QSize(16, 16));
    const QRgb black = qRgb(0, 0, 0);
    const QRgb blue = qRgb(30, 154, 217);
    for (int i = 0; i < 16; ++i) {
        QCOMPARE(picture.pixel(i, 0), black);
        QCOMPARE(picture.pixel(i, 15), black);
        QCOMPARE(picture.pixel(0, i), black);
        QCOMPARE(picture.pixel(15, i), black);
    }
    QCOMPARE(picture.pixel(1, 1), blue);
    QCOMPARE(picture.pixel(14, 14), blue);
    QCOMPARE(picture.pixel(tip), black);
    QCOMPARE(picture.pixel(pastTip), blue);
    QCOMPARE(picture.pixel(baseCorner), black);
    QCOMPARE(picture.pixel(pastBase), blue);

    // The strip's buttons carry these pictures at 16 x 16.
    StripHost host;
    QWidget* arrow = host.arrow(direction);
    QCOMPARE(arrow->size(), QSize(16, 16));
    const auto* box = dynamic_cast<tolm::ui::PictureBox*>(arrow);
    QVERIFY(box != nullptr);
    QCOMPARE(box->picture().toImage().convertToFormat(picture.format()), picture);
}

QTEST_MAIN(StripTest)
#include "strip_test.moc"
