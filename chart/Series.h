#pragma once

// The series kinds of the chart engine.
#include "chart/LineSeries.h"
#include "chart/OtherSeries.h"
#include "chart/SeriesPointer.h"
