#include "chart/draw/SeriesMarksDraw.h"

#include "chart/Canvas3D.h"
#include "chart/ChartPanel.h"
#include "chart/series/ChartSeries.h"
#include "platform/Rounding.h"

#include <QStringList>
#include <algorithm>

namespace pexor {

namespace {

void DrawArrow(TChartCanvas3D &canvas, const TSeriesMarks &marks, const TSeriesMarkPosition &pos,
               int z, bool is3D, TColor pointColor, TColor chartColor) {
    canvas.AssignVisiblePen(marks.Arrow());
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    // An arrow in the point's or the chart's colour would not be seen.
    const TColor color = canvas.Pen().Color();
    if (color == pointColor || color == chartColor)
        canvas.Pen().SetColor(ColorToRGB(chartColor) == clBlack ? clWhite : clBlack);
    if (is3D) {
        canvas.MoveTo3D(pos.ArrowFrom.x(), pos.ArrowFrom.y(), z);
        canvas.LineTo3D(pos.ArrowTo.x(), pos.ArrowTo.y(), z);
    } else {
        canvas.Line(pos.ArrowFrom.x(), pos.ArrowFrom.y(), pos.ArrowTo.x(), pos.ArrowTo.y());
    }
}

void DrawMark(TChartSeries &series, TCustomChartPanel &chart, int valueIndex,
              const QStringList &lines, int fontHeight) {
    TChartCanvas3D &canvas = chart.Canvas();
    TSeriesMarks &marks = series.Marks();
    const TChartPen &frame = marks.Frame();
    const bool is3D = chart.View3D();

    int widest = 0;
    for (const QString &line : lines)
        widest = std::max(widest, canvas.TextWidth(line));
    int width = canvas.TextWidth(QStringLiteral("W")) + widest;
    int height = int(lines.size()) * fontHeight;
    canvas.AssignVisiblePen(frame);
    if (frame.Visible()) {
        width += 2 * frame.Width();
        height += 2 * frame.Width();
    }

    const int x = series.XPixel(valueIndex);
    const int y = series.YPixel(valueIndex);
    TSeriesMarkPosition pos;
    pos.ArrowFrom = QPoint(x, y);
    pos.ArrowTo = pos.ArrowFrom;
    pos.LeftTop = QPoint(x - width / 2, y - height + 1);
    pos.Width = width;
    pos.Height = height;
    int z = marks.ZPosition();
    series.PositionMark(valueIndex, pos, z);

    TSeriesMarksPositions &positions = marks.Positions();
    positions.EnsureCount(valueIndex + 1);
    if (const TSeriesMarkPosition *stored = positions.Position(valueIndex);
        stored && stored->Custom)
        pos = *stored;
    else
        positions.SetPosition(valueIndex, pos);

    if (marks.Arrow().Visible())
        DrawArrow(canvas, marks, pos, z, is3D, series.PointColor(valueIndex), chart.Color());

    QPoint leftTop = pos.LeftTop;
    if (is3D)
        leftTop += canvas.Project(pos.ArrowTo.x(), pos.ArrowTo.y(), z) - pos.ArrowTo;

    if (frame.Visible() || !marks.Transparent()) {
        canvas.Brush().SetBitmap(QImage());
        canvas.Brush().SetColor(marks.BackColor());
        canvas.Brush().SetStyle(marks.Transparent() ? TBrushStyle::bsClear : TBrushStyle::bsSolid);
        canvas.AssignVisiblePen(frame);
        canvas.Rectangle(leftTop.x(), leftTop.y(), leftTop.x() + pos.Width,
                         leftTop.y() + pos.Height);
    }
    const int textTop = leftTop.y() + (frame.Visible() ? frame.Width() : 0);

    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    canvas.SetBackMode(TBackMode::Transparent);
    const unsigned savedAlign = canvas.TextAlign();
    canvas.SetTextAlign(TA_CENTER | TA_TOP);
    const int textX = leftTop.x() + pos.Width / 2;
    for (int k = 0; k < int(lines.size()); ++k)
        canvas.TextOut(textX, textTop + k * fontHeight, lines[k]);
    canvas.SetTextAlign(savedAlign);
}

} // namespace

void DrawMarks(TChartSeries &series, TCustomChartPanel &chart) {
    TSeriesMarks &marks = series.Marks();
    const int first = series.FirstVisibleIndex();
    const int last = series.LastVisibleIndex();
    if (!marks.Visible() || first < 0)
        return;

    TChartCanvas3D &canvas = chart.Canvas();
    TFont font = marks.Font();
    if (chart.View3D())
        font.SetSize(std::max(1, Round(font.Size() * chart.View3DOptions().Zoom() * 0.01)));
    chart.SetCanvasFont(font);
    const int fontHeight = canvas.FontHeight();

    for (int i = first; i <= last && i < series.Count(); ++i) {
        if (series.PointColor(i) == clNone)
            continue;
        const QString text = series.MarkText(i);
        if (text.isEmpty())
            continue;
        DrawMark(series, chart, i, text.split(QChar(13)), fontHeight);
    }
}

} // namespace pexor
