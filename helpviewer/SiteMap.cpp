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

struct Tag {
    bool Closing;
    QString Name; // lower case
    QString Attributes;
};

// Calls visit for each tag of the markup, in order. A quoted attribute
// value may hold ">".
template <typename Visit> void ForEachTag(const QString &html, Visit visit) {
    static const QRegularExpression tag(
        QStringLiteral("<\\s*(/?)\\s*([A-Za-z]+)((?:[^>\"']++|\"[^\"]*+\"|'[^']*+')*+)>"));
    auto it = tag.globalMatch(html);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        visit(Tag{!match.captured(1).isEmpty(), match.captured(2).toLower(), match.captured(3)});
    }
}

bool IsObjectOfType(const Tag &tag, QLatin1String type) {
    return !tag.Closing && tag.Name == QLatin1String("object") &&
           AttributeValue(tag.Attributes, QLatin1String("type"))
                   .compare(type, Qt::CaseInsensitive) == 0;
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
    ForEachTag(html, [&](const Tag &tag) {
        if (tag.Name == QLatin1String("ul")) {
            if (tag.Closing) {
                if (!open.empty())
                    open.pop_back();
            } else if (open.empty()) {
                open.push_back(&root);
            } else {
                std::vector<ContentsEntry> *list = current();
                // A nested list belongs to the entry just before it.
                open.push_back(list->empty() ? list : &list->back().Children);
            }
        } else if (tag.Name == QLatin1String("object")) {
            if (!tag.Closing) {
                inObject = IsObjectOfType(tag, QLatin1String("text/sitemap"));
                pending = ContentsEntry();
                linkTitle.clear();
            } else if (inObject) {
                inObject = false;
                if (!pending.Name.isEmpty() || !pending.Local.isEmpty())
                    current()->push_back(std::move(pending));
                pending = ContentsEntry();
            }
        } else if (tag.Name == QLatin1String("param") && inObject && !tag.Closing) {
            const QString value = AttributeValue(tag.Attributes, QLatin1String("value")).trimmed();
            // The first "Name" is the entry's title; a later one titles the
            // page that follows it (merged files and index entries).
            if (IsParameter(tag.Attributes, QLatin1String("Name"))) {
                if (pending.Name.isEmpty())
                    pending.Name = value;
                else
                    linkTitle = value;
            } else if (IsParameter(tag.Attributes, QLatin1String("Local")) && !value.isEmpty()) {
                if (pending.Local.isEmpty())
                    pending.Local = value;
                pending.Links.push_back({std::exchange(linkTitle, QString()), value});
            }
        }
    });
    return root;
}

QStringList PageKeywords(const QString &html) {
    QStringList keywords;
    bool inObject = false;
    ForEachTag(html, [&](const Tag &tag) {
        if (tag.Name == QLatin1String("object")) {
            inObject = IsObjectOfType(tag, QLatin1String("application/x-oleobject"));
        } else if (tag.Name == QLatin1String("param") && inObject && !tag.Closing &&
                   IsParameter(tag.Attributes, QLatin1String("Keyword"))) {
            const QString keyword =
                AttributeValue(tag.Attributes, QLatin1String("value")).simplified();
            if (!keyword.isEmpty() && !keywords.contains(keyword))
                keywords.append(keyword);
        }
    });
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
