#include "helpviewer/SearchText.h"

namespace pexor {

namespace {

bool IsMark(char32_t c) {
    const QChar::Category category = QChar::category(c);
    return category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
           category == QChar::Mark_Enclosing;
}

bool IsWordCharacter(char32_t c) {
    return QChar::isLetterOrNumber(c) || IsMark(c);
}

// The character at a position and how many UTF-16 units it takes; a lone
// surrogate stands for itself.
char32_t CharacterAt(QStringView text, qsizetype at, qsizetype &units) {
    const QChar c = text[at];
    if (c.isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate()) {
        units = 2;
        return QChar::surrogateToUcs4(c, text[at + 1]);
    }
    units = 1;
    return c.unicode();
}

} // namespace

QString FoldForSearch(QStringView text) {
    // Compatibility decomposition splits "é" into "e" and its accent and
    // "ﬁ" into "fi"; the accents are then dropped.
    const QString decomposed = text.toString().normalized(QString::NormalizationForm_KD);
    QString bare;
    bare.reserve(decomposed.size());
    qsizetype units = 1;
    for (qsizetype at = 0; at < decomposed.size(); at += units)
        if (!IsMark(CharacterAt(decomposed, at, units)))
            bare.append(QStringView(decomposed).mid(at, units));
    QString folded = bare.toCaseFolded();
    // Letters no decomposition spells out, but French and German readers do.
    folded.replace(QChar(0x0153), QLatin1String("oe"));
    folded.replace(QChar(0x00E6), QLatin1String("ae"));
    folded.replace(QChar(0x00DF), QLatin1String("ss"));
    return folded;
}

std::vector<TextWord> SplitWords(QStringView text) {
    std::vector<TextWord> words;
    qsizetype start = -1;
    auto close = [&](qsizetype end) {
        if (start < 0)
            return;
        words.push_back({start, end - start, FoldForSearch(text.mid(start, end - start))});
        start = -1;
    };
    qsizetype units = 1;
    for (qsizetype at = 0; at < text.size(); at += units) {
        if (IsWordCharacter(CharacterAt(text, at, units))) {
            if (start < 0)
                start = at;
        } else {
            close(at);
        }
    }
    close(text.size());
    return words;
}

QStringList QueryWords(QStringView text) {
    QStringList words;
    for (const TextWord &word : SplitWords(text))
        if (!words.contains(word.Folded))
            words.append(word.Folded);
    return words;
}

bool StartsWithAny(const QString &foldedWord, const QStringList &queryWords) {
    for (const QString &query : queryWords)
        if (foldedWord.startsWith(query))
            return true;
    return false;
}

bool MatchesAtWordStart(const QString &foldedText, const QString &foldedFilter) {
    if (foldedFilter.isEmpty())
        return true;
    for (qsizetype at = foldedText.indexOf(foldedFilter); at >= 0;
         at = foldedText.indexOf(foldedFilter, at + 1)) {
        if (at == 0 || !foldedText.at(at - 1).isLetterOrNumber())
            return true;
    }
    return false;
}

} // namespace pexor
