#include "platform/FileVersion.h"

#include <QFileInfo>
#include <QStringList>

namespace pexor {

QString FileVersion::ToString() const {
    return QStringLiteral("%1.%2.%3.%4").arg(Major).arg(Minor).arg(Release).arg(Build);
}

std::optional<FileVersion> FileVersionFromName(const QString &fileName) {
    const QString marker = QStringLiteral(".so.");
    const qsizetype at = fileName.lastIndexOf(marker);
    if (at < 0)
        return std::nullopt;
    const QStringList parts = fileName.mid(at + marker.size()).split(QLatin1Char('.'));
    if (parts.size() != 4)
        return std::nullopt;
    std::uint16_t numbers[4] = {};
    for (int i = 0; i < 4; ++i) {
        const QString &part = parts[i];
        if (part.isEmpty() || part.size() > 5)
            return std::nullopt;
        for (const QChar c : part)
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return std::nullopt;
        const uint value = part.toUInt();
        if (value > 0xFFFF)
            return std::nullopt;
        numbers[i] = static_cast<std::uint16_t>(value);
    }
    return FileVersion{numbers[0], numbers[1], numbers[2], numbers[3]};
}

std::optional<FileVersion> ReadFileVersion(const QString &path) {
    if (path.isEmpty())
        return std::nullopt;
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        return std::nullopt;
    // The links beside a library carry shorter names; the real file has all four numbers.
    const QString real = info.canonicalFilePath();
    if (real.isEmpty())
        return std::nullopt;
    return FileVersionFromName(QFileInfo(real).fileName());
}

} // namespace pexor
