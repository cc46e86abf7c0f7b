#include "controls/ControlFont.h"

#include <cmath>

namespace pexor {

TFont CanvasFont(const QFont &font, TColor color) {
    TFontStyles style = 0;
    if (font.bold())
        style |= fsBold;
    if (font.italic())
        style |= fsItalic;
    if (font.underline())
        style |= fsUnderline;
    if (font.strikeOut())
        style |= fsStrikeOut;
    TFont out(font.family(), 8, color, style);
    if (font.pixelSize() > 0)
        out.SetHeight(-font.pixelSize());
    else
        out.SetHeight(-int(std::lround(font.pointSizeF() * out.PixelsPerInch() / 72.0)));
    return out;
}

} // namespace pexor
