#pragma once

#include "chart/interaction/ChartWindow.h"
#include "render/Canvas.h"
#include "render/Rect.h"

#include <QSize>

class QPrinter;

namespace pexor {

class TCustomChartPanel;

// The whole drawing of the chart into rect of canvas, as the window gets it.
class IChartDrawing {
public:
    virtual ~IChartDrawing() = default;
    virtual void Draw(Canvas &canvas, const TRect &rect) = 0;
};

// The chart drawn into a rectangle of another surface (a printer or PDF
// page): laid out as on screen, at its client size, while the surface's
// mapping stretches it over the rectangle, so lines and text come out at
// the surface's own resolution. A part of the chart: it sets the panel's
// printing state and mapping, has the chart draw itself, and has the window
// drawn again afterwards.
class TChartPrint {
public:
    TChartPrint(TCustomChartPanel &panel, IChartDrawing &drawing, IChartWindow &window);
    TChartPrint(const TChartPrint &) = delete;
    TChartPrint &operator=(const TChartPrint &) = delete;

    // Into rect (device units) of the page the printer has open. The caller
    // begins and ends the document; a printer with no page open raises
    // ChartException.
    void PrintIntoRect(QPrinter &printer, const TRect &rect);
    // Into rect of canvas, in the canvas' device units. The anisotropic
    // mapping it sets stays on the canvas. A rectangle without width or
    // height, or a chart without a client area, draws nothing. Afterwards
    // the chart's window is drawn anew, so that its layout is the screen's.
    void PrintIntoCanvas(Canvas &canvas, const TRect &rect);
    // Draw with off-screen drawing switched off for the duration; the
    // cached bitmap is dropped.
    void DrawUnbuffered(Canvas &canvas, const TRect &rect);

private:
    // Repaint request and an immediate window update.
    void RedrawNow();

    TCustomChartPanel &panel_;
    IChartDrawing &drawing_;
    IChartWindow &window_;
};

// rect with left <= right and top <= bottom.
TRect NormalisedRect(const TRect &rect);
// A normalised device rectangle in the logical units of the print mapping,
// whose window extent is client and viewport extent the rectangle's size.
TRect PrintLogicalRect(const TRect &rect, QSize client);

} // namespace pexor
