#pragma once

#include "platform/StoreIfChanged.h"
#include "chart/ChartPanel.h"
#include "chart/style/ChartPen.h"
#include "chart/series/SeriesChart.h"
#include "render/Canvas.h"
#include "render/Rect.h"

#include <QString>
#include <climits>
#include <cstddef>
#include <cmath>
#include <functional>

namespace pexor {

class TCustomAxisPanel;
class TChartSeries;

enum TAxisLabelStyle { talAuto, talNone, talValue, talMark, talText };

// An axis' title: caption, angle and font. Changes fire OnChange.
class TChartAxisTitle {
public:
    TChartAxisTitle();

    int Angle() const { return angle_; }
    // 0 .. 360, 360 stored as 0; anything else raises ChartException.
    void SetAngle(int value);
    const QString &Caption() const { return caption_; }
    void SetCaption(const QString &value);
    const TFont &Font() const { return font_; }
    void SetFont(const TFont &value);

    void Assign(const TChartAxisTitle &source);

    std::function<void(TChartAxisTitle &)> OnChange;

private:
    void Changed();

    int angle_ = 0;
    QString caption_;
    TFont font_;
};

// One of the chart's five axes: its range (automatic or set), the mapping
// between values and pixels along one side of the plot rectangle, the label
// step and texts, the room it takes and its drawing.
class TCustomChartAxis : public ISeriesAxis {
public:
    TCustomChartAxis(TCustomAxisPanel &chart, bool horizontal, bool otherSide,
                     bool depth = false);
    ~TCustomChartAxis() override;
    TCustomChartAxis(const TCustomChartAxis &) = delete;
    TCustomChartAxis &operator=(const TCustomChartAxis &) = delete;

    // Copies the published settings of another axis.
    void Assign(const TCustomChartAxis &source);

    TCustomAxisPanel &ParentChart() { return *chart_; }
    const TCustomAxisPanel &ParentChart() const { return *chart_; }
    bool Horizontal() const override { return horizontal_; }
    bool OtherSide() const { return otherSide_; }
    bool IsDepthAxis() const { return depth_; }

    // Range.
    bool Automatic() const { return automatic_; }
    void SetAutomatic(bool value);
    bool AutomaticMaximum() const { return automaticMaximum_; }
    void SetAutomaticMaximum(bool value);
    bool AutomaticMinimum() const { return automaticMinimum_; }
    void SetAutomaticMinimum(bool value);
    double Maximum() const { return maximum_; }
    void SetMaximum(double value);
    double Minimum() const { return minimum_; }
    void SetMinimum(double value);
    // Both ends at once, in either order, switching the automatic range off.
    void SetMinMax(double aMin, double aMax);
    double Increment() const { return increment_; }
    void SetIncrement(double value);
    bool Logarithmic() const { return logarithmic_; }
    void SetLogarithmic(bool value);
    bool Inverted() const override { return inverted_; }
    void SetInverted(bool value) { Set(inverted_, value); }
    bool Visible() const { return visible_; }
    void SetVisible(bool value) { Set(visible_, value); }

    // Lines.
    TChartPen &Axis() { return axis_; }
    const TChartPen &Axis() const { return axis_; }
    void SetAxis(const TChartPen &value) { axis_.Assign(value); }
    TChartPen &Grid() { return grid_; }
    const TChartPen &Grid() const { return grid_; }
    void SetGrid(const TChartPen &value) { grid_.Assign(value); }
    bool GridCentered() const { return gridCentered_; }
    void SetGridCentered(bool value) { Set(gridCentered_, value); }
    TChartPen &Ticks() { return ticks_; }
    const TChartPen &Ticks() const { return ticks_; }
    void SetTicks(const TChartPen &value) { ticks_.Assign(value); }
    TChartPen &TicksInner() { return ticksInner_; }
    const TChartPen &TicksInner() const { return ticksInner_; }
    void SetTicksInner(const TChartPen &value) { ticksInner_.Assign(value); }
    TChartPen &MinorTicks() { return minorTicks_; }
    const TChartPen &MinorTicks() const { return minorTicks_; }
    void SetMinorTicks(const TChartPen &value) { minorTicks_.Assign(value); }
    int TickLength() const { return tickLength_; }
    void SetTickLength(int value) { Set(tickLength_, value); }
    int TickInnerLength() const { return tickInnerLength_; }
    void SetTickInnerLength(int value) { Set(tickInnerLength_, value); }
    int MinorTickCount() const { return minorTickCount_; }
    void SetMinorTickCount(int value) { Set(minorTickCount_, value); }
    int MinorTickLength() const { return minorTickLength_; }
    void SetMinorTickLength(int value) { Set(minorTickLength_, value); }
    bool TickOnLabelsOnly() const { return tickOnLabelsOnly_; }
    void SetTickOnLabelsOnly(bool value) { Set(tickOnLabelsOnly_, value); }

    // Labels.
    bool Labels() const { return labels_; }
    void SetLabels(bool value) { Set(labels_, value); }
    int LabelsAngle() const { return labelsAngle_; }
    // 0 .. 360, 360 stored as 0; anything else raises ChartException.
    void SetLabelsAngle(int value);
    const TFont &LabelsFont() const { return labelsFont_; }
    void SetLabelsFont(const TFont &value) { Set(labelsFont_, value); }
    bool LabelsMultiLine() const { return labelsMultiLine_; }
    void SetLabelsMultiLine(bool value) { Set(labelsMultiLine_, value); }
    bool LabelsOnAxis() const { return labelsOnAxis_; }
    void SetLabelsOnAxis(bool value) { Set(labelsOnAxis_, value); }
    int LabelsSeparation() const { return labelsSeparation_; }
    void SetLabelsSeparation(int value);
    int LabelsSize() const { return labelsSize_; }
    void SetLabelsSize(int value) { Set(labelsSize_, value); }
    TAxisLabelStyle LabelStyle() const { return labelStyle_; }
    void SetLabelStyle(TAxisLabelStyle value) { Set(labelStyle_, value); }
    const QString &AxisValuesFormat() const { return axisValuesFormat_; }
    void SetAxisValuesFormat(const QString &value) { Set(axisValuesFormat_, value); }
    const QString &DateTimeFormat() const { return dateTimeFormat_; }
    void SetDateTimeFormat(const QString &value) { Set(dateTimeFormat_, value); }
    bool ExactDateTime() const { return exactDateTime_; }
    void SetExactDateTime(bool value) { Set(exactDateTime_, value); }
    bool RoundFirstLabel() const { return roundFirstLabel_; }
    void SetRoundFirstLabel(bool value) { Set(roundFirstLabel_, value); }

    // Title.
    TChartAxisTitle &Title() { return title_; }
    const TChartAxisTitle &Title() const { return title_; }
    void SetTitle(const TChartAxisTitle &value) { title_.Assign(value); }
    int TitleSize() const { return titleSize_; }
    void SetTitleSize(int value) { Set(titleSize_, value); }

    // Whether a setting differs from its default and is worth saving.
    bool MaximumStored() const { return !automatic_ && !automaticMaximum_; }
    bool MinimumStored() const { return !automatic_ && !automaticMinimum_; }
    bool AxisValuesFormatStored() const;
    bool LabelsFontStored() const;

    // Positions (pixels) of the axis line, the labels and the title: y for a
    // horizontal axis, x for a vertical one.
    int PosAxis() const { return posAxis_; }
    void SetPosAxis(int value) { posAxis_ = value; }
    int PosLabels() const { return posLabels_; }
    int PosTitle() const { return posTitle_; }

    // The working range used for mapping and labels.
    double WorkMin() const { return workMin_; }
    double WorkMax() const { return workMax_; }
    double WorkRange() const { return workRange_; }
    void SetWorkRange(double workMin, double workMax);
    bool IsDateTime() const { return dateTime_; }
    // Whether an active series on this axis has dates on the list it shows.
    bool CalcDateTime() const;

    // The automatic range from the series, then the working range.
    void UpdateRange();
    // Widens the working range by margins in pixels: left and right for a
    // horizontal axis, bottom and top for a vertical one.
    void ApplyMargins(int lowMargin, int highMargin);
    void ChartRange(double &minimum, double &maximum) const override;

    int StartPixel() const override;
    int EndPixel() const override;
    int ValueToPixel(double value) const final {
        if (depth_ || logarithmic_ || workRange_ == 0) [[unlikely]]
            return SpecialPixel(value);
        return LinearMapping().Pixel(value);
    }
    // ValueToPixel of count values at once, for drawing many points: the
    // axis' state is read once, and the loop vectorises.
    void ValuesToPixels(const double *values, int *pixels, std::size_t count) const final;
    // Linear mappings do; a logarithmic one puts values at or below zero at
    // its start, after small positive ones.
    bool KeepsOrder() const override { return !logarithmic_; }
    double PixelToValue(int pixel) const override;

    // Labels.
    double LabelStep();
    TAxisLabelStyle CalcLabelStyle() const;
    QString ValueText(double value) const override;
    // The text of point valueIndex of series as a talText or talMark label.
    QString SeriesLabelText(const TChartSeries &series, int valueIndex,
                            TAxisLabelStyle style) const;

    // Takes the room of title, labels and ticks from rect, on the axis' side.
    void TakeRoom(TRect &rect);
    // Draws the axis; with calcPosition the axis line goes to PlotRect's edge.
    void Draw(bool calcPosition);
    // Whether (x, y) is on the drawn axis line.
    bool Clicked(int x, int y) const;

    // The linear scale's state, read once: the inverted or vertical
    // direction is a signed length, since Round(-t) = -Round(t) when
    // rounding half to even.
    struct TLinearMapping {
        double base;
        double signedLength;
        double workMin;
        double workRange;
        int Pixel(double value) const {
            return ClampedPixel(base + RoundHalfEven(signedLength * (value - workMin) / workRange));
        }
    };
    TLinearMapping LinearMapping() const {
        const TRect &r = geometry_->PlotRect();
        const int length = horizontal_ ? geometry_->PlotWidth() : geometry_->PlotHeight();
        const int start = horizontal_ ? r.Left : r.Bottom;
        const int end = horizontal_ ? r.Right : r.Top;
        return {double(inverted_ ? end : start),
                double(horizontal_ != inverted_ ? length : -length), workMin_, workRange_};
    }

    // Round half to even, kept within the int range.
    static int RoundPixel(double value) { return ClampedPixel(RoundHalfEven(value)); }
    // Adding and taking back 1.5 x 2^52 rounds half to even in the default
    // rounding mode, inline. Past 2^51 the result is off, but so far off the
    // plot that ClampedPixel holds it at the int range's end anyway.
    static double RoundHalfEven(double value) {
        constexpr double Shift = 6755399441055744.0;
        return (value + Shift) - Shift;
    }
    // An integral pixel position held within the int range; NaN goes to the
    // low end.
    static int ClampedPixel(double pixel) {
        // Selects, not branches, so that loops over values vectorise.
        pixel = pixel > INT_MIN ? pixel : INT_MIN;
        pixel = pixel < INT_MAX ? pixel : INT_MAX;
        return static_cast<int>(pixel);
    }

protected:
    template <typename T> void Set(T &field, const T &value) {
        if (StoreIfChanged(field, value))
            Changed();
    }
    void Changed();

private:
    friend class TAxisDrawer;

    // Depth, logarithmic and zero-range mappings. Pure: it changes nothing,
    // so a loop over ValueToPixel may keep the axis' fields in registers.
    [[gnu::pure]] int SpecialPixel(double value) const;
    int DepthPixel(double value) const;
    int LogPixel(double value) const;
    void Store(double &field, double value);
    void WatchPens();
    void PagedRange(const TChartSeries &series, double &minimum, double &maximum) const;
    bool LaysOutPointsAlong(const TChartSeries &series) const;
    int WidestLabel(TAxisLabelStyle style, double step);
    QString ValueTextOf(double value, bool useHandler) const;
    int LabelSize();
    void Shrink(TRect &rect, int size) const;
    int SideEdge(const TRect &rect) const;

    TCustomAxisPanel *chart_;
    const TCustomChartPanel *geometry_;
    bool horizontal_;
    bool otherSide_;
    bool depth_;

    bool automatic_ = true;
    bool automaticMaximum_ = true;
    bool automaticMinimum_ = true;
    double increment_ = 0;
    double maximum_ = 0;
    double minimum_ = 0;
    bool logarithmic_ = false;
    TChartAxisPen axis_;
    int posAxis_ = 0;
    TChartAxisTitle title_;
    int titleSize_ = 0;
    int posTitle_ = 0;
    TDottedGrayPen grid_;
    bool gridCentered_ = false;
    bool labels_ = true;
    int labelsAngle_ = 0;
    TFont labelsFont_;
    bool labelsOnAxis_ = true;
    int labelsSeparation_ = 10;
    int labelsSize_ = 0;
    TAxisLabelStyle labelStyle_ = talAuto;
    int posLabels_ = 0;
    QString axisValuesFormat_;
    QString dateTimeFormat_;
    bool exactDateTime_ = true;
    bool roundFirstLabel_ = true;
    bool labelsMultiLine_ = false;
    int minorTickCount_ = 3;
    int minorTickLength_ = 2;
    TDarkGrayPen minorTicks_;
    TDarkGrayPen ticks_;
    TDarkGrayPen ticksInner_;
    int tickInnerLength_ = 0;
    int tickLength_ = 4;
    bool tickOnLabelsOnly_ = true;
    bool inverted_ = false;
    bool visible_ = true;
    double workMax_ = 0;
    double workMin_ = 0;
    double workRange_ = 0;
    bool dateTime_ = false;
};

// The published axis of the chart's four sides.
class TChartAxis : public TCustomChartAxis {
public:
    using TCustomChartAxis::TCustomChartAxis;
};

// The axis along the depth of the 3D box; created invisible.
class TChartDepthAxis : public TCustomChartAxis {
public:
    explicit TChartDepthAxis(TCustomAxisPanel &chart);
};

// The format value labels take unless told otherwise.
inline const QString DefaultAxisValuesFormat = QStringLiteral("#,##0.###");

} // namespace pexor
