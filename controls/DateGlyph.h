#pragma once

#include <QImage>

namespace pexor {

// The date field's button picture: 28 x 12 in 16 colours, a calendar leaf
// and its greyed copy side by side, magenta for transparent. Made on first
// use and shared by every date field.
const QImage &DefaultDateGlyph();

// The arrow of a drop-down list's button and the three dots of an ellipsis
// button of the given width (white for transparent).
QImage DropDownArrowGlyph();
QImage EllipsisGlyph(int buttonWidth);

} // namespace pexor
