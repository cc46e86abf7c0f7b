// Date to text by format tokens (D, M, Y, H, N, S, T, C, AM/PM ...).
#include "platform/DateUtil.h"
#include "platform/LocaleSettings.h"

namespace pexor {

namespace {

constexpr qsizetype kMaxResult = 256;
// Locale formats reached through D, T and C are expanded this deep at most.
constexpr int kMaxNesting = 2;

bool IsQuote(QChar c) {
    return c == u'\'' || c == u'"';
}

bool StartsWithNoCase(const QString &s, qsizetype at, QLatin1StringView what) {
    return QStringView(s).mid(at).startsWith(what, Qt::CaseInsensitive);
}

class DateFormatter {
public:
    DateFormatter(TDateTime value, const LocaleSettings &settings)
        : value_(value), date_(SplitDate(value)), time_(SplitTime(value)), settings_(settings) {}

    QString Result() const { return out_; }

    void Format(const QString &format, int level) {
        QChar lastToken;
        qsizetype i = 0;
        while (i < format.size() && out_.size() < kMaxResult) {
            const QChar c = format[i];
            const QChar token = c.toUpper();
            if (IsQuote(c)) {
                const qsizetype close = format.indexOf(c, i + 1);
                const qsizetype stop = close < 0 ? format.size() : close;
                Append(format.mid(i + 1, stop - i - 1));
                i = stop + 1;
                continue;
            }
            if (!token.isLetter() || token.unicode() > 'Z') {
                if (c == u'/')
                    Append(settings_.DateSeparator);
                else if (c == u':')
                    Append(settings_.TimeSeparator);
                else
                    Append(c);
                ++i;
                continue;
            }
            if (token == u'A') {
                i += AmPm(format, i);
                lastToken = token;
                continue;
            }
            qsizetype count = 1;
            while (i + count < format.size() && format[i + count].toUpper() == token)
                ++count;
            const QChar effective = (token == u'M' && lastToken == u'H') ? QChar(u'N') : token;
            Token(effective, int(count), format, i + count, level);
            lastToken = effective;
            i += count;
        }
    }

private:
    void Append(const QString &s) { out_ += s.left(kMaxResult - out_.size()); }
    void Append(QChar c) {
        if (out_.size() < kMaxResult)
            out_ += c;
    }
    void Number(int n, int width) { Append(QString::number(n).rightJustified(width, u'0')); }
    void Expand(const QString &format, int level) {
        if (level < kMaxNesting)
            Format(format, level + 1);
    }
    static QString Name(const QStringList &names, int index) {
        return index >= 0 && index < names.size() ? names[index] : QString();
    }

    void Token(QChar token, int count, const QString &format, qsizetype next, int level) {
        switch (token.unicode()) {
        case u'Y':
            Number(count <= 2 ? date_.Year % 100 : date_.Year, count <= 2 ? 2 : 4);
            break;
        case u'M':
            if (count <= 2)
                Number(date_.Month, count);
            else
                Append(Name(count == 3 ? settings_.ShortMonthNames : settings_.LongMonthNames,
                            date_.Month - 1));
            break;
        case u'D':
            if (count <= 2)
                Number(date_.Day, count);
            else if (count <= 4)
                Append(Name(count == 3 ? settings_.ShortDayNames : settings_.LongDayNames,
                            DayOfWeekOf(value_) - 1));
            else
                Expand(count == 5 ? settings_.ShortDateFormat : settings_.LongDateFormat, level);
            break;
        case u'H': {
            int hour = time_.Hour;
            if (TwelveHourClockFrom(format, next)) {
                hour %= 12;
                if (hour == 0)
                    hour = 12;
            }
            Number(hour, count >= 2 ? 2 : 1);
            break;
        }
        case u'N':
            Number(time_.Minute, count >= 2 ? 2 : 1);
            break;
        case u'S':
            Number(time_.Second, count >= 2 ? 2 : 1);
            break;
        case u'T':
            Expand(count == 1 ? settings_.ShortTimeFormat : settings_.LongTimeFormat, level);
            break;
        case u'C':
            if (level < kMaxNesting) {
                Expand(settings_.ShortDateFormat, level);
                if (time_.Hour != 0 || time_.Minute != 0 || time_.Second != 0) {
                    Append(u' ');
                    Expand(settings_.LongTimeFormat, level);
                }
            }
            break;
        default:
            Append(format.mid(next - count, count));
            break;
        }
    }

    // The token at `at` starting with A; returns the characters it takes.
    qsizetype AmPm(const QString &format, qsizetype at) {
        const bool pm = time_.Hour >= 12;
        if (StartsWithNoCase(format, at, QLatin1StringView("AM/PM"))) {
            Append(format.mid(pm ? at + 3 : at, 2));
            return 5;
        }
        if (StartsWithNoCase(format, at, QLatin1StringView("A/P"))) {
            Append(format[pm ? at + 2 : at]);
            return 3;
        }
        if (StartsWithNoCase(format, at, QLatin1StringView("AMPM"))) {
            Append(pm ? settings_.TimePMString : settings_.TimeAMString);
            return 4;
        }
        if (StartsWithNoCase(format, at, QLatin1StringView("AAAA"))) {
            Append(Name(settings_.LongDayNames, DayOfWeekOf(value_) - 1));
            return 4;
        }
        if (StartsWithNoCase(format, at, QLatin1StringView("AAA"))) {
            Append(Name(settings_.ShortDayNames, DayOfWeekOf(value_) - 1));
            return 3;
        }
        Append(format[at]);
        return 1;
    }

    // An AM/PM token later in the format, before the next H and outside
    // quotes, makes the hour a 12-hour one.
    static bool TwelveHourClockFrom(const QString &format, qsizetype from) {
        for (qsizetype i = from; i < format.size(); ++i) {
            const QChar c = format[i];
            if (IsQuote(c)) {
                const qsizetype close = format.indexOf(c, i + 1);
                if (close < 0)
                    return false;
                i = close;
            } else if (c == u'H' || c == u'h') {
                return false;
            } else if (StartsWithNoCase(format, i, QLatin1StringView("AM/PM")) ||
                       StartsWithNoCase(format, i, QLatin1StringView("A/P")) ||
                       StartsWithNoCase(format, i, QLatin1StringView("AMPM"))) {
                return true;
            }
        }
        return false;
    }

    TDateTime value_;
    DateParts date_;
    TimeParts time_;
    const LocaleSettings &settings_;
    QString out_;
};

} // namespace

QString FormatDate(const QString &format, TDateTime value) {
    return FormatDate(format, value, Locale());
}

QString FormatDate(const QString &format, TDateTime value, const LocaleSettings &settings) {
    DateFormatter formatter(value, settings);
    formatter.Format(format, 0);
    return formatter.Result();
}

QString DateText(TDateTime value) {
    return FormatDate(Locale().ShortDateFormat, value);
}

QString TimeText(TDateTime value) {
    return FormatDate(Locale().LongTimeFormat, value);
}

} // namespace pexor
