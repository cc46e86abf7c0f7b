#include "controls/DateGlyph.h"

#include <algorithm>

namespace pexor {

namespace {

constexpr QRgb kMagenta = qRgb(255, 0, 255);

// The sixteen colours of the old display palette.
QList<QRgb> SixteenColours() {
    return {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
            qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
            qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
            qRgb(0, 0, 255),     kMagenta,          qRgb(0, 255, 255), qRgb(255, 255, 255)};
}

// A leaf with its top band and two rings, the day dots in three rows.
void DrawLeaf(QImage &image, int left, QRgb outline, QRgb band, QRgb page, QRgb dots) {
    for (int y = 1; y <= 10; ++y) {
        for (int x = 1; x <= 12; ++x) {
            const bool edge = y == 1 || y == 10 || x == 1 || x == 12;
            QRgb c = page;
            if (edge)
                c = outline;
            else if (y <= 3)
                c = band;
            image.setPixel(left + x, y, c);
        }
    }
    image.setPixel(left + 4, 0, outline);
    image.setPixel(left + 9, 0, outline);
    for (int y : {5, 7, 9}) {
        for (int x = 3; x <= 10; x += 2)
            image.setPixel(left + x, y, dots);
    }
}

QImage MakeDateGlyph() {
    QImage image(28, 12, QImage::Format_RGB32);
    image.fill(kMagenta);
    DrawLeaf(image, 0, qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(255, 255, 255), qRgb(0, 0, 128));
    DrawLeaf(image, 14, qRgb(128, 128, 128), qRgb(192, 192, 192), qRgb(255, 255, 255),
             qRgb(128, 128, 128));
    return image.convertToFormat(QImage::Format_Indexed8, SixteenColours(),
                                 Qt::ThresholdDither | Qt::AvoidDither);
}

} // namespace

const QImage &DefaultDateGlyph() {
    static const QImage glyph = MakeDateGlyph();
    return glyph;
}

QImage DropDownArrowGlyph() {
    QImage image(7, 4, QImage::Format_RGB32);
    image.fill(qRgb(255, 255, 255));
    for (int y = 0; y < 4; ++y) {
        for (int x = y; x < 7 - y; ++x)
            image.setPixel(x, y, qRgb(0, 0, 0));
    }
    return image;
}

QImage EllipsisGlyph(int buttonWidth) {
    const int width = std::max(1, buttonWidth - 6);
    QImage image(width, 4, QImage::Format_Mono);
    image.setColor(0, qRgb(0, 0, 0));
    image.setColor(1, qRgb(255, 255, 255));
    image.fill(1);
    const int gap = std::clamp((width - 6) / 2, 1, 3);
    int x = (width - 6 - 2 * gap) / 2;
    for (int dot = 0; dot < 3; ++dot, x += gap + 2) {
        for (int dx = 0; dx < 2; ++dx) {
            for (int dy = 1; dy < 3; ++dy) {
                if (x + dx >= 0 && x + dx < width)
                    image.setPixel(x + dx, dy, 0);
            }
        }
    }
    return image;
}

} // namespace pexor
