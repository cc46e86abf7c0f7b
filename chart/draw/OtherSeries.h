#pragma once

#include "chart/panel/AxisPanel.h"
#include "chart/style/ChartPen.h"
#include "chart/series/ChartSeries.h"

#include <QString>

namespace pexor {

// Bars from the value axis' zero to each point, centred on the point's
// position and BarWidthPercent of the room one point has; boxes in 3D.
class TCustomBarSeries : public TChartSeries, public ISeriesMargins {
public:
    TCustomBarSeries();

    // 1 .. 100; other values are brought into that range.
    int BarWidthPercent() const { return barWidthPercent_; }
    void SetBarWidthPercent(int value);
    TChartPen &BarPen() { return barPen_; }
    const TChartPen &BarPen() const { return barPen_; }
    void SetBarPen(const TChartPen &value) { barPen_.Assign(value); }
    bool Dark3D() const { return dark3D_; }
    void SetDark3D(bool value);

    void DrawValue(int valueIndex) override;
    int Clicked(int x, int y) override;
    void CalcHorizMargins(int &left, int &right) const override;
    void CalcVerticalMargins(int &top, int &bottom) const override;

    // The bar of a point in flat coordinates, or an empty rectangle when the
    // series is not in a chart.
    TRect BarRect(int valueIndex) const;

protected:
    // Whether the bars stand upright (on the horizontal axis).
    virtual bool Vertical() const { return true; }
    TCustomAxisPanel *Panel() const { return dynamic_cast<TCustomAxisPanel *>(ParentChart()); }

private:
    int BarSize() const;

    int barWidthPercent_ = 70;
    TChartPen barPen_;
    bool dark3D_ = true;
};

// Upright bars; the Y list is named "Histogramme".
class TBarSeries : public TCustomBarSeries {
public:
    TBarSeries();
};

// Bars lying along the horizontal axis: X holds the values (in the order
// added), Y the positions.
class THorizBarSeries : public TCustomBarSeries {
public:
    THorizBarSeries();
    TChartValueList &MainValues() override { return XValues(); }
    const TChartValueList &MainValues() const override { return XValues(); }

protected:
    bool Vertical() const override { return false; }
    double MarkValue(int valueIndex) const override { return XValue(valueIndex); }
};

// A series drawn in a circle within the plot area instead of on the axes.
class TCircledSeries : public TChartSeries {
public:
    TCircledSeries();

    bool UseAxis() const override { return false; }
    // Equal radii (a circle) instead of an ellipse filling the plot area.
    bool Circled() const { return circled_; }
    void SetCircled(bool value);

    // The circle of the last drawing.
    int CircleXCenter() const { return xCenter_; }
    int CircleYCenter() const { return yCenter_; }
    int XRadius() const { return xRadius_; }
    int YRadius() const { return yRadius_; }

protected:
    // Places the circle in the chart's plot area.
    void CalcCircle();
    TCustomAxisPanel *Panel() const { return dynamic_cast<TCustomAxisPanel *>(ParentChart()); }

private:
    bool circled_ = true;
    int xCenter_ = 0;
    int yCenter_ = 0;
    int xRadius_ = 0;
    int yRadius_ = 0;
};

enum class TPieOtherStyle { poNone, poBelowPercent, poBelowValue };

// Groups the small slices of a pie into one.
class TPieOtherSlice {
public:
    TPieOtherStyle Style() const { return style_; }
    void SetStyle(TPieOtherStyle value) { style_ = value; }
    // Per cent of the total or absolute value below which a slice is grouped.
    double Value() const { return value_; }
    void SetValue(double value) { value_ = value; }
    TColor Color() const { return color_; }
    void SetColor(TColor value) { color_ = value; }
    const QString &Text() const { return text_; }
    void SetText(const QString &value) { text_ = value; }

    // Whether a slice of magnitude value out of total goes into the group.
    bool Groups(double value, double total) const;

private:
    TPieOtherStyle style_ = TPieOtherStyle::poNone;
    double value_ = 0;
    TColor color_ = clGray;
    QString text_ = QStringLiteral("Autre");
};

// Pie slices: one per point, its angle in proportion to |Y|, counter-clockwise
// from three o'clock; extruded across the series' depth in 3D.
class TPieSeries : public TCircledSeries {
public:
    TPieSeries();

    TChartPen &PiePen() { return piePen_; }
    const TChartPen &PiePen() const { return piePen_; }
    void SetPiePen(const TChartPen &value) { piePen_.Assign(value); }
    bool Dark3D() const { return dark3D_; }
    void SetDark3D(bool value);
    TPieOtherSlice &OtherSlice() { return otherSlice_; }
    const TPieOtherSlice &OtherSlice() const { return otherSlice_; }

    // Slices need the whole total, so the pie draws all its points at once.
    void DrawAllValues() override;
    void DrawValue(int valueIndex) override;
    int Clicked(int x, int y) override;

    // The start and end angles of a point's slice (radians) of the last
    // layout; equal when the point has no slice of its own.
    double StartAngle(int valueIndex) const;
    double EndAngle(int valueIndex) const;
    TColor SliceColor(int valueIndex) const;

private:
    void CalcAngles();
    void DrawSlice(double start, double end, TColor color);

    TChartPen piePen_;
    bool dark3D_ = true;
    TPieOtherSlice otherSlice_;
    std::vector<double> angles_;
    double otherStart_ = 0;
    bool hasOther_ = false;
};

// A plain polyline with one pen in the series' colour, at the front of the
// series' depth; no ribbons, no pointers.
class TFastLineSeries : public TChartSeries {
public:
    TFastLineSeries();

    TChartPen &LinePen() { return linePen_; }
    const TChartPen &LinePen() const { return linePen_; }
    void SetLinePen(const TChartPen &value) { linePen_.Assign(value); }

    bool DrawBetweenPoints() const override { return true; }
    void DrawAllValues() override;
    void DrawValue(int valueIndex) override;
    void PrepareLegendCanvas(TChartCanvas3D &canvas, int valueIndex, TColor &backColor,
                             TBrushStyle &brushStyle) override;
    void DrawLegendShape(TChartCanvas3D &canvas, int valueIndex, const TRect &rect,
                         TColor legendColor) override;

private:
    TCustomAxisPanel *Panel() const { return dynamic_cast<TCustomAxisPanel *>(ParentChart()); }
    void PreparePen(TCustomAxisPanel &chart) const;

    TChartPen linePen_;
};

} // namespace pexor
