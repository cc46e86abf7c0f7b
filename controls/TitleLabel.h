#pragma once

#include <QLabel>
#include <functional>

namespace pexor {

// The month title of a calendar: centred, transparent, and a double click
// brings the calendar back to today.
class TTitleLabel : public QLabel {
public:
    explicit TTitleLabel(QWidget *parent = nullptr);

    std::function<void(TTitleLabel *)> OnDblClick;

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};

} // namespace pexor
