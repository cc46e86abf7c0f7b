#include "app/Application.h"
#include "app/ProgramStart.h"
#include "app/ReadingsFile.h"
#include "app/Version.h"
#include "help/HelpDiagnostics.h"
#include "platform/ProgramPath.h"

int main(int argc, char **argv) {
    pexor::SetProgramArguments(argc, argv);
    // Loads the help viewer before the application exists and frees it
    // after the window is gone.
    pexor::HelpSession help(argc, argv);
    pexor::TApplication app(argc, argv);
    QApplication::setApplicationName(pexor::kApplicationTitle);
    QApplication::setStyle(QStringLiteral("Fusion"));
    return pexor::RunPexor(pexor::ReadingsFilePath());
}
