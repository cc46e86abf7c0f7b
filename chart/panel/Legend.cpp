#include "chart/panel/Legend.h"

#include "chart/panel/AxisPanel.h"
#include "chart/Canvas3D.h"
#include "chart/style/ChartBrush.h"
#include "chart/ChartException.h"
#include "chart/series/ChartSeries.h"
#include "render/RenderCache.h"
#include "platform/Rounding.h"

#include <algorithm>

namespace pexor {

TCustomChartLegend::TCustomChartLegend(TCustomAxisPanel *chart) : TChartFontObject(chart) {
    frame_.OnChange = [this](TChartPen &) { Repaint(); };
    dividingLines_.OnChange = [this](TChartPen &) { Repaint(); };
    resolvedStyle_ = CalcLegendStyle();
}

TCustomChartLegend::~TCustomChartLegend() = default;

void TCustomChartLegend::Assign(const TCustomChartLegend &source) {
    SetFont(source.Font());
    SetResizeChart(source.resizeChart_);
    SetLegendStyle(source.legendStyle_);
    SetTextStyle(source.textStyle_);
    SetColorWidth(source.colorWidth_);
    SetHorizMargin(source.horizMargin_);
    SetVertMargin(source.vertMargin_);
    SetTopPos(source.topPos_);
    SetColor(source.color_);
    frame_.Assign(source.frame_);
    SetFirstValue(source.firstValue_);
    SetVisible(source.visible_);
    SetAlignment(source.alignment_);
    SetInverted(source.inverted_);
    SetShadowColor(source.shadowColor_);
    SetShadowSize(source.shadowSize_);
    dividingLines_.Assign(source.dividingLines_);
}

void TCustomChartLegend::SetLegendStyle(TLegendStyle value) {
    if (legendStyle_ == value)
        return;
    legendStyle_ = value;
    resolvedStyle_ = CalcLegendStyle();
    Repaint();
}

void TCustomChartLegend::SetColorWidth(int value) {
    if (value < 0 || value > 100)
        throw LegendException(
            QStringLiteral("Largeur couleur légende doit être comprise entre 0 et 100%"));
    Set(colorWidth_, value);
}

void TCustomChartLegend::SetTopPos(int value) {
    if (value < 0 || value > 100)
        throw LegendException(QStringLiteral("Position légende haut doit être entre 0 et 100 %"));
    Set(topPos_, value);
}

void TCustomChartLegend::SetFirstValue(int value) {
    if (value < 0)
        throw LegendException(QStringLiteral("La valeur de la première légende doit être > 0"));
    Set(firstValue_, value);
}

TLegendStyle TCustomChartLegend::CalcLegendStyle() const {
    if (legendStyle_ != TLegendStyle::lsAuto)
        return legendStyle_;
    const TCustomAxisPanel *chart = ParentChart();
    return chart && chart->CountActiveSeries() >= 2 ? TLegendStyle::lsSeries
                                                    : TLegendStyle::lsValues;
}

TChartSeries *TCustomChartLegend::FirstActiveSeries() const {
    if (!ParentChart())
        return nullptr;
    for (TChartSeries *series : ParentChart()->SeriesList())
        if (series->Active())
            return series;
    return nullptr;
}

TChartSeries *TCustomChartLegend::LegendSeries(int index) const {
    if (!ParentChart() || index < 0)
        return nullptr;
    for (TChartSeries *series : ParentChart()->SeriesList()) {
        if (!series->Active() || !series->ShowInLegend())
            continue;
        if (index == 0)
            return series;
        --index;
    }
    return nullptr;
}

TChartSeries *TCustomChartLegend::ItemSeries(int index) const {
    if (resolvedStyle_ == TLegendStyle::lsValues)
        return nullptr;
    return LegendSeries(index);
}

int TCustomChartLegend::ItemCount() const {
    if (!ParentChart())
        return 0;
    int count = 0;
    if (resolvedStyle_ == TLegendStyle::lsValues) {
        const TChartSeries *series = FirstActiveSeries();
        if (series && series->ShowInLegend())
            count = series->Count();
    } else {
        for (const TChartSeries *series : ParentChart()->SeriesList())
            if (series->Active() && series->ShowInLegend())
                ++count;
    }
    return std::max(0, count - firstValue_);
}

QString TCustomChartLegend::PointText(const TChartSeries &series, int valueIndex) const {
    if (valueIndex < 0 || valueIndex >= series.Count())
        return QString();
    QString label = series.PointLabel(valueIndex);
    label.replace(QChar(13), QChar(u' '));
    if (textStyle_ == TLegendTextStyle::ltsPlain)
        return label;
    if (textStyle_ == TLegendTextStyle::ltsXValue) {
        const double x = series.XValue(valueIndex);
        if (const ISeriesAxis *axis = series.GetHorizAxis())
            return axis->ValueText(x);
        return ThreadRenderCache().FormatFloat(series.ValueFormat(), x);
    }
    const TChartValueList &values = series.MainValues();
    const double value = values.Value(valueIndex);
    const double total = values.TotalAbs();
    const QString space = QStringLiteral(" ");
    const QString valueText = ThreadRenderCache().FormatFloat(series.ValueFormat(), value);
    const QString percentText =
        FormatPercent(series.PercentFormat(), total == 0 ? 1.0 : value / total);
    switch (textStyle_) {
    case TLegendTextStyle::ltsLeftValue:
        return valueText + space + label;
    case TLegendTextStyle::ltsRightValue:
        return label + space + valueText;
    case TLegendTextStyle::ltsLeftPercent:
        return percentText + space + label;
    case TLegendTextStyle::ltsRightPercent:
        return label + space + percentText;
    case TLegendTextStyle::ltsPlain:
    case TLegendTextStyle::ltsXValue:
        break;
    }
    return label;
}

QString TCustomChartLegend::ItemText(int index) const {
    QString text;
    switch (resolvedStyle_) {
    case TLegendStyle::lsSeries:
        if (const TChartSeries *series = LegendSeries(index)) {
            text = series->Title();
            if (text.isEmpty())
                text = series->Name();
            if (text.isEmpty())
                text = QStringLiteral("Series ") + QString::number(index);
        }
        break;
    case TLegendStyle::lsValues:
        if (const TChartSeries *series = FirstActiveSeries())
            text = PointText(*series, index);
        break;
    case TLegendStyle::lsLastValues:
        // A series without points has no last value to show.
        if (const TChartSeries *series = LegendSeries(index); series && series->Count() > 0)
            text = PointText(*series, series->Count() - 1);
        break;
    case TLegendStyle::lsAuto:
        break;
    }
    if (OnGetLegendText)
        OnGetLegendText(*ParentChart(), resolvedStyle_, index, text);
    return text;
}

int TCustomChartLegend::MaxWidth(int n) const {
    if (!ParentChart())
        return 0;
    if (n == -1)
        n = ItemCount();
    TChartCanvas3D &canvas = ParentChart()->Canvas();
    int widest = 0;
    for (int i = firstValue_; i < firstValue_ + n; ++i)
        widest = std::max(widest, canvas.TextWidth(ItemText(i)));
    return widest;
}

int TCustomChartLegend::MaxItems(int position, int step) const {
    const TCustomAxisPanel *chart = ParentChart();
    if (!chart || step <= 0)
        return 0;
    const TRect &plot = chart->PlotRect();
    const int fw = frame_.Width();
    int fit = 0;
    if (alignment_ == TLegendAlignment::laLeft || alignment_ == TLegendAlignment::laRight) {
        if (plot.Bottom <= position)
            return 0;
        fit = (chart->PlotHeight() - 2 * fw - position + plot.Top) / step;
    } else {
        if (plot.Right <= position)
            return 0;
        fit = (chart->PlotWidth() - 2 * fw - position) / step;
    }
    return std::clamp(fit, 0, ItemCount());
}

bool TCustomChartLegend::Clicked(int x, int y) const {
    return visible_ && shown_ && ParentChart() && ParentChart()->CountActiveSeries() > 0 &&
           legendRect_.Contains(x, y);
}

void TCustomChartLegend::DrawLegend() {
    shown_ = false;
    if (!ParentChart())
        return;
    TCustomAxisPanel &chart = *ParentChart();
    TChartCanvas3D &canvas = chart.Canvas();
    const TRect plot = chart.PlotRect();
    const TRect drawRect = chart.DrawRect();
    const bool framed = frame_.Visible();

    resolvedStyle_ = CalcLegendStyle();
    chart.SetCanvasFont(Font());
    fontHeight_ = canvas.FontHeight();
    const int fh = fontHeight_;

    int tw = MaxWidth(-1) + 4;
    int sw = Round(colorWidth_ * tw / 100.0);
    const int fw = frame_.Width();

    int top = 0;
    int bottom = 0;
    int columns = 1;
    int rows = 0;
    switch (alignment_) {
    case TLegendAlignment::laTop:
        top = plot.Top + (framed ? fw + 1 : 0);
        columns = MaxItems(8, tw + sw + 8);
        rows = columns > 0 ? 1 : 0;
        bottom = top + 2 + fh * rows;
        break;
    case TLegendAlignment::laBottom:
        bottom = plot.Bottom - shadowSize_ - (framed ? fw + 1 : 0);
        columns = MaxItems(8, tw + sw + 8);
        rows = columns > 0 ? 1 : 0;
        top = bottom - 2 - fh * rows;
        break;
    case TLegendAlignment::laLeft:
    case TLegendAlignment::laRight:
        top = drawRect.Top + Round(topPos_ * drawRect.Height() / 100.0);
        rows = MaxItems(top, fh);
        bottom = top + 2 + fh * rows;
        break;
    }

    int left = 0;
    int right = 0;
    int x = 0;
    int items = 0;
    switch (alignment_) {
    case TLegendAlignment::laLeft:
        tw = MaxWidth(rows);
        left = plot.Left + (framed ? fw + 1 : 0);
        sw = Round(colorWidth_ * (tw + 10) / 100.0);
        x = left + 8 + sw;
        right = x + tw + 2;
        items = rows;
        break;
    case TLegendAlignment::laRight:
        tw = MaxWidth(rows);
        right = plot.Right - (framed ? fw + 1 : 0) - shadowSize_;
        x = right - tw - 2;
        sw = Round(colorWidth_ * (tw + 10) / 100.0);
        left = x - sw - 8;
        items = rows;
        break;
    case TLegendAlignment::laTop:
    case TLegendAlignment::laBottom: {
        const int box = std::min(chart.PlotWidth(), 2 * shadowSize_ + (sw + tw + 4) * columns + 8);
        const int offset = Round(topPos_ * (drawRect.Width() - box) / 100.0);
        left = chart.PlotXCenter() - box / 2 + offset;
        right = chart.PlotXCenter() + box / 2 + offset;
        x = left + 8 + sw;
        items = columns * rows;
        break;
    }
    }
    legendRect_ = TRect(left, top, right, bottom);
    symbolWidth_ = sw;
    textWidth_ = tw;
    textX_ = x;
    columns_ = std::max(columns, 1);

    if (OnGetLegendRect)
        OnGetLegendRect(chart, legendRect_);

    if (items <= 0)
        return;
    shown_ = true;

    canvas.AssignVisiblePen(frame_);
    TRect box = legendRect_;
    int shadowReach = shadowSize_ - 1;
    if (framed) {
        if (frame_.Color() == clAutoColor)
            canvas.Pen().SetColor(clBlack);
        box = TRect(box.Left - fw, box.Top - fw, box.Right + fw, box.Bottom + fw);
        shadowReach = shadowSize_ + fw + (fw - 1) / 2;
    }
    canvas.Brush().SetBitmap(QImage());
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    if (shadowSize_ > 0) {
        canvas.Brush().SetColor(shadowColor_);
        canvas.FillRect(TRect(legendRect_.Left + shadowSize_, legendRect_.Top + shadowSize_,
                              legendRect_.Right + shadowReach, legendRect_.Bottom + shadowReach));
    }
    canvas.Brush().SetColor(color_);
    canvas.Rectangle(box);

    const int last = items + firstValue_ - 1;
    for (int i = firstValue_; i <= last; ++i)
        DrawItem(i, inverted_ ? last - i : i - firstValue_);

    const int plotWidth = chart.PlotWidth();
    const int plotHeight = chart.PlotHeight();
    TRect shrunk = chart.PlotRect();
    if (resizeChart_) {
        switch (alignment_) {
        case TLegendAlignment::laLeft:
            shrunk.Left = legendRect_.Right;
            break;
        case TLegendAlignment::laRight:
            shrunk.Right = legendRect_.Left;
            break;
        case TLegendAlignment::laTop:
            shrunk.Top = legendRect_.Bottom + shadowSize_;
            break;
        case TLegendAlignment::laBottom:
            shrunk.Bottom = legendRect_.Top;
            break;
        }
    }
    const int hm = horizMargin_ != 0 ? horizMargin_ : MulDiv(3, plotWidth, 100);
    const int vm = vertMargin_ != 0 ? vertMargin_ : MulDiv(4, plotHeight, 100);
    switch (alignment_) {
    case TLegendAlignment::laLeft:
        shrunk.Left += hm;
        break;
    case TLegendAlignment::laRight:
        shrunk.Right -= hm;
        break;
    case TLegendAlignment::laTop:
        shrunk.Top += vm;
        break;
    case TLegendAlignment::laBottom:
        shrunk.Bottom -= vm;
        break;
    }
    chart.SetPlotRect(shrunk);
}

void TCustomChartLegend::DrawItem(int index, int position) {
    if (position >= ItemCount())
        return;
    TCustomAxisPanel &chart = *ParentChart();
    TChartCanvas3D &canvas = chart.Canvas();
    const int fh = fontHeight_;
    const bool sideways =
        alignment_ == TLegendAlignment::laLeft || alignment_ == TLegendAlignment::laRight;

    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.Brush().SetColor(color_);
    int x = textX_;
    int y = legendRect_.Top + 1;
    if (sideways)
        y += fh * position;
    else
        x += (position % columns_) * (textWidth_ + symbolWidth_ + 4);
    int xColor =
        alignment_ == TLegendAlignment::laRight ? textX_ - symbolWidth_ - 4 : legendRect_.Left + 4;
    if (OnGetLegendPos)
        OnGetLegendPos(chart, index, x, y, xColor);

    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    const TRect symbol(x - 4 - symbolWidth_, y + 2, x - 4, y + fh - 2);
    const QString text = ItemText(index);
    if (!text.isEmpty()) {
        canvas.SetBackMode(TBackMode::Transparent);
        canvas.SetTextAlign(TA_LEFT | TA_TOP);
        canvas.TextOut(x, y, text);
        if (resolvedStyle_ == TLegendStyle::lsValues)
            DrawSymbol(FirstActiveSeries(), index, symbol);
        else
            DrawSymbol(LegendSeries(index), -1, symbol);
    }

    if (position > 0 && dividingLines_.Visible()) {
        canvas.AssignVisiblePen(dividingLines_);
        canvas.SetBackMode(TBackMode::Transparent);
        if (sideways)
            canvas.HLine(legendRect_.Left, legendRect_.Right, y);
        else
            canvas.VLine(symbol.Left - 4, legendRect_.Top, legendRect_.Bottom);
    }
}

void TCustomChartLegend::DrawSymbol(TChartSeries *series, int valueIndex, const TRect &rect) {
    TCustomAxisPanel &chart = *ParentChart();
    TChartCanvas3D &canvas = chart.Canvas();
    // Outlines stay visible on a black legend.
    canvas.ReferenceCanvas().SetPen(
        TPen(color_ == clBlack ? clWhite : clBlack, 1, TPenStyle::psSolid));
    if (!series) {
        canvas.Brush().SetBitmap(QImage());
        canvas.Brush().SetColor(clWhite);
        canvas.Brush().SetStyle(TBrushStyle::bsSolid);
        canvas.Rectangle(rect);
        return;
    }
    if (valueIndex == -1 && series->ColorEachPoint())
        return;
    const TColor color = valueIndex == -1 ? series->SeriesColor() : series->PointColor(valueIndex);
    if (color == clNone)
        return;
    TColor backColor = color_;
    TBrushStyle style = TBrushStyle::bsSolid;
    series->PrepareLegendCanvas(canvas, valueIndex, backColor, style);
    if (backColor == clAutoColor)
        backColor = color_;
    if (backColor == clAutoColor)
        backColor = chart.Color();
    ApplyChartBrush(canvas, color, style, backColor);
    series->DrawLegendShape(canvas, valueIndex, rect, color_);
}

} // namespace pexor
