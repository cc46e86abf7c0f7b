#pragma once

#include "chart/series/ChartValueList.h"
#include "chart/series/SeriesChart.h"
#include "chart/draw/SeriesMarks.h"
#include "render/Color.h"

#include <QPoint>
#include <QString>
#include <cstddef>
#include <Qt>
#include <functional>
#include <memory>
#include <span>
#include <vector>

namespace pexor {

class TChartCanvas3D;

// A series' points mapped to pixels for one drawing, from value index first.
// A drawing maps them a window at a time, so that it never copies all of a
// long series.
struct TMappedPoints {
    static constexpr int kWindow = 1024;
    int first = 0;
    std::vector<int> x;
    std::vector<int> y;

    bool Holds(int valueIndex) const { return std::size_t(valueIndex - first) < x.size(); }
    QPoint At(int valueIndex) const {
        const std::size_t i = std::size_t(valueIndex - first);
        return QPoint(x[i], y[i]);
    }
};

// No colour of its own: a point takes the series' colour, a series gets one
// when it joins a chart.
inline constexpr TColor clAutoColor = 0x80000000;
// A null point: it keeps its place and values but is not drawn.
inline constexpr TColor clNone = 0x1FFFFFFF;
// Taken as clAutoColor when a point is added with it.
inline constexpr TColor clDefaultPointColor = 0x20000000;

// The 16 colours series and points take in turn, indexed modulo 16.
TColor PaletteColor(int index);

// A share (0.75 for three quarters) as a per-cent text by a pattern such as
// "##0.## %". FormatFloat already scales by 100 for an unquoted per-cent
// sign; a pattern without one is given the share times 100.
QString FormatPercent(const QString &pattern, double share);

using TChartValueLists = std::vector<TChartValueList *>;

// When a dependent series follows its source.
enum TSeriesRecalcOption : unsigned {
    rOnDelete = 1u << 0,
    rOnModify = 1u << 1,
    rOnAdd = 1u << 2,
    rOnClear = 1u << 3,
};
using TSeriesRecalcOptions = unsigned;
inline constexpr TSeriesRecalcOptions kAllRecalcOptions = rOnDelete | rOnModify | rOnAdd | rOnClear;

// The base of every series kind: an ordered list of points, each with an X
// and a Y value, an optional label and a colour. It holds no drawing of its
// own; series kinds override the drawing hooks.
class TChartSeries {
public:
    TChartSeries();
    // Leaves its chart, sources and dependents; fires no event.
    virtual ~TChartSeries();
    TChartSeries(const TChartSeries &) = delete;
    TChartSeries &operator=(const TChartSeries &) = delete;

    // Component name (the legend's fallback text, the data-source errors).
    const QString &Name() const { return name_; }
    void SetName(const QString &value) { name_ = value; }

    // Points.
    virtual int Add(double value, const QString &label = QString(), TColor color = clAutoColor);
    int AddXY(double x, double y, const QString &label, TColor color = clAutoColor) {
        if (label.isEmpty() && (color == clAutoColor || color == clDefaultPointColor))
            return AddXY(x, y);
        xValues_->SetPendingValue(x);
        yValues_->SetPendingValue(y);
        return AddPendingXY(label, color);
    }
    // With no label and clAutoColor.
    int AddXY(double x, double y) {
        TChartValueList &xs = *xValues_;
        TChartValueList &ys = *yValues_;
        if (AppendsPlainly(x) && xs.AppendsWithoutStop() && ys.AppendsWithoutStop()) [[likely]] {
            // The way a long series is filled point by point: nothing is
            // called before the values are stored, so they stay in registers.
            const int index = xs.Count();
            xs.AppendWithoutStop(x);
            ys.AppendWithoutStop(y);
            if (active_)
                RepaintUnlessPending();
            return index;
        }
        return AddXYByRules(x, y);
    }
    virtual int AddNull(const QString &label = QString());
    // Adds the points of x and y, which must be of one length, as AddXY
    // would one by one with no label and clAutoColor, and repaints once.
    // Appended points skip the work per point when no handler or dependent
    // has to see each one. Answers the number of points added.
    int AddXYArrays(std::span<const double> x, std::span<const double> y);
    // The same as Add for each value.
    int AddArray(std::span<const double> values);
    virtual void Clear();
    virtual void Delete(int valueIndex);
    int Count() const { return xValues_->Count(); }
    double XValue(int index) const { return xValues_->Value(index); }
    double YValue(int index) const { return yValues_->Value(index); }
    TColor PointColor(int index) const;
    // PointColor of count points from first into out; true when all are
    // one colour.
    bool PointColors(int first, int count, TColor *out) const;
    void SetPointColor(int index, TColor color);
    QString PointLabel(int index) const;

    // The statistics the chart's automatic axis ranges read.
    double MaxX() const { return xValues_->MaxValue(); }
    double MinX() const { return xValues_->MinValue(); }
    double MaxY() const { return yValues_->MaxValue(); }
    double MinY() const { return yValues_->MinValue(); }
    // The depth a series takes is its Z order slot.
    double MaxZValue() const { return zOrder_; }
    double MinZValue() const { return zOrder_; }

    TChartValueList &XValues() { return *xValues_; }
    const TChartValueList &XValues() const { return *xValues_; }
    TChartValueList &YValues() { return *yValues_; }
    const TChartValueList &YValues() const { return *yValues_; }
    const TChartValueLists &ValuesLists() const { return valuesLists_; }
    // The list Add puts its value in (YValues but for horizontal bars), and
    // the one it lays the points out along.
    virtual TChartValueList &MainValues() { return *yValues_; }
    virtual const TChartValueList &MainValues() const { return *yValues_; }
    TChartValueList &OtherValues();
    const TChartValueList &OtherValues() const;

    virtual QString MarkText(int valueIndex) const;
    // Clears and adds numValues random points fitting the current axes.
    virtual void FillSampleValues(int numValues);

    void Repaint() {
        if (parentChart_)
            parentChart_->Invalidate();
    }
    // Repaint, unless the chart's last request is still to be answered: a
    // series filled point by point asks once per paint, not once per point.
    void RepaintUnlessPending() {
        if (parentChart_ && !parentChart_->RepaintPending())
            parentChart_->Invalidate();
    }

    // Chart.
    ISeriesChart *ParentChart() const { return parentChart_; }
    void SetParentChart(ISeriesChart *chart);
    ISeriesAxis *GetHorizAxis() const;
    ISeriesAxis *GetVertAxis() const;
    int XPixel(int valueIndex) const { return MapX(valueIndex); }
    int YPixel(int valueIndex) const { return MapY(valueIndex); }
    // Points first..last, held to those there are, mapped in one pass
    // through each axis, as XPixel and YPixel map them one by one; none
    // without both axes. The second form reuses the storage of points.
    TMappedPoints MapPoints(int first, int last) const;
    void MapPoints(int first, int last, TMappedPoints &points) const;
    void CalcVisibleRange();
    int FirstVisibleIndex() const { return firstVisibleIndex_; }
    int LastVisibleIndex() const { return lastVisibleIndex_; }

    // Data sources and dependents.
    TChartSeries *DataSource() const { return dataSources_.empty() ? nullptr : dataSources_.front(); }
    void SetDataSource(TChartSeries *source);
    const std::vector<TChartSeries *> &DataSources() const { return dataSources_; }
    const std::vector<TChartSeries *> &Dependents() const { return dependents_; }
    TSeriesRecalcOptions RecalcOptions() const { return recalcOptions_; }
    void SetRecalcOptions(TSeriesRecalcOptions value) { recalcOptions_ = value; }
    // Tells the dependents that follow modifications that the data changed.
    void NotifyDataChanged();
    // Refills the points from the data sources.
    virtual void CheckDataSource();

    // Properties.
    bool Active() const { return active_; }
    void SetActive(bool value);
    TColor SeriesColor() const { return seriesColor_; }
    void SetSeriesColor(TColor value);
    bool ColorEachPoint() const { return colorEachPoint_; }
    void SetColorEachPoint(bool value);
    const QString &ColorSource() const { return colorSource_; }
    void SetColorSource(const QString &value) { colorSource_ = value; }
    int Cursor() const { return cursor_; }
    void SetCursor(int value) { cursor_ = value; }
    const QString &XLabelsSource() const { return xLabelsSource_; }
    void SetXLabelsSource(const QString &value) { xLabelsSource_ = value; }
    TSeriesMarks &Marks() { return *marks_; }
    const TSeriesMarks &Marks() const { return *marks_; }
    void SetMarks(const TSeriesMarks &value) { marks_->Assign(value); }
    const QString &PercentFormat() const { return percentFormat_; }
    void SetPercentFormat(const QString &value);
    bool ShowInLegend() const { return showInLegend_; }
    void SetShowInLegend(bool value);
    const QString &Title() const { return title_; }
    void SetTitle(const QString &value);
    const QString &ValueFormat() const { return valueFormat_; }
    void SetValueFormat(const QString &value);
    THorizAxis HorizAxis() const { return horizAxis_; }
    void SetHorizAxis(THorizAxis value);
    TVertAxis VertAxis() const { return vertAxis_; }
    void SetVertAxis(TVertAxis value);
    const QString &Identifier() const { return identifier_; }
    void SetIdentifier(const QString &value) { identifier_ = value; }
    int Style() const { return style_; }
    void SetStyle(int value) { style_ = value & 0x3F; }

    // Depth slot and slab, set by the chart before drawing.
    int ZOrder() const { return zOrder_; }
    void SetZOrder(int value) { zOrder_ = value; }
    int StartZ() const { return startZ_; }
    void SetStartZ(int value) { startZ_ = value; }
    int MiddleZ() const { return middleZ_; }
    void SetMiddleZ(int value) { middleZ_ = value; }
    int EndZ() const { return endZ_; }
    void SetEndZ(int value) { endZ_ = value; }

    // Drawing hooks, called by the chart in its drawing sequence.
    virtual void DrawingBegins() {}
    void DoBeforeDrawValues();
    void DoAfterDrawValues();
    // Draws each visible point with DrawValue, in the kind's direction.
    virtual void DrawAllValues();
    virtual void DrawValue(int valueIndex);
    virtual bool DrawValuesForward() const { return true; }
    virtual bool DrawSeriesForward(int valueIndex) const;
    virtual bool UseAxis() const { return true; }
    bool AssociatedToAxis(const ISeriesAxis &axis) const;
    // Kinds that join their points keep the first point past the plot edge.
    virtual bool DrawBetweenPoints() const { return false; }
    bool CalcVisiblePoints() const { return calcVisiblePoints_; }

    // Legend symbol of point valueIndex (-1: the whole series), called by the
    // legend. A kind may change the background colour and brush style the
    // legend starts from and prepare the pen, before the legend puts the
    // brush on the canvas.
    virtual void PrepareLegendCanvas(TChartCanvas3D &canvas, int valueIndex, TColor &backColor,
                                     TBrushStyle &brushStyle);
    // Draws the symbol in rect. The base draws rect, and draws it again with a
    // clear brush and a contrasting pen when the symbol's colour is the
    // legend's own colour, so that it stays visible.
    virtual void DrawLegendShape(TChartCanvas3D &canvas, int valueIndex, const TRect &rect,
                                 TColor legendColor);
    // Marks: a kind may move the computed mark of a point (box and arrow
    // end) and the depth it is drawn at.
    virtual void PositionMark(int valueIndex, TSeriesMarkPosition &position, int &z) const;

    // Mouse hooks, called by the chart's mouse handling.
    virtual int Clicked(int x, int y);
    // Fires OnDblClick or OnClick for a point and answers CancelMouse.
    bool ClickedPoint(int valueIndex, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                      int x, int y, bool doubleClick);
    virtual void MouseMoved(int x, int y);
    virtual void MouseReleased(int x, int y);

    // Events, sender first.
    std::function<bool(TChartSeries &)> OnBeforeAdd;
    std::function<void(TChartSeries &, int)> OnAfterAdd;
    std::function<void(TChartSeries &)> OnClearValues;
    std::function<void(const TChartSeries &, int, QString &)> OnGetMarkText;
    std::function<void(TChartSeries &)> BeforeDrawValues;
    std::function<void(TChartSeries &)> AfterDrawValues;
    using TSeriesClick =
        std::function<void(TChartSeries &, int, Qt::MouseButton, Qt::KeyboardModifiers, int, int)>;
    TSeriesClick OnClick;
    TSeriesClick OnDblClick;

protected:
    // Series kinds with more dimensions add their lists after X and Y.
    void AddValueList(TChartValueList &list);
    // The value a mark shows for a point.
    virtual double MarkValue(int valueIndex) const { return YValue(valueIndex); }

private:
    // AddXY by all its rules, from OnBeforeAdd on, of the pending values.
    [[gnu::noinline]] int AddPendingXY(const QString &label, TColor color);
    // AddXY with no label and clAutoColor, out of line.
    [[gnu::noinline]] int AddXYByRules(double x, double y);
    // Whether the rules of AddXY reduce to appending x and y: no colour,
    // label, handler or dependent, no further list, and x keeps the order.
    bool AppendsPlainly(double x) const {
        return plainXY_ && !OnBeforeAdd && !OnAfterAdd && xValues_->AppendsAtEnd(x);
    }
    // Whether a bulk add must go through AddXY point by point.
    bool AddsEachPoint() const;
    int MapX(int valueIndex) const;
    int MapY(int valueIndex) const;
    QString LabelOrValueText(int valueIndex) const;
    QString PercentText(int valueIndex) const;
    bool DependsOn(const TChartSeries &series) const;
    void AddPointFrom(const TChartSeries &source, int valueIndex);
    void NotifyDependents(TSeriesRecalcOption option, int valueIndex);
    // Keeps plainXY_ true to its dependents and lists.
    void NotePlainXY() { plainXY_ = dependents_.empty() && valuesLists_.size() == 2; }

    QString name_;
    bool active_ = true;
    TColor seriesColor_ = clAutoColor;
    bool colorEachPoint_ = false;
    // Colours and labels may be shorter than the value lists: missing
    // entries are clAutoColor and no label.
    std::vector<TColor> colors_;
    QString colorSource_;
    int cursor_ = 0;
    std::vector<TChartSeries *> dataSources_;
    int firstVisibleIndex_ = -1;
    int lastVisibleIndex_ = -1;
    QString xLabelsSource_;
    std::vector<TChartSeries *> dependents_;
    // No dependent and only X and Y: an appended point has no one to tell
    // and nothing else to take (AddXY reads it, not the two, per point).
    bool plainXY_ = false;
    std::unique_ptr<TSeriesMarks> marks_;
    ISeriesChart *parentChart_ = nullptr;
    QString percentFormat_;
    bool showInLegend_ = true;
    std::vector<QString> labels_;
    QString title_;
    QString valueFormat_;
    TChartValueLists valuesLists_;
    std::unique_ptr<TChartValueList> xValues_;
    std::unique_ptr<TChartValueList> yValues_;
    THorizAxis horizAxis_ = THorizAxis::aBottomAxis;
    TVertAxis vertAxis_ = TVertAxis::aLeftAxis;
    TSeriesRecalcOptions recalcOptions_ = kAllRecalcOptions;
    int style_ = 0;
    QString identifier_;
    int zOrder_ = 0;
    int startZ_ = 0;
    int middleZ_ = 0;
    int endZ_ = 0;
    bool calcVisiblePoints_ = true;
};

} // namespace pexor
