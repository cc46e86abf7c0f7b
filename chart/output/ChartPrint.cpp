#include "chart/output/ChartPrint.h"

#include "chart/ChartPanel.h"
#include "chart/ChartException.h"
#include "render/QtCanvas.h"
#include "platform/Rounding.h"

#include <QPaintEngine>
#include <QPrinter>
#include <utility>

namespace pexor {

namespace {

// Printing is set for the scope's life, whatever way it ends.
class PrintingScope {
public:
    explicit PrintingScope(TCustomChartPanel &chart) : chart_(chart) { chart_.SetPrinting(true); }
    ~PrintingScope() { chart_.SetPrinting(false); }
    PrintingScope(const PrintingScope &) = delete;
    PrintingScope &operator=(const PrintingScope &) = delete;

private:
    TCustomChartPanel &chart_;
};

// Off-screen drawing off for the scope's life, then as it was. A drawing
// cut short by an exception leaves the chart canvas on the target, which
// the caller may destroy next: it is taken off.
class UnbufferedScope {
public:
    UnbufferedScope(TChartCanvas3D &canvas, Canvas &target)
        : canvas_(canvas), target_(target), saved_(canvas.Buffered()) {
        canvas_.SetBuffered(false);
        // Switching off drops the bitmap only when it was on; the picture
        // on the window must be drawn anew after a print in every case.
        canvas_.FreeBitmap();
    }
    ~UnbufferedScope() {
        if (&canvas_.ReferenceCanvas() == &target_)
            canvas_.SetSurface(nullptr);
        canvas_.SetBuffered(saved_);
    }
    UnbufferedScope(const UnbufferedScope &) = delete;
    UnbufferedScope &operator=(const UnbufferedScope &) = delete;

private:
    TChartCanvas3D &canvas_;
    Canvas &target_;
    bool saved_;
};

} // namespace

TRect NormalisedRect(const TRect &rect) {
    TRect r = rect;
    if (r.Left > r.Right)
        std::swap(r.Left, r.Right);
    if (r.Top > r.Bottom)
        std::swap(r.Top, r.Bottom);
    return r;
}

TRect PrintLogicalRect(const TRect &rect, QSize client) {
    const int pw = rect.Width();
    const int ph = rect.Height();
    const int cw = client.width();
    const int ch = client.height();
    return TRect(MulDiv(rect.Left, cw, pw), MulDiv(rect.Top, ch, ph), MulDiv(rect.Right, cw, pw),
                 MulDiv(rect.Bottom, ch, ph));
}

TChartPrint::TChartPrint(TCustomChartPanel &panel, IChartDrawing &drawing, IChartWindow &window)
    : panel_(panel), drawing_(drawing), window_(window) {}

void TChartPrint::RedrawNow() {
    panel_.Invalidate();
    window_.UpdateWindow();
}

void TChartPrint::PrintIntoRect(QPrinter &printer, const TRect &rect) {
    QPaintEngine *engine = printer.paintEngine();
    QPainter *painter = engine && engine->isActive() ? engine->painter() : nullptr;
    if (!painter)
        throw ChartException(QStringLiteral("Aucune impression en cours"));
    QtCanvas canvas(*painter);
    PrintIntoCanvas(canvas, rect);
}

void TChartPrint::PrintIntoCanvas(Canvas &canvas, const TRect &rect) {
    TCustomChartPanel &chart = panel_;
    const TRect device = NormalisedRect(rect);
    const TRect client = chart.GetChartRectangle();
    const QSize clientSize(client.Width(), client.Height());
    const QSize deviceSize(device.Width(), device.Height());
    // Nothing to scale from or to: the mapping would divide by zero.
    if (clientSize.isEmpty() || deviceSize.isEmpty())
        return;
    const TRect logical = PrintLogicalRect(device, clientSize);
    canvas.SetMapMode(TMapMode::Anisotropic);
    canvas.SetWindowOrg(QPoint(0, 0));
    canvas.SetWindowExt(clientSize);
    canvas.SetViewportExt(deviceSize);
    canvas.SetViewportOrg(QPoint(0, 0));
    // The page's drawing leaves the chart laid out for the page (plot
    // rectangle, axes, 3D box), and the mouse's zoom and panning work on the
    // layout of the last drawing: the window is drawn again at once.
    try {
        PrintingScope printing(chart);
        DrawUnbuffered(canvas, logical);
    } catch (...) {
        RedrawNow();
        throw;
    }
    RedrawNow();
}

void TChartPrint::DrawUnbuffered(Canvas &canvas, const TRect &rect) {
    UnbufferedScope unbuffered(panel_.Canvas(), canvas);
    drawing_.Draw(canvas, rect);
}

} // namespace pexor
