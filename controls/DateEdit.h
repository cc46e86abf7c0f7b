#pragma once

#include "controls/ComboEdit.h"
#include "platform/DateUtil.h"
#include "controls/MonthCalendar.h"

#include <QStringList>
#include <functional>

namespace pexor {

enum class TCalendarStyle { csPopup, csDialog };
enum class TYearDigits { dyDefault, dyFour, dyTwo };

// The date field: the text is a date in the field's format (for example
// DD/MM/YYYY), typed through the mask or picked in the drop-down calendar
// (or the date dialog). OnChange fires on every change of the text, except
// while the calendar is open and while the exit check rewrites the text.
class TCustomDateEdit : public TCustomComboEdit {
public:
    explicit TCustomDateEdit(QWidget *parent = nullptr);

    // Reading never fails: text that is not a date gives today with
    // DefaultToday, else EmptyDate.
    TDateTime Date() const;
    void SetDate(TDateTime value);

    QChar BlanksChar() const { return blanksChar_; }
    void SetBlanksChar(QChar value);
    const QString &DialogTitle() const { return dialogTitle_; }
    void SetDialogTitle(const QString &value) { dialogTitle_ = value; }
    TColor PopupColor() const { return popupColor_; }
    void SetPopupColor(TColor value);
    TDayOfWeekName StartOfWeek() const { return startOfWeek_; }
    void SetStartOfWeek(TDayOfWeekName value);
    TDaysOfWeek Weekends() const { return weekends_; }
    void SetWeekends(TDaysOfWeek value);
    TColor WeekendColor() const { return weekendColor_; }
    void SetWeekendColor(TColor value);
    TYearDigits YearDigits() const { return yearDigits_; }
    void SetYearDigits(TYearDigits value);
    // At most four: previous year, previous month, next month, next year.
    const QStringList &CalendarHints() const { return calendarHints_; }
    void SetCalendarHints(const QStringList &value);
    bool DefaultToday() const { return defaultToday_; }
    void SetDefaultToday(bool value) { defaultToday_ = value; }
    bool CheckOnExit() const { return checkOnExit_; }
    void SetCheckOnExit(bool value) { checkOnExit_ = value; }
    TCalendarStyle CalendarStyle() const { return calendarStyle_; }
    void SetCalendarStyle(TCalendarStyle value);

    // The format the field shows and reads, and its mask as the field
    // states it ("!99/99/9999;1; ").
    const QString &DateFormat() const { return format_; }
    const QString &EditMask() const { return editMask_; }
    // Whether every position is filled and the text is a valid date.
    bool HasCompleteDate() const;
    // The date the text spells out in full; a blank, half-typed or
    // impossible text raises the date utilities' EConvertError naming it.
    TDateTime CompleteDate() const;

    // Raises EConvertError for text that is neither blank nor a date, after
    // putting the focus back into the field.
    void CheckDateText();
    void ApplyDateValue(TDateTime value);
    void RefreshFormat();

    std::function<void(TCustomDateEdit *, TDateTime &, bool &)> OnAcceptDate;

protected:
    void WriteDate(TDateTime value);
    bool FourDigitYear() const;
    void ApplyCalendarSettings();

    QImage GetDefaultGlyph() const override;
    bool AcceptPick(QVariant &value) override;
    void ApplyPickedValue(const QVariant &value) override;
    void SetCalendarValue(const QVariant &value) override;
    void Change() override;
    void AfterButtonActivate() override;
    void WindowCreated() override;
    void SettingsChanged() override;
    bool HandleKeyDown(QKeyEvent *event) override;
    bool HandleKeyChar(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void CreatePopup();
    TDateTime VariantToDate(const QVariant &value) const;

    QChar blanksChar_ = u' ';
    QString dialogTitle_;
    TColor popupColor_ = clBtnFace;
    TDayOfWeekName startOfWeek_ = TDayOfWeekName::Mon;
    TDaysOfWeek weekends_{TDayOfWeekName::Sun};
    TColor weekendColor_ = clRed;
    TYearDigits yearDigits_ = TYearDigits::dyDefault;
    QStringList calendarHints_;
    bool defaultToday_ = false;
    bool checkOnExit_ = false;
    TCalendarStyle calendarStyle_ = TCalendarStyle::csPopup;
    QString format_;
    QString editMask_;
    bool formatting_ = false;
};

// The published date field; its format is refreshed once after construction.
class TDateEdit : public TCustomDateEdit {
public:
    explicit TDateEdit(QWidget *parent = nullptr);
};

// The Qt input mask for a mask in the field's own language: a 9 takes one
// digit or stays blank, / is the locale's date separator, ! and the
// keep-literals field are dropped, the last field is the blanks character.
QString ToQtInputMask(const QString &mask, QChar dateSeparator);

} // namespace pexor
