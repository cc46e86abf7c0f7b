#include "chart/interaction/ChartZoom.h"

#include "chart/panel/AxisPanel.h"
#include "platform/StoreIfChanged.h"

namespace pexor {

namespace {

struct TZoomTarget {
    TCustomChartAxis *axis;
    double min;
    double max;
};

// The four side axes with their SavedScales slot.
std::array<TCustomChartAxis *, 4> SideAxes(TCustomAxisPanel &chart) {
    return {&chart.TopAxis(), &chart.LeftAxis(), &chart.RightAxis(), &chart.BottomAxis()};
}

} // namespace

TChartZoom::TChartZoom(TCustomAxisPanel &panel, IChartWindow &window)
    : panel_(panel), window_(window) {}

// A changed setting asks for a repaint, as the chart's own settings do.
void TChartZoom::SetAnimatedZoom(bool value) {
    if (StoreIfChanged(animatedZoom_, value))
        panel_.Invalidate();
}

void TChartZoom::SetAnimatedZoomSteps(int value) {
    if (StoreIfChanged(animatedZoomSteps_, value))
        panel_.Invalidate();
}

void TChartZoom::SaveScales() {
    if (scalesSaved_)
        return;
    const auto axes = SideAxes(panel_);
    for (std::size_t i = 0; i < axes.size(); ++i) {
        const TCustomChartAxis &axis = *axes[i];
        savedScales_[i] = TAxisScale{axis.Automatic(), axis.AutomaticMinimum(),
                                     axis.AutomaticMaximum(), axis.Minimum(), axis.Maximum()};
    }
    scalesSaved_ = true;
}

void TChartZoom::ApplyZoomRanges(double topMin, double topMax, double bottomMin, double bottomMax,
                                 double leftMin, double leftMax, double rightMin, double rightMax) {
    TCustomAxisPanel &chart = panel_;
    SaveScales();
    const TZoomTarget targets[] = {{&chart.LeftAxis(), leftMin, leftMax},
                                   {&chart.RightAxis(), rightMin, rightMax},
                                   {&chart.TopAxis(), topMin, topMax},
                                   {&chart.BottomAxis(), bottomMin, bottomMax}};
    if (animatedZoom_) {
        for (int step = 1; step < animatedZoomSteps_; ++step) {
            for (const TZoomTarget &t : targets) {
                const double min = t.axis->Minimum();
                const double max = t.axis->Maximum();
                t.axis->SetMinMax(min + (t.min - min) / AnimatedZoomFactor,
                                  max - (max - t.max) / AnimatedZoomFactor);
            }
            RedrawNow();
        }
    }
    for (const TZoomTarget &t : targets)
        t.axis->SetMinMax(t.min, t.max);
    if (OnZoom)
        OnZoom(chart);
}

void TChartZoom::ZoomByPercent(double percent) {
    TCustomAxisPanel &chart = panel_;
    // Left, right, top, bottom.
    TCustomChartAxis *axes[] = {&chart.LeftAxis(), &chart.RightAxis(), &chart.TopAxis(),
                                &chart.BottomAxis()};
    double mins[4];
    double maxs[4];
    for (int i = 0; i < 4; ++i) {
        const TCustomChartAxis &axis = *axes[i];
        double min = axis.Minimum();
        double max = axis.Maximum();
        // An automatic end zooms from the series' extremes, as the
        // automatic range is built from them.
        double low = 0;
        double high = 0;
        axis.ChartRange(low, high);
        if (axis.Automatic() || axis.AutomaticMaximum())
            max = high;
        if (axis.Automatic() || axis.AutomaticMinimum())
            min = low;
        const double d = (max - min) * (percent - 100) / 100;
        mins[i] = min + d;
        maxs[i] = max - d;
    }
    ApplyZoomRanges(mins[2], maxs[2], mins[3], maxs[3], mins[0], maxs[0], mins[1], maxs[1]);
    RedrawNow();
}

void TChartZoom::UndoZoom() {
    TCustomAxisPanel &chart = panel_;
    if (scalesSaved_) {
        // Top, bottom, left, right.
        const std::pair<TCustomChartAxis *, TSavedScaleIndex> order[] = {
            {&chart.TopAxis(), ssTop},
            {&chart.BottomAxis(), ssBottom},
            {&chart.LeftAxis(), ssLeft},
            {&chart.RightAxis(), ssRight}};
        for (const auto &[axis, index] : order) {
            const TAxisScale &saved = savedScales_[std::size_t(index)];
            axis->SetAutomatic(saved.Automatic);
            axis->SetAutomaticMinimum(saved.AutomaticMinimum);
            axis->SetAutomaticMaximum(saved.AutomaticMaximum);
            if (!axis->Automatic())
                axis->SetMinMax(saved.Minimum, saved.Maximum);
        }
    }
    scalesSaved_ = false;
    if (OnUndoZoom)
        OnUndoZoom(chart);
    chart.Invalidate();
}

void TChartZoom::ZoomToDraggedRect() {
    TCustomAxisPanel &chart = panel_;
    TZoomPanningRecord &drag = drag_;
    drag.Normalise();
    const TCustomChartAxis &left = chart.LeftAxis();
    const TCustomChartAxis &right = chart.RightAxis();
    const TCustomChartAxis &top = chart.TopAxis();
    const TCustomChartAxis &bottom = chart.BottomAxis();
    ApplyZoomRanges(top.PixelToValue(drag.X0), top.PixelToValue(drag.X1),
                    bottom.PixelToValue(drag.X0), bottom.PixelToValue(drag.X1),
                    left.PixelToValue(drag.Y1), left.PixelToValue(drag.Y0),
                    right.PixelToValue(drag.Y1), right.PixelToValue(drag.Y0));
}

void TChartZoom::PanAxis(TCustomChartAxis &axis, int fromPixel, int toPixel) {
    const double d = axis.PixelToValue(fromPixel) - axis.PixelToValue(toPixel);
    double min = axis.Minimum() + d;
    double max = axis.Maximum() + d;
    bool allow = true;
    if (OnAllowScroll)
        OnAllowScroll(axis, min, max, allow);
    if (allow)
        axis.SetMinMax(min, max);
}

void TChartZoom::RedrawNow() {
    panel_.Invalidate();
    window_.UpdateWindow();
}

void DrawZoomFrame(Canvas &canvas, TColor chartColor, const TRect &frame) {
    PenScope pen(canvas);
    BrushScope brush(canvas);
    const TRasterOp op = canvas.RasterOp();
    TColor color = ColorToRGB(chartColor);
    if (color == clWhite)
        color = clRed;
    canvas.SetPen(TPen(color, 1, TPenStyle::psSolid));
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    canvas.SetRasterOp(TRasterOp::NotXor);
    canvas.Rectangle(frame.Left, frame.Top, frame.Right, frame.Bottom);
    canvas.SetRasterOp(op);
}

} // namespace pexor
