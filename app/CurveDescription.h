#pragma once

#include <QString>

namespace pexor {

class TChart;
class TChartSeries;
class TCustomChart;

// What a screen reader says of the TP curve: "Courbe de TP : 7 valeurs du
// 01/09/2026 au 01/12/2026, de 25 à 80 %", followed, when a zoom or a scroll
// shows only part of it, by the readings in view and the scale.
QString CurveDescription(const TCustomChart &chart, const TChartSeries &series);

// One reading of the curve: "01/09/2026 : TP 25 %".
QString CurvePointText(const TChartSeries &series, int index);

// Names the TP chart for screen readers and has it described by the texts
// above, always from the curve as it stands.
void DescribeCurveChart(TChart &chart, const TChartSeries &series);

} // namespace pexor
