#include "helpviewer/ChmBrowser.h"

#include "helpviewer/ChmArchive.h"
#include "helpviewer/HtmlText.h"
#include "helpviewer/SearchText.h"

#include <QDesktopServices>
#include <QImage>
#include <QTextBlock>

namespace pexor {

ChmBrowser::ChmBrowser(std::shared_ptr<const ChmArchive> archive, QWidget *parent)
    : QTextBrowser(parent), archive_(std::move(archive)) {
    // Links are followed here so that archive links never leave the viewer
    // and web links never load into it.
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &ChmBrowser::FollowLink);
}

QVariant ChmBrowser::Nothing(int type) {
    // A null answer would send the document looking for the resource on the
    // disk ("file:///dev/zero" included); an empty one of the right kind
    // does not.
    switch (type) {
    case QTextDocument::ImageResource:
        return QImage();
    case QTextDocument::HtmlResource:
    case QTextDocument::StyleSheetResource:
        return QString();
    default:
        return QByteArray();
    }
}

QUrl ChmBrowser::UrlOf(const QString &archivePath) {
    QString path = archivePath;
    QString fragment;
    const qsizetype hash = path.indexOf(QLatin1Char('#'));
    if (hash >= 0) {
        fragment = path.mid(hash + 1);
        path = path.left(hash);
    }
    QUrl url;
    url.setScheme(Scheme);
    url.setPath(ChmArchive::NormalizePath(path));
    if (hash >= 0)
        url.setFragment(fragment);
    return url;
}

QString ChmBrowser::ArchivePathOf(const QUrl &url) {
    if (url.scheme() != Scheme)
        return {};
    return ChmArchive::NormalizePath(url.path());
}

void ChmBrowser::doSetSource(const QUrl &name, QTextDocument::ResourceType type) {
    page_ = name.isRelative() && page_.isValid() ? page_.resolved(name) : name;
    setExtraSelections({});
    QTextBrowser::doSetSource(page_, type);
}

QVariant ChmBrowser::loadResource(int type, const QUrl &name) {
    QUrl url = name;
    if (url.isRelative())
        url = page_.isValid() ? page_.resolved(name) : UrlOf(name.path());
    // Data written into the page itself is decoded by the document.
    if (url.scheme() == QLatin1String("data"))
        return {};
    const QString path = ArchivePathOf(url);
    if (path.isEmpty())
        return Nothing(type);
    const std::optional<QByteArray> data = archive_->Read(path);
    if (!data) {
        // A dead link shows why the page is blank instead of nothing.
        if (type == QTextDocument::HtmlResource)
            return tr("<html><body><h1>Page introuvable</h1>"
                      "<p>Le fichier d'aide ne contient pas la page %1.</p></body></html>")
                .arg(path.toHtmlEscaped());
        return Nothing(type);
    }
    switch (type) {
    case QTextDocument::HtmlResource:
        return DecodeHtml(*data);
    case QTextDocument::StyleSheetResource:
        return DecodeLegacyText(*data);
    case QTextDocument::ImageResource: {
        QImage image;
        image.loadFromData(*data);
        return image;
    }
    default:
        return *data;
    }
}

void ChmBrowser::HighlightWords(const QStringList &queryWords) {
    QTextCharFormat mark;
    mark.setBackground(QColor(255, 255, 0));
    mark.setForeground(QColor(0, 0, 0));
    QList<QTextEdit::ExtraSelection> marks;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        for (const TextWord &word : SplitWords(block.text())) {
            if (!StartsWithAny(word.Folded, queryWords))
                continue;
            QTextCursor cursor(document());
            cursor.setPosition(block.position() + word.Start);
            cursor.setPosition(block.position() + word.Start + word.Length,
                               QTextCursor::KeepAnchor);
            marks.append({cursor, mark});
        }
    }
    setExtraSelections(marks);
    if (marks.isEmpty())
        return;
    QTextCursor first = marks.first().cursor;
    first.setPosition(first.selectionStart());
    setTextCursor(first);
    ensureCursorVisible();
}

void ChmBrowser::FollowLink(const QUrl &link) {
    const QUrl target = link.isRelative() && page_.isValid() ? page_.resolved(link) : link;
    if (target.scheme() == Scheme) {
        setSource(target);
        return;
    }
    const QString scheme = target.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
        scheme == QLatin1String("mailto"))
        QDesktopServices::openUrl(target);
}

} // namespace pexor
