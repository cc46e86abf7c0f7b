#pragma once

#include "chart/interaction/ChartWindow.h"
#include "chart/interaction/ZoomPanningRecord.h"
#include "render/Canvas.h"
#include "render/Color.h"

#include <array>
#include <functional>

namespace pexor {

class TCustomAxisPanel;
class TCustomChartAxis;

// How far each animated zoom step goes: a third of the distance left.
inline constexpr double AnimatedZoomFactor = 3.0;

// One axis' scale as it was before the first zoom or pan.
struct TAxisScale {
    bool Automatic = true;
    bool AutomaticMinimum = true;
    bool AutomaticMaximum = true;
    double Minimum = 0;
    double Maximum = 0;
    bool operator==(const TAxisScale &) const = default;
};

// Indexes of SavedScales.
enum TSavedScaleIndex { ssTop, ssLeft, ssRight, ssBottom };

// The chart's zoom: the axes' scales are saved before the first change,
// every zoom ends in ApplyZoomRanges, and UndoZoom puts the saved scales
// back. A part of the chart: it works on the panel's four side axes and
// asks the window for the immediate repaints of an animated zoom.
class TChartZoom {
public:
    TChartZoom(TCustomAxisPanel &panel, IChartWindow &window);
    TChartZoom(const TChartZoom &) = delete;
    TChartZoom &operator=(const TChartZoom &) = delete;

    bool AnimatedZoom() const { return animatedZoom_; }
    void SetAnimatedZoom(bool value);
    int AnimatedZoomSteps() const { return animatedZoomSteps_; }
    void SetAnimatedZoomSteps(int value);
    // The zoom drag of the mouse; the chart draws its rectangle while it
    // is under way.
    TZoomPanningRecord &Drag() { return drag_; }
    const TZoomPanningRecord &Drag() const { return drag_; }

    // Top, left, right and bottom axis, in this order.
    const std::array<TAxisScale, 4> &SavedScales() const { return savedScales_; }
    bool ScalesSaved() const { return scalesSaved_; }
    // Keeps the four axes' scales, unless a copy is kept already.
    void SaveScales();

    // Above 100 zooms in, below 100 zooms out, around each range's centre.
    void ZoomByPercent(double percent);
    // Restores the saved scales, if any, and forgets them.
    void UndoZoom();
    // The common end of every zoom: saves, animates when asked, sets the
    // four ranges and fires OnZoom.
    void ApplyZoomRanges(double topMin, double topMax, double bottomMin, double bottomMax,
                         double leftMin, double leftMax, double rightMin, double rightMax);
    // Zooms to the rectangle of the finished zoom drag.
    void ZoomToDraggedRect();
    // Moves an axis' range so that the value under pixel fromPixel comes
    // under toPixel; OnAllowScroll may change or refuse the new range.
    void PanAxis(TCustomChartAxis &axis, int fromPixel, int toPixel);

    // Sender: the chart.
    std::function<void(TCustomAxisPanel &)> OnZoom;
    std::function<void(TCustomAxisPanel &)> OnUndoZoom;
    std::function<void(TCustomAxisPanel &)> OnScroll;
    // Sender: the axis; new minimum, new maximum and whether to scroll.
    std::function<void(TCustomChartAxis &, double &, double &, bool &)> OnAllowScroll;

    // Repaint request and an immediate window update.
    void RedrawNow();

private:
    TCustomAxisPanel &panel_;
    IChartWindow &window_;
    std::array<TAxisScale, 4> savedScales_;
    bool scalesSaved_ = false;
    TZoomPanningRecord drag_;
    int animatedZoomSteps_ = 8;
    bool animatedZoom_ = false;
};

// The zoom rectangle's frame: the chart's colour (red instead of white),
// one pixel, not-xor, so that drawing it twice gives the picture back.
void DrawZoomFrame(Canvas &canvas, TColor chartColor, const TRect &frame);

} // namespace pexor
