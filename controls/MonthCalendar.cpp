#include "controls/MonthCalendar.h"

#include "controls/ControlFont.h"
#include "controls/ControlsAccessible.h"
#include "controls/Frame3D.h"
#include "platform/LocaleSettings.h"
#include "render/QtCanvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace pexor {

namespace {

constexpr TColor kFixedLineColor = clBtnShadow;
constexpr TColor kCellLineColor = clBtnFace;

} // namespace

TMonthCalendar::TMonthCalendar(QWidget *parent) : QWidget(parent), date_(Today()) {
    InstallControlsAccessibility();
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    LayoutMonth(false);
}

int TMonthCalendar::Year() const { return SplitDate(date_).Year; }
int TMonthCalendar::Month() const { return SplitDate(date_).Month; }
int TMonthCalendar::Day() const { return SplitDate(date_).Day; }

void TMonthCalendar::SetCalendarDate(TDateTime value) {
    // A value outside the calendar would leave no month to lay out.
    if (value == date_ || !IsDateValueValid(value))
        return;
    date_ = value;
    LayoutMonth(false);
    Changed();
}

void TMonthCalendar::SetParts(int year, int month, int day, bool dayOnly) {
    date_ = MakeDate(year, month, day);
    useCurrentDate_ = false;
    LayoutMonth(dayOnly);
    Changed();
}

void TMonthCalendar::SetYear(int value) {
    if (value < 1 || value > 9999 || value == Year())
        return;
    // 29 February has no counterpart in a common year.
    const int day = std::min(Day(), MonthLength(value, Month()));
    SetParts(value, Month(), day, false);
}

void TMonthCalendar::SetMonth(int value) {
    if (value < 1 || value > 12 || value == Month())
        return;
    const int day = std::min(Day(), MonthLength(Year(), value));
    SetParts(Year(), value, day, false);
}

void TMonthCalendar::SetDay(int value) {
    if (value < 1 || value > MonthLength(Year(), Month()) || value == Day())
        return;
    SetParts(Year(), Month(), value, true);
}

void TMonthCalendar::SetUseCurrentDate(bool value) {
    useCurrentDate_ = value;
    if (value)
        SetCalendarDate(Today());
}

void TMonthCalendar::SetStartOfWeek(TDayOfWeekName value) {
    if (startOfWeek_ == value)
        return;
    startOfWeek_ = value;
    LayoutMonth(false);
}

void TMonthCalendar::SetWeekends(TDaysOfWeek value) {
    if (weekends_ == value)
        return;
    weekends_ = value;
    InvalidateGrid();
}

void TMonthCalendar::SetWeekendColor(TColor value) {
    if (weekendColor_ == value)
        return;
    weekendColor_ = value;
    InvalidateGrid();
}

void TMonthCalendar::ChangeMonth(int delta) {
    const DateParts now = SplitDate(date_);
    const TDateTime from = delta > 0
                               ? MakeDate(now.Year, now.Month, MonthLength(now.Year, now.Month)) + 1
                               : MakeDate(now.Year, now.Month, 1) - 1;
    if (!IsDateValueValid(from))
        return;
    const DateParts to = SplitDate(from);
    SetCalendarDate(MakeDate(to.Year, to.Month, std::min(now.Day, MonthLength(to.Year, to.Month))));
}

void TMonthCalendar::NextMonth() { ChangeMonth(1); }
void TMonthCalendar::PrevMonth() { ChangeMonth(-1); }

void TMonthCalendar::NextYear() {
    if (Month() == 2 && Day() == 29)
        SetDay(28);
    SetYear(Year() + 1);
}

void TMonthCalendar::PrevYear() {
    if (Month() == 2 && Day() == 29)
        SetDay(28);
    SetYear(Year() - 1);
}

void TMonthCalendar::StepDate(int delta) {
    const TDateTime to = date_ + delta;
    if (IsDateValueValid(to))
        SetCalendarDate(to);
}

void TMonthCalendar::LayoutMonth(bool dayOnly) {
    updating_ = true;
    const int first = DayOfWeekOf(MakeDate(Year(), Month(), 1));
    const int a = (first - int(startOfWeek_) + 7) % 7;
    offset_ = a == 0 ? -5 : 2 - a;
    const int n = Day() - offset_;
    const int col = n % kColCount;
    const int row = n / kColCount + 1;
    if (!dayOnly) {
        InvalidateGrid();
    } else if (col != col_ || row != row_) {
        InvalidateCell(col_, row_);
        InvalidateCell(col, row);
    }
    col_ = col;
    row_ = row;
    updating_ = false;
    NotifyCalendarLayout(*this, dayOnly);
}

bool TMonthCalendar::HandleKey(int key, Qt::KeyboardModifiers modifiers) {
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    if ((modifiers & ~Qt::KeyboardModifiers(Qt::KeypadModifier)) != Qt::NoModifier)
        return false;
    if (key == Qt::Key_Left || (keypad && key == Qt::Key_Minus)) {
        if (Day() > 1)
            SetDay(Day() - 1);
        else
            StepDate(-1);
        return true;
    }
    if (key == Qt::Key_Right || (keypad && key == Qt::Key_Plus)) {
        if (Day() < MonthLength(Year(), Month()))
            SetDay(Day() + 1);
        else
            StepDate(1);
        return true;
    }
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
        const int row = row_ + (key == Qt::Key_Up ? -1 : 1);
        const int day = DayNumber(col_, row);
        if (day != 0 && CanSelect(col_, row)) {
            SelectCell(col_, row);
            SetDay(day);
        }
        return true;
    }
    return false;
}

void TMonthCalendar::HandleChar(QChar ch) {
    if (ch == u'T' || ch == u't')
        SetCalendarDate(std::trunc(Now()));
}

void TMonthCalendar::SetColor(TColor value) {
    if (color_ == value)
        return;
    color_ = value;
    InvalidateGrid();
}

void TMonthCalendar::SetFixedColor(TColor value) {
    if (fixedColor_ == value)
        return;
    fixedColor_ = value;
    InvalidateGrid();
}

void TMonthCalendar::SetGridLines(TGridLines value) {
    if (lines_ == value)
        return;
    lines_ = value;
    InvalidateGrid();
}

void TMonthCalendar::SetBordered(bool value) {
    if (bordered_ == value)
        return;
    bordered_ = value;
    InvalidateGrid();
}

TRect TMonthCalendar::ClientRect() const {
    const int border = bordered_ ? 1 : 0;
    return TRect(border, border, width() - border, height() - border);
}

int TMonthCalendar::ColWidth() const {
    const int lines = lines_.Vert ? kColCount - 1 : 0;
    return std::max(0, (ClientRect().Width() - lines) / kColCount);
}

int TMonthCalendar::RowHeight() const {
    return std::max(0, (ClientRect().Height() - (kRowCount - 1)) / kRowCount);
}

int TMonthCalendar::HorzLineAfter(int row) const {
    return (row == 0 ? lines_.FixedHorz : lines_.Horz) ? 1 : 0;
}

TRect TMonthCalendar::CellRect(int col, int row) const {
    const TRect client = ClientRect();
    const int colStep = ColWidth() + (lines_.Vert ? 1 : 0);
    int top = client.Top;
    for (int r = 0; r < row; ++r)
        top += RowHeight() + HorzLineAfter(r);
    const int left = client.Left + col * colStep;
    return TRect(left, top, left + ColWidth(), top + RowHeight());
}

bool TMonthCalendar::MouseToCell(QPoint point, int &col, int &row) const {
    for (int r = 0; r < kRowCount; ++r) {
        for (int c = 0; c < kColCount; ++c) {
            if (CellRect(c, r).Contains(point.x(), point.y())) {
                col = c;
                row = r;
                return true;
            }
        }
    }
    return false;
}

int TMonthCalendar::DayNumber(int col, int row) const {
    if (row < 1 || row >= kRowCount || col < 0 || col >= kColCount)
        return 0;
    const int n = offset_ + col + kColCount * (row - 1);
    return n >= 1 && n <= MonthLength(Year(), Month()) ? n : 0;
}

QString TMonthCalendar::CellText(int col, int row) const {
    if (row == 0) {
        const QStringList &names = Locale().ShortDayNames;
        const int weekday = (int(startOfWeek_) + col) % kColCount;
        return weekday < names.size() ? names[weekday] : QString();
    }
    const int day = DayNumber(col, row);
    return day == 0 ? QString() : QString::number(day);
}

bool TMonthCalendar::IsWeekendColumn(int col) const {
    return weekends_.Contains(TDayOfWeekName((int(startOfWeek_) + col) % kColCount));
}

bool TMonthCalendar::CanSelect(int col, int row) const {
    return (updating_ || !readOnly_) && DayNumber(col, row) != 0;
}

void TMonthCalendar::SelectCell(int col, int row) {
    if (!CanSelect(col, row) || (col == col_ && row == row_))
        return;
    InvalidateCell(col_, row_);
    InvalidateCell(col, row);
    col_ = col;
    row_ = row;
}

void TMonthCalendar::Changed() {
    if (OnChange)
        OnChange(this);
}

void TMonthCalendar::InvalidateCell(int col, int row) { update(CellRect(col, row).ToQRect()); }

void TMonthCalendar::InvalidateGrid() { update(); }

void TMonthCalendar::DrawCell(Canvas &canvas, int col, int row, const TRect &rect, bool selected) {
    TColor back = row == 0 ? fixedColor_ : color_;
    TColor text = clWindowText;
    if (selected) {
        back = clHighlight;
        text = clHighlightText;
    } else if (IsWeekendColumn(col)) {
        text = weekendColor_;
    }
    canvas.SetBrush(TBrush(back));
    canvas.FillRect(rect);

    const int vertGap = lines_.Vert ? 1 : 0;
    const bool vertLine = row == 0 ? lines_.FixedVert : lines_.Vert;
    const bool horzLine = HorzLineAfter(row) != 0;
    const int horzGap = HorzLineAfter(row);
    {
        PenScope pen(canvas);
        canvas.SetPen(TPen(row == 0 ? kFixedLineColor : kCellLineColor));
        if (horzLine) {
            canvas.MoveTo(rect.Left, rect.Bottom);
            canvas.LineTo(rect.Right + vertGap, rect.Bottom);
        }
        if (vertLine && vertGap != 0 && col < kColCount - 1) {
            canvas.MoveTo(rect.Right, rect.Top);
            canvas.LineTo(rect.Right, rect.Bottom + horzGap);
        }
    }

    const QString caption = CellText(col, row);
    if (caption.isEmpty())
        return;
    ClipScope clip(canvas);
    canvas.ClipRect(rect);
    canvas.SetTextColor(text);
    canvas.SetBackMode(TBackMode::Transparent);
    canvas.SetTextAlign(TA_CENTER | TA_TOP);
    const QSize extent = canvas.TextExtent(caption);
    canvas.TextOut((rect.Left + rect.Right) / 2, rect.Top + (rect.Height() - extent.height()) / 2,
                   caption);
}

void TMonthCalendar::PaintGrid(Canvas &canvas) {
    canvas.SetFont(CanvasFont(font(), clWindowText));
    TRect whole(0, 0, width(), height());
    canvas.SetBrush(TBrush(color_));
    canvas.FillRect(whole);
    if (bordered_)
        Frame3D(canvas, whole, clWindowFrame, clWindowFrame);
    for (int row = 0; row < kRowCount; ++row) {
        for (int col = 0; col < kColCount; ++col)
            DrawCell(canvas, col, row, CellRect(col, row), row > 0 && col == col_ && row == row_);
    }
}

void TMonthCalendar::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    QtCanvas canvas(painter);
    PaintGrid(canvas);
}

void TMonthCalendar::mousePressEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    pressed_ = true;
    int col = 0;
    int row = 0;
    if (MouseToCell(event->position().toPoint(), col, row))
        SelectCell(col, row);
}

void TMonthCalendar::mouseMoveEvent(QMouseEvent *event) {
    int col = 0;
    int row = 0;
    if (pressed_ && MouseToCell(event->position().toPoint(), col, row))
        SelectCell(col, row);
}

void TMonthCalendar::mouseReleaseEvent(QMouseEvent *event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton && pressed_) {
        pressed_ = false;
        const int day = DayNumber(col_, row_);
        if (rect().contains(pos) && day != 0)
            SetDay(day);
    }
    if (OnMouseUp)
        OnMouseUp(this, event->button(), event->modifiers(), pos);
}

void TMonthCalendar::mouseDoubleClickEvent(QMouseEvent *event) {
    mousePressEvent(event);
    if (event->button() == Qt::LeftButton && OnDblClick)
        OnDblClick(this);
}

void TMonthCalendar::keyPressEvent(QKeyEvent *event) {
    if (HandleKey(event->key(), event->modifiers()))
        return;
    const QString text = event->text();
    if (text.size() == 1 && (text[0] == u'T' || text[0] == u't')) {
        HandleChar(text[0]);
        return;
    }
    QWidget::keyPressEvent(event);
}

TLocCalendar::TLocCalendar(QWidget *parent) : TMonthCalendar(parent) {
    // Never takes the keyboard from the date field, still gets the mouse.
    setFocusPolicy(Qt::NoFocus);
    SetBordered(false);
    SetGridLines(TGridLines{false, true, false, false});
    SetCalendarDate(std::trunc(Now()));
    SetUseCurrentDate(false);
}

void TLocCalendar::DrawCell(Canvas &canvas, int col, int row, const TRect &rect, bool selected) {
    TMonthCalendar::DrawCell(canvas, col, row, rect, selected);
    const int day = DayNumber(col, row);
    if (day == 0 || MakeDate(Year(), Month(), day) != Today())
        return;
    TRect frame = rect;
    Frame3D(canvas, frame, clBtnShadow, clBtnHighlight);
}

} // namespace pexor
