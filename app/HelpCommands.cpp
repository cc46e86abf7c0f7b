#include "app/HelpCommands.h"

#include "app/Version.h"
#include "help/About.h"
#include "help/HtmlHelpBinding.h"

#include <QMessageBox>

namespace pexor {

namespace {

// The help window belongs to the desktop, not to the main window.
void *const kDesktopOwner = nullptr;

} // namespace

void ShowInformationBox(QWidget *owner, const QString &caption, const QString &text) {
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, owner);
    box.exec();
}

bool ShowProgramHelp(QWidget *owner, const InformationBox &box) {
    if (HelpDisplayTopic(kDesktopOwner, kHelpFileName))
        return true;
    if (box)
        box(owner, kApplicationTitle, kHelpUnavailableText);
    return false;
}

void CloseProgramHelp() {
    if (!HtmlHelpBinding().Library)
        return;
    HelpCloseAll();
}

void SetUpAboutBox(TAboutBox &box, const QString &credit) {
    box.SetProductName(kProductName);
    box.SetVersion(QStringLiteral("Version 1.00"));
    box.SetCopyright(credit);
}

void ShowAboutBox(TAboutBox &box) {
    box.Execute();
}

} // namespace pexor
