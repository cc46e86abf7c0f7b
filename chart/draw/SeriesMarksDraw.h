#pragma once

namespace pexor {

class TChartSeries;
class TCustomChartPanel;

// Draws the marks of the series' visible points (when its marks are visible)
// on the chart's canvas: arrow, box and text of each point that is not null
// and has a mark text. Each computed position is stored in the marks'
// position list; a position marked custom there is used as it stands.
void DrawMarks(TChartSeries &series, TCustomChartPanel &chart);

} // namespace pexor
