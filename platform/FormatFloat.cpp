#include "platform/FormatFloat.h"

#include <QStringList>
#include <cmath>
#include <cstdlib>
#include <string>

namespace pexor {

namespace {

bool IsQuote(QChar c) {
    return c == u'\'' || c == u'"';
}
bool IsPlaceholder(QChar c) {
    return c == u'0' || c == u'#';
}

// The pattern split at ";" outside quotes: positive;negative;zero.
QStringList Sections(const QString &pattern) {
    QStringList sections{QString()};
    QChar quote;
    for (const QChar c : pattern) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (IsQuote(c)) {
            quote = c;
        } else if (c == u';') {
            sections << QString();
            continue;
        }
        sections.back() += c;
    }
    return sections;
}

// One section read into what the number needs and the literal text around it.
struct Layout {
    QString prefix;
    QString suffix;
    int minInteger = 0;
    int minDecimals = 0;
    int maxDecimals = 0;
    bool grouping = false;
    bool percent = false;
    bool hasDigits = false;
};

Layout ReadSection(const QString &section) {
    Layout l;
    bool afterPoint = false;
    bool seenPlaceholder = false;
    int integerPlaceholders = 0;
    int firstZero = -1;
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        QString literal;
        if (IsQuote(c)) {
            const qsizetype close = section.indexOf(c, i + 1);
            const qsizetype stop = close < 0 ? section.size() : close;
            literal = section.mid(i + 1, stop - i - 1);
            i = stop;
        } else if (IsPlaceholder(c)) {
            seenPlaceholder = true;
            if (afterPoint) {
                ++l.maxDecimals;
                if (c == u'0')
                    l.minDecimals = l.maxDecimals;
            } else {
                if (c == u'0' && firstZero < 0)
                    firstZero = integerPlaceholders;
                ++integerPlaceholders;
            }
            continue;
        } else if (c == u'.' && !afterPoint) {
            afterPoint = true;
            continue;
        } else if (c == u',' && !afterPoint && i + 1 < section.size() &&
                   IsPlaceholder(section[i + 1])) {
            l.grouping = true;
            continue;
        } else {
            if (c == u'%')
                l.percent = true;
            literal = c;
        }
        (seenPlaceholder ? l.suffix : l.prefix) += literal;
    }
    l.hasDigits = seenPlaceholder;
    if (firstZero >= 0)
        l.minInteger = integerPlaceholders - firstZero;
    return l;
}

// A finite non-negative value times 10^shift as decimal digits with the
// point after `point` of them, rounded to `decimals` places, halves away from
// zero. Fifteen significant digits are taken first, so 1.0005 is the decimal
// 1.0005 and not the binary value just below it. The shift moves the point
// instead of multiplying, so a per cent of the largest double still has its
// digits.
struct Decimal {
    std::string digits;
    int point = 0;
};

Decimal ToDecimal(double value, int shift, int decimals) {
    Decimal d;
    if (value == 0.0 || !std::isfinite(value))
        return d;
    const std::string e = QString::number(value, 'e', 14).toStdString();
    const std::size_t ePos = e.find('e');
    if (ePos == std::string::npos)
        return d;
    for (std::size_t i = 0; i < ePos; ++i)
        if (e[i] >= '0' && e[i] <= '9')
            d.digits += e[i];
    d.point = std::atoi(e.c_str() + ePos + 1) + 1 + shift;
    const long keep = long(d.point) + decimals;
    if (keep < 0) {
        d.digits.clear();
        return d;
    }
    if (keep < long(d.digits.size())) {
        const bool up = d.digits[std::size_t(keep)] >= '5';
        d.digits.resize(std::size_t(keep));
        if (up) {
            long i = keep - 1;
            while (i >= 0 && d.digits[std::size_t(i)] == '9')
                d.digits[std::size_t(i--)] = '0';
            if (i >= 0) {
                ++d.digits[std::size_t(i)];
            } else {
                d.digits.insert(d.digits.begin(), '1');
                ++d.point;
            }
        }
    }
    if (d.digits.find_first_not_of('0') == std::string::npos)
        d.digits.clear();
    return d;
}

QString Group(const QString &digits, QChar separator) {
    QString out;
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += separator;
        out += digits[i];
    }
    return out;
}

QString FormatNumber(const Layout &l, double value, bool withSign, const LocaleSettings &settings) {
    const Decimal d = ToDecimal(std::fabs(value), l.percent ? 2 : 0, l.maxDecimals);
    QString integer;
    QString fraction;
    for (int i = 0; i < int(d.digits.size()); ++i) {
        if (i < d.point)
            integer += QChar(d.digits[std::size_t(i)]);
        else
            fraction += QChar(d.digits[std::size_t(i)]);
    }
    if (d.point > int(d.digits.size()) && !d.digits.empty())
        integer += QString(d.point - int(d.digits.size()), u'0');
    if (d.point < 0 && !d.digits.empty())
        fraction.prepend(QString(-d.point, u'0'));
    while (fraction.size() < l.minDecimals)
        fraction += u'0';
    while (fraction.size() > l.minDecimals && fraction.endsWith(u'0'))
        fraction.chop(1);
    while (integer.size() < l.minInteger)
        integer.prepend(u'0');

    QString number = l.grouping ? Group(integer, settings.ThousandSeparator) : integer;
    if (!fraction.isEmpty())
        number += settings.DecimalSeparator + fraction;
    const bool negative = withSign && value < 0 && !d.digits.empty();
    return (negative ? QStringLiteral("-") : QString()) + l.prefix + number + l.suffix;
}

} // namespace

QString FormatFloat(const QString &pattern, double value) {
    return FormatFloat(pattern, value, Locale());
}

QString FormatFloat(const QString &pattern, double value, const LocaleSettings &settings) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (pattern.isEmpty()) {
        QString general = QString::number(value, 'g', 15);
        general.replace(u'.', settings.DecimalSeparator);
        return general;
    }
    const QStringList sections = Sections(pattern);
    const Layout positive = ReadSection(sections[0]);
    if (value == 0.0 && sections.size() > 2 && !sections[2].isEmpty())
        return FormatNumber(ReadSection(sections[2]), 0.0, false, settings);
    if (value < 0 && sections.size() > 1 && !sections[1].isEmpty()) {
        const Layout negative = ReadSection(sections[1]);
        return FormatNumber(negative, -value, false, settings);
    }
    if (!positive.hasDigits)
        return positive.prefix;
    return FormatNumber(positive, value, true, settings);
}

} // namespace pexor
