#pragma once

namespace pexor {

// What the zoom, the mouse and the print ask of the window the chart is
// shown in. The chart answers for itself with nothing to do; the chart's
// window control answers with its own widget.
class IChartWindow {
public:
    virtual ~IChartWindow() = default;

    // Paints the window now.
    virtual void UpdateWindow() = 0;
    // The cursor of a series under the mouse (0: the default arrow).
    virtual void SetChartCursor(int cursorId) = 0;
    // Back to the cursor the chart was loaded with.
    virtual void RestoreCursor() = 0;
    // The zoom frames drawn over the window changed: it must be painted.
    virtual void WindowFramesChanged() = 0;
};

} // namespace pexor
