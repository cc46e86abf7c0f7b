#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// A second, plain reading of profile files, independent of the document's
// own reader, so the checks can say what a file holds.
namespace pexor::fuzz {

// One line with its end: CR LF, LF or a lone CR, or none for a last line.
std::vector<QByteArray> FileLines(const QByteArray &bytes);

// A line's text without its end: UTF-8, or Latin-1 when it is not.
QString LineText(const QByteArray &line);
// Whether the line has its end.
bool EndsLine(const QByteArray &line);

// The bytes without one leading UTF-8 byte-order mark.
QByteArray WithoutBom(const QByteArray &bytes);

// A section and a key of it.
struct ProfileName {
    QString Section;
    QString Key;
};
// The sections and keys the file seems to name, at most `max` of them, each
// also without a leading byte-order mark; lines read as UTF-8, or as Latin-1
// when they are not.
std::vector<ProfileName> NamesIn(const QByteArray &bytes, std::size_t max);

// Names as the profile service compares them: blanks around dropped, letter
// case ignored.
bool SameProfileName(const QString &a, const QString &b);
QString TrimProfileBlanks(const QString &s);

} // namespace pexor::fuzz
