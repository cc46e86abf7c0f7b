#include "helpviewer/HelpWindow.h"

#include "helpviewer/ChmArchive.h"
#include "helpviewer/ChmBrowser.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace pexor;

namespace {

class HelpWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::shared_ptr<const ChmArchive> archive =
            ChmArchive::Open(QStringLiteral(PEXOR_TEST_HELP_FILE));
        ASSERT_NE(archive, nullptr);
        window = std::make_unique<HelpWindow>(archive);
        browser = window->findChild<ChmBrowser *>(QStringLiteral("Browser"));
        contents = window->findChild<QTreeWidget *>(QStringLiteral("Contents"));
        back = window->findChild<QToolButton *>(QStringLiteral("Back"));
        ASSERT_TRUE(browser && contents && back);
    }

    QString ShownPath() const { return ChmBrowser::ArchivePathOf(browser->source()); }
    QTreeWidgetItem *Item(const QString &text) const {
        const QList<QTreeWidgetItem *> found =
            contents->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.first();
    }

    std::unique_ptr<HelpWindow> window;
    ChmBrowser *browser = nullptr;
    QTreeWidget *contents = nullptr;
    QToolButton *back = nullptr;
};

} // namespace

TEST_F(HelpWindowTest, OpensOnTheDefaultTopicWithItsContents) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Aide de Pexor"));
    EXPECT_EQ(ShownPath(), QStringLiteral("/index.htm"));
    EXPECT_TRUE(browser->toPlainText().startsWith(QStringLiteral("Bienvenue dans Pexor")));
    EXPECT_EQ(browser->documentTitle(), QStringLiteral("Bienvenue dans Pexor"));
    ASSERT_EQ(contents->topLevelItemCount(), 2);
    QTreeWidgetItem *top = contents->topLevelItem(0);
    EXPECT_EQ(top->childCount(), 8);
    EXPECT_TRUE(top->isExpanded());
    EXPECT_EQ(top->child(1)->text(0), QStringLiteral("Noter un résultat"));
    EXPECT_EQ(contents->currentItem(), top);
    EXPECT_FALSE(back->isEnabled());
}

TEST_F(HelpWindowTest, ServesPicturesAndStyleFromTheFile) {
    const QVariant picture = browser->loadResource(QTextDocument::ImageResource,
                                                   QUrl(QStringLiteral("images/courbe.png")));
    ASSERT_EQ(picture.typeId(), QMetaType::QImage);
    EXPECT_EQ(picture.value<QImage>().size(), QSize(320, 170));
    const QVariant style =
        browser->loadResource(QTextDocument::StyleSheetResource, QUrl(QStringLiteral("style.css")));
    EXPECT_TRUE(style.toString().contains(QStringLiteral("h1")));
    EXPECT_TRUE(
        browser
            ->loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("images/absente.png")))
            .value<QImage>()
            .isNull());
    EXPECT_TRUE(
        browser->loadResource(QTextDocument::StyleSheetResource, QUrl(QStringLiteral("absent.css")))
            .toString()
            .isEmpty());
    // The picture the page names is found through the page's own address.
    QStringList pictures;
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                pictures.append(it.fragment().charFormat().toImageFormat().name());
    ASSERT_EQ(pictures, QStringList{QStringLiteral("images/courbe.png")});
    const QVariant shown =
        browser->document()->resource(QTextDocument::ImageResource, QUrl(pictures.first()));
    EXPECT_EQ(shown.value<QImage>().size(), QSize(320, 170));
}

TEST_F(HelpWindowTest, ContentsAndLinksNavigateAndHistoryGoesBack) {
    contents->setCurrentItem(Item(QStringLiteral("La courbe du TP")));
    EXPECT_EQ(ShownPath(), QStringLiteral("/courbe.htm"));
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("Le zoom")));
    EXPECT_TRUE(back->isEnabled());

    // A relative link as the page's anchor gives it.
    emit browser->anchorClicked(QUrl(QStringLiteral("imprimer.htm")));
    EXPECT_EQ(ShownPath(), QStringLiteral("/imprimer.htm"));
    EXPECT_EQ(contents->currentItem(), Item(QStringLiteral("Imprimer la courbe")));

    QTest::mouseClick(back, Qt::LeftButton);
    EXPECT_EQ(ShownPath(), QStringLiteral("/courbe.htm"));
    EXPECT_EQ(contents->currentItem(), Item(QStringLiteral("La courbe du TP")));

    QTest::mouseClick(window->findChild<QToolButton *>(QStringLiteral("Home")), Qt::LeftButton);
    EXPECT_EQ(ShownPath(), QStringLiteral("/index.htm"));
}

TEST_F(HelpWindowTest, PagesNeverReachTheDisk) {
    // A picture and a style sheet on the disk, named by a page as a file,
    // from the root and from far up.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString picture = dir.filePath(QStringLiteral("disque.png"));
    QImage red(8, 8, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(picture));
    QFile css(dir.filePath(QStringLiteral("disque.css")));
    ASSERT_TRUE(css.open(QIODevice::WriteOnly));
    css.write("p { color: #ff0000; }");
    css.close();
    const QString fromRoot = QStringLiteral("../../../../../../../..") + dir.path();
    for (const QString &prefix :
         {QUrl::fromLocalFile(dir.path()).toString(), dir.path(), fromRoot}) {
        const QUrl image(prefix + QStringLiteral("/disque.png"));
        const QUrl sheet(prefix + QStringLiteral("/disque.css"));
        EXPECT_TRUE(browser->document()
                        ->resource(QTextDocument::ImageResource, image)
                        .value<QImage>()
                        .isNull())
            << prefix.toStdString();
        EXPECT_TRUE(browser->document()
                        ->resource(QTextDocument::StyleSheetResource, sheet)
                        .toString()
                        .isEmpty())
            << prefix.toStdString();
    }
}

TEST_F(HelpWindowTest, WebLinksDoNotLoadIntoTheViewAndDeadLinksSaySo) {
    window->ShowTopic(QStringLiteral("/saisir.htm"));
    emit browser->anchorClicked(QUrl(QStringLiteral("file:///etc/passwd")));
    EXPECT_EQ(ShownPath(), QStringLiteral("/saisir.htm"));
    window->ShowTopic(QStringLiteral("/manquante.htm"));
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("Page introuvable")));
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("/manquante.htm")));
}
