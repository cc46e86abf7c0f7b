#include "app/InrNumber.h"

#include <QRegularExpression>
#include <cmath>

namespace pexor {

std::optional<double> ParseInrNumber(const QString &text) {
    static const QRegularExpression kNumber(QStringLiteral("^(\\d+([.,]\\d*)?|[.,]\\d+)$"));
    QString plain = text.trimmed();
    if (!kNumber.match(plain).hasMatch())
        return std::nullopt;
    plain.replace(u',', u'.');
    bool ok = false;
    const double value = plain.toDouble(&ok);
    // A run of hundreds of digits overflows: not an INR either.
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString InrNumberText(double value) {
    QString text = QString::number(value, 'f', 2);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    text.replace(u'.', u',');
    return text;
}

} // namespace pexor
