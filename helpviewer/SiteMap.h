#pragma once

#include <QString>
#include <vector>

namespace pexor {

// One entry of a help file's table of contents: its title, the page it
// opens (as the author wrote it, possibly with an anchor; empty for a pure
// heading) and the entries under it.
struct ContentsEntry {
    QString Name;
    QString Local;
    std::vector<ContentsEntry> Children;
};

// The entries of a site map (the table of contents format: nested lists of
// sitemap objects with "Name" and "Local" parameters). Tolerant of the loose
// markup such files use: unclosed items, stray or missing list ends.
std::vector<ContentsEntry> ParseSiteMap(const QString &html);

// The archive path a "Local" value points at, anchor kept ("page.htm#a"
// gives "/page.htm#a"); a reference into another file ("x.chm::/p.htm")
// keeps only the part after "::".
QString SiteMapTarget(const QString &local);

} // namespace pexor
