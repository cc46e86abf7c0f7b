#include "WindowTestSupport.h"

#include <QContextMenuEvent>

namespace pexor {
namespace {

class FrenchWindowTest : public test::WindowFixture {
protected:
    // The items of the menu a right click on widget opens, read while it is
    // open and then closed with Esc.
    static QStringList ContextMenuOf(QWidget *widget) {
        const QPoint at = widget->rect().center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, widget->mapToGlobal(at));
        QApplication::sendEvent(widget, &event);
        QMenu *menu = nullptr;
        WaitFor([&menu] {
            menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            return menu != nullptr;
        });
        QStringList items;
        if (!menu)
            return items;
        for (QAction *action : menu->actions())
            if (!action->isSeparator())
                items << action->text().section(QLatin1Char('\t'), 0, 0);
        QTest::keyClick(menu, Qt::Key_Escape);
        return items;
    }
};

TEST_F(FrenchWindowTest, EntryFieldsRightClickMenuSpeaksFrench) {
    Open();
    const QStringList french = {QStringLiteral("&Annuler"),         QStringLiteral("&Rétablir"),
                                QStringLiteral("Co&uper"),          QStringLiteral("Cop&ier"),
                                QStringLiteral("Co&ller"),          QStringLiteral("Supprimer"),
                                QStringLiteral("Tout sélectionner")};
    for (QLineEdit *field : {&window->edLigne(), &window->edTP(), &window->edINR()})
        EXPECT_EQ(ContextMenuOf(field).join(u'|').toStdString(), french.join(u'|').toStdString())
            << field->objectName().toStdString();
}

} // namespace
} // namespace pexor
