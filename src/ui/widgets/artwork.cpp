#include "ui/widgets/artwork.h"

#include "tolm/version.h"

#include <QColor>
#include <QPainter>
#include <QPixmap>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tolm::ui {
namespace {

// A 5 x 7 bitmap font: seven rows per glyph, bit 4 is the leftmost column.
struct Glyph {
    char ch;
    std::array<std::uint8_t, 7> rows;
};

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kGlyphAdvance = kGlyphWidth + 1;

// clang-format off
constexpr Glyph kFont[] = {
    {' ', {0b00000, 0b00000, 0b00000, 0b00000, 0b00000, 0b00000, 0b00000}},
    {'.', {0b00000, 0b00000, 0b00000, 0b00000, 0b00000, 0b01100, 0b01100}},
    {'-', {0b00000, 0b00000, 0b00000, 0b11111, 0b00000, 0b00000, 0b00000}},
    {'0', {0b01110, 0b10001, 0b10011, 0b10101, 0b11001, 0b10001, 0b01110}},
    {'1', {0b00100, 0b01100, 0b00100, 0b00100, 0b00100, 0b00100, 0b01110}},
    {'2', {0b01110, 0b10001, 0b00001, 0b00010, 0b00100, 0b01000, 0b11111}},
    {'3', {0b11111, 0b00010, 0b00100, 0b00010, 0b00001, 0b10001, 0b01110}},
    {'4', {0b00010, 0b00110, 0b01010, 0b10010, 0b11111, 0b00010, 0b00010}},
    {'5', {0b11111, 0b10000, 0b11110, 0b00001, 0b00001, 0b10001, 0b01110}},
    {'6', {0b00110, 0b01000, 0b10000, 0b11110, 0b10001, 0b10001, 0b01110}},
    {'7', {0b11111, 0b00001, 0b00010, 0b00100, 0b01000, 0b01000, 0b01000}},
    {'8', {0b01110, 0b10001, 0b10001, 0b01110, 0b10001, 0b10001, 0b01110}},
    {'9', {0b01110, 0b10001, 0b10001, 0b01111, 0b00001, 0b00010, 0b01100}},
    {'A', {0b01110, 0b10001, 0b10001, 0b11111, 0b10001, 0b10001, 0b10001}},
    {'B', {0b11110, 0b10001, 0b10001, 0b11110, 0b10001, 0b10001, 0b11110}},
    {'C', {0b01110, 0b10001, 0b10000, 0b10000, 0b10000, 0b10001, 0b01110}},
    {'D', {0b11110, 0b10001, 0b10001, 0b10001, 0b10001, 0b10001, 0b11110}},
    {'E', {0b11111, 0b10000, 0b10000, 0b11110, 0b10000, 0b10000, 0b11111}},
    {'F', {0b11111, 0b10000, 0b10000, 0b11110, 0b10000, 0b10000, 0b10000}},
    {'G', {0b01110, 0b10001, 0b10000, 0b10111, 0b10001, 0b10001, 0b01111}},
    {'H', {0b10001, 0b10001, 0b10001, 0b11111, 0b10001, 0b10001, 0b10001}},
    {'I', {0b01110, 0b00100, 0b00100, 0b00100, 0b00100, 0b00100, 0b01110}},
    {'J', {0b00111, 0b00010, 0b00010, 0b00010, 0b00010, 0b10010, 0b01100}},
    {'K', {0b10001, 0b10010, 0b10100, 0b11000, 0b10100, 0b10010, 0b10001}},
    {'L', {0b10000, 0b10000, 0b10000, 0b10000, 0b10000, 0b10000, 0b11111}},
    {'M', {0b10001, 0b11011, 0b10101, 0b10101, 0b10001, 0b10001, 0b10001}},
    {'N', {0b10001, 0b10001, 0b11001, 0b10101, 0b10011, 0b10001, 0b10001}},
    {'O', {0b01110, 0b10001, 0b10001, 0b10001, 0b10001, 0b10001, 0b01110}},
    {'P', {0b11110, 0b10001, 0b10001, 0b11110, 0b10000, 0b10000, 0b10000}},
    {'Q', {0b01110, 0b10001, 0b10001, 0b10001, 0b10101, 0b10010, 0b01101}},
    {'R', {0b11110, 0b10001, 0b10001, 0b11110, 0b10100, 0b10010, 0b10001}},
    {'S', {0b01111, 0b10000, 0b10000, 0b01110, 0b00001, 0b00001, 0b11110}},
    {'T', {0b11111, 0b00100, 0b00100, 0b00100, 0b00100, 0b00100, 0b00100}},
    {'U', {0b10001, 0b10001, 0b10001, 0b10001, 0b10001, 0b10001, 0b01110}},
    {'V', {0b10001, 0b10001, 0b10001, 0b10001, 0b10001, 0b01010, 0b00100}},
    {'W', {0b10001, 0b10001, 0b10001, 0b10101, 0b10101, 0b10101, 0b01010}},
    {'X', {0b10001, 0b10001, 0b01010, 0b00100, 0b01010, 0b10001, 0b10001}},
    {'Y', {0b10001, 0b10001, 0b01010, 0b00100, 0b00100, 0b00100, 0b00100}},
    {'Z', {0b11111, 0b00001, 0b00010, 0b00100, 0b01000, 0b10000, 0b11111}},
    {'a', {0b00000, 0b00000, 0b01110, 0b00001, 0b01111, 0b10001, 0b01111}},
    {'b', {0b10000, 0b10000, 0b10110, 0b11001, 0b10001, 0b10001, 0b11110}},
    {'c', {0b00000, 0b00000, 0b01110, 0b10000, 0b10000, 0b10001, 0b01110}},
    {'d', {0b00001, 0b00001, 0b01101, 0b10011, 0b10001, 0b10001, 0b01111}},
    {'e', {0b00000, 0b00000, 0b01110, 0b10001, 0b11111, 0b10000, 0b01110}},
    {'f', {0b00110, 0b01001, 0b01000, 0b11100, 0b01000, 0b01000, 0b01000}},
    {'g', {0b00000, 0b01111, 0b10001, 0b10001, 0b01111, 0b00001, 0b01110}},
    {'h', {0b10000, 0b10000, 0b10110, 0b11001, 0b10001, 0b10001, 0b10001}},
    {'i', {0b00100, 0b00000, 0b01100, 0b00100, 0b00100, 0b00100, 0b01110}},
    {'j', {0b00010, 0b00000, 0b00110, 0b00010, 0b00010, 0b10010, 0b01100}},
    {'k', {0b10000, 0b10000, 0b10010, 0b10100, 0b11000, 0b10100, 0b10010}},
    {'l', {0b01100, 0b00100, 0b00100, 0b00100, 0b00100, 0b00100, 0b01110}},
    {'m', {0b00000, 0b00000, 0b11010, 0b10101, 0b10101, 0b10001, 0b10001}},
    {'n', {0b00000, 0b00000, 0b10110, 0b11001, 0b10001, 0b10001, 0b10001}},
    {'o', {0b00000, 0b00000, 0b01110, 0b10001, 0b10001, 0b10001, 0b01110}},
    {'p', {0b00000, 0b00000, 0b11110, 0b10001, 0b11110, 0b10000, 0b10000}},
    {'q', {0b00000, 0b00000, 0b01101, 0b10011, 0b01111, 0b00001, 0b00001}},
    {'r', {0b00000, 0b00000, 0b10110, 0b11001, 0b10000, 0b10000, 0b10000}},
    {'s', {0b00000, 0b00000, 0b01110, 0b10000, 0b01110, 0b00001, 0b11110}},
    {'t', {0b01000, 0b01000, 0b11100, 0b01000, 0b01000, 0b01001, 0b00110}},
    {'u', {0b00000, 0b00000, 0b10001, 0b10001, 0b10001, 0b10011, 0b01101}},
    {'v', {0b00000, 0b00000, 0b10001, 0b10001, 0b10001, 0b01010, 0b00100}},
    {'w', {0b00000, 0b00000, 0b10001, 0b10001, 0b10101, 0b10101, 0b01010}},
    {'x', {0b00000, 0b00000, 0b10001, 0b01010, 0b00100, 0b01010, 0b10001}},
    {'y', {0b00000, 0b00000, 0b10001, 0b10001, 0b01111, 0b00001, 0b01110}},
    {'z', {0b00000, 0b00000, 0b11111, 0b00010, 0b00100, 0b01000, 0b11111}},
};
// clang-format on

const Glyph& glyphFor(char ch) {
    for (const Glyph& glyph : kFont) {
        if (glyph.ch == ch) {
            return glyph;
        }
    }
    return kFont[0]; // anything the font lacks is drawn as a blank
}

// The palette: pure colours only, and no antialiasing anywhere, so every
// pixel of a picture is one of these.
const QColor kBackground(0, 0, 0);
const QColor kStripeColours[] = {QColor(215, 0, 0), QColor(215, 215, 0), QColor(0, 215, 0),
                                 QColor(0, 215, 215)};
const QColor kBanner(24, 24, 40);
const QColor kLettering(240, 240, 240);

int textWidth(std::string_view text, int scale) {
    if (text.empty()) {
        return 0;
    }
    return (static_cast<int>(text.size()) * kGlyphAdvance - 1) * scale;
}

// Each lit font pixel becomes a scale x scale block.
void drawText(QPainter& painter, std::string_view text, QPoint topLeft, int scale) {
    int x = topLeft.x();
    for (char ch : text) {
        const Glyph& glyph = glyphFor(ch);
        for (int row = 0; row < kGlyphHeight; ++row) {
            for (int col = 0; col < kGlyphWidth; ++col) {
                if (glyph.rows[static_cast<std::size_t>(row)] & (1u << (kGlyphWidth - 1 - col))) {
                    painter.fillRect(x + col * scale, topLeft.y() + row * scale, scale, scale,
                                     kLettering);
                }
            }
        }
        x += kGlyphAdvance * scale;
    }
}

// Four touching stripes running from bottom left to top right (lines of
// constant x + y), the band centred on the line x + y = centre.
void drawStripes(QPainter& painter, QSize size, int centre, int stripeWidth) {
    const int far = size.width() + size.height();
    int start = centre - 2 * stripeWidth;
    for (const QColor& colour : kStripeColours) {
        const int end = start + stripeWidth;
        const QPolygon band(
            {QPoint(start, 0), QPoint(end, 0), QPoint(end - far, far), QPoint(start - far, far)});
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawPolygon(band);
        start = end;
    }
}

struct TextLine {
    std::string_view text;
    int scale;
};

// Stripes on black, then a full-width dark banner around the lines of text,
// each centred. The banner's middle sits at `bannerMiddle`.
QImage compose(QSize size, std::initializer_list<TextLine> lines, int bannerMiddle) {
    constexpr int kPadding = 8;
    constexpr int kLineGap = 6;

    QImage image(size, QImage::Format_RGB32);
    image.fill(kBackground);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    drawStripes(painter, size, (size.width() + size.height()) / 2, size.height() / 12);

    int textHeight = 0;
    for (const TextLine& line : lines) {
        textHeight += (textHeight > 0 ? kLineGap : 0) + kGlyphHeight * line.scale;
    }
    const int bannerHeight = textHeight + 2 * kPadding;
    const int bannerTop = bannerMiddle - bannerHeight / 2;
    painter.fillRect(0, bannerTop, size.width(), bannerHeight, kBanner);

    int y = bannerTop + kPadding;
    for (const TextLine& line : lines) {
        const int x = (size.width() - textWidth(line.text, line.scale)) / 2;
        drawText(painter, line.text, QPoint(x, y), line.scale);
        y += kGlyphHeight * line.scale + kLineGap;
    }
    return image;
}

} // namespace

// Stripes and a "T" on a small dark square.
QImage programIconImage(int side) {
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(kBackground);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    drawStripes(painter, image.size(), side, qMax(1, side / 8));

    const int scale = qMax(2, side * 5 / 56);
    const int padding = qMax(1, scale / 2);
    const QRect glyph((side - kGlyphWidth * scale) / 2, (side - kGlyphHeight * scale) / 2,
                      kGlyphWidth * scale, kGlyphHeight * scale);
    painter.fillRect(glyph.adjusted(-padding, -padding, padding, padding), kBanner);
    drawText(painter, "T", glyph.topLeft(), scale);
    return image;
}

QImage titlePicture() {
    // The banner sits a little high: the splash puts its caption near the bottom.
    static const QImage image = compose(QSize(240, 192), {{"TOLM", 7}}, 80);
    return image;
}

QImage logoPicture() {
    static const QImage image = compose(QSize(240, 192), {{"TOLM", 6}, {kVersionText, 2}}, 96);
    return image;
}

QImage placeholderPicture() {
    static const QImage image = compose(QSize(256, 192), {{"no image", 4}}, 96);
    return image;
}

QIcon programIcon() {
    // Images are cached; pixmaps are not, as they must not outlive the application.
    static const std::vector<QImage> images = [] {
        std::vector<QImage> all;
        for (int side : kProgramIconSides)
            all.push_back(programIconImage(side));
        return all;
    }();
    QIcon icon;
    for (const QImage& image : images) {
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

} // namespace tolm::ui
