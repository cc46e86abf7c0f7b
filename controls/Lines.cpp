#include "controls/Lines.h"

#include "controls/ControlsAccessible.h"
#include "render/QtCanvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace pexor {

namespace {

constexpr int kDefaultExtent = 65;

// Horizontal and vertical lines are as thick as ten pens. A pen of width 0
// still paints one pixel, so it counts as 1 rather than folding the control
// to nothing.
int ThicknessFor(const TPen &pen) {
    return std::max(1, pen.Width()) * 10;
}

} // namespace

TLine::TLine(QWidget *parent) : QWidget(parent) {
    InstallControlsAccessibility();
    resize(kDefaultExtent, kDefaultExtent);
}

void TLine::SetPen(const TPen &value) {
    if (pen_ == value)
        return;
    pen_ = value;
    update();
}

void TLine::SetBrush(const TBrush &value) {
    if (brush_ == value)
        return;
    brush_ = value;
    update();
}

void TLine::SetPoint(int &point, int value) {
    if (line_ != TLineType::ltCustom || point == value)
        return;
    point = value;
    update();
}

void TLine::SetFromX(int value) {
    SetPoint(fromX_, value);
}
void TLine::SetFromY(int value) {
    SetPoint(fromY_, value);
}
void TLine::SetToX(int value) {
    SetPoint(toX_, value);
}
void TLine::SetToY(int value) {
    SetPoint(toY_, value);
}

void TLine::SetLine(TLineType value) {
    if (line_ == value)
        return;
    const int w = width();
    const int h = height();
    if (line_ == TLineType::ltHorizontal) {
        switch (value) {
        case TLineType::ltVertical:
            resize(h, w);
            break;
        case TLineType::ltTop:
        case TLineType::ltBottom:
        case TLineType::ltUpDiagonal:
        case TLineType::ltDownDiagonal:
            resize(w, kDefaultExtent);
            break;
        case TLineType::ltLeft:
        case TLineType::ltRight:
            resize(kDefaultExtent, w);
            break;
        default:
            break;
        }
    } else if (line_ == TLineType::ltVertical) {
        switch (value) {
        case TLineType::ltHorizontal:
            resize(h, w);
            break;
        case TLineType::ltTop:
        case TLineType::ltBottom:
            resize(h, kDefaultExtent);
            break;
        case TLineType::ltLeft:
        case TLineType::ltRight:
        case TLineType::ltUpDiagonal:
        case TLineType::ltDownDiagonal:
            resize(kDefaultExtent, h);
            break;
        default:
            break;
        }
    }
    line_ = value;
    update();
}

void TLine::Paint(Canvas &canvas) {
    PenScope penScope(canvas);
    BrushScope brushScope(canvas);
    canvas.SetPen(pen_);
    canvas.SetBrush(brush_);

    const int w = width() - 1;
    const int h = height() - 1;
    QPoint from;
    QPoint to;
    switch (line_) {
    case TLineType::ltCustom:
        fromX_ = std::max(fromX_, 0);
        fromY_ = std::max(fromY_, 0);
        toX_ = std::max(toX_, 0);
        toY_ = std::max(toY_, 0);
        if (toX_ > w || fromX_ > w)
            resize(std::max(toX_, fromX_) + 1, height());
        if (toY_ > h || fromY_ > h)
            resize(width(), std::max(toY_, fromY_) + 1);
        canvas.MoveTo(fromX_, fromY_);
        canvas.LineTo(toX_, toY_);
        return;
    case TLineType::ltHorizontal:
        from = QPoint(0, h / 2);
        to = QPoint(w, h / 2);
        break;
    case TLineType::ltVertical:
        from = QPoint(w / 2, 0);
        to = QPoint(w / 2, h);
        break;
    case TLineType::ltTop:
        from = QPoint(0, 0);
        to = QPoint(w, 0);
        break;
    case TLineType::ltBottom:
        from = QPoint(0, h);
        to = QPoint(w, h);
        break;
    case TLineType::ltLeft:
        from = QPoint(0, 0);
        to = QPoint(0, h);
        break;
    case TLineType::ltRight:
        from = QPoint(w, 0);
        to = QPoint(w, h);
        break;
    case TLineType::ltUpDiagonal:
        from = QPoint(0, h);
        to = QPoint(w, 0);
        break;
    case TLineType::ltDownDiagonal:
        from = QPoint(0, 0);
        to = QPoint(w, h);
        break;
    }
    fromX_ = from.x();
    fromY_ = from.y();
    toX_ = to.x();
    toY_ = to.y();
    canvas.MoveTo(from.x(), from.y());
    canvas.LineTo(to.x(), to.y());

    if (line_ == TLineType::ltHorizontal)
        resize(width(), ThicknessFor(pen_));
    else if (line_ == TLineType::ltVertical)
        resize(ThicknessFor(pen_), height());
}

void TLine::paintEvent(QPaintEvent *) {
    const QSize before = size();
    {
        QPainter painter(this);
        QtCanvas canvas(painter);
        Paint(canvas);
    }
    // The line was drawn for the old size: draw it again for the new one.
    if (size() != before)
        update();
}

void TLine::mousePressEvent(QMouseEvent *event) {
    pressed_ = event->button() == Qt::LeftButton;
    if (OnMouseDown) {
        const QPoint p = event->position().toPoint();
        OnMouseDown(this, event->button(), event->modifiers(), p.x(), p.y());
    }
}

void TLine::mouseMoveEvent(QMouseEvent *event) {
    if (OnMouseMove) {
        const QPoint p = event->position().toPoint();
        OnMouseMove(this, Qt::NoButton, event->modifiers(), p.x(), p.y());
    }
}

void TLine::mouseReleaseEvent(QMouseEvent *event) {
    const QPoint p = event->position().toPoint();
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(p);
    pressed_ = false;
    if (click && OnClick)
        OnClick(this);
    if (OnMouseUp)
        OnMouseUp(this, event->button(), event->modifiers(), p.x(), p.y());
}

void TLine::mouseDoubleClickEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton && OnDblClick)
        OnDblClick(this);
    mousePressEvent(event);
}

} // namespace pexor
