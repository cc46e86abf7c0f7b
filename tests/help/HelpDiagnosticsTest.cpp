#include "help/HelpDiagnostics.h"

#include "platform/ProgramPath.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>

namespace pexor {
namespace {

QString Dashes(QChar c) {
    return QString(79, c);
}

void WriteFile(const QString &name, const QByteArray &bytes) {
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray ReadFile(const QString &name) {
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// Lines of a report, each of which must end in CR LF.
QStringList ReportLines(const QString &name) {
    const QByteArray bytes = ReadFile(name);
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    QStringList lines = QString::fromUtf8(bytes).split(QStringLiteral("\r\n"));
    lines.removeLast();
    for (const QString &line : lines)
        EXPECT_FALSE(line.contains(QLatin1Char('\n')) || line.contains(QLatin1Char('\r')));
    return lines;
}

// A program "installed" in a directory of its own, with a separate
// temporary directory, a French locale and a fixed clock.
class HelpDiagnosticsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(program.isValid());
        ASSERT_TRUE(temp.isValid());
        inputs.ModulePath = program.filePath(QStringLiteral("Pexor"));
        inputs.Argument0 = QStringLiteral("./Pexor");
        inputs.RunDirectory = QStringLiteral("/home/patient/");
        inputs.TempDirectory = temp.path() + QStringLiteral("//");
        inputs.SystemName = QStringLiteral("Linux");
        inputs.SystemMajor = 6;
        inputs.SystemMinor = 1;
        inputs.SystemBuild = 0;
        inputs.SystemLocale = QLocale(QLocale::French, QLocale::France);
        inputs.Settings = LocaleSettings::French();
        inputs.Clock = [] { return QDateTime(QDate(2026, 12, 7), QTime(14, 3, 27)); };
    }
    QString ProgramReport() const { return program.filePath(QStringLiteral("HHDebug.txt")); }

    QTemporaryDir program;
    QTemporaryDir temp;
    HelpDiagnosticInputs inputs;
};

TEST_F(HelpDiagnosticsTest, DebugArgumentWritesTheTwentyTwoLinesAndRecreatesThemAtEachStart) {
    inputs.Arguments = {QStringLiteral("/DEBUG"), QStringLiteral("encore")};
    inputs.HelpViewerPath = QStringLiteral(PEXOR_FAKE_VIEWER);
    const QStringList expected = {
        QStringLiteral("Filename:             \t") + ProgramReport(),
        QStringLiteral("Date:                 \t07/12/2026 14:03:27"),
        QStringLiteral("Operating System:      \tLinux 6.1.0"),
        QStringLiteral("SysLocale.DefaultLCID: \t0x040C"),
        QStringLiteral("SysLocale.PriLangID:   \t0x000C"),
        QStringLiteral("SysLocale.SubLangID:   \t0x0001"),
        QStringLiteral("DecimalSeparator:      \t,"),
        Dashes(QLatin1Char('-')),
        QStringLiteral("EXE Path =          \t./Pexor"),
        QStringLiteral("Cmdline Param(s) =  \t/DEBUG | encore"),
        QStringLiteral("_RunDir =           \t/home/patient"),
        QStringLiteral("_ModuleName =       \tPexor"),
        QStringLiteral("_ModuleDir =        \t") + program.path(),
        Dashes(QLatin1Char('-')),
        QStringLiteral("_hhInstalled =      \tYES"),
        QStringLiteral("_hhVerStr =         \t4.74.9273.0"),
        QStringLiteral("_hhFriendlyVerStr = \t1.33"),
        Dashes(QLatin1Char('-')),
        QStringLiteral("_ieInstalled =      \tNO"),
        QStringLiteral("_ieVerStr =         \t"),
        QStringLiteral("_ieFriendlyVerStr = \t"),
        Dashes(QLatin1Char('=')),
    };

    const HelpDiagnostics first(inputs);
    EXPECT_TRUE(first.DebugFlag());
    EXPECT_EQ(first.DebugDirectory(), program.path());
    first.DiagnosticDump();
    EXPECT_EQ(ReportLines(ProgramReport()), expected);
    EXPECT_FALSE(QFile::exists(program.filePath(QStringLiteral("$_Temp_$.$$$"))));

    const HelpDiagnostics second(inputs);
    second.DiagnosticDump();
    EXPECT_EQ(ReportLines(ProgramReport()), expected);
}

TEST_F(HelpDiagnosticsTest, DebugFlagSources) {
    EXPECT_FALSE(HelpDiagnostics(inputs).DebugFlag());
    for (const char *argument : {"-debug", "/Debug", "-DEBUG"}) {
        inputs.Arguments = {QStringLiteral("x"), QString::fromLatin1(argument)};
        EXPECT_TRUE(HelpDiagnostics(inputs).DebugFlag()) << argument;
    }
    for (const char *argument : {"debug", "/debugs", "--debug", " /debug"}) {
        inputs.Arguments = {QString::fromLatin1(argument)};
        EXPECT_FALSE(HelpDiagnostics(inputs).DebugFlag()) << argument;
    }
    // Argument 0 is the program, not a switch.
    inputs.Arguments.clear();
    inputs.Argument0 = QStringLiteral("/debug");
    EXPECT_FALSE(HelpDiagnostics(inputs).DebugFlag());

    WriteFile(program.filePath(QStringLiteral("debug.debug")), "");
    const HelpDiagnostics byFile(inputs);
    EXPECT_TRUE(byFile.DebugFlag());
    byFile.DiagnosticDump();
    EXPECT_EQ(ReportLines(ProgramReport()).size(), 22);
}

TEST_F(HelpDiagnosticsTest, StaleReportIsDeletedWithoutTheDebugFlag) {
    WriteFile(ProgramReport(), "old report\r\n");
    const HelpDiagnostics diagnostics(inputs);
    ASSERT_FALSE(diagnostics.DebugFlag());
    diagnostics.DiagnosticDump();
    EXPECT_FALSE(QFile::exists(ProgramReport()));
    EXPECT_TRUE(QDir(program.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(HelpDiagnosticsTest, UnwritableProgramDirectorySendsTheReportToTheTemporaryDirectory) {
    // Not even root can make a file below a regular file.
    const QString blocker = program.filePath(QStringLiteral("bin"));
    WriteFile(blocker, "a file, not a directory");
    inputs.ModulePath = blocker + QStringLiteral("/Pexor");
    inputs.Arguments = {QStringLiteral("/DEBUG")};
    const HelpDiagnostics diagnostics(inputs);
    EXPECT_EQ(diagnostics.ModuleDir(), blocker);
    EXPECT_EQ(diagnostics.DebugDirectory(), temp.path());
    EXPECT_EQ(diagnostics.DiagnosticFileName(), temp.filePath(QStringLiteral("HHDebug.txt")));
    diagnostics.DiagnosticDump();
    const QStringList lines = ReportLines(temp.filePath(QStringLiteral("HHDebug.txt")));
    ASSERT_EQ(lines.size(), 22);
    EXPECT_EQ(lines[0], QStringLiteral("Filename:             \t") +
                            temp.filePath(QStringLiteral("HHDebug.txt")));
    EXPECT_EQ(lines[12], QStringLiteral("_ModuleDir =        \t") + blocker);

    // Without a temporary directory either, the root is left.
    inputs.TempDirectory = blocker + QStringLiteral("/tmp");
    EXPECT_EQ(HelpDiagnostics(inputs).DiagnosticFileName(), QStringLiteral("/HHDebug.txt"));
}

TEST_F(HelpDiagnosticsTest, ReadOnlyProgramDirectoryForOrdinaryUsers) {
    if (geteuid() == 0)
        GTEST_SKIP() << "permission bits do not stop root; the case below a file covers it";
    const QString bin = program.filePath(QStringLiteral("bin"));
    ASSERT_TRUE(QDir().mkpath(bin));
    QFile::setPermissions(bin, QFile::ReadOwner | QFile::ExeOwner);
    inputs.ModulePath = bin + QStringLiteral("/Pexor");
    EXPECT_FALSE(DirectoryWritable(bin));
    EXPECT_EQ(HelpDiagnostics(inputs).DebugDirectory(), temp.path());
    QFile::setPermissions(bin, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(HelpDiagnosticsTest, DirectoryWritableUsesAndRemovesTheProbe) {
    const QString probe = program.filePath(QStringLiteral("$_Temp_$.$$$"));
    EXPECT_TRUE(DirectoryWritable(program.path()));
    EXPECT_FALSE(QFile::exists(probe));
    WriteFile(probe, "left over");
    EXPECT_TRUE(DirectoryWritable(program.path()));
    EXPECT_FALSE(QFile::exists(probe));
    EXPECT_FALSE(DirectoryWritable(program.filePath(QStringLiteral("missing"))));
}

TEST_F(HelpDiagnosticsTest, DiagnosticLineRules) {
    const HelpDiagnostics diagnostics(inputs);
    WriteFile(ProgramReport(), "kept\r\n");
    diagnostics.DiagnosticLine(QStringLiteral("-"));
    diagnostics.DiagnosticLine(QStringLiteral("="));
    diagnostics.DiagnosticLine(QStringLiteral("!%s = %d%%"),
                               {QStringLiteral("a%sb"), QStringLiteral("7")});
    diagnostics.DiagnosticLine(QStringLiteral("-x"));
    diagnostics.DiagnosticLine(QStringLiteral("%s"), {QStringLiteral("-")});
    diagnostics.DiagnosticLine(QStringLiteral("texte %s"), {QStringLiteral("\tlibre")});
    diagnostics.DiagnosticLine(QStringLiteral("--"));
    EXPECT_EQ(
        ReportLines(ProgramReport()),
        QStringList({QStringLiteral("kept"), Dashes(QLatin1Char('-')), Dashes(QLatin1Char('=')),
                     QStringLiteral("a%sb = 7%"), QStringLiteral("x"), Dashes(QLatin1Char('-')),
                     QStringLiteral("texte \tlibre   14:03:27"), QStringLiteral("-")}));
}

TEST_F(HelpDiagnosticsTest, DateAndTimesFollowTheUsersFormatsUnderA12HourLocale) {
    const QLocale american(QLocale::English, QLocale::UnitedStates);
    inputs.SystemLocale = american;
    inputs.Settings = LocaleSettings::FromLocale(american);
    inputs.Arguments = {QStringLiteral("-debug")};
    const HelpDiagnostics diagnostics(inputs);
    diagnostics.DiagnosticDump();
    diagnostics.DiagnosticLine(QStringLiteral("libre"));
    const QStringList lines = ReportLines(ProgramReport());
    ASSERT_EQ(lines.size(), 23);
    EXPECT_EQ(lines[1], QStringLiteral("Date:                 \t12/7/26 2:03:27 PM"));
    EXPECT_EQ(lines[22], QStringLiteral("libre   2:03:27 PM"));
}

TEST_F(HelpDiagnosticsTest, VersionsFromTheFilesTheyName) {
    const QString viewer = temp.filePath(QStringLiteral("libpexorhelp.so.4.74.8702.0"));
    const QString browser = temp.filePath(QStringLiteral("libbrowser.so.4.70.0.1155"));
    WriteFile(viewer, "");
    WriteFile(browser, "");
    inputs.HelpViewerPath = viewer;
    inputs.BrowserComponentPath = browser;
    inputs.Arguments = {QStringLiteral("-debug")};
    const HelpDiagnostics diagnostics(inputs);
    EXPECT_EQ(diagnostics.HhVerStr(), QStringLiteral("4.74.8702.0"));
    EXPECT_EQ(diagnostics.HhFriendlyVerStr(), QStringLiteral("1.3"));
    EXPECT_EQ(diagnostics.IeVerStr(), QStringLiteral("4.70.1155.0"));
    EXPECT_EQ(diagnostics.IeFriendlyVerStr(), QStringLiteral("Internet Explorer 3.0"));
    diagnostics.DiagnosticDump();
    const QStringList lines = ReportLines(ProgramReport());
    ASSERT_EQ(lines.size(), 22);
    EXPECT_EQ(lines[18], QStringLiteral("_ieInstalled =      \tYES"));
    EXPECT_EQ(lines[19], QStringLiteral("_ieVerStr =         \t4.70.1155.0"));
    EXPECT_EQ(lines[20], QStringLiteral("_ieFriendlyVerStr = \tInternet Explorer 3.0"));

    inputs.HelpViewerPath = temp.filePath(QStringLiteral("libpexorhelp.so.4.74.9999.0"));
    const HelpDiagnostics missing(inputs);
    EXPECT_FALSE(missing.HhInstalled());
    EXPECT_EQ(missing.HhVerStr(), QString());
    EXPECT_EQ(missing.HhFriendlyVerStr(), QString());
}

TEST(HelpDiagnosticInputs, FromTheRunningProcess) {
    char program[] = "./Pexor";
    char debug[] = "-debug";
    char other[] = "autre";
    char *argv[] = {program, debug, other, nullptr};
    const HelpDiagnosticInputs inputs = HelpDiagnosticInputs::FromProcess(3, argv);
    EXPECT_EQ(inputs.ModulePath, ProgramFilePath());
    EXPECT_EQ(inputs.Argument0, QStringLiteral("./Pexor"));
    EXPECT_EQ(inputs.Arguments, QStringList({QStringLiteral("-debug"), QStringLiteral("autre")}));
    EXPECT_EQ(inputs.TempDirectory, QDir::tempPath());
    EXPECT_EQ(inputs.BrowserComponentPath, QString());
    EXPECT_EQ(inputs.SystemName, QStringLiteral("Linux"));
    EXPECT_GT(inputs.SystemMajor, 0);
    EXPECT_EQ(inputs.Settings.DecimalSeparator, Locale().DecimalSeparator);
    EXPECT_EQ(inputs.Settings.LongTimeFormat, Locale().LongTimeFormat);
    ASSERT_TRUE(inputs.Clock);
}

VersionInfo Version(std::uint16_t a, std::uint16_t b, std::uint16_t c, std::uint16_t d) {
    const FileVersion v{a, b, c, d};
    return {v, v.ToString()};
}

TEST(HelpFriendlyVersion, TableOne) {
    EXPECT_EQ(HelpFriendlyVersion({}), QString());
    EXPECT_EQ(HelpFriendlyVersion(Version(4, 74, 8702, 0)), QStringLiteral("1.3"));
    EXPECT_EQ(HelpFriendlyVersion(Version(4, 74, 9273, 0)), QStringLiteral("1.33"));
    EXPECT_EQ(HelpFriendlyVersion(Version(4, 74, 9300, 0)), QStringLiteral("> 1.33"));
    EXPECT_EQ(HelpFriendlyVersion(Version(4, 74, 9273, 1)), QStringLiteral("> 1.33"));
    EXPECT_EQ(HelpFriendlyVersion(Version(4, 74, 9272, 65535)), QStringLiteral("1.32"));
    EXPECT_EQ(HelpFriendlyVersion(Version(4, 74, 8793, 0)), QStringLiteral("1.31"));
    EXPECT_EQ(HelpFriendlyVersion(Version(4, 73, 8474, 5)), QStringLiteral("1.21a"));
    EXPECT_EQ(HelpFriendlyVersion(Version(4, 72, 8164, 0)), QStringLiteral("1.1b"));
    EXPECT_EQ(HelpFriendlyVersion(Version(4, 72, 7290, 0)), QStringLiteral("1.0"));
    EXPECT_EQ(HelpFriendlyVersion(Version(4, 72, 7289, 65535)), QStringLiteral("< 1.0"));
    // A file with no version at all still has an empty text.
    EXPECT_EQ(HelpFriendlyVersion({FileVersion{}, QString()}), QString());
}

TEST(BrowserFriendlyVersion, TableTwoAndTheAdjustment) {
    EXPECT_EQ(BrowserFriendlyVersion({}), QString());
    EXPECT_EQ(BrowserFriendlyVersion(Version(6, 0, 2600, 1)),
              QStringLiteral("> Internet Explorer 6"));
    EXPECT_EQ(BrowserFriendlyVersion(Version(6, 0, 2600, 0)),
              QStringLiteral("Internet Explorer 6 (Windows XP)"));
    EXPECT_EQ(BrowserFriendlyVersion(Version(5, 50, 4134, 600)),
              QStringLiteral("Internet Explorer 5.5"));
    EXPECT_EQ(BrowserFriendlyVersion(Version(5, 50, 4134, 599)),
              QStringLiteral("Internet Explorer 5.5 for Windows Me (4.90.3000)"));
    EXPECT_EQ(BrowserFriendlyVersion(Version(5, 50, 4030, 2400)),
              QStringLiteral("Internet Explorer 5.5 & Internet Tools Beta"));
    EXPECT_EQ(BrowserFriendlyVersion(Version(4, 40, 308, 0)),
              QStringLiteral("Internet Explorer 1.0 (Plus!)"));
    EXPECT_EQ(BrowserFriendlyVersion(Version(4, 40, 307, 9)),
              QStringLiteral("< Internet Explorer 1.0 (Plus!)"));

    const VersionInfo adjusted = AdjustBrowserVersion(Version(4, 70, 0, 1155));
    EXPECT_EQ(adjusted.Text, QStringLiteral("4.70.1155.0"));
    EXPECT_EQ(adjusted.Version, (FileVersion{4, 70, 1155, 0}));
    EXPECT_EQ(BrowserFriendlyVersion(adjusted), QStringLiteral("Internet Explorer 3.0"));
    // Only a 4.x up to 4.70 with release 0 moves its build.
    EXPECT_EQ(AdjustBrowserVersion(Version(4, 71, 0, 1155)).Text, QStringLiteral("4.71.0.1155"));
    EXPECT_EQ(AdjustBrowserVersion(Version(4, 70, 1, 1155)).Text, QStringLiteral("4.70.1.1155"));
    EXPECT_EQ(AdjustBrowserVersion(Version(5, 0, 0, 1155)).Text, QStringLiteral("5.0.0.1155"));
    EXPECT_EQ(AdjustBrowserVersion({}).Text, QString());
}

TEST(VersionCompare, PartsInOrderAsUnsignedNumbers) {
    EXPECT_EQ(VersionCompare({4, 74, 9273, 0}, {4, 74, 9273, 0}), 0);
    EXPECT_EQ(VersionCompare({4, 74, 9273, 1}, {4, 74, 9273, 0}), 1);
    EXPECT_EQ(VersionCompare({4, 73, 65535, 65535}, {4, 74, 0, 0}), -1);
    EXPECT_EQ(VersionCompare({65535, 0, 0, 0}, {1, 0, 0, 0}), 1);
    EXPECT_EQ(VersionCompare({0, 0, 0, 0}, {0, 0, 0, 1}), -1);
}

TEST(LocaleIdentifier, LanguageAndCountry) {
    const auto id = [](QLocale::Language l, QLocale::Territory t) {
        const LocaleIdentifier i = LocaleIdentifierOf(QLocale(l, t));
        return std::array<unsigned, 3>{i.Lcid, i.PrimaryLanguage, i.SubLanguage};
    };
    EXPECT_EQ(id(QLocale::French, QLocale::France), (std::array<unsigned, 3>{0x040C, 0x0C, 1}));
    EXPECT_EQ(id(QLocale::French, QLocale::Canada), (std::array<unsigned, 3>{0x0C0C, 0x0C, 3}));
    EXPECT_EQ(id(QLocale::English, QLocale::UnitedStates),
              (std::array<unsigned, 3>{0x0409, 0x09, 1}));
    EXPECT_EQ(id(QLocale::German, QLocale::Belgium), (std::array<unsigned, 3>{0x0407, 0x07, 1}));
    EXPECT_EQ(id(QLocale::Japanese, QLocale::Japan), (std::array<unsigned, 3>{0, 0, 0}));
    const LocaleIdentifier c = LocaleIdentifierOf(QLocale::c());
    EXPECT_EQ(c.Lcid, 0x040Cu);
}

} // namespace
} // namespace pexor
