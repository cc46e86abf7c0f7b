// ParseInteger with any text.
#include "app/ParseInteger.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzTargets.h"
#include "platform/Exceptions.h"

#include <optional>

namespace pexor::fuzz {

namespace {

std::optional<int> TryParse(const QString &text) {
    int value = 0;
    if (!TryParseInteger(text, value))
        return std::nullopt;
    return value;
}

std::string Show(const QString &s) {
    return '"' + s.toStdString() + '"';
}

} // namespace

Finding CheckParseInteger(const QByteArray &input) {
    FuzzReader in(input);
    const bool wide = in.Byte() & 1;
    const QByteArray bytes = in.Rest();
    const QString text = wide ? Utf16(bytes) : Utf8(bytes);

    const std::optional<int> value = TryParse(text);
    try {
        const int strict = ParseInteger(text);
        if (!value || strict != *value)
            return "ParseInteger and TryParseInteger disagree on " + Show(text);
    } catch (const EConvertError &e) {
        if (value)
            return "ParseInteger refused " + Show(text) + ", which TryParseInteger took";
        if (!e.Message().startsWith(u'\'' + text + u'\''))
            return "the error on " + Show(text) + " does not name it";
    }
    // Leading spaces never change the outcome.
    if (TryParse(QStringLiteral("  ") + text) != value)
        return "leading spaces changed what " + Show(text) + " reads as";
    if (!value)
        return {};
    if (TryParse(QString::number(*value)) != value)
        return Show(text) + " read as " + std::to_string(*value) + ", which does not read back";
    // A minus put ahead of an unsigned text negates it.
    qsizetype start = 0;
    while (start < text.size() && text[start] == u' ')
        ++start;
    const QString body = text.mid(start);
    if (!body.startsWith(u'+') && !body.startsWith(u'-') &&
        TryParse(u'-' + body) != -static_cast<long long>(*value))
        return "a minus ahead of " + Show(text) + " does not negate it";
    return {};
}

} // namespace pexor::fuzz
