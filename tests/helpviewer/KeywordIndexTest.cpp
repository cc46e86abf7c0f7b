#include "helpviewer/KeywordIndex.h"

#include "QStringPrinter.h"
#include "helpviewer/ChmArchive.h"
#include "helpviewer/HtmlText.h"
#include "helpviewer/SiteMap.h"

#include <QSet>
#include <algorithm>
#include <gtest/gtest.h>

using namespace pexor;

namespace {

QStringList Keywords(const std::vector<IndexEntry> &entries) {
    QStringList keywords;
    for (const IndexEntry &entry : entries)
        keywords.append(entry.Keyword);
    return keywords;
}

QStringList Targets(const IndexEntry &entry) {
    QStringList targets;
    for (const IndexTopic &topic : entry.Topics)
        targets.append(topic.Target);
    return targets;
}

} // namespace

TEST(PageKeywords, OnlyKeywordObjectsCount) {
    const QString html = QStringLiteral(
        "<html><head><title>Noter un r&eacute;sultat</title></head><body>"
        "<OBJECT Type=\"application/x-oleobject\" classid=\"clsid:x\">"
        "<PARAM name=\"Keyword\" value=\"Date\"><param name='keyword' value=' R&eacute;sultat  '>"
        "<param name=\"Keyword\" value=\"Date\"><param name=\"Keyword\" value=\"\">"
        "<param name=\"Keyword\" value=\"a > b\"><param name=\"Other\" value=\"Non\"></object>"
        "<object type=\"text/sitemap\"><param name=\"Keyword\" value=\"Non plus\"></object>"
        "<param name=\"Keyword\" value=\"Hors objet\">"
        "<p>Keyword</p></body></html>");
    EXPECT_EQ(PageKeywords(html), (QStringList{"Date", "Résultat", "a > b"}));
    EXPECT_EQ(PageTitle(html), QStringLiteral("Noter un résultat"));
    EXPECT_TRUE(
        PageKeywords(QStringLiteral("<object type=\"application/x-oleobject\">")).isEmpty());
    EXPECT_EQ(PageTitle(QStringLiteral("<TITLE lang=fr>\n  Deux\n lignes </TITLE>")),
              QStringLiteral("Deux lignes"));
    EXPECT_EQ(PageTitle(QStringLiteral("<titles>Non</titles><p>sans titre")), QString());
}

TEST(KeywordIndexBuild, EveryKeywordOnceInReadingOrderWithEachOfItsPages) {
    QStringList problems;
    const std::vector<IndexEntry> entries =
        IndexFromPages({{"saisir.htm", "Noter un résultat", {"Date", "Résultat", "TP"}},
                        {"clavier.htm", "Les touches", {"date", "Écran", "Zoom"}},
                        {"courbe.htm", "", {"zoom", "TP", "TP"}},
                        {"vide.htm", "Vide", {}}},
                       problems);
    EXPECT_EQ(Keywords(entries), (QStringList{"Date", "Écran", "Résultat", "TP", "Zoom"}));
    EXPECT_EQ(Targets(entries[0]), (QStringList{"clavier.htm", "saisir.htm"}));
    EXPECT_EQ(entries[0].Topics[0].Title, QStringLiteral("Les touches"));
    // A page without a title is listed by its file; each page once.
    EXPECT_EQ(Targets(entries[3]), (QStringList{"courbe.htm", "saisir.htm"}));
    EXPECT_EQ(entries[3].Topics[0].Title, QStringLiteral("courbe.htm"));
    // Two spellings of a keyword and a page without one are reported.
    EXPECT_EQ(problems,
              (QStringList{"keyword \"date\" in clavier.htm is written \"Date\" in saisir.htm",
                           "keyword \"zoom\" in courbe.htm is written \"Zoom\" in clavier.htm",
                           "vide.htm has no index keyword"}));
}

TEST(KeywordIndexBuild, WrittenIndexReadsBackAsBuilt) {
    const std::vector<IndexEntry> built{
        {"Aide & « guillemets »", {{"Titre <b> \"cité\"", "a.htm"}}},
        {"Date", {{"Les touches", "clavier.htm"}, {"Noter un résultat", "sous/saisir.htm"}}}};
    const std::vector<IndexEntry> read =
        IndexFromSiteMap(ParseSiteMap(DecodeHtml(WriteIndexSiteMap(built))));
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].Keyword, built[0].Keyword);
    EXPECT_EQ(read[0].Topics[0].Title, built[0].Topics[0].Title);
    EXPECT_EQ(Targets(read[0]), QStringList{"/a.htm"});
    EXPECT_EQ(read[1].Topics[1].Title, QStringLiteral("Noter un résultat"));
    EXPECT_EQ(Targets(read[1]), (QStringList{"/clavier.htm", "/sous/saisir.htm"}));
}

TEST(KeywordIndexRead, SubKeywordsAreSpelledOutAndDeadEntriesLeftOut) {
    // As other authors write indexes: a page per keyword without a title,
    // sub-keywords as nested lists, headings that lead nowhere.
    const QString html = QStringLiteral(
        "<ul><li><object type=\"text/sitemap\"><param name=\"Name\" value=\"Courbe\">"
        "<param name=\"Local\" value=\"courbe.htm\"></object>"
        "<ul><li><object type=\"text/sitemap\"><param name=\"Name\" value=\"zoom\">"
        "<param name=\"Local\" value=\"courbe.htm#zoom\"></object></ul>"
        "<li><object type=\"text/sitemap\"><param name=\"Name\" value=\"Titre seul\"></object>"
        "<ul><li><object type=\"text/sitemap\"><param name=\"Name\" value=\"fils\">"
        "<param name=\"Local\" value=\"f.htm\"></object></ul>"
        "<li><object type=\"text/sitemap\"><param name=\"Name\" value=\"Ailleurs\">"
        "<param name=\"Local\" value=\"autre.chm::/p.htm\"><param name=\"Local\" value=\"#x\">"
        "</object>"
        "<li><object type=\"text/sitemap\"><param name=\"Local\" value=\"sans-nom.htm\"></object>"
        "</ul>");
    const std::vector<IndexEntry> entries = IndexFromSiteMap(ParseSiteMap(html));
    EXPECT_EQ(Keywords(entries),
              (QStringList{"Courbe", "Courbe, zoom", "Titre seul, fils", "Ailleurs"}));
    EXPECT_EQ(Targets(entries[1]), QStringList{"/courbe.htm#zoom"});
    EXPECT_TRUE(entries[1].Topics[0].Title.isEmpty());
    EXPECT_EQ(Targets(entries[3]), QStringList{"/p.htm"});
}

// The index inside the built file is exactly what the pages carry.
TEST(KeywordIndexRead, BuiltHelpFileIndexesEveryKeywordOfEveryPage) {
    const std::unique_ptr<ChmArchive> archive =
        ChmArchive::Open(QStringLiteral(PEXOR_TEST_HELP_FILE));
    ASSERT_NE(archive, nullptr);
    const std::vector<IndexEntry> entries = LoadKeywordIndex(*archive);
    ASSERT_GE(entries.size(), 30u);

    QSet<QString> fromIndex;
    for (const IndexEntry &entry : entries)
        for (const IndexTopic &topic : entry.Topics) {
            EXPECT_TRUE(archive->Contains(topic.Target)) << topic.Target.toStdString();
            EXPECT_EQ(topic.Title, PageTitle(DecodeHtml(*archive->Read(topic.Target))));
            fromIndex.insert(topic.Target + QLatin1Char('|') + entry.Keyword);
        }
    QSet<QString> fromPages;
    for (const QString &page : archive->Pages()) {
        const QStringList keywords = PageKeywords(DecodeHtml(*archive->Read(page)));
        EXPECT_FALSE(keywords.isEmpty()) << page.toStdString();
        for (const QString &keyword : keywords)
            fromPages.insert(page + QLatin1Char('|') + keyword);
    }
    EXPECT_EQ(fromIndex, fromPages);

    const auto date = std::find_if(entries.begin(), entries.end(),
                                   [](const IndexEntry &e) { return e.Keyword == "Date"; });
    ASSERT_NE(date, entries.end());
    EXPECT_EQ(Targets(*date), (QStringList{"/clavier.htm", "/saisir.htm"}));
}
