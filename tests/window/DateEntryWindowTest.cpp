#include "WindowTestSupport.h"
#include "chart/Series.h"
#include "controls/DateEdit.h"

#include <QLineEdit>
#include <QTableWidget>

namespace pexor {
namespace {

using test::WindowFixture;

// A reading is typed into the entry fields and its date into the date
// field, which commits it on Enter; a pick in the calendar commits at once.
class DateEntryWindowTest : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        // 8 December 2026, 10:30: the field opens on 08/12/2026.
        SetClock([] { return MakeDate(2026, 12, 8) + 0.4375; });
        WriteIni("[Dates]\r\nDate1=01/12/2026\r\nDate2=03/12/2026\r\nDate3=05/12/2026\r\n"
                 "[TP]\r\nTP1=80\r\nTP2=75\r\nTP3=90\r\n"
                 "[INR]\r\nINR1=1,8\r\nINR2=2,1\r\nINR3=1,5\r\n");
        Open();
    }
    void TearDown() override {
        WindowFixture::TearDown();
        ResetClock();
    }

    TDateEdit &Field() const { return window->DateEdit1(); }

    // A row as the grid shows it.
    QStringList Row(int row) const {
        QStringList cells;
        for (int col = 0; col < 3; ++col)
            cells << window->StringGrid1().item(row - 1, col)->text();
        return cells;
    }

    QStringList BoxTexts() const {
        QStringList texts;
        for (const test::SeenBox &box : boxes.Boxes())
            texts << box.Text;
        return texts;
    }

    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget *focused = FocusWidget();
        ASSERT_NE(focused, nullptr);
        QTest::keyClick(focused, key, modifiers);
    }

    void Type(const QString &text) {
        QWidget *focused = FocusWidget();
        ASSERT_NE(focused, nullptr);
        QTest::keyClicks(focused, text);
    }

    // A click, which brings the window back to the front first.
    void Click(QWidget &widget, QPoint pos = QPoint()) {
        FocusWidget();
        QTest::mouseClick(&widget, Qt::LeftButton, Qt::NoModifier, pos);
    }

    void Retype(QLineEdit &edit, const QString &text) {
        Click(edit);
        QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&edit, Qt::Key_Delete);
        QTest::keyClicks(&edit, text);
    }

    // Row, TP and INR typed, then Tab into the date field, which selects its
    // whole text.
    void EnterReading(const QString &line, const QString &tp, const QString &inr) {
        Retype(window->edLigne(), line);
        Retype(window->edTP(), tp);
        Retype(window->edINR(), inr);
        Press(Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), &Field());
        ASSERT_EQ(Field().selectedText(), Field().FieldText());
    }

    void ClickIntoField() {
        Click(Field(), QPoint(30, 10));
        ASSERT_EQ(QApplication::focusWidget(), &Field());
    }

    void ExpectUntouched(int fromRow) const {
        const QStringList file[] = {
            {"01/12/2026", "80", "1,8"}, {"03/12/2026", "75", "2,1"}, {"05/12/2026", "90", "1,5"}};
        for (int row = fromRow; row <= 3; ++row)
            EXPECT_EQ(Row(row), file[row - 1]) << "row " << row;
        for (int row = std::max(fromRow, 4); row <= 10; ++row)
            EXPECT_EQ(Row(row), QStringList({"", "", ""})) << "row " << row;
    }
};

TEST_F(DateEntryWindowTest, TypingOverTheDayCommitsOnceOnEnter) {
    EnterReading("2", "70", "2,5");
    Type("28122026");
    EXPECT_EQ(Field().FieldText(), QStringLiteral("28/12/2026"));
    // Typed over from the start, the day passes through 18/12/2026.
    Press(Qt::Key_Home);
    Type("15");
    EXPECT_EQ(Field().FieldText(), QStringLiteral("15/12/2026"));
    ExpectUntouched(1);
    EXPECT_EQ(window->edLigne().text(), QStringLiteral("2"));
    EXPECT_EQ(window->edTP().text(), QStringLiteral("70"));

    Press(Qt::Key_Return);
    EXPECT_EQ(Row(2), QStringList({"15/12/2026", "70", "2,5"}));
    ExpectUntouched(3);
    EXPECT_EQ(window->edLigne().text(), QStringLiteral("3"));
    EXPECT_EQ(window->edTP().text(), QString());
    EXPECT_EQ(window->edINR().text(), QString());
    EXPECT_EQ(QApplication::focusWidget(), &window->edTP());
    EXPECT_EQ(window->Series1().Count(), 3);
    EXPECT_EQ(window->Series1().PointLabel(1), QStringLiteral("15/12/2026"));
    EXPECT_EQ(BoxTexts(), QStringList());
}

TEST_F(DateEntryWindowTest, KeypadStepsCommitOnlyOnEnter) {
    EnterReading("2", "70", "2,5");
    for (int i = 0; i < 3; ++i)
        Press(Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(Field().FieldText(), QStringLiteral("11/12/2026"));
    ExpectUntouched(1);
    EXPECT_EQ(window->edLigne().text(), QStringLiteral("2"));

    Press(Qt::Key_Return);
    EXPECT_EQ(Row(2), QStringList({"11/12/2026", "70", "2,5"}));
    ExpectUntouched(3);
    EXPECT_EQ(window->edLigne().text(), QStringLiteral("3"));
    EXPECT_EQ(BoxTexts(), QStringList());
}

TEST_F(DateEntryWindowTest, LeavingTheFieldCommitsNothingAndKeepsTheText) {
    EnterReading("2", "70", "2,5");
    Type("15");
    Press(Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), &Field());
    EXPECT_EQ(Field().FieldText(), QStringLiteral("15/  /    "));
    ExpectUntouched(1);

    // Finished later, and left again: still nothing.
    ClickIntoField();
    Press(Qt::Key_Home);
    Type("15122026");
    EXPECT_EQ(Field().FieldText(), QStringLiteral("15/12/2026"));
    Press(Qt::Key_Tab);
    EXPECT_EQ(Field().FieldText(), QStringLiteral("15/12/2026"));
    ExpectUntouched(1);
    EXPECT_EQ(window->edLigne().text(), QStringLiteral("2"));
    EXPECT_EQ(window->edTP().text(), QStringLiteral("70"));
    EXPECT_EQ(BoxTexts(), QStringList());

    Press(Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_EQ(QApplication::focusWidget(), &Field());
    Press(Qt::Key_Return);
    EXPECT_EQ(Row(2), QStringList({"15/12/2026", "70", "2,5"}));
    EXPECT_EQ(window->edLigne().text(), QStringLiteral("3"));
    EXPECT_EQ(BoxTexts(), QStringList());
}

TEST_F(DateEntryWindowTest, EnterOnAnImpossibleOrHalfTypedDateShowsTheError) {
    EnterReading("2", "70", "2,5");
    Type("31022026");
    Press(Qt::Key_Return);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    const test::SeenBox &box = boxes.Boxes()[0];
    EXPECT_EQ(box.Title, QStringLiteral("Pexorv1.0"));
    EXPECT_EQ(box.Icon, QMessageBox::Critical);
    EXPECT_EQ(box.Text, QStringLiteral("''31/02/2026'' n'est pas une date correcte."));
    EXPECT_EQ(box.Buttons, QStringList{"OK"});
    EXPECT_EQ(Field().FieldText(), QStringLiteral("31/02/2026"));
    ExpectUntouched(1);
    EXPECT_EQ(window->edLigne().text(), QStringLiteral("2"));
    EXPECT_EQ(window->edTP().text(), QStringLiteral("70"));
    EXPECT_EQ(window->edINR().text(), QStringLiteral("2,5"));

    // Half typed: the same message names the text as it stands.
    EXPECT_EQ(FocusWidget(), &Field());
    Press(Qt::Key_A, Qt::ControlModifier);
    Type("1512");
    Press(Qt::Key_Return);
    EXPECT_EQ(BoxTexts().value(1), QStringLiteral("''15/12/    '' n'est pas une date correcte."));
    EXPECT_EQ(Field().FieldText(), QStringLiteral("15/12/    "));
    ExpectUntouched(1);

    // Corrected where it stands, then confirmed.
    Type("2026");
    Press(Qt::Key_Return);
    EXPECT_EQ(Row(2), QStringList({"15/12/2026", "70", "2,5"}));
    EXPECT_EQ(window->edLigne().text(), QStringLiteral("3"));
    EXPECT_EQ(boxes.Boxes().size(), 2u);
}

TEST_F(DateEntryWindowTest, ASecondEnterDoesNothing) {
    EnterReading("2", "70", "2,5");
    Type("15122026");
    ExpectUntouched(1);
    Press(Qt::Key_Return);
    EXPECT_EQ(Row(2), QStringList({"15/12/2026", "70", "2,5"}));
    EXPECT_EQ(window->edLigne().text(), QStringLiteral("3"));

    // Back in the field, Enter again must not write row 3 with an empty TP.
    ClickIntoField();
    Press(Qt::Key_Return);
    Press(Qt::Key_Enter, Qt::KeypadModifier);
    ExpectUntouched(3);
    EXPECT_EQ(window->edLigne().text(), QStringLiteral("3"));

    // A pick from the keyboard commits at once, and Enter after it is as
    // after any commit.
    Retype(window->edTP(), QStringLiteral("60"));
    ClickIntoField();
    Press(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(Field().CalendarVisible());
    Press(Qt::Key_Right);
    Press(Qt::Key_Return);
    EXPECT_FALSE(Field().CalendarVisible());
    EXPECT_EQ(Row(3), QStringList({"16/12/2026", "60", ""}));
    EXPECT_EQ(window->edLigne().text(), QStringLiteral("4"));
    ClickIntoField();
    Press(Qt::Key_Return);
    ExpectUntouched(4);
    EXPECT_EQ(window->edLigne().text(), QStringLiteral("4"));
    EXPECT_EQ(BoxTexts(), QStringList());
}

TEST_F(DateEntryWindowTest, EnterConfirmsTheDateShownUntilACommitSucceeds) {
    // Nothing committed yet: Enter takes the date the field opened on, and
    // a failed commit can be confirmed again once mended.
    Retype(window->edTP(), QStringLiteral("70"));
    Press(Qt::Key_Tab);
    Press(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), &Field());
    Press(Qt::Key_Return);
    EXPECT_EQ(BoxTexts(), QStringList{"'' n'est pas une valeur entière correcte."});
    ExpectUntouched(1);

    Retype(window->edLigne(), QStringLiteral("4"));
    ClickIntoField();
    Press(Qt::Key_Return);
    EXPECT_EQ(Row(4), QStringList({"08/12/2026", "70", ""}));
    EXPECT_EQ(window->edLigne().text(), QStringLiteral("5"));

    // A failed pick too.
    Retype(window->edTP(), QStringLiteral("7x"));
    ClickIntoField();
    Press(Qt::Key_Down, Qt::AltModifier);
    Press(Qt::Key_Left);
    Press(Qt::Key_Return);
    EXPECT_EQ(BoxTexts().value(1), QStringLiteral("'7x' n'est pas une valeur entière correcte."));
    EXPECT_EQ(Row(5), QStringList({"", "", ""}));
    Retype(window->edTP(), QStringLiteral("72"));
    ClickIntoField();
    Press(Qt::Key_Return);
    EXPECT_EQ(Row(5), QStringList({"07/12/2026", "72", ""}));
    EXPECT_EQ(window->edLigne().text(), QStringLiteral("6"));
    EXPECT_EQ(boxes.Boxes().size(), 2u);
}

} // namespace
} // namespace pexor
