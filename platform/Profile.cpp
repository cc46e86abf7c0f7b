#include "platform/Profile.h"

#include "platform/ReplaceFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <array>

namespace pexor {

namespace {

const QByteArray kCrLf("\r\n");
const QByteArray kUtf8Bom("\xEF\xBB\xBF");

// Code points of bytes 0x80..0x9F in Windows-1252; the five bytes it leaves
// undefined map to the control character of the same number. The rest of
// the code page is Latin-1.
constexpr std::array<char16_t, 32> kCp1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString FromWindows1252(const QByteArray &bytes) {
    QString s;
    s.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        s += (b >= 0x80 && b < 0xA0) ? QChar(kCp1252High[b - 0x80]) : QChar(b);
    }
    return s;
}

// Line by line, so that one line written elsewhere in the old code page does
// not spoil the rest of the file.
QString DecodeLine(const QByteArray &raw) {
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                    QStringConverter::Flag::ConvertInitialBom);
    QString text = utf8(raw);
    return utf8.hasError() ? FromWindows1252(raw) : text;
}

bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

QString TrimBlanks(QStringView s) {
    qsizetype from = 0;
    qsizetype to = s.size();
    while (from < to && IsBlank(s[from]))
        ++from;
    while (to > from && IsBlank(s[to - 1]))
        --to;
    return s.mid(from, to - from).toString();
}

QString Unquote(const QString &s) {
    if (s.size() >= 2 && (s[0] == u'"' || s[0] == u'\'') && s.back() == s[0])
        return s.mid(1, s.size() - 2);
    return s;
}

QString Cut(QString s) {
    if (s.size() > kProfileValueMax) {
        s.truncate(kProfileValueMax);
        if (s.back().isHighSurrogate())
            s.chop(1);
    }
    return s;
}

bool ParseSection(const QString &text, QString &name) {
    const QString t = TrimBlanks(text);
    if (!t.startsWith(u'['))
        return false;
    const qsizetype close = t.indexOf(u']');
    if (close < 0)
        return false;
    name = TrimBlanks(QStringView(t).mid(1, close - 1));
    return true;
}

bool ParseKey(const QString &text, QString &key, QString &value) {
    const QString t = TrimBlanks(text);
    if (t.startsWith(u'[') || t.startsWith(u';'))
        return false;
    const qsizetype eq = t.indexOf(u'=');
    if (eq < 0)
        return false;
    key = TrimBlanks(QStringView(t).left(eq));
    value = t.mid(eq + 1);
    return !key.isEmpty();
}

bool SameName(const QString &a, const QString &b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool HasLineBreak(const QString &s) {
    return s.contains(u'\r') || s.contains(u'\n');
}

bool ValidSection(const QString &name) {
    return !name.isEmpty() && !name.contains(u']') && !HasLineBreak(name);
}

bool ValidKey(const QString &name) {
    return !name.isEmpty() && !name.contains(u'=') && !name.startsWith(u'[') &&
           !name.startsWith(u';') && !HasLineBreak(name);
}

} // namespace

ProfileDocument ProfileDocument::FromBytes(const QByteArray &bytes) {
    ProfileDocument doc;
    const qsizetype size = bytes.size();
    qsizetype start = bytes.startsWith(kUtf8Bom) ? kUtf8Bom.size() : 0;
    // CR LF, LF and a lone CR each end a line, so no value keeps a CR.
    while (start < size) {
        qsizetype stop = start;
        while (stop < size && bytes[stop] != '\r' && bytes[stop] != '\n')
            ++stop;
        Line line;
        line.raw = bytes.mid(start, stop - start);
        qsizetype next = stop;
        if (next < size && bytes[next] == '\r')
            ++next;
        if (next < size && bytes[next] == '\n')
            ++next;
        line.end = bytes.mid(stop, next - stop);
        line.text = DecodeLine(line.raw);
        doc.lines_.push_back(std::move(line));
        start = next;
    }
    return doc;
}

bool ProfileDocument::Load(const QString &path) {
    lines_.clear();
    const QFileInfo info(path);
    if (!info.exists())
        return true;
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    *this = FromBytes(bytes);
    return true;
}

std::vector<ProfileDocument::Range> ProfileDocument::SectionsNamed(const QString &section) const {
    const QString wanted = TrimBlanks(section);
    std::vector<Range> ranges;
    bool inWanted = false;
    for (int i = 0; i < int(lines_.size()); ++i) {
        QString name;
        if (!ParseSection(lines_[std::size_t(i)].text, name))
            continue;
        if (inWanted)
            ranges.back().end = i;
        inWanted = SameName(name, wanted);
        if (inWanted)
            ranges.push_back({i, int(lines_.size())});
    }
    return ranges;
}

QString ProfileDocument::ReadString(const QString &section, const QString &key,
                                    const QString &defaultValue) const {
    const QString wanted = TrimBlanks(key);
    for (const Range &r : SectionsNamed(section)) {
        for (int i = r.header + 1; i < r.end; ++i) {
            QString name;
            QString value;
            if (ParseKey(lines_[std::size_t(i)].text, name, value) && SameName(name, wanted))
                return Cut(Unquote(TrimBlanks(value)));
        }
    }
    return Cut(defaultValue);
}

bool ProfileDocument::HasSection(const QString &section) const {
    return !SectionsNamed(section).empty();
}

ProfileDocument::Line ProfileDocument::MakeLine(const QString &text) {
    return Line{text.toUtf8(), kCrLf, text};
}

bool ProfileDocument::WriteString(const QString &section, const QString &key,
                                  const QString &value) {
    const QString sectionName = TrimBlanks(section);
    const QString keyName = TrimBlanks(key);
    if (!ValidSection(sectionName) || !ValidKey(keyName) || HasLineBreak(value))
        return false;
    // Quoted when reading would otherwise strip blanks or quotes off it.
    const bool quote = Unquote(TrimBlanks(value)) != value;
    const Line line = MakeLine(keyName + u'=' + (quote ? u'"' + value + u'"' : value));

    const std::vector<Range> ranges = SectionsNamed(sectionName);
    for (const Range &r : ranges) {
        for (int i = r.header + 1; i < r.end; ++i) {
            QString name;
            QString old;
            if (ParseKey(lines_[std::size_t(i)].text, name, old) && SameName(name, keyName)) {
                lines_[std::size_t(i)] = line;
                return true;
            }
        }
    }
    if (!ranges.empty()) {
        // After the section's last non-blank line, so blank lines that part
        // it from the next one stay where they are.
        int after = ranges.front().header;
        for (int i = after + 1; i < ranges.front().end; ++i)
            if (!TrimBlanks(lines_[std::size_t(i)].text).isEmpty())
                after = i;
        if (lines_[std::size_t(after)].end.isEmpty())
            lines_[std::size_t(after)].end = kCrLf;
        lines_.insert(lines_.begin() + after + 1, line);
        return true;
    }
    if (!lines_.empty() && lines_.back().end.isEmpty())
        lines_.back().end = kCrLf;
    lines_.push_back(MakeLine(u'[' + sectionName + u']'));
    lines_.push_back(line);
    return true;
}

bool ProfileDocument::EraseSection(const QString &section) {
    if (!ValidSection(TrimBlanks(section)))
        return false;
    const std::vector<Range> ranges = SectionsNamed(section);
    for (auto r = ranges.rbegin(); r != ranges.rend(); ++r)
        lines_.erase(lines_.begin() + r->header, lines_.begin() + r->end);
    return true;
}

QByteArray ProfileDocument::ToBytes() const {
    QByteArray bytes;
    // A reader skips one byte-order mark: a first line that begins with one
    // (a file that had two) needs another ahead of it to keep its meaning.
    if (!lines_.empty() && lines_.front().raw.startsWith(kUtf8Bom))
        bytes += kUtf8Bom;
    for (const Line &line : lines_)
        bytes += line.raw + line.end;
    return bytes;
}

bool ProfileDocument::Save(const QString &path) const {
    const QFileInfo info(path);
    if (info.exists()) {
        // The mode bits alone: WriteUser would ask access(), which says yes to root.
        constexpr auto anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
        // Root may write anything; a file marked read-only still stays so.
        if (!info.isFile() || !(info.permissions() & anyWrite) || !info.isWritable())
            return false;
    }
    return ReplaceFile(path, ToBytes());
}

namespace Profile {

QString ReadString(const QString &path, const QString &section, const QString &key,
                   const QString &defaultValue) {
    ProfileDocument doc;
    doc.Load(path);
    return doc.ReadString(section, key, defaultValue);
}

namespace {

template <typename Edit> bool EditFile(const QString &path, Edit edit) {
    ProfileDocument doc;
    // A file that exists but cannot be read must not be replaced by the edit
    // of an empty document.
    if (!doc.Load(path))
        return false;
    const QByteArray before = doc.ToBytes();
    if (!edit(doc))
        return false;
    if (doc.ToBytes() == before)
        return true;
    return doc.Save(path);
}

} // namespace

bool WriteString(const QString &path, const QString &section, const QString &key,
                 const QString &value) {
    return EditFile(path,
                    [&](ProfileDocument &doc) { return doc.WriteString(section, key, value); });
}

bool EraseSection(const QString &path, const QString &section) {
    return EditFile(path, [&](ProfileDocument &doc) { return doc.EraseSection(section); });
}

} // namespace Profile

} // namespace pexor
