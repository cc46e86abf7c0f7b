#pragma once

#include <QImage>

namespace pexor {

// The 8 x 6 arrows of the calendar's navigation buttons, black on a white
// that is transparent.
enum class TNavGlyph { Prev2, Prev1, Next1, Next2 };

QImage NavGlyph(TNavGlyph kind);

} // namespace pexor
