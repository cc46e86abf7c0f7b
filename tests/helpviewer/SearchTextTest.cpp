#include "helpviewer/SearchText.h"

#include "QStringPrinter.h"

#include <gtest/gtest.h>

using namespace pexor;

TEST(SearchText, FoldingDropsCaseAndAccentsAndSpellsOutLigatures) {
    EXPECT_EQ(FoldForSearch(u"Résultat"), QStringLiteral("resultat"));
    EXPECT_EQ(FoldForSearch(u"RÉSULTAT"), QStringLiteral("resultat"));
    EXPECT_EQ(FoldForSearch(u"resultat"), QStringLiteral("resultat"));
    // The accent typed as a separate combining character folds the same.
    EXPECT_EQ(FoldForSearch(u"Re\u0301sultat"), QStringLiteral("resultat"));
    EXPECT_EQ(FoldForSearch(u"À côté, Noël, Ça, où, île, Œuvre, Cæcum, Straße, ﬁn"),
              QStringLiteral("a cote, noel, ca, ou, ile, oeuvre, caecum, strasse, fin"));
    EXPECT_EQ(FoldForSearch(u"Pexor.ini 2,5 %"), QStringLiteral("pexor.ini 2,5 %"));
    EXPECT_EQ(FoldForSearch(u""), QString());
}

TEST(SearchText, WordsKnowWhereTheyStand) {
    const QString text = QStringLiteral("L'INR « Défilement » : 2,5\u00A0% —  e\u0301té 𝐀b");
    const std::vector<TextWord> words = SplitWords(text);
    QStringList folded;
    for (const TextWord &word : words) {
        folded.append(word.Folded);
        EXPECT_EQ(FoldForSearch(QStringView(text).mid(word.Start, word.Length)), word.Folded);
    }
    // The mathematical letter outside the first plane is one letter, not two
    // halves; the combining accent stays in its word.
    EXPECT_EQ(folded, (QStringList{"l", "inr", "defilement", "2", "5", "ete", "ab"}));
    EXPECT_EQ(text.mid(words[2].Start, words[2].Length), QStringLiteral("Défilement"));
    EXPECT_EQ(text.mid(words[6].Start, words[6].Length), QStringLiteral("𝐀b"));
    EXPECT_TRUE(SplitWords(u" ,;: ").empty());
    // A lone surrogate is not a letter and does not swallow its neighbour.
    const QString broken = QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b");
    ASSERT_EQ(SplitWords(broken).size(), 2u);
}

TEST(SearchText, QueriesAndFiltersMatchTheStartsOfWords) {
    EXPECT_EQ(QueryWords(u"  Résultat, resultat; PRISE de sang "),
              (QStringList{"resultat", "prise", "de", "sang"}));
    EXPECT_TRUE(QueryWords(u"« %% » ?").isEmpty());

    EXPECT_TRUE(StartsWithAny(QStringLiteral("resultats"), {"zoom", "resul"}));
    EXPECT_FALSE(StartsWithAny(QStringLiteral("resultats"), {"sultat"}));
    EXPECT_FALSE(StartsWithAny(QStringLiteral("resultats"), {}));

    const QString keyword = FoldForSearch(u"Annuler le zoom, d'après");
    EXPECT_TRUE(MatchesAtWordStart(keyword, QString()));
    EXPECT_TRUE(MatchesAtWordStart(keyword, QStringLiteral("annuler")));
    EXPECT_TRUE(MatchesAtWordStart(keyword, QStringLiteral("zo")));
    EXPECT_TRUE(MatchesAtWordStart(keyword, QStringLiteral("le zoom")));
    EXPECT_TRUE(MatchesAtWordStart(keyword, QStringLiteral("apres")));
    EXPECT_FALSE(MatchesAtWordStart(keyword, QStringLiteral("oom")));
    EXPECT_FALSE(MatchesAtWordStart(keyword, QStringLiteral("zoomer")));
    // "nn" occurs inside "annuler" only; "l" also starts "le".
    EXPECT_FALSE(MatchesAtWordStart(keyword, QStringLiteral("nn")));
    EXPECT_TRUE(MatchesAtWordStart(keyword, QStringLiteral("l")));
}
