#include "controls/NavGlyphs.h"

namespace pexor {

namespace {

// A solid triangle three columns wide; tip is its pointed column.
void Triangle(QImage &image, int tip, bool pointsLeft) {
    for (int i = 0; i < 3; ++i) {
        const int x = pointsLeft ? tip + i : tip - i;
        for (int y = 2 - i; y <= 3 + i; ++y)
            image.setPixel(x, y, 0);
    }
}

} // namespace

QImage NavGlyph(TNavGlyph kind) {
    QImage image(8, 6, QImage::Format_Mono);
    image.setColor(0, qRgb(0, 0, 0));
    image.setColor(1, qRgb(255, 255, 255));
    image.fill(1);
    switch (kind) {
    case TNavGlyph::Prev2:
        Triangle(image, 1, true);
        Triangle(image, 5, true);
        break;
    case TNavGlyph::Prev1:
        Triangle(image, 2, true);
        break;
    case TNavGlyph::Next1:
        Triangle(image, 5, false);
        break;
    case TNavGlyph::Next2:
        Triangle(image, 2, false);
        Triangle(image, 6, false);
        break;
    }
    return image;
}

} // namespace pexor
