#include "controls/ControlScaling.h"

#include "platform/Rounding.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace pexor {

void ScaleChildControls(QWidget *widget, int multiplier, int divisor) {
    if (divisor == 0 || multiplier == divisor)
        return;
    for (QObject *child : widget->children()) {
        auto *w = qobject_cast<QWidget *>(child);
        if (w == nullptr || w->isWindow())
            continue;
        const QRect g = w->geometry();
        w->setGeometry(MulDiv(g.x(), multiplier, divisor), MulDiv(g.y(), multiplier, divisor),
                       MulDiv(g.width(), multiplier, divisor),
                       MulDiv(g.height(), multiplier, divisor));
        ScaleChildControls(w, multiplier, divisor);
    }
}

int ScreenPixelsPerInch(const QWidget *widget) {
    const QScreen *screen = widget != nullptr ? widget->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return 96;
    const int ppi = int(std::lround(screen->logicalDotsPerInch()));
    return ppi > 0 ? ppi : 96;
}

} // namespace pexor
