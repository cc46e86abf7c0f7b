#pragma once

#include <QString>

namespace pexor {

// The INR target range the doctor set, both ends inside it. Kept in the
// readings file in a section of its own, [Cible], keys INRMin and INRMax,
// written with a decimal comma ("2,5").
struct InrTarget {
    double Min = 2.0;
    double Max = 3.0;

    bool Contains(double inr) const { return inr >= Min && inr <= Max; }
    bool operator==(const InrTarget &) const = default;
};

// The bounds a target may take.
inline constexpr double kInrTargetLowest = 0.5;
inline constexpr double kInrTargetHighest = 6.0;

// 0.5 <= min < max <= 6.
bool IsValidInrTarget(double min, double max);

// "2 à 3", "2,5 à 3,5".
QString InrTargetText(const InrTarget &target);

// The target of the readings file. A key that is missing or not a number
// takes its default; a pair that is then not a valid target gives the
// defaults, 2 to 3. Never fails: an unreadable file gives the defaults.
InrTarget LoadInrTarget(const QString &path);

// Writes [Cible] into the readings file, every other section and line left
// as it was, through the same one-step replacement as the readings' save:
// either the file holds the new target, or EFileError "Impossible d'écrire
// dans %s" is raised and the file is left as it was.
void SaveInrTarget(const InrTarget &target, const QString &path);

} // namespace pexor
