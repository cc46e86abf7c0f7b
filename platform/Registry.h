#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace pexor {

// The few system settings the program reads, and only reads: where the help
// viewer is, and who the machine is registered to.
class Registry {
public:
    // File name of our help viewer library; the installed file carries its
    // version after it (libpexorhelp.so.4.74.9273.0).
    static inline const QString HelpViewerLibraryName = QStringLiteral("libpexorhelp.so");

    // Looks for the viewer beside the running program.
    Registry();
    // Looks for the viewer beside the given program directory.
    explicit Registry(QString programDirectory);

    // The directories searched for the viewer, in order: the program's own,
    // then the install prefix's lib/pexor (the prefix being the program
    // directory's parent), then any lib/<architecture>/pexor there is.
    QStringList HelpViewerDirectories() const;
    // The help viewer's registration: the path of our viewer library in the
    // first directory that holds one; absent when no such file exists.
    std::optional<QString> HelpViewerLibrary() const;
    // "RegisteredOwner": the user's full name from the password database;
    // absent when it is empty.
    std::optional<QString> RegisteredOwner() const;
    // "RegisteredOrganization": $ORGANIZATION when set and not empty.
    std::optional<QString> RegisteredOrganization() const;

private:
    QString programDirectory_;
};

// The full name a password entry's comment field holds: its first
// comma-separated part, an "&" standing for the login name with a capital.
QString FullNameFromGecos(const QByteArray &gecos, const QByteArray &login);

} // namespace pexor
