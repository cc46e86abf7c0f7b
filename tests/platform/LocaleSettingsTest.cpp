#include "platform/LocaleSettings.h"

#include "platform/ProgramPath.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace pexor {
namespace {

TEST(LocaleSettingsTest, CLocaleGivesTheFrenchSettings) {
    const LocaleSettings s = LocaleSettings::FromLocale(QLocale::c());
    EXPECT_EQ(s.ShortDateFormat, QStringLiteral("dd/MM/yyyy"));
    EXPECT_EQ(s.LongDateFormat, QStringLiteral("dddd d MMMM yyyy"));
    EXPECT_EQ(s.LongTimeFormat, QStringLiteral("HH:mm:ss"));
    EXPECT_EQ(s.DateSeparator, QChar(u'/'));
    EXPECT_EQ(s.TimeSeparator, QChar(u':'));
    EXPECT_EQ(s.LongMonthNames.size(), 12);
    EXPECT_EQ(s.LongMonthNames[0], QStringLiteral("janvier"));
    EXPECT_EQ(s.LongMonthNames[11], QString::fromUtf8("décembre"));
    EXPECT_EQ(s.ShortMonthNames.size(), 12);
    EXPECT_EQ(s.LongDayNames, QStringList({"dimanche", "lundi", "mardi", "mercredi", "jeudi",
                                           "vendredi", "samedi"}));
    EXPECT_EQ(s.ShortDayNames.size(), 7);
    EXPECT_EQ(s.DecimalSeparator, QChar(u','));
    EXPECT_FALSE(s.EastAsian);
}

TEST(LocaleSettingsTest, QtPatternsAreConverted) {
    const LocaleSettings us =
        LocaleSettings::FromLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(us.ShortDateFormat, QStringLiteral("M/d/yy"));
    EXPECT_EQ(us.DateSeparator, QChar(u'/'));
    EXPECT_TRUE(us.LongTimeFormat.contains(QStringLiteral("AMPM")))
        << us.LongTimeFormat.toStdString();
    EXPECT_FALSE(us.LongTimeFormat.contains(u't'));
    EXPECT_EQ(us.TimeSeparator, QChar(u':'));
    EXPECT_EQ(us.LongDayNames[0], QStringLiteral("Sunday"));
    EXPECT_EQ(us.LongMonthNames[0], QStringLiteral("January"));
    EXPECT_EQ(us.TimeAMString, QStringLiteral("AM"));
    EXPECT_EQ(us.DecimalSeparator, QChar(u'.'));
    EXPECT_EQ(us.ThousandSeparator, QChar(u','));
    EXPECT_EQ(us.FirstDayOfWeek, 7);

    const LocaleSettings de =
        LocaleSettings::FromLocale(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(de.DateSeparator, QChar(u'.'));
    EXPECT_EQ(de.DecimalSeparator, QChar(u','));
    EXPECT_EQ(de.FirstDayOfWeek, 1);

    EXPECT_TRUE(LocaleSettings::FromLocale(QLocale(QLocale::Japanese, QLocale::Japan)).EastAsian);
}

TEST(LocaleSettingsTest, SettingsInForceAreReplacedAndReread) {
    const bool fourDigits = LocaleFourDigitYear();
    LocaleSettings custom = LocaleSettings::French();
    custom.ShortDateFormat = fourDigits ? QStringLiteral("d/M/yy") : QStringLiteral("dd/MM/yyyy");
    SetLocaleSettings(custom);
    EXPECT_EQ(Locale().ShortDateFormat, custom.ShortDateFormat);
    // Fixed at first use, whatever happens to the settings later.
    EXPECT_EQ(LocaleFourDigitYear(), fourDigits);
    ReloadLocaleSettings();
    EXPECT_EQ(Locale().ShortDateFormat,
              LocaleSettings::FromLocale(QLocale::system()).ShortDateFormat);
    EXPECT_EQ(CenturyWindow, 60);
}

TEST(ProgramPathTest, PathsAndArguments) {
    EXPECT_EQ(ProgramFilePath(), QCoreApplication::applicationFilePath());
    EXPECT_EQ(ProgramDirectory(), QCoreApplication::applicationDirPath());

    char zero[] = "/opt/suivi//bin/Pexor";
    char one[] = "-debug";
    char *argv[] = {zero, one, nullptr};
    SetProgramArguments(2, argv);
    EXPECT_EQ(ProgramArguments(), QStringList{QStringLiteral("-debug")});
    EXPECT_EQ(RunDirectory(), QStringLiteral("/opt/suivi/bin"));

    char bare[] = "Pexor";
    char *found[] = {bare, nullptr};
    SetProgramArguments(1, found);
    EXPECT_TRUE(ProgramArguments().isEmpty());
    EXPECT_EQ(RunDirectory(), ProgramDirectory());
}

} // namespace
} // namespace pexor
