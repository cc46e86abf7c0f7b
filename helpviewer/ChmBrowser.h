#pragma once

#include <QTextBrowser>
#include <QUrl>
#include <memory>

namespace pexor {

class ChmArchive;

// A page view that reads pages, style sheets and pictures out of a compiled
// help file. Pages are addressed as "chm:///path"; relative links resolve
// against the page shown. Links to the web or to mail open outside.
class ChmBrowser : public QTextBrowser {
    Q_OBJECT
public:
    ChmBrowser(std::shared_ptr<const ChmArchive> archive, QWidget *parent = nullptr);

    static inline const QString Scheme = QStringLiteral("chm");
    // The address of an archive path, anchor kept ("/a.htm#x").
    static QUrl UrlOf(const QString &archivePath);
    // The archive path an address names; empty for another scheme.
    static QString ArchivePathOf(const QUrl &url);

    // A resource of the help file; what it lacks, or what lies outside it,
    // is empty (a null image, an empty text), never read from the disk.
    QVariant loadResource(int type, const QUrl &name) override;

    // Marks every word of the page that begins with one of the folded query
    // words and brings the first into view; the marks go with the page.
    void HighlightWords(const QStringList &queryWords);
    // How many words are marked.
    qsizetype HighlightCount() const { return extraSelections().size(); }

protected:
    void doSetSource(const QUrl &name, QTextDocument::ResourceType type) override;

private:
    static QVariant Nothing(int type);
    void FollowLink(const QUrl &link);

    std::shared_ptr<const ChmArchive> archive_;
    QUrl page_;
};

} // namespace pexor
