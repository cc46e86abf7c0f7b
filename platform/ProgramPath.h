#pragma once

#include <QString>
#include <QStringList>

namespace pexor {

// Remembers argv at start, before anything asks for the paths below.
void SetProgramArguments(int argc, char **argv);
// The arguments after the program name.
QStringList ProgramArguments();
// Full path of the running executable (/proc/self/exe).
QString ProgramFilePath();
// Directory of the running executable, without a trailing slash.
QString ProgramDirectory();
// Directory argv[0] names (the run directory), without a trailing slash.
QString RunDirectory();

} // namespace pexor
