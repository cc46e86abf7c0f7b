#include "fuzz/ProfileText.h"

#include <QStringDecoder>

namespace pexor::fuzz {

namespace {

const QByteArray kBom("\xEF\xBB\xBF");

} // namespace

QString LineText(const QByteArray &line) {
    QByteArray raw = line;
    while (raw.endsWith('\n') || raw.endsWith('\r'))
        raw.chop(1);
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                    QStringConverter::Flag::ConvertInitialBom);
    const QString text = utf8(raw);
    return utf8.hasError() ? QString::fromLatin1(raw) : text;
}

bool EndsLine(const QByteArray &line) {
    return line.endsWith('\n') || line.endsWith('\r');
}

std::vector<QByteArray> FileLines(const QByteArray &bytes) {
    std::vector<QByteArray> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype stop = start;
        while (stop < bytes.size() && bytes[stop] != '\r' && bytes[stop] != '\n')
            ++stop;
        if (stop < bytes.size() && bytes[stop] == '\r')
            ++stop;
        if (stop < bytes.size() && bytes[stop] == '\n')
            ++stop;
        lines.push_back(bytes.mid(start, stop - start));
        start = stop;
    }
    return lines;
}

QByteArray WithoutBom(const QByteArray &bytes) {
    return bytes.startsWith(kBom) ? bytes.mid(kBom.size()) : bytes;
}

QString TrimProfileBlanks(const QString &s) {
    qsizetype from = 0;
    qsizetype to = s.size();
    while (from < to && (s[from] == u' ' || s[from] == u'\t'))
        ++from;
    while (to > from && (s[to - 1] == u' ' || s[to - 1] == u'\t'))
        --to;
    return s.mid(from, to - from);
}

bool SameProfileName(const QString &a, const QString &b) {
    return TrimProfileBlanks(a).compare(TrimProfileBlanks(b), Qt::CaseInsensitive) == 0;
}

std::vector<ProfileName> NamesIn(const QByteArray &bytes, std::size_t max) {
    std::vector<ProfileName> names;
    QString section;
    const auto add = [&](const QString &key) {
        for (const QString &s : {section, QString(section).remove(QChar(0xFEFF))})
            for (const QString &k : {key, QString(key).remove(QChar(0xFEFF))})
                if (names.size() < max)
                    names.push_back({s, k});
    };
    for (const QByteArray &line : FileLines(WithoutBom(bytes))) {
        const QString text = TrimProfileBlanks(LineText(line));
        if (text.startsWith(u'[')) {
            const qsizetype close = text.indexOf(u']');
            if (close > 0)
                section = text.mid(1, close - 1);
            continue;
        }
        const qsizetype eq = text.indexOf(u'=');
        if (eq > 0)
            add(text.left(eq));
    }
    return names;
}

} // namespace pexor::fuzz
