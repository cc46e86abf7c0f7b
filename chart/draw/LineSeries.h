#pragma once

#include "platform/StoreIfChanged.h"
#include "chart/panel/AxisPanel.h"
#include "chart/style/ChartPen.h"
#include "chart/series/ChartSeries.h"
#include "chart/draw/RibbonColumn.h"
#include "chart/draw/SeriesPointer.h"

#include <QPolygon>
#include <functional>
#include <memory>

namespace pexor {

// The drawing shared by the line, area and point series: a segment from each
// point to the next in the colour of the point it ends at (a ribbon across
// the series' depth in 3D), optional pointers at the points, optional area
// below the line.
class TCustomSeries : public TChartSeries, public ISeriesMargins {
public:
    TCustomSeries();
    ~TCustomSeries() override;

    TBrushStyle AreaBrush() const { return areaBrush_; }
    void SetAreaBrush(TBrushStyle value) { Set(areaBrush_, value); }
    TColor AreaColor() const { return areaColor_; }
    void SetAreaColor(TColor value) { Set(areaColor_, value); }
    TChartPen &AreaLinesPen() { return areaLinesPen_; }
    const TChartPen &AreaLinesPen() const { return areaLinesPen_; }
    void SetAreaLinesPen(const TChartPen &value) { areaLinesPen_.Assign(value); }
    // Whether the line counts for mouse hits.
    bool ClickableLine() const { return clickableLine_; }
    void SetClickableLine(bool value) { clickableLine_ = value; }
    bool Dark3D() const { return dark3D_; }
    void SetDark3D(bool value) { Set(dark3D_, value); }
    bool DrawArea() const { return drawArea_; }
    void SetDrawArea(bool value) { Set(drawArea_, value); }
    bool DrawLine() const { return drawLine_; }
    void SetDrawLine(bool value) { Set(drawLine_, value); }
    bool InvertedStairs() const { return invertedStairs_; }
    void SetInvertedStairs(bool value) { Set(invertedStairs_, value); }
    TBrushStyle LineBrush() const { return lineBrush_; }
    void SetLineBrush(TBrushStyle value) { Set(lineBrush_, value); }
    TChartPen &LinePen() { return linePen_; }
    const TChartPen &LinePen() const { return linePen_; }
    void SetLinePen(const TChartPen &value) { linePen_.Assign(value); }
    TSeriesPointer &Pointer() { return *pointer_; }
    const TSeriesPointer &Pointer() const { return *pointer_; }
    void SetPointer(const TSeriesPointer &value) { pointer_->Assign(value); }
    bool Stairs() const { return stairs_; }
    void SetStairs(bool value) { Set(stairs_, value); }

    // Merges, when drawing all points, what falls in one pixel column: the
    // 2D lines that follow each other up and down it, and the ribbons there
    // that later ones hide. The picture is the same pixel for pixel; off,
    // every segment is drawn. On by default.
    bool JoinSegments() const { return joinSegments_; }
    void SetJoinSegments(bool value) { joinSegments_ = value; }

    // Sender, value index, x, y.
    std::function<void(TCustomSeries &, int, int, int)> OnClickPointer;
    // The pointer style of one point.
    std::function<TSeriesPointerStyle(TCustomSeries &, int)> OnGetPointerStyle;

    // Drawing, called by the chart.
    void DrawAllValues() override;
    void DrawValue(int valueIndex) override;
    bool DrawBetweenPoints() const override { return true; }
    // The base of a point's area.
    virtual int GetOriginPos(int valueIndex) const;

    // Room the axes keep beyond the extreme points for the pointers.
    void CalcHorizMargins(int &left, int &right) const override;
    void CalcVerticalMargins(int &top, int &bottom) const override;

    void PrepareLegendCanvas(TChartCanvas3D &canvas, int valueIndex, TColor &backColor,
                             TBrushStyle &brushStyle) override;
    void DrawLegendShape(TChartCanvas3D &canvas, int valueIndex, const TRect &rect,
                         TColor legendColor) override;
    void PositionMark(int valueIndex, TSeriesMarkPosition &position, int &z) const override;

    // The point whose pointer or segment is under (x, y), or -1.
    int Clicked(int x, int y) override;

protected:
    // The chart panel the series draws in, or null.
    TCustomAxisPanel *Panel() const;
    template <typename T> void Set(T &field, const T &value) {
        if (StoreIfChanged(field, value))
            Repaint();
    }

private:
    struct TDrawContext;
    TDrawContext MakeContext() const;
    QPoint PixelOf(const TDrawContext &ctx, int valueIndex) const;
    QPoint EdgeEntry(const TDrawContext &ctx, int previous, int valueIndex) const;
    void DrawPoint(const TDrawContext &ctx, int valueIndex);
    void DrawSegment(const TDrawContext &ctx, int valueIndex, int x, int y, TColor color,
                     bool withPointers);
    void DrawRibbon(const TDrawContext &ctx, QPoint from, QPoint to, TColor fill);
    void DrawAreaPart(const TDrawContext &ctx, int x, int y, int bottom, TColor fill);
    void DrawLine2D(const TDrawContext &ctx, int x, int y, TColor color);
    void DrawPointerAt(const TDrawContext &ctx, int valueIndex, int x, int y, TColor color);
    TColor FillColor(TColor pointColor) const;
    void DrawEachPoint(TDrawContext &ctx);
    // Draws merged when the kind and the canvas allow it; false when not.
    bool DrawMerged(TDrawContext &ctx);
    void DrawMergedLine(TDrawContext &ctx);
    void DrawMergedRibbons(TDrawContext &ctx);
    bool SegmentHit(int x, int y, int px, int py, int qx, int qy, int pBottom, int qBottom) const;

    TBrushStyle areaBrush_ = TBrushStyle::bsSolid;
    TColor areaColor_ = clAutoColor;
    TChartPen areaLinesPen_;
    bool clickableLine_ = true;
    bool dark3D_ = true;
    bool drawArea_ = false;
    bool drawLine_ = true;
    bool invertedStairs_ = false;
    TBrushStyle lineBrush_ = TBrushStyle::bsSolid;
    TChartPen linePen_;
    std::unique_ptr<TSeriesPointer> pointer_;
    bool stairs_ = false;
    bool joinSegments_ = true;

    // The storage of the last drawing's mapped points and ribbon column,
    // kept for the next.
    TMappedPoints mappedStore_;
    TRibbonColumn ribbonColumn_;
    // Drawing state, carried from one drawn point to the next.
    int oldX_ = 0;
    int oldY_ = 0;
    int oldBottom_ = 0;
    TColor oldColor_ = clBlack;
    int oldIndex_ = -1;
};

// The line series: segments, ribbons in 3D, no pointers.
class TLineSeries : public TCustomSeries {
public:
    TLineSeries();
};

// Points only: pointers, no line.
class TPointSeries : public TCustomSeries {
public:
    TPointSeries();
};

// A line with the area below it filled.
class TAreaSeries : public TCustomSeries {
public:
    TAreaSeries();

    // Lays the area on the line of the area series drawn before it in the
    // chart instead of down to the plot's bottom.
    bool MultiArea() const { return multiArea_; }
    void SetMultiArea(bool value) { Set(multiArea_, value); }

    int GetOriginPos(int valueIndex) const override;

private:
    bool multiArea_ = false;
};

} // namespace pexor
