#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace pexor {

// A modal message box as the program asks for it: the buttons' texts, which
// one Enter presses and which one Esc (or the title-bar close) presses.
struct MessageBoxRequest {
    QString Caption;
    QString Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QStringList Buttons;
    int DefaultButton = 0;
    int EscapeButton = 0;
};

// Shows the box and answers the index of the button pressed.
int ShowMessageBox(QWidget *parent, const MessageBoxRequest &request);

// Tests answer the boxes themselves; an empty hook brings the real boxes back.
using MessageBoxHook = std::function<int(const MessageBoxRequest &)>;
void SetMessageBoxHook(MessageBoxHook hook);

// The error box: caption "Pexorv1.0", error icon, OK, the message with the
// full-stop rule.
void ShowErrorBox(QWidget *parent, const QString &message);

// Runs one event handler; an exception that escapes it is shown in the error
// box and the program goes on. Answers false when the handler failed.
bool RunHandler(QWidget *parent, const std::function<void()> &handler);

} // namespace pexor
