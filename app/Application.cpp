#include "app/Application.h"

#include "app/ErrorBox.h"
#include "platform/QtTranslations.h"

namespace pexor {

TApplication::TApplication(int &argc, char **argv) : QApplication(argc, argv) {
    InstallFrenchTranslations(*this);
}

bool TApplication::notify(QObject *receiver, QEvent *event) {
    bool handled = false;
    RunHandler(activeWindow(), [&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

} // namespace pexor
