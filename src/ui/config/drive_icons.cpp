#include "ui/config/drive_icons.h"

#include <QBitmap>
#include <QPainter>
#include <QPixmap>

namespace tolm::ui {
namespace {

const QColor kOutline(40, 40, 40);
const QColor kCase(192, 192, 192);
const QColor kCaseLight(236, 236, 236);
const QColor kCaseDark(120, 120, 120);
const QColor kRed(220, 0, 0);
const QColor kGreen(0, 200, 0);

void pixel(QPainter& p, int x, int y, const QColor& colour) {
    p.fillRect(x, y, 1, 1, colour);
}

// A drive's box seen from the front, from row `top` to row `bottom`.
void driveBox(QPainter& p, int top, int bottom) {
    p.fillRect(1, top, 14, bottom - top + 1, kOutline);
    p.fillRect(2, top + 1, 12, bottom - top - 1, kCase);
    p.fillRect(2, top + 1, 12, 1, kCaseLight);
    p.fillRect(2, bottom - 1, 12, 1, kCaseDark);
}

void hardDisk(QPainter& p) {
    driveBox(p, 5, 11);
    p.fillRect(3, 8, 7, 1, kCaseDark); // the seam of the front
    pixel(p, 12, 9, kGreen);           // the activity light
}

void floppyDrive(QPainter& p) {
    driveBox(p, 4, 12);
    p.fillRect(3, 7, 10, 2, kOutline);   // the disk slot
    p.fillRect(10, 10, 3, 1, kCaseDark); // the eject button
    pixel(p, 4, 10, kGreen);
}

void cdDrive(QPainter& p) {
    driveBox(p, 7, 13);
    p.fillRect(3, 10, 10, 1, kCaseDark); // the tray
    pixel(p, 12, 12, kGreen);
    // A disc above the drive.
    p.setPen(kOutline);
    p.setBrush(QColor(210, 225, 245));
    p.drawEllipse(QRect(4, 0, 8, 7));
    p.fillRect(7, 3, 2, 1, kOutline); // its hole
}

void networkDrive(QPainter& p, bool cut) {
    driveBox(p, 1, 8);
    p.fillRect(3, 4, 7, 1, kCaseDark);
    pixel(p, 12, 6, kGreen);
    // The cable down to the network line.
    const QColor cable(0, 90, 200);
    p.fillRect(7, 9, 2, 4, cable);
    p.fillRect(1, 13, 14, 2, cable);
    if (cut) { // a small red cross on the cable
        p.setPen(QPen(kRed, 1));
        p.drawLine(5, 9, 10, 14);
        p.drawLine(5, 14, 10, 9);
        p.drawLine(6, 9, 11, 14);
        p.drawLine(6, 14, 11, 9);
    }
}

void memoryChip(QPainter& p) {
    p.fillRect(1, 4, 14, 8, QColor(0, 110, 40)); // the board
    for (int x = 2; x < 14; x += 4)
        p.fillRect(x, 5, 3, 4, QColor(20, 20, 20)); // the chips
    for (int x = 2; x < 14; x += 2)
        p.fillRect(x, 11, 1, 2, QColor(230, 190, 40)); // the contacts
}

void unknownDrive(QPainter& p) {
    hardDisk(p);
    // A red question mark over the drive.
    static constexpr const char* kMark[] = {
        ".####.", "##..##", "....##", "...##.", "..##..", "..##..", "......", "..##..",
    };
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 6; ++x)
            if (kMark[y][x] == '#')
                pixel(p, 5 + x, 2 + y + (y >= 6 ? 1 : 0), kRed);
}

void crossOut(QPainter& p) {
    p.setPen(QPen(kRed, 2, Qt::SolidLine, Qt::SquareCap));
    p.drawLine(2, 2, 13, 13);
    p.drawLine(2, 13, 13, 2);
}

} // namespace

QImage driveIconPicture(std::string_view key) {
    QImage picture(kDriveIconSize, kDriveIconSize, QImage::Format_RGB32);
    picture.fill(kDriveIconBackground);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing, false); // no blended edges into the magenta
    const bool crossed = key.size() > 1 && key.back() == 'x';
    const std::string_view kind = crossed ? key.substr(0, key.size() - 1) : key;
    if (kind == "fixed")
        hardDisk(p);
    else if (kind == "removable")
        floppyDrive(p);
    else if (kind == "cd")
        cdDrive(p);
    else if (kind == "network" && !crossed)
        networkDrive(p, false);
    else if (kind == "notmapped")
        networkDrive(p, true);
    else if (kind == "ram")
        memoryChip(p);
    else
        unknownDrive(p);
    if (crossed && kind != "network")
        crossOut(p);
    return picture;
}

QIcon driveIcon(std::string_view key) {
    QPixmap pixmap = QPixmap::fromImage(driveIconPicture(key));
    pixmap.setMask(pixmap.createMaskFromColor(QColor::fromRgb(kDriveIconBackground)));
    return QIcon(pixmap);
}

} // namespace tolm::ui
