#pragma once

#include "app/InrTarget.h"
#include "app/ReportReadings.h"
#include "render/Color.h"

#include <vector>

namespace pexor {

class TChart;

// The report's charts have this client size: about their printed size on
// the page at screen resolution, so their text prints at its screen size.
inline constexpr int kReportChartWidth = 680;
inline constexpr int kReportChartHeight = 305;

// The colour of the target band behind the INR curve.
inline constexpr TColor kInrTargetBandColor = 0xC8F0C8;

// The TP curve of the report on chart (empty, of the report's size): the
// window's chart settings, one point per dated reading with a whole-number
// TP at its date, labelled with the date, on a white background.
void BuildReportTpChart(TChart &chart, const std::vector<ReportReading> &readings);

// The INR curve the same way, one point per dated numeric INR, titled
// "Courbe de l'INR", its value axis wide enough for the target, whose band
// is shaded on the back wall behind the curve.
void BuildReportInrChart(TChart &chart, const std::vector<ReportReading> &readings,
                         const InrTarget &target);

} // namespace pexor
