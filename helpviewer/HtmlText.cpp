#include "helpviewer/HtmlText.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>

namespace pexor {

namespace {

QString DecodeWestern(const QByteArray &bytes) {
    QStringDecoder decoder("windows-1252");
    if (decoder.isValid())
        return decoder.decode(bytes);
    return QString::fromLatin1(bytes);
}

bool DeclaresCharset(const QByteArray &bytes) {
    static const QRegularExpression charset(QStringLiteral("<meta[^>]*charset\\s*="),
                                            QRegularExpression::CaseInsensitiveOption);
    return charset.match(QString::fromLatin1(bytes.left(2048))).hasMatch();
}

} // namespace

QString DecodeLegacyText(const QByteArray &bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return DecodeWestern(bytes);
}

QString DecodeHtml(const QByteArray &bytes) {
    const bool bom = bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") ||
                     bytes.startsWith("\xFE\xFF");
    if (bom || DeclaresCharset(bytes)) {
        QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
        if (decoder.isValid()) {
            QString text = decoder.decode(bytes);
            if (!decoder.hasError())
                return text;
        }
    }
    return DecodeLegacyText(bytes);
}

QString DecodeEntities(const QString &text) {
    if (!text.contains(QLatin1Char('&')))
        return text;
    static const QHash<QString, QString> named = {
        {QStringLiteral("amp"), QStringLiteral("&")},
        {QStringLiteral("lt"), QStringLiteral("<")},
        {QStringLiteral("gt"), QStringLiteral(">")},
        {QStringLiteral("quot"), QStringLiteral("\"")},
        {QStringLiteral("apos"), QStringLiteral("'")},
        {QStringLiteral("nbsp"), QString(QChar(0xA0))},
        {QStringLiteral("eacute"), QStringLiteral("é")},
        {QStringLiteral("egrave"), QStringLiteral("è")},
        {QStringLiteral("ecirc"), QStringLiteral("ê")},
        {QStringLiteral("agrave"), QStringLiteral("à")},
        {QStringLiteral("acirc"), QStringLiteral("â")},
        {QStringLiteral("ccedil"), QStringLiteral("ç")},
        {QStringLiteral("ocirc"), QStringLiteral("ô")},
        {QStringLiteral("ugrave"), QStringLiteral("ù")},
        {QStringLiteral("icirc"), QStringLiteral("î")},
        {QStringLiteral("Eacute"), QStringLiteral("É")},
        {QStringLiteral("Egrave"), QStringLiteral("È")},
        {QStringLiteral("Ecirc"), QStringLiteral("Ê")},
        {QStringLiteral("Agrave"), QStringLiteral("À")},
        {QStringLiteral("Ccedil"), QStringLiteral("Ç")},
        {QStringLiteral("euml"), QStringLiteral("ë")},
        {QStringLiteral("iuml"), QStringLiteral("ï")},
        {QStringLiteral("uuml"), QStringLiteral("ü")},
        {QStringLiteral("ucirc"), QStringLiteral("û")},
        {QStringLiteral("oelig"), QStringLiteral("œ")},
        {QStringLiteral("laquo"), QStringLiteral("«")},
        {QStringLiteral("raquo"), QStringLiteral("»")},
        {QStringLiteral("rsquo"), QStringLiteral("’")},
        {QStringLiteral("hellip"), QStringLiteral("…")},
    };
    static const QRegularExpression reference(
        QStringLiteral("&(#[0-9]+|#[xX][0-9a-fA-F]+|[A-Za-z]+);"));
    QString result;
    qsizetype last = 0;
    auto it = reference.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        const QString body = match.captured(1);
        QString replacement;
        if (body.startsWith(QLatin1Char('#'))) {
            bool ok = false;
            const bool hex =
                body.size() > 1 && (body[1] == QLatin1Char('x') || body[1] == QLatin1Char('X'));
            const uint code = hex ? body.mid(2).toUInt(&ok, 16) : body.mid(1).toUInt(&ok, 10);
            // Surrogates and out-of-range code points are not characters.
            if (ok && code > 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF)) {
                const char32_t point = code;
                replacement = QString::fromUcs4(&point, 1);
            }
        } else {
            replacement = named.value(body);
        }
        if (replacement.isEmpty())
            continue;
        result += QStringView(text).mid(last, match.capturedStart() - last);
        result += replacement;
        last = match.capturedEnd();
    }
    result += QStringView(text).mid(last);
    return result;
}

QString PageTitle(const QString &html) {
    static const QRegularExpression title(QStringLiteral("<title(?:\\s[^>]*)?>(.*?)</title\\s*>"),
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    const QRegularExpressionMatch match = title.match(html);
    if (!match.hasMatch())
        return {};
    return DecodeEntities(match.captured(1).remove(tag)).simplified();
}

} // namespace pexor
