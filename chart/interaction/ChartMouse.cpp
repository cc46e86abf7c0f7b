#include "chart/interaction/ChartMouse.h"

#include "chart/interaction/ChartZoom.h"
#include "chart/panel/AxisPanel.h"
#include "chart/panel/ChartTitle.h"
#include "chart/panel/Legend.h"
#include "platform/StoreIfChanged.h"

#include <algorithm>
#include <cstdlib>

namespace pexor {

namespace {

// The point of series under (x, y): the position is taken back to flat
// coordinates at the series' front before the series is asked.
int PointUnder(TCustomAxisPanel &chart, TChartSeries &series, int x, int y) {
    chart.Canvas().Unproject(x, y, series.StartZ());
    return series.Clicked(x, y);
}

bool Pans(TPanningMode mode, bool horizontal) {
    if (mode == TPanningMode::pmBoth)
        return true;
    return mode == (horizontal ? TPanningMode::pmHorizontal : TPanningMode::pmVertical);
}

} // namespace

TChartMouse::TChartMouse(TCustomAxisPanel &panel, TChartZoom &zoom, IChartWindow &window,
                         TClickTargets targets)
    : panel_(panel), zoom_(zoom), window_(window), targets_(targets) {}

// A changed setting asks for a repaint, as the chart's own settings do.
void TChartMouse::SetAllowZoom(bool value) {
    if (StoreIfChanged(allowZoom_, value))
        panel_.Invalidate();
}

void TChartMouse::SetAllowPanning(TPanningMode value) {
    if (StoreIfChanged(allowPanning_, value))
        panel_.Invalidate();
}

TChartClickedPart TChartMouse::CalcClickedPart(int x, int y) {
    using enum TChartClickedPartStyle;
    TCustomAxisPanel &chart = panel_;
    TChartClickedPart part;
    if (targets_.Legend.Visible() && targets_.Legend.Clicked(x, y)) {
        part.Part = cpLegend;
        return part;
    }
    const std::vector<TChartSeries *> &list = chart.SeriesList();
    for (auto it = list.rbegin(); it != list.rend(); ++it) {
        TChartSeries &series = **it;
        if (!series.Active())
            continue;
        const int index = PointUnder(chart, series, x, y);
        if (index != -1) {
            part.Part = cpSeries;
            part.ASeries = &series;
            part.PointIndex = index;
            return part;
        }
    }
    TCustomChartAxis *const axes[] = {&chart.TopAxis(), &chart.BottomAxis(), &chart.LeftAxis(),
                                      &chart.RightAxis(), &chart.DepthAxis()};
    for (TCustomChartAxis *axis : axes) {
        if (axis->Clicked(x, y)) {
            part.Part = cpAxis;
            part.AAxis = axis;
            return part;
        }
    }
    if (targets_.Title.Clicked(x, y))
        part.Part = cpTitle;
    else if (targets_.Foot.Clicked(x, y))
        part.Part = cpFoot;
    else if (chart.PlotRect().Contains(x, y) && chart.CountActiveSeries() >= 1)
        part.Part = cpChartRect;
    return part;
}

bool TChartMouse::Offer(const std::function<void()> &handler) {
    TCustomAxisPanel &chart = panel_;
    chart.SetCancelMouse(true);
    handler();
    return chart.CancelMouse();
}

void TChartMouse::OfferBackground(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x,
                                  int y) {
    if (OnClickBackground)
        Offer([&] { OnClickBackground(panel_, button, shift, x, y); });
}

void TChartMouse::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y,
                            bool doubleClick) {
    using enum TChartClickedPartStyle;
    TCustomAxisPanel &chart = panel_;
    if (OnMouseDown)
        OnMouseDown(chart, button, shift, x, y);
    if (zoom_.Drag().Active || panDrag_.Active)
        return;
    if (chart.CancelMouse()) {
        chart.SetCancelMouse(false);
        return;
    }
    const TChartClickedPart part = CalcClickedPart(x, y);
    bool handled = false;
    switch (part.Part) {
    case cpLegend:
        if (OnClickLegend)
            Offer([&] { OnClickLegend(chart, button, shift, x, y); });
        else
            OfferBackground(button, shift, x, y);
        break;
    case cpSeries:
        handled = part.ASeries->ClickedPoint(part.PointIndex, button, shift, x, y, doubleClick);
        if (OnClickSeries)
            handled = Offer(
                [&] { OnClickSeries(chart, *part.ASeries, part.PointIndex, button, shift, x, y); });
        if (!handled)
            StartDrag(button, x, y);
        break;
    case cpAxis:
        if (OnClickAxis)
            handled = Offer([&] { OnClickAxis(chart, *part.AAxis, button, shift, x, y); });
        if (!handled)
            StartDrag(button, x, y);
        break;
    case cpChartRect:
        if (OnClickBackground)
            handled = Offer([&] { OnClickBackground(chart, button, shift, x, y); });
        if (!handled)
            StartDrag(button, x, y);
        break;
    case cpTitle:
    case cpFoot:
    case cpNone:
        OfferBackground(button, shift, x, y);
        break;
    }
    chart.SetCancelMouse(false);
}

bool TChartMouse::StartDrag(Qt::MouseButton button, int x, int y) {
    if (allowZoom_ && button == ZoomButton) {
        window_.SetChartCursor(0);
        zoom_.Drag().Activate(x, y);
        DrawZoomFrame();
        return true;
    }
    if (allowPanning_ != TPanningMode::pmNone && button == PanButton) {
        window_.SetChartCursor(0);
        panDrag_.Activate(x, y);
        return true;
    }
    return false;
}

void TChartMouse::MouseMove(Qt::KeyboardModifiers shift, int x, int y) {
    TCustomAxisPanel &chart = panel_;
    if (OnMouseMove)
        OnMouseMove(chart, shift, x, y);
    TZoomPanningRecord &zoom = zoom_.Drag();
    if (zoom.Active) {
        if (x == zoom.X1 && y == zoom.Y1)
            return;
        DrawZoomFrame();
        zoom.X1 = x;
        zoom.Y1 = y;
        DrawZoomFrame();
        return;
    }
    if (panDrag_.Active) {
        PanTo(x, y);
        return;
    }
    TrackSeriesCursor(x, y);
}

void TChartMouse::PanTo(int x, int y) {
    TCustomAxisPanel &chart = panel_;
    TZoomPanningRecord &pan = panDrag_;
    if (!chart.PlotRect().Contains(x, y)) {
        pan.Active = false;
        return;
    }
    if (x == pan.X1 && y == pan.Y1)
        return;
    zoom_.SaveScales();
    bool panned = false;
    if (x != pan.X1 && Pans(allowPanning_, true)) {
        zoom_.PanAxis(chart.BottomAxis(), pan.X1, x);
        zoom_.PanAxis(chart.TopAxis(), pan.X1, x);
        panned = true;
    }
    if (y != pan.Y1 && Pans(allowPanning_, false)) {
        zoom_.PanAxis(chart.LeftAxis(), pan.Y1, y);
        zoom_.PanAxis(chart.RightAxis(), pan.Y1, y);
        panned = true;
    }
    pan.X1 = x;
    pan.Y1 = y;
    if (!panned)
        return;
    if (zoom_.OnScroll)
        zoom_.OnScroll(chart);
    chart.Invalidate();
}

void TChartMouse::TrackSeriesCursor(int x, int y) {
    TCustomAxisPanel &chart = panel_;
    bool cursorSet = false;
    const std::vector<TChartSeries *> list = chart.SeriesList();
    for (TChartSeries *series : list) {
        if (series->Active() && series->Cursor() != 0 && PointUnder(chart, *series, x, y) != -1) {
            window_.SetChartCursor(series->Cursor());
            cursorSet = true;
            break;
        }
    }
    for (TChartSeries *series : list)
        series->MouseMoved(x, y);
    if (!cursorSet)
        window_.RestoreCursor();
}

void TChartMouse::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
    TCustomAxisPanel &chart = panel_;
    if (OnMouseUp)
        OnMouseUp(chart, button, shift, x, y);
    const std::vector<TChartSeries *> list = chart.SeriesList();
    for (TChartSeries *series : list)
        series->MouseReleased(x, y);
    TZoomPanningRecord &zoom = zoom_.Drag();
    if (zoom.Active && button == ZoomButton) {
        zoom.Active = false;
        DrawZoomFrame();
        zoom.X1 = x;
        zoom.Y1 = y;
        if (std::abs(zoom.X1 - zoom.X0) > MinZoomDragPixels &&
            std::abs(zoom.Y1 - zoom.Y0) > MinZoomDragPixels) {
            // Dragged right and down zooms; any other way undoes.
            if (zoom.X1 > zoom.X0 && zoom.Y1 > zoom.Y0)
                zoom_.ZoomToDraggedRect();
            else
                zoom_.UndoZoom();
            chart.Invalidate();
        }
    }
    panDrag_.Active = false;
}

void TChartMouse::DrawZoomFrame() {
    const TZoomPanningRecord &zoom = zoom_.Drag();
    DrawZoomFrameOnWindow(TRect(zoom.X0, zoom.Y0, zoom.X1, zoom.Y1));
}

void TChartMouse::DrawZoomFrameOnWindow(const TRect &frame) {
    const auto it = std::find(windowFrames_.begin(), windowFrames_.end(), frame);
    if (it != windowFrames_.end())
        windowFrames_.erase(it);
    else
        windowFrames_.push_back(frame);
    window_.WindowFramesChanged();
}

void TChartMouse::PaintWindowFrames(Canvas &window, bool pictureRedrawn) {
    if (pictureRedrawn) {
        windowFrames_.clear();
        return;
    }
    for (const TRect &frame : windowFrames_)
        pexor::DrawZoomFrame(window, panel_.Color(), frame);
}

} // namespace pexor
