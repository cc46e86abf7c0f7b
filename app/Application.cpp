#include "app/Application.h"

#include "app/ErrorBox.h"

namespace pexor {

bool TApplication::notify(QObject *receiver, QEvent *event) {
    bool handled = false;
    RunHandler(activeWindow(), [&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

} // namespace pexor
