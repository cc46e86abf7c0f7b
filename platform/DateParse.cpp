// Text to date: a positional match against the format first, then a free
// scan for numbers separated by the locale's date separator.
#include "platform/DateUtil.h"
#include "platform/Exceptions.h"
#include "platform/LocaleSettings.h"

#include <cmath>

namespace pexor {

namespace {

constexpr int kMaxFieldChars = 20;

// Reads the text from a position, as the free scan does.
class Scanner {
public:
    explicit Scanner(const QString &text) : text_(text) {}

    bool AtEnd() const { return pos_ >= text_.size(); }
    QChar Peek() const { return AtEnd() ? QChar() : text_[pos_]; }
    void SkipBlanks() {
        while (!AtEnd() && text_[pos_] == u' ')
            ++pos_;
    }
    void SkipToDigit() {
        while (!AtEnd() && !IsDigit(text_[pos_]))
            ++pos_;
    }
    // Digits are taken while the value so far is below 1000, so at most four.
    bool Number(int &value) {
        SkipBlanks();
        if (AtEnd() || !IsDigit(text_[pos_]))
            return false;
        value = 0;
        while (!AtEnd() && IsDigit(text_[pos_]) && value < 1000)
            value = value * 10 + (text_[pos_++].unicode() - u'0');
        return true;
    }
    bool Char(QChar c) {
        SkipBlanks();
        if (AtEnd() || text_[pos_] != c)
            return false;
        ++pos_;
        return true;
    }
    void SkipWord() {
        while (!AtEnd() && text_[pos_] != u' ')
            ++pos_;
        SkipBlanks();
    }
    bool RestStartsWith(const QString &s) const {
        return !s.isEmpty() && QStringView(text_).mid(pos_).startsWith(s, Qt::CaseInsensitive);
    }

private:
    static bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }

    const QString &text_;
    qsizetype pos_ = 0;
};

// East Asian short dates may carry a weekday name after the date; it is
// passed over up to the time or the end.
void SkipTrailingEastAsianText(Scanner &scan, const LocaleSettings &s) {
    if (!s.EastAsian || !s.ShortDateFormat.contains(QStringLiteral("ddd")))
        return;
    const QString &shortTime = s.ShortTimeFormat;
    if (!shortTime.isEmpty() && shortTime[0].isDigit()) {
        scan.SkipToDigit();
        return;
    }
    while (!scan.AtEnd() && !scan.RestStartsWith(s.TimeAMString) &&
           !scan.RestStartsWith(s.TimePMString))
        scan.SkipWord();
}

} // namespace

int WidenYear(int year) {
    // A blank field (-1) must stay invalid rather than become a year.
    if (year < 0 || year >= 100)
        return year;
    const int n = ThisYear() - int(CenturyWindow);
    int widened = year + (n / 100) * 100;
    if (CenturyWindow > 0 && widened < n)
        widened += 100;
    return widened;
}

int MonthByName(const QString &s) {
    const QStringList &names = Locale().LongMonthNames;
    for (int m = 1; m <= 12 && m <= names.size(); ++m) {
        const QString &name = names[m - 1];
        if (!name.isEmpty() && name.left(s.size()).compare(s, Qt::CaseInsensitive) == 0)
            return m;
    }
    return 0;
}

int ExtractFormatField(const QString &format, const QString &text, QChar letter, int count,
                       int blank, int defaultValue) {
    qsizetype last = format.size();
    if (text.size() < last)
        last = text.size();
    else if (text.size() > format.size())
        return defaultValue;
    const QChar upper = letter.toUpper();
    const qsizetype start = format.toUpper().indexOf(QString(count, upper));
    if (count < 1 || start < 0)
        return defaultValue;
    QString collected;
    for (qsizetype j = start;
         j < last && format[j].toUpper() == upper && collected.size() < kMaxFieldChars; ++j) {
        if (text[j] != u' ')
            collected += text[j];
    }
    if (collected.isEmpty())
        return blank;
    if (count > 1) {
        const int month = MonthByName(collected);
        return month == 0 ? -1 : month;
    }
    bool ok = false;
    const int value = collected.toInt(&ok, 10);
    return ok ? value : -1;
}

bool ScanDateFree(const QString &text, const QString &format, DateParts &parts) {
    const LocaleSettings &s = Locale();
    const TDateOrder order = DateOrderOf(format);
    Scanner scan(text);
    if (s.ShortDateFormat.startsWith(u'g', Qt::CaseInsensitive))
        scan.SkipToDigit();
    int n1 = 0;
    int n2 = 0;
    int n3 = 0;
    if (!scan.Number(n1) || !scan.Char(s.DateSeparator) || !scan.Number(n2))
        return false;
    int year = 0;
    int month = 0;
    int day = 0;
    if (scan.Char(s.DateSeparator)) {
        if (!scan.Number(n3))
            return false;
        switch (order) {
        case orderMDY:
            month = n1, day = n2, year = n3;
            break;
        case orderDMY:
            day = n1, month = n2, year = n3;
            break;
        case orderYMD:
            year = n1, month = n2, day = n3;
            break;
        }
        year = WidenYear(year);
    } else {
        year = ThisYear();
        if (order == orderDMY)
            day = n1, month = n2;
        else
            month = n1, day = n2;
    }
    scan.Char(s.DateSeparator);
    scan.SkipBlanks();
    SkipTrailingEastAsianText(scan, s);
    if (!IsDateValid(year, month, day) || !scan.AtEnd())
        return false;
    parts = {year, month, day};
    return true;
}

bool MatchDateToFormat(const QString &format, const QString &text, DateParts &parts) {
    int month = ExtractFormatField(format, text, u'm', 3, -1, 0);
    if (month == 0)
        month = ExtractFormatField(format, text, u'm', 1, -1, 0);
    const int day = ExtractFormatField(format, text, u'd', 1, -1, 1);
    const int year = WidenYear(ExtractFormatField(format, text, u'y', 1, -1, ThisYear()));
    if (IsDateValid(year, month, day)) {
        parts = {year, month, day};
        return true;
    }
    return ScanDateFree(text, format, parts);
}

bool TryParseDate(const QString &format, const QString &text, TDateTime &value) {
    if (text.isEmpty()) {
        value = EmptyDate;
        return true;
    }
    DateParts parts;
    if (!MatchDateToFormat(format, text, parts))
        return false;
    try {
        value = MakeDate(parts.Year, parts.Month, parts.Day);
    } catch (const EConvertError &) {
        return false;
    }
    return true;
}

TDateTime ParseDate(const QString &format, const QString &text) {
    TDateTime value = EmptyDate;
    if (!TryParseDate(format, text, value))
        throw BadDateError(text);
    return value;
}

EConvertError BadDateError(const QString &text) {
    return EConvertError(QStringLiteral("''%1'' n'est pas une date correcte").arg(text));
}

TDateTime ParseDateOr(const QString &format, const QString &text, TDateTime fallback) {
    TDateTime value = EmptyDate;
    return TryParseDate(format, text, value) ? value : std::trunc(fallback);
}

} // namespace pexor
