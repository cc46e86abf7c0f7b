// The date parser and FormatDate, with any text, any format and any value.
#include "platform/DateUtil.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzScope.h"
#include "fuzz/FuzzTargets.h"
#include "platform/Exceptions.h"

#include <array>
#include <cmath>

namespace pexor::fuzz {

namespace {

constexpr qsizetype kMaxFormatted = 256;
// Any value that is no date the fallback could be confused with.
constexpr TDateTime kFallback = 12345.0;

// The French settings with the order of the parts and the date separator
// the input picks.
LocaleSettings SettingsFor(std::uint8_t choice) {
    static const std::array<const char *, 3> formats{"dd/MM/yyyy", "M/d/yy", "yyyy/MM/dd"};
    static const std::array<char16_t, 5> separators{u'/', u'-', u'.', u' ', u':'};
    LocaleSettings s = LocaleSettings::French();
    s.DateSeparator = QChar(separators[(choice / formats.size()) % separators.size()]);
    s.ShortDateFormat =
        QString::fromLatin1(formats[choice % formats.size()]).replace(u'/', s.DateSeparator);
    return s;
}

std::string Show(const QString &s) {
    return '"' + s.toStdString() + '"';
}

Finding CheckFormatted(const QString &format, TDateTime value) {
    const QString text = FormatDate(format, value);
    if (text.size() > kMaxFormatted)
        return "FormatDate(" + Show(format) + ") gave " + std::to_string(text.size()) +
               " characters";
    DateText(value);
    TimeText(value);
    return {};
}

// A date the parser accepted is a whole, valid day, and its text in the
// date field's own format reads back as the same day.
Finding CheckParsed(const QString &text, TDateTime value) {
    if (text.isEmpty())
        return value == EmptyDate ? Finding() : "an empty text did not give EmptyDate";
    if (value != std::floor(value) || !IsDateValueValid(value))
        return Show(text) + " gave " + std::to_string(value) + ", no valid day";
    if (SplitDate(value).Year < 100)
        return {}; // its text would be widened into this century
    const QString field = FieldDateFormat(true);
    const QString shown = FormatDate(field, value);
    TDateTime back = EmptyDate;
    if (!TryParseDate(field, shown, back) || back != value)
        return Show(text) + " shown as " + Show(shown) + " does not read back";
    return {};
}

} // namespace

Finding CheckDates(const QByteArray &input) {
    FuzzReader in(input);
    const ScopedLocale locale(SettingsFor(in.Byte()));
    const ScopedClock clock(MakeDate(2026, 12, 7) + 0.5);
    const QString format = Utf8(in.Field());
    const QString text = Utf8(in.Field());
    const TDateTime value = in.Double();

    TDateTime parsed = EmptyDate;
    const bool ok = TryParseDate(format, text, parsed);
    if (ok) {
        if (Finding f = CheckParsed(text, parsed); !f.empty())
            return f;
        if (Finding f = CheckFormatted(format, parsed); !f.empty())
            return f;
    }
    try {
        const TDateTime strict = ParseDate(format, text);
        if (!ok || strict != parsed)
            return "ParseDate and TryParseDate disagree on " + Show(text);
    } catch (const EConvertError &) {
        if (ok)
            return "ParseDate refused " + Show(text) + ", which TryParseDate took";
    }
    if (ParseDateOr(format, text, kFallback + 0.25) != (ok ? parsed : kFallback))
        return "ParseDateOr and TryParseDate disagree on " + Show(text);
    return CheckFormatted(format, value);
}

} // namespace pexor::fuzz
