#pragma once

#include "platform/DateUtil.h"
#include "render/Canvas.h"

#include <QPoint>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <initializer_list>

namespace pexor {

enum class TDayOfWeekName { Sun, Mon, Tue, Wed, Thu, Fri, Sat };

// A set of weekdays, bit 0 for Sunday.
class TDaysOfWeek {
public:
    constexpr TDaysOfWeek() = default;
    constexpr TDaysOfWeek(std::initializer_list<TDayOfWeekName> days) {
        for (TDayOfWeekName d : days)
            bits_ |= Bit(d);
    }
    constexpr bool Contains(TDayOfWeekName day) const { return (bits_ & Bit(day)) != 0; }
    constexpr void Include(TDayOfWeekName day) { bits_ |= Bit(day); }
    constexpr void Exclude(TDayOfWeekName day) { bits_ &= std::uint8_t(~Bit(day)); }
    constexpr std::uint8_t Bits() const { return bits_; }
    constexpr bool operator==(const TDaysOfWeek &) const = default;

private:
    static constexpr std::uint8_t Bit(TDayOfWeekName d) { return std::uint8_t(1u << int(d)); }
    std::uint8_t bits_ = 0;
};

// Which grid lines a calendar draws (each takes one pixel).
struct TGridLines {
    bool FixedVert = true;
    bool FixedHorz = true;
    bool Vert = true;
    bool Horz = true;
    bool operator==(const TGridLines &) const = default;
};

// A month as a 7 x 7 grid: the day names in row 0, the days below, the
// selected cell on the current day.
class TMonthCalendar : public QWidget {
public:
    static constexpr int kColCount = 7;
    static constexpr int kRowCount = 7;

    explicit TMonthCalendar(QWidget *parent = nullptr);

    TDateTime CalendarDate() const { return date_; }
    void SetCalendarDate(TDateTime value);
    int Year() const;
    int Month() const;
    int Day() const;
    // Values below 1, out of range or equal to the current one are ignored.
    void SetYear(int value);
    void SetMonth(int value);
    void SetDay(int value);
    bool UseCurrentDate() const { return useCurrentDate_; }
    void SetUseCurrentDate(bool value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }

    TDayOfWeekName StartOfWeek() const { return startOfWeek_; }
    void SetStartOfWeek(TDayOfWeekName value);
    TDaysOfWeek Weekends() const { return weekends_; }
    void SetWeekends(TDaysOfWeek value);
    TColor WeekendColor() const { return weekendColor_; }
    void SetWeekendColor(TColor value);

    void NextMonth();
    void PrevMonth();
    void NextYear();
    void PrevYear();

    // Day n is shown in column c of row r >= 1 when n = offset + c + 7 (r - 1).
    int MonthOffset() const { return offset_; }
    virtual void LayoutMonth(bool dayOnly);

    // The grid's keys (without Shift, Ctrl or Alt) and characters.
    // Whether the key was the grid's.
    bool HandleKey(int key, Qt::KeyboardModifiers modifiers);
    void HandleChar(QChar ch);

    // Grid geometry and contents.
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TColor FixedColor() const { return fixedColor_; }
    void SetFixedColor(TColor value);
    TGridLines GridLines() const { return lines_; }
    void SetGridLines(TGridLines value);
    // A thin black border around the grid.
    bool Bordered() const { return bordered_; }
    void SetBordered(bool value);
    TRect ClientRect() const;
    int ColWidth() const;
    int RowHeight() const;
    TRect CellRect(int col, int row) const;
    bool MouseToCell(QPoint point, int &col, int &row) const;
    int Col() const { return col_; }
    int Row() const { return row_; }
    // The day a cell shows, 0 for none (the day-name row, empty cells).
    int DayNumber(int col, int row) const;
    QString CellText(int col, int row) const;
    bool IsWeekendColumn(int col) const;
    void PaintGrid(Canvas &canvas);

    std::function<void(TMonthCalendar *)> OnChange;
    std::function<void(TMonthCalendar *, Qt::MouseButton, Qt::KeyboardModifiers, QPoint)>
        OnMouseUp;
    std::function<void(TMonthCalendar *)> OnDblClick;

protected:
    virtual void DrawCell(Canvas &canvas, int col, int row, const TRect &rect, bool selected);
    virtual void InvalidateCell(int col, int row);
    virtual void InvalidateGrid();
    bool Updating() const { return updating_; }

    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool CanSelect(int col, int row) const;
    void SelectCell(int col, int row);
    void SetParts(int year, int month, int day, bool dayOnly);
    void ChangeMonth(int delta);
    void StepDate(int delta);
    void Changed();
    int HorzLineAfter(int row) const;

    TDateTime date_;
    bool useCurrentDate_ = true;
    bool readOnly_ = false;
    TDayOfWeekName startOfWeek_ = TDayOfWeekName::Mon;
    TDaysOfWeek weekends_{TDayOfWeekName::Sun};
    TColor weekendColor_ = clRed;
    TColor color_ = clWindow;
    TColor fixedColor_ = clBtnFace;
    TGridLines lines_;
    bool bordered_ = true;
    int offset_ = 0;
    int col_ = 0;
    int row_ = 1;
    bool updating_ = false;
    bool pressed_ = false;
};

// The grid of the drop-down: no border, only the line under the day names,
// never takes the keyboard focus, frames today's cell.
class TLocCalendar : public TMonthCalendar {
public:
    explicit TLocCalendar(QWidget *parent = nullptr);

protected:
    void DrawCell(Canvas &canvas, int col, int row, const TRect &rect, bool selected) override;
};

} // namespace pexor
