#include "helpviewer/WindowPlacement.h"

#include <algorithm>

namespace pexor {

namespace {

// Moves rect inside area, shrinking it where it is larger.
QRect Within(QRect rect, const QRect &area) {
    rect.setWidth(std::min(rect.width(), area.width()));
    rect.setHeight(std::min(rect.height(), area.height()));
    rect.moveLeft(std::clamp(rect.left(), area.left(), area.right() - rect.width() + 1));
    rect.moveTop(std::clamp(rect.top(), area.top(), area.bottom() - rect.height() + 1));
    return rect;
}

} // namespace

QRect HelpWindowGeometry(const QRect &owner, QSize size, const QRect &screen) {
    if (!owner.isValid()) {
        QRect centred(QPoint(0, 0), size);
        centred.moveCenter(screen.center());
        return Within(centred, screen);
    }
    const int roomRight = screen.right() - owner.right();
    const int roomLeft = owner.left() - screen.left();
    QRect rect(QPoint(0, owner.top()), size);
    if (roomRight >= size.width()) {
        rect.moveLeft(owner.right() + 1);
    } else if (roomLeft >= size.width()) {
        rect.moveRight(owner.left() - 1);
    } else if (std::max(roomRight, roomLeft) >= kMinBesideWidth) {
        rect.setWidth(std::max(roomRight, roomLeft));
        if (roomRight >= roomLeft)
            rect.moveLeft(owner.right() + 1);
        else
            rect.moveRight(owner.left() - 1);
    } else {
        rect.moveCenter(owner.center());
    }
    return Within(rect, screen);
}

} // namespace pexor
