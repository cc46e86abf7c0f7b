#include "app/CurveRender.h"
#include "app/ReadingsFile.h"
#include "platform/Exceptions.h"
#include "platform/ProgramPath.h"

#include <QApplication>
#include <QStringList>
#include <cstdio>

namespace {

void PrintUsage() {
    std::fputs("Usage : pexor-render [--ini FICHIER] SORTIE.png|SORTIE.pdf\n", stderr);
}

void PrintError(const QString &message) {
    std::fprintf(stderr, "pexor-render : %s\n", message.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char **argv) {
    pexor::SetProgramArguments(argc, argv);
    // The tool never shows a window.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));

    QStringList args = QApplication::arguments().mid(1);
    QString readingsPath;
    if (args.size() >= 2 && args.front() == QLatin1String("--ini")) {
        readingsPath = args.at(1);
        args = args.mid(2);
    }
    if (args.size() != 1 || args.front().startsWith(QLatin1String("--"))) {
        PrintUsage();
        return 2;
    }
    if (readingsPath.isEmpty())
        readingsPath = pexor::ReadingsFilePath();
    try {
        pexor::RenderCurveFile(readingsPath, args.front());
    } catch (const pexor::Exception &error) {
        PrintError(error.Message());
        return 1;
    }
    return 0;
}
