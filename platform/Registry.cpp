#include "platform/Registry.h"

#include "platform/ProgramPath.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace pexor {

Registry::Registry() : Registry(ProgramDirectory()) {}

Registry::Registry(QString programDirectory) : programDirectory_(std::move(programDirectory)) {}

QStringList Registry::HelpViewerDirectories() const {
    if (programDirectory_.isEmpty())
        return {};
    QStringList directories = {
        programDirectory_, QDir::cleanPath(programDirectory_ + QStringLiteral("/../lib/pexor"))};
    // A system-wide install puts libraries in the architecture's own lib folder.
    const QDir lib(QDir::cleanPath(programDirectory_ + QStringLiteral("/../lib")));
    for (const QString &architecture :
         lib.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString candidate = lib.filePath(architecture + QStringLiteral("/pexor"));
        if (architecture != QLatin1String("pexor") && QFileInfo(candidate).isDir())
            directories << candidate;
    }
    return directories;
}

std::optional<QString> Registry::HelpViewerLibrary() const {
    for (const QString &directory : HelpViewerDirectories()) {
        const QDir dir(directory);
        const QFileInfo plain(dir.filePath(HelpViewerLibraryName));
        if (plain.isFile())
            return plain.filePath();
        // Without the development link, the versioned file itself; the last
        // by name is the newest.
        const QFileInfoList versioned = dir.entryInfoList(
            {HelpViewerLibraryName + QStringLiteral(".*")}, QDir::Files, QDir::Name);
        if (!versioned.isEmpty())
            return versioned.last().filePath();
    }
    return std::nullopt;
}

QString FullNameFromGecos(const QByteArray &gecos, const QByteArray &login) {
    const QByteArray first = gecos.left(gecos.indexOf(',') < 0 ? gecos.size() : gecos.indexOf(','));
    QString name = QString::fromLocal8Bit(first).trimmed();
    if (name.contains(QLatin1Char('&'))) {
        QString capital = QString::fromLocal8Bit(login);
        if (!capital.isEmpty())
            capital[0] = capital[0].toUpper();
        name.replace(QLatin1Char('&'), capital);
    }
    return name;
}

std::optional<QString> Registry::RegisteredOwner() const {
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    if (size <= 0)
        size = 16384;
    std::vector<char> buffer(static_cast<std::size_t>(size));
    passwd entry{};
    passwd *found = nullptr;
    while (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) == ERANGE &&
           buffer.size() < (1u << 20))
        buffer.resize(buffer.size() * 2);
    if (found == nullptr || found->pw_gecos == nullptr)
        return std::nullopt;
    const QString name = FullNameFromGecos(QByteArray(found->pw_gecos),
                                           QByteArray(found->pw_name ? found->pw_name : ""));
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

std::optional<QString> Registry::RegisteredOrganization() const {
    const QString organization = qEnvironmentVariable("ORGANIZATION");
    if (organization.isEmpty())
        return std::nullopt;
    return organization;
}

} // namespace pexor
