#pragma once

#include <QAccessibleInterface>
#include <QPointer>
#include <QWidget>

namespace pexor {

// A part of a widget that a screen reader reaches as an object of its own
// though it is no widget (a chart's point, a calendar's day): a leaf whose
// parent is the widget's interface. Once the widget is gone it is no longer
// valid.
class AccessiblePart : public QAccessibleInterface {
public:
    explicit AccessiblePart(QWidget *owner) : owner_(owner) {}

    bool isValid() const override { return !owner_.isNull(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString &) override {}

protected:
    // Null once the widget is gone.
    QWidget *Owner() const { return owner_.data(); }

private:
    QPointer<QWidget> owner_;
};

// Tells screen readers of an event about iface; nothing without one.
void NotifyAccessible(QAccessibleInterface *iface, QAccessible::Event type);

} // namespace pexor
