#pragma once

#include <QAccessible>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <vector>

namespace pexor::test {

// Switches accessibility on or off as a screen reader's arrival does: Qt
// sends no accessibility event while it is off, and the offscreen platform
// has no screen reader to switch it on.
void SetAccessibilityActive(bool active);

// The accessible interface of a widget, as a screen reader gets it.
inline QAccessibleInterface *AccessibleOf(QObject *object) {
    return QAccessible::queryAccessibleInterface(object);
}

inline QString NameOf(QAccessibleInterface *iface) {
    return iface ? iface->text(QAccessible::Name) : QString();
}

// The names of an interface's children, in order.
inline QStringList ChildNames(QAccessibleInterface *iface) {
    QStringList names;
    for (int i = 0; iface && i < iface->childCount(); ++i)
        names << NameOf(iface->child(i));
    return names;
}

// The first interface under root (root included) that matches, depth first.
inline QAccessibleInterface *
FindAccessible(QAccessibleInterface *root,
               const std::function<bool(QAccessibleInterface *)> &match) {
    if (!root)
        return nullptr;
    if (match(root))
        return root;
    for (int i = 0; i < root->childCount(); ++i)
        if (QAccessibleInterface *found = FindAccessible(root->child(i), match))
            return found;
    return nullptr;
}

inline QAccessibleInterface *FindAccessible(QAccessibleInterface *root, QAccessible::Role role,
                                            const QString &name) {
    return FindAccessible(root, [&](QAccessibleInterface *iface) {
        return iface->role() == role && NameOf(iface) == name;
    });
}

// Switches accessibility on, as a screen reader does, and records every
// event the widgets send (with the name the object had at that moment),
// until it goes; then puts things back.
class AccessibleEventLog {
public:
    struct Entry {
        QAccessible::Event Type;
        QString Name;
        QAccessible::Id Id;
        QAccessible::State Changed; // of a state change
    };

    AccessibleEventLog() {
        current_ = this;
        previous_ = QAccessible::installUpdateHandler(&Record);
        SetAccessibilityActive(true);
    }
    ~AccessibleEventLog() {
        SetAccessibilityActive(false);
        QAccessible::installUpdateHandler(previous_);
        current_ = nullptr;
    }
    AccessibleEventLog(const AccessibleEventLog &) = delete;
    AccessibleEventLog &operator=(const AccessibleEventLog &) = delete;

    const std::vector<Entry> &Entries() const { return entries_; }
    void Clear() { entries_.clear(); }

    // The names of the objects that got an event of this type, in order.
    QStringList Names(QAccessible::Event type) const {
        QStringList names;
        for (const Entry &entry : entries_)
            if (entry.Type == type)
                names << entry.Name;
        return names;
    }
    int Count(QAccessible::Event type) const { return int(Names(type).size()); }
    // Events of this type that concern the given interface.
    int Count(QAccessible::Event type, QAccessibleInterface *iface) const {
        const QAccessible::Id id = QAccessible::uniqueId(iface);
        int count = 0;
        for (const Entry &entry : entries_)
            count += entry.Type == type && entry.Id == id ? 1 : 0;
        return count;
    }

private:
    static void Record(QAccessibleEvent *event) {
        if (!current_)
            return;
        // A widget going away is not asked for an interface any more.
        QAccessibleInterface *iface =
            event->type() == QAccessible::ObjectDestroyed && event->object()
                ? nullptr
                : event->accessibleInterface();
        Entry entry{event->type(), NameOf(iface), iface ? QAccessible::uniqueId(iface) : 0, {}};
        if (event->type() == QAccessible::StateChanged)
            entry.Changed = static_cast<QAccessibleStateChangeEvent *>(event)->changedStates();
        current_->entries_.push_back(entry);
    }

    static inline AccessibleEventLog *current_ = nullptr;
    QAccessible::UpdateHandler previous_ = nullptr;
    std::vector<Entry> entries_;
};

} // namespace pexor::test
