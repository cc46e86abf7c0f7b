#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

namespace pexor {

// Text as the index filter and the search compare it: case folded, accents
// dropped and ligatures spelled out, so that "resultat", "Résultat" and
// "RÉSULTAT" are the same word, and "oeuvre" finds "œuvre".
QString FoldForSearch(QStringView text);

// A word of a text: a run of letters and digits (accents stay inside their
// word), where it stands in the text, and its folded form.
struct TextWord {
    qsizetype Start = 0;
    qsizetype Length = 0;
    QString Folded;
};
std::vector<TextWord> SplitWords(QStringView text);

// The folded words of what the user typed, each once, in the order typed.
QStringList QueryWords(QStringView text);

// Whether a folded word begins with one of the folded query words: a search
// for "resul" finds "résultats".
bool StartsWithAny(const QString &foldedWord, const QStringList &queryWords);

// Whether the folded filter occurs in the folded text at the start of one of
// its words: "zoom" matches "annuler le zoom", "oom" does not.
bool MatchesAtWordStart(const QString &foldedText, const QString &foldedFilter);

} // namespace pexor
