#include "app/InrTarget.h"

#include "app/InrNumber.h"
#include "platform/Exceptions.h"
#include "platform/Profile.h"
#include "platform/ReplaceFile.h"

#include <QFileInfo>

namespace pexor {

namespace {

const QString kSection = QStringLiteral("Cible");
const QString kMinKey = QStringLiteral("INRMin");
const QString kMaxKey = QStringLiteral("INRMax");

[[noreturn]] void ThrowWriteError(const QString &path) {
    throw EFileError(
        QStringLiteral("Impossible d'écrire dans %1").arg(QFileInfo(path).absoluteFilePath()));
}

double ReadBound(const ProfileDocument &doc, const QString &key, double fallback) {
    return ParseInrNumber(doc.ReadString(kSection, key)).value_or(fallback);
}

} // namespace

bool IsValidInrTarget(double min, double max) {
    return min >= kInrTargetLowest && min < max && max <= kInrTargetHighest;
}

QString InrTargetText(const InrTarget &target) {
    return QStringLiteral("%1 à %2").arg(InrNumberText(target.Min), InrNumberText(target.Max));
}

InrTarget LoadInrTarget(const QString &path) {
    ProfileDocument doc;
    doc.Load(path);
    const InrTarget defaults;
    const InrTarget read{ReadBound(doc, kMinKey, defaults.Min),
                         ReadBound(doc, kMaxKey, defaults.Max)};
    return IsValidInrTarget(read.Min, read.Max) ? read : defaults;
}

void SaveInrTarget(const InrTarget &target, const QString &path) {
    ProfileDocument doc;
    // Saving over a file we could not read would lose the readings.
    if (!doc.Load(path))
        ThrowWriteError(path);
    if (!doc.WriteString(kSection, kMinKey, InrNumberText(target.Min)) ||
        !doc.WriteString(kSection, kMaxKey, InrNumberText(target.Max)))
        ThrowWriteError(path);
    if (!MakeDirectoryPath(QFileInfo(path).absolutePath()) || !doc.Save(path))
        ThrowWriteError(path);
}

} // namespace pexor
