#include "chart/ChartWidget.h"

#include <QMouseEvent>

namespace pexor {

namespace {

// Cursor ids the chart's series carry, as the platform numbered its
// cursors; the chart's own hand is 2020.
Qt::CursorShape CursorShape(int id) {
    switch (id) {
    case -1:
        return Qt::BlankCursor;
    case -3:
        return Qt::CrossCursor;
    case -4:
        return Qt::IBeamCursor;
    case -6:
        return Qt::SizeBDiagCursor;
    case -7:
        return Qt::SizeVerCursor;
    case -8:
        return Qt::SizeFDiagCursor;
    case -9:
        return Qt::SizeHorCursor;
    case -10:
        return Qt::UpArrowCursor;
    case -11:
        return Qt::WaitCursor;
    case -12:
        return Qt::DragMoveCursor;
    case -13:
    case -18:
        return Qt::ForbiddenCursor;
    case -14:
        return Qt::SplitHCursor;
    case -15:
        return Qt::SplitVCursor;
    case -16:
        return Qt::DragCopyCursor;
    case -17:
    case -19:
        return Qt::BusyCursor;
    case -20:
        return Qt::WhatsThisCursor;
    case -21:
    case 2020:
        return Qt::PointingHandCursor;
    case -5:
    case -22:
        return Qt::SizeAllCursor;
    default:
        return Qt::ArrowCursor;
    }
}

} // namespace

// The chart's mouse handling works in client coordinates, inside the frame.
QPoint TChart::ClientPos(const QMouseEvent &event) const {
    return event.position().toPoint() - contentsRect().topLeft();
}

void TChart::mousePressEvent(QMouseEvent *event) {
    const QPoint p = ClientPos(*event);
    Mouse().MouseDown(event->button(), event->modifiers(), p.x(), p.y());
}

void TChart::mouseDoubleClickEvent(QMouseEvent *event) {
    const QPoint p = ClientPos(*event);
    Mouse().MouseDown(event->button(), event->modifiers(), p.x(), p.y(), true);
}

void TChart::mouseMoveEvent(QMouseEvent *event) {
    const QPoint p = ClientPos(*event);
    Mouse().MouseMove(event->modifiers(), p.x(), p.y());
}

void TChart::mouseReleaseEvent(QMouseEvent *event) {
    const QPoint p = ClientPos(*event);
    Mouse().MouseUp(event->button(), event->modifiers(), p.x(), p.y());
}

void TChart::UpdateWindow() {
    repaint();
}

void TChart::SetChartCursor(int cursorId) {
    setCursor(CursorShape(cursorId));
}

void TChart::RestoreCursor() {
    setCursor(originalCursor_);
}

void TChart::WindowFramesChanged() {
    update();
}

} // namespace pexor
