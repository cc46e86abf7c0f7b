#include "app/CurveSettings.h"

#include "chart/Chart.h"
#include "chart/panel/Legend.h"
#include "chart/Series.h"

namespace pexor {

void ConfigureCurveChart(TCustomChart &chart) {
    chart.SetBevelOuter(TBevelCut::bvLowered);
    chart.SetBorderStyle(TBorderStyle::bsSingle);
    chart.Title().SetText({QStringLiteral("Courbe de TP (%)")});
    chart.BackWall().Brush().SetStyle(TBrushStyle::bsClear);
    chart.Legend().SetShadowSize(2);
}

void ConfigureCurveSeries(TLineSeries &series) {
    series.SetSeriesColor(clRed);
    series.SetShowInLegend(false);
    series.Marks().SetVisible(false);
    series.Marks().SetArrowLength(8);
    series.Pointer().SetVisible(false);
    series.Pointer().SetStyle(TSeriesPointerStyle::psRectangle);
    series.Pointer().SetInflateMargins(true);
    for (TChartValueList *list : {&series.XValues(), &series.YValues()}) {
        list->SetMultiplier(1.0);
        list->SetDateTime(false);
    }
    series.XValues().SetName(QStringLiteral("X"));
    series.XValues().SetOrder(TChartListOrder::loAscending);
    series.YValues().SetName(QStringLiteral("Y"));
    series.YValues().SetOrder(TChartListOrder::loNone);
}

void ScrollAxis(TCustomChartAxis &axis, double percent) {
    const double minimum = axis.Minimum();
    const double maximum = axis.Maximum();
    const double shift = (maximum - minimum) / (100.0 / percent);
    axis.SetMinMax(minimum + shift, maximum + shift);
}

void ScrollHorizontal(TCustomChart &chart, double percent) {
    ScrollAxis(chart.TopAxis(), percent);
    ScrollAxis(chart.BottomAxis(), percent);
}

void ScrollVertical(TCustomChart &chart, double percent) {
    ScrollAxis(chart.LeftAxis(), percent);
    ScrollAxis(chart.RightAxis(), percent);
}

} // namespace pexor
