#pragma once

#include "platform/StoreIfChanged.h"
#include "chart/style/ChartFontObject.h"
#include "chart/style/ChartPen.h"
#include "chart/panel/LegendStyle.h"
#include "render/Color.h"
#include "render/Rect.h"

#include <QString>
#include <functional>

namespace pexor {

class TChartSeries;
class TChartCanvas3D;
class TCustomAxisPanel;

// The framed box beside, above or below the plot area that lists the chart's
// series or the points of one series, each with a colour symbol and a text.
// Drawing it takes its room from the chart's PlotRect.
class TCustomChartLegend : public TChartFontObject {
public:
    explicit TCustomChartLegend(TCustomAxisPanel *chart);
    ~TCustomChartLegend() override;

    // Copies every setting of another legend.
    void Assign(const TCustomChartLegend &source);

    bool ResizeChart() const { return resizeChart_; }
    void SetResizeChart(bool value) { Set(resizeChart_, value); }
    TLegendStyle LegendStyle() const { return legendStyle_; }
    void SetLegendStyle(TLegendStyle value);
    TLegendTextStyle TextStyle() const { return textStyle_; }
    void SetTextStyle(TLegendTextStyle value) { Set(textStyle_, value); }
    // Per cent of the text column width, 0 .. 100.
    int ColorWidth() const { return colorWidth_; }
    void SetColorWidth(int value);
    // 0 takes 3 % of the plot width (4 % of its height above or below).
    int HorizMargin() const { return horizMargin_; }
    void SetHorizMargin(int value) { Set(horizMargin_, value); }
    int VertMargin() const { return vertMargin_; }
    void SetVertMargin(int value) { Set(vertMargin_, value); }
    // Per cent, 0 .. 100: the box's top on the sides, its offset above or
    // below.
    int TopPos() const { return topPos_; }
    void SetTopPos(int value);
    TColor Color() const { return color_; }
    void SetColor(TColor value) { Set(color_, value); }
    TChartPen &Frame() { return frame_; }
    const TChartPen &Frame() const { return frame_; }
    void SetFrame(const TChartPen &value) { frame_.Assign(value); }
    // Index of the first item shown, 0 or more.
    int FirstValue() const { return firstValue_; }
    void SetFirstValue(int value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value) { Set(visible_, value); }
    TLegendAlignment Alignment() const { return alignment_; }
    void SetAlignment(TLegendAlignment value) { Set(alignment_, value); }
    // Items listed last first.
    bool Inverted() const { return inverted_; }
    void SetInverted(bool value) { Set(inverted_, value); }
    TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(TColor value) { Set(shadowColor_, value); }
    int ShadowSize() const { return shadowSize_; }
    void SetShadowSize(int value) { Set(shadowSize_, value); }
    TChartHiddenPen &DividingLines() { return dividingLines_; }
    const TChartHiddenPen &DividingLines() const { return dividingLines_; }
    void SetDividingLines(const TChartPen &value) { dividingLines_.Assign(value); }

    // The style lsAuto stands for with the chart's active series now.
    TLegendStyle CalcLegendStyle() const;
    // The style of the last drawing (or of the last LegendStyle change).
    TLegendStyle ResolvedStyle() const { return resolvedStyle_; }

    // Items from FirstValue on, by the resolved style; never below 0.
    int ItemCount() const;
    // The text of item index (FirstValue counted in), after OnGetLegendText.
    QString ItemText(int index) const;
    // The text of point valueIndex of a series by TextStyle; the marks of
    // style smsLegend show it.
    QString PointText(const TChartSeries &series, int valueIndex) const;
    // The series item index belongs to (lsSeries, lsLastValues); null when
    // there is none.
    TChartSeries *ItemSeries(int index) const;
    // The widest of n item texts from FirstValue, in the canvas font; n = -1
    // means every item.
    int MaxWidth(int n) const;
    // How many items fit from position in steps of step pixels: lines down
    // the side, or columns across the top or bottom.
    int MaxItems(int position, int step) const;

    // Lays out and draws the legend, then takes its room (when ResizeChart)
    // and its margin from PlotRect. Without items nothing is drawn and
    // PlotRect is left as it was.
    void DrawLegend();

    // Working values of the last drawing.
    const TRect &LegendRect() const { return legendRect_; }
    int SymbolWidth() const { return symbolWidth_; }
    // Whether the last drawing drew a box (a legend without items draws none).
    bool Shown() const { return shown_; }
    // Whether (x, y) lies on the legend the chart shows now.
    bool Clicked(int x, int y) const;

    // Events, sender (the chart) first.
    // Resolved style, item index, text (may be replaced).
    std::function<void(TCustomAxisPanel &, TLegendStyle, int, QString &)> OnGetLegendText;
    // Item index, text position X and Y (may be moved), symbol column x
    // (informative only: the symbol follows X).
    std::function<void(TCustomAxisPanel &, int, int &, int &, int &)> OnGetLegendPos;
    // The legend's rectangle before it is drawn (may be changed).
    std::function<void(TCustomAxisPanel &, TRect &)> OnGetLegendRect;

private:
    template <typename T> void Set(T &field, const T &value) {
        if (StoreIfChanged(field, value))
            Repaint();
    }

    // The i-th active series with ShowInLegend set, or null.
    TChartSeries *LegendSeries(int index) const;
    TChartSeries *FirstActiveSeries() const;
    void DrawItem(int index, int position);
    void DrawSymbol(TChartSeries *series, int valueIndex, const TRect &rect);

    bool resizeChart_ = true;
    TLegendStyle legendStyle_ = TLegendStyle::lsAuto;
    TLegendTextStyle textStyle_ = TLegendTextStyle::ltsLeftValue;
    int colorWidth_ = 12;
    int horizMargin_ = 0;
    int vertMargin_ = 0;
    int topPos_ = 10;
    TColor color_ = clWhite;
    TChartPen frame_;
    int firstValue_ = 0;
    bool visible_ = true;
    TLegendAlignment alignment_ = TLegendAlignment::laRight;
    bool inverted_ = false;
    TColor shadowColor_ = clBlack;
    int shadowSize_ = 3;
    TChartHiddenPen dividingLines_;

    TLegendStyle resolvedStyle_ = TLegendStyle::lsValues;
    int symbolWidth_ = 0;
    TRect legendRect_;
    bool shown_ = false;

    // Layout of the drawing under way, read by each item.
    int fontHeight_ = 0;
    int textWidth_ = 0;
    int textX_ = 0;
    int columns_ = 1;
};

// The chart's legend with every setting published.
class TChartLegend : public TCustomChartLegend {
public:
    using TCustomChartLegend::TCustomChartLegend;
};

} // namespace pexor
