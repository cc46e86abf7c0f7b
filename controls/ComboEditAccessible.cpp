#include "controls/ComboEditAccessible.h"

#include "controls/ComboEdit.h"

#include <QFontMetrics>
#include <algorithm>

namespace pexor {

ComboEditAccessible::ComboEditAccessible(TCustomComboEdit *field)
    : QAccessibleWidget(field, QAccessible::EditableText) {}

TCustomComboEdit *ComboEditAccessible::Field() const {
    return static_cast<TCustomComboEdit *>(widget());
}

QString ComboEditAccessible::Shown() const {
    return Field()->FieldText();
}

bool ComboEditAccessible::Editable() const {
    return Field()->isEnabled() && !Field()->isReadOnly();
}

void *ComboEditAccessible::interface_cast(QAccessible::InterfaceType t) {
    if (t == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    if (t == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface *>(this);
    return QAccessibleWidget::interface_cast(t);
}

QString ComboEditAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Value)
        return Shown();
    return QAccessibleWidget::text(t);
}

void ComboEditAccessible::setText(QAccessible::Text t, const QString &text) {
    if (t != QAccessible::Value) {
        QAccessibleWidget::setText(t, text);
        return;
    }
    if (Editable())
        Field()->setText(text);
}

QAccessible::State ComboEditAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = !Field()->isReadOnly();
    state.readOnly = Field()->isReadOnly();
    state.selectableText = true;
    state.hasPopup = Field()->Popup() != nullptr;
    return state;
}

int ComboEditAccessible::childCount() const {
    const QWidget *container = Field()->ButtonContainer();
    return container && !container->isHidden() && !Field()->Button()->isHidden() ? 1 : 0;
}

QAccessibleInterface *ComboEditAccessible::child(int index) const {
    if (index != 0 || childCount() == 0)
        return nullptr;
    return QAccessible::queryAccessibleInterface(Field()->Button());
}

int ComboEditAccessible::indexOfChild(const QAccessibleInterface *child) const {
    return child && childCount() == 1 && child->object() == Field()->Button() ? 0 : -1;
}

void ComboEditAccessible::selection(int selectionIndex, int *startOffset, int *endOffset) const {
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !Field()->hasSelectedText())
        return;
    *startOffset = Field()->selectionStart();
    *endOffset = Field()->selectionEnd();
}

int ComboEditAccessible::selectionCount() const {
    return Field()->hasSelectedText() ? 1 : 0;
}

void ComboEditAccessible::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset);
}

void ComboEditAccessible::removeSelection(int selectionIndex) {
    if (selectionIndex == 0)
        Field()->deselect();
}

void ComboEditAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex != 0)
        return;
    const int size = int(Shown().size());
    startOffset = std::clamp(startOffset, 0, size);
    endOffset = std::clamp(endOffset, 0, size);
    Field()->setSelection(startOffset, endOffset - startOffset);
}

int ComboEditAccessible::cursorPosition() const {
    return Field()->cursorPosition();
}

void ComboEditAccessible::setCursorPosition(int position) {
    Field()->setCursorPosition(position);
}

QString ComboEditAccessible::text(int startOffset, int endOffset) const {
    const QString shown = Shown();
    startOffset = std::clamp(startOffset, 0, int(shown.size()));
    if (endOffset < 0 || endOffset > shown.size())
        endOffset = int(shown.size());
    if (endOffset <= startOffset)
        return {};
    return shown.mid(startOffset, endOffset - startOffset);
}

int ComboEditAccessible::characterCount() const {
    return int(Shown().size());
}

QRect ComboEditAccessible::characterRect(int offset) const {
    const QString shown = Shown();
    if (offset < 0 || offset >= shown.size())
        return {};
    // Measured from the caret, which already takes alignment, margins and
    // any horizontal scroll into account.
    const QFontMetrics metrics(Field()->font());
    const int caret = std::clamp(Field()->cursorPosition(), 0, int(shown.size()));
    const QRect caretRect = Field()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const int left = caretRect.center().x() + metrics.horizontalAdvance(shown.left(offset)) -
                     metrics.horizontalAdvance(shown.left(caret));
    const QRect local(left, caretRect.top(), metrics.horizontalAdvance(shown[offset]),
                      caretRect.height());
    return QRect(Field()->mapToGlobal(local.topLeft()), local.size());
}

int ComboEditAccessible::offsetAtPoint(const QPoint &point) const {
    const QPoint local = Field()->mapFromGlobal(point);
    if (!Field()->rect().contains(local))
        return -1;
    return Field()->cursorPositionAt(local);
}

void ComboEditAccessible::scrollToSubstring(int startIndex, int endIndex) {
    // Bring both ends into view, the start last.
    Field()->setCursorPosition(endIndex);
    Field()->setCursorPosition(startIndex);
}

QString ComboEditAccessible::attributes(int offset, int *startOffset, int *endOffset) const {
    // One run of plain text.
    *startOffset = 0;
    *endOffset = characterCount();
    if (offset < 0 || offset > characterCount())
        *startOffset = *endOffset = -1;
    return {};
}

void ComboEditAccessible::deleteText(int startOffset, int endOffset) {
    if (!Editable() || endOffset <= startOffset)
        return;
    setSelection(0, startOffset, endOffset);
    Field()->del();
}

void ComboEditAccessible::insertText(int offset, const QString &text) {
    if (!Editable())
        return;
    Field()->setCursorPosition(offset);
    Field()->insert(text);
}

void ComboEditAccessible::replaceText(int startOffset, int endOffset, const QString &text) {
    if (!Editable())
        return;
    setSelection(0, startOffset, endOffset);
    Field()->insert(text);
}

} // namespace pexor
