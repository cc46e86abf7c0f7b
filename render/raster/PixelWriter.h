#pragma once

#include "render/raster/DirectRaster.h"

#include <QRgb>
#include <concepts>

namespace pexor {

// How a shape writes its pixels straight: Pixel(x, y, colour) and
// Span(y, left, right, colour), right exclusive, in logical positions. A
// shape wholly inside the clip skips the check per pixel; which of the two
// is chosen once per shape (WithWriter), and the shape is written once,
// for either. No virtual call: a pixel costs less than one.
template <typename W>
concept PixelWriter = requires(W w, int x, int y, int right, QRgb color) {
    w.Pixel(x, y, color);
    w.Span(y, x, right, color);
};

// Checks each pixel against the clip.
struct TClippedWriter {
    TDirectRaster &raster;
    void Pixel(int x, int y, QRgb color) const { raster.Pixel(x, y, color); }
    void Span(int y, int left, int right, QRgb color) const { raster.Span(y, left, right, color); }
};

// For a shape known to lie inside the clip.
struct TInsideWriter {
    TDirectRaster &raster;
    void Pixel(int x, int y, QRgb color) const { raster.PixelInside(x, y, color); }
    void Span(int y, int left, int right, QRgb color) const {
        raster.SpanInside(y, left, right, color);
    }
};

static_assert(PixelWriter<TClippedWriter> && PixelWriter<TInsideWriter>);

// Calls write with the writer for a shape inside the clip or not.
template <typename Write> void WithWriter(TDirectRaster &raster, bool inside, Write &&write) {
    if (inside)
        write(TInsideWriter{raster});
    else
        write(TClippedWriter{raster});
}

} // namespace pexor
