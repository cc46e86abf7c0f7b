#pragma once

// The chart engine's data side: value lists, series and their marks, and the
// chart-side interfaces a series talks to.
#include "chart/ChartException.h"
#include "chart/series/ChartSeries.h"
#include "chart/series/ChartValueList.h"
#include "chart/series/SeriesChart.h"
#include "chart/draw/SeriesMarks.h"

// The axes and the axis panel that owns them with the series.
#include "chart/axes/AxisLabels.h"
#include "chart/panel/AxisPanel.h"
#include "chart/axes/ChartAxis.h"
