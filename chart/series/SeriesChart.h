#pragma once

#include "render/Color.h"

#include <QString>
#include <cstddef>

namespace pexor {

class TChartSeries;

enum class THorizAxis { aTopAxis, aBottomAxis };
enum class TVertAxis { aLeftAxis, aRightAxis };

// What a series needs of one of its chart's axes: the mapping between values
// and pixels and the text of a value label. The chart's axes implement it.
class ISeriesAxis {
public:
    virtual ~ISeriesAxis() = default;

    virtual bool Horizontal() const = 0;
    virtual bool Inverted() const = 0;
    // The plot area's pixel span along the axis: left and right edges for a
    // horizontal axis, top and bottom edges for a vertical one.
    virtual int StartPixel() const = 0;
    virtual int EndPixel() const = 0;
    virtual int ValueToPixel(double value) const = 0;
    // ValueToPixel of count values into pixels.
    virtual void ValuesToPixels(const double *values, int *pixels, std::size_t count) const {
        for (std::size_t i = 0; i < count; ++i)
            pixels[i] = ValueToPixel(values[i]);
    }
    // Whether ValueToPixel keeps the order of values: of two values, the
    // larger never lands before the smaller and after a third.
    virtual bool KeepsOrder() const { return false; }
    virtual double PixelToValue(int pixel) const = 0;
    // The text the axis labels a value with.
    virtual QString ValueText(double value) const = 0;
    // The chart's automatic range for this axis, from the active series that
    // use it (0 and 0 when none does).
    virtual void ChartRange(double &minimum, double &maximum) const = 0;
};

// What a series needs of the chart it belongs to. The chart panel implements
// it; a series holds it as its ParentChart.
class ISeriesChart {
public:
    virtual ~ISeriesChart() = default;

    // Repaint request; the chart decides when to draw.
    virtual void Invalidate() = 0;
    // Whether the chart has asked for a paint and not drawn since: another
    // request would change nothing before that paint, so a series filled
    // point by point need not make one per point.
    bool RepaintPending() const { return repaintPending_; }

    // Called by TChartSeries::SetParentChart only, to keep the chart's series
    // list in step; the chart must not call SetParentChart back from here.
    virtual void SeriesJoined(TChartSeries &series) = 0;
    virtual void SeriesLeft(TChartSeries &series) = 0;

    // True when no series of the chart has this SeriesColor and, when asked,
    // it differs from the chart's Color and BackColor.
    virtual bool IsFreeSeriesColor(TColor color, bool checkChartColors) const = 0;

    // The chart's axis a series names; null when the chart has none.
    virtual ISeriesAxis *SeriesAxis(THorizAxis axis) const = 0;
    virtual ISeriesAxis *SeriesAxis(TVertAxis axis) const = 0;

    // True when some active series of the chart holds at least one point.
    virtual bool HasActivePoints() const = 0;

    // The legend's text for a point of a series.
    virtual QString GetLegendValueText(const TChartSeries &series, int valueIndex) const = 0;

    // Whether the chart accepts source as the data source of series.
    virtual bool IsValidDataSource(const TChartSeries &series, const TChartSeries &source) const = 0;
    // Refreshes a series' points from its data source (not while loading).
    virtual void CheckDataSource(TChartSeries &series) = 0;

    // The mouse-cancel flag that series click handlers set and may clear.
    virtual bool CancelMouse() const = 0;
    virtual void SetCancelMouse(bool cancel) = 0;

protected:
    // Set by the chart as it asks for a paint, cleared as it draws.
    bool repaintPending_ = false;
};

} // namespace pexor
