// The profile document: any bytes parsed, keys read, one key written, the
// document serialised and parsed again.
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzTargets.h"
#include "fuzz/ProfileText.h"
#include "platform/Profile.h"

namespace pexor::fuzz {

namespace {

constexpr std::size_t kMaxNames = 64;

std::string Quoted(const QString &s) {
    return '"' + s.toStdString() + '"';
}

bool HasLineBreak(const QString &s) {
    return s.contains(u'\r') || s.contains(u'\n');
}

// What a file can hold: a section name without "]", a key that does not
// begin a section or a comment and has no "=", and no line break anywhere.
bool Holdable(const QString &section, const QString &key, const QString &value) {
    const QString s = TrimProfileBlanks(section);
    const QString k = TrimProfileBlanks(key);
    return !s.isEmpty() && !s.contains(u']') && !HasLineBreak(s) && !k.isEmpty() &&
           !k.contains(u'=') && !k.startsWith(u'[') && !k.startsWith(u';') && !HasLineBreak(k) &&
           !HasLineBreak(value);
}

// A value as a read returns it once written: whole, up to the longest value
// a read gives, never ending in half a surrogate pair.
QString AsRead(const QString &value) {
    QString s = value;
    if (s.size() > kProfileValueMax) {
        s.truncate(kProfileValueMax);
        if (s.back().isHighSurrogate())
            s.chop(1);
    }
    return s;
}

QString KeyOf(const QByteArray &line) {
    const QString text = TrimProfileBlanks(LineText(line));
    const qsizetype eq = text.indexOf(u'=');
    return eq < 0 ? QString() : TrimProfileBlanks(text.left(eq));
}

// Between the file and the document written back, only the key's line may
// differ: replaced, or added (after its section's header when the section
// is new). A last line without an end gets one when a line follows it.
Finding OnlyTheKeyLineChanged(const QByteArray &before, const QByteArray &after,
                              const QString &section, const QString &key) {
    const std::vector<QByteArray> a = FileLines(WithoutBom(before));
    const std::vector<QByteArray> b = FileLines(WithoutBom(after));
    std::size_t same = 0;
    while (same < a.size() && same < b.size() && a[same] == b[same])
        ++same;
    std::size_t tail = 0;
    while (tail < a.size() - same && tail < b.size() - same &&
           a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
        ++tail;
    std::vector<QByteArray> removed(a.begin() + long(same), a.end() - long(tail));
    std::vector<QByteArray> added(b.begin() + long(same), b.end() - long(tail));
    if (!removed.empty() && !added.empty() && !EndsLine(removed.front()) &&
        added.front() == removed.front() + "\r\n") {
        removed.erase(removed.begin());
        added.erase(added.begin());
    }
    if (added.empty() && removed.empty())
        return {};
    if (added.empty() || added.size() > 2 || removed.size() > 1 ||
        (added.size() == 2 && !removed.empty()))
        return "writing " + Quoted(key) + " changed " + std::to_string(removed.size()) +
               " line(s) into " + std::to_string(added.size());
    if (!removed.empty() && !SameProfileName(KeyOf(removed.front()), key))
        return "writing " + Quoted(key) + " replaced the line of another key";
    if (KeyOf(added.back()) != TrimProfileBlanks(key))
        return "writing " + Quoted(key) + " added a line of another key";
    if (added.size() == 2 &&
        TrimProfileBlanks(LineText(added.front())) != u'[' + TrimProfileBlanks(section) + u']')
        return "writing into a new section " + Quoted(section) + " added a line that is no header";
    for (const QByteArray &line : added)
        if (!line.endsWith("\r\n"))
            return "a written line does not end in CR LF";
    return {};
}

} // namespace

Finding CheckProfileDocument(const QByteArray &input) {
    FuzzReader in(input);
    QString section = QStringLiteral("TP");
    QString key = QStringLiteral("TP3");
    QString value = QStringLiteral("77");
    if (in.HasFields(3)) {
        section = Utf8(in.Field());
        key = Utf8(in.Field());
        value = Utf8(in.Field());
    }
    const QByteArray file = in.Rest();

    const ProfileDocument doc = ProfileDocument::FromBytes(file);
    const QByteArray untouched = doc.ToBytes();
    // The byte-order mark a reader skips may go; nothing else.
    if (untouched != file && untouched != WithoutBom(file))
        return "the document written unedited differs from its file";

    ProfileDocument edited = doc;
    if (!edited.WriteString(section, key, value)) {
        if (edited.ToBytes() != untouched)
            return "a refused write changed the document";
        if (Holdable(section, key, value))
            return "writing " + Quoted(value) + " into [" + section.toStdString() + "] " +
                   Quoted(key) + " was refused";
        return {};
    }
    const QByteArray written = edited.ToBytes();
    if (Finding f = OnlyTheKeyLineChanged(file, written, section, key); !f.empty())
        return f;

    const ProfileDocument again = ProfileDocument::FromBytes(written);
    const QString expected = AsRead(value);
    if (edited.ReadString(section, key) != expected || again.ReadString(section, key) != expected)
        return "the written value " + Quoted(value) + " reads back as " +
               Quoted(again.ReadString(section, key));
    for (const ProfileName &name : NamesIn(file, kMaxNames)) {
        if (SameProfileName(name.Section, section) && SameProfileName(name.Key, key))
            continue;
        if (again.ReadString(name.Section, name.Key) != doc.ReadString(name.Section, name.Key))
            return "writing " + Quoted(key) + " changed the value of [" +
                   name.Section.toStdString() + "] " + Quoted(name.Key);
    }
    return {};
}

} // namespace pexor::fuzz
