#include "helpviewer/HelpFileLocator.h"

#include <QDir>
#include <QFileInfo>

namespace pexor {

namespace {

QString ExistingFile(const QString &path) {
    const QFileInfo info(path);
    return info.isFile() ? info.canonicalFilePath() : QString();
}

} // namespace

HelpFileLocator::HelpFileLocator()
    : HelpFileLocator(QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()).absolutePath(),
                      QStringLiteral(PEXORHELP_DATADIR)) {}

HelpFileLocator::HelpFileLocator(QString programDirectory, QString dataDirectory)
    : programDirectory_(std::move(programDirectory)), dataDirectory_(std::move(dataDirectory)) {}

QString HelpFileLocator::Locate(const QString &name) const {
    if (name.isEmpty())
        return {};
    if (name.contains(QLatin1Char('/')))
        return ExistingFile(name);
    for (const QString &directory : {programDirectory_, dataDirectory_}) {
        if (directory.isEmpty())
            continue;
        const QString found = ExistingFile(QDir(directory).filePath(name));
        if (!found.isEmpty())
            return found;
    }
    return {};
}

} // namespace pexor
