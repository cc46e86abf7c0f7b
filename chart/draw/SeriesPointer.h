#pragma once

#include "platform/StoreIfChanged.h"
#include "chart/style/ChartBrush.h"
#include "chart/style/ChartPen.h"
#include "render/Color.h"

namespace pexor {

class TChartSeries;
class TChartCanvas3D;

enum class TSeriesPointerStyle {
    psRectangle,
    psCircle,
    psTriangle,
    psDownTriangle,
    psCross,
    psDiagCross,
    psStar,
    psDiamond,
    psSmallDot
};

// Where and how one pointer is drawn.
struct TPointerPlace {
    int X = 0;
    int Y = 0;
    TColor Color = clBlack;
    TSeriesPointerStyle Style = TSeriesPointerStyle::psRectangle;
    bool Is3D = false;
    int StartZ = 0;
    int EndZ = 0;
    // Darkened sides of boxes and pyramids.
    bool DarkSides = true;
};

// The marker a series may draw at its points. Every change repaints the
// series' chart.
class TSeriesPointer {
public:
    explicit TSeriesPointer(TChartSeries *series);
    TSeriesPointer(const TSeriesPointer &) = delete;
    TSeriesPointer &operator=(const TSeriesPointer &) = delete;

    // Copies every setting, not the series.
    void Assign(const TSeriesPointer &source);

    TChartBrush &Brush() { return brush_; }
    const TChartBrush &Brush() const { return brush_; }
    void SetBrush(const TBrush &value) { brush_.Assign(value); }
    bool Draw3D() const { return draw3D_; }
    void SetDraw3D(bool value) { Set(draw3D_, value); }
    int HorizSize() const { return horizSize_; }
    // Below 1 raises ChartException and keeps the old size.
    void SetHorizSize(int value);
    bool InflateMargins() const { return inflateMargins_; }
    void SetInflateMargins(bool value) { Set(inflateMargins_, value); }
    TChartPen &Pen() { return pen_; }
    const TChartPen &Pen() const { return pen_; }
    void SetPen(const TChartPen &value) { pen_.Assign(value); }
    TSeriesPointerStyle Style() const { return style_; }
    void SetStyle(TSeriesPointerStyle value) { Set(style_, value); }
    int VertSize() const { return vertSize_; }
    // Below 1 raises ChartException and keeps the old size.
    void SetVertSize(int value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value) { Set(visible_, value); }

    // Draws the marker with half-sizes horizSize and vertSize (the legend
    // draws it smaller than the points have it).
    void DrawPointer(TChartCanvas3D &canvas, const TPointerPlace &place, int horizSize,
                     int vertSize) const;
    void DrawPointer(TChartCanvas3D &canvas, const TPointerPlace &place) const {
        DrawPointer(canvas, place, horizSize_, vertSize_);
    }

private:
    template <typename T> void Set(T &field, const T &value) {
        if (StoreIfChanged(field, value))
            Changed();
    }
    void Changed();
    void PrepareCanvas(TChartCanvas3D &canvas, TColor color) const;

    TChartSeries *series_;
    TChartBrush brush_{clAutoColor};
    bool draw3D_ = true;
    int horizSize_ = 4;
    bool inflateMargins_ = true;
    TChartPen pen_;
    TSeriesPointerStyle style_ = TSeriesPointerStyle::psRectangle;
    int vertSize_ = 4;
    bool visible_ = true;
};

} // namespace pexor
