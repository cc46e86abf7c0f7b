#pragma once

#include <QString>
#include <QStringList>

namespace pexor {

// Where a help file named by the program is: a bare file name is looked up
// beside the program, then in the installed data directory; a name with a
// directory part is taken as it stands.
class HelpFileLocator {
public:
    // Beside the running program (/proc/self/exe), then the install
    // prefix's share/pexor: the prefix being the program directory's parent,
    // then the prefix the library was built for.
    HelpFileLocator();
    HelpFileLocator(QString programDirectory, QStringList dataDirectories);

    const QString &ProgramDirectory() const { return programDirectory_; }
    const QStringList &DataDirectories() const { return dataDirectories_; }

    // The file's absolute, canonical path; empty when no such file exists.
    QString Locate(const QString &name) const;

private:
    QString programDirectory_;
    QStringList dataDirectories_;
};

} // namespace pexor
