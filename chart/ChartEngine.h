#pragma once

// The chart engine's data side: value lists, series and their marks, and the
// chart-side interfaces a series talks to.
#include "chart/ChartException.h"
#include "chart/ChartSeries.h"
#include "chart/ChartValueList.h"
#include "chart/SeriesChart.h"
#include "chart/SeriesMarks.h"

// The axes and the axis panel that owns them with the series.
#include "chart/AxisLabels.h"
#include "chart/AxisPanel.h"
#include "chart/ChartAxis.h"
