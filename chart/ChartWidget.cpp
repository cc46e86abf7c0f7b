#include "chart/ChartWidget.h"

#include "chart/ChartAccessible.h"
#include "render/QtCanvas.h"

#include <QPainter>
#include <QResizeEvent>

namespace pexor {

TChart::TChart(QWidget *parent)
    : QFrame(parent), accessibility_(std::make_unique<TChartAccessibility>(*this)) {
    InstallChartAccessibility();
    // Every pixel is painted by the chart: no background erase, no flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    // Moves without a button pressed set the cursor of a series under the mouse.
    setMouseTracking(true);
    UpdateFrameStyle();
    resize(Width(), Height());
    originalCursor_ = cursor();
}

TChart::~TChart() = default;

void TChart::SetBounds(int width, int height) {
    resize(width, height);
    TCustomChart::SetBounds(QFrame::width(), QFrame::height());
}

TRect TChart::GetChartRectangle() const {
    const QRect client = contentsRect();
    return TRect(0, 0, client.width(), client.height());
}

void TChart::RequestPaint() {
    UpdateFrameStyle();
    update();
    accessibility_->Changed();
}

void TChart::UpdateFrameStyle() {
    const int wanted = BorderStyle() == TBorderStyle::bsSingle ? (QFrame::WinPanel | QFrame::Sunken)
                                                               : int(QFrame::NoFrame);
    if (frameStyle() == wanted)
        return;
    setFrameStyle(wanted);
    // The client rectangle changed size: the bitmap must follow.
    if (Canvas().Buffered())
        Canvas().FreeBitmap();
    Canvas().MarkStale();
}

void TChart::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    drawFrame(&painter);
    painter.translate(contentsRect().topLeft());
    QtCanvas window(painter);
    // A window moved to a screen of another density draws afresh.
    Canvas().SetPixelRatio(devicePixelRatioF());
    const bool redrawn = Printing() || Canvas().Stale() || !Canvas().Bitmap();
    PaintWindow(window);
    Mouse().PaintWindowFrames(window, redrawn);
}

void TChart::resizeEvent(QResizeEvent *event) {
    QFrame::resizeEvent(event);
    TCustomChart::SetBounds(event->size().width(), event->size().height());
}

void TChart::leaveEvent(QEvent *event) {
    setCursor(originalCursor_);
    QFrame::leaveEvent(event);
}

} // namespace pexor
