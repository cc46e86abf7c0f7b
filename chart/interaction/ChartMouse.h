#pragma once

#include "chart/interaction/ChartWindow.h"
#include "chart/interaction/ZoomPanningRecord.h"
#include "render/Canvas.h"
#include "render/Rect.h"

#include <Qt>
#include <functional>
#include <vector>

namespace pexor {

class TCustomAxisPanel;
class TCustomChartAxis;
class TChartSeries;
class TChartLegend;
class TChartTitle;
class TChartZoom;

enum class TPanningMode { pmNone, pmHorizontal, pmVertical, pmBoth };

// The buttons that start a zoom drag and a pan drag; no shift key is needed.
inline constexpr Qt::MouseButton ZoomButton = Qt::LeftButton;
inline constexpr Qt::MouseButton PanButton = Qt::RightButton;
// A zoom drag must go further than this across and down to count.
inline constexpr int MinZoomDragPixels = 16;

enum class TChartClickedPartStyle {
    cpNone,
    cpLegend,
    cpAxis,
    cpSeries,
    cpTitle,
    cpFoot,
    cpChartRect
};

// What lies under a point of the chart.
struct TChartClickedPart {
    TChartClickedPartStyle Part = TChartClickedPartStyle::cpNone;
    TChartSeries *ASeries = nullptr;
    int PointIndex = -1;
    TCustomChartAxis *AAxis = nullptr;
};

// The chart's mouse: what lies under the mouse, the click events, the zoom
// drag with the left button and the pan drag with the right one. Positions
// are client coordinates. A part of the chart: besides the axis panel and
// its zoom it hit-tests the legend, the title and the foot, and asks the
// window for cursors and repaints.
class TChartMouse {
public:
    // The pieces of the chart a press may land on, besides the axis panel's
    // series and axes.
    struct TClickTargets {
        const TChartLegend &Legend;
        const TChartTitle &Title;
        const TChartTitle &Foot;
    };

    TChartMouse(TCustomAxisPanel &panel, TChartZoom &zoom, IChartWindow &window,
                TClickTargets targets);
    TChartMouse(const TChartMouse &) = delete;
    TChartMouse &operator=(const TChartMouse &) = delete;

    bool AllowZoom() const { return allowZoom_; }
    void SetAllowZoom(bool value);
    TPanningMode AllowPanning() const { return allowPanning_; }
    void SetAllowPanning(TPanningMode value);
    TZoomPanningRecord &PanDrag() { return panDrag_; }
    const TZoomPanningRecord &PanDrag() const { return panDrag_; }

    // Legend, series points from the last series, axes, title, foot, plot
    // area, in this order.
    TChartClickedPart CalcClickedPart(int x, int y);

    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y,
                   bool doubleClick = false);
    void MouseMove(Qt::KeyboardModifiers shift, int x, int y);
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);

    // The control's own mouse events, called first. Sender: the chart.
    using TMouseEvent =
        std::function<void(TCustomAxisPanel &, Qt::MouseButton, Qt::KeyboardModifiers, int, int)>;
    TMouseEvent OnMouseDown;
    std::function<void(TCustomAxisPanel &, Qt::KeyboardModifiers, int, int)> OnMouseMove;
    TMouseEvent OnMouseUp;

    // Click events. A handler takes the press by leaving CancelMouse set.
    TMouseEvent OnClickLegend;
    // Offered presses on the plot area before a drag may start, and the
    // presses on the title, the foot, nothing, or on the legend when
    // OnClickLegend is not assigned. Called at most once per press.
    TMouseEvent OnClickBackground;
    std::function<void(TCustomAxisPanel &, TChartSeries &, int, Qt::MouseButton,
                       Qt::KeyboardModifiers, int, int)>
        OnClickSeries;
    std::function<void(TCustomAxisPanel &, TCustomChartAxis &, Qt::MouseButton,
                       Qt::KeyboardModifiers, int, int)>
        OnClickAxis;

    // The frames drawn on the window since its picture was last drawn; a
    // window paint copies the picture and draws them again over it. A frame
    // drawn twice has cancelled itself out and is dropped.
    const std::vector<TRect> &WindowFrames() const { return windowFrames_; }
    // Replays the window frames on a window just painted; when the picture
    // was drawn anew they are part of it already (or gone) and forgotten.
    void PaintWindowFrames(Canvas &window, bool pictureRedrawn);

private:
    bool StartDrag(Qt::MouseButton button, int x, int y);
    // Calls a click handler with CancelMouse set; answers whether it took
    // the press.
    bool Offer(const std::function<void()> &handler);
    void OfferBackground(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void DrawZoomFrame();
    // Draws the zoom frame once on the window in not-xor.
    void DrawZoomFrameOnWindow(const TRect &frame);
    void PanTo(int x, int y);
    void TrackSeriesCursor(int x, int y);

    TCustomAxisPanel &panel_;
    TChartZoom &zoom_;
    IChartWindow &window_;
    TClickTargets targets_;
    TZoomPanningRecord panDrag_;
    TPanningMode allowPanning_ = TPanningMode::pmBoth;
    bool allowZoom_ = true;
    std::vector<TRect> windowFrames_;
};

} // namespace pexor
