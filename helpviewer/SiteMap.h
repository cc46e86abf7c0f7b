#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace pexor {

// A page an entry names: its "Local" value and the "Name" given just before
// it, if any (an index entry lists each of its pages so, after its keyword).
struct SiteMapLink {
    QString Title;
    QString Local;
};

// One entry of a help file's table of contents or keyword index: its title
// (the keyword, in an index), the page it opens (as the author wrote it,
// possibly with an anchor; empty for a pure heading), every page it names,
// and the entries under it.
struct ContentsEntry {
    QString Name;
    QString Local;
    std::vector<SiteMapLink> Links;
    std::vector<ContentsEntry> Children;
};

// The entries of a site map (the table of contents format: nested lists of
// sitemap objects with "Name" and "Local" parameters). Tolerant of the loose
// markup such files use: unclosed items, stray or missing list ends.
std::vector<ContentsEntry> ParseSiteMap(const QString &html);

// The index keywords a page carries: the "Keyword" parameters of its keyword
// objects (type "application/x-oleobject"), each once, in page order.
QStringList PageKeywords(const QString &html);

// The archive path a "Local" value points at, anchor kept ("page.htm#a"
// gives "/page.htm#a"); a reference into another file ("x.chm::/p.htm")
// keeps only the part after "::".
QString SiteMapTarget(const QString &local);

} // namespace pexor
