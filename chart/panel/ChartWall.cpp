#include "chart/panel/ChartWall.h"

#include "chart/Canvas3D.h"

namespace pexor {

TChartWall::TChartWall(TColor color) : color_(color), defaultColor_(color) {
    brush_.OnChange = [this](TChartBrush &) { Changed(); };
    pen_.OnChange = [this](TChartPen &) { Changed(); };
}

void TChartWall::Changed() {
    if (OnChange)
        OnChange(*this);
}

void TChartWall::SetColor(TColor value) {
    if (color_ == value)
        return;
    color_ = value;
    Changed();
}

void TChartWall::SetSize(int value) {
    if (size_ == value)
        return;
    size_ = value;
    Changed();
}

void TChartWall::Assign(const TChartWall &source) {
    SetColor(source.color_);
    SetSize(source.size_);
    brush_.Assign(source.brush_);
    pen_.Assign(source.pen_);
}

void TChartWall::Prepare(TChartCanvas3D &canvas) const {
    canvas.AssignVisiblePen(pen_);
    if (!brush_.Bitmap().isNull()) {
        canvas.Brush().SetBitmap(brush_.Bitmap());
        return;
    }
    if (color_ == clAutoColor && brush_.Style() == TBrushStyle::bsSolid) {
        canvas.Brush().SetBitmap(QImage());
        canvas.Brush().SetStyle(TBrushStyle::bsClear);
        return;
    }
    ApplyChartBrush(canvas, color_, brush_.Style(), brush_.Color());
}

bool TChartWall::DarkSides() const {
    return brush_.Style() != TBrushStyle::bsClear && brush_.Bitmap().isNull();
}

} // namespace pexor
