#include "chart/style/ChartBrush.h"

namespace pexor {

void TChartBrush::Changed() {
    if (OnChange)
        OnChange(*this);
}

void TChartBrush::SetColor(TColor value) {
    if (Color() == value)
        return;
    TBrush::SetColor(value);
    Changed();
}

void TChartBrush::SetStyle(TBrushStyle value) {
    if (Style() == value)
        return;
    TBrush::SetStyle(value);
    Changed();
}

void TChartBrush::SetBitmap(const QImage &value) {
    if (Bitmap() == value)
        return;
    TBrush::SetBitmap(value);
    Changed();
}

void TChartBrush::Assign(const TBrush &source) {
    if (static_cast<const TBrush &>(*this) == source)
        return;
    TBrush::operator=(source);
    Changed();
}

void ApplyChartBrush(TChartCanvas3D &canvas, TColor color, TBrushStyle style, TColor backColor) {
    TBrush &brush = canvas.Brush();
    brush.SetBitmap(QImage());
    if (style != TBrushStyle::bsSolid && color == backColor)
        color = ColorToRGB(backColor) == clBlack ? clWhite : clBlack;
    brush.SetColor(color);
    brush.SetStyle(style);
    if (style == TBrushStyle::bsSolid) {
        canvas.SetBackMode(TBackMode::Transparent);
    } else {
        canvas.SetBackMode(TBackMode::Opaque);
        canvas.SetBackColor(backColor);
    }
}

} // namespace pexor
