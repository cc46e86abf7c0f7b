#include "platform/AccessiblePart.h"

#include <QWindow>

namespace pexor {

QWindow *AccessiblePart::window() const {
    return owner_ && owner_->window() ? owner_->window()->windowHandle() : nullptr;
}

QAccessibleInterface *AccessiblePart::parent() const {
    return owner_ ? QAccessible::queryAccessibleInterface(owner_.data()) : nullptr;
}

void NotifyAccessible(QAccessibleInterface *iface, QAccessible::Event type) {
    if (!iface)
        return;
    QAccessibleEvent event(iface, type);
    QAccessible::updateAccessibility(&event);
}

} // namespace pexor
