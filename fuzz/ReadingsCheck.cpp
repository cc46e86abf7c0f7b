// The readings file: any bytes loaded, saved, loaded again.
#include "app/ReadingsFile.h"
#include "app/ReadingsTable.h"
#include "fuzz/FuzzTargets.h"
#include "fuzz/ProfileText.h"
#include "platform/Exceptions.h"
#include "platform/Profile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace pexor::fuzz {

namespace {

constexpr std::size_t kMaxNames = 64;

bool IsTableSection(const QString &name) {
    for (const char *table : {"Dates", "TP", "INR"})
        if (SameProfileName(name, QString::fromLatin1(table)))
            return true;
    return false;
}

bool WriteFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

QByteArray ReadFile(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::string Cell(const ReadingsTable &table, int col, int row) {
    return "cell (" + std::to_string(col) + ", " + std::to_string(row) + ") \"" +
           table.Cells(col, row).toStdString() + '"';
}

} // namespace

Finding CheckReadingsFile(const QByteArray &input) {
    // One folder for the whole run: the file is written anew for each input.
    static const QTemporaryDir dir;
    if (!dir.isValid())
        return "no temporary folder for the readings file";
    const QString path = dir.filePath(QStringLiteral("Pexor.ini"));
    if (!WriteFile(path, input))
        return "the input could not be written to " + path.toStdString();

    ReadingsTable loaded;
    ChargeOptions(loaded, path);
    try {
        SauveOptions(loaded, path);
    } catch (const EFileError &e) {
        return "saving what was loaded failed: " + e.Message().toStdString();
    }
    const QByteArray saved = ReadFile(path);

    ReadingsTable reloaded;
    ChargeOptions(reloaded, path);
    for (int col = 0; col < ReadingsTable::kColCount; ++col)
        for (int row = ReadingsTable::kFirstReadingRow; row <= ReadingsTable::kLastReadingRow;
             ++row)
            if (reloaded.Cells(col, row) != loaded.Cells(col, row))
                return Cell(loaded, col, row) + " came back as \"" +
                       reloaded.Cells(col, row).toStdString() + '"';

    // The file's other sections are neither read nor touched.
    const ProfileDocument before = ProfileDocument::FromBytes(input);
    const ProfileDocument after = ProfileDocument::FromBytes(saved);
    for (const ProfileName &name : NamesIn(input, kMaxNames))
        if (!IsTableSection(name.Section) &&
            before.ReadString(name.Section, name.Key) != after.ReadString(name.Section, name.Key))
            return "the save changed [" + name.Section.toStdString() + "] " +
                   name.Key.toStdString();

    // Saving what was saved changes nothing.
    try {
        SauveOptions(reloaded, path);
    } catch (const EFileError &e) {
        return "saving again failed: " + e.Message().toStdString();
    }
    if (ReadFile(path) != saved)
        return "a second save of the same readings wrote other bytes";
    return {};
}

} // namespace pexor::fuzz
