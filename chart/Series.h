#pragma once

// The series kinds of the chart engine.
#include "chart/draw/LineSeries.h"
#include "chart/draw/OtherSeries.h"
#include "chart/draw/SeriesPointer.h"
