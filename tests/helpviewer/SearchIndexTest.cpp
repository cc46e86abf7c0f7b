#include "helpviewer/SearchIndex.h"

#include "QStringPrinter.h"
#include "helpviewer/ChmArchive.h"
#include "helpviewer/SearchText.h"

#include <gtest/gtest.h>

using namespace pexor;

namespace {

QStringList Targets(const std::vector<SearchHit> &hits) {
    QStringList targets;
    for (const SearchHit &hit : hits)
        targets.append(hit.Target);
    return targets;
}

SearchIndex SmallIndex() {
    SearchIndex index;
    index.AddPage("/a.htm", "Noter un résultat", "Noter un résultat : la date et le TP.");
    index.AddPage("/b.htm", "Imprimer", "Le resultat imprime. Résultats, RESULTAT, résultat.");
    index.AddPage("/c.htm", "Courbe", "La courbe du TP, avec son zoom.");
    index.AddPage("/d.htm", "Autre", "Rien de tel ici : sultat, consulter.");
    return index;
}

} // namespace

TEST(SearchIndex, AccentsAndCaseDoNotMatterEitherWay) {
    const SearchIndex index = SmallIndex();
    EXPECT_EQ(index.PageCount(), 4);
    for (const char16_t *query : {u"resultat", u"résultat", u"RÉSULTAT", u"Re\u0301sultat"})
        EXPECT_EQ(Targets(index.Find(QueryWords(query))), (QStringList{"/a.htm", "/b.htm"}))
            << QString::fromUtf16(query).toStdString();
}

TEST(SearchIndex, EveryWordMustBeFoundAtTheStartOfAWord) {
    const SearchIndex index = SmallIndex();
    EXPECT_EQ(Targets(index.Find(QueryWords(u"tp"))), (QStringList{"/c.htm", "/a.htm"}));
    EXPECT_EQ(Targets(index.Find(QueryWords(u"TP courbe"))), QStringList{"/c.htm"});
    EXPECT_EQ(Targets(index.Find(QueryWords(u"résul zoom"))), QStringList());
    EXPECT_EQ(Targets(index.Find(QueryWords(u"resul"))), (QStringList{"/a.htm", "/b.htm"}));
    // Inside a word is not a match: "sultat" stands alone only on d.
    EXPECT_EQ(Targets(index.Find(QueryWords(u"sultat"))), QStringList{"/d.htm"});
    EXPECT_TRUE(index.Find(QueryWords(u"absent")).empty());
    EXPECT_TRUE(index.Find({}).empty());
    EXPECT_TRUE(SearchIndex().Find(QueryWords(u"tp")).empty());
}

TEST(SearchIndex, MoreOccurrencesAndTitlesRankFirstThenTitleOrder) {
    SearchIndex index;
    index.AddPage("/z.htm", "Zèbre", "date");
    index.AddPage("/e.htm", "Écran", "date");
    index.AddPage("/a.htm", "autre", "date");
    index.AddPage("/t.htm", "La date", "rien");
    index.AddPage("/m.htm", "Mot", "date date date");
    const std::vector<SearchHit> hits = index.Find(QueryWords(u"date"));
    // A title hit outweighs three in the text; ties read in title order,
    // letter case and accents aside.
    EXPECT_EQ(Targets(hits), (QStringList{"/t.htm", "/m.htm", "/a.htm", "/e.htm", "/z.htm"}));
    EXPECT_EQ(hits.front().Title, QStringLiteral("La date"));
    EXPECT_GT(hits[0].Score, hits[1].Score);
    EXPECT_GT(hits[1].Score, hits[2].Score);
}

TEST(SearchIndex, ReadsEveryPageOfTheBuiltHelpFile) {
    const std::unique_ptr<ChmArchive> archive =
        ChmArchive::Open(QStringLiteral(PEXOR_TEST_HELP_FILE));
    ASSERT_NE(archive, nullptr);
    const SearchIndex index = SearchIndex::FromArchive(*archive);
    EXPECT_EQ(index.PageCount(), 10);

    const std::vector<SearchHit> hits = index.Find(QueryWords(u"resultat"));
    ASSERT_FALSE(hits.empty());
    EXPECT_EQ(hits.front().Target, QStringLiteral("/saisir.htm"));
    EXPECT_EQ(hits.front().Title, QStringLiteral("Noter un résultat"));
    EXPECT_TRUE(Targets(hits).contains(QStringLiteral("/fichier.htm")));
    // The text is what the page shows: no markup, no style sheet, no
    // keyword list, and entities read as their characters.
    EXPECT_TRUE(index.Find(QueryWords(u"href")).empty());
    EXPECT_TRUE(index.Find(QueryWords(u"liberation")).empty());
    EXPECT_TRUE(index.Find(QueryWords(u"oleobject")).empty());
    EXPECT_TRUE(index.Find(QueryWords(u"gt")).empty());
    EXPECT_EQ(Targets(index.Find(QueryWords(u"prothrombine"))), QStringList{"/tp_inr.htm"});
    EXPECT_EQ(Targets(index.Find(QueryWords(u"fevrier 31"))), QStringList{"/saisir.htm"});
}
