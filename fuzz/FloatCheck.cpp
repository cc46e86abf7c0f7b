// FormatFloat with any pattern and any value.
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzScope.h"
#include "fuzz/FuzzTargets.h"
#include "platform/FormatFloat.h"

#include <QRegularExpression>
#include <cmath>

namespace pexor::fuzz {

namespace {

// French separators, or the English ones.
LocaleSettings SettingsFor(std::uint8_t choice) {
    LocaleSettings s = LocaleSettings::French();
    if (choice & 1) {
        s.DecimalSeparator = u'.';
        s.ThousandSeparator = u',';
    }
    return s;
}

// Digit placeholders, grouping commas and one decimal point, nothing else:
// the text is then the number itself.
bool IsPlainNumberPattern(const QString &pattern) {
    static const QRegularExpression plain(QRegularExpression::anchoredPattern(
        QStringLiteral("(?:[#0]|,(?=[#0]))+(?:\\.[#0]*)?")));
    return plain.match(pattern).hasMatch();
}

// A plain pattern's text read back as a number is the value rounded to the
// pattern's decimals.
Finding CheckNumber(const QString &pattern, double value, const QString &text,
                    const LocaleSettings &settings) {
    if (!std::isfinite(value) || std::fabs(value) >= 1e15)
        return {};
    const qsizetype point = pattern.indexOf(u'.');
    const int decimals = point < 0 ? 0 : int(pattern.size() - point - 1);
    QString number = text;
    number.remove(settings.ThousandSeparator).replace(settings.DecimalSeparator, u'.');
    bool ok = true;
    const double read = number.isEmpty() ? 0.0 : number.toDouble(&ok);
    const double tolerance =
        0.5 * std::pow(10.0, -std::min(decimals, 300)) * (1 + 1e-9) + std::fabs(value) * 1e-14;
    if (!ok || std::fabs(read - value) > tolerance)
        return "FormatFloat(\"" + pattern.toStdString() + "\", " + std::to_string(value) +
               ") gave \"" + text.toStdString() + '"';
    return {};
}

} // namespace

Finding CheckFormatFloat(const QByteArray &input) {
    FuzzReader in(input);
    const LocaleSettings settings = SettingsFor(in.Byte());
    const ScopedLocale locale(settings);
    const double value = in.Double();
    const QString pattern = Utf8(in.Rest());

    const QString text = FormatFloat(pattern, value, settings);
    // The kept results are those a fresh formatting gives.
    if (FormatFloat(pattern, value) != text || FormatFloat(pattern, value) != text)
        return "FormatFloat gave another text the second time";
    // Every digit comes from the value or the pattern: the text stays short.
    if (text.size() > 4 * pattern.size() + 512)
        return "FormatFloat gave " + std::to_string(text.size()) + " characters for a pattern of " +
               std::to_string(pattern.size());
    if (IsPlainNumberPattern(pattern))
        return CheckNumber(pattern, value, text, settings);
    return {};
}

} // namespace pexor::fuzz
