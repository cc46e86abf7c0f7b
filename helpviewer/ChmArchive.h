#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

struct chmFile;

namespace pexor {

// A compiled help file opened for reading: its internal files and the
// settings the compiler stored (default topic, contents file, title).
// Internal paths are absolute within the archive ("/index.htm").
class ChmArchive {
public:
    // Null when the file is missing or is not a compiled help file.
    static std::unique_ptr<ChmArchive> Open(const QString &path);
    ~ChmArchive();
    ChmArchive(const ChmArchive &) = delete;
    ChmArchive &operator=(const ChmArchive &) = delete;

    const QString &Path() const { return path_; }
    // The page shown first; empty only when the archive holds no page at all.
    const QString &DefaultTopic() const { return defaultTopic_; }
    // The table of contents (a site map); empty when there is none.
    const QString &ContentsFile() const { return contentsFile_; }
    const QString &IndexFile() const { return indexFile_; }
    const QString &Title() const { return title_; }
    // The author's files, in archive order, without the compiler's own.
    const QStringList &Files() const { return files_; }
    // The author's HTML pages, in archive order.
    QStringList Pages() const;

    // Where a stored path really is: looked up as given, then without regard
    // to letter case; empty when the archive does not hold it.
    QString Resolve(const QString &path) const;
    bool Contains(const QString &path) const { return !Resolve(path).isEmpty(); }
    // The file's bytes; none when absent, unreadable or unreasonably large.
    std::optional<QByteArray> Read(const QString &path) const;

    // An archive path from a link's path: separators made "/", "." and ".."
    // folded (never above the root), a leading "/" added.
    static QString NormalizePath(const QString &path);

    // Files larger than this are refused rather than read into memory.
    static constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

private:
    ChmArchive(QString path, chmFile *handle);
    void ReadSystemSettings();
    void ChooseFallbacks();

    QString path_;
    chmFile *handle_;
    QStringList files_;
    QHash<QString, QByteArray> rawNames_; // as decoded -> as stored
    QHash<QString, QString> byLowerCase_;
    QString defaultTopic_;
    QString contentsFile_;
    QString indexFile_;
    QString title_;
};

} // namespace pexor
