#pragma once

#include <QString>

namespace pexor {

class ReadingsTable;

// "Pexor.ini" beside the program; when the program's directory cannot be
// written and holds no "Pexor.ini", the one in the user's configuration
// directory. Computed afresh at each call.
QString ReadingsFilePath();
// The same choice for a given program directory.
QString ReadingsFilePathFor(const QString &programDirectory);
// $XDG_CONFIG_HOME/Pexor/Pexor.ini, by default ~/.config/Pexor/Pexor.ini.
QString UserReadingsFilePath();

// Fills rows 1 to 10 from the file: Date1..Date10, then TP1..TP10, then
// INR1..INR10, each value written into its cell as soon as it is read.
// Never fails: whatever cannot be read gives empty cells.
void ChargeOptions(ReadingsTable &table);
void ChargeOptions(ReadingsTable &table, const QString &path);

// Writes rows 1 to 10 to the file: sections Dates, TP and INR erased, then
// the thirty keys written in the order they are loaded, other sections kept
// ahead of them. The file is replaced in one step, its directory made when
// missing: either it holds the complete new content, or the save throws
// EFileError "Impossible d'écrire dans %s" with the path and the old file is
// left as it was, byte for byte.
void SauveOptions(const ReadingsTable &table);
void SauveOptions(const ReadingsTable &table, const QString &path);

} // namespace pexor
