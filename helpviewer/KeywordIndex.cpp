#include "helpviewer/KeywordIndex.h"

#include "helpviewer/ChmArchive.h"
#include "helpviewer/HtmlText.h"
#include "helpviewer/SearchText.h"
#include "helpviewer/SiteMap.h"

#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <map>

namespace pexor {

namespace {

void Flatten(const std::vector<ContentsEntry> &siteMap, const QString &parent,
             std::vector<IndexEntry> &entries) {
    for (const ContentsEntry &item : siteMap) {
        const QString keyword = parent.isEmpty() || item.Name.isEmpty()
                                    ? parent + item.Name
                                    : parent + QStringLiteral(", ") + item.Name;
        IndexEntry entry{keyword, {}};
        for (const SiteMapLink &link : item.Links) {
            const QString target = SiteMapTarget(link.Local);
            if (!target.isEmpty())
                entry.Topics.push_back({link.Title, target});
        }
        if (!entry.Keyword.isEmpty() && !entry.Topics.empty())
            entries.push_back(std::move(entry));
        Flatten(item.Children, keyword, entries);
    }
}

QString TitleOfPage(const ChmArchive &archive, const QString &target) {
    const QString path = target.section(QLatin1Char('#'), 0, 0);
    if (const std::optional<QByteArray> html = archive.Read(path)) {
        const QString title = PageTitle(DecodeHtml(*html));
        if (!title.isEmpty())
            return title;
    }
    return QFileInfo(path).fileName();
}

// Reading order: letter case and accents ignored, then as written so that
// the order never depends on the input's.
bool ReadsBefore(const QString &a, const QString &b) {
    const int folded = FoldForSearch(a).compare(FoldForSearch(b));
    return folded != 0 ? folded < 0 : a < b;
}

} // namespace

std::vector<IndexEntry> IndexFromSiteMap(const std::vector<ContentsEntry> &siteMap) {
    std::vector<IndexEntry> entries;
    Flatten(siteMap, QString(), entries);
    return entries;
}

std::vector<IndexEntry> LoadKeywordIndex(const ChmArchive &archive) {
    if (archive.IndexFile().isEmpty())
        return {};
    const std::optional<QByteArray> data = archive.Read(archive.IndexFile());
    if (!data)
        return {};
    std::vector<IndexEntry> entries = IndexFromSiteMap(ParseSiteMap(DecodeHtml(*data)));
    QHash<QString, QString> titles;
    for (IndexEntry &entry : entries)
        for (IndexTopic &topic : entry.Topics) {
            if (!topic.Title.isEmpty())
                continue;
            auto found = titles.constFind(topic.Target);
            if (found == titles.cend())
                found = titles.insert(topic.Target, TitleOfPage(archive, topic.Target));
            topic.Title = *found;
        }
    return entries;
}

std::vector<IndexEntry> IndexFromPages(const std::vector<KeywordPage> &pages,
                                       QStringList &problems) {
    // Keyed by folded keyword, so that two spellings of one keyword meet.
    std::map<QString, IndexEntry> byFolded;
    std::map<QString, QString> firstPageOf;
    for (const KeywordPage &page : pages) {
        if (page.Keywords.isEmpty())
            problems.append(QStringLiteral("%1 has no index keyword").arg(page.File));
        const QString title = page.Title.isEmpty() ? page.File : page.Title;
        for (const QString &keyword : page.Keywords) {
            const QString folded = FoldForSearch(keyword);
            IndexEntry &entry = byFolded[folded];
            if (entry.Keyword.isEmpty()) {
                entry.Keyword = keyword;
                firstPageOf[folded] = page.File;
            } else if (entry.Keyword != keyword) {
                problems.append(QStringLiteral("keyword \"%1\" in %2 is written \"%3\" in %4")
                                    .arg(keyword, page.File, entry.Keyword, firstPageOf[folded]));
            }
            const bool listed =
                std::any_of(entry.Topics.begin(), entry.Topics.end(),
                            [&](const IndexTopic &topic) { return topic.Target == page.File; });
            if (!listed)
                entry.Topics.push_back({title, page.File});
        }
    }
    std::vector<IndexEntry> entries;
    for (auto &[folded, entry] : byFolded) {
        std::sort(
            entry.Topics.begin(), entry.Topics.end(), [](const IndexTopic &a, const IndexTopic &b) {
                return a.Title != b.Title ? ReadsBefore(a.Title, b.Title) : a.Target < b.Target;
            });
        entries.push_back(std::move(entry));
    }
    std::sort(entries.begin(), entries.end(), [](const IndexEntry &a, const IndexEntry &b) {
        return ReadsBefore(a.Keyword, b.Keyword);
    });
    return entries;
}

QByteArray WriteIndexSiteMap(const std::vector<IndexEntry> &entries) {
    QString text =
        QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">\n"
                       "<HTML>\n<HEAD>\n"
                       "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\n"
                       "<!-- Built from the keywords of the pages: edit those, not this file. -->\n"
                       "</HEAD><BODY>\n<UL>\n");
    for (const IndexEntry &entry : entries) {
        text += QStringLiteral("\t<LI> <OBJECT type=\"text/sitemap\">\n"
                               "\t\t<param name=\"Name\" value=\"%1\">\n")
                    .arg(entry.Keyword.toHtmlEscaped());
        for (const IndexTopic &topic : entry.Topics)
            text += QStringLiteral("\t\t<param name=\"Name\" value=\"%1\">\n"
                                   "\t\t<param name=\"Local\" value=\"%2\">\n")
                        .arg(topic.Title.toHtmlEscaped(), topic.Target.toHtmlEscaped());
        text += QStringLiteral("\t\t</OBJECT>\n");
    }
    text += QStringLiteral("</UL>\n</BODY></HTML>\n");
    return text.toUtf8();
}

} // namespace pexor
