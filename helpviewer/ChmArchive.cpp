#include "helpviewer/ChmArchive.h"

#include "helpviewer/HtmlText.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <chm_lib.h>

namespace pexor {

namespace {

// Records of the compiler's settings file.
enum SystemCode : quint16 {
    SystemContentsFile = 0,
    SystemIndexFile = 1,
    SystemDefaultTopic = 2,
    SystemTitle = 3,
};

int CollectPath(chmFile *, chmUnitInfo *unit, void *context) {
    auto *paths = static_cast<QList<QByteArray> *>(context);
    paths->append(QByteArray(unit->path));
    return CHM_ENUMERATOR_CONTINUE;
}

// The compiler's own entries ("/#SYSTEM", "/$OBJINST", "::DataSpace/...")
// and directories are not the author's files.
bool IsAuthorFile(const QString &path) {
    return path.startsWith(QLatin1Char('/')) && !path.endsWith(QLatin1Char('/')) &&
           !path.startsWith(QLatin1String("/#")) && !path.startsWith(QLatin1String("/$"));
}

QString SystemString(const QByteArray &data) {
    const qsizetype end = data.indexOf('\0');
    return DecodeLegacyText(end < 0 ? data : data.left(end)).trimmed();
}

bool IsPage(const QString &path) {
    return path.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive) ||
           path.endsWith(QLatin1String(".html"), Qt::CaseInsensitive);
}

} // namespace

std::unique_ptr<ChmArchive> ChmArchive::Open(const QString &path) {
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return nullptr;
    chmFile *handle = chm_open(QFile::encodeName(path).constData());
    if (!handle)
        return nullptr;
    std::unique_ptr<ChmArchive> archive(new ChmArchive(QFileInfo(path).absoluteFilePath(), handle));
    archive->ReadSystemSettings();
    archive->ChooseFallbacks();
    return archive;
}

ChmArchive::ChmArchive(QString path, chmFile *handle) : path_(std::move(path)), handle_(handle) {
    QList<QByteArray> raw;
    chm_enumerate(handle_, CHM_ENUMERATE_ALL, &CollectPath, &raw);
    for (const QByteArray &bytes : raw) {
        const QString entry = DecodeLegacyText(bytes);
        rawNames_.insert(entry, bytes);
        byLowerCase_.insert(entry.toLower(), entry);
        if (IsAuthorFile(entry))
            files_.append(entry);
    }
}

ChmArchive::~ChmArchive() {
    chm_close(handle_);
}

QStringList ChmArchive::Pages() const {
    QStringList pages;
    for (const QString &file : files_)
        if (IsPage(file))
            pages.append(file);
    return pages;
}

QString ChmArchive::NormalizePath(const QString &path) {
    QString unified = path;
    unified.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QStringList parts;
    for (const QString &part : unified.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..")) {
            if (!parts.isEmpty())
                parts.removeLast();
            continue;
        }
        parts.append(part);
    }
    return QLatin1Char('/') + parts.join(QLatin1Char('/'));
}

QString ChmArchive::Resolve(const QString &path) const {
    const QString normal = NormalizePath(path);
    if (normal == QLatin1String("/"))
        return {};
    if (rawNames_.contains(normal))
        return normal;
    return byLowerCase_.value(normal.toLower());
}

std::optional<QByteArray> ChmArchive::Read(const QString &path) const {
    const QString stored = Resolve(path);
    if (stored.isEmpty())
        return std::nullopt;
    chmUnitInfo unit{};
    if (chm_resolve_object(handle_, rawNames_.value(stored).constData(), &unit) !=
        CHM_RESOLVE_SUCCESS)
        return std::nullopt;
    if (unit.length > static_cast<LONGUINT64>(MaxFileSize))
        return std::nullopt;
    QByteArray data(static_cast<qsizetype>(unit.length), Qt::Uninitialized);
    if (unit.length == 0)
        return data;
    const LONGINT64 got =
        chm_retrieve_object(handle_, &unit, reinterpret_cast<unsigned char *>(data.data()), 0,
                            static_cast<LONGINT64>(unit.length));
    if (got != static_cast<LONGINT64>(unit.length))
        return std::nullopt;
    return data;
}

void ChmArchive::ReadSystemSettings() {
    const std::optional<QByteArray> system = Read(QStringLiteral("/#SYSTEM"));
    if (!system)
        return;
    // A version word, then records: code, length, data (all little-endian).
    const QByteArray &data = *system;
    qsizetype pos = 4;
    while (pos + 4 <= data.size()) {
        const quint16 code = qFromLittleEndian<quint16>(data.constData() + pos);
        const quint16 length = qFromLittleEndian<quint16>(data.constData() + pos + 2);
        pos += 4;
        if (pos + length > data.size())
            break;
        const QByteArray record = data.mid(pos, length);
        pos += length;
        switch (code) {
        case SystemContentsFile:
            contentsFile_ = SystemString(record);
            break;
        case SystemIndexFile:
            indexFile_ = SystemString(record);
            break;
        case SystemDefaultTopic:
            defaultTopic_ = SystemString(record);
            break;
        case SystemTitle:
            title_ = SystemString(record);
            break;
        default:
            break;
        }
    }
}

void ChmArchive::ChooseFallbacks() {
    // Settings that name a file the archive lacks are as good as absent.
    auto stored = [this](const QString &name) {
        return name.isEmpty() ? QString() : Resolve(name);
    };
    contentsFile_ = stored(contentsFile_);
    indexFile_ = stored(indexFile_);
    QString topic = defaultTopic_;
    const qsizetype fragment = topic.indexOf(QLatin1Char('#'));
    const QString anchor = fragment < 0 ? QString() : topic.mid(fragment);
    defaultTopic_ = stored(fragment < 0 ? topic : topic.left(fragment));
    if (!defaultTopic_.isEmpty())
        defaultTopic_ += anchor;

    if (contentsFile_.isEmpty()) {
        for (const QString &file : files_)
            if (file.endsWith(QLatin1String(".hhc"), Qt::CaseInsensitive)) {
                contentsFile_ = file;
                break;
            }
    }
    if (defaultTopic_.isEmpty()) {
        for (const char *candidate :
             {"/index.htm", "/index.html", "/default.htm", "/default.html"}) {
            defaultTopic_ = Resolve(QLatin1String(candidate));
            if (!defaultTopic_.isEmpty())
                break;
        }
    }
    if (defaultTopic_.isEmpty()) {
        for (const QString &file : files_)
            if (IsPage(file)) {
                defaultTopic_ = file;
                break;
            }
    }
}

} // namespace pexor
