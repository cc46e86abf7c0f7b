#include "app/ProgramStart.h"

#include "app/ErrorBox.h"
#include "app/Quilma.h"
#include "app/Version.h"
#include "platform/InstanceLock.h"

#include <QApplication>
#include <QFileInfo>

namespace pexor {

QString AlreadyOpenText(const QString &readingsPath) {
    return QStringLiteral("Pexor est déjà ouvert avec le fichier de relevés %1.")
        .arg(QFileInfo(readingsPath).absoluteFilePath());
}

void BringToFront(TfrmQuilma &window) {
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

int RunPexor(const QString &readingsPath, const std::function<void(TfrmQuilma &)> &onShown) {
    InstanceLock lock(readingsPath);
    if (lock.Acquire() == InstanceLock::Outcome::HeldElsewhere) {
        MessageBoxRequest request;
        request.Caption = kApplicationTitle;
        request.Text = AlreadyOpenText(readingsPath);
        request.Icon = QMessageBox::Information;
        request.Buttons = {QStringLiteral("OK")};
        ShowMessageBox(nullptr, request);
        lock.AskHolderToRaise();
        return 0;
    }
    TfrmQuilma window(readingsPath);
    lock.OnRaiseRequest = [&window] { BringToFront(window); };
    window.ShowCentered();
    if (onShown)
        onShown(window);
    return QApplication::exec();
}

} // namespace pexor
