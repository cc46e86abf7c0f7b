#pragma once

#include "chart/axes/ChartAxis.h"
#include "chart/ChartPanel.h"
#include "chart/series/ChartSeries.h"
#include "chart/series/SeriesChart.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace pexor {

// Implemented by series kinds that need room beyond their extreme points (a
// line series with a visible pointer); the axes widen their ranges for it.
class ISeriesMargins {
public:
    virtual ~ISeriesMargins() = default;
    virtual void CalcHorizMargins(int &left, int &right) const = 0;
    virtual void CalcVerticalMargins(int &top, int &bottom) const = 0;
};

// The chart level that owns the series and the five axes: automatic ranges,
// paging, the 3D depth, the room the axes take and the axes' drawing. Titles,
// walls, legend and the painted window come on top of it.
class TCustomAxisPanel : public TCustomChartPanel, public ISeriesChart {
public:
    TCustomAxisPanel();
    ~TCustomAxisPanel() override;

    // Series, in drawing order. The chart owns the series in its list and
    // destroys them with itself.
    const std::vector<TChartSeries *> &SeriesList() const { return seriesList_; }
    int SeriesCount() const { return int(seriesList_.size()); }
    TChartSeries &Series(int index) { return *seriesList_.at(std::size_t(index)); }
    const TChartSeries &Series(int index) const { return *seriesList_.at(std::size_t(index)); }
    // Takes series into the chart, which owns it from then on; answers the
    // series, for the caller to go on configuring it.
    template <class Series> Series &AddSeries(std::unique_ptr<Series> series) {
        Series &added = *series;
        AdoptSeries(std::move(series));
        return added;
    }
    // Takes series out of the chart and hands its ownership back.
    std::unique_ptr<TChartSeries> RemoveSeries(TChartSeries &series);
    int CountActiveSeries() const;

    TChartAxis &BottomAxis() { return *bottomAxis_; }
    const TChartAxis &BottomAxis() const { return *bottomAxis_; }
    void SetBottomAxis(const TChartAxis &value) { bottomAxis_->Assign(value); }
    TChartAxis &TopAxis() { return *topAxis_; }
    const TChartAxis &TopAxis() const { return *topAxis_; }
    void SetTopAxis(const TChartAxis &value) { topAxis_->Assign(value); }
    TChartAxis &LeftAxis() { return *leftAxis_; }
    const TChartAxis &LeftAxis() const { return *leftAxis_; }
    void SetLeftAxis(const TChartAxis &value) { leftAxis_->Assign(value); }
    TChartAxis &RightAxis() { return *rightAxis_; }
    const TChartAxis &RightAxis() const { return *rightAxis_; }
    void SetRightAxis(const TChartAxis &value) { rightAxis_->Assign(value); }
    TChartDepthAxis &DepthAxis() { return *depthAxis_; }
    const TChartDepthAxis &DepthAxis() const { return *depthAxis_; }
    void SetDepthAxis(const TChartDepthAxis &value) { depthAxis_->Assign(value); }

    bool AxisVisible() const { return axisVisible_; }
    void SetAxisVisible(bool value) { Set(axisVisible_, value); }
    int Chart3DPercent() const { return chart3DPercent_; }
    // 1 .. 100; anything else raises ChartException.
    void SetChart3DPercent(int value);
    bool ClipPoints() const { return clipPoints_; }
    void SetClipPoints(bool value) { Set(clipPoints_, value); }
    bool View3DWalls() const { return view3DWalls_; }
    void SetView3DWalls(bool value) { Set(view3DWalls_, value); }

    // Paging: 0 points per page means no paging.
    int MaxPointsPerPage() const { return maxPointsPerPage_; }
    void SetMaxPointsPerPage(int value);
    int Page() const { return page_; }
    // Clamped to 1 .. NumPages; fires OnPageChange when it changes.
    void SetPage(int value);
    bool ScaleLastPage() const { return scaleLastPage_; }
    void SetScaleLastPage(bool value) { Set(scaleLastPage_, value); }
    int NumPages() const;

    // Results of the last layout.
    int MaxZOrder() const { return maxZOrder_; }
    int SeriesDepth3D() const { return seriesDepth3D_; }

    // Whether an axis takes room and is drawn.
    bool IsAxisVisible(const TCustomChartAxis &axis) const;
    // The thickness of the wall along the left or bottom axis in 3D.
    int AxisWallSize(const TCustomChartAxis &axis) const;

    // Steps of one drawing, in the order the drawing runs them.
    // Series Z order: the first active series at the back.
    void CalcSeriesZOrder();
    // Axis ranges, the 3D depth, and the room the visible axes take from
    // PlotRect.
    virtual void CalcAxisRoom();
    // Each active series' StartZ, MiddleZ and EndZ.
    void CalcSeriesDepths();
    // The top, left, right and bottom axes widen their ranges for the
    // margins the series ask for beyond their extreme points.
    virtual void CalcSeriesMargins();
    // The four side axes, then the depth axis in 3D, each when shown.
    void DrawAxes();

    // The axis under (x, y), or null.
    TCustomChartAxis *AxisAt(int x, int y);

    // Events, sender first.
    std::function<void(TCustomAxisPanel &)> OnAfterDraw;
    // May change the text of a label; series is null and valueIndex -1 for
    // value labels.
    std::function<void(TCustomChartAxis &, TChartSeries *, int, QString &)> OnGetAxisLabel;
    // Supplies label values one by one: set Stop to False to draw LabelValue.
    std::function<void(TCustomChartAxis &, int, double &, bool &)> OnGetNextAxisLabel;
    std::function<void(TCustomAxisPanel &)> OnPageChange;

    // The chart side of the series.
    void Invalidate() override {
        TCustomChartPanel::Invalidate();
        if (RepaintEnabled())
            repaintPending_ = true;
    }
    // A repaint request has been answered (drawn, or told to screen
    // readers): the next point a series appends asks again.
    void RequestAnswered() { repaintPending_ = false; }
    void SeriesJoined(TChartSeries &series) override;
    void SeriesLeft(TChartSeries &series) override;
    bool IsFreeSeriesColor(TColor color, bool checkChartColors) const override;
    ISeriesAxis *SeriesAxis(THorizAxis axis) const override;
    ISeriesAxis *SeriesAxis(TVertAxis axis) const override;
    bool HasActivePoints() const override;
    QString GetLegendValueText(const TChartSeries &series, int valueIndex) const override;
    bool IsValidDataSource(const TChartSeries &series, const TChartSeries &source) const override;
    void CheckDataSource(TChartSeries &series) override;
    bool CancelMouse() const override { return cancelMouse_; }
    void SetCancelMouse(bool cancel) override { cancelMouse_ = cancel; }

protected:
    // Wall thicknesses and the back wall's colour; a panel without walls has
    // none, the chart with its walls answers them.
    virtual int LeftWallSize() const { return 0; }
    virtual int BottomWallSize() const { return 0; }
    virtual int BackWallSize() const { return 0; }
    virtual TColor BackColor() const { return clAutoColor; }

private:
    void AdoptSeries(std::unique_ptr<TChartSeries> series);
    int PageCount(const TCustomChartAxis &axis) const;

    std::vector<TChartSeries *> seriesList_;
    std::unique_ptr<TChartAxis> bottomAxis_;
    std::unique_ptr<TChartAxis> topAxis_;
    std::unique_ptr<TChartAxis> leftAxis_;
    std::unique_ptr<TChartAxis> rightAxis_;
    std::unique_ptr<TChartDepthAxis> depthAxis_;
    bool axisVisible_ = true;
    int chart3DPercent_ = 15;
    bool clipPoints_ = true;
    bool view3DWalls_ = true;
    int maxPointsPerPage_ = 0;
    int page_ = 1;
    bool scaleLastPage_ = true;
    int maxZOrder_ = 0;
    int seriesDepth3D_ = 0;
    bool cancelMouse_ = false;
};

} // namespace pexor
