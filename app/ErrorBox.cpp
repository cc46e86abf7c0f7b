#include "app/ErrorBox.h"

#include "app/Version.h"
#include "platform/Exceptions.h"

#include <QPushButton>
#include <exception>
#include <vector>

namespace pexor {

namespace {

MessageBoxHook &Hook() {
    static MessageBoxHook hook;
    return hook;
}

} // namespace

void SetMessageBoxHook(MessageBoxHook hook) { Hook() = std::move(hook); }

int ShowMessageBox(QWidget *parent, const MessageBoxRequest &request) {
    if (Hook())
        return Hook()(request);
    QMessageBox box(request.Icon, request.Caption, request.Text, QMessageBox::NoButton, parent);
    std::vector<QPushButton *> buttons;
    for (int i = 0; i < request.Buttons.size(); ++i) {
        const auto role = i == request.EscapeButton ? QMessageBox::RejectRole
                                                    : QMessageBox::AcceptRole;
        buttons.push_back(box.addButton(request.Buttons[i], role));
    }
    if (request.DefaultButton >= 0 && request.DefaultButton < int(buttons.size()))
        box.setDefaultButton(buttons[std::size_t(request.DefaultButton)]);
    if (request.EscapeButton >= 0 && request.EscapeButton < int(buttons.size()))
        box.setEscapeButton(buttons[std::size_t(request.EscapeButton)]);
    box.exec();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (box.clickedButton() == buttons[i])
            return int(i);
    }
    return request.EscapeButton;
}

void ShowErrorBox(QWidget *parent, const QString &message) {
    MessageBoxRequest request;
    request.Caption = kApplicationTitle;
    request.Text = ErrorBoxText(message);
    request.Icon = QMessageBox::Critical;
    request.Buttons = {QStringLiteral("OK")};
    ShowMessageBox(parent, request);
}

bool RunHandler(QWidget *parent, const std::function<void()> &handler) {
    try {
        handler();
        return true;
    } catch (const Exception &error) {
        ShowErrorBox(parent, error.Message());
    } catch (const std::exception &error) {
        ShowErrorBox(parent, QString::fromUtf8(error.what()));
    } catch (...) {
        ShowErrorBox(parent, QStringLiteral("Erreur inattendue"));
    }
    return false;
}

} // namespace pexor
