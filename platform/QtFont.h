#pragma once

#include "platform/Canvas.h"

#include <QFont>
#include <QPaintDevice>
#include <QSize>

namespace pexor {

// The Qt font for a canvas font, sized in logical pixels and never
// antialiased, so text covers the same pixels on every screen.
QFont ToQFont(const TFont &font, const QPaintDevice *device);

// Width (advance) and cell height of unrotated text, in logical pixels.
QSize TextExtentOf(const TFont &font, const QString &text, const QPaintDevice *device);

} // namespace pexor
