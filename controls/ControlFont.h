#pragma once

#include "render/Canvas.h"

#include <QFont>

namespace pexor {

// The canvas font for a widget's font, in the given colour.
TFont CanvasFont(const QFont &font, TColor color);

} // namespace pexor
