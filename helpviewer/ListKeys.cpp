#include "helpviewer/ListKeys.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace pexor {

namespace {

class ListKeyForwarder : public QObject {
public:
    ListKeyForwarder(QLineEdit *field, QAbstractItemView *list) : QObject(field), list_(list) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            QCoreApplication::sendEvent(list_, event);
            return true;
        default:
            return false;
        }
    }

private:
    QAbstractItemView *list_;
};

} // namespace

void ForwardListKeys(QLineEdit *field, QAbstractItemView *list) {
    field->installEventFilter(new ListKeyForwarder(field, list));
}

} // namespace pexor
