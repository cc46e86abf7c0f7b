#include "controls/DatePopup.h"
#include "controls/Frame3D.h"
#include "platform/Exceptions.h"
#include "platform/LocaleSettings.h"
#include "render/RecordingCanvas.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace pexor {
namespace {

// 8 December 2026, 10:30.
const TDateTime kNow = MakeDate(2026, 12, 8) + 0.4375;

class CalendarTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetLocaleSettings(LocaleSettings::French());
        SetClock([] { return kNow; });
    }
    void TearDown() override { ResetClock(); }
};

std::vector<TCanvasRecord> TextsOf(const RecordingCanvas &canvas) {
    return canvas.RecordsOf(TRecordKind::TextOut);
}

const TCanvasRecord *TextRecord(const RecordingCanvas &canvas, const QString &text) {
    for (const TCanvasRecord &r : canvas.Records()) {
        if (r.Kind == TRecordKind::TextOut && r.Text == text)
            return &r;
    }
    return nullptr;
}

bool HasLine(const RecordingCanvas &canvas, QPoint from, QPoint to, TColor color) {
    for (const TCanvasRecord &r : canvas.RecordsOf(TRecordKind::LineTo)) {
        if (r.Points.size() == 2 && r.Points[0] == from && r.Points[1] == to &&
            r.Pen.Color() == color)
            return true;
    }
    return false;
}

std::vector<TColor> LineColors(const RecordingCanvas &canvas) {
    std::vector<TColor> colors;
    for (const TCanvasRecord &r : canvas.RecordsOf(TRecordKind::LineTo))
        colors.push_back(r.Pen.Color());
    return colors;
}

TEST_F(CalendarTest, FirstOfMonthPlacementFollowsStartOfWeek) {
    TMonthCalendar grid;
    grid.SetCalendarDate(MakeDate(2026, 2, 10)); // 1 February 2026 is a Sunday
    EXPECT_EQ(grid.MonthOffset(), -5);
    EXPECT_EQ(grid.DayNumber(6, 1), 1);
    EXPECT_EQ(grid.DayNumber(0, 1), 0);
    EXPECT_EQ(grid.DayNumber(0, 2), 2);
    EXPECT_EQ(grid.CellText(0, 0), QStringLiteral("lun."));
    EXPECT_EQ(grid.CellText(6, 0), QStringLiteral("dim."));
    // 10 February: column (10 + 5) mod 7, row (10 + 5) div 7 + 1.
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.Row(), 3);

    grid.SetCalendarDate(MakeDate(2026, 6, 1)); // a Monday
    EXPECT_EQ(grid.MonthOffset(), 1);
    EXPECT_EQ(grid.DayNumber(0, 1), 1);
    EXPECT_EQ(grid.DayNumber(1, 5), 30);
    EXPECT_EQ(grid.DayNumber(2, 5), 0);
    EXPECT_EQ(grid.DayNumber(0, 6), 0);

    grid.SetStartOfWeek(TDayOfWeekName::Sun);
    EXPECT_EQ(grid.CellText(0, 0), QStringLiteral("dim."));
    EXPECT_EQ(grid.DayNumber(1, 1), 1);
    grid.SetCalendarDate(MakeDate(2026, 2, 1));
    EXPECT_EQ(grid.DayNumber(0, 1), 1);
    EXPECT_EQ(grid.DayNumber(0, 0), 0);
}

TEST_F(CalendarTest, MonthAndYearStepsKeepTheEndOfMonth) {
    TMonthCalendar grid;
    grid.SetCalendarDate(MakeDate(2024, 3, 31));
    grid.PrevMonth();
    EXPECT_EQ(grid.CalendarDate(), MakeDate(2024, 2, 29));
    grid.SetCalendarDate(MakeDate(2026, 3, 31));
    grid.PrevMonth();
    EXPECT_EQ(grid.CalendarDate(), MakeDate(2026, 2, 28));
    grid.SetCalendarDate(MakeDate(2026, 1, 31));
    grid.NextMonth();
    EXPECT_EQ(grid.CalendarDate(), MakeDate(2026, 2, 28));
    grid.SetCalendarDate(MakeDate(2026, 12, 15));
    grid.NextMonth();
    EXPECT_EQ(grid.CalendarDate(), MakeDate(2027, 1, 15));

    grid.SetCalendarDate(MakeDate(2024, 2, 29));
    grid.NextYear();
    EXPECT_EQ(grid.CalendarDate(), MakeDate(2025, 2, 28));
    grid.SetCalendarDate(MakeDate(2024, 2, 29));
    grid.PrevYear();
    EXPECT_EQ(grid.CalendarDate(), MakeDate(2023, 2, 28));
    // A plain year change from 29 February lands on a date that exists.
    grid.SetCalendarDate(MakeDate(2024, 2, 29));
    grid.SetYear(2026);
    EXPECT_EQ(grid.CalendarDate(), MakeDate(2026, 2, 28));
}

TEST_F(CalendarTest, SettersIgnoreOutOfRangeAndEqualValues) {
    TMonthCalendar grid;
    int changes = 0;
    grid.OnChange = [&](TMonthCalendar *) { ++changes; };
    EXPECT_TRUE(grid.UseCurrentDate());
    EXPECT_EQ(grid.CalendarDate(), MakeDate(2026, 12, 8));
    grid.SetDay(8);
    grid.SetDay(0);
    grid.SetDay(32);
    grid.SetMonth(13);
    grid.SetMonth(12);
    grid.SetYear(0);
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(grid.UseCurrentDate());
    grid.SetDay(31);
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(grid.UseCurrentDate());
    grid.SetMonth(11);
    EXPECT_EQ(grid.CalendarDate(), MakeDate(2026, 11, 30));
    EXPECT_EQ(changes, 2);
    grid.SetUseCurrentDate(true);
    EXPECT_EQ(grid.CalendarDate(), MakeDate(2026, 12, 8));
}

TEST_F(CalendarTest, KeysAndCharacters) {
    TMonthCalendar grid;
    grid.SetCalendarDate(MakeDate(2026, 12, 31));
    EXPECT_TRUE(grid.HandleKey(Qt::Key_Right, Qt::NoModifier));
    EXPECT_EQ(grid.CalendarDate(), MakeDate(2027, 1, 1));
    EXPECT_EQ(grid.Month(), 1);
    EXPECT_EQ(grid.DayNumber(4, 1), 1); // 1 January 2027 is a Friday
    EXPECT_EQ(grid.Col(), 4);
    grid.HandleKey(Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(grid.CalendarDate(), MakeDate(2026, 12, 31));
    grid.HandleKey(Qt::Key_Left, Qt::NoModifier);
    EXPECT_EQ(grid.CalendarDate(), MakeDate(2026, 12, 30));
    grid.HandleKey(Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(grid.Day(), 31);
    grid.HandleKey(Qt::Key_Up, Qt::NoModifier);
    EXPECT_EQ(grid.Day(), 24);
    grid.HandleKey(Qt::Key_Down, Qt::NoModifier);
    EXPECT_EQ(grid.Day(), 31);
    grid.HandleKey(Qt::Key_Down, Qt::NoModifier); // nothing below the last day
    EXPECT_EQ(grid.Day(), 31);
    grid.SetDay(2);
    grid.HandleKey(Qt::Key_Up, Qt::NoModifier); // the day names are no day
    EXPECT_EQ(grid.Day(), 2);
    EXPECT_FALSE(grid.HandleKey(Qt::Key_Right, Qt::ControlModifier));
    EXPECT_EQ(grid.Day(), 2);
    grid.HandleChar(u't');
    EXPECT_EQ(grid.CalendarDate(), MakeDate(2026, 12, 8));
}

class CountingCalendar : public TMonthCalendar {
public:
    int cells = 0;
    int grids = 0;

protected:
    void InvalidateCell(int col, int row) override {
        ++cells;
        TMonthCalendar::InvalidateCell(col, row);
    }
    void InvalidateGrid() override {
        ++grids;
        TMonthCalendar::InvalidateGrid();
    }
};

TEST_F(CalendarTest, DayChangeRepaintsOnlyTwoCells) {
    CountingCalendar grid;
    grid.cells = grid.grids = 0;
    grid.SetDay(9);
    EXPECT_EQ(grid.cells, 2);
    EXPECT_EQ(grid.grids, 0);
    grid.SetMonth(11);
    EXPECT_EQ(grid.grids, 1);
}

TEST_F(CalendarTest, DropDownGridGeometryColoursAndTodayFrame) {
    TLocCalendar grid;
    grid.resize(183, 102);
    EXPECT_EQ(grid.ColWidth(), 26);
    EXPECT_EQ(grid.RowHeight(), 13);
    EXPECT_EQ(grid.CellRect(0, 0), TRect(0, 0, 26, 13));
    EXPECT_EQ(grid.CellRect(1, 2), TRect(26, 27, 52, 40));
    EXPECT_EQ(grid.focusPolicy(), Qt::NoFocus);

    grid.SetCalendarDate(MakeDate(2026, 12, 13)); // a Sunday, selected
    RecordingCanvas canvas;
    grid.PaintGrid(canvas);
    for (const QString &sunday : {QStringLiteral("dim."), QStringLiteral("6"),
                                  QStringLiteral("20"), QStringLiteral("27")}) {
        const TCanvasRecord *r = TextRecord(canvas, sunday);
        ASSERT_NE(r, nullptr) << sunday.toStdString();
        EXPECT_EQ(r->Font.Color(), clRed) << sunday.toStdString();
    }
    EXPECT_EQ(TextRecord(canvas, QStringLiteral("13"))->Font.Color(), clHighlightText);
    EXPECT_EQ(TextRecord(canvas, QStringLiteral("7"))->Font.Color(), clWindowText);
    EXPECT_EQ(TextRecord(canvas, QStringLiteral("lun."))->Font.Color(), clWindowText);
    // Text centred in its cell: "1" is Tuesday's, column 1 of row 1.
    const TCanvasRecord *one = TextRecord(canvas, QStringLiteral("1"));
    EXPECT_EQ(one->Points[0].x(), 39);
    EXPECT_EQ(one->TextAlign, TA_CENTER | TA_TOP);
    EXPECT_EQ(one->Clip.rect, TRect(26, 14, 52, 27));
    EXPECT_EQ(TextsOf(canvas).size(), 7u + 31u);
    // The line under the day names, and today (8th, column 1 row 2) framed.
    EXPECT_TRUE(HasLine(canvas, QPoint(0, 13), QPoint(26, 13), clBtnShadow));
    EXPECT_TRUE(HasLine(canvas, QPoint(26, 39), QPoint(26, 27), clBtnShadow));
    EXPECT_TRUE(HasLine(canvas, QPoint(26, 27), QPoint(51, 27), clBtnShadow));
    EXPECT_TRUE(HasLine(canvas, QPoint(51, 27), QPoint(51, 39), clBtnHighlight));
    EXPECT_TRUE(HasLine(canvas, QPoint(51, 39), QPoint(25, 39), clBtnHighlight));

    grid.SetCalendarDate(MakeDate(2026, 11, 8));
    RecordingCanvas november;
    grid.PaintGrid(november);
    EXPECT_FALSE(HasLine(november, QPoint(51, 27), QPoint(51, 39), clBtnHighlight));
}

TEST_F(CalendarTest, ReleaseOnADayFinishesThePick) {
    QWidget owner;
    TPopupCalendar popup(&owner);
    int finishes = 0;
    bool accepted = false;
    popup.OnCloseUp = [&](TPopupWindow *, bool accept) {
        ++finishes;
        accepted = accept;
    };
    popup.SetValue(QVariant(MakeDate(2026, 12, 8)));
    TLocCalendar *grid = popup.Calendar();
    auto centre = [&](int col, int row) { return grid->CellRect(col, row).ToQRect().center(); };

    QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier, centre(2, 0)); // day names
    QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier, centre(0, 1)); // empty cell
    EXPECT_EQ(finishes, 0);
    QTest::mouseClick(grid, Qt::LeftButton, Qt::ControlModifier, centre(3, 2)); // 10th
    EXPECT_EQ(finishes, 0);
    EXPECT_EQ(grid->Day(), 10);
    QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier, centre(4, 3)); // 18th
    EXPECT_EQ(finishes, 1);
    EXPECT_TRUE(accepted);
    EXPECT_EQ(popup.GetValue().toDouble(), MakeDate(2026, 12, 18));
}

TEST_F(CalendarTest, DropDownLayoutHintsAndTitle) {
    QWidget owner;
    TPopupCalendar popup(&owner);
    EXPECT_EQ(popup.size(), QSize(187, 124));
    EXPECT_TRUE(popup.windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_EQ(popup.TopStrip()->geometry(), QRect(1, 1, 183, 18));
    EXPECT_EQ(popup.Calendar()->geometry(), QRect(1, 19, 183, 102));
    const QRect expected[] = {{-1, -1, 14, 14}, {12, -1, 14, 14}, {157, -1, 14, 14},
                              {170, -1, 14, 14}};
    const char *hints[] = {"Annйe prйcйdente|", "Mois prйcйdent|", "Mois suivant|",
                           "Annйe suivante|"};
    for (int i = 0; i < 4; ++i) {
        TRepeatButton *button = popup.NavButton(i);
        EXPECT_EQ(button->geometry().translated(-popup.TopStrip()->pos()), expected[i]);
        EXPECT_EQ(popup.NavButton(i)->Hint(), QString::fromUtf8(hints[i]));
        EXPECT_EQ(popup.NavButton(i)->Style(), TButtonStyle::bsWin31);
    }
    EXPECT_EQ(popup.NavButton(0)->toolTip(), QStringLiteral("Annйe prйcйdente"));
    EXPECT_EQ(popup.Title()->geometry(), QRect(29, 1, 125, 14));

    popup.SetValue(QVariant(QStringLiteral("07/03/2025")));
    EXPECT_EQ(popup.Title()->text(), QStringLiteral("mars, 2025"));
    popup.NavButton(3)->Click();
    EXPECT_EQ(popup.GetValue().toDouble(), MakeDate(2026, 3, 7));
    popup.NavButton(1)->Click();
    EXPECT_EQ(popup.Title()->text(), QStringLiteral("février, 2026"));
    QTest::mouseDClick(popup.Title(), Qt::LeftButton);
    EXPECT_EQ(popup.GetValue().toDouble(), MakeDate(2026, 12, 8));

    popup.ApplyCalendarSettings(TDayOfWeekName::Sun, TDaysOfWeek{TDayOfWeekName::Sat}, false,
                                {QString(), QStringLiteral("Avant|"), QString(),
                                 QStringLiteral("Après|")},
                                clBlue);
    EXPECT_EQ(popup.NavButton(0)->Hint(), QString::fromUtf8(hints[0]));
    EXPECT_EQ(popup.NavButton(1)->Hint(), QStringLiteral("Avant|"));
    EXPECT_EQ(popup.NavButton(3)->Hint(), QStringLiteral("Après|"));
    EXPECT_EQ(popup.Calendar()->StartOfWeek(), TDayOfWeekName::Sun);
    EXPECT_EQ(popup.Calendar()->WeekendColor(), clBlue);
    EXPECT_FALSE(popup.FourDigitYear());
}

TEST_F(CalendarTest, DropDownShowsItsNavigationButtonsWholeAndItsDayNamesApart) {
    QWidget owner;
    TPopupCalendar popup(&owner);
    popup.SetValue(QVariant(MakeDate(2026, 12, 7)));
    const QImage picture = popup.grab().toImage();
    for (int i = 0; i < 4; ++i) {
        // Every pixel of each 14 × 14 face, frames included, is on screen.
        TRepeatButton *button = popup.NavButton(i);
        const QImage face = button->grab().toImage();
        ASSERT_EQ(face.size(), QSize(14, 14));
        const QPoint at = button->mapTo(&popup, QPoint(0, 0));
        EXPECT_EQ(picture.copy(QRect(at, face.size())), face) << "button " << i;
    }
    // The day names were drawn for 8-point widths: even the widest leaves a
    // gap to the next one.
    TLocCalendar *grid = popup.Calendar();
    const QFontMetrics metrics(grid->font());
    int widest = 0;
    for (const QString &name : Locale().ShortDayNames)
        widest = std::max(widest, metrics.horizontalAdvance(name));
    EXPECT_LT(widest, grid->width() / 7);
}

TEST_F(CalendarTest, DropDownValuesAndPageKeys) {
    QWidget owner;
    TPopupCalendar popup(&owner);
    popup.SetValue(QVariant(MakeDate(2025, 5, 5)));
    EXPECT_EQ(popup.GetValue().toDouble(), MakeDate(2025, 5, 5));
    for (const QVariant &blank : {QVariant(), QVariant(QStringLiteral("  /  /    ")),
                                  QVariant(QStringLiteral("n'importe")), QVariant(EmptyDate)}) {
        popup.SetValue(QVariant(MakeDate(2025, 5, 5)));
        popup.SetValue(blank);
        EXPECT_EQ(popup.GetValue().toDouble(), MakeDate(2026, 12, 8));
    }
    popup.SetValue(QVariant(MakeDate(2024, 2, 29)));
    popup.HandleKey(Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(popup.GetValue().toDouble(), MakeDate(2025, 2, 28));
    popup.SetValue(QVariant(MakeDate(2026, 3, 31)));
    popup.HandleKey(Qt::Key_PageUp, Qt::NoModifier);
    EXPECT_EQ(popup.GetValue().toDouble(), MakeDate(2026, 2, 28));
    popup.HandleKey(Qt::Key_PageDown, Qt::NoModifier);
    EXPECT_EQ(popup.GetValue().toDouble(), MakeDate(2026, 3, 28));
    popup.HandleKey(Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(popup.GetValue().toDouble(), MakeDate(2025, 3, 28));
    popup.HandleKey(Qt::Key_Right, Qt::NoModifier);
    EXPECT_EQ(popup.GetValue().toDouble(), MakeDate(2025, 3, 29));
}

TEST_F(CalendarTest, RepeatButtonTiming) {
    QWidget parent;
    parent.resize(100, 100);
    TRepeatButton button(&parent);
    button.setGeometry(0, 0, 14, 14);
    parent.show();
    int clicks = 0;
    button.OnClick = [&](TGlyphButton *) { ++clicks; };
    EXPECT_EQ(button.InitPause(), 500);
    EXPECT_EQ(button.RepeatInterval(), 100);

    QTest::mousePress(&button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(button.RepeatTimerActive());
    EXPECT_EQ(button.RepeatTimerInterval(), 500);
    EXPECT_EQ(button.State(), TButtonState::bsDown);
    button.TimerTick();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(button.RepeatTimerInterval(), 100);
    for (int i = 0; i < 5; ++i)
        button.TimerTick();
    EXPECT_EQ(clicks, 6);
    QTest::mouseRelease(&button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(clicks, 7);
    EXPECT_FALSE(button.RepeatTimerActive());
    EXPECT_EQ(button.State(), TButtonState::bsUp);

    // Dragged off the button: no repeat, no click on the release outside.
    QTest::mousePress(&button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QMouseEvent move(QEvent::MouseMove, QPointF(40, 40), button.mapToGlobal(QPointF(40, 40)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&button, &move);
    EXPECT_EQ(button.State(), TButtonState::bsUp);
    button.TimerTick();
    QTest::mouseRelease(&button, Qt::LeftButton, Qt::NoModifier, QPoint(40, 40));
    EXPECT_EQ(clicks, 7);

    // A click that raises stops the timer.
    button.OnClick = [](TGlyphButton *) { throw EConvertError(QStringLiteral("x")); };
    QTest::mousePress(&button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_THROW(button.TimerTick(), EConvertError);
    EXPECT_FALSE(button.RepeatTimerActive());
    button.CancelMode();
}

TEST_F(CalendarTest, ButtonFacesFrameByFrame) {
    TGlyphButton button;
    EXPECT_EQ(button.size(), QSize(25, 25));
    button.resize(14, 14);
    QImage glyph(8, 6, QImage::Format_ARGB32);
    glyph.fill(Qt::black);
    button.SetGlyph(glyph);

    RecordingCanvas up;
    button.PaintFace(up);
    ASSERT_EQ(up.RecordsOf(TRecordKind::FillRect).size(), 1u);
    EXPECT_EQ(up.RecordsOf(TRecordKind::FillRect)[0].Brush.Color(), clBtnFace);
    EXPECT_EQ(LineColors(up), (std::vector<TColor>{clBtnHighlight, clBtnHighlight, clWindowFrame,
                                                   clWindowFrame, clBtnFace, clBtnFace,
                                                   clBtnShadow, clBtnShadow}));
    EXPECT_TRUE(HasLine(up, QPoint(0, 13), QPoint(0, 0), clBtnHighlight));
    EXPECT_TRUE(HasLine(up, QPoint(12, 12), QPoint(0, 12), clBtnShadow));
    ASSERT_EQ(up.RecordsOf(TRecordKind::Draw).size(), 1u);
    EXPECT_EQ(up.RecordsOf(TRecordKind::Draw)[0].Points[0], QPoint(3, 4));

    button.SetExclusive(true);
    RecordingCanvas pressed;
    button.PaintFace(pressed);
    EXPECT_EQ(LineColors(pressed),
              (std::vector<TColor>{clWindowFrame, clWindowFrame, clBtnHighlight, clBtnHighlight,
                                   clBtnShadow, clBtnShadow, clBtnFace, clBtnFace}));
    EXPECT_EQ(pressed.RecordsOf(TRecordKind::Draw)[0].Points[0], QPoint(4, 5));

    button.SetStyle(TButtonStyle::bsWin31);
    RecordingCanvas oldPressed;
    button.PaintFace(oldPressed);
    EXPECT_EQ(LineColors(oldPressed),
              (std::vector<TColor>{clWindowFrame, clWindowFrame, clWindowFrame, clWindowFrame,
                                   clBtnShadow, clBtnShadow}));
    button.SetExclusive(false);
    RecordingCanvas oldUp;
    button.PaintFace(oldUp);
    EXPECT_EQ(LineColors(oldUp),
              (std::vector<TColor>{clWindowFrame, clWindowFrame, clWindowFrame, clWindowFrame,
                                   clBtnHighlight, clBtnHighlight, clBtnShadow, clBtnShadow}));

    // Disabled: the second glyph of two, or a greyed copy of a single one.
    QImage strip(16, 6, QImage::Format_ARGB32);
    strip.fill(Qt::black);
    button.SetGlyph(strip);
    button.SetNumGlyphs(2);
    button.setEnabled(false);
    RecordingCanvas disabled;
    button.PaintFace(disabled);
    EXPECT_EQ(disabled.RecordsOf(TRecordKind::Draw)[0].ImageSize, QSize(8, 6));
    button.SetGlyph(glyph);
    button.SetNumGlyphs(1);
    RecordingCanvas grayed;
    button.PaintFace(grayed);
    EXPECT_EQ(grayed.RecordsOf(TRecordKind::Draw)[0].ImageSize, QSize(9, 7));
}

TEST_F(CalendarTest, DateDialogNavigationButtonsMatchTheDropDowns) {
    TSelectDateDlg dialog;
    QWidget owner;
    TPopupCalendar popup(&owner);
    const QRect expected[] = {{3, 3, 16, 16}, {18, 3, 16, 16}, {188, 3, 16, 16}, {203, 3, 16, 16}};
    for (int i = 0; i < 4; ++i) {
        TRepeatButton *button = dialog.NavButton(i);
        EXPECT_EQ(button->parentWidget(), dialog.TopPanel());
        EXPECT_EQ(button->geometry(), expected[i]);
        EXPECT_EQ(button->Hint(), popup.NavButton(i)->Hint());
        EXPECT_EQ(button->accessibleName(), popup.NavButton(i)->accessibleName());
        EXPECT_EQ(button->Style(), TButtonStyle::bsWin31);
        EXPECT_EQ(button->Glyph(), popup.NavButton(i)->Glyph());
    }

    // Each button steps its own calendar as the drop-down's does.
    dialog.SetDate(MakeDate(2024, 2, 29));
    const TDateTime steps[] = {MakeDate(2023, 2, 28), MakeDate(2023, 1, 28), MakeDate(2023, 2, 28),
                               MakeDate(2024, 2, 28)};
    for (int i = 0; i < 4; ++i) {
        dialog.NavButton(i)->Click();
        EXPECT_EQ(dialog.Date(), steps[i]) << "button " << i;
    }
    EXPECT_EQ(dialog.Title()->text(), QStringLiteral("février, 2024"));

    dialog.ApplySettings(TDayOfWeekName::Mon, TDaysOfWeek{TDayOfWeekName::Sun}, clRed,
                         {QStringLiteral("Avant|"), QString()});
    EXPECT_EQ(dialog.NavButton(0)->Hint(), QStringLiteral("Avant|"));
    EXPECT_EQ(dialog.NavButton(1)->Hint(), QStringLiteral("Mois prйcйdent|"));
    EXPECT_EQ(dialog.NavButton(3)->Hint(), QStringLiteral("Annйe suivante|"));
}

TEST_F(CalendarTest, DateDialogLayoutAndKeys) {
    TSelectDateDlg dialog;
    EXPECT_EQ(dialog.size(), QSize(222, 154));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Sйlectionner une date"));
    EXPECT_EQ(dialog.TopPanel()->geometry(), QRect(0, 0, 222, 22));
    EXPECT_EQ(dialog.BottomPanel()->geometry(), QRect(0, 133, 222, 21));
    EXPECT_EQ(dialog.OkButton()->geometry(), QRect(0, 0, 112, 21));
    EXPECT_EQ(dialog.CancelButton()->geometry(), QRect(111, 0, 111, 21));
    EXPECT_EQ(dialog.CancelButton()->text(), QStringLiteral("Annuler"));
    EXPECT_EQ(dialog.OkButton()->text(), QStringLiteral("OK"));
    EXPECT_EQ(dialog.Title()->geometry(), QRect(35, 4, 152, 14));
    EXPECT_EQ(dialog.NavButton(2)->geometry(), QRect(188, 3, 16, 16));
    EXPECT_EQ(dialog.Calendar()->geometry(), QRect(2, 2, 218, 107));
    EXPECT_EQ(dialog.Calendar()->ColWidth(), 30);

    dialog.SetDate(EmptyDate);
    EXPECT_EQ(dialog.Date(), MakeDate(2026, 12, 8));
    dialog.SetDate(MakeDate(2024, 2, 29));
    EXPECT_EQ(dialog.Title()->text(), QStringLiteral("février, 2024"));
    dialog.HandleFormKey(Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(dialog.Date(), MakeDate(2025, 2, 28));
    dialog.HandleFormKey(Qt::Key_Tab, Qt::NoModifier);
    EXPECT_EQ(dialog.Date(), MakeDate(2025, 3, 28));
    dialog.HandleFormKey(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(dialog.Date(), MakeDate(2025, 2, 28));
    dialog.HandleFormKey(Qt::Key_PageUp, Qt::NoModifier);
    EXPECT_EQ(dialog.Date(), MakeDate(2025, 1, 28));
}

TEST_F(CalendarTest, RunDateDialogReturnsThePickOnlyOnOk) {
    TDateTime date = MakeDate(2026, 5, 10);
    QTimer::singleShot(0, [] {
        QWidget *dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        QTest::keyClick(dialog, Qt::Key_PageDown);
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    EXPECT_TRUE(RunDateDialog(date, QStringLiteral("Date"), TDayOfWeekName::Mon,
                              TDaysOfWeek{TDayOfWeekName::Sun}, clRed, {}));
    EXPECT_EQ(date, MakeDate(2026, 6, 10));

    QTimer::singleShot(0, [] {
        QWidget *dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Autre"));
        QTest::keyClick(dialog, Qt::Key_PageDown);
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    EXPECT_FALSE(RunDateDialog(date, QStringLiteral("Autre"), TDayOfWeekName::Mon,
                               TDaysOfWeek{TDayOfWeekName::Sun}, clRed, {}));
    EXPECT_EQ(date, MakeDate(2026, 6, 10));
}

} // namespace
} // namespace pexor
