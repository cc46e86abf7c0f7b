#include "WindowTestSupport.h"
#include "app/HelpCommands.h"
#include "controls/DateEdit.h"
#include "controls/DatePopup.h"
#include "help/HtmlHelpBinding.h"

namespace pexor {
namespace {

// The error box the program shows for a message: its caption, the error
// icon and one OK.
void ExpectErrorBox(const test::SeenBox &box, const QString &text) {
    EXPECT_EQ(box.Title, QStringLiteral("Pexorv1.0"));
    EXPECT_EQ(box.Text, text);
    EXPECT_EQ(box.Icon, QMessageBox::Critical);
    EXPECT_EQ(box.Buttons, QStringList{QStringLiteral("OK")});
    EXPECT_EQ(box.DefaultButton, QStringLiteral("OK"));
    EXPECT_EQ(box.EscapeButton, QStringLiteral("OK"));
}

class ErrorBoxWindowTest : public test::WindowFixture {
protected:
    // Fills the three entry fields and picks a day in the drop-down
    // calendar, which commits the reading.
    void Enter(const QString &line, const QString &tp, const QString &inr, int day) {
        for (auto [field, text] :
             {std::pair{&window->edLigne(), line}, std::pair{&window->edTP(), tp},
              std::pair{&window->edINR(), inr}}) {
            field->selectAll();
            QTest::keyClicks(field, text);
            if (text.isEmpty())
                QTest::keyClick(field, Qt::Key_Delete);
        }
        TDateEdit &date = window->DateEdit1();
        QTest::mouseClick(date.Button(), Qt::LeftButton, {}, QPoint(10, 8));
        auto *popup = static_cast<TPopupCalendar *>(date.Popup());
        ASSERT_TRUE(popup && popup->isVisible());
        TLocCalendar *grid = popup->Calendar();
        for (int row = 1; row < 7; ++row)
            for (int col = 0; col < 7; ++col)
                if (grid->DayNumber(col, row) == day) {
                    QTest::mouseClick(grid, Qt::LeftButton, {},
                                      grid->CellRect(col, row).ToQRect().center());
                    return;
                }
        FAIL() << "no cell for day " << day;
    }
};

TEST_F(ErrorBoxWindowTest, BadTpInTheReadingsFileAtStart) {
    WriteIni("[Dates]\r\nDate1=01/12/2026\r\nDate2=08/12/2026\r\n[TP]\r\nTP1=30\r\nTP2=4S\r\n");
    Open();
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    ExpectErrorBox(boxes.Boxes()[0], QStringLiteral("'4S' n'est pas une valeur entière correcte."));
    // The window opens all the same, with the rest of its creation undone.
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->StatusPanelText(1), QStringLiteral("Date :"));
    EXPECT_EQ(GridText(1, 2), QStringLiteral("4S"));
}

TEST_F(ErrorBoxWindowTest, BadEntriesKeepWhatWasTyped) {
    Open();
    Enter(QStringLiteral("x"), QStringLiteral("50"), QStringLiteral("2,5"), 14);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    ExpectErrorBox(boxes.Boxes()[0], QStringLiteral("'x' n'est pas une valeur entière correcte."));

    // A message ending in a closing bracket gets no full stop.
    Enter(QStringLiteral("11"), QStringLiteral("50"), QStringLiteral("2,5"), 15);
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    ExpectErrorBox(boxes.Boxes()[1], QStringLiteral("Index de liste hors limites (11)"));

    Enter(QStringLiteral("1"), QStringLiteral("5O"), QStringLiteral("2,5"), 16);
    ASSERT_EQ(boxes.Boxes().size(), 3u);
    ExpectErrorBox(boxes.Boxes()[2], QStringLiteral("'5O' n'est pas une valeur entière correcte."));
    EXPECT_EQ(window->edLigne().text(), QStringLiteral("1"));
    EXPECT_EQ(window->edTP().text(), QStringLiteral("5O"));
    EXPECT_EQ(window->edINR().text(), QStringLiteral("2,5"));
    EXPECT_TRUE(GridText(1, 1).isEmpty());
}

TEST_F(ErrorBoxWindowTest, HelpThatCannotBeShownSaysSo) {
    if (HtmlHelpBinding().Library)
        GTEST_SKIP() << "the help viewer is loaded";
    Open();
    QTest::keyClick(window.get(), Qt::Key_F1);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    const test::SeenBox &box = boxes.Boxes()[0];
    EXPECT_EQ(box.Title, QStringLiteral("Pexorv1.0"));
    EXPECT_EQ(box.Text, kHelpUnavailableText);
    EXPECT_EQ(box.Icon, QMessageBox::Information);
    EXPECT_EQ(box.Buttons, QStringList{QStringLiteral("OK")});
    EXPECT_TRUE(test::VisibleHelpWindows().empty());
}

} // namespace
} // namespace pexor
