#pragma once

#include "platform/Exceptions.h"

#include <QChar>
#include <QString>
#include <cstdint>
#include <functional>

class QDateTime;

namespace pexor {

struct LocaleSettings;

// Days since 30 December 1899 (day 0); the fraction is the time of day.
using TDateTime = double;

// The mark for "no date" (30 December 1899 can therefore never be held).
inline constexpr TDateTime EmptyDate = 0.0;

// Order of the parts in a short date format.
enum TDateOrder : std::uint8_t { orderMDY, orderDMY, orderYMD };

struct DateParts {
    int Year = 0;
    int Month = 0;
    int Day = 0;
    friend bool operator==(const DateParts &, const DateParts &) = default;
};

struct TimeParts {
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    int Millisecond = 0;
    friend bool operator==(const TimeParts &, const TimeParts &) = default;
};

// Calendar arithmetic (proleptic Gregorian). -1 marks a blank field and is
// never valid.
bool LeapYear(int year);
// Month must be 1..12.
int MonthLength(int year, int month);
bool IsDateValid(int year, int month, int day);
bool IsDateValueValid(TDateTime value);
// Throws EConvertError "Argument incorrect pour l'encodage de date".
TDateTime MakeDate(int year, int month, int day);
// Whole-day part after rounding the time to the millisecond; (0, 0, 0)
// before 1 January of year 1.
DateParts SplitDate(TDateTime value);
// Time of day of the value, rounded to the millisecond.
TimeParts SplitTime(TDateTime value);
// 1 = Sunday .. 7 = Saturday.
int DayOfWeekOf(TDateTime value);

// The clock, local time. Tests put their own in place; an empty function
// brings back the real clock.
using DateClock = std::function<TDateTime()>;
void SetClock(DateClock clock);
void ResetClock();
TDateTime Now();
TDateTime Today();
int ThisYear();

TDateTime DateOr(TDateTime value, TDateTime fallback);
// A date and time of day (local time as given) as a day count.
TDateTime DateTimeOf(const QDateTime &when);

// Locale patterns.
TDateOrder DateOrderOf(const QString &format);
// "DD/MM/YYYY" and the like, in the order of the locale's short date format.
QString FieldDateFormat(bool fourDigitYear);
// "!99/99/9999;1;" and the like, followed by the blanks character.
QString FieldDateMask(QChar blanksChar, bool fourDigitYear);

// Text to date.
// A year below 100 is put in the window of CenturyWindow years back from now.
int WidenYear(int year);
// Empty text succeeds with EmptyDate. Never throws.
bool TryParseDate(const QString &format, const QString &text, TDateTime &value);
// Positional match against the format, then the free scan.
bool MatchDateToFormat(const QString &format, const QString &text, DateParts &parts);
// The number (count 1) or month name (count > 1) under the run of `letter`
// in the format; `blank` when nothing is there.
int ExtractFormatField(const QString &format, const QString &text, QChar letter, int count,
                       int blank, int defaultValue);
// 1..12 for a prefix of a long month name, 0 for none.
int MonthByName(const QString &s);
// Two or three numbers separated by the locale's date separator.
bool ScanDateFree(const QString &text, const QString &format, DateParts &parts);
// Throws BadDateError(text).
TDateTime ParseDate(const QString &format, const QString &text);
// EConvertError "''%s'' n'est pas une date correcte" for a text.
EConvertError BadDateError(const QString &text);
// The whole-day part of fallback when the text is not a date.
TDateTime ParseDateOr(const QString &format, const QString &text, TDateTime fallback);

// Date to text.
QString FormatDate(const QString &format, TDateTime value);
// The same with the given settings in place of the ones in force.
QString FormatDate(const QString &format, TDateTime value, const LocaleSettings &settings);
// In the locale's short date format.
QString DateText(TDateTime value);
// In the locale's long time format.
QString TimeText(TDateTime value);

} // namespace pexor
