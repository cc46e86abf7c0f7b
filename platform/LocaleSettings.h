#pragma once

#include <QChar>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace pexor {

// The user's regional settings as the date utilities, the date field, the
// calendar and the chart read them. Formats use the letters d, M, y, h/H, m, s
// as in "dd/MM/yyyy" and "HH:mm:ss".
struct LocaleSettings {
    QString ShortDateFormat;
    QString LongDateFormat;
    QChar DateSeparator;
    QChar TimeSeparator;
    QString ShortTimeFormat;
    QString LongTimeFormat;
    QString TimeAMString;
    QString TimePMString;
    QStringList ShortMonthNames; // 12, January first
    QStringList LongMonthNames;  // 12
    QStringList ShortDayNames;   // 7, Sunday first
    QStringList LongDayNames;    // 7, Sunday first
    QChar DecimalSeparator;
    QChar ThousandSeparator;
    int FirstDayOfWeek = 1; // 1 = Monday .. 7 = Sunday, as Qt::DayOfWeek
    bool EastAsian = false;

    // The settings of a locale; a C or POSIX locale gives the French ones.
    static LocaleSettings FromLocale(const QLocale &locale);
    // French (France): dd/MM/yyyy, HH:mm:ss, "janvier".., "dimanche"..
    static LocaleSettings French();
};

// The settings in force. Read from QLocale::system() on first use.
const LocaleSettings &Locale();
// Re-reads the system settings (after QEvent::LocaleChange).
void ReloadLocaleSettings();
// Puts the given settings in force (tests, or a locale change).
void SetLocaleSettings(const LocaleSettings &settings);

// How a two-digit year is widened: 60 years back from the current year.
inline constexpr std::uint8_t CenturyWindow = 60;
// Whether the short date format held "YYYY" when first read; not recomputed
// when the settings change later.
bool LocaleFourDigitYear();

} // namespace pexor
