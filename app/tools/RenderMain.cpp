#include "app/CurveRender.h"
#include "app/ReadingsFile.h"
#include "platform/Exceptions.h"
#include "platform/ProgramPath.h"

#include <QApplication>
#include <QStringList>
#include <cstdio>

namespace {

void PrintUsage() {
    std::fputs("Usage : pexor-render [--ini FICHIER] SORTIE.png|SORTIE.pdf\n"
               "        pexor-render --report SORTIE.pdf [--ini FICHIER]\n",
               stderr);
}

void PrintError(const QString &message) {
    std::fprintf(stderr, "pexor-render : %s\n", message.toLocal8Bit().constData());
}

// Takes "--name VALUE" out of args wherever it stands; false when the name
// is there without a value or twice.
bool TakeOption(QStringList &args, const QString &name, QString &value) {
    const int at = int(args.indexOf(name));
    if (at < 0)
        return true;
    if (at + 1 >= args.size() || args.lastIndexOf(name) != at)
        return false;
    value = args.at(at + 1);
    args.remove(at, 2);
    return !value.isEmpty();
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
    QString reportPath;
    if (!TakeOption(args, QStringLiteral("--ini"), readingsPath) ||
        !TakeOption(args, QStringLiteral("--report"), reportPath)) {
        PrintUsage();
        return 2;
    }
    // The curve wants its output as the one argument left; the report none.
    const int expected = reportPath.isEmpty() ? 1 : 0;
    if (args.size() != expected ||
        (expected == 1 && args.front().startsWith(QLatin1String("--")))) {
        PrintUsage();
        return 2;
    }
    if (readingsPath.isEmpty())
        readingsPath = pexor::ReadingsFilePath();
    try {
        if (reportPath.isEmpty())
            pexor::RenderCurveFile(readingsPath, args.front());
        else
            pexor::RenderReportFile(readingsPath, reportPath);
    } catch (const pexor::Exception &error) {
        PrintError(error.Message());
        return 1;
    }
    return 0;
}
