#pragma once

namespace pexor {

class TCustomChart;
class TCustomChartAxis;
class TLineSeries;

// The TP curve's chart as the window shows it: lowered outer bevel, single
// border, title "Courbe de TP (%)", clear back wall, legend shadow 2.
void ConfigureCurveChart(TCustomChart &chart);
// The TP curve: red, not in the legend, marks and pointer hidden, value
// lists "X" ascending and "Y" unordered.
void ConfigureCurveSeries(TLineSeries &series);

// Shifts the axis' range by percent of its span (lower bound first).
void ScrollAxis(TCustomChartAxis &axis, double percent);
// Top axis, then bottom axis.
void ScrollHorizontal(TCustomChart &chart, double percent);
// Left axis, then right axis.
void ScrollVertical(TCustomChart &chart, double percent);

} // namespace pexor
