#pragma once

#include <QByteArray>
#include <QString>

namespace pexor {

// Text stored without a declared encoding: UTF-8 when it is valid UTF-8,
// otherwise the Western 8-bit code page help files were written in.
QString DecodeLegacyText(const QByteArray &bytes);

// An HTML file's text: the charset its byte-order mark or meta tag declares,
// else as DecodeLegacyText.
QString DecodeHtml(const QByteArray &bytes);

// Character references of an attribute value replaced by their characters
// (numeric ones and the usual named ones); unknown ones are kept as written.
QString DecodeEntities(const QString &text);

// A page's title: the text of its <title> element, entities decoded and
// blanks run together; empty when it has none.
QString PageTitle(const QString &html);

} // namespace pexor
