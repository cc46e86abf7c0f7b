#include "platform/LocaleSettings.h"

#include <optional>

namespace pexor {

namespace {

std::optional<LocaleSettings> &Current() {
    static std::optional<LocaleSettings> settings;
    return settings;
}

bool IsQuote(QChar c) {
    return c == u'\'' || c == u'"';
}

// Qt's date/time patterns differ from ours in three places: "AP"/"A" is the
// AM/PM string, "t" is the time zone and "z" the milliseconds, which we do
// not show.
QString FromQtFormat(const QString &qt) {
    QString out;
    for (qsizetype i = 0; i < qt.size(); ++i) {
        const QChar c = qt[i];
        if (IsQuote(c)) {
            const qsizetype close = qt.indexOf(c, i + 1);
            const qsizetype stop = close < 0 ? qt.size() - 1 : close;
            out += qt.mid(i, stop - i + 1);
            i = stop;
        } else if (c == u'A' || c == u'a') {
            if (i + 1 < qt.size() && (qt[i + 1] == u'P' || qt[i + 1] == u'p'))
                ++i;
            out += QStringLiteral("AMPM");
        } else if (c != u't' && c != u'z') {
            out += c;
        }
    }
    return out.trimmed();
}

// The first character that is neither a letter nor quoted text.
QChar SeparatorIn(const QString &format, QChar fallback) {
    bool quoted = false;
    QChar quote;
    for (const QChar c : format) {
        if (quoted) {
            quoted = c != quote;
        } else if (IsQuote(c)) {
            quoted = true;
            quote = c;
        } else if (!c.isLetter() && !c.isSpace()) {
            return c;
        }
    }
    return fallback;
}

QStringList MonthNames(const QLocale &locale, QLocale::FormatType type) {
    QStringList names;
    for (int m = 1; m <= 12; ++m)
        names << locale.monthName(m, type);
    return names;
}

QStringList DayNames(const QLocale &locale, QLocale::FormatType type) {
    QStringList names{locale.dayName(7, type)};
    for (int d = 1; d <= 6; ++d)
        names << locale.dayName(d, type);
    return names;
}

} // namespace

LocaleSettings LocaleSettings::FromLocale(const QLocale &locale) {
    if (locale.language() == QLocale::C)
        return French();
    LocaleSettings s;
    s.ShortDateFormat = FromQtFormat(locale.dateFormat(QLocale::ShortFormat));
    s.LongDateFormat = FromQtFormat(locale.dateFormat(QLocale::LongFormat));
    s.ShortTimeFormat = FromQtFormat(locale.timeFormat(QLocale::ShortFormat));
    s.LongTimeFormat = FromQtFormat(locale.timeFormat(QLocale::LongFormat));
    s.DateSeparator = SeparatorIn(s.ShortDateFormat, u'/');
    s.TimeSeparator = SeparatorIn(s.LongTimeFormat, u':');
    s.TimeAMString = locale.amText();
    s.TimePMString = locale.pmText();
    s.ShortMonthNames = MonthNames(locale, QLocale::ShortFormat);
    s.LongMonthNames = MonthNames(locale, QLocale::LongFormat);
    s.ShortDayNames = DayNames(locale, QLocale::ShortFormat);
    s.LongDayNames = DayNames(locale, QLocale::LongFormat);
    const QString decimal = locale.decimalPoint();
    const QString group = locale.groupSeparator();
    s.DecimalSeparator = decimal.isEmpty() ? QChar(u'.') : decimal[0];
    s.ThousandSeparator = group.isEmpty() ? QChar(u',') : group[0];
    s.FirstDayOfWeek = int(locale.firstDayOfWeek());
    const QLocale::Language lang = locale.language();
    s.EastAsian = lang == QLocale::Chinese || lang == QLocale::Japanese || lang == QLocale::Korean;
    return s;
}

// Fixed rather than taken from Qt's locale data, so that a machine without a
// locale shows the same texts whatever the Qt version.
LocaleSettings LocaleSettings::French() {
    LocaleSettings s;
    s.ShortDateFormat = QStringLiteral("dd/MM/yyyy");
    s.LongDateFormat = QStringLiteral("dddd d MMMM yyyy");
    s.ShortTimeFormat = QStringLiteral("HH:mm");
    s.LongTimeFormat = QStringLiteral("HH:mm:ss");
    s.DateSeparator = u'/';
    s.TimeSeparator = u':';
    s.TimeAMString = QStringLiteral("AM");
    s.TimePMString = QStringLiteral("PM");
    s.ShortMonthNames = {QStringLiteral("janv."), QStringLiteral("févr."), QStringLiteral("mars"),
                         QStringLiteral("avr."),  QStringLiteral("mai"),   QStringLiteral("juin"),
                         QStringLiteral("juil."), QStringLiteral("août"),  QStringLiteral("sept."),
                         QStringLiteral("oct."),  QStringLiteral("nov."),  QStringLiteral("déc.")};
    s.LongMonthNames = {
        QStringLiteral("janvier"), QStringLiteral("février"),  QStringLiteral("mars"),
        QStringLiteral("avril"),   QStringLiteral("mai"),      QStringLiteral("juin"),
        QStringLiteral("juillet"), QStringLiteral("août"),     QStringLiteral("septembre"),
        QStringLiteral("octobre"), QStringLiteral("novembre"), QStringLiteral("décembre")};
    s.ShortDayNames = {QStringLiteral("dim."), QStringLiteral("lun."), QStringLiteral("mar."),
                       QStringLiteral("mer."), QStringLiteral("jeu."), QStringLiteral("ven."),
                       QStringLiteral("sam.")};
    s.LongDayNames = {QStringLiteral("dimanche"), QStringLiteral("lundi"),
                      QStringLiteral("mardi"),    QStringLiteral("mercredi"),
                      QStringLiteral("jeudi"),    QStringLiteral("vendredi"),
                      QStringLiteral("samedi")};
    s.DecimalSeparator = u',';
    s.ThousandSeparator = QChar(0x00A0);
    s.FirstDayOfWeek = 1;
    s.EastAsian = false;
    return s;
}

const LocaleSettings &Locale() {
    auto &current = Current();
    if (!current)
        current = LocaleSettings::FromLocale(QLocale::system());
    return *current;
}

void ReloadLocaleSettings() {
    Current() = LocaleSettings::FromLocale(QLocale::system());
}

void SetLocaleSettings(const LocaleSettings &settings) {
    Current() = settings;
}

bool LocaleFourDigitYear() {
    static const bool fourDigits =
        Locale().ShortDateFormat.toUpper().contains(QStringLiteral("YYYY"));
    return fourDigits;
}

} // namespace pexor
