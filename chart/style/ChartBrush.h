#pragma once

#include "chart/Canvas3D.h"
#include "chart/series/ChartSeries.h"
#include "render/Canvas.h"

#include <functional>

namespace pexor {

// A brush of a chart element. Changes through these setters fire OnChange
// (the chart repaints); the callback is not copied with the brush.
class TChartBrush : public TBrush {
public:
    explicit TChartBrush(TColor color = clAutoColor, TBrushStyle style = TBrushStyle::bsSolid)
        : TBrush(color, style) {}
    TChartBrush(const TChartBrush &other) : TBrush(other) {}
    TChartBrush &operator=(const TChartBrush &other) {
        TBrush::operator=(other);
        return *this;
    }

    void SetColor(TColor value);
    void SetStyle(TBrushStyle value);
    void SetBitmap(const QImage &value);
    // Copies colour, style and bitmap, firing OnChange once when anything
    // differs.
    void Assign(const TBrush &source);

    std::function<void(TChartBrush &)> OnChange;

private:
    void Changed();
};

// Puts a brush of colour, style and background colour on the canvas the way
// chart elements fill: a hatch whose colour equals its background is drawn in
// black (in white over black) so that it stays visible, and hatch gaps are
// painted in the background colour.
void ApplyChartBrush(TChartCanvas3D &canvas, TColor color, TBrushStyle style, TColor backColor);

} // namespace pexor
