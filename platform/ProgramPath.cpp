#include "platform/ProgramPath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace pexor {

namespace {

struct Arguments {
    QString zero;
    QStringList rest;
};

Arguments &Stored() {
    static Arguments arguments;
    return arguments;
}

QString WithoutTrailingSlash(QString dir) {
    while (dir.size() > 1 && dir.endsWith(u'/'))
        dir.chop(1);
    return dir;
}

} // namespace

void SetProgramArguments(int argc, char **argv) {
    Arguments &a = Stored();
    a.zero.clear();
    a.rest.clear();
    for (int i = 0; i < argc && argv[i] != nullptr; ++i) {
        const QString arg = QFile::decodeName(argv[i]);
        if (i == 0)
            a.zero = arg;
        else
            a.rest << arg;
    }
}

QStringList ProgramArguments() {
    return Stored().rest;
}

QString ProgramFilePath() {
    const QString exe = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
    if (!exe.isEmpty())
        return exe;
    // Without /proc, argv[0] is the best we know.
    const QString &zero = Stored().zero;
    return zero.isEmpty() ? QString() : QFileInfo(zero).absoluteFilePath();
}

QString ProgramDirectory() {
    const QString file = ProgramFilePath();
    return file.isEmpty() ? QString() : WithoutTrailingSlash(QFileInfo(file).absolutePath());
}

QString RunDirectory() {
    const QString &zero = Stored().zero;
    // A bare name was found through PATH: the shell's directory is not where
    // the program lives.
    if (!zero.contains(u'/'))
        return ProgramDirectory();
    return WithoutTrailingSlash(QDir::cleanPath(QFileInfo(zero).absolutePath()));
}

} // namespace pexor
