#pragma once

#include "chart/style/ChartBrush.h"
#include "chart/style/ChartPen.h"

#include <functional>

namespace pexor {

class TChartCanvas3D;

// One wall of the plot box (back, left or bottom): a flat plane when its
// Size is 0, a box of that thickness otherwise. A change fires OnChange (the
// chart repaints).
class TChartWall {
public:
    explicit TChartWall(TColor color);
    TChartWall(const TChartWall &) = delete;
    TChartWall &operator=(const TChartWall &) = delete;

    TColor Color() const { return color_; }
    void SetColor(TColor value);
    // The colour the wall was made with; only a different one is kept with
    // the chart's settings.
    TColor DefaultColor() const { return defaultColor_; }
    TChartBrush &Brush() { return brush_; }
    const TChartBrush &Brush() const { return brush_; }
    void SetBrush(const TBrush &value) { brush_.Assign(value); }
    TChartPen &Pen() { return pen_; }
    const TChartPen &Pen() const { return pen_; }
    void SetPen(const TChartPen &value) { pen_.Assign(value); }
    int Size() const { return size_; }
    void SetSize(int value);

    void Assign(const TChartWall &source);

    // Puts the wall's pen and brush on the canvas.
    void Prepare(TChartCanvas3D &canvas) const;
    // Whether the sides of a wall box are drawn darker: the brush fills and
    // has no bitmap.
    bool DarkSides() const;

    std::function<void(TChartWall &)> OnChange;

private:
    void Changed();

    TColor color_;
    TColor defaultColor_;
    TChartBrush brush_{clWhite};
    TChartPen pen_;
    int size_ = 0;
};

} // namespace pexor
