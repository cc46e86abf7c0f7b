#include "chart/axes/AxisLabels.h"
#include "chart/panel/AxisPanel.h"
#include "chart/Canvas3D.h"
#include "chart/axes/ChartAxis.h"
#include "chart/series/ChartSeries.h"

#include <QStringList>
#include <cmath>

namespace pexor {

// One drawing of one axis. Positions are counted along the axis (x for a
// horizontal axis, y for a vertical one, depth for the depth axis) and across
// it (the other coordinate); every line and text goes through Point, so the
// four sides and the depth axis share one routine.
class TAxisDrawer {
public:
    explicit TAxisDrawer(TCustomChartAxis &axis)
        : axis_(axis), chart_(*axis.chart_), canvas_(chart_.Canvas()) {}

    void Draw(bool calcPosition);

private:
    struct TPoint3 {
        int X, Y, Z;
    };

    TPoint3 Point(int along, int across) const;
    void Segment(int along, int across0, int across1);
    void Line(TPoint3 a, TPoint3 b);
    // +1 when the outside of the plot lies towards larger coordinates
    // (bottom and right axes), -1 otherwise.
    int Outward() const {
        if (axis_.depth_)
            return 1;
        return axis_.horizontal_ != axis_.otherSide_ ? 1 : -1;
    }
    int Depth() const { return axis_.otherSide_ ? chart_.Depth3D() : 0; }
    int OwnWall() const { return chart_.AxisWallSize(axis_); }

    void DrawTitle();
    void DrawValueLabels(double step, int exactIndex);
    void DrawCustomLabels(double step, int exactIndex);
    void DrawValueLabel(double value);
    void DrawSeriesLabels(TAxisLabelStyle style);
    void DrawLabel(int position, double labelValue, const QString &text, bool check);
    void DrawText(int along, int across, int angle, const TFont &font, const QString &text);
    void DrawTicksAndGrid(int position, double labelValue);
    void DrawGrid(int position);
    void DrawAxisLine();

    TCustomChartAxis &axis_;
    TCustomAxisPanel &chart_;
    TChartCanvas3D &canvas_;
    TLabelOverlap overlap_;
    bool hasPreviousTick_ = false;
    int previousTick_ = 0;
};

TAxisDrawer::TPoint3 TAxisDrawer::Point(int along, int across) const {
    if (axis_.depth_)
        return {across, chart_.PlotRect().Bottom, along};
    if (axis_.horizontal_)
        return {along, across, Depth()};
    return {across, along, Depth()};
}

void TAxisDrawer::Line(TPoint3 a, TPoint3 b) {
    canvas_.MoveTo3D(a.X, a.Y, a.Z);
    canvas_.LineTo3D(b.X, b.Y, b.Z);
}

void TAxisDrawer::Segment(int along, int across0, int across1) {
    Line(Point(along, across0), Point(along, across1));
}

void TAxisDrawer::Draw(bool calcPosition) {
    TCustomChartAxis &a = axis_;
    a.dateTime_ = a.CalcDateTime();
    chart_.SetCanvasFont(a.labelsFont_);
    const double step = a.LabelStep();
    if (calcPosition) {
        const TRect &r = chart_.PlotRect();
        if (a.depth_)
            a.posAxis_ = r.Right;
        else if (a.horizontal_)
            a.posAxis_ = a.otherSide_ ? r.Top : r.Bottom;
        else
            a.posAxis_ = a.otherSide_ ? r.Right : r.Left;
    }

    if (!a.title_.Caption().isEmpty())
        DrawTitle();

    int exactIndex = -1;
    if (a.dateTime_ && a.exactDateTime_)
        exactIndex = ExactDateTimeStep(a.increment_, step);

    if ((step > 0 || exactIndex >= dtHalfMonth) && a.workMax_ >= a.workMin_) {
        switch (a.CalcLabelStyle()) {
        case talValue:
            if (chart_.OnGetNextAxisLabel)
                DrawCustomLabels(step, exactIndex);
            else
                DrawValueLabels(step, exactIndex);
            break;
        case talText:
        case talMark:
            DrawSeriesLabels(a.CalcLabelStyle());
            break;
        default:
            break;
        }
    }

    if (a.axis_.Visible())
        DrawAxisLine();
}

void TAxisDrawer::DrawTitle() {
    const TCustomChartAxis &a = axis_;
    int centre;
    if (a.depth_)
        centre = chart_.Depth3D() / 2;
    else
        centre = a.horizontal_ ? chart_.PlotXCenter() : chart_.PlotYCenter();
    DrawText(centre, a.posTitle_, a.title_.Angle(), a.title_.Font(), a.title_.Caption());
    chart_.SetCanvasFont(a.labelsFont_);
}

void TAxisDrawer::DrawValueLabels(double step, int exactIndex) {
    TValueLabelOptions o;
    o.WorkMin = axis_.workMin_;
    o.WorkMax = axis_.workMax_;
    o.Step = exactIndex >= 0 ? DateTimeStep[std::size_t(exactIndex)] : step;
    o.RoundFirstLabel = axis_.roundFirstLabel_;
    o.LabelsOnAxis = axis_.labelsOnAxis_;
    o.ExactStepIndex = exactIndex;
    for (double v : ValueLabelValues(o))
        DrawValueLabel(v);
}

void TAxisDrawer::DrawCustomLabels(double step, int exactIndex) {
    const TCustomChartAxis &a = axis_;
    double value = a.workMin_;
    for (int index = 0; index <= 1000; ++index) {
        bool stop = true;
        chart_.OnGetNextAxisLabel(axis_, index, value, stop);
        if (stop) {
            if (index == 0)
                DrawValueLabels(step, exactIndex);
            return;
        }
        if (value < a.workMin_ - 1e-7 || value > a.workMax_ + 1e-7)
            return;
        DrawValueLabel(value);
    }
}

void TAxisDrawer::DrawValueLabel(double value) {
    const int position = axis_.ValueToPixel(value);
    if (!axis_.tickOnLabelsOnly_)
        DrawTicksAndGrid(position, value);
    if (axis_.labels_)
        DrawLabel(position, value, axis_.ValueText(value), false);
}

void TAxisDrawer::DrawSeriesLabels(TAxisLabelStyle style) {
    TCustomChartAxis &a = axis_;
    TChartSeries *series = nullptr;
    for (TChartSeries *s : chart_.SeriesList())
        if (s->Active() && s->AssociatedToAxis(a)) {
            series = s;
            break;
        }
    if (!series)
        return;
    series->CalcVisibleRange();
    if (series->FirstVisibleIndex() < 0)
        return;
    for (int i = series->FirstVisibleIndex(); i <= series->LastVisibleIndex(); ++i) {
        const double value = a.horizontal_ ? series->XValue(i) : series->YValue(i);
        if (value < a.workMin_ || value > a.workMax_)
            continue;
        const int position = a.ValueToPixel(value);
        if (!a.tickOnLabelsOnly_)
            DrawTicksAndGrid(position, value);
        if (a.labels_)
            DrawLabel(position, value, a.SeriesLabelText(*series, i, style),
                      a.labelsSeparation_ != 0);
    }
}

void TAxisDrawer::DrawLabel(int position, double labelValue, const QString &text, bool check) {
    const TCustomChartAxis &a = axis_;
    int extent = a.horizontal_ ? canvas_.TextWidth(text) : canvas_.FontHeight();
    if (a.labelsAngle_ == 90 || a.labelsAngle_ == 270)
        extent = a.horizontal_ ? canvas_.FontHeight() : canvas_.TextWidth(text);
    extent += int(std::trunc(extent * 0.02 * a.labelsSeparation_));
    if (!overlap_.Accept(position, extent / 2, check))
        return;
    if (a.tickOnLabelsOnly_)
        DrawTicksAndGrid(position, labelValue);
    DrawText(position, a.posLabels_, a.labelsAngle_, a.labelsFont_, text);
}

// The label-text routine: alignment by side and angle, several lines one font
// height apart, at the front or at the back of the 3D box.
void TAxisDrawer::DrawText(int along, int across, int angle, const TFont &font,
                           const QString &text) {
    const TCustomChartAxis &a = axis_;
    chart_.SetCanvasFont(font);
    TColor color = font.Color();
    if (chart_.Printing() && color == clWhite)
        color = clBlack;
    canvas_.Font().SetColor(color);
    canvas_.Brush().SetColor(chart_.Color());
    canvas_.Brush().SetStyle(TBrushStyle::bsClear);
    canvas_.SetBackMode(TBackMode::Transparent);

    const bool horizontal = a.horizontal_ && !a.depth_;
    const int fontHeight = canvas_.FontHeight();
    const TLabelPlacement place = PlaceLabel(horizontal, a.otherSide_, angle, fontHeight);
    canvas_.SetTextAlign(unsigned(place.Align));

    const QStringList lines = text.split(QChar(13));
    const int first = FirstLineOffset(horizontal, a.otherSide_, angle, int(lines.size()),
                                      place.LineStep);
    const TPoint3 origin = Point(along, across);
    for (int i = 0; i < lines.size(); ++i) {
        const int offset = first + i * place.LineStep;
        int x = origin.X + place.Dx;
        int y = origin.Y + place.Dy;
        if (LinesAlongX(angle))
            x += offset;
        else
            y += offset;
        if (angle == 0)
            canvas_.TextOut3D(x, y, origin.Z, lines[i]);
        else
            canvas_.RotatedText3D(x, y, origin.Z, lines[i], angle);
    }
}

void TAxisDrawer::DrawTicksAndGrid(int position, double labelValue) {
    TCustomChartAxis &a = axis_;
    const int out = Outward();
    const int base = a.posAxis_ + out * OwnWall();

    if (a.ticks_.Visible()) {
        canvas_.AssignVisiblePen(a.ticks_);
        Segment(position, base + out, base + out + out * a.tickLength_);
    }
    if (a.grid_.Visible() && labelValue != a.workMax_ && labelValue != a.workMin_) {
        int at = position;
        if (a.gridCentered_ && hasPreviousTick_)
            at = TCustomChartAxis::RoundPixel((position + previousTick_) * 0.5);
        DrawGrid(at);
    }
    if (a.ticksInner_.Visible()) {
        canvas_.AssignVisiblePen(a.ticksInner_);
        Segment(position, base - out, base - out - out * a.tickInnerLength_);
    }
    if (a.minorTicks_.Visible() && hasPreviousTick_) {
        canvas_.AssignVisiblePen(a.minorTicks_);
        for (int i = 1; i <= a.minorTickCount_; ++i) {
            const int p = position - TCustomChartAxis::RoundPixel(
                                         double(i) * (position - previousTick_) /
                                         (a.minorTickCount_ + 1));
            Segment(p, base + out, base + out + out * a.minorTickLength_);
        }
    }
    previousTick_ = position;
    hasPreviousTick_ = true;
}

void TAxisDrawer::DrawGrid(int position) {
    TCustomChartAxis &a = axis_;
    TChartPen pen = a.grid_;
    if (pen.Color() == clAutoColor)
        pen.SetColor(clGray);
    chart_.CheckPrintPen(pen);
    canvas_.AssignVisiblePen(pen);
    canvas_.SetBackMode(TBackMode::Transparent);

    const TRect &r = chart_.PlotRect();
    int opposite;
    if (a.depth_)
        opposite = r.Left;
    else if (a.horizontal_)
        opposite = a.otherSide_ ? r.Bottom : r.Top;
    else
        opposite = a.otherSide_ ? r.Left : r.Right;

    if (a.depth_) {
        Segment(position, a.posAxis_, opposite);
        return;
    }
    if (!chart_.View3D()) {
        Segment(position, a.posAxis_ - Outward(), opposite);
        return;
    }
    const int depth = chart_.Depth3D();
    if (!a.otherSide_) {
        // Across the floor or the left wall, solid, then up the back wall.
        const TPoint3 front = Point(position, a.posAxis_);
        canvas_.Pen().SetStyle(TPenStyle::psSolid);
        Line({front.X, front.Y, 0}, {front.X, front.Y, depth});
        canvas_.AssignVisiblePen(pen);
    }
    TPoint3 from = Point(position, a.posAxis_);
    TPoint3 to = Point(position, opposite);
    from.Z = depth;
    to.Z = depth;
    Line(from, to);
}

void TAxisDrawer::DrawAxisLine() {
    TCustomChartAxis &a = axis_;
    canvas_.AssignVisiblePen(a.axis_);
    const TRect &r = chart_.PlotRect();
    if (a.depth_) {
        Line(Point(0, a.posAxis_), Point(chart_.Depth3D(), a.posAxis_));
        return;
    }
    const int across = a.posAxis_ + Outward() * OwnWall();
    if (a.horizontal_) {
        const int start = r.Left - (a.otherSide_ ? 0 : chart_.AxisWallSize(chart_.LeftAxis()));
        Line(Point(start, across), Point(r.Right, across));
    } else {
        const int end = r.Bottom + (a.otherSide_ ? 0 : chart_.AxisWallSize(chart_.BottomAxis()));
        Line(Point(r.Top, across), Point(end, across));
    }
}

void TCustomChartAxis::Draw(bool calcPosition) { TAxisDrawer(*this).Draw(calcPosition); }

} // namespace pexor
