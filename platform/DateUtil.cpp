#include "platform/DateUtil.h"

#include "platform/Exceptions.h"
#include "platform/LocaleSettings.h"

#include <QDateTime>
#include <array>
#include <cmath>
#include <cstdint>

namespace pexor {

namespace {

constexpr std::array<int, 12> kMonthDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr long long kMsPerDay = 86400000;
// Day number of 1 January of year 1 is -693593.
constexpr long long kDaysToYear1 = 693593;
// Far beyond year 9999 and still exact in milliseconds.
constexpr double kMaxDays = 1.0e9;
// Julian day of 30 December 1899.
constexpr qint64 kJulianDayZero = 2415019;

DateClock &ClockSlot() {
    static DateClock clock;
    return clock;
}

TDateTime SystemNow() {
    return DateTimeOf(QDateTime::currentDateTime());
}

// The value in whole milliseconds, or nothing outside the calendar's reach.
bool ToMilliseconds(TDateTime value, long long &ms) {
    if (!std::isfinite(value) || std::fabs(value) > kMaxDays)
        return false;
    ms = std::llround(value * double(kMsPerDay));
    return true;
}

int DayOfYear(int year, int month, int day) {
    int n = day;
    for (int m = 1; m < month; ++m)
        n += MonthLength(year, m);
    return n;
}

} // namespace

bool LeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int MonthLength(int year, int month) {
    return kMonthDays[std::size_t(month - 1)] + (month == 2 && LeapYear(year) ? 1 : 0);
}

bool IsDateValid(int year, int month, int day) {
    // Whole-int ranges: a blank field (-1) fails as it would as 65535, and a
    // part past 65535 cannot wrap into a valid one.
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= MonthLength(year, month);
}

bool IsDateValueValid(TDateTime value) {
    const DateParts p = SplitDate(value);
    return IsDateValid(p.Year, p.Month, p.Day);
}

TDateTime MakeDate(int year, int month, int day) {
    if (!IsDateValid(year, month, day))
        throw EConvertError(QStringLiteral("Argument incorrect pour l'encodage de date"));
    const long long y = year - 1;
    return double(y * 365 + y / 4 - y / 100 + y / 400 + DayOfYear(year, month, day) -
                  (kDaysToYear1 + 1));
}

DateParts SplitDate(TDateTime value) {
    long long ms = 0;
    if (!ToMilliseconds(value, ms))
        return {};
    const long long dayNumber = ms / kMsPerDay; // the time is the fraction's magnitude
    if (dayNumber <= -(kDaysToYear1 + 1))
        return {};
    long long n = dayNumber + kDaysToYear1;
    int year = 1;
    year += int(n / 146097) * 400;
    n %= 146097;
    long long centuries = n / 36524;
    if (centuries == 4)
        centuries = 3;
    n -= centuries * 36524;
    year += int(centuries) * 100;
    year += int(n / 1461) * 4;
    n %= 1461;
    long long years = n / 365;
    if (years == 4)
        years = 3;
    n -= years * 365;
    year += int(years);
    int month = 1;
    while (n >= MonthLength(year, month)) {
        n -= MonthLength(year, month);
        ++month;
    }
    return {year, month, int(n) + 1};
}

TimeParts SplitTime(TDateTime value) {
    long long ms = 0;
    if (!ToMilliseconds(value, ms))
        return {};
    long long t = ms % kMsPerDay;
    if (t < 0)
        t = -t;
    return {int(t / 3600000), int(t / 60000 % 60), int(t / 1000 % 60), int(t % 1000)};
}

int DayOfWeekOf(TDateTime value) {
    long long ms = 0;
    if (!ToMilliseconds(value, ms))
        return 0;
    const long long day = ms / kMsPerDay;
    return int((day % 7 + 13) % 7) + 1;
}

void SetClock(DateClock clock) {
    ClockSlot() = std::move(clock);
}

void ResetClock() {
    ClockSlot() = nullptr;
}

TDateTime Now() {
    const DateClock &clock = ClockSlot();
    return clock ? clock() : SystemNow();
}

TDateTime Today() {
    const DateParts p = SplitDate(Now());
    return IsDateValid(p.Year, p.Month, p.Day) ? MakeDate(p.Year, p.Month, p.Day)
                                               : std::trunc(Now());
}

int ThisYear() {
    return SplitDate(Now()).Year;
}

TDateTime DateOr(TDateTime value, TDateTime fallback) {
    return value == EmptyDate ? fallback : value;
}

TDateTime DateTimeOf(const QDateTime &when) {
    return double(when.date().toJulianDay() - kJulianDayZero) +
           double(when.time().msecsSinceStartOfDay()) / double(kMsPerDay);
}

TDateOrder DateOrderOf(const QString &format) {
    for (const QChar c : format) {
        switch (c.toUpper().unicode()) {
        case u'D':
            return orderDMY;
        case u'E':
        case u'Y':
            return orderYMD;
        case u'M':
            return orderMDY;
        default:
            break;
        }
    }
    return orderDMY;
}

QString FieldDateFormat(bool fourDigitYear) {
    switch (DateOrderOf(Locale().ShortDateFormat)) {
    case orderMDY:
        return fourDigitYear ? QStringLiteral("MM/DD/YYYY") : QStringLiteral("MM/DD/YY");
    case orderYMD:
        return fourDigitYear ? QStringLiteral("YYYY/MM/DD") : QStringLiteral("YY/MM/DD");
    case orderDMY:
        break;
    }
    return fourDigitYear ? QStringLiteral("DD/MM/YYYY") : QStringLiteral("DD/MM/YY");
}

QString FieldDateMask(QChar blanksChar, bool fourDigitYear) {
    QString mask;
    if (!fourDigitYear)
        mask = QStringLiteral("!99/99/99;1;");
    else if (DateOrderOf(Locale().ShortDateFormat) == orderYMD)
        mask = QStringLiteral("!9999/99/99;1;");
    else
        mask = QStringLiteral("!99/99/9999;1;");
    return mask + blanksChar;
}

} // namespace pexor
