#include "chart/draw/LineSeries.h"

#include "chart/Canvas3D.h"
#include "render/ColumnLines.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <utility>
#include <vector>

namespace pexor {

namespace {

// Points beyond this are too far off a zoomed axis to be drawn.
constexpr int kPixelLimit = 32767;

bool Drawable(int x, int y) {
    return x > -kPixelLimit && x < kPixelLimit && y > -kPixelLimit && y < kPixelLimit;
}

// The lines of one 2D segment from (x0, y0), where path stands, to (x1, y1):
// through the stair's corner first when the line goes in stairs. Path is the
// canvas or a merging path; both draw from where they stand.
template <typename Path>
void SegmentLines(Path &path, int x0, int y0, int x1, int y1, bool stairs, bool inverted) {
    if (stairs)
        path.LineTo(inverted ? x0 : x1, inverted ? y1 : y0);
    path.LineTo(x1, y1);
}

} // namespace

struct TCustomSeries::TDrawContext {
    TCustomAxisPanel *chart = nullptr;
    TChartCanvas3D *canvas = nullptr;
    bool is3D = false;
    TRect plot;
    int first = -1;
    int last = -1;
    // The window of points mapped for a drawing of all points; others are
    // mapped one by one.
    TMappedPoints points;
};

namespace {

// A series' points mapped a window at a time, with their colours: a long
// series is never copied whole.
class TPointWindow {
public:
    static constexpr int kSize = TMappedPoints::kWindow;

    TPointWindow(const TChartSeries &series, TMappedPoints &points)
        : series_(series), points_(points) {}

    // Maps from start to at most last; answers how many.
    int Map(int start, int last) {
        const int count = std::min(kSize, last - start + 1);
        oneColor_ = series_.PointColors(start, count, colors_.data());
        const ISeriesAxis *horiz = series_.GetHorizAxis();
        const ISeriesAxis *vert = series_.GetVertAxis();
        points_.first = start;
        points_.x.resize(std::size_t(count));
        points_.y.resize(std::size_t(count));
        int *xs = points_.x.data();
        int *ys = points_.y.data();
        if (!horiz || !vert) {
            // No axes to map through: the points' own pixels, one by one.
            for (int j = 0; j < count; ++j) {
                xs[j] = series_.XPixel(start + j);
                ys[j] = series_.YPixel(start + j);
            }
            return count;
        }
        vert->ValuesToPixels(series_.YValues().ReadValues(start, std::size_t(count), scratch_.data()),
                             ys, std::size_t(count));
        const double *xv = series_.XValues().ReadValues(start, std::size_t(count), scratch_.data());
        monotonic_ = horiz->KeepsOrder() && series_.XValues().Rises() &&
                     MapRising(*horiz, xv, xs, count);
        if (!monotonic_)
            horiz->ValuesToPixels(xv, xs, std::size_t(count));
        return count;
    }
    const int *X() const { return points_.x.data(); }
    const int *Y() const { return points_.y.data(); }
    const TColor *Colors() const { return colors_.data(); }
    // Whether the points mapped last are all of one colour.
    bool OneColor() const { return oneColor_; }
    // The end of the run of points from j on that share j's pixel column.
    int ColumnEnd(int j, int count) const {
        const int *xs = X();
        if (monotonic_) {
            // The columns keep the order of the values, rising or falling.
            if (xs[count - 1] >= xs[j])
                return int(std::upper_bound(xs + j, xs + count, xs[j]) - xs);
            return int(std::upper_bound(xs + j, xs + count, xs[j], std::greater<int>()) - xs);
        }
        int end = j + 1;
        while (end < count && xs[end] == xs[j])
            ++end;
        return end;
    }

private:
    // Rising values on an axis that keeps their order map to pixels in the
    // same order: where two points map to one pixel column, so do all
    // between them. Most of a long series' points then need no mapping of
    // their own, only the column ends, found by halving. The caller knows
    // the values rise; false when there are none.
    static bool MapRising(const ISeriesAxis &axis, const double *values, int *pixels, int count) {
        if (count == 0)
            return false;
        FillBetween(axis, values, pixels, 0, count - 1, axis.ValueToPixel(values[0]),
                    axis.ValueToPixel(values[count - 1]));
        return true;
    }
    static void FillBetween(const ISeriesAxis &axis, const double *values, int *pixels, int a,
                            int b, int atA, int atB) {
        if (atA == atB) {
            std::fill(pixels + a, pixels + b + 1, atA);
            return;
        }
        pixels[a] = atA;
        pixels[b] = atB;
        if (b - a <= 1)
            return;
        const int m = a + (b - a) / 2;
        const int atM = axis.ValueToPixel(values[m]);
        FillBetween(axis, values, pixels, a, m, atA, atM);
        FillBetween(axis, values, pixels, m, b, atM, atB);
    }

    const TChartSeries &series_;
    TMappedPoints &points_;
    std::array<double, kSize> scratch_;
    std::array<TColor, kSize> colors_;
    bool oneColor_ = false;
    bool monotonic_ = false;
};

} // namespace

TCustomSeries::TCustomSeries() : pointer_(std::make_unique<TSeriesPointer>(this)) {
    linePen_.OnChange = [this](TChartPen &) { Repaint(); };
    areaLinesPen_.OnChange = [this](TChartPen &) { Repaint(); };
}

TCustomSeries::~TCustomSeries() = default;

TCustomAxisPanel *TCustomSeries::Panel() const {
    return dynamic_cast<TCustomAxisPanel *>(ParentChart());
}

TCustomSeries::TDrawContext TCustomSeries::MakeContext() const {
    TDrawContext ctx;
    ctx.chart = Panel();
    if (!ctx.chart)
        return ctx;
    ctx.canvas = &ctx.chart->Canvas();
    ctx.is3D = ctx.chart->View3D();
    ctx.plot = ctx.chart->PlotRect();
    ctx.first = FirstVisibleIndex();
    ctx.last = LastVisibleIndex();
    return ctx;
}

int TCustomSeries::GetOriginPos(int) const {
    const TCustomAxisPanel *chart = Panel();
    return chart ? chart->PlotRect().Bottom : 0;
}

QPoint TCustomSeries::PixelOf(const TDrawContext &ctx, int valueIndex) const {
    return ctx.points.Holds(valueIndex) ? ctx.points.At(valueIndex)
                                        : QPoint(XPixel(valueIndex), YPixel(valueIndex));
}

// The line enters from the plot's edge at the height it has there between
// the point before the first shown and the first.
QPoint TCustomSeries::EdgeEntry(const TDrawContext &ctx, int previous, int valueIndex) const {
    const ISeriesAxis *horiz = GetHorizAxis();
    const int x = horiz && horiz->Inverted() ? ctx.plot.Right : ctx.plot.Left;
    const double x0 = XValue(previous);
    const double x1 = XValue(valueIndex);
    if (stairs_ || x0 == x1 || !horiz)
        return QPoint(x, PixelOf(ctx, previous).y());
    const double edge = horiz->PixelToValue(x);
    const double y0 = YValue(previous);
    const double y1 = YValue(valueIndex);
    const ISeriesAxis *vert = GetVertAxis();
    const double value = y0 + (y1 - y0) * (edge - x0) / (x1 - x0);
    return QPoint(x, vert ? vert->ValueToPixel(value) : 0);
}

TColor TCustomSeries::FillColor(TColor pointColor) const {
    return ColorEachPoint() || areaColor_ == clAutoColor ? pointColor : areaColor_;
}

void TCustomSeries::DrawAllValues() {
    TDrawContext ctx = MakeContext();
    if (!ctx.chart || ctx.last < ctx.first)
        return;
    ctx.points = std::move(mappedStore_);
    if (!joinSegments_ || !DrawMerged(ctx))
        DrawEachPoint(ctx);
    mappedStore_ = std::move(ctx.points);
}

void TCustomSeries::DrawEachPoint(TDrawContext &ctx) {
    constexpr int kWindow = TMappedPoints::kWindow;
    const bool forward = DrawValuesForward();
    const int n = ctx.last - ctx.first + 1;
    for (int done = 0; done < n; done += kWindow) {
        const int count = std::min(kWindow, n - done);
        const int start = forward ? ctx.first + done : ctx.last - done - count + 1;
        MapPoints(start, start + count - 1, ctx.points);
        if (forward) {
            for (int i = start; i < start + count; ++i)
                DrawPoint(ctx, i);
        } else {
            for (int i = start + count - 1; i >= start; --i)
                DrawPoint(ctx, i);
        }
    }
}

void TCustomSeries::DrawValue(int valueIndex) {
    const TDrawContext ctx = MakeContext();
    if (ctx.chart)
        DrawPoint(ctx, valueIndex);
}

void TCustomSeries::DrawPoint(const TDrawContext &ctx, int valueIndex) {
    const QPoint at = PixelOf(ctx, valueIndex);
    const int x = at.x();
    const int y = at.y();
    if (!Drawable(x, y))
        return;
    const TColor color = PointColor(valueIndex);
    TChartCanvas3D &canvas = *ctx.canvas;
    canvas.Pen().SetColor(clBlack);
    canvas.Brush().SetColor(color);
    if (oldColor_ == clNone) {
        oldX_ = x;
        oldY_ = y;
    }
    // The base line matters only to an area, and is asked of a virtual.
    const int bottom = drawArea_ ? GetOriginPos(valueIndex) : 0;

    if (valueIndex == ctx.first) {
        if (valueIndex > 0) {
            const int previous = valueIndex - 1;
            // An area starts from the point before; a line from the edge.
            QPoint from;
            if (drawArea_) {
                oldBottom_ = GetOriginPos(previous);
                from = PixelOf(ctx, previous);
            } else {
                from = EdgeEntry(ctx, previous, valueIndex);
            }
            oldX_ = from.x();
            oldY_ = from.y();
            if (PointColor(previous) != clNone)
                DrawSegment(ctx, valueIndex, x, y, color, false);
        }
        if (valueIndex == ctx.last && color != clNone && pointer_->Visible())
            DrawPointerAt(ctx, valueIndex, x, y, color);
    } else {
        DrawSegment(ctx, valueIndex, x, y, color, true);
    }

    oldX_ = x;
    oldY_ = y;
    oldBottom_ = bottom;
    oldColor_ = color;
    oldIndex_ = valueIndex;
}

void TCustomSeries::DrawSegment(const TDrawContext &ctx, int valueIndex, int x, int y, TColor color,
                                bool withPointers) {
    if ((x != oldX_ || y != oldY_) && color != clNone) {
        if (ctx.is3D && (drawArea_ || (drawLine_ && lineBrush_ != TBrushStyle::bsClear)))
            DrawRibbon(ctx, QPoint(oldX_, oldY_), QPoint(x, y), FillColor(color));
        if (drawArea_)
            DrawAreaPart(ctx, x, y, GetOriginPos(valueIndex), FillColor(color));
        if (!ctx.is3D && drawLine_ && !drawArea_)
            DrawLine2D(ctx, x, y, color);
    }
    if (!withPointers || !pointer_->Visible())
        return;
    if (oldColor_ != clNone)
        DrawPointerAt(ctx, oldIndex_, oldX_, oldY_, oldColor_);
    if (valueIndex == ctx.last && color != clNone)
        DrawPointerAt(ctx, valueIndex, x, y, color);
}

void TCustomSeries::DrawRibbon(const TDrawContext &ctx, QPoint from, QPoint to, TColor fill) {
    TChartCanvas3D &canvas = *ctx.canvas;
    const int startZ = StartZ();
    const int endZ = EndZ();
    canvas.Brush().SetColor(fill);
    canvas.AssignVisiblePen(linePen_);
    if (linePen_.Visible())
        ctx.chart->CheckPrintPen(canvas.Pen());
    canvas.Brush().SetStyle(lineBrush_);
    const int x = to.x();
    const int y = to.y();
    if (!stairs_) {
        // A segment climbing more steeply than 45 degrees shows its dark side.
        if (dark3D_ && x != from.x() && double(from.y() - y) / double(x - from.x()) > 1.0)
            canvas.Brush().SetColor(DarkenColor(ColorToRGB(fill), 64));
        canvas.Ribbon3D(to, from, startZ, endZ);
    } else if (!invertedStairs_) {
        canvas.PlaneY(from.y(), from.x(), x, startZ, endZ);
        canvas.PlaneX(x, from.y(), y, startZ, endZ);
    } else {
        canvas.PlaneX(from.x(), from.y(), y, startZ, endZ);
        canvas.PlaneY(y, from.x(), x, startZ, endZ);
    }
}

void TCustomSeries::DrawAreaPart(const TDrawContext &ctx, int x, int y, int bottom, TColor fill) {
    TChartCanvas3D &canvas = *ctx.canvas;
    canvas.AssignVisiblePen(areaLinesPen_);
    if (areaLinesPen_.Visible())
        ctx.chart->CheckPrintPen(canvas.Pen());
    canvas.Brush().SetColor(fill);
    canvas.Brush().SetStyle(areaBrush_);
    // The top edge follows the line, stairs included.
    QPoint from(oldX_, oldY_);
    QPoint to(x, y);
    if (stairs_) {
        if (invertedStairs_)
            from.setY(y);
        else
            to.setY(oldY_);
    }
    if (ctx.is3D) {
        const int z = StartZ();
        canvas.Polygon3D({{from.x(), from.y(), z},
                          {to.x(), to.y(), z},
                          {to.x(), bottom, z},
                          {from.x(), oldBottom_, z}});
    } else {
        QPolygon shape;
        shape << from << to << QPoint(to.x(), bottom) << QPoint(from.x(), oldBottom_);
        canvas.Polygon(shape);
    }
}

void TCustomSeries::DrawLine2D(const TDrawContext &ctx, int x, int y, TColor color) {
    TChartCanvas3D &canvas = *ctx.canvas;
    canvas.AssignVisiblePen(linePen_);
    if (linePen_.Visible())
        ctx.chart->CheckPrintPen(canvas.Pen());
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    canvas.Pen().SetColor(color);
    canvas.MoveTo(oldX_, oldY_);
    SegmentLines(canvas, oldX_, oldY_, x, y, stairs_, invertedStairs_);
}

void TCustomSeries::DrawPointerAt(const TDrawContext &ctx, int valueIndex, int x, int y,
                                  TColor color) {
    TPointerPlace place;
    place.X = x;
    place.Y = y;
    place.Color = color;
    place.Style = OnGetPointerStyle ? OnGetPointerStyle(*this, valueIndex) : pointer_->Style();
    place.Is3D = ctx.is3D;
    place.StartZ = StartZ();
    place.EndZ = EndZ();
    place.DarkSides = dark3D_;
    pointer_->DrawPointer(*ctx.canvas, place);
}

bool TCustomSeries::DrawMerged(TDrawContext &ctx) {
    // Only a plain line or ribbon drawn forward: pointers and areas are
    // drawn point by point.
    if (!drawLine_ || drawArea_ || pointer_->Visible() || !DrawValuesForward())
        return false;
    TChartCanvas3D &canvas = *ctx.canvas;
    if (!ctx.is3D) {
        if (!linePen_.Visible())
            return false;
        canvas.AssignVisiblePen(linePen_);
        ctx.chart->CheckPrintPen(canvas.Pen());
        canvas.Brush().SetStyle(TBrushStyle::bsClear);
        if (!canvas.ReferenceCanvas().PaintsOpaqueLines())
            return false;
        DrawMergedLine(ctx);
        return true;
    }
    if (stairs_ || lineBrush_ == TBrushStyle::bsClear || !canvas.ShearsDepth())
        return false;
    canvas.AssignVisiblePen(linePen_);
    if (linePen_.Visible())
        ctx.chart->CheckPrintPen(canvas.Pen());
    canvas.Brush().SetStyle(lineBrush_);
    if (!canvas.ReferenceCanvas().PaintsOpaqueShapes())
        return false;
    DrawMergedRibbons(ctx);
    return true;
}

// The same walk as DrawPoint for a plain 2D line, with the lines handed to
// the surface in batches, and those that follow each other down or up one
// pixel column (many points on few columns) merged. The loop runs once per
// point of a long series: its state stays in locals.
void TCustomSeries::DrawMergedLine(TDrawContext &ctx) {
    TChartCanvas3D &canvas = *ctx.canvas;
    Canvas &surface = canvas.ReferenceCanvas();
    TLineBatch batch(surface);
    TColumnLines path(batch);
    TColor penColor = clNone;
    int oldX = oldX_;
    int oldY = oldY_;
    TColor oldColor = oldColor_;
    int oldIndex = oldIndex_;
    const bool stairs = stairs_;
    const bool inverted = invertedStairs_;
    TPointWindow window(*this, ctx.points);
    for (int start = ctx.first; start <= ctx.last; start += TPointWindow::kSize) {
        const int count = window.Map(start, ctx.last);
        const int *xs = window.X();
        const int *ys = window.Y();
        const TColor *colors = window.Colors();
        for (int j = 0; j < count; ++j) {
            if (window.OneColor() && !stairs && oldColor != clNone && colors[j] == penColor &&
                path.At(oldX, oldY) && start + j != ctx.first) {
                // The run a long series spends its time in: one colour, a
                // line unbroken from the point before, drawn as it comes.
                // The path is where the last point is.
                int k = j;
                while (k < count) {
                    const int end = window.ColumnEnd(k, count);
                    if (!path.LinesDown(xs[k], ys + k, end - k, kPixelLimit))
                        break;
                    k = end;
                }
                if (k > j) {
                    oldX = xs[k - 1];
                    oldY = ys[k - 1];
                    oldIndex = start + k - 1;
                    j = k;
                    if (j == count)
                        break;
                }
            }
            const int i = start + j;
            const int x = xs[j];
            const int y = ys[j];
            const TColor color = colors[j];
            if (!Drawable(x, y)) [[unlikely]]
                continue;
            if (oldColor == clNone) [[unlikely]] {
                oldX = x;
                oldY = y;
            }
            bool draws = color != clNone && (x != oldX || y != oldY);
            if (i == ctx.first) [[unlikely]] {
                draws = false;
                if (i > 0) {
                    const QPoint from = EdgeEntry(ctx, i - 1, i);
                    oldX = from.x();
                    oldY = from.y();
                    draws = PointColor(i - 1) != clNone && color != clNone &&
                            (x != oldX || y != oldY);
                }
            }
            if (draws) {
                if (color != penColor) [[unlikely]] {
                    path.Flush();
                    surface.Pen().SetColor(color);
                    penColor = color;
                }
                path.From(oldX, oldY);
                SegmentLines(path, oldX, oldY, x, y, stairs, inverted);
            }
            oldX = x;
            oldY = y;
            oldColor = color;
            oldIndex = i;
        }
    }
    path.Flush();
    oldX_ = oldX;
    oldY_ = oldY;
    oldColor_ = oldColor;
    oldIndex_ = oldIndex;
    // As the point-by-point drawing leaves the canvas.
    canvas.Pen().SetColor(clBlack);
    canvas.Brush().SetColor(oldColor_);
}

// The same walk as DrawPoint for ribbons, with the ribbons of the segments
// that follow each other in one pixel column cut down to those that show.
void TCustomSeries::DrawMergedRibbons(TDrawContext &ctx) {
    TRibbonColumn &column = ribbonColumn_;
    auto closeColumn = [&] {
        column.Close([&](int from, int to) {
            DrawRibbon(ctx, QPoint(column.X(), from), QPoint(column.X(), to), column.Fill());
        });
    };
    bool drewLast = false;
    TPointWindow window(*this, ctx.points);
    auto visit = [&](int i, int x, int y, TColor color) {
        if (!Drawable(x, y))
            return;
        if (i == ctx.first) {
            DrawPoint(ctx, i);
            return;
        }
        if (oldColor_ == clNone) {
            oldX_ = x;
            oldY_ = y;
        }
        drewLast = (x != oldX_ || y != oldY_) && color != clNone;
        if (drewLast) {
            const TColor fill = FillColor(color);
            if (x == oldX_) {
                if (!column.Open() || column.X() != x || column.Fill() != fill ||
                    column.End() != oldY_) {
                    closeColumn();
                    column.Start(x, fill);
                }
                column.Add(oldY_, y);
            } else {
                closeColumn();
                DrawRibbon(ctx, QPoint(oldX_, oldY_), QPoint(x, y), fill);
            }
        } else if (color == clNone) {
            // The line breaks: what comes after no longer joins.
            closeColumn();
        }
        oldX_ = x;
        oldY_ = y;
        oldColor_ = color;
        oldIndex_ = i;
    };
    for (int start = ctx.first; start <= ctx.last; start += TPointWindow::kSize) {
        const int count = window.Map(start, ctx.last);
        const int *xs = window.X();
        const int *ys = window.Y();
        const TColor *colors = window.Colors();
        for (int j = 0; j < count; ++j) {
            if (window.OneColor() && column.Open() && xs[j] == column.X() && oldX_ == column.X() &&
                oldY_ == column.End() && oldColor_ != clNone && colors[j] != clNone &&
                FillColor(colors[j]) == column.Fill() && start + j != ctx.first) {
                // The run a long series spends its time in: more of the
                // column it is in, one colour, unbroken.
                const int end = window.ColumnEnd(j, count);
                const int taken = column.AddRun(ys + j, end - j, kPixelLimit);
                if (taken > 0) {
                    drewLast = column.LastMoved();
                    oldY_ = ys[j + taken - 1];
                    oldColor_ = colors[j];
                    oldIndex_ = start + j + taken - 1;
                    j += taken;
                    if (j == count)
                        break;
                }
            }
            visit(start + j, xs[j], ys[j], colors[j]);
        }
    }
    closeColumn();
    if (!drewLast && ctx.last > ctx.first) {
        // As the point-by-point drawing leaves the canvas.
        ctx.canvas->Pen().SetColor(clBlack);
        ctx.canvas->Brush().SetColor(oldColor_);
    }
}

void TCustomSeries::CalcHorizMargins(int &left, int &right) const {
    const bool inflate = pointer_->Visible() && pointer_->InflateMargins();
    left = right = inflate ? pointer_->HorizSize() + 1 : 0;
}

void TCustomSeries::CalcVerticalMargins(int &top, int &bottom) const {
    const bool inflate = pointer_->Visible() && pointer_->InflateMargins();
    top = bottom = inflate ? pointer_->VertSize() + 1 : 0;
}

void TCustomSeries::PrepareLegendCanvas(TChartCanvas3D &canvas, int valueIndex, TColor &,
                                        TBrushStyle &brushStyle) {
    const TColor color = valueIndex < 0 ? SeriesColor() : PointColor(valueIndex);
    canvas.AssignVisiblePen(linePen_);
    const TCustomAxisPanel *chart = Panel();
    if (chart && chart->View3D()) {
        brushStyle = lineBrush_;
    } else {
        brushStyle = TBrushStyle::bsClear;
        canvas.Pen().SetColor(color);
    }
}

void TCustomSeries::DrawLegendShape(TChartCanvas3D &canvas, int valueIndex, const TRect &rect,
                                    TColor) {
    const TCustomAxisPanel *chart = Panel();
    const bool is3D = chart && chart->View3D();
    const int middle = (rect.Top + rect.Bottom) / 2;
    if (!pointer_->Visible()) {
        if (is3D)
            canvas.Rectangle(rect);
        else
            canvas.Line(rect.Left, middle, rect.Right, middle);
        return;
    }
    if (drawLine_)
        canvas.Line(rect.Left, middle, rect.Right, middle);
    const int width = rect.Width();
    const int height = rect.Height();
    const int horizLimit = linePen_.Visible() ? width / 3 : width / 2 + 1;
    const int vertLimit = linePen_.Visible() ? height / 3 : height / 2 + 1;
    TPointerPlace place;
    place.X = (rect.Left + rect.Right) / 2;
    place.Y = middle;
    place.Color = valueIndex < 0 ? SeriesColor() : PointColor(valueIndex);
    place.Style = pointer_->Style();
    if (valueIndex >= 0 && OnGetPointerStyle)
        place.Style = OnGetPointerStyle(*this, valueIndex);
    place.DarkSides = dark3D_;
    pointer_->DrawPointer(canvas, place, std::min(pointer_->HorizSize(), horizLimit),
                          std::min(pointer_->VertSize(), vertLimit));
}

void TCustomSeries::PositionMark(int, TSeriesMarkPosition &position, int &z) const {
    const int lift = Marks().ArrowLength();
    position.LeftTop.ry() -= lift;
    position.ArrowTo.ry() -= lift;
    z = StartZ();
}

bool TCustomSeries::SegmentHit(int x, int y, int px, int py, int qx, int qy, int pBottom,
                               int qBottom) const {
    const TCustomAxisPanel *chart = Panel();
    if (chart && chart->View3D()) {
        const int d = chart->SeriesDepth3D();
        QPolygon ribbon;
        ribbon << QPoint(px, py) << QPoint(px + d, py - d) << QPoint(qx + d, qy - d)
               << QPoint(qx, qy);
        if (ribbon.containsPoint(QPoint(x, y), Qt::OddEvenFill))
            return true;
    } else if (x >= std::min(px, qx) && x <= std::max(px, qx) && y >= std::min(py, qy) &&
               y <= std::max(py, qy)) {
        // Twice the triangle's area against the segment's longer side: within
        // about a pixel of the line.
        const std::int64_t cross =
            std::int64_t(x - px) * (qy - py) - std::int64_t(y - py) * (qx - px);
        if (std::llabs(cross) < std::max(std::abs(qx - px), std::abs(qy - py)))
            return true;
    }
    if (!drawArea_)
        return false;
    QPolygon area;
    area << QPoint(qx, qy) << QPoint(px, py) << QPoint(px, pBottom) << QPoint(qx, qBottom);
    return area.containsPoint(QPoint(x, y), Qt::OddEvenFill);
}

int TCustomSeries::Clicked(int x, int y) {
    const int first = FirstVisibleIndex();
    const int last = LastVisibleIndex();
    if (first < 0 || last < first)
        return -1;
    int qx = 0;
    int qy = 0;
    for (int i = first; i <= last; ++i) {
        const int px = XPixel(i);
        const int py = YPixel(i);
        if (pointer_->Visible() && std::abs(px - x) < pointer_->HorizSize() &&
            std::abs(py - y) < pointer_->VertSize()) {
            if (OnClickPointer)
                OnClickPointer(*this, i, x, y);
            return i;
        }
        if (px == x && py == y)
            return i;
        if (i > first && clickableLine_ &&
            SegmentHit(x, y, px, py, qx, qy, GetOriginPos(i), GetOriginPos(i - 1)))
            return i - 1;
        qx = px;
        qy = py;
    }
    return -1;
}

TLineSeries::TLineSeries() {
    Pointer().SetVisible(false);
}

TPointSeries::TPointSeries() {
    SetDrawLine(false);
    // No line is drawn, so none can be hit.
    SetClickableLine(false);
    Marks().SetArrowLength(0);
}

TAreaSeries::TAreaSeries() {
    SetDrawArea(true);
    Pointer().SetVisible(false);
}

int TAreaSeries::GetOriginPos(int valueIndex) const {
    const TCustomAxisPanel *chart = Panel();
    if (!multiArea_ || !chart)
        return TCustomSeries::GetOriginPos(valueIndex);
    const TAreaSeries *below = nullptr;
    for (const TChartSeries *series : chart->SeriesList()) {
        if (series == this)
            break;
        if (const auto *area = dynamic_cast<const TAreaSeries *>(series); area && area->Active())
            below = area;
    }
    if (!below || valueIndex >= below->Count() || below->PointColor(valueIndex) == clNone)
        return TCustomSeries::GetOriginPos(valueIndex);
    return below->YPixel(valueIndex);
}

} // namespace pexor
