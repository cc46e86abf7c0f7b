#include "controls/BevelPanel.h"

#include "controls/Frame3D.h"
#include "render/QtCanvas.h"

#include <QPainter>

namespace pexor {

namespace {

void DrawBevel(Canvas &canvas, TRect &rect, TPanelBevel bevel) {
    if (bevel == TPanelBevel::bvRaised)
        Frame3D(canvas, rect, clBtnHighlight, clBtnShadow);
    else if (bevel == TPanelBevel::bvLowered)
        Frame3D(canvas, rect, clBtnShadow, clBtnHighlight);
}

int BevelWidth(TPanelBevel bevel) { return bevel == TPanelBevel::bvNone ? 0 : 1; }

} // namespace

TBevelPanel::TBevelPanel(QWidget *parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TBevelPanel::SetColor(TColor value) {
    if (color_ == value)
        return;
    color_ = value;
    update();
}

void TBevelPanel::SetBevelOuter(TPanelBevel value) {
    if (bevelOuter_ == value)
        return;
    bevelOuter_ = value;
    update();
}

void TBevelPanel::SetBevelInner(TPanelBevel value) {
    if (bevelInner_ == value)
        return;
    bevelInner_ = value;
    update();
}

TRect TBevelPanel::ClientRect() const {
    const int inset = BevelWidth(bevelOuter_) + BevelWidth(bevelInner_);
    return TRect(inset, inset, width() - inset, height() - inset);
}

void TBevelPanel::PaintPanel(Canvas &canvas) {
    TRect rect(0, 0, width(), height());
    canvas.SetBrush(TBrush(color_));
    canvas.FillRect(rect);
    DrawBevel(canvas, rect, bevelOuter_);
    DrawBevel(canvas, rect, bevelInner_);
}

void TBevelPanel::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    QtCanvas canvas(painter);
    PaintPanel(canvas);
}

} // namespace pexor
