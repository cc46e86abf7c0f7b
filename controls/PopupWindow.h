#pragma once

#include "render/Canvas.h"

#include <QPoint>
#include <QString>
#include <QVariant>
#include <QWidget>
#include <functional>

namespace pexor {

// A top-level window that drops down under a field: shown on top at a
// screen point without ever taking the activation or the keyboard focus, so
// the field keeps the focus and passes its keys on. Values go in and out as
// variants holding a date (double), a text or nothing.
class TPopupWindow : public QWidget {
public:
    // The field that opens the window and owns it.
    explicit TPopupWindow(QWidget *owner);

    QWidget *Owner() const { return owner_; }
    TColor Color() const { return color_; }
    virtual void SetColor(TColor value);

    virtual QVariant GetValue() const = 0;
    virtual void SetValue(const QVariant &value) = 0;
    virtual QString GetText() const { return {}; }
    // Tells the close handler that the user is done, picking or not.
    virtual void Finish(bool accept);

    // Keys and characters the field passes on while the window is shown.
    virtual void HandleKey(int key, Qt::KeyboardModifiers modifiers);
    virtual void HandleChar(QChar ch);

    void ShowAt(QPoint screenPoint);
    // Hides without moving, resizing or activating anything.
    void HideWindow();

    // The area inside the thin border.
    TRect ClientRect() const;
    // Scales position and size of the window and its children by
    // multiplier / divisor (screens other than 96 pixels per inch).
    void ScaleBy(int multiplier, int divisor);

    std::function<void(TPopupWindow *, bool)> OnCloseUp;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QWidget *owner_;
    TColor color_ = clBtnFace;
};

} // namespace pexor
