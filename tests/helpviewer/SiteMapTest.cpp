#include "helpviewer/SiteMap.h"

#include "helpviewer/HtmlText.h"

#include <gtest/gtest.h>

using namespace pexor;

TEST(SiteMap, NestedListsBecomeChildrenOfThePrecedingEntry) {
    const QString html = QStringLiteral(
        "<HTML><BODY><OBJECT type=\"text/site properties\"><param name=\"ImageType\" "
        "value=\"Folder\"></OBJECT>"
        "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"A\"><param "
        "name=\"Local\" value=\"a.htm\"></OBJECT>"
        "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"A1\"><param "
        "name=\"Local\" value=\"a1.htm#x\"></OBJECT>"
        "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"A1a\"><param "
        "name=\"Local\" value=\"d/a1a.htm\"></OBJECT></UL>"
        "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"A2\"></OBJECT></UL>"
        "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"B\"><param name=\"Local\" "
        "value=\"b.htm\"></OBJECT>"
        "</UL></BODY></HTML>");
    const std::vector<ContentsEntry> entries = ParseSiteMap(html);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].Name, QStringLiteral("A"));
    ASSERT_EQ(entries[0].Children.size(), 2u);
    EXPECT_EQ(entries[0].Children[0].Local, QStringLiteral("a1.htm#x"));
    ASSERT_EQ(entries[0].Children[0].Children.size(), 1u);
    EXPECT_EQ(entries[0].Children[0].Children[0].Name, QStringLiteral("A1a"));
    EXPECT_EQ(entries[0].Children[1].Name, QStringLiteral("A2"));
    EXPECT_TRUE(entries[0].Children[1].Local.isEmpty());
    EXPECT_EQ(entries[1].Name, QStringLiteral("B"));
    EXPECT_TRUE(entries[1].Children.empty());
}

TEST(SiteMap, ToleratesLooseMarkup) {
    // Lower case, single and missing quotes, entities, a repeated Name, an
    // unclosed list and a stray list end.
    const QString html = QStringLiteral(
        "</ul><ul><li><object type='text/sitemap'><param name=Name value='Zoom &amp; "
        "d&eacute;filement'>"
        "<param name=\"Name\" value=\"second\"><param name=\"local\" value=courbe.htm></object>"
        "<ul><li><object type=\"TEXT/SITEMAP\"><param name=\"Name\" value=\"&#201;tape "
        "&#x31;\"></object>");
    const std::vector<ContentsEntry> entries = ParseSiteMap(html);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Name, QStringLiteral("Zoom & défilement"));
    EXPECT_EQ(entries[0].Local, QStringLiteral("courbe.htm"));
    ASSERT_EQ(entries[0].Children.size(), 1u);
    EXPECT_EQ(entries[0].Children[0].Name, QStringLiteral("Étape 1"));
    EXPECT_TRUE(ParseSiteMap(QString()).empty());
    EXPECT_TRUE(ParseSiteMap(QStringLiteral("<ul><li>texte seul</ul>")).empty());
}

TEST(SiteMap, TargetsAreArchivePaths) {
    EXPECT_EQ(SiteMapTarget(QStringLiteral("index.htm")), QStringLiteral("/index.htm"));
    EXPECT_EQ(SiteMapTarget(QStringLiteral("sub\\page.htm#ancre")),
              QStringLiteral("/sub/page.htm#ancre"));
    EXPECT_EQ(SiteMapTarget(QStringLiteral("autre.chm::/p.htm")), QStringLiteral("/p.htm"));
    EXPECT_EQ(SiteMapTarget(QStringLiteral("#seule")), QString());
    EXPECT_EQ(SiteMapTarget(QString()), QString());
}

TEST(HtmlText, DecodesDeclaredAndUndeclaredEncodings) {
    EXPECT_EQ(DecodeLegacyText("r\xc3\xa9sultat"), QStringLiteral("résultat"));
    EXPECT_EQ(DecodeLegacyText("r\xe9sultat"), QStringLiteral("résultat"));
    EXPECT_EQ(
        DecodeHtml(
            "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">\xe9"),
        QStringLiteral(
            "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">é"));
    EXPECT_EQ(DecodeHtml("\xef\xbb\xbf<p>\xc3\xa9</p>").remove(QChar(0xFEFF)),
              QStringLiteral("<p>é</p>"));
    EXPECT_EQ(DecodeHtml("<p>\xe9</p>"), QStringLiteral("<p>é</p>"));
}

TEST(HtmlText, EntitiesOutsideTheCharacterRangeStayAsWritten) {
    EXPECT_EQ(DecodeEntities(QStringLiteral("a &lt;b&gt; &quot;c&quot; &#39;d&#39;")),
              QStringLiteral("a <b> \"c\" 'd'"));
    EXPECT_EQ(DecodeEntities(QStringLiteral("&#0; &#xD800; &#x110000; &inconnu; & seul")),
              QStringLiteral("&#0; &#xD800; &#x110000; &inconnu; & seul"));
}
