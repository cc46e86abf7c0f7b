#include "controls/CaptionStripAccessible.h"

#include "controls/CaptionStrip.h"

namespace pexor {

CaptionStripAccessible::CaptionStripAccessible(TCaptionStrip *strip)
    : QAccessibleWidget(strip, QAccessible::Grouping) {}

QWidgetList CaptionStripAccessible::Shown() const {
    QWidgetList shown;
    for (QObject *object : widget()->children()) {
        auto *child = qobject_cast<QWidget *>(object);
        if (child && !child->isWindow() && !child->isHidden())
            shown.append(child);
    }
    return shown;
}

QString CaptionStripAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
        return static_cast<TCaptionStrip *>(widget())->Caption().FormCaption();
    return QAccessibleWidget::text(t);
}

int CaptionStripAccessible::childCount() const {
    return int(Shown().size());
}

QAccessibleInterface *CaptionStripAccessible::child(int index) const {
    const QWidgetList shown = Shown();
    if (index < 0 || index >= shown.size())
        return nullptr;
    return QAccessible::queryAccessibleInterface(shown[index]);
}

int CaptionStripAccessible::indexOfChild(const QAccessibleInterface *child) const {
    if (!child)
        return -1;
    return int(Shown().indexOf(qobject_cast<QWidget *>(child->object())));
}

} // namespace pexor
