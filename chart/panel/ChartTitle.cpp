#include "chart/panel/ChartTitle.h"

#include "chart/panel/AxisPanel.h"
#include "chart/Canvas3D.h"

#include <algorithm>

namespace pexor {

TChartTitle::TChartTitle(TCustomAxisPanel *chart) : TChartFontObject(chart) {
    TFont font = Font();
    font.SetColor(clBlue);
    font.SetStyle(0);
    SetDefaultFont(font);
    frame_.OnChange = [this](TChartPen &) { Repaint(); };
    brush_.OnChange = [this](TChartBrush &) { Repaint(); };
}

void TChartTitle::SetText(const QStringList &value) {
    text_ = value;
    Repaint();
}

void TChartTitle::SetVisible(bool value) {
    if (visible_ == value)
        return;
    visible_ = value;
    Repaint();
}

void TChartTitle::SetAlignment(TAlignment value) {
    if (alignment_ == value)
        return;
    alignment_ = value;
    Repaint();
}

void TChartTitle::SetAdjustFrame(bool value) {
    if (adjustFrame_ == value)
        return;
    adjustFrame_ = value;
    Repaint();
}

void TChartTitle::Assign(const TChartTitle &source) {
    SetFont(source.Font());
    SetAlignment(source.alignment_);
    SetAdjustFrame(source.adjustFrame_);
    SetVisible(source.visible_);
    frame_.Assign(source.frame_);
    brush_.Assign(source.brush_);
    if (text_ != source.text_)
        SetText(source.text_);
}

void TChartTitle::Draw(bool onTop) {
    TCustomAxisPanel &chart = *ParentChart();
    TChartCanvas3D &canvas = chart.Canvas();

    chart.SetCanvasFont(Font());
    const int fh = canvas.FontHeight();
    canvas.Brush() = brush_;
    if (brush_.Color() == clAutoColor)
        canvas.Brush().SetStyle(TBrushStyle::bsClear);

    const bool framed = frame_.Visible() && frame_.Color() != clAutoColor;
    const int f = framed ? frame_.Width() : 0;
    if (framed)
        canvas.AssignVisiblePen(frame_);

    const TRect plot = chart.PlotRect();
    const int left = plot.Left + f;
    const int right = plot.Right - f;
    const int lines = int(text_.size());
    const int y = onTop ? plot.Top + f : plot.Bottom - f;
    titleRect_ =
        onTop ? TRect(left, y, right, y + lines * fh) : TRect(left, y - lines * fh, right, y);
    titleRect_ =
        TRect(titleRect_.Left - f, titleRect_.Top - f, titleRect_.Right + f, titleRect_.Bottom + f);

    if (framed && adjustFrame_) {
        int widest = 0;
        for (const QString &line : text_)
            widest = std::max(widest, canvas.TextWidth(line));
        const int m = widest + 2 * f;
        switch (alignment_) {
        case TAlignment::taLeftJustify:
            titleRect_.Right = titleRect_.Left + m;
            break;
        case TAlignment::taRightJustify:
            titleRect_.Left = titleRect_.Right - m;
            break;
        case TAlignment::taCenter: {
            const int mid = (titleRect_.Left + titleRect_.Right) / 2;
            const int half = m / 2 + 2 * f;
            titleRect_.Left = mid - half;
            titleRect_.Right = mid + half;
            break;
        }
        }
    }
    if (framed)
        canvas.Rectangle(titleRect_);

    canvas.SetBackMode(TBackMode::Transparent);
    canvas.SetTextAlign(TA_LEFT | TA_TOP);
    for (int i = 0; i < lines; ++i) {
        // The foot is laid out from its last line upwards.
        const QString &line = text_[onTop ? i : lines - 1 - i];
        const int lineY = onTop ? y + i * fh : y - (i + 1) * fh;
        int x = left;
        if (alignment_ == TAlignment::taRightJustify)
            x = right - canvas.TextWidth(line);
        else if (alignment_ == TAlignment::taCenter)
            x = (left + right) / 2 - canvas.TextWidth(line) / 2;
        canvas.TextOut(x, lineY, line);
    }

    TRect shrunk = chart.PlotRect();
    if (onTop) {
        int e = lines > 0 ? y + lines * fh : y - 5;
        if (framed)
            e += 2 * f;
        shrunk.Top = e + 5;
    } else {
        int e = lines > 0 ? y - lines * fh : y + 5;
        if (framed)
            e -= 2 * f;
        shrunk.Bottom = e - 5;
    }
    chart.SetPlotRect(shrunk);
}

} // namespace pexor
