#pragma once

#include "render/raster/PolygonSpans.h"

#include <QFont>
#include <QImage>
#include <QStaticText>
#include <vector>

namespace pexor {

// The pixels a line of unturned text covers, as runs relative to the point
// it is drawn at. Canvas fonts are never antialiased: every pixel a glyph
// touches takes the text's colour whatever lay beneath, and the others keep
// theirs, so the runs found once, by drawing the text on a blank image, are
// the text wherever it is drawn again by whole pixels.
struct TTextStamp {
    // False when the drawing left a pixel part covered (a font that
    // blends after all): such text stays the painter's.
    bool usable = false;
    std::vector<TSpan> runs;
};

// Draws layout at a point of a blank image of format as a painter with
// hints would, and reads the pixels it covered.
TTextStamp StampOf(const QStaticText &layout, const QFont &font, QImage::Format format,
                   int renderHints);

} // namespace pexor
