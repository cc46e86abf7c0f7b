#include "QStringPrinter.h"
#include "helpviewer/ChmArchive.h"
#include "helpviewer/ChmBrowser.h"
#include "helpviewer/HelpWindow.h"
#include "helpviewer/SearchText.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace pexor;

namespace {

// The help window as a reader meets it: shown, active, driven by keys and
// clicks.
class HelpWindowTabs : public ::testing::Test {
protected:
    void Open(const QString &file) {
        std::shared_ptr<const ChmArchive> archive = ChmArchive::Open(file);
        ASSERT_NE(archive, nullptr);
        window = std::make_unique<HelpWindow>(archive);
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        tabs = window->findChild<QTabWidget *>(QStringLiteral("Navigation"));
        browser = window->findChild<ChmBrowser *>(QStringLiteral("Browser"));
        filter = window->findChild<QLineEdit *>(QStringLiteral("IndexFilter"));
        keywords = window->findChild<QTreeWidget *>(QStringLiteral("IndexList"));
        query = window->findChild<QLineEdit *>(QStringLiteral("SearchQuery"));
        results = window->findChild<QListWidget *>(QStringLiteral("SearchResults"));
        ASSERT_TRUE(tabs && browser && filter && keywords && query && results);
    }
    void SetUp() override { Open(QStringLiteral(PEXOR_TEST_HELP_FILE)); }

    template <typename T> T *Child(const char *name) const {
        return window->findChild<T *>(QLatin1String(name));
    }
    QString ShownPath() const { return ChmBrowser::ArchivePathOf(browser->source()); }
    void Press(QWidget *target, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) const {
        QTest::keyClick(target, key, modifiers);
    }
    // Typed key by key; accented letters as a French keyboard sends them.
    static void Type(QWidget *field, const QString &text) {
        for (const QChar c : text) {
            if (c.unicode() < 0x80)
                QTest::keyClick(field, c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, field, Qt::Key(c.toUpper().unicode()), QString(c),
                                    Qt::NoModifier);
        }
    }
    static void Retype(QLineEdit *field, const QString &text) {
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        Type(field, text);
    }
    QStringList ShownKeywords() const {
        QStringList shown;
        for (int i = 0; i < keywords->topLevelItemCount(); ++i)
            if (!keywords->topLevelItem(i)->isHidden())
                shown.append(keywords->topLevelItem(i)->text(0));
        return shown;
    }
    QTreeWidgetItem *Keyword(const QString &text) const {
        const QList<QTreeWidgetItem *> found = keywords->findItems(text, Qt::MatchExactly);
        return found.isEmpty() ? nullptr : found.first();
    }
    QStringList ResultTitles() const {
        QStringList titles;
        for (int i = 0; i < results->count(); ++i)
            titles.append(results->item(i)->text());
        return titles;
    }
    void Click(QAbstractItemView *view, const QRect &rect) const {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    }

    std::unique_ptr<HelpWindow> window;
    QTabWidget *tabs = nullptr;
    ChmBrowser *browser = nullptr;
    QLineEdit *filter = nullptr;
    QTreeWidget *keywords = nullptr;
    QLineEdit *query = nullptr;
    QListWidget *results = nullptr;
};

} // namespace

TEST_F(HelpWindowTabs, ThreeNamedTabsReachedByTheirKeys) {
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("&Sommaire"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("&Index"));
    EXPECT_EQ(tabs->tabText(2), QStringLiteral("&Rechercher"));
    for (int tab = 0; tab < 3; ++tab)
        EXPECT_TRUE(tabs->isTabVisible(tab)) << tab;
    EXPECT_EQ(tabs->currentIndex(), HelpWindow::ContentsTab);
    EXPECT_EQ(tabs->accessibleName(), QStringLiteral("Navigation"));
    EXPECT_EQ(tabs->widget(1)->accessibleName(), QStringLiteral("Index"));
    EXPECT_EQ(tabs->widget(2)->accessibleName(), QStringLiteral("Rechercher"));
    EXPECT_EQ(filter->accessibleName(), QStringLiteral("Mot clé à rechercher"));
    EXPECT_EQ(keywords->accessibleName(), QStringLiteral("Mots clés"));
    EXPECT_EQ(query->accessibleName(), QStringLiteral("Mots à rechercher"));
    EXPECT_EQ(results->accessibleName(), QStringLiteral("Rubriques trouvées"));

    Press(window.get(), Qt::Key_I, Qt::AltModifier);
    EXPECT_EQ(tabs->currentIndex(), HelpWindow::IndexTab);
    EXPECT_TRUE(filter->hasFocus());
    Press(window.get(), Qt::Key_R, Qt::AltModifier);
    EXPECT_EQ(tabs->currentIndex(), HelpWindow::SearchTab);
    EXPECT_TRUE(query->hasFocus());
    Press(window.get(), Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(tabs->currentIndex(), HelpWindow::ContentsTab);
}

TEST_F(HelpWindowTabs, IndexNarrowsAsTheReaderTypesAndShowsTheChosenPage) {
    Press(window.get(), Qt::Key_I, Qt::AltModifier);
    EXPECT_EQ(ShownKeywords().size(), keywords->topLevelItemCount());
    EXPECT_EQ(ShownKeywords().first(), QStringLiteral("Aide"));

    Type(filter, QStringLiteral("zo"));
    EXPECT_EQ(ShownKeywords(), QStringList{"Zoom"});
    // Accents and capitals are the reader's choice; any word's start will do.
    Retype(filter, QStringLiteral("DE"));
    EXPECT_EQ(ShownKeywords(),
              (QStringList{"Copie de sécurité", "Défilement", "Démarrer", "Taux de prothrombine"}));
    Retype(filter, QStringLiteral("def"));
    EXPECT_EQ(ShownKeywords(), QStringList{"Défilement"});
    Retype(filter, QStringLiteral("état"));
    EXPECT_EQ(ShownKeywords(), QStringList{"Barre d'état"});
    Retype(filter, QStringLiteral("barre d"));
    EXPECT_EQ(ShownKeywords(), (QStringList{"Barre d'état", "Barre d'outils"}));

    // The arrow keys move through the list without leaving the field.
    Press(filter, Qt::Key_Down);
    EXPECT_TRUE(filter->hasFocus());
    EXPECT_EQ(keywords->currentItem(), Keyword(QStringLiteral("Barre d'outils")));
    Press(filter, Qt::Key_Return);
    EXPECT_EQ(ShownPath(), QStringLiteral("/demarrer.htm"));

    Retype(filter, QStringLiteral("xyz"));
    EXPECT_TRUE(ShownKeywords().isEmpty());
    auto *status = Child<QLabel>("IndexStatus");
    EXPECT_TRUE(status->isVisible());
    EXPECT_EQ(status->text(), QStringLiteral("Aucun mot clé ne correspond à « xyz »."));
    EXPECT_FALSE(Child<QPushButton>("IndexShow")->isEnabled());
    Press(filter, Qt::Key_Return);
    EXPECT_EQ(ShownPath(), QStringLiteral("/demarrer.htm"));

    // A click on a keyword shows its page.
    Retype(filter, QString());
    EXPECT_FALSE(status->isVisible());
    QTreeWidgetItem *zoom = Keyword(QStringLiteral("Zoom"));
    keywords->scrollToItem(zoom);
    Click(keywords, keywords->visualItemRect(zoom));
    EXPECT_EQ(ShownPath(), QStringLiteral("/courbe.htm"));
}

TEST_F(HelpWindowTabs, KeywordWithSeveralPagesLetsTheReaderChooseOne) {
    Press(window.get(), Qt::Key_I, Qt::AltModifier);
    Type(filter, QStringLiteral("calend"));
    ASSERT_EQ(ShownKeywords(), QStringList{"Calendrier"});
    Press(filter, Qt::Key_Return);
    // No page yet: the titles of its pages open under the keyword.
    EXPECT_EQ(ShownPath(), QStringLiteral("/index.htm"));
    QTreeWidgetItem *calendar = Keyword(QStringLiteral("Calendrier"));
    EXPECT_TRUE(calendar->isExpanded());
    ASSERT_EQ(calendar->childCount(), 2);
    EXPECT_EQ(calendar->child(0)->text(0),
              QStringLiteral("Les touches du champ Date et du calendrier"));
    EXPECT_EQ(keywords->currentItem(), calendar->child(0));
    EXPECT_TRUE(keywords->hasFocus());
    Press(keywords, Qt::Key_Down);
    EXPECT_EQ(keywords->currentItem()->text(0), QStringLiteral("Noter un résultat"));
    Press(keywords, Qt::Key_Return);
    EXPECT_EQ(ShownPath(), QStringLiteral("/saisir.htm"));

    // Or with the mouse and the "Afficher" button.
    Click(keywords, keywords->visualItemRect(calendar->child(0)));
    EXPECT_EQ(ShownPath(), QStringLiteral("/clavier.htm"));
    keywords->setCurrentItem(calendar->child(1));
    QTest::mouseClick(Child<QPushButton>("IndexShow"), Qt::LeftButton);
    EXPECT_EQ(ShownPath(), QStringLiteral("/saisir.htm"));
    // The contents follow the page, whichever tab chose it.
    EXPECT_EQ(window->Contents()->currentItem()->text(0), QStringLiteral("Noter un résultat"));
}

TEST_F(HelpWindowTabs, SearchListsPagesByTitleAndMarksTheWordsFound) {
    Press(window.get(), Qt::Key_R, Qt::AltModifier);
    Type(query, QStringLiteral("resultat"));
    Press(query, Qt::Key_Return);
    const QStringList found = ResultTitles();
    ASSERT_GE(found.size(), 3);
    EXPECT_EQ(found.first(), QStringLiteral("Noter un résultat"));
    EXPECT_TRUE(found.contains(QStringLiteral("Où sont gardés vos résultats")));
    EXPECT_EQ(Child<QLabel>("SearchStatus")->text(),
              QStringLiteral("%1 rubriques trouvées :").arg(found.size()));
    EXPECT_TRUE(results->hasFocus());
    EXPECT_EQ(results->currentRow(), 0);

    Press(results, Qt::Key_Return);
    EXPECT_EQ(ShownPath(), QStringLiteral("/saisir.htm"));
    ASSERT_GT(browser->HighlightCount(), 5);
    for (const QTextEdit::ExtraSelection &mark : browser->extraSelections())
        EXPECT_TRUE(FoldForSearch(mark.cursor.selectedText()).startsWith(QLatin1String("resultat")))
            << mark.cursor.selectedText().toStdString();
    // The first word found is brought into view.
    EXPECT_EQ(browser->textCursor().position(),
              browser->extraSelections().first().cursor.selectionStart());

    // Accents and capitals typed the other way find the same pages.
    Retype(query, QStringLiteral("RÉSULTAT"));
    QTest::mouseClick(Child<QPushButton>("SearchRun"), Qt::LeftButton);
    EXPECT_EQ(ResultTitles(), found);

    // Another page, chosen with the mouse, carries its own marks; the
    // contents take the reader elsewhere without any.
    Click(results, results->visualItemRect(results->item(1)));
    EXPECT_NE(ShownPath(), QStringLiteral("/saisir.htm"));
    EXPECT_GT(browser->HighlightCount(), 0);
    Press(window.get(), Qt::Key_S, Qt::AltModifier);
    window->Contents()->setFocus();
    window->Contents()->setCurrentItem(window->Contents()->topLevelItem(1));
    EXPECT_EQ(ShownPath(), QStringLiteral("/tp_inr.htm"));
    EXPECT_EQ(browser->HighlightCount(), 0);
}

TEST_F(HelpWindowTabs, SearchSaysWhenThereIsNothingToFind) {
    Press(window.get(), Qt::Key_R, Qt::AltModifier);
    auto *status = Child<QLabel>("SearchStatus");
    auto *show = Child<QPushButton>("SearchShow");
    Type(query, QStringLiteral(" « ; » "));
    Press(query, Qt::Key_Return);
    EXPECT_EQ(status->text(), QStringLiteral("Tapez au moins un mot à rechercher."));
    EXPECT_TRUE(query->hasFocus());

    Retype(query, QStringLiteral("courbe zzzz"));
    Press(query, Qt::Key_Return);
    EXPECT_EQ(status->text(), QStringLiteral("Aucune rubrique ne contient « courbe zzzz »."));
    EXPECT_EQ(results->count(), 0);
    EXPECT_FALSE(show->isEnabled());
    QTest::mouseClick(show, Qt::LeftButton);
    EXPECT_EQ(ShownPath(), QStringLiteral("/index.htm"));

    Retype(query, QStringLiteral("prothrombine"));
    Press(query, Qt::Key_Return);
    EXPECT_EQ(status->text(), QStringLiteral("1 rubrique trouvée :"));
    EXPECT_TRUE(show->isEnabled());
    QTest::mouseClick(show, Qt::LeftButton);
    EXPECT_EQ(ShownPath(), QStringLiteral("/tp_inr.htm"));
    EXPECT_EQ(browser->HighlightCount(), 1);
}

TEST_F(HelpWindowTabs, FileWithoutContentsOrIndexOffersTheSearchAlone) {
    Open(QStringLiteral(PEXOR_TEST_BARE_HELP_FILE));
    EXPECT_FALSE(tabs->isTabVisible(HelpWindow::ContentsTab));
    EXPECT_FALSE(tabs->isTabVisible(HelpWindow::IndexTab));
    EXPECT_TRUE(tabs->isTabVisible(HelpWindow::SearchTab));
    EXPECT_EQ(tabs->currentIndex(), HelpWindow::SearchTab);
    EXPECT_EQ(ShownPath(), QStringLiteral("/nu.htm"));
    // Its links to the disk are read neither by the search nor by the view.
    query->setFocus();
    Type(query, QStringLiteral("creme"));
    Press(query, Qt::Key_Return);
    EXPECT_EQ(ResultTitles(), QStringList{"Page nue"});
    Press(results, Qt::Key_Return);
    EXPECT_EQ(browser->HighlightCount(), 1);
}
