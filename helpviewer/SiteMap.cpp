#include "helpviewer/SiteMap.h"

#include "helpviewer/ChmArchive.h"
#include "helpviewer/HtmlText.h"

#include <QRegularExpression>
#include <utility>

namespace pexor {

namespace {

QString AttributeValue(const QString &attributes, QLatin1String name) {
    static const QRegularExpression attribute(
        QStringLiteral("([A-Za-z_:-]+)\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s\"'>]+))"));
    auto it = attribute.globalMatch(attributes);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        if (match.captured(1).compare(name, Qt::CaseInsensitive) != 0)
            continue;
        for (int group = 2; group <= 4; ++group)
            if (match.capturedStart(group) >= 0)
                return DecodeEntities(match.captured(group));
        return {};
    }
    return {};
}

// A tag: closing slash, name, attributes (a quoted value may hold ">").
const QRegularExpression &Tag() {
    static const QRegularExpression tag(
        QStringLiteral("<\\s*(/?)\\s*([A-Za-z]+)((?:[^>\"']|\"[^\"]*\"|'[^']*')*)>"));
    return tag;
}

bool IsParameter(const QString &attributes, QLatin1String name) {
    return AttributeValue(attributes, QLatin1String("name")).compare(name, Qt::CaseInsensitive) ==
           0;
}

} // namespace

std::vector<ContentsEntry> ParseSiteMap(const QString &html) {
    std::vector<ContentsEntry> root;
    // The lists being filled, innermost last. Only the innermost list grows
    // while it is open, so pointers to the outer ones stay valid.
    std::vector<std::vector<ContentsEntry> *> open;
    auto current = [&]() { return open.empty() ? &root : open.back(); };

    bool inObject = false;
    ContentsEntry pending;
    QString linkTitle;
    auto it = Tag().globalMatch(html);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        const bool closing = !match.captured(1).isEmpty();
        const QString name = match.captured(2).toLower();
        const QString attributes = match.captured(3);
        if (name == QLatin1String("ul")) {
            if (closing) {
                if (!open.empty())
                    open.pop_back();
            } else if (open.empty()) {
                open.push_back(&root);
            } else {
                std::vector<ContentsEntry> *list = current();
                // A nested list belongs to the entry just before it.
                open.push_back(list->empty() ? list : &list->back().Children);
            }
        } else if (name == QLatin1String("object")) {
            if (!closing) {
                inObject = AttributeValue(attributes, QLatin1String("type"))
                               .compare(QLatin1String("text/sitemap"), Qt::CaseInsensitive) == 0;
                pending = ContentsEntry();
                linkTitle.clear();
            } else if (inObject) {
                inObject = false;
                if (!pending.Name.isEmpty() || !pending.Local.isEmpty())
                    current()->push_back(std::move(pending));
                pending = ContentsEntry();
            }
        } else if (name == QLatin1String("param") && inObject && !closing) {
            const QString value = AttributeValue(attributes, QLatin1String("value")).trimmed();
            // The first "Name" is the entry's title; a later one titles the
            // page that follows it (merged files and index entries).
            if (IsParameter(attributes, QLatin1String("Name"))) {
                if (pending.Name.isEmpty())
                    pending.Name = value;
                else
                    linkTitle = value;
            } else if (IsParameter(attributes, QLatin1String("Local")) && !value.isEmpty()) {
                if (pending.Local.isEmpty())
                    pending.Local = value;
                pending.Links.push_back({std::exchange(linkTitle, QString()), value});
            }
        }
    }
    return root;
}

QStringList PageKeywords(const QString &html) {
    QStringList keywords;
    bool inObject = false;
    auto it = Tag().globalMatch(html);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        const bool closing = !match.captured(1).isEmpty();
        const QString name = match.captured(2).toLower();
        const QString attributes = match.captured(3);
        if (name == QLatin1String("object")) {
            inObject = !closing && AttributeValue(attributes, QLatin1String("type"))
                                           .compare(QLatin1String("application/x-oleobject"),
                                                    Qt::CaseInsensitive) == 0;
        } else if (name == QLatin1String("param") && inObject && !closing &&
                   IsParameter(attributes, QLatin1String("Keyword"))) {
            const QString keyword = AttributeValue(attributes, QLatin1String("value")).simplified();
            if (!keyword.isEmpty() && !keywords.contains(keyword))
                keywords.append(keyword);
        }
    }
    return keywords;
}

QString SiteMapTarget(const QString &local) {
    if (local.isEmpty())
        return {};
    QString path = local;
    const qsizetype inner = path.indexOf(QLatin1String("::"));
    if (inner >= 0)
        path = path.mid(inner + 2);
    QString anchor;
    const qsizetype hash = path.indexOf(QLatin1Char('#'));
    if (hash >= 0) {
        anchor = path.mid(hash);
        path = path.left(hash);
    }
    if (path.isEmpty())
        return {};
    return ChmArchive::NormalizePath(path) + anchor;
}

} // namespace pexor
