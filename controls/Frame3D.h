#pragma once

#include "render/Canvas.h"

namespace pexor {

// A 1-pixel bevel: top and left edges in one colour, bottom and right in the
// other (the top-right and bottom-left corners take the second). The
// rectangle shrinks by one pixel on every side, so nested frames can follow.
void Frame3D(Canvas &canvas, TRect &rect, TColor topLeft, TColor bottomRight);

} // namespace pexor
