#include "app/ReadingsFile.h"

#include "app/ReadingsTable.h"
#include "platform/Exceptions.h"
#include "platform/Profile.h"
#include "platform/ProgramPath.h"
#include "platform/ReplaceFile.h"

#include <QDir>
#include <QFileInfo>
#include <array>

namespace pexor {

namespace {

const QString kFileName = QStringLiteral("Pexor.ini");

struct FileSection {
    QString Name;
    QString KeyPrefix;
    int Col;
};

// In the order of the file and of the reads and writes.
const std::array<FileSection, 3> &Sections() {
    static const std::array<FileSection, 3> sections{{
        {QStringLiteral("Dates"), QStringLiteral("Date"), ReadingsTable::kDateCol},
        {QStringLiteral("TP"), QStringLiteral("TP"), ReadingsTable::kTpCol},
        {QStringLiteral("INR"), QStringLiteral("INR"), ReadingsTable::kInrCol},
    }};
    return sections;
}

// Like the profile service, a directory without any write bit counts as
// read-only even for root.
bool DirectoryWritable(const QString &dir) {
    const QFileInfo info(dir);
    constexpr auto anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return info.isDir() && info.isWritable() && (info.permissions() & anyWrite);
}

[[noreturn]] void ThrowWriteError(const QString &path) {
    throw EFileError(
        QStringLiteral("Impossible d'écrire dans %1").arg(QFileInfo(path).absoluteFilePath()));
}

} // namespace

QString UserReadingsFilePath() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    // A relative value is to be ignored.
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return QDir::cleanPath(base + QStringLiteral("/Pexor/") + kFileName);
}

QString ReadingsFilePathFor(const QString &programDirectory) {
    const QString beside = QDir::cleanPath(programDirectory + u'/' + kFileName);
    if (QFileInfo::exists(beside) || DirectoryWritable(programDirectory))
        return beside;
    return UserReadingsFilePath();
}

QString ReadingsFilePath() {
    return ReadingsFilePathFor(ProgramDirectory());
}

void ChargeOptions(ReadingsTable &table) {
    ChargeOptions(table, ReadingsFilePath());
}

void ChargeOptions(ReadingsTable &table, const QString &path) {
    ProfileDocument doc;
    // An unreadable file leaves the document empty: every cell reads empty.
    doc.Load(path);
    for (const FileSection &s : Sections())
        for (int n = ReadingsTable::kFirstReadingRow; n <= ReadingsTable::kLastReadingRow; ++n)
            table.SetCells(s.Col, n, doc.ReadString(s.Name, s.KeyPrefix + QString::number(n)));
}

void SauveOptions(const ReadingsTable &table) {
    SauveOptions(table, ReadingsFilePath());
}

void SauveOptions(const ReadingsTable &table, const QString &path) {
    ProfileDocument doc;
    // Saving over a file we could not read would lose its other sections.
    if (!doc.Load(path))
        ThrowWriteError(path);
    for (const FileSection &s : Sections())
        if (!doc.EraseSection(s.Name))
            ThrowWriteError(path);
    for (const FileSection &s : Sections())
        for (int n = ReadingsTable::kFirstReadingRow; n <= ReadingsTable::kLastReadingRow; ++n)
            if (!doc.WriteString(s.Name, s.KeyPrefix + QString::number(n), table.Cells(s.Col, n)))
                ThrowWriteError(path);
    if (!MakeDirectoryPath(QFileInfo(path).absolutePath()) || !doc.Save(path))
        ThrowWriteError(path);
}

} // namespace pexor
