#include "helpviewer/HelpFileLocator.h"

#include <QDir>
#include <QFileInfo>

namespace pexor {

namespace {

QString ExistingFile(const QString &path) {
    const QFileInfo info(path);
    return info.isFile() ? info.canonicalFilePath() : QString();
}

QString RunningProgramDirectory() {
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath())
        .absolutePath();
}

QStringList InstalledDataDirectories(const QString &programDirectory) {
    QStringList directories{QDir::cleanPath(programDirectory + QStringLiteral("/../share/pexor"))};
    const QString built = QDir::cleanPath(QStringLiteral(PEXORHELP_DATADIR));
    if (!directories.contains(built))
        directories.append(built);
    return directories;
}

} // namespace

HelpFileLocator::HelpFileLocator()
    : HelpFileLocator(RunningProgramDirectory(),
                      InstalledDataDirectories(RunningProgramDirectory())) {}

HelpFileLocator::HelpFileLocator(QString programDirectory, QStringList dataDirectories)
    : programDirectory_(std::move(programDirectory)), dataDirectories_(std::move(dataDirectories)) {
}

QString HelpFileLocator::Locate(const QString &name) const {
    if (name.isEmpty())
        return {};
    if (name.contains(QLatin1Char('/')))
        return ExistingFile(name);
    for (const QString &directory : QStringList{programDirectory_} + dataDirectories_) {
        if (directory.isEmpty())
            continue;
        const QString found = ExistingFile(QDir(directory).filePath(name));
        if (!found.isEmpty())
            return found;
    }
    return {};
}

} // namespace pexor
