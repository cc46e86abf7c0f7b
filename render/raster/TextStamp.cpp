#include "render/raster/TextStamp.h"

#include <QFontMetrics>
#include <QPainter>
#include <cmath>

namespace pexor {

TTextStamp StampOf(const QStaticText &layout, const QFont &font, QImage::Format format,
                   int renderHints) {
    constexpr QRgb kBlank = 0xFFFFFFFF;
    constexpr QRgb kInk = 0xFF000000;
    // Room all round for glyphs that reach out of the layout's box (italic
    // overhangs, accents, underlines).
    const QFontMetrics metrics(font);
    const int margin = 2 * metrics.height() + 4;
    const QSizeF size = layout.size();
    QImage image(int(std::ceil(size.width())) + 2 * margin,
                 int(std::ceil(size.height())) + 2 * margin, format);
    image.fill(kBlank);
    {
        QPainter painter(&image);
        // Exactly the canvas' hints: a new painter starts with some of its own.
        painter.setRenderHints(painter.renderHints(), false);
        painter.setRenderHints(QPainter::RenderHints(renderHints));
        painter.setFont(font);
        painter.setPen(QColor(kInk));
        painter.drawStaticText(QPointF(margin, margin), layout);
    }
    TTextStamp stamp;
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        int x = 0;
        while (x < image.width()) {
            if ((row[x] | 0xFF000000) == kBlank) {
                ++x;
                continue;
            }
            const int from = x;
            while (x < image.width() && (row[x] | 0xFF000000) != kBlank) {
                if ((row[x] | 0xFF000000) != kInk)
                    return {}; // part covered: blended, not a plain glyph
                ++x;
            }
            stamp.runs.push_back({y - margin, from - margin, x - margin});
        }
    }
    stamp.usable = true;
    return stamp;
}

} // namespace pexor
