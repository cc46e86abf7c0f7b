#pragma once

#include "render/Canvas.h"
#include "render/raster/TextStamp.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QStaticText>
#include <QPaintDevice>
#include <QSize>
#include <memory>

namespace pexor {

// The face of the program's fixed layouts (readings grid, calendar, title
// strip): they were drawn for the original platform's small sans fonts,
// whose widths are Arial's, and Liberation Sans has Arial's metrics. The
// plain "MS Sans Serif" name resolves to the wider sans default, which
// squeezes them.
inline const QString kLayoutFontFamily = QStringLiteral("Liberation Sans");

// The Qt font for a canvas font, sized in logical pixels and never
// antialiased, so text covers the same pixels on every screen.
QFont ToQFont(const TFont &font, const QPaintDevice *device);

// A canvas font made ready for Qt on one kind of device: the font, its
// metrics, and the widths of texts already measured with it.
class TQtFontMetrics {
public:
    TQtFontMetrics(const QFont &font, const QPaintDevice *device);
    const QFont &Font() const { return font_; }
    const QFontMetrics &Metrics() const { return metrics_; }
    int Advance(const QString &text);
    // The text laid out once with the font, ready to draw again and again.
    QStaticText Layout(const QString &text);
    // The pixels of the laid-out text, read once for images of format
    // drawn with hints.
    std::shared_ptr<const TTextStamp> Stamp(const QString &text, QImage::Format format,
                                            int renderHints);

private:
    struct TKeptStamp {
        QImage::Format format;
        int renderHints;
        std::shared_ptr<const TTextStamp> stamp;
    };

    QFont font_;
    QFontMetrics metrics_;
    QHash<QString, int> advances_;
    QHash<QString, QStaticText> layouts_;
    QHash<QString, TKeptStamp> stamps_;
};

// Width (advance) and cell height of unrotated text, in logical pixels,
// with the calling thread's kept fonts: shaping text to measure it is slow
// and the chart measures the same labels at every drawing.
QSize TextExtentOf(const TFont &font, const QString &text, const QPaintDevice *device);

} // namespace pexor
