#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace pexor {

class TAboutBox;

// The program's help file; the viewer finds it beside the program or in the
// installed data.
inline const QString kHelpFileName = QStringLiteral("Pexor.chm");
// What the user reads when the help cannot be shown.
inline const QString kHelpUnavailableText = QStringLiteral(
    "L'aide de Pexor ne peut pas être affichée : le visualiseur d'aide ou le fichier "
    "Pexor.chm est introuvable.");

// Shows an information box (caption, text, OK) over owner and waits for it.
using InformationBox =
    std::function<void(QWidget *owner, const QString &caption, const QString &text)>;
// The real modal box.
void ShowInformationBox(QWidget *owner, const QString &caption, const QString &text);

// The help command: the viewer shows "Pexor.chm" with the desktop as owner.
// When the viewer or the file is missing, box tells the user so, captioned
// with the application title. Answers whether the help is shown.
bool ShowProgramHelp(QWidget *owner, const InformationBox &box = ShowInformationBox);

// At the window's end: the viewer closes every help window it opened;
// nothing happens when no viewer is loaded.
void CloseProgramHelp();

// The about box's texts as the main window sets them: "Pexor",
// "Version 1.00" and credit.
void SetUpAboutBox(TAboutBox &box, const QString &credit);
// The about command: the about window, modally.
void ShowAboutBox(TAboutBox &box);

} // namespace pexor
