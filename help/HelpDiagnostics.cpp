#include "help/HelpDiagnostics.h"

#include "platform/DateUtil.h"
#include "help/HtmlHelpBinding.h"
#include "platform/ProgramPath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <array>
#include <sys/utsname.h>
#include <utility>

namespace pexor {

namespace {

const QString kProbeFileName = QStringLiteral("$_Temp_$.$$$");
const QString kDiagnosticFileName = QStringLiteral("/HHDebug.txt");
const QString kDebugFileName = QStringLiteral("/debug.debug");
constexpr int kSeparatorLength = 80;

struct FriendlyRow {
    FileVersion Reference;
    const char *Text;
};

// Rows from the newest down; the first one the version reaches gives the name.
constexpr std::array kHelpRows{
    FriendlyRow{{4, 74, 8857, 0}, "1.32"},  FriendlyRow{{4, 74, 8793, 0}, "1.31"},
    FriendlyRow{{4, 74, 8702, 0}, "1.3"},   FriendlyRow{{4, 73, 8561, 0}, "1.22"},
    FriendlyRow{{4, 73, 8474, 0}, "1.21a"}, FriendlyRow{{4, 73, 8412, 0}, "1.21"},
    FriendlyRow{{4, 73, 8252, 0}, "1.2"},   FriendlyRow{{4, 72, 8164, 0}, "1.1b"},
    FriendlyRow{{4, 72, 7325, 0}, "1.1a"},  FriendlyRow{{4, 72, 7323, 0}, "1.1"},
    FriendlyRow{{4, 72, 7290, 0}, "1.0"},
};

constexpr std::array kBrowserRows{
    FriendlyRow{{6, 0, 2479, 6}, "Internet Explorer 6 Public Preview (Beta) Refresh"},
    FriendlyRow{{6, 0, 2462, 0}, "Internet Explorer 6 Public Preview (Beta)"},
    FriendlyRow{{5, 50, 4807, 2300}, "Internet Explorer 5.5 Service Pack 2"},
    FriendlyRow{{5, 50, 4522, 1800}, "Internet Explorer 5.5 Service Pack 1"},
    FriendlyRow{{5, 50, 4308, 2900}, "Internet Explorer 5.5 Advanced Security Privacy Beta"},
    FriendlyRow{{5, 50, 4134, 600}, "Internet Explorer 5.5"},
    FriendlyRow{{5, 50, 4134, 100}, "Internet Explorer 5.5 for Windows Me (4.90.3000)"},
    FriendlyRow{{5, 50, 4030, 2400}, "Internet Explorer 5.5 & Internet Tools Beta"},
    FriendlyRow{{5, 50, 3825, 1300}, "Internet Explorer 5.5 Developer Preview"},
    FriendlyRow{{5, 0, 2919, 6307}, "Internet Explorer 5.01"},
    FriendlyRow{{5, 0, 2919, 3800}, "Internet Explorer 5.01 (Windows 2000 RC2, build 5.00.2128)"},
    FriendlyRow{{5, 0, 2919, 800}, "Internet Explorer 5.01 (Windows 2000 RC1, build 5.00.2072)"},
    FriendlyRow{{5, 0, 2721, 1400}, "Internet Explorer 5.0 updated"},
    FriendlyRow{{5, 0, 2614, 0}, "Internet Explorer 5.0b"},
    FriendlyRow{{5, 0, 2314, 0}, "Internet Explorer 5.0a"},
    FriendlyRow{{5, 0, 2014, 0}, "Internet Explorer 5.0"},
    FriendlyRow{{5, 0, 910, 0}, "Internet Explorer 5 Beta (Beta 2)"},
    FriendlyRow{{5, 0, 518, 0}, "Internet Explorer 5 Developer Preview (Beta 1)"},
    FriendlyRow{{4, 72, 3612, 0}, "Internet Explorer 4.01 Service Pack 2 (SP2)"},
    FriendlyRow{{4, 72, 3110, 0}, "Internet Explorer 4.01 Service Pack 1 (SP1)"},
    FriendlyRow{{4, 72, 2106, 0}, "Internet Explorer 4.01"},
    FriendlyRow{{4, 71, 1712, 0}, "Internet Explorer 4.0"},
    FriendlyRow{{4, 71, 1008, 0}, "Internet Explorer 4.0 Platform Preview 2.0 (PP2)"},
    FriendlyRow{{4, 71, 544, 0}, "Internet Explorer 4.0 Platform Preview 1.0 (PP1)"},
    FriendlyRow{{4, 70, 1300, 0}, "Internet Explorer 3.02"},
    FriendlyRow{{4, 70, 1215, 0}, "Internet Explorer 3.01"},
    FriendlyRow{{4, 70, 1158, 0}, "Internet Explorer 3.0 (OSR2)"},
    FriendlyRow{{4, 70, 1155, 0}, "Internet Explorer 3.0"},
    FriendlyRow{{4, 40, 520, 0}, "Internet Explorer 2.0"},
    FriendlyRow{{4, 40, 308, 0}, "Internet Explorer 1.0 (Plus!)"},
};

template <std::size_t N>
QString FriendlyName(const VersionInfo &version, const FileVersion &newest, const char *above,
                     const char *equal, const std::array<FriendlyRow, N> &rows, const char *below) {
    if (version.Text.isEmpty())
        return {};
    const int againstNewest = VersionCompare(version.Version, newest);
    if (againstNewest > 0)
        return QString::fromUtf8(above);
    if (againstNewest == 0)
        return QString::fromUtf8(equal);
    for (const FriendlyRow &row : rows)
        if (VersionCompare(version.Version, row.Reference) >= 0)
            return QString::fromUtf8(row.Text);
    return QString::fromUtf8(below);
}

// Only the conversions the report's formats use; a text with "%" in an
// argument (a path) is copied as it stands.
QString FormatLine(const QString &format, const QStringList &arguments) {
    QString line;
    qsizetype next = 0;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == QLatin1Char('%') && i + 1 < format.size()) {
            const QChar kind = format[i + 1];
            if (kind == QLatin1Char('s') || kind == QLatin1Char('d')) {
                line += arguments.value(next++);
                ++i;
                continue;
            }
            if (kind == QLatin1Char('%')) {
                line += c;
                ++i;
                continue;
            }
        }
        line += c;
    }
    return line;
}

QString Hex4(unsigned int value) {
    return QStringLiteral("0x") +
           QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0')).toUpper();
}

QString Tab(const QString &text) {
    return QLatin1Char('\t') + text;
}

} // namespace

QString WithoutTrailingSeparators(QString path) {
    while (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

VersionInfo FileVersionOf(const QString &path) {
    const std::optional<FileVersion> version = ReadFileVersion(path);
    if (!version)
        return {};
    return {*version, version->ToString()};
}

int VersionCompare(const FileVersion &version, const FileVersion &reference) {
    const auto order = version <=> reference;
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

bool DirectoryWritable(const QString &directory) {
    QFile probe(directory + QLatin1Char('/') + kProbeFileName);
    if (!probe.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    probe.close();
    probe.remove();
    return true;
}

QString HelpFriendlyVersion(const VersionInfo &version) {
    return FriendlyName(version, {4, 74, 9273, 0}, "> 1.33", "1.33", kHelpRows, "< 1.0");
}

QString BrowserFriendlyVersion(const VersionInfo &version) {
    return FriendlyName(version, {6, 0, 2600, 0}, "> Internet Explorer 6",
                        "Internet Explorer 6 (Windows XP)", kBrowserRows,
                        "< Internet Explorer 1.0 (Plus!)");
}

VersionInfo AdjustBrowserVersion(const VersionInfo &version) {
    const FileVersion &v = version.Version;
    if (v.Major != 4 || v.Minor > 70 || v.Release != 0)
        return version;
    VersionInfo adjusted = version;
    adjusted.Version.Release = v.Build;
    adjusted.Version.Build = 0;
    adjusted.Text = adjusted.Version.ToString();
    return adjusted;
}

LocaleIdentifier LocaleIdentifierOf(const QLocale &locale) {
    QLocale::Language language = locale.language();
    QLocale::Territory territory = locale.territory();
    if (language == QLocale::C) {
        language = QLocale::French;
        territory = QLocale::France;
    }
    struct Row {
        QLocale::Language Language;
        unsigned int Primary;
        std::initializer_list<std::pair<QLocale::Territory, unsigned int>> Subs;
    };
    static const Row rows[] = {
        {QLocale::French,
         0x0C,
         {{QLocale::France, 1},
          {QLocale::Belgium, 2},
          {QLocale::Canada, 3},
          {QLocale::Switzerland, 4},
          {QLocale::Luxembourg, 5},
          {QLocale::Monaco, 6}}},
        {QLocale::English,
         0x09,
         {{QLocale::UnitedStates, 1},
          {QLocale::UnitedKingdom, 2},
          {QLocale::Australia, 3},
          {QLocale::Canada, 4},
          {QLocale::NewZealand, 5},
          {QLocale::Ireland, 6}}},
        {QLocale::German,
         0x07,
         {{QLocale::Germany, 1},
          {QLocale::Switzerland, 2},
          {QLocale::Austria, 3},
          {QLocale::Luxembourg, 4},
          {QLocale::Liechtenstein, 5}}},
        {QLocale::Spanish, 0x0A, {{QLocale::Mexico, 2}, {QLocale::Spain, 3}}},
        {QLocale::Italian, 0x10, {{QLocale::Italy, 1}, {QLocale::Switzerland, 2}}},
        {QLocale::Dutch, 0x13, {{QLocale::Netherlands, 1}, {QLocale::Belgium, 2}}},
        {QLocale::Portuguese, 0x16, {{QLocale::Brazil, 1}, {QLocale::Portugal, 2}}},
    };
    LocaleIdentifier id;
    for (const Row &row : rows) {
        if (row.Language != language)
            continue;
        id.PrimaryLanguage = row.Primary;
        id.SubLanguage = 1; // the language's default country
        for (const auto &[country, sub] : row.Subs)
            if (country == territory)
                id.SubLanguage = sub;
    }
    id.Lcid = (id.SubLanguage << 10) | id.PrimaryLanguage;
    return id;
}

HelpDiagnosticInputs HelpDiagnosticInputs::FromProcess(int argc, char **argv) {
    HelpDiagnosticInputs inputs;
    inputs.ModulePath = ProgramFilePath();
    if (argc > 0 && argv != nullptr && argv[0] != nullptr)
        inputs.Argument0 = QFile::decodeName(argv[0]);
    inputs.RunDirectory = pexor::RunDirectory();
    for (int i = 1; i < argc && argv != nullptr; ++i)
        inputs.Arguments << QFile::decodeName(argv[i]);
    inputs.TempDirectory = QDir::tempPath();
    inputs.HelpViewerPath = pexor::HelpViewerPath();
    utsname system{};
    if (uname(&system) == 0) {
        inputs.SystemName = QString::fromLocal8Bit(system.sysname);
        // "6.1.0-18-amd64": the leading numbers are the version.
        const QStringList numbers =
            QString::fromLocal8Bit(system.release)
                .section(QRegularExpression(QStringLiteral("[^0-9.]")), 0, 0)
                .split(QLatin1Char('.'));
        inputs.SystemMajor = numbers.value(0).toInt();
        inputs.SystemMinor = numbers.value(1).toInt();
        inputs.SystemBuild = numbers.value(2).toInt();
    }
    inputs.SystemLocale = QLocale::system();
    inputs.Settings = Locale();
    inputs.Clock = [] { return QDateTime::currentDateTime(); };
    return inputs;
}

HelpDiagnostics::HelpDiagnostics(HelpDiagnosticInputs inputs) : inputs_(std::move(inputs)) {
    if (!inputs_.Clock)
        inputs_.Clock = [] { return QDateTime::currentDateTime(); };

    const qsizetype slash = inputs_.ModulePath.lastIndexOf(QLatin1Char('/'));
    moduleDir_ = WithoutTrailingSeparators(inputs_.ModulePath.left(slash < 0 ? 0 : slash));
    moduleName_ = inputs_.ModulePath.mid(slash + 1);
    runDir_ = WithoutTrailingSeparators(inputs_.RunDirectory);

    if (DirectoryWritable(moduleDir_))
        debugDirectory_ = moduleDir_;
    else if (QFileInfo(inputs_.TempDirectory).isDir())
        debugDirectory_ = WithoutTrailingSeparators(inputs_.TempDirectory);
    else
        debugDirectory_ = QString(); // the root directory, once the separator is gone

    debugFlag_ = QFileInfo::exists(moduleDir_ + kDebugFileName);
    for (const QString &argument : inputs_.Arguments)
        if (argument.compare(QStringLiteral("/debug"), Qt::CaseInsensitive) == 0 ||
            argument.compare(QStringLiteral("-debug"), Qt::CaseInsensitive) == 0)
            debugFlag_ = true;

    hhVersion_ = FileVersionOf(inputs_.HelpViewerPath);
    hhFriendlyVerStr_ = HelpFriendlyVersion(hhVersion_);

    ieVersion_ = AdjustBrowserVersion(FileVersionOf(inputs_.BrowserComponentPath));
    ieFriendlyVerStr_ = BrowserFriendlyVersion(ieVersion_);
}

QString HelpDiagnostics::DiagnosticFileName() const {
    return debugDirectory_ + kDiagnosticFileName;
}

QString HelpDiagnostics::TimeText(const QDateTime &when) const {
    return FormatDate(inputs_.Settings.LongTimeFormat, DateTimeOf(when), inputs_.Settings);
}

void HelpDiagnostics::DiagnosticLine(const QString &format, const QStringList &arguments) const {
    QFile file(DiagnosticFileName());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    QString line = FormatLine(format, arguments);
    if (line == QLatin1String("-") || line == QLatin1String("="))
        line = QString(kSeparatorLength, line[0]);
    if (line.startsWith(QLatin1Char('!')) || line.startsWith(QLatin1Char('-')) ||
        line.startsWith(QLatin1Char('=')))
        line.remove(0, 1);
    else
        line += QStringLiteral("   ") + TimeText(inputs_.Clock());
    file.write(line.toUtf8() + "\r\n");
    file.flush();
    file.close();
}

void HelpDiagnostics::DiagnosticDump() const {
    const QString fileName = DiagnosticFileName();
    if (QFileInfo::exists(fileName))
        QFile::remove(fileName);
    if (!debugFlag_)
        return;

    const QDateTime now = inputs_.Clock();
    const QString date =
        FormatDate(inputs_.Settings.ShortDateFormat, DateTimeOf(now), inputs_.Settings) +
        QLatin1Char(' ') + TimeText(now);
    const LocaleIdentifier locale = LocaleIdentifierOf(inputs_.SystemLocale);
    const auto yesNo = [](bool value) {
        return Tab(value ? QStringLiteral("YES") : QStringLiteral("NO"));
    };

    DiagnosticLine(QStringLiteral("!Filename:             %s"), {Tab(fileName)});
    DiagnosticLine(QStringLiteral("!Date:                 %s"), {Tab(date)});
    DiagnosticLine(QStringLiteral("!Operating System:      %s %d.%d.%d"),
                   {Tab(inputs_.SystemName), QString::number(inputs_.SystemMajor),
                    QString::number(inputs_.SystemMinor), QString::number(inputs_.SystemBuild)});
    DiagnosticLine(QStringLiteral("!SysLocale.DefaultLCID: %s"), {Tab(Hex4(locale.Lcid))});
    DiagnosticLine(QStringLiteral("!SysLocale.PriLangID:   %s"),
                   {Tab(Hex4(locale.PrimaryLanguage))});
    DiagnosticLine(QStringLiteral("!SysLocale.SubLangID:   %s"), {Tab(Hex4(locale.SubLanguage))});
    DiagnosticLine(QStringLiteral("!DecimalSeparator:      %s"),
                   {Tab(QString(inputs_.Settings.DecimalSeparator))});
    DiagnosticLine(QStringLiteral("-"));
    DiagnosticLine(QStringLiteral("!EXE Path =          %s"), {Tab(inputs_.Argument0)});
    DiagnosticLine(QStringLiteral("!Cmdline Param(s) =  %s"),
                   {Tab(inputs_.Arguments.join(QStringLiteral(" | ")))});
    DiagnosticLine(QStringLiteral("!_RunDir =           %s"), {Tab(runDir_)});
    DiagnosticLine(QStringLiteral("!_ModuleName =       %s"), {Tab(moduleName_)});
    DiagnosticLine(QStringLiteral("!_ModuleDir =        %s"), {Tab(moduleDir_)});
    DiagnosticLine(QStringLiteral("-"));
    DiagnosticLine(QStringLiteral("!_hhInstalled =      %s"), {yesNo(HhInstalled())});
    DiagnosticLine(QStringLiteral("!_hhVerStr =         %s"), {Tab(HhVerStr())});
    DiagnosticLine(QStringLiteral("!_hhFriendlyVerStr = %s"), {Tab(hhFriendlyVerStr_)});
    DiagnosticLine(QStringLiteral("-"));
    DiagnosticLine(QStringLiteral("!_ieInstalled =      %s"), {yesNo(IeInstalled())});
    DiagnosticLine(QStringLiteral("!_ieVerStr =         %s"), {Tab(IeVerStr())});
    DiagnosticLine(QStringLiteral("!_ieFriendlyVerStr = %s"), {Tab(ieFriendlyVerStr_)});
    DiagnosticLine(QStringLiteral("="));
}

HelpSession::HelpSession(int argc, char **argv) {
    if (HelpViewerAutoLoad())
        HelpViewerLoad();
    diagnostics_ = std::make_unique<HelpDiagnostics>(HelpDiagnosticInputs::FromProcess(argc, argv));
    diagnostics_->DiagnosticDump();
}

HelpSession::HelpSession(HelpDiagnosticInputs inputs) {
    if (HelpViewerAutoLoad())
        HelpViewerLoad();
    diagnostics_ = std::make_unique<HelpDiagnostics>(std::move(inputs));
    diagnostics_->DiagnosticDump();
}

HelpSession::~HelpSession() {
    diagnostics_.reset();
    HelpViewerUnload();
}

} // namespace pexor
