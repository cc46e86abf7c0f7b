#include "chart/draw/OtherSeries.h"

#include "chart/Canvas3D.h"

#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace pexor {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr int kPixelLimit = 32767;

bool Drawable(int x, int y) {
    return x > -kPixelLimit && x < kPixelLimit && y > -kPixelLimit && y < kPixelLimit;
}

} // namespace

// ---- bars

TCustomBarSeries::TCustomBarSeries() {
    barPen_.OnChange = [this](TChartPen &) { Repaint(); };
}

void TCustomBarSeries::SetBarWidthPercent(int value) {
    value = std::clamp(value, 1, 100);
    if (value == barWidthPercent_)
        return;
    barWidthPercent_ = value;
    Repaint();
}

void TCustomBarSeries::SetDark3D(bool value) {
    if (value == dark3D_)
        return;
    dark3D_ = value;
    Repaint();
}

int TCustomBarSeries::BarSize() const {
    const TCustomAxisPanel *chart = Panel();
    if (!chart)
        return 0;
    const int room = Vertical() ? chart->PlotWidth() : chart->PlotHeight();
    const int slot = room / std::max(1, Count());
    return std::max(1, slot * barWidthPercent_ / 100);
}

TRect TCustomBarSeries::BarRect(int valueIndex) const {
    const TCustomAxisPanel *chart = Panel();
    if (!chart)
        return TRect();
    const TRect &plot = chart->PlotRect();
    const int size = BarSize();
    if (Vertical()) {
        const ISeriesAxis *axis = GetVertAxis();
        const int origin =
            axis ? std::clamp(axis->ValueToPixel(0), plot.Top, plot.Bottom) : plot.Bottom;
        const int x = XPixel(valueIndex);
        const int y = YPixel(valueIndex);
        const int left = x - size / 2;
        return TRect(left, std::min(y, origin), left + size, std::max(y, origin));
    }
    const ISeriesAxis *axis = GetHorizAxis();
    const int origin = axis ? std::clamp(axis->ValueToPixel(0), plot.Left, plot.Right) : plot.Left;
    const int x = XPixel(valueIndex);
    const int y = YPixel(valueIndex);
    const int top = y - size / 2;
    return TRect(std::min(x, origin), top, std::max(x, origin), top + size);
}

void TCustomBarSeries::DrawValue(int valueIndex) {
    TCustomAxisPanel *chart = Panel();
    const TColor color = PointColor(valueIndex);
    if (!chart || color == clNone)
        return;
    const TRect bar = BarRect(valueIndex);
    if (!Drawable(bar.Left, bar.Top) || !Drawable(bar.Right, bar.Bottom))
        return;
    TChartCanvas3D &canvas = chart->Canvas();
    canvas.AssignVisiblePen(barPen_);
    if (barPen_.Visible())
        chart->CheckPrintPen(canvas.Pen());
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.Brush().SetColor(color);
    if (chart->View3D())
        canvas.Box(bar.Left, bar.Right, bar.Top, bar.Bottom, StartZ(), EndZ(), dark3D_);
    else
        canvas.Rectangle(bar.Left, bar.Top, bar.Right + 1, bar.Bottom + 1);
}

int TCustomBarSeries::Clicked(int x, int y) {
    const int first = FirstVisibleIndex();
    const int last = LastVisibleIndex();
    if (first < 0 || !Panel())
        return -1;
    for (int i = first; i <= last; ++i) {
        const TRect bar = BarRect(i);
        if (PointColor(i) != clNone && x >= bar.Left && x <= bar.Right && y >= bar.Top &&
            y <= bar.Bottom)
            return i;
    }
    return -1;
}

void TCustomBarSeries::CalcHorizMargins(int &left, int &right) const {
    left = right = Vertical() ? BarSize() / 2 + 1 : 0;
}

void TCustomBarSeries::CalcVerticalMargins(int &top, int &bottom) const {
    top = bottom = Vertical() ? 0 : BarSize() / 2 + 1;
}

TBarSeries::TBarSeries() {
    YValues().SetName(QStringLiteral("Histogramme"));
}

THorizBarSeries::THorizBarSeries() {
    XValues().SetOrder(TChartListOrder::loNone);
    YValues().SetOrder(TChartListOrder::loAscending);
}

// ---- circled and pie

TCircledSeries::TCircledSeries() {
    // Every point is drawn, whatever the axes show.
    XValues().SetOrder(TChartListOrder::loNone);
}

void TCircledSeries::SetCircled(bool value) {
    if (value == circled_)
        return;
    circled_ = value;
    Repaint();
}

void TCircledSeries::CalcCircle() {
    const TCustomAxisPanel *chart = Panel();
    if (!chart)
        return;
    const TRect &plot = chart->PlotRect();
    xCenter_ = (plot.Left + plot.Right) / 2;
    yCenter_ = (plot.Top + plot.Bottom) / 2;
    xRadius_ = std::max(0, plot.Width() / 2 - 1);
    yRadius_ = std::max(0, plot.Height() / 2 - 1);
    if (circled_)
        xRadius_ = yRadius_ = std::min(xRadius_, yRadius_);
}

bool TPieOtherSlice::Groups(double value, double total) const {
    switch (style_) {
    case TPieOtherStyle::poNone:
        return false;
    case TPieOtherStyle::poBelowPercent:
        return total > 0 && value * 100.0 / total < value_;
    case TPieOtherStyle::poBelowValue:
        return value < value_;
    }
    return false;
}

TPieSeries::TPieSeries() {
    SetColorEachPoint(true);
    piePen_.OnChange = [this](TChartPen &) { Repaint(); };
}

void TPieSeries::SetDark3D(bool value) {
    if (value == dark3D_)
        return;
    dark3D_ = value;
    Repaint();
}

void TPieSeries::CalcAngles() {
    const int count = Count();
    angles_.assign(std::size_t(count) + 1, 0.0);
    hasOther_ = false;
    double total = 0;
    for (int i = 0; i < count; ++i)
        if (PointColor(i) != clNone)
            total += std::abs(YValue(i));
    if (total <= 0)
        return;
    // Own slices first, then the grouped ones as one slice at the end.
    double angle = 0;
    double grouped = 0;
    for (int i = 0; i < count; ++i) {
        angles_[std::size_t(i)] = angle;
        const double value = std::abs(YValue(i));
        if (PointColor(i) == clNone)
            continue;
        if (otherSlice_.Groups(value, total))
            grouped += value;
        else
            angle += kTwoPi * value / total;
    }
    angles_[std::size_t(count)] = angle;
    otherStart_ = angle;
    hasOther_ = grouped > 0;
}

double TPieSeries::StartAngle(int valueIndex) const {
    return valueIndex >= 0 && std::size_t(valueIndex) < angles_.size()
               ? angles_[std::size_t(valueIndex)]
               : 0;
}

double TPieSeries::EndAngle(int valueIndex) const {
    return valueIndex >= 0 && std::size_t(valueIndex) + 1 < angles_.size()
               ? angles_[std::size_t(valueIndex) + 1]
               : StartAngle(valueIndex);
}

void TPieSeries::DrawSlice(double start, double end, TColor color) {
    TCustomAxisPanel *chart = Panel();
    if (!chart || end <= start)
        return;
    TChartCanvas3D &canvas = chart->Canvas();
    canvas.AssignVisiblePen(piePen_);
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.Brush().SetColor(color);
    const bool is3D = chart->View3D();
    canvas.Pie3D(CircleXCenter(), CircleYCenter(), XRadius(), YRadius(), StartZ(),
                 is3D ? EndZ() : StartZ(), start, end, dark3D_);
}

void TPieSeries::DrawAllValues() {
    if (!Panel() || Count() == 0)
        return;
    CalcCircle();
    CalcAngles();
    for (int i = 0; i < Count(); ++i)
        DrawValue(i);
    if (hasOther_)
        DrawSlice(otherStart_, kTwoPi, otherSlice_.Color());
}

TColor TPieSeries::SliceColor(int valueIndex) const {
    const TColor color = PointColor(valueIndex);
    // Slices without a colour of their own take the palette in turn.
    return ColorEachPoint() && color == SeriesColor() ? PaletteColor(valueIndex) : color;
}

void TPieSeries::DrawValue(int valueIndex) {
    if (PointColor(valueIndex) != clNone)
        DrawSlice(StartAngle(valueIndex), EndAngle(valueIndex), SliceColor(valueIndex));
}

int TPieSeries::Clicked(int x, int y) {
    if (XRadius() <= 0 || YRadius() <= 0)
        return -1;
    const double dx = double(x - CircleXCenter()) / XRadius();
    const double dy = double(CircleYCenter() - y) / YRadius();
    if (dx * dx + dy * dy > 1.0)
        return -1;
    double angle = std::atan2(dy, dx);
    if (angle < 0)
        angle += kTwoPi;
    for (int i = 0; i < Count(); ++i)
        if (PointColor(i) != clNone && angle >= StartAngle(i) && angle < EndAngle(i))
            return i;
    return -1;
}

// ---- fast line

TFastLineSeries::TFastLineSeries() {
    linePen_.OnChange = [this](TChartPen &) { Repaint(); };
}

void TFastLineSeries::PreparePen(TCustomAxisPanel &chart) const {
    TChartCanvas3D &canvas = chart.Canvas();
    canvas.AssignVisiblePen(linePen_);
    if (linePen_.Visible()) {
        chart.CheckPrintPen(canvas.Pen());
        canvas.Pen().SetColor(SeriesColor());
    }
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
}

void TFastLineSeries::DrawAllValues() {
    TCustomAxisPanel *chart = Panel();
    const int first = FirstVisibleIndex();
    const int last = LastVisibleIndex();
    if (!chart || first < 0 || last < first)
        return;
    PreparePen(*chart);
    TChartCanvas3D &canvas = chart->Canvas();
    const int z = StartZ();
    QPolygon run;
    auto flush = [&] {
        if (run.size() >= 2)
            canvas.Polyline(run);
        run.resize(0);
    };
    for (int i = first; i <= last; ++i) {
        const int x = XPixel(i);
        const int y = YPixel(i);
        // A null point or one far off the axes breaks the line.
        if (PointColor(i) == clNone || !Drawable(x, y)) {
            flush();
            continue;
        }
        const QPoint p = canvas.Project(x, y, z);
        if (run.isEmpty() || run.last() != p)
            run << p;
    }
    flush();
}

void TFastLineSeries::DrawValue(int valueIndex) {
    TCustomAxisPanel *chart = Panel();
    if (!chart || valueIndex < 1 || PointColor(valueIndex) == clNone ||
        PointColor(valueIndex - 1) == clNone)
        return;
    const int x0 = XPixel(valueIndex - 1);
    const int y0 = YPixel(valueIndex - 1);
    const int x1 = XPixel(valueIndex);
    const int y1 = YPixel(valueIndex);
    if (!Drawable(x0, y0) || !Drawable(x1, y1))
        return;
    PreparePen(*chart);
    chart->Canvas().Line3D(x0, y0, x1, y1, StartZ());
}

void TFastLineSeries::PrepareLegendCanvas(TChartCanvas3D &canvas, int, TColor &,
                                          TBrushStyle &brushStyle) {
    canvas.AssignVisiblePen(linePen_);
    canvas.Pen().SetColor(SeriesColor());
    brushStyle = TBrushStyle::bsClear;
}

void TFastLineSeries::DrawLegendShape(TChartCanvas3D &canvas, int, const TRect &rect, TColor) {
    const int middle = (rect.Top + rect.Bottom) / 2;
    canvas.Line(rect.Left, middle, rect.Right, middle);
}

} // namespace pexor
