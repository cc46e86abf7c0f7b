#pragma once

#include "platform/FileVersion.h"
#include "platform/LocaleSettings.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace pexor {

// A file's version and its text; all zero and an empty text when the file has
// none.
struct VersionInfo {
    FileVersion Version;
    QString Text;
};

// What the start-up checks look at; taken from the running process by
// FromProcess, set by hand in tests.
struct HelpDiagnosticInputs {
    QString ModulePath;           // the program file's full path
    QString Argument0;            // argv[0] as given
    QString RunDirectory;         // the directory argv[0] names
    QStringList Arguments;        // arguments 1 to n
    QString TempDirectory;        // the temporary directory
    QString HelpViewerPath;       // the viewer library, empty when none
    QString BrowserComponentPath; // none on Linux: empty
    QString SystemName;           // "Linux"
    int SystemMajor = 0;
    int SystemMinor = 0;
    int SystemBuild = 0;
    QLocale SystemLocale = QLocale::c();
    LocaleSettings Settings;
    std::function<QDateTime()> Clock; // the current date and time

    static HelpDiagnosticInputs FromProcess(int argc, char **argv);
};

// The start-up record of where the program runs from and which help viewer
// it found; written to "HHDebug.txt" when asked for.
class HelpDiagnostics {
public:
    // Computes every value once; writes nothing.
    explicit HelpDiagnostics(HelpDiagnosticInputs inputs);

    const QString &ModuleDir() const { return moduleDir_; }
    const QString &ModuleName() const { return moduleName_; }
    const QString &RunDir() const { return runDir_; }
    const QString &DebugDirectory() const { return debugDirectory_; }
    bool DebugFlag() const { return debugFlag_; }
    // The debug directory followed by "/HHDebug.txt".
    QString DiagnosticFileName() const;
    const VersionInfo &HelpViewerVersion() const { return hhVersion_; }
    const QString &HhVerStr() const { return hhVersion_.Text; }
    bool HhInstalled() const { return !hhVersion_.Text.isEmpty(); }
    const QString &HhFriendlyVerStr() const { return hhFriendlyVerStr_; }
    const VersionInfo &BrowserVersion() const { return ieVersion_; }
    const QString &IeVerStr() const { return ieVersion_.Text; }
    bool IeInstalled() const { return !ieVersion_.Text.isEmpty(); }
    const QString &IeFriendlyVerStr() const { return ieFriendlyVerStr_; }

    // Deletes a report left by an earlier start, then, with the debug flag
    // on, writes the report anew.
    void DiagnosticDump() const;
    // Appends one line to the report: "%s" and "%d" in the format take the
    // arguments in turn. A line that is "-" or "=" alone becomes 80 of that
    // character; a first "!", "-" or "=" is dropped, any other line gets
    // three blanks and the time. Each line opens and closes the file.
    void DiagnosticLine(const QString &format, const QStringList &arguments = {}) const;

private:
    QString TimeText(const QDateTime &when) const;

    HelpDiagnosticInputs inputs_;
    QString moduleDir_;
    QString moduleName_;
    QString runDir_;
    QString debugDirectory_;
    bool debugFlag_ = false;
    VersionInfo hhVersion_;
    QString hhFriendlyVerStr_;
    VersionInfo ieVersion_;
    QString ieFriendlyVerStr_;
};

// The version a file carries, or zeros and an empty text.
VersionInfo FileVersionOf(const QString &path);
// -1, 0 or +1 as the version is below, equal to or above the reference.
int VersionCompare(const FileVersion &version, const FileVersion &reference);
// Whether a new file can be made in the directory: the probe "$_Temp_$.$$$"
// is created (or emptied), closed and deleted.
bool DirectoryWritable(const QString &directory);
// The help viewer's release name for its file version; empty without one.
QString HelpFriendlyVersion(const VersionInfo &version);
// The browser component's release name for its file version; empty without one.
QString BrowserFriendlyVersion(const VersionInfo &version);
// Old browser components kept their build number in the release part.
VersionInfo AdjustBrowserVersion(const VersionInfo &version);
// The path without its trailing separators ("/" becomes empty).
QString WithoutTrailingSeparators(QString path);

// The locale's identifier as the report prints it: primary language in the
// low 10 bits, sub-language above; a C locale counts as French (France).
struct LocaleIdentifier {
    unsigned int Lcid = 0;
    unsigned int PrimaryLanguage = 0;
    unsigned int SubLanguage = 0;
};
LocaleIdentifier LocaleIdentifierOf(const QLocale &locale);

// Start and end of the help binding around the program's life: loads the
// viewer (when auto-load is on) and runs the start-up checks; at the end
// drops the checks' values and frees the viewer. Made before the
// application object, destroyed after the main window.
class HelpSession {
public:
    HelpSession(int argc, char **argv);
    explicit HelpSession(HelpDiagnosticInputs inputs);
    ~HelpSession();
    HelpSession(const HelpSession &) = delete;
    HelpSession &operator=(const HelpSession &) = delete;

    const HelpDiagnostics *Diagnostics() const { return diagnostics_.get(); }

private:
    std::unique_ptr<HelpDiagnostics> diagnostics_;
};

} // namespace pexor
