#include "controls/DateEdit.h"
#include "controls/DatePopup.h"
#include "platform/Exceptions.h"
#include "platform/LocaleSettings.h"
#include "render/RecordingCanvas.h"

#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace pexor {
namespace {

// 8 December 2026, 10:30.
const TDateTime kNow = MakeDate(2026, 12, 8) + 0.4375;

class DateEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetLocaleSettings(LocaleSettings::French());
        SetClock([] { return kNow; });
        form = std::make_unique<QWidget>();
        form->resize(400, 300);
        form->move(50, 50);
        field = new TDateEdit(form.get());
        field->setGeometry(10, 10, 106, 21);
        other = new QLineEdit(form.get());
        other->setGeometry(10, 100, 100, 21);
        field->OnChange = [this](TCustomComboEdit *sender) {
            origins.push_back(static_cast<TDateEdit *>(sender)->ChangeOrigin());
            datesSeen.push_back(field->Date());
        };
    }
    void TearDown() override {
        form.reset();
        SetLocaleSettings(LocaleSettings::French());
        ResetClock();
    }

    void ShowForm() {
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        field->setFocus();
        ASSERT_TRUE(field->hasFocus());
    }

    TPopupCalendar *Calendar() const { return static_cast<TPopupCalendar *>(field->Popup()); }

    void ClickDay(int day) {
        TLocCalendar *grid = Calendar()->Calendar();
        for (int row = 1; row < 7; ++row) {
            for (int col = 0; col < 7; ++col) {
                if (grid->DayNumber(col, row) == day) {
                    QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier,
                                      grid->CellRect(col, row).ToQRect().center());
                    return;
                }
            }
        }
        FAIL() << "no cell for day " << day;
    }

    void Forget() {
        origins.clear();
        datesSeen.clear();
    }

    std::size_t Fired() const { return origins.size(); }

    std::unique_ptr<QWidget> form;
    TDateEdit *field = nullptr;
    QLineEdit *other = nullptr;
    std::vector<TChangeOrigin> origins;
    std::vector<TDateTime> datesSeen;
};

const QString kBlank = QStringLiteral("  /  /    ");

TEST_F(DateEditTest, DefaultsAfterConstruction) {
    EXPECT_EQ(field->BlanksChar(), QChar(u' '));
    EXPECT_EQ(field->DialogTitle(), QStringLiteral("Sйlectionner une date"));
    EXPECT_EQ(field->PopupColor(), clBtnFace);
    EXPECT_EQ(field->StartOfWeek(), TDayOfWeekName::Mon);
    EXPECT_EQ(field->Weekends(), TDaysOfWeek{TDayOfWeekName::Sun});
    EXPECT_EQ(field->WeekendColor(), clRed);
    EXPECT_EQ(field->YearDigits(), TYearDigits::dyDefault);
    EXPECT_TRUE(field->CalendarHints().isEmpty());
    EXPECT_FALSE(field->DefaultToday());
    EXPECT_FALSE(field->CheckOnExit());
    EXPECT_TRUE(field->DirectInput());
    EXPECT_FALSE(field->ReadOnly());
    EXPECT_TRUE(field->AutoSelect());
    EXPECT_EQ(field->ClickKey(), QKeyCombination(Qt::AltModifier, Qt::Key_Down));
    EXPECT_EQ(field->PopupAlign(), TPopupAlign::epaRight);
    EXPECT_EQ(field->CalendarStyle(), TCalendarStyle::csPopup);
    EXPECT_EQ(field->GlyphKind(), TGlyphKind::gkDefault);
    EXPECT_EQ(field->NumGlyphs(), 2);
    EXPECT_EQ(field->ButtonWidth(), 21);
    EXPECT_EQ(field->Glyph().size(), QSize(28, 12));
    EXPECT_EQ(field->Glyph().pixel(0, 11), qRgb(255, 0, 255));
    EXPECT_EQ(field->DateFormat(), QStringLiteral("DD/MM/YYYY"));
    EXPECT_EQ(field->EditMask(), QStringLiteral("!99/99/9999;1; "));
    EXPECT_EQ(field->FieldText(), kBlank);
    EXPECT_EQ(field->maxLength(), 10);
    EXPECT_EQ(field->Date(), EmptyDate);
    EXPECT_FALSE(field->CalendarVisible());
    EXPECT_EQ(Fired(), 0u);
    // One shared picture for every field.
    TDateEdit second;
    EXPECT_EQ(second.Glyph().cacheKey(), field->Glyph().cacheKey());
}

TEST_F(DateEditTest, WindowCreationWritesTodayOnlyWithDefaultToday) {
    field->SetDefaultToday(true);
    EXPECT_EQ(field->FieldText(), kBlank);
    EXPECT_EQ(Fired(), 0u);
    ShowForm();
    EXPECT_EQ(field->FieldText(), QStringLiteral("08/12/2026"));
    ASSERT_EQ(Fired(), 1u);
    EXPECT_EQ(origins[0], TChangeOrigin::Program);
    EXPECT_EQ(datesSeen[0], MakeDate(2026, 12, 8));
}

TEST_F(DateEditTest, WindowCreationWithoutDefaultTodayStaysBlank) {
    ShowForm();
    EXPECT_EQ(field->FieldText(), kBlank);
    EXPECT_EQ(Fired(), 0u);
}

TEST_F(DateEditTest, TypingFiresOncePerAcceptedChange) {
    field->SetDefaultToday(true);
    ShowForm();
    Forget();
    field->SetDate(EmptyDate);
    field->SetFieldText(QString());
    Forget();
    field->setCursorPosition(0);
    QTest::keyClicks(field, QStringLiteral("0703"));
    EXPECT_EQ(field->FieldText(), QStringLiteral("07/03/    "));
    EXPECT_EQ(Fired(), 4u);
    EXPECT_EQ(datesSeen.back(), MakeDate(2026, 12, 8)); // not a date yet: today
    EXPECT_FALSE(field->HasCompleteDate());
    QTest::keyClicks(field, QStringLiteral("2025"));
    EXPECT_EQ(Fired(), 8u);
    EXPECT_TRUE(field->HasCompleteDate());
    EXPECT_EQ(datesSeen.back(), MakeDate(2025, 3, 7));
    for (TChangeOrigin origin : origins)
        EXPECT_EQ(origin, TChangeOrigin::Typing);
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_EQ(Fired(), 9u);
    EXPECT_EQ(field->FieldText(), QStringLiteral("07/03/202 "));
    QTest::keyClick(field, Qt::Key_A); // not a digit: refused by the mask
    EXPECT_EQ(Fired(), 9u);
}

TEST_F(DateEditTest, EscPutsBackTheProgramText) {
    ShowForm();
    field->SetDate(MakeDate(2025, 3, 15));
    Forget();
    field->setCursorPosition(0);
    QTest::keyClick(field, Qt::Key_2);
    EXPECT_EQ(field->FieldText(), QStringLiteral("25/03/2025"));
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_EQ(field->FieldText(), QStringLiteral("15/03/2025"));
    ASSERT_EQ(Fired(), 2u);
    EXPECT_EQ(origins[1], TChangeOrigin::Revert);
    EXPECT_FALSE(field->isModified());
}

TEST_F(DateEditTest, EnterConfirmsOnlyWithTheCalendarClosed) {
    ShowForm();
    field->SetDate(MakeDate(2025, 3, 15));
    int confirms = 0;
    field->OnConfirm = [&](TCustomComboEdit *sender) {
        EXPECT_EQ(sender, field);
        ++confirms;
    };
    QTest::keyClick(field, Qt::Key_Return);
    QTest::keyClick(field, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(confirms, 2);
    QTest::keyClick(field, Qt::Key_Escape);
    QTest::keyClick(field, Qt::Key_5);
    EXPECT_EQ(confirms, 2);

    // With the calendar open, Enter applies the pick instead.
    Forget();
    field->DropDown(true);
    QTest::keyClick(field, Qt::Key_Right);
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_FALSE(field->CalendarVisible());
    EXPECT_EQ(confirms, 2);
    ASSERT_EQ(Fired(), 1u);
    EXPECT_EQ(origins[0], TChangeOrigin::Pick);
}

TEST_F(DateEditTest, CompleteDateRefusesWhatIsNotAWholeDate) {
    field->SetFieldText(QStringLiteral("07/03/2025"));
    EXPECT_EQ(field->CompleteDate(), MakeDate(2025, 3, 7));
    // The free scan would read these as dates; typed in the mask they are
    // half done.
    const QString refused[] = {QStringLiteral("15/12/2   "), QStringLiteral("7 /12/2026"),
                               QStringLiteral("31/02/2026"), kBlank};
    for (const QString &text : refused) {
        field->SetFieldText(text);
        EXPECT_EQ(field->FieldText(), text);
        try {
            field->CompleteDate();
            ADD_FAILURE() << "no error for " << text.toStdString();
        } catch (const EConvertError &error) {
            EXPECT_EQ(error.Message(),
                      QStringLiteral("''%1'' n'est pas une date correcte").arg(text));
        }
    }
}

TEST_F(DateEditTest, OpeningShowsTheFieldsMonthOrToday) {
    ShowForm();
    field->DropDown(true);
    ASSERT_TRUE(field->CalendarVisible());
    EXPECT_TRUE(Calendar()->isVisible());
    EXPECT_TRUE(field->hasFocus());
    EXPECT_TRUE(field->isReadOnly());
    EXPECT_EQ(Calendar()->GetValue().toDouble(), MakeDate(2026, 12, 8));
    EXPECT_EQ(Calendar()->Title()->text(), QStringLiteral("décembre, 2026"));
    EXPECT_EQ(Calendar()->Calendar()->DayNumber(Calendar()->Calendar()->Col(),
                                                Calendar()->Calendar()->Row()),
              8);
    field->CloseCalendar(false);
    EXPECT_FALSE(field->isReadOnly());

    field->SetFieldText(QStringLiteral("31/02/2026"));
    field->DropDown(true);
    EXPECT_EQ(Calendar()->GetValue().toDouble(), MakeDate(2026, 12, 8));
    field->CloseCalendar(false);

    field->SetDate(MakeDate(2025, 3, 15));
    field->DropDown(true);
    EXPECT_EQ(Calendar()->GetValue().toDouble(), MakeDate(2025, 3, 15));
    EXPECT_EQ(Calendar()->Title()->text(), QStringLiteral("mars, 2025"));
    field->CloseCalendar(false);
    EXPECT_EQ(field->FieldText(), QStringLiteral("15/03/2025"));
}

TEST_F(DateEditTest, PickingADayFiresOnceAndOnlyOnAChange) {
    ShowForm();
    field->SetDate(MakeDate(2025, 3, 15));
    Forget();
    field->DropDown(true);
    ClickDay(20);
    EXPECT_FALSE(field->CalendarVisible());
    EXPECT_FALSE(Calendar()->isVisible());
    EXPECT_EQ(field->FieldText(), QStringLiteral("20/03/2025"));
    ASSERT_EQ(Fired(), 1u);
    EXPECT_EQ(origins[0], TChangeOrigin::Pick);
    EXPECT_EQ(datesSeen[0], MakeDate(2025, 3, 20));
    EXPECT_EQ(field->selectedText(), QStringLiteral("20/03/2025"));

    field->DropDown(true);
    ClickDay(20);
    EXPECT_FALSE(field->CalendarVisible());
    EXPECT_EQ(Fired(), 1u);
}

TEST_F(DateEditTest, ButtonOpensAndClosesApplyingWithoutReopening) {
    ShowForm();
    field->SetDate(MakeDate(2025, 3, 15));
    Forget();
    int buttonClicks = 0;
    field->OnButtonClick = [&](TCustomComboEdit *) { ++buttonClicks; };
    TEditButton *button = field->Button();
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(10, 8));
    ASSERT_TRUE(field->CalendarVisible());
    EXPECT_EQ(buttonClicks, 1);
    QTest::keyClick(field, Qt::Key_Right);
    EXPECT_EQ(field->FieldText(), QStringLiteral("15/03/2025"));
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(10, 8));
    EXPECT_FALSE(field->CalendarVisible());
    EXPECT_FALSE(Calendar()->isVisible());
    EXPECT_FALSE(button->NoAction());
    EXPECT_EQ(buttonClicks, 1);
    EXPECT_EQ(field->FieldText(), QStringLiteral("16/03/2025"));
    EXPECT_EQ(Fired(), 1u);
}

TEST_F(DateEditTest, EscAndFocusChangeCloseWithoutChange) {
    ShowForm();
    field->SetDate(MakeDate(2025, 3, 15));
    Forget();
    field->DropDown(true);
    QTest::keyClick(field, Qt::Key_PageDown);
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_FALSE(field->CalendarVisible());
    EXPECT_EQ(field->FieldText(), QStringLiteral("15/03/2025"));

    field->DropDown(true);
    QTest::keyClick(field, Qt::Key_Left);
    other->setFocus();
    EXPECT_FALSE(field->CalendarVisible());
    EXPECT_FALSE(Calendar()->isVisible());
    EXPECT_EQ(field->FieldText(), QStringLiteral("15/03/2025"));
    EXPECT_EQ(Fired(), 0u);
}

TEST_F(DateEditTest, ClickOnAnotherControlClosesWithoutApplying) {
    auto *label = new QPushButton(QStringLiteral("x"), form.get());
    label->setFocusPolicy(Qt::NoFocus);
    label->setGeometry(200, 200, 40, 20);
    label->show();
    ShowForm();
    field->SetDate(MakeDate(2025, 3, 15));
    field->DropDown(true);
    QTest::keyClick(field, Qt::Key_Right);
    // A click on the calendar's own buttons keeps it open.
    QTest::mouseClick(Calendar()->NavButton(2), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(field->CalendarVisible());
    EXPECT_EQ(Calendar()->GetValue().toDouble(), MakeDate(2025, 4, 16));
    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_FALSE(field->CalendarVisible());
    EXPECT_EQ(field->FieldText(), QStringLiteral("15/03/2025"));
}

TEST_F(DateEditTest, ClickKeyOpensThenClosesApplying) {
    ShowForm();
    field->SetDate(MakeDate(2025, 3, 15));
    Forget();
    QTest::keyClick(field, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(field->CalendarVisible());
    QTest::keyClick(field, Qt::Key_Down); // one week on
    QTest::keyClick(field, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(Calendar()->GetValue().toDouble(), MakeDate(2026, 3, 22));
    QTest::keyClick(field, Qt::Key_Down, Qt::AltModifier);
    EXPECT_FALSE(field->CalendarVisible());
    EXPECT_EQ(field->FieldText(), QStringLiteral("22/03/2026"));
    EXPECT_EQ(Fired(), 1u);

    field->DropDown(true);
    QTest::keyClick(field, Qt::Key_Left);
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(field->FieldText(), QStringLiteral("21/03/2026"));
    EXPECT_EQ(Fired(), 2u);
}

TEST_F(DateEditTest, NumericPlusMinusAndToday) {
    ShowForm();
    field->SetDate(MakeDate(2026, 12, 31));
    Forget();
    QTest::keyClick(field, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(field->FieldText(), QStringLiteral("01/01/2027"));
    ASSERT_EQ(Fired(), 1u);
    EXPECT_EQ(origins[0], TChangeOrigin::Step);
    EXPECT_EQ(field->selectedText(), QStringLiteral("01/01/2027"));
    field->setCursorPosition(0);
    QTest::keyClick(field, Qt::Key_Plus); // the main keyboard's +
    QTest::keyClick(field, Qt::Key_Minus);
    EXPECT_EQ(field->FieldText(), QStringLiteral("01/01/2027"));
    EXPECT_EQ(Fired(), 1u);
    QTest::keyClick(field, Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(field->FieldText(), QStringLiteral("31/12/2026"));
    EXPECT_EQ(Fired(), 2u);
    QTest::keyClick(field, Qt::Key_T);
    EXPECT_EQ(field->FieldText(), QStringLiteral("08/12/2026"));
    ASSERT_EQ(Fired(), 3u);
    EXPECT_EQ(origins[2], TChangeOrigin::Today);
    QTest::keyClick(field, Qt::Key_T); // already today: no change
    EXPECT_EQ(Fired(), 3u);

    // From a blank field numeric + counts from now.
    field->SetDate(EmptyDate);
    QTest::keyClick(field, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(field->FieldText(), QStringLiteral("09/12/2026"));

    // While the calendar is open the keys steer it instead.
    field->DropDown(true);
    QTest::keyClick(field, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(Calendar()->GetValue().toDouble(), MakeDate(2026, 12, 10));
    EXPECT_EQ(field->FieldText(), QStringLiteral("09/12/2026"));
    field->CloseCalendar(false);
}

TEST_F(DateEditTest, BlanksCharHintsAndYearDigits) {
    field->SetBlanksChar(QChar(9));
    EXPECT_EQ(field->BlanksChar(), QChar(u' '));
    field->SetBlanksChar(u'_');
    EXPECT_EQ(field->EditMask(), QStringLiteral("!99/99/9999;1;_"));
    EXPECT_EQ(field->FieldText(), QStringLiteral("__/__/____"));
    EXPECT_EQ(field->Date(), EmptyDate);

    field->SetCalendarHints({QStringLiteral("a|"), QString(), QStringLiteral("c|"),
                             QStringLiteral("d|"), QStringLiteral("e|"), QStringLiteral("f|")});
    ASSERT_EQ(field->CalendarHints().size(), 4);
    EXPECT_EQ(field->CalendarHints().last(), QStringLiteral("d|"));
    EXPECT_EQ(Calendar()->NavButton(0)->Hint(), QStringLiteral("a|"));
    EXPECT_EQ(Calendar()->NavButton(1)->Hint(), QStringLiteral("Mois prйcйdent|"));
    EXPECT_EQ(Calendar()->NavButton(3)->Hint(), QStringLiteral("d|"));

    field->SetBlanksChar(u' ');
    field->SetDate(MakeDate(2026, 12, 8));
    field->SetYearDigits(TYearDigits::dyTwo);
    EXPECT_EQ(field->DateFormat(), QStringLiteral("DD/MM/YY"));
    EXPECT_EQ(field->FieldText(), QStringLiteral("08/12/26"));
    EXPECT_EQ(field->Date(), MakeDate(2026, 12, 8));
    EXPECT_FALSE(Calendar()->FourDigitYear());
}

TEST_F(DateEditTest, RegionalSettingsChangeRefreshesTheFormat) {
    ShowForm();
    field->SetDate(MakeDate(2026, 12, 8));
    Forget();
    LocaleSettings iso = LocaleSettings::French();
    iso.ShortDateFormat = QStringLiteral("yyyy-MM-dd");
    iso.DateSeparator = u'-';
    SetLocaleSettings(iso);
    QEvent change(QEvent::LocaleChange);
    QApplication::sendEvent(qApp, &change);
    QApplication::processEvents();
    EXPECT_EQ(field->DateFormat(), QStringLiteral("YYYY/MM/DD"));
    EXPECT_EQ(field->FieldText(), QStringLiteral("2026-12-08"));
    ASSERT_EQ(Fired(), 1u);
    EXPECT_EQ(origins[0], TChangeOrigin::Program);
}

TEST_F(DateEditTest, AcceptDateHandlerMayRefuseOrChangeThePick) {
    ShowForm();
    field->SetDate(MakeDate(2025, 3, 15));
    Forget();
    field->OnAcceptDate = [](TCustomDateEdit *, TDateTime &, bool &accept) { accept = false; };
    field->DropDown(true);
    ClickDay(20);
    EXPECT_FALSE(field->CalendarVisible());
    EXPECT_EQ(field->FieldText(), QStringLiteral("15/03/2025"));
    field->OnAcceptDate = [](TCustomDateEdit *, TDateTime &date, bool &) { date += 1; };
    field->DropDown(true);
    ClickDay(20);
    EXPECT_EQ(field->FieldText(), QStringLiteral("21/03/2025"));
    EXPECT_EQ(Fired(), 1u);
}

TEST_F(DateEditTest, ExitCheckRewritesOrRaises) {
    ShowForm();
    field->SetFieldText(QStringLiteral("07/12/26  "));
    Forget();
    field->CheckDateText();
    EXPECT_EQ(field->FieldText(), QStringLiteral("07/12/2026"));
    EXPECT_EQ(Fired(), 0u);
    field->SetFieldText(kBlank);
    EXPECT_NO_THROW(field->CheckDateText());
    field->SetFieldText(QStringLiteral("31/02/2026"));
    try {
        field->CheckDateText();
        FAIL() << "no error";
    } catch (const EConvertError &error) {
        EXPECT_EQ(error.Message(), QStringLiteral("''31/02/2026'' n'est pas une date correcte"));
    }
    EXPECT_TRUE(field->hasFocus());
}

TEST_F(DateEditTest, ReadOnlyAndDirectInput) {
    ShowForm();
    field->SetReadOnly(true);
    EXPECT_TRUE(field->isReadOnly());
    field->ButtonClick();
    EXPECT_FALSE(field->CalendarVisible());
    field->SetAlwaysEnable(true);
    field->ButtonClick(); // the button works, the drop-down still refuses
    EXPECT_FALSE(field->CalendarVisible());
    field->SetReadOnly(false);
    field->SetDirectInput(false);
    EXPECT_TRUE(field->isReadOnly());
    QTest::keyClick(field, Qt::Key_T);
    EXPECT_EQ(field->FieldText(), kBlank);
    field->DropDown(true);
    EXPECT_TRUE(field->CalendarVisible());
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(field->FieldText(), QStringLiteral("08/12/2026"));
    EXPECT_TRUE(field->isReadOnly());
}

TEST_F(DateEditTest, ButtonLayoutAndFace) {
    ShowForm();
    EXPECT_EQ(field->ButtonContainer()->geometry(), QRect(83, 2, 21, 17));
    EXPECT_EQ(field->Button()->geometry(), QRect(0, 0, 21, 17));
    EXPECT_EQ(field->textMargins().right(), 23);
    EXPECT_EQ(field->Button()->NumGlyphs(), 2);

    RecordingCanvas canvas;
    field->Button()->PaintFace(canvas);
    const auto lines = canvas.RecordsOf(TRecordKind::LineTo);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2].Points, QPolygon({QPoint(0, 0), QPoint(0, 16)}));
    EXPECT_EQ(lines[lines.size() - 2].Pen.Color(), clBtnFace);
    EXPECT_EQ(lines.back().Points, QPolygon({QPoint(1, 1), QPoint(1, 15)}));
    EXPECT_EQ(lines.back().Pen.Color(), clBtnHighlight);
    const auto draws = canvas.RecordsOf(TRecordKind::Draw);
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].ImageSize, QSize(14, 12));
    EXPECT_EQ(draws[0].Points[0], QPoint(3, 2));

    field->SetGlyphKind(TGlyphKind::gkEllipsis);
    EXPECT_EQ(field->NumGlyphs(), 1);
    EXPECT_EQ(field->Glyph().size(), QSize(15, 4));
    EXPECT_EQ(QColor(field->Glyph().pixel(1, 1)), QColor(Qt::black));
    EXPECT_EQ(QColor(field->Glyph().pixel(6, 2)), QColor(Qt::black));
    EXPECT_EQ(QColor(field->Glyph().pixel(11, 1)), QColor(Qt::black));
    EXPECT_EQ(QColor(field->Glyph().pixel(3, 1)), QColor(Qt::white));
    field->SetButtonWidth(30);
    EXPECT_EQ(field->ButtonContainer()->geometry(), QRect(74, 2, 30, 17));
    EXPECT_EQ(field->Glyph().width(), 24);
}

TEST_F(DateEditTest, DropDownPlacementAtTheScreenEdges) {
    ShowForm();
    const QRect screen = field->screen()->geometry();
    const QPoint corner = field->mapToGlobal(QPoint(0, 0));
    field->DropDown(true);
    EXPECT_EQ(Calendar()->pos(), QPoint(corner.x(), corner.y() + 21)); // right edge too far left
    field->CloseCalendar(false);

    form->move(screen.right() - 150, screen.bottom() - 60);
    QApplication::processEvents();
    const QPoint low = field->mapToGlobal(QPoint(0, 0));
    field->DropDown(true);
    EXPECT_EQ(Calendar()->pos(), QPoint(low.x() + 106 - 187, low.y() - 124));
    field->CloseCalendar(false);
}

TEST_F(DateEditTest, DialogStyleRunsTheDialog) {
    ShowForm();
    field->SetDate(MakeDate(2025, 3, 15));
    Forget();
    field->SetCalendarStyle(TCalendarStyle::csDialog);
    EXPECT_EQ(field->Popup(), nullptr);
    QTimer::singleShot(0, [] {
        QWidget *dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Sйlectionner une date"));
        QTest::keyClick(dialog, Qt::Key_PageDown);
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    field->ButtonClick();
    EXPECT_EQ(field->FieldText(), QStringLiteral("15/04/2025"));
    ASSERT_EQ(Fired(), 1u);
    EXPECT_EQ(origins[0], TChangeOrigin::Pick);
    field->SetCalendarStyle(TCalendarStyle::csPopup);
    ASSERT_NE(field->Popup(), nullptr);
}

} // namespace
} // namespace pexor
