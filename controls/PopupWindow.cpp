#include "controls/PopupWindow.h"

#include "controls/ControlScaling.h"
#include "controls/ControlsAccessible.h"
#include "controls/Frame3D.h"
#include "render/QtCanvas.h"
#include "platform/Rounding.h"

#include <QMouseEvent>
#include <QPainter>

namespace pexor {

TPopupWindow::TPopupWindow(QWidget *owner)
    // A tool-tip kind of window is never activated by the window manager and
    // stays out of the taskbar; a pop-up kind would grab the keyboard.
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      owner_(owner) {
    InstallControlsAccessibility();
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void TPopupWindow::SetColor(TColor value) {
    if (color_ == value)
        return;
    color_ = value;
    update();
}

void TPopupWindow::Finish(bool accept) {
    if (OnCloseUp)
        OnCloseUp(this, accept);
}

void TPopupWindow::HandleKey(int, Qt::KeyboardModifiers) {}

void TPopupWindow::HandleChar(QChar) {}

void TPopupWindow::ShowAt(QPoint screenPoint) {
    // Mapping the window again puts it above every other one.
    move(screenPoint);
    show();
}

void TPopupWindow::HideWindow() { hide(); }

TRect TPopupWindow::ClientRect() const { return TRect(1, 1, width() - 1, height() - 1); }

void TPopupWindow::ScaleBy(int multiplier, int divisor) {
    if (multiplier == divisor || divisor == 0)
        return;
    resize(MulDiv(width(), multiplier, divisor), MulDiv(height(), multiplier, divisor));
    ScaleChildControls(this, multiplier, divisor);
}

void TPopupWindow::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    QtCanvas canvas(painter);
    TRect rect(0, 0, width(), height());
    canvas.SetBrush(TBrush(color_));
    canvas.FillRect(rect);
    Frame3D(canvas, rect, clWindowFrame, clWindowFrame);
}

void TPopupWindow::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton) {
        const QPoint p = event->position().toPoint();
        Finish(ClientRect().Contains(p.x(), p.y()));
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

} // namespace pexor
