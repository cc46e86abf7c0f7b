#include "controls/TitleLabel.h"

#include <QMouseEvent>

namespace pexor {

TTitleLabel::TTitleLabel(QWidget *parent) : QLabel(parent) {
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(false);
    setAttribute(Qt::WA_TranslucentBackground);
}

void TTitleLabel::mouseDoubleClickEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton && OnDblClick) {
        OnDblClick(this);
        return;
    }
    QLabel::mouseDoubleClickEvent(event);
}

} // namespace pexor
