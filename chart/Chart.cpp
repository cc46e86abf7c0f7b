#include "chart/Chart.h"

#include "chart/draw/SeriesMarksDraw.h"

#include <algorithm>

namespace pexor {

namespace {

// The canvas draws flat while the scope lives.
class FlatScope {
public:
    explicit FlatScope(TChartCanvas3D &canvas) : canvas_(canvas) { canvas_.BeginFlat(); }
    ~FlatScope() { canvas_.EndFlat(); }
    FlatScope(const FlatScope &) = delete;
    FlatScope &operator=(const FlatScope &) = delete;

private:
    TChartCanvas3D &canvas_;
};

} // namespace

TCustomChart::TCustomChart()
    : title_(std::make_unique<TChartTitle>(this)), foot_(std::make_unique<TChartTitle>(this)),
      gradient_(std::make_unique<TChartGradient>()),
      backWall_(std::make_unique<TChartWall>(clAutoColor)),
      leftWall_(std::make_unique<TChartWall>(0x0080FFFF)),
      legend_(std::make_unique<TChartLegend>(this)),
      bottomWall_(std::make_unique<TChartWall>(clWhite)), zoom_(*this, *this),
      mouse_(*this, zoom_, *this, {*legend_, *title_, *foot_}), print_(*this, *this, *this) {
    backWall_->Brush().SetStyle(TBrushStyle::bsClear);
    gradient_->OnChange = [this](TChartGradient &) { Invalidate(); };
    for (TChartWall *wall : {backWall_.get(), leftWall_.get(), bottomWall_.get()})
        wall->OnChange = [this](TChartWall &) { Invalidate(); };
}

TCustomChart::~TCustomChart() = default;

void TCustomChart::SetLegend(const TChartLegend &value) {
    legend_->Assign(value);
}

QString TCustomChart::GetLegendValueText(const TChartSeries &series, int valueIndex) const {
    return legend_->PointText(series, valueIndex);
}

void TCustomChart::SetBackImage(const QImage &value) {
    if (backImage_ == value)
        return;
    backImage_ = value;
    Invalidate();
}

void TCustomChart::SetBackColor(TColor value) {
    backWall_->SetColor(value);
    backWall_->Brush().SetStyle(TBrushStyle::bsSolid);
}

void TCustomChart::PaintWindow(pexor::Canvas &window) {
    RequestAnswered();
    if (Printing())
        return;
    // The window canvas lives only while the paint lasts.
    struct Attach {
        TCustomChart &chart;
        Attach(TCustomChart &c, pexor::Canvas &w) : chart(c) {
            chart.windowCanvas_ = &w;
            chart.Canvas().SetSurface(&w);
        }
        ~Attach() {
            chart.windowCanvas_ = nullptr;
            chart.Canvas().SetSurface(nullptr);
        }
    } attach(*this, window);
    if (!Canvas().RepaintFromCache())
        Draw(window, GetChartRectangle());
}

void TCustomChart::Draw(pexor::Canvas &canvas, const TRect &rect) {
    // The picture is made afresh (and no longer stale once shown), so a
    // change during or after this drawing must mark it stale again.
    RequestAnswered();
    TChartCanvas3D &chartCanvas = Canvas();
    SetDrawRect(chartCanvas.Prepare(canvas, &View3DOptions(), rect, View3D()));
    CalcPlotRectFromMargins();
    DrawChart();
    chartCanvas.ShowPicture(canvas, windowCanvas_, QPoint(rect.Left, rect.Top));
}

void TCustomChart::DrawChart() {
    const TRect drawRect = DrawRect();
    DrawPanel(drawRect);
    NotifyDrawingBegins();
    DrawTitlesAndLegend();
    CalcSeriesZOrder();
    CalcAxisRoom();
    CalcSeriesDepths();
    CalcSeriesMargins();
    Canvas().SetProjection(Depth3D(), drawRect, PlotRect());
    DrawWalls();
    DrawAxes();
    DrawAllSeries();
    if (zoom_.Drag().Active)
        DrawZoomRectangle();
    Canvas().ResetState();
    if (OnAfterDraw)
        OnAfterDraw(*this);
}

void TCustomChart::NotifyDrawingBegins() {
    for (TChartSeries *series : SeriesList())
        if (series->Active())
            series->DrawingBegins();
}

void TCustomChart::DrawTitlesAndLegend() {
    FlatScope flat(Canvas());
    if (!legend_->Visible() || CountActiveSeries() == 0) {
        DrawTitles();
        return;
    }
    const TLegendAlignment alignment = legend_->Alignment();
    const bool sideways =
        alignment == TLegendAlignment::laLeft || alignment == TLegendAlignment::laRight;
    if (sideways) {
        legend_->DrawLegend();
        DrawTitles();
    } else {
        DrawTitles();
        legend_->DrawLegend();
    }
}

void TCustomChart::DrawTitles() {
    if (title_->Visible())
        title_->Draw(true);
    if (foot_->Visible())
        foot_->Draw(false);
}

void TCustomChart::DrawWalls() {
    TChartCanvas3D &canvas = Canvas();
    const TRect plot = PlotRect();
    const int depth = Depth3D();
    const int bottomEdge = plot.Bottom + AxisWallSize(BottomAxis());

    backWall_->Prepare(canvas);
    if (!View3D())
        canvas.Rectangle(plot.Left, plot.Top, plot.Right + 1, plot.Bottom);
    else if (View3DWalls() && backWall_->Size() > 0)
        canvas.Box(plot.Left - AxisWallSize(LeftAxis()), plot.Right, plot.Top, bottomEdge, depth,
                   depth + backWall_->Size(), backWall_->DarkSides());
    else
        canvas.RectAt(TRect(plot.Left + 1, plot.Top - 1, plot.Right, plot.Bottom), depth);

    if (!backImage_.isNull() && backImageInside_)
        DrawBackImage(plot);

    if (!View3D() || !View3DWalls())
        return;
    leftWall_->Prepare(canvas);
    const int left = leftWall_->Size();
    if (left < 1)
        canvas.PlaneX(plot.Left, plot.Top, bottomEdge, 0, depth + 1);
    else
        canvas.Box(plot.Left - left, plot.Left, plot.Top, bottomEdge, 0, depth + 1,
                   leftWall_->DarkSides());

    bottomWall_->Prepare(canvas);
    const int bottom = bottomWall_->Size();
    if (bottom < 1)
        canvas.PlaneY(plot.Bottom, plot.Left, plot.Right, 0, depth);
    else
        canvas.Box(plot.Left, plot.Right, plot.Bottom, plot.Bottom + bottom, 0, depth,
                   bottomWall_->DarkSides());
}

void TCustomChart::DrawAllSeries() {
    std::vector<TChartSeries *> drawn;
    const std::vector<TChartSeries *> list = SeriesList();
    for (std::size_t i = 0; i < list.size(); ++i) {
        TChartSeries *series = list[i];
        if (!series->Active() || std::find(drawn.begin(), drawn.end(), series) != drawn.end())
            continue;
        std::vector<TChartSeries *> group{series};
        if (View3D())
            for (std::size_t j = i + 1; j < list.size(); ++j)
                if (list[j]->Active() && list[j]->ZOrder() == series->ZOrder())
                    group.push_back(list[j]);
        if (group.size() == 1)
            DrawSeries(*series);
        else
            DrawSeriesGroup(group);
        drawn.insert(drawn.end(), group.begin(), group.end());
    }
}

void TCustomChart::DrawSeries(TChartSeries &series) {
    series.CalcVisibleRange();
    if (series.FirstVisibleIndex() == -1)
        return;
    series.DoBeforeDrawValues();
    {
        ClipScope clip(Canvas().ReferenceCanvas());
        if (ClipPoints())
            Canvas().ClipBox(PlotRect(), 0, Depth3D());
        series.DrawAllValues();
    }
    DrawSeriesMarks(series);
    series.DoAfterDrawValues();
}

void TCustomChart::DrawSeriesGroup(const std::vector<TChartSeries *> &group) {
    std::vector<TChartSeries *> visible;
    int first = -1;
    int last = -1;
    for (TChartSeries *member : group) {
        member->CalcVisibleRange();
        if (member->FirstVisibleIndex() == -1)
            continue;
        visible.push_back(member);
        member->DoBeforeDrawValues();
        first = first == -1 ? member->FirstVisibleIndex()
                            : std::min(first, member->FirstVisibleIndex());
        last = std::max(last, member->LastVisibleIndex());
    }
    TChartSeries &lead = *group.front();
    if (first != -1) {
        ClipScope clip(Canvas().ReferenceCanvas());
        if (ClipPoints())
            Canvas().ClipBox(PlotRect(), 0, Depth3D());
        const bool forward = lead.DrawValuesForward();
        for (int k = 0; k <= last - first; ++k) {
            const int index = forward ? first + k : last - k;
            const bool inListOrder = lead.DrawSeriesForward(index);
            for (std::size_t m = 0; m < group.size(); ++m) {
                TChartSeries &member = *group[inListOrder ? m : group.size() - 1 - m];
                if (member.Count() > index)
                    member.DrawValue(index);
            }
        }
    }
    for (TChartSeries *member : visible) {
        DrawSeriesMarks(*member);
        member->DoAfterDrawValues();
    }
}

void TCustomChart::DrawSeriesMarks(TChartSeries &series) {
    TSeriesMarks &marks = series.Marks();
    if (!marks.Visible())
        return;
    ClipScope clip(Canvas().ReferenceCanvas());
    if (marks.Clip())
        Canvas().ClipBox(PlotRect(), 0, Depth3D());
    DrawMarks(series, *this);
}

void TCustomChart::DrawZoomRectangle() {
    pexor::Canvas &canvas = Canvas().ReferenceCanvas();
    PenScope pen(canvas);
    BrushScope brush(canvas);
    TColor color = ColorToRGB(Color());
    if (color == clWhite)
        color = clRed;
    canvas.SetPen(TPen(color, 1, TPenStyle::psSolid));
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    canvas.SetRasterOp(TRasterOp::NotXor);
    const TZoomPanningRecord &drag = zoom_.Drag();
    canvas.Rectangle(drag.X0, drag.Y0, drag.X1, drag.Y1);
    canvas.SetRasterOp(TRasterOp::Copy);
}

} // namespace pexor
