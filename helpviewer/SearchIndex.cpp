#include "helpviewer/SearchIndex.h"

#include "helpviewer/ChmArchive.h"
#include "helpviewer/HtmlText.h"
#include "helpviewer/SearchText.h"

#include <QFileInfo>
#include <QTextDocument>
#include <algorithm>
#include <map>

namespace pexor {

namespace {

// A page read for its text only: what it links to (style sheets, pictures)
// is never loaded, least of all from the disk.
class TextOnlyDocument : public QTextDocument {
protected:
    QVariant loadResource(int, const QUrl &) override { return {}; }
};

} // namespace

SearchIndex SearchIndex::FromArchive(const ChmArchive &archive) {
    SearchIndex index;
    for (const QString &path : archive.Pages()) {
        const std::optional<QByteArray> data = archive.Read(path);
        if (!data)
            continue;
        const QString html = DecodeHtml(*data);
        TextOnlyDocument document;
        document.setHtml(html);
        const QString title = PageTitle(html);
        index.AddPage(path, title.isEmpty() ? QFileInfo(path).fileName() : title,
                      document.toPlainText());
    }
    return index;
}

void SearchIndex::AddPage(const QString &target, const QString &title, const QString &text) {
    pages_.push_back({target, title, FoldForSearch(title), CountWords(text), CountWords(title)});
}

SearchIndex::WordCounts SearchIndex::CountWords(const QString &text) {
    std::map<QString, int> counts;
    for (const TextWord &word : SplitWords(text))
        ++counts[word.Folded];
    return WordCounts(counts.begin(), counts.end());
}

int SearchIndex::Occurrences(const WordCounts &words, const QString &prefix) {
    int count = 0;
    auto it = std::lower_bound(words.begin(), words.end(), prefix,
                               [](const auto &entry, const QString &p) { return entry.first < p; });
    for (; it != words.end() && it->first.startsWith(prefix); ++it)
        count += it->second;
    return count;
}

std::vector<SearchHit> SearchIndex::Find(const QStringList &queryWords) const {
    std::vector<std::pair<SearchHit, const Page *>> found;
    if (queryWords.isEmpty())
        return {};
    for (const Page &page : pages_) {
        int score = 0;
        bool all = true;
        for (const QString &word : queryWords) {
            const int inTitle = Occurrences(page.TitleWords, word);
            const int inText = Occurrences(page.Text, word);
            if (inTitle + inText == 0) {
                all = false;
                break;
            }
            score += inText + 10 * inTitle;
        }
        if (all)
            found.push_back({{page.Target, page.Title, score}, &page});
    }
    std::stable_sort(found.begin(), found.end(), [](const auto &a, const auto &b) {
        if (a.first.Score != b.first.Score)
            return a.first.Score > b.first.Score;
        return a.second->FoldedTitle < b.second->FoldedTitle;
    });
    std::vector<SearchHit> hits;
    hits.reserve(found.size());
    for (auto &[hit, page] : found)
        hits.push_back(std::move(hit));
    return hits;
}

} // namespace pexor
