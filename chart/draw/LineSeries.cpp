#include "chart/draw/LineSeries.h"

#include "chart/Canvas3D.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

namespace pexor {

namespace {

// Points beyond this are too far off a zoomed axis to be drawn.
constexpr int kPixelLimit = 32767;

bool Drawable(int x, int y) {
    return x > -kPixelLimit && x < kPixelLimit && y > -kPixelLimit && y < kPixelLimit;
}

} // namespace

struct TCustomSeries::TDrawContext {
    TCustomAxisPanel *chart = nullptr;
    TChartCanvas3D *canvas = nullptr;
    bool is3D = false;
    TRect plot;
    int first = -1;
    int last = -1;
    // Mapped for a drawing of all points: those shown and the one before
    // them, where the line enters. Others are mapped one by one.
    TMappedPoints points;
};

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
    MapPoints(ctx.first - 1, ctx.last, ctx.points);
    if (joinSegments_ && CanJoinSegments(ctx)) {
        DrawJoinedSegments(ctx);
    } else if (DrawValuesForward()) {
        for (int i = ctx.first; i <= ctx.last; ++i)
            DrawPoint(ctx, i);
    } else {
        for (int i = ctx.last; i >= ctx.first; --i)
            DrawPoint(ctx, i);
    }
    mappedStore_ = std::move(ctx.points);
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
            DrawRibbon(ctx, x, y, FillColor(color));
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

void TCustomSeries::DrawRibbon(const TDrawContext &ctx, int x, int y, TColor fill) {
    TChartCanvas3D &canvas = *ctx.canvas;
    const int startZ = StartZ();
    const int endZ = EndZ();
    canvas.Brush().SetColor(fill);
    canvas.AssignVisiblePen(linePen_);
    if (linePen_.Visible())
        ctx.chart->CheckPrintPen(canvas.Pen());
    canvas.Brush().SetStyle(lineBrush_);
    if (!stairs_) {
        // A segment climbing more steeply than 45 degrees shows its dark side.
        if (dark3D_ && x != oldX_ && double(oldY_ - y) / double(x - oldX_) > 1.0)
            canvas.Brush().SetColor(DarkenColor(ColorToRGB(fill), 64));
        canvas.Ribbon3D(QPoint(x, y), QPoint(oldX_, oldY_), startZ, endZ);
    } else if (!invertedStairs_) {
        canvas.PlaneY(oldY_, oldX_, x, startZ, endZ);
        canvas.PlaneX(x, oldY_, y, startZ, endZ);
    } else {
        canvas.PlaneX(oldX_, oldY_, y, startZ, endZ);
        canvas.PlaneY(y, oldX_, x, startZ, endZ);
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
    if (stairs_) {
        if (invertedStairs_)
            canvas.LineTo(oldX_, y);
        else
            canvas.LineTo(x, oldY_);
    }
    canvas.LineTo(x, y);
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

bool TCustomSeries::CanJoinSegments(const TDrawContext &ctx) const {
    // Only a plain one-pixel solid line in 2D: a dash pattern could run on
    // from one line to the next.
    return !ctx.is3D && drawLine_ && !drawArea_ && !pointer_->Visible() && DrawValuesForward() &&
           linePen_.Visible() && linePen_.Style() == TPenStyle::psSolid && linePen_.Width() <= 1 &&
           ctx.canvas->ReferenceCanvas().RasterOp() == TRasterOp::Copy;
}

namespace {

// Vertical one-pixel lines that follow each other in one column, each painting
// its start and not its end, cover one unbroken span: the lowest to the
// highest start, reaching to the last end when that lies beyond them.
struct TColumnSpan {
    int x = 0;
    int lowStart = 0;
    int highStart = 0;
    int end = 0;
    int count = 0;
    QLine first;

    bool Continues(int atX, int fromY) const { return count > 0 && x == atX && end == fromY; }
    void Start(int atX, int fromY, int toY) {
        x = atX;
        lowStart = highStart = fromY;
        end = toY;
        count = 1;
        first = QLine(atX, fromY, atX, toY);
    }
    void Extend(int toY) {
        lowStart = std::min(lowStart, end);
        highStart = std::max(highStart, end);
        end = toY;
        ++count;
    }
    // The line painting the span's pixels, start included and end excluded.
    QLine Line() const {
        if (count == 1)
            return first;
        const int low = end < lowStart ? end + 1 : lowStart;
        const int high = end > highStart ? end - 1 : highStart;
        return QLine(x, low, x, high + 1);
    }
};

} // namespace

// The same walk as DrawPoint for a plain 2D line, with the segments of one
// colour handed to the surface together, and the runs of vertical segments
// within one pixel column (many points on few columns) as one line each.
void TCustomSeries::DrawJoinedSegments(const TDrawContext &ctx) {
    TChartCanvas3D &canvas = *ctx.canvas;
    std::vector<QLine> run;
    TColor runColor = clNone;
    TColumnSpan span;
    auto endSpan = [&] {
        if (span.count > 0)
            run.push_back(span.Line());
        span.count = 0;
    };
    auto flush = [&] {
        endSpan();
        if (!run.empty()) {
            canvas.AssignVisiblePen(linePen_);
            ctx.chart->CheckPrintPen(canvas.Pen());
            canvas.Brush().SetStyle(TBrushStyle::bsClear);
            canvas.Pen().SetColor(runColor);
            canvas.ReferenceCanvas().Lines(run);
        }
        run.clear();
    };
    auto segment = [&](int x, int y, TColor color) {
        if (x == oldX_ && y == oldY_)
            return;
        if (color != runColor) {
            flush();
            runColor = color;
        }
        if (!stairs_ && x == oldX_) {
            if (span.Continues(x, oldY_)) {
                span.Extend(y);
            } else {
                endSpan();
                span.Start(x, oldY_, y);
            }
            return;
        }
        endSpan();
        if (!stairs_) {
            run.emplace_back(oldX_, oldY_, x, y);
        } else if (invertedStairs_) {
            run.emplace_back(oldX_, oldY_, oldX_, y);
            run.emplace_back(oldX_, y, x, y);
        } else {
            run.emplace_back(oldX_, oldY_, x, oldY_);
            run.emplace_back(x, oldY_, x, y);
        }
    };

    for (int i = ctx.first; i <= ctx.last; ++i) {
        const QPoint at = PixelOf(ctx, i);
        const int x = at.x();
        const int y = at.y();
        if (!Drawable(x, y))
            continue;
        const TColor color = PointColor(i);
        if (oldColor_ == clNone) {
            oldX_ = x;
            oldY_ = y;
        }
        if (i == ctx.first) {
            if (i > 0) {
                const int previous = i - 1;
                const QPoint from = EdgeEntry(ctx, previous, i);
                oldX_ = from.x();
                oldY_ = from.y();
                if (PointColor(previous) != clNone && color != clNone)
                    segment(x, y, color);
            }
        } else if (color != clNone) {
            segment(x, y, color);
        }
        oldX_ = x;
        oldY_ = y;
        oldColor_ = color;
        oldIndex_ = i;
    }
    flush();
    canvas.Pen().SetColor(clBlack);
    canvas.Brush().SetColor(oldColor_);
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
