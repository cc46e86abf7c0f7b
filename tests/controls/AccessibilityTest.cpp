#include "controls/CaptionStrip.h"
#include "controls/DateEdit.h"
#include "controls/DatePopup.h"
#include "controls/Label3D.h"
#include "controls/Lines.h"
#include "platform/LocaleSettings.h"
#include "tests/common/AccessibleTestSupport.h"

#include <QLineEdit>
#include <QMainWindow>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace pexor {
namespace {

using test::AccessibleEventLog;
using test::AccessibleOf;
using test::ChildNames;
using test::NameOf;

// 8 December 2026, 10:30.
const TDateTime kNow = MakeDate(2026, 12, 8) + 0.4375;

class AccessibilityTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetLocaleSettings(LocaleSettings::French());
        SetClock([] { return kNow; });
    }
    void TearDown() override { ResetClock(); }
};

// The text a text interface reads, whole.
QString TextOf(QAccessibleInterface *iface) {
    QAccessibleTextInterface *text = iface ? iface->textInterface() : nullptr;
    return text ? text->text(0, text->characterCount()) : QStringLiteral("<no text>");
}

TEST_F(AccessibilityTest, Label3DReadsAsItsCaption) {
    TLabel3D label;
    label.SetCaption(QStringLiteral("Valeurs du suivi du TP et du INR"));
    QAccessibleInterface *iface = AccessibleOf(&label);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::StaticText);
    EXPECT_EQ(NameOf(iface), QStringLiteral("Valeurs du suivi du TP et du INR"));

    // Read as shown: an accelerator's ampersand is not spoken, "&&" is one.
    label.SetCaption(QStringLiteral("&Date && heure"));
    EXPECT_EQ(NameOf(iface), QStringLiteral("Date & heure"));
    label.SetShowAccelChar(false);
    EXPECT_EQ(NameOf(iface), QStringLiteral("&Date && heure"));

    AccessibleEventLog log;
    label.SetCaption(QStringLiteral("Version 1.00"));
    EXPECT_EQ(log.Names(QAccessible::NameChanged), QStringList{QStringLiteral("Version 1.00")});
    label.SetCaption(QStringLiteral("Version 1.00"));
    EXPECT_EQ(log.Count(QAccessible::NameChanged), 1);
}

TEST_F(AccessibilityTest, LineIsASeparator) {
    TLine line;
    EXPECT_EQ(AccessibleOf(&line)->role(), QAccessible::Separator);
    EXPECT_EQ(NameOf(AccessibleOf(&line)), QString());
}

TEST_F(AccessibilityTest, NavigationButtonsAreNamedByWhatTheyDo) {
    QWidget owner;
    TPopupCalendar popup(&owner);
    popup.SetValue(QVariant(MakeDate(2026, 3, 31)));
    const QStringList expected{QStringLiteral("Année précédente"), QStringLiteral("Mois précédent"),
                               QStringLiteral("Mois suivant"), QStringLiteral("Année suivante")};
    for (int i = 0; i < 4; ++i) {
        QAccessibleInterface *button = AccessibleOf(popup.NavButton(i));
        EXPECT_EQ(button->role(), QAccessible::Button) << i;
        EXPECT_EQ(NameOf(button), expected[i]);
        // Not the tooltip again, with its stored letters.
        EXPECT_EQ(button->text(QAccessible::Description), QString()) << i;
    }
    EXPECT_EQ(popup.NavButton(0)->toolTip(), QStringLiteral("Annйe prйcйdente"));
    // A hint the field sets stays the tooltip; the name says what it does.
    popup.ApplyCalendarSettings(TDayOfWeekName::Mon, {TDayOfWeekName::Sun}, true,
                                {QString(), QStringLiteral("Reculer")}, clRed);
    EXPECT_EQ(popup.NavButton(1)->toolTip(), QStringLiteral("Reculer"));
    EXPECT_EQ(NameOf(AccessibleOf(popup.NavButton(1))), QStringLiteral("Mois précédent"));

    // The press action is a click: 31 March, previous month, 28 February.
    QAccessibleActionInterface *press = AccessibleOf(popup.NavButton(1))->actionInterface();
    ASSERT_NE(press, nullptr);
    ASSERT_EQ(press->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    press->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(popup.GetValue().toDouble(), MakeDate(2026, 2, 28));
    popup.NavButton(1)->setEnabled(false);
    EXPECT_TRUE(press->actionNames().isEmpty());
    press->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(popup.GetValue().toDouble(), MakeDate(2026, 2, 28));

    QAccessibleInterface *window = AccessibleOf(&popup);
    EXPECT_EQ(window->role(), QAccessible::Window);
    EXPECT_EQ(NameOf(window), QStringLiteral("Calendrier"));
}

TEST_F(AccessibilityTest, DateDialogButtonsAreNamedToo) {
    TSelectDateDlg dialog;
    EXPECT_EQ(NameOf(AccessibleOf(dialog.NavButton(3))), QStringLiteral("Année suivante"));
}

// December 2026 starts on a Tuesday: with weeks from Monday, row 0 holds
// an empty Monday, then 1 to 6 December.
TEST_F(AccessibilityTest, MonthGridIsATableOfDatedCells) {
    TMonthCalendar grid;
    grid.resize(218, 113);
    grid.SetCalendarDate(MakeDate(2026, 12, 15));
    QAccessibleInterface *iface = AccessibleOf(&grid);
    ASSERT_EQ(iface->role(), QAccessible::Table);
    EXPECT_EQ(NameOf(iface), QStringLiteral("décembre 2026"));
    QAccessibleTableInterface *table = iface->tableInterface();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount(), 6);
    EXPECT_EQ(table->columnCount(), 7);
    EXPECT_EQ(table->columnDescription(0), QStringLiteral("lundi"));
    EXPECT_EQ(table->columnDescription(6), QStringLiteral("dimanche"));
    EXPECT_EQ(ChildNames(iface).mid(0, 7), (QStringList{"lundi", "mardi", "mercredi", "jeudi",
                                                        "vendredi", "samedi", "dimanche"}));
    EXPECT_EQ(iface->child(0)->role(), QAccessible::ColumnHeader);

    EXPECT_EQ(NameOf(table->cellAt(0, 0)), QString());
    QAccessibleInterface *first = table->cellAt(0, 1);
    EXPECT_EQ(first->role(), QAccessible::Cell);
    EXPECT_EQ(NameOf(first), QStringLiteral("mardi 1 décembre 2026"));
    EXPECT_EQ(NameOf(table->cellAt(4, 3)), QStringLiteral("jeudi 31 décembre 2026"));
    EXPECT_EQ(NameOf(table->cellAt(5, 0)), QString());
    EXPECT_EQ(table->cellAt(6, 0), nullptr);
    EXPECT_EQ(iface->indexOfChild(first), 8);
    EXPECT_EQ(first->parent(), iface);

    QAccessibleTableCellInterface *cell = first->tableCellInterface();
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->rowIndex(), 0);
    EXPECT_EQ(cell->columnIndex(), 1);
    EXPECT_EQ(cell->table(), iface);
    ASSERT_EQ(cell->columnHeaderCells().size(), 1);
    EXPECT_EQ(NameOf(cell->columnHeaderCells()[0]), QStringLiteral("mardi"));

    // The 15th is selected; the 8th is today.
    const QList<QAccessibleInterface *> selected = table->selectedCells();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(NameOf(selected[0]), QStringLiteral("mardi 15 décembre 2026"));
    EXPECT_TRUE(selected[0]->state().selected);
    EXPECT_TRUE(selected[0]->state().selectable);
    EXPECT_FALSE(first->state().selected);
    EXPECT_FALSE(table->cellAt(0, 0)->state().selectable);
    QAccessibleInterface *today = table->cellAt(1, 1);
    EXPECT_EQ(NameOf(today), QStringLiteral("mardi 8 décembre 2026"));
    EXPECT_EQ(today->text(QAccessible::Description), QStringLiteral("aujourd'hui"));
    EXPECT_EQ(selected[0]->text(QAccessible::Description), QString());

    // Where the cell is drawn.
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    const QRect drawn = grid.CellRect(1, 1).ToQRect();
    EXPECT_EQ(first->rect(), QRect(grid.mapToGlobal(drawn.topLeft()), drawn.size()));
    EXPECT_EQ(iface->childAt(first->rect().center().x(), first->rect().center().y()), first);

    // A grid that takes the focus has its day focused only with the focus.
    grid.clearFocus();
    EXPECT_FALSE(selected[0]->state().focused);
    EXPECT_EQ(iface->focusChild(), nullptr);
    grid.activateWindow();
    grid.setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return grid.hasFocus(); }));
    EXPECT_TRUE(table->selectedCells()[0]->state().focused);
    EXPECT_EQ(iface->focusChild(), table->selectedCells()[0]);
}

TEST_F(AccessibilityTest, MonthGridTellsOfNewDaysAndNewMonths) {
    TMonthCalendar grid;
    grid.resize(218, 113);
    grid.SetCalendarDate(MakeDate(2026, 12, 15));
    QAccessibleTableInterface *table = AccessibleOf(&grid)->tableInterface();
    AccessibleEventLog log;

    grid.SetDay(16);
    EXPECT_EQ(log.Names(QAccessible::Selection),
              QStringList{QStringLiteral("mercredi 16 décembre 2026")});
    EXPECT_EQ(log.Count(QAccessible::NameChanged), 0);
    // Without the focus nothing is announced as focused.
    EXPECT_EQ(log.Count(QAccessible::Focus), 0);

    log.Clear();
    grid.NextMonth();
    // The table and every cell change their names.
    EXPECT_EQ(log.Count(QAccessible::NameChanged, AccessibleOf(&grid)), 1);
    EXPECT_EQ(log.Count(QAccessible::NameChanged), 1 + 49);
    EXPECT_EQ(log.Names(QAccessible::Selection),
              QStringList{QStringLiteral("samedi 16 janvier 2027")});
    EXPECT_EQ(NameOf(table->cellAt(0, 4)), QStringLiteral("vendredi 1 janvier 2027"));
}

class DateFieldAccessibilityTest : public AccessibilityTest {
protected:
    void SetUp() override {
        AccessibilityTest::SetUp();
        form = std::make_unique<QWidget>();
        form->resize(300, 200);
        field = new TDateEdit(form.get());
        field->setGeometry(10, 10, 106, 21);
        field->setAccessibleName(QStringLiteral("Date"));
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        field->setFocus();
    }
    void TearDown() override {
        form.reset();
        AccessibilityTest::TearDown();
    }

    TPopupCalendar *Popup() const { return static_cast<TPopupCalendar *>(field->Popup()); }

    std::unique_ptr<QWidget> form;
    TDateEdit *field = nullptr;
};

TEST_F(DateFieldAccessibilityTest, HalfTypedDateKeepsItsBlanks) {
    QAccessibleInterface *iface = AccessibleOf(field);
    ASSERT_EQ(iface->role(), QAccessible::EditableText);
    EXPECT_EQ(NameOf(iface), QStringLiteral("Date"));
    EXPECT_TRUE(iface->state().editable);
    EXPECT_TRUE(iface->state().hasPopup);

    field->setCursorPosition(0);
    QTest::keyClicks(field, QStringLiteral("12"));
    // The edit's own text drops the blanks; what a screen reader reads does not.
    ASSERT_EQ(field->text(), QStringLiteral("12//"));
    EXPECT_EQ(TextOf(iface), QStringLiteral("12/  /    "));
    EXPECT_EQ(iface->text(QAccessible::Value), QStringLiteral("12/  /    "));
    QAccessibleTextInterface *text = iface->textInterface();
    EXPECT_EQ(text->characterCount(), 10);
    EXPECT_EQ(text->text(2, 6), QStringLiteral("/  /"));
    EXPECT_EQ(text->cursorPosition(), field->cursorPosition());
    int start = 0;
    int end = 0;
    QString word = text->textAtOffset(0, QAccessible::CharBoundary, &start, &end);
    EXPECT_EQ(word, QStringLiteral("1"));

    text->setSelection(0, 0, 2);
    EXPECT_EQ(field->selectedText(), QStringLiteral("12"));
    ASSERT_EQ(text->selectionCount(), 1);
    text->selection(0, &start, &end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 2);
    text->removeSelection(0);
    EXPECT_EQ(text->selectionCount(), 0);

    // Characters stand where they are drawn, one after the other.
    const QRect one = text->characterRect(0);
    const QRect two = text->characterRect(1);
    EXPECT_FALSE(one.isEmpty());
    EXPECT_EQ(two.left(), one.right() + 1);
    EXPECT_TRUE(field->rect().contains(field->mapFromGlobal(one.center())));
    EXPECT_EQ(text->offsetAtPoint(one.center()), 0);

    // Written through the mask, as typing does.
    iface->editableTextInterface()->insertText(3, QStringLiteral("04"));
    EXPECT_EQ(TextOf(iface), QStringLiteral("12/04/    "));
    iface->editableTextInterface()->replaceText(6, 10, QStringLiteral("2027"));
    EXPECT_EQ(field->FieldText(), QStringLiteral("12/04/2027"));
    EXPECT_EQ(field->Date(), MakeDate(2027, 4, 12));
    iface->editableTextInterface()->deleteText(0, 2);
    EXPECT_EQ(TextOf(iface), QStringLiteral("  /04/2027"));
}

TEST_F(DateFieldAccessibilityTest, ButtonBelongsToTheFieldAndOpensTheCalendar) {
    QAccessibleInterface *iface = AccessibleOf(field);
    // The button's container is left out: the button is the field's child.
    ASSERT_EQ(iface->childCount(), 1);
    QAccessibleInterface *button = iface->child(0);
    EXPECT_EQ(button->role(), QAccessible::Button);
    EXPECT_EQ(NameOf(button), QStringLiteral("Calendrier"));
    EXPECT_EQ(button->parent(), iface);
    EXPECT_EQ(iface->indexOfChild(button), 0);
    EXPECT_TRUE(button->state().collapsed);
    EXPECT_FALSE(button->state().expanded);

    field->SetDate(MakeDate(2026, 12, 15));
    AccessibleEventLog log;
    button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    ASSERT_TRUE(field->CalendarVisible());
    EXPECT_TRUE(button->state().expanded);
    EXPECT_TRUE(iface->state().readOnly);
    EXPECT_FALSE(iface->state().editable);
    // The keys now steer the calendar: its day speaks for the field.
    EXPECT_EQ(log.Names(QAccessible::Focus), QStringList{QStringLiteral("mardi 15 décembre 2026")});
    ASSERT_EQ(log.Count(QAccessible::StateChanged, button), 1);
    QAccessibleInterface *day =
        AccessibleOf(Popup()->Calendar())->tableInterface()->selectedCells().value(0);
    ASSERT_NE(day, nullptr);
    EXPECT_TRUE(day->state().focused);
    // No typing into the field while it is open.
    iface->editableTextInterface()->insertText(0, QStringLiteral("9"));
    EXPECT_EQ(field->FieldText(), QStringLiteral("15/12/2026"));

    log.Clear();
    QTest::keyClick(field, Qt::Key_Right);
    QTest::keyClick(field, Qt::Key_PageDown);
    EXPECT_EQ(log.Names(QAccessible::Focus),
              (QStringList{QStringLiteral("mercredi 16 décembre 2026"),
                           QStringLiteral("samedi 16 janvier 2027")}));

    // Esc: the field has the keys back.
    log.Clear();
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_FALSE(field->CalendarVisible());
    EXPECT_EQ(log.Names(QAccessible::Focus), QStringList{QStringLiteral("Date")});
    EXPECT_TRUE(button->state().collapsed);
    EXPECT_FALSE(day->state().focused);

    // Pressed again, it picks the day it opened on plus one.
    button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QTest::keyClick(field, Qt::Key_Right);
    button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_FALSE(field->CalendarVisible());
    EXPECT_EQ(TextOf(iface), QStringLiteral("16/12/2026"));
}

TEST_F(AccessibilityTest, TitleStripShowsOnlyTheButtonsItShows) {
    QMainWindow window;
    window.resize(400, 300);
    TCaptionStrip *strip =
        InstallCaptionStrip(window, QStringLiteral("Pexor v1.0"), biSystemMenu | biMinimize);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QAccessibleInterface *iface = AccessibleOf(strip);
    EXPECT_EQ(NameOf(iface), QStringLiteral("Pexor v1.0"));
    // The help button is there, hidden: a screen reader does not meet it.
    auto *help = strip->findChild<QWidget *>(QStringLiteral("helpButton"));
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isHidden());
    EXPECT_EQ(ChildNames(iface), (QStringList{QStringLiteral("Réduire"), QStringLiteral("Agrandir"),
                                              QStringLiteral("Fermer")}));
    EXPECT_EQ(iface->indexOfChild(AccessibleOf(help)), -1);
    QAccessibleInterface *close = iface->child(2);
    EXPECT_EQ(iface->indexOfChild(close), 2);

    strip->Caption().SetFormBorderIcons(biSystemMenu | biHelp);
    strip->RefreshButtons();
    EXPECT_EQ(ChildNames(iface), (QStringList{QStringLiteral("Aide"), QStringLiteral("Fermer")}));
}

} // namespace
} // namespace pexor
