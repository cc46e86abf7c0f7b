#include "chart/draw/SeriesPointer.h"

#include "chart/Canvas3D.h"
#include "chart/ChartException.h"
#include "chart/series/ChartSeries.h"

#include <QPolygon>

namespace pexor {

namespace {

const QString kPointerSizeError = QStringLiteral("La taille de pointeur doit être supérieure à 0");

} // namespace

TSeriesPointer::TSeriesPointer(TChartSeries *series) : series_(series) {
    brush_.OnChange = [this](TChartBrush &) { Changed(); };
    pen_.OnChange = [this](TChartPen &) { Changed(); };
}

void TSeriesPointer::Changed() {
    if (series_)
        series_->Repaint();
}

void TSeriesPointer::Assign(const TSeriesPointer &source) {
    brush_.Assign(source.brush_);
    pen_.Assign(source.pen_);
    SetDraw3D(source.draw3D_);
    SetHorizSize(source.horizSize_);
    SetInflateMargins(source.inflateMargins_);
    SetStyle(source.style_);
    SetVertSize(source.vertSize_);
    SetVisible(source.visible_);
}

void TSeriesPointer::SetHorizSize(int value) {
    if (value < 1)
        throw ChartException(kPointerSizeError);
    Set(horizSize_, value);
}

void TSeriesPointer::SetVertSize(int value) {
    if (value < 1)
        throw ChartException(kPointerSizeError);
    Set(vertSize_, value);
}

void TSeriesPointer::PrepareCanvas(TChartCanvas3D &canvas, TColor color) const {
    canvas.AssignVisiblePen(pen_);
    if (pen_.Visible() && pen_.Color() == clAutoColor)
        canvas.Pen().SetColor(color);
    canvas.Brush() = static_cast<const TBrush &>(brush_);
    if (brush_.Color() == clAutoColor)
        canvas.Brush().SetColor(color);
}

void TSeriesPointer::DrawPointer(TChartCanvas3D &canvas, const TPointerPlace &place, int horizSize,
                                 int vertSize) const {
    PrepareCanvas(canvas, place.Color);
    const int px = place.X;
    const int py = place.Y;
    const int l = px - horizSize;
    const int r = px + horizSize;
    const int t = py - vertSize;
    const int b = py + vertSize;
    const int z = place.StartZ;
    const bool in3D = place.Is3D;

    auto line = [&](int x0, int y0, int x1, int y1) {
        if (in3D)
            canvas.Line3D(x0, y0, x1, y1, z);
        else
            canvas.Line(x0, y0, x1, y1);
    };
    // Lines end one past the far corner, since a line leaves its end unpainted.
    auto cross = [&] {
        line(l, py, r + 1, py);
        line(px, t, px, b + 1);
    };
    auto diagonals = [&] {
        line(l, t, r + 1, b + 1);
        line(l, b, r + 1, t - 1);
    };
    auto polygon = [&](std::initializer_list<QPoint> points) {
        if (in3D) {
            std::vector<TPoint3D> projected;
            for (const QPoint &p : points)
                projected.push_back({p.x(), p.y(), z});
            canvas.Polygon3D(projected);
        } else {
            canvas.Polygon(QPolygon(QList<QPoint>(points)));
        }
    };

    switch (place.Style) {
    case TSeriesPointerStyle::psRectangle:
        if (!in3D)
            canvas.Rectangle(l, t, r + 1, b + 1);
        else if (draw3D_)
            canvas.Box(l, r, t, b, place.StartZ, place.EndZ, place.DarkSides);
        else
            canvas.RectAt(TRect(l, t, r + 1, b + 1), z);
        break;
    case TSeriesPointerStyle::psCircle:
        if (in3D)
            canvas.Ellipse3D(l, t, r, b, z);
        else
            canvas.Ellipse(l, t, r, b);
        break;
    case TSeriesPointerStyle::psTriangle:
        if (in3D && draw3D_)
            canvas.Pyramid3D(l, t, r, b, place.StartZ, place.EndZ, place.DarkSides);
        else
            polygon({{l, b}, {r, b}, {px, t}});
        break;
    case TSeriesPointerStyle::psDownTriangle:
        if (in3D && draw3D_)
            canvas.Pyramid3D(l, b, r, t, place.StartZ, place.EndZ, place.DarkSides);
        else
            polygon({{l, t}, {r, t}, {px, b}});
        break;
    case TSeriesPointerStyle::psCross:
        cross();
        break;
    case TSeriesPointerStyle::psDiagCross:
        diagonals();
        break;
    case TSeriesPointerStyle::psStar:
        cross();
        diagonals();
        break;
    case TSeriesPointerStyle::psDiamond:
        polygon({{l, py}, {px, t}, {r, py}, {px, b}});
        break;
    case TSeriesPointerStyle::psSmallDot:
        if (in3D)
            canvas.Pixel3D(px, py, place.Color, z);
        else
            canvas.Pixel(px, py, place.Color);
        break;
    }
}

} // namespace pexor
