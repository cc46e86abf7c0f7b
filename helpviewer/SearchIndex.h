#pragma once

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace pexor {

class ChmArchive;

// A page a search found: its archive path, its title, and how well it
// matched (the more the words found appear, the higher; in the title most).
struct SearchHit {
    QString Target;
    QString Title;
    int Score = 0;
};

// The words of a help file's pages, ready for full-text searches that ignore
// letter case and accents.
class SearchIndex {
public:
    // Every page of the help file, read as the viewer shows it.
    static SearchIndex FromArchive(const ChmArchive &archive);

    void AddPage(const QString &target, const QString &title, const QString &text);
    qsizetype PageCount() const { return static_cast<qsizetype>(pages_.size()); }

    // The pages holding every one of the folded query words (QueryWords) at
    // the start of one of their words, best first, equal scores by title.
    std::vector<SearchHit> Find(const QStringList &queryWords) const;

private:
    // Folded words, sorted, each with the times it occurs.
    using WordCounts = std::vector<std::pair<QString, int>>;
    struct Page {
        QString Target;
        QString Title;
        QString FoldedTitle;
        WordCounts Text;
        WordCounts TitleWords;
    };
    static WordCounts CountWords(const QString &text);
    static int Occurrences(const WordCounts &words, const QString &prefix);

    std::vector<Page> pages_;
};

} // namespace pexor
