#include "controls/ControlsAccessible.h"

#include "controls/CalendarAccessible.h"
#include "controls/CaptionStrip.h"
#include "controls/CaptionStripAccessible.h"
#include "controls/ComboEdit.h"
#include "controls/ComboEditAccessible.h"
#include "controls/GlyphButtonAccessible.h"
#include "controls/Label3D.h"
#include "controls/Label3DAccessible.h"
#include "controls/Lines.h"
#include "controls/MonthCalendar.h"
#include "controls/PopupWindow.h"

namespace pexor {

namespace {

// The month grid a drop-down holds. Not findChild: the controls have no meta
// object of their own, so it would stop at the first widget.
TMonthCalendar *GridIn(QWidget &popup) {
    for (QWidget *child : popup.findChildren<QWidget *>())
        if (auto *grid = dynamic_cast<TMonthCalendar *>(child))
            return grid;
    return nullptr;
}

QAccessibleInterface *ControlsFactory(const QString &, QObject *object) {
    if (auto *label = dynamic_cast<TLabel3D *>(object))
        return new Label3DAccessible(label);
    if (auto *button = dynamic_cast<TGlyphButton *>(object))
        return new GlyphButtonAccessible(button);
    if (auto *grid = dynamic_cast<TMonthCalendar *>(object))
        return new CalendarAccessible(grid);
    if (auto *field = dynamic_cast<TCustomComboEdit *>(object))
        return new ComboEditAccessible(field);
    if (auto *strip = dynamic_cast<TCaptionStrip *>(object))
        return new CaptionStripAccessible(strip);
    if (auto *line = dynamic_cast<TLine *>(object))
        return new QAccessibleWidget(line, QAccessible::Separator);
    if (auto *popup = dynamic_cast<TPopupWindow *>(object))
        return new QAccessibleWidget(popup, QAccessible::Window);
    return nullptr;
}

} // namespace

void InstallControlsAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(ControlsFactory);
        return true;
    }();
    (void)installed;
}

void NotifyDropDownToggled(TCustomComboEdit &field) {
    if (!QAccessible::isActive())
        return;
    QAccessible::State changed;
    changed.expanded = true;
    changed.collapsed = true;
    QAccessibleStateChangeEvent toggled(field.Button(), changed);
    QAccessible::updateAccessibility(&toggled);

    QAccessibleInterface *target = nullptr;
    TPopupWindow *popup = field.Popup();
    if (popup && popup->isVisible()) {
        TMonthCalendar *grid = GridIn(*popup);
        auto *table =
            grid ? dynamic_cast<CalendarAccessible *>(QAccessible::queryAccessibleInterface(grid))
                 : nullptr;
        target = table && CalendarHasKeys(*grid) ? table->SelectedCell() : nullptr;
        if (!target)
            target = QAccessible::queryAccessibleInterface(popup);
    } else if (field.hasFocus()) {
        target = QAccessible::queryAccessibleInterface(&field);
    }
    if (!target)
        return;
    QAccessibleEvent focus(target, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
}

} // namespace pexor
