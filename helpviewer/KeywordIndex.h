#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace pexor {

class ChmArchive;
struct ContentsEntry;

// A page a keyword leads to. Target is an archive path ("/a.htm#x") in an
// index read from a help file, and the page's file as the project names it
// ("a.htm") in an index being built.
struct IndexTopic {
    QString Title;
    QString Target;
};

// One keyword of a help file's index and the pages it leads to.
struct IndexEntry {
    QString Keyword;
    std::vector<IndexTopic> Topics;
};

// The entries an index site map describes, in its order. A keyword under
// another becomes "Keyword, sub-keyword"; a keyword that leads nowhere is
// left out. A page without a title in the file keeps an empty one.
std::vector<IndexEntry> IndexFromSiteMap(const std::vector<ContentsEntry> &siteMap);

// The help file's keyword index, with the title of each page the index file
// leaves untitled taken from the page itself (else its file name). Empty
// when the file has no index.
std::vector<IndexEntry> LoadKeywordIndex(const ChmArchive &archive);

// A page of a help project as the index is built from it.
struct KeywordPage {
    QString File;
    QString Title;
    QStringList Keywords;
};

// The index of a project's pages: every keyword once, with each page that
// carries it, in the order readers look things up (letter case and accents
// ignored). What would make the index mislead its readers (a page without
// a keyword, two spellings of one keyword) is added to problems.
std::vector<IndexEntry> IndexFromPages(const std::vector<KeywordPage> &pages,
                                       QStringList &problems);

// The index as the site map file the help compiler takes, in UTF-8.
QByteArray WriteIndexSiteMap(const std::vector<IndexEntry> &entries);

} // namespace pexor
