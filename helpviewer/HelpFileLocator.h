#pragma once

#include <QString>

namespace pexor {

// Where a help file named by the program is: a bare file name is looked up
// beside the program, then in the installed data directory; a name with a
// directory part is taken as it stands.
class HelpFileLocator {
public:
    // Beside the running program (/proc/self/exe), then the install
    // prefix's share/pexor.
    HelpFileLocator();
    HelpFileLocator(QString programDirectory, QString dataDirectory);

    const QString &ProgramDirectory() const { return programDirectory_; }
    const QString &DataDirectory() const { return dataDirectory_; }

    // The file's absolute, canonical path; empty when no such file exists.
    QString Locate(const QString &name) const;

private:
    QString programDirectory_;
    QString dataDirectory_;
};

} // namespace pexor
