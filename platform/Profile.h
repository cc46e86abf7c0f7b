#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace pexor {

// Longest value a read returns (a buffer of 2048 characters with its end).
inline constexpr int kProfileValueMax = 2047;

// A profile (INI) file held in memory. Sections and keys are matched without
// regard to letter case. CR LF, LF and a lone CR each end a line; lines that
// are not touched keep their bytes and line ends, and keep their meaning. Read
// as UTF-8 (a byte-order mark skipped), a line that is not valid UTF-8 as
// Windows-1252; written lines are UTF-8 ending in CR LF. Any bytes load.
class ProfileDocument {
public:
    ProfileDocument() = default;
    static ProfileDocument FromBytes(const QByteArray &bytes);

    // A missing file gives an empty document and true; a file that exists but
    // cannot be read gives an empty document and false.
    bool Load(const QString &path);

    // The value with blanks around it and one pair of matching quotes dropped,
    // cut to kProfileValueMax characters; the default when absent.
    QString ReadString(const QString &section, const QString &key,
                       const QString &defaultValue = QString()) const;
    bool HasSection(const QString &section) const;

    // Replaces the key's line, or adds it at the end of its section, or adds
    // the section at the end. False, and nothing changed, for a name or value
    // the file cannot hold (line breaks, "=" or "[" in a key, "]" in a
    // section). A value that would lose blanks or quotes on reading is
    // written between double quotes so that it reads back the same.
    bool WriteString(const QString &section, const QString &key, const QString &value);
    // Removes every section of that name with all its lines.
    bool EraseSection(const QString &section);

    QByteArray ToBytes() const;

    // Replaces the file in one step (ReplaceFile): on failure the old file is
    // left exactly as it was. A file whose write permission bits are all
    // cleared is refused, whoever the user is.
    bool Save(const QString &path) const;

private:
    struct Line {
        QByteArray raw; // as found, without its line end
        QByteArray end; // "\r\n", "\n", "\r", or empty for an unterminated last line
        QString text;
    };
    struct Range {
        int header; // index of the section's header line
        int end;    // one past its last line
    };

    std::vector<Range> SectionsNamed(const QString &section) const;
    static Line MakeLine(const QString &text);

    std::vector<Line> lines_;
};

// The per-call profile service: every call opens the file anew. Writes and
// erases go through ProfileDocument::Save, so they are atomic, and report
// success or failure; an erase or write that changes nothing leaves the file
// alone and succeeds.
namespace Profile {
QString ReadString(const QString &path, const QString &section, const QString &key,
                   const QString &defaultValue = QString());
bool WriteString(const QString &path, const QString &section, const QString &key,
                 const QString &value);
bool EraseSection(const QString &path, const QString &section);
} // namespace Profile

} // namespace pexor
