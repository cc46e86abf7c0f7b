#include "controls/GlyphButtonAccessible.h"

#include "controls/ComboEdit.h"
#include "controls/GlyphButton.h"

namespace pexor {

GlyphButtonAccessible::GlyphButtonAccessible(TGlyphButton *button)
    : QAccessibleWidget(button, QAccessible::Button) {}

TGlyphButton *GlyphButtonAccessible::Button() const {
    return static_cast<TGlyphButton *>(widget());
}

TCustomComboEdit *GlyphButtonAccessible::Field() const {
    if (!dynamic_cast<TEditButton *>(Button()) || !Button()->parentWidget())
        return nullptr;
    return dynamic_cast<TCustomComboEdit *>(Button()->parentWidget()->parentWidget());
}

QString GlyphButtonAccessible::text(QAccessible::Text t) const {
    switch (t) {
    case QAccessible::Name:
        if (!widget()->accessibleName().isEmpty())
            return widget()->accessibleName();
        return ShortHint(Button()->Hint());
    case QAccessible::Description:
        // Not the tooltip: it says again what the name says.
        return widget()->accessibleDescription();
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State GlyphButtonAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    const TButtonState shown = Button()->State();
    state.pressed = shown == TButtonState::bsDown || shown == TButtonState::bsExclusive;
    if (const TCustomComboEdit *field = Field(); field && field->Popup()) {
        const bool open = field->Popup()->isVisible();
        state.hasPopup = true;
        state.expandable = true;
        state.expanded = open;
        state.collapsed = !open;
    }
    return state;
}

QAccessibleInterface *GlyphButtonAccessible::parent() const {
    if (TCustomComboEdit *field = Field())
        return QAccessible::queryAccessibleInterface(field);
    return QAccessibleWidget::parent();
}

QStringList GlyphButtonAccessible::actionNames() const {
    return widget()->isEnabled() ? QStringList{pressAction()} : QStringList{};
}

void GlyphButtonAccessible::doAction(const QString &actionName) {
    if (actionName == pressAction() && widget()->isEnabled())
        Button()->Click();
}

QStringList GlyphButtonAccessible::keyBindingsForAction(const QString &) const {
    return {};
}

} // namespace pexor
