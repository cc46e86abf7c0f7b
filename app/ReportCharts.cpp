#include "app/ReportCharts.h"

#include "app/CurveSettings.h"
#include "app/ReadingsEntry.h"
#include "chart/ChartWidget.h"
#include "chart/Series.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace pexor {

namespace {

// The chart's one line series, set up as the window's curve but with its
// points shown, so that a lone reading is still seen.
TLineSeries &AddCurve(TChart &chart, TColor color) {
    chart.resize(kReportChartWidth, kReportChartHeight);
    ConfigureCurveChart(chart);
    chart.SetColor(clWhite);
    auto series = std::make_unique<TLineSeries>();
    ConfigureCurveSeries(*series);
    series->SetSeriesColor(color);
    series->Pointer().SetVisible(true);
    TLineSeries &curve = chart.AddSeries(std::move(series));
    chart.Loaded();
    return curve;
}

// Fills the plot's back wall between the target's bounds, before the curve
// is drawn over it.
void ShadeTargetBand(TChart &chart, const InrTarget &target) {
    TChartCanvas3D &canvas = chart.Canvas();
    Canvas &surface = canvas.ReferenceCanvas();
    PenScope pen(surface);
    BrushScope brush(surface);
    surface.SetPen(TPen(kInrTargetBandColor, 1, TPenStyle::psClear));
    surface.SetBrush(TBrush(kInrTargetBandColor));
    const TRect &plot = chart.PlotRect();
    const int top = chart.LeftAxis().ValueToPixel(target.Max);
    const int bottom = chart.LeftAxis().ValueToPixel(target.Min);
    canvas.RectAt(TRect(plot.Left, top, plot.Right, bottom), chart.Depth3D());
}

} // namespace

void BuildReportTpChart(TChart &chart, const std::vector<ReportReading> &readings) {
    TLineSeries &curve = AddCurve(chart, clRed);
    for (const ReportReading &reading : readings)
        if (reading.Date && reading.Tp)
            curve.AddXY(*reading.Date, double(*reading.Tp), reading.DateText, kReadingPointColor);
}

void BuildReportInrChart(TChart &chart, const std::vector<ReportReading> &readings,
                         const InrTarget &target) {
    TLineSeries &curve = AddCurve(chart, clNavy);
    chart.Title().SetText({QStringLiteral("Courbe de l'INR")});
    double low = target.Min;
    double high = target.Max;
    for (const ReportReading &reading : readings) {
        if (!reading.Date || !reading.Inr)
            continue;
        curve.AddXY(*reading.Date, *reading.Inr, reading.DateText, clNavy);
        low = std::min(low, *reading.Inr);
        high = std::max(high, *reading.Inr);
    }
    // Half a unit around the readings and the target, on whole halves.
    chart.LeftAxis().SetMinMax(std::max(0.0, std::floor(low * 2.0 - 1.0) / 2.0),
                               std::ceil(high * 2.0 + 1.0) / 2.0);
    curve.BeforeDrawValues = [&chart, target](TChartSeries &) { ShadeTargetBand(chart, target); };
}

} // namespace pexor
