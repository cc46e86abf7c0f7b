#pragma once

#include <QAccessibleWidget>

namespace pexor {

class TCustomComboEdit;
class TGlyphButton;

// A glyph button reads as a push button named by its accessible name, else
// by its hint's tooltip part, and is pressed by the press action as by a
// click. The button of a combo edit belongs to its field, not to the
// container that holds it, and says whether its drop-down is open.
class GlyphButtonAccessible : public QAccessibleWidget {
public:
    explicit GlyphButtonAccessible(TGlyphButton *button);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QAccessibleInterface *parent() const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &actionName) const override;

private:
    TGlyphButton *Button() const;
    // The field whose drop-down button this is, if any.
    TCustomComboEdit *Field() const;
};

} // namespace pexor
