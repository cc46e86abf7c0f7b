#pragma once

#include "render/Canvas.h"

#include <QWidget>
#include <functional>

namespace pexor {

enum class TLineType {
    ltCustom,
    ltHorizontal,
    ltVertical,
    ltTop,
    ltBottom,
    ltLeft,
    ltRight,
    ltUpDiagonal,
    ltDownDiagonal
};

// A straight line inside its own rectangle: between two free points, or
// along an edge, the middle or a diagonal of the rectangle. It paints only
// the line; the rest of the rectangle shows what lies beneath.
class TLine : public QWidget {
public:
    explicit TLine(QWidget *parent = nullptr);

    const TPen &Pen() const { return pen_; }
    void SetPen(const TPen &value);
    const TBrush &Brush() const { return brush_; }
    void SetBrush(const TBrush &value);

    // End points in the control's own coordinates; written only while the
    // line is custom, computed at each paint otherwise.
    int FromX() const { return fromX_; }
    void SetFromX(int value);
    int FromY() const { return fromY_; }
    void SetFromY(int value);
    int ToX() const { return toX_; }
    void SetToX(int value);
    int ToY() const { return toY_; }
    void SetToY(int value);

    TLineType Line() const { return line_; }
    void SetLine(TLineType value);

    // Draws the line on a canvas whose origin is the control's top-left
    // corner. May resize the control (a custom line grows to hold its points,
    // a horizontal or vertical one takes ten times the pen width), which asks
    // for another paint.
    void Paint(Canvas &canvas);

    using MouseEvent = std::function<void(TLine *sender, Qt::MouseButton button,
                                          Qt::KeyboardModifiers shift, int x, int y)>;
    std::function<void(TLine *sender)> OnClick;
    std::function<void(TLine *sender)> OnDblClick;
    MouseEvent OnMouseDown;
    MouseEvent OnMouseMove;
    MouseEvent OnMouseUp;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void SetPoint(int &point, int value);

    TPen pen_;
    TBrush brush_;
    int fromX_ = 0;
    int fromY_ = 0;
    int toX_ = 35;
    int toY_ = 35;
    TLineType line_ = TLineType::ltCustom;
    bool pressed_ = false;
};

} // namespace pexor
