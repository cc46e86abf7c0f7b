#include "platform/DateUtil.h"

#include "platform/Exceptions.h"
#include "platform/LocaleSettings.h"

#include <QDate>
#include <gtest/gtest.h>

namespace pexor {
namespace {

// French settings and a clock stopped at 7 December 2026, 14:03:27.250.
class DateUtilTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = Locale();
        SetLocaleSettings(LocaleSettings::French());
        now_ = MakeDate(2026, 12, 7) + (14 * 3600 + 3 * 60 + 27.25) / 86400.0;
        SetClock([this] { return now_; });
    }
    void TearDown() override {
        ResetClock();
        SetLocaleSettings(saved_);
    }
    static void SetShortDateFormat(const QString &format, QChar separator = u'/') {
        LocaleSettings s = LocaleSettings::French();
        s.ShortDateFormat = format;
        s.DateSeparator = separator;
        SetLocaleSettings(s);
    }
    static TDateTime Parsed(const QString &text, bool *ok = nullptr) {
        TDateTime value = -1.0;
        const bool success = TryParseDate(QStringLiteral("DD/MM/YYYY"), text, value);
        if (ok)
            *ok = success;
        return success ? value : -1.0;
    }
    static bool Parses(const QString &text) {
        bool ok = false;
        Parsed(text, &ok);
        return ok;
    }

    LocaleSettings saved_;
    TDateTime now_ = 0;
};

bool IndependentLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

TEST_F(DateUtilTest, EveryDayFromYearOneToYear9999RoundTrips) {
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    long long expected = -693593; // 1 January of year 1
    int y = 1, m = 1, d = 1;
    int failures = 0;
    while (y <= 9999 && failures < 5) {
        const TDateTime v = MakeDate(y, m, d);
        const DateParts parts = SplitDate(v);
        if (v != double(expected) || parts != DateParts{y, m, d} ||
            DayOfWeekOf(v) != int(((expected % 7) + 7 + 6) % 7) + 1) {
            ADD_FAILURE() << y << "-" << m << "-" << d << " gave " << v;
            ++failures;
        }
        ++expected;
        const int length = lengths[m - 1] + (m == 2 && IndependentLeap(y) ? 1 : 0);
        if (++d > length) {
            d = 1;
            if (++m > 12) {
                m = 1;
                ++y;
            }
        }
    }
    EXPECT_EQ(expected, 2958466); // day after 31 December 9999
}

TEST_F(DateUtilTest, CalendarFacts) {
    EXPECT_EQ(MakeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(MakeDate(1899, 12, 31), 1.0);
    EXPECT_EQ(MakeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(MakeDate(1899, 12, 29), -1.0);
    EXPECT_EQ(DayOfWeekOf(0.0), 7);
    EXPECT_EQ(DayOfWeekOf(1.0), 1);
    EXPECT_EQ(DayOfWeekOf(MakeDate(2026, 12, 7)), 2); // a Monday
    EXPECT_EQ(DayOfWeekOf(-1.0), 6);
    EXPECT_TRUE(LeapYear(2000));
    EXPECT_FALSE(LeapYear(2100));
    EXPECT_TRUE(LeapYear(2024));
    EXPECT_EQ(MonthLength(2024, 2), 29);
    EXPECT_EQ(MonthLength(2100, 2), 28);
    EXPECT_EQ(MonthLength(2026, 4), 30);
    EXPECT_FALSE(IsDateValid(-1, 12, 7));
    EXPECT_FALSE(IsDateValid(2026, -1, 7));
    EXPECT_FALSE(IsDateValid(2026, 12, -1));
    EXPECT_FALSE(IsDateValid(0, 1, 1));
    EXPECT_FALSE(IsDateValid(10000, 1, 1));
    EXPECT_FALSE(IsDateValid(65536 + 2026, 12, 7));
    EXPECT_TRUE(IsDateValid(9999, 12, 31));
    EXPECT_TRUE(IsDateValueValid(MakeDate(1, 1, 1)));
    EXPECT_FALSE(IsDateValueValid(-693594.0));
    EXPECT_FALSE(IsDateValueValid(2958466.0));
    EXPECT_EQ(SplitDate(-693594.0), (DateParts{0, 0, 0}));
    EXPECT_EQ(SplitDate(1e300), (DateParts{0, 0, 0}));
}

TEST_F(DateUtilTest, MakeDateRefusesImpossibleParts) {
    try {
        MakeDate(2026, 2, 29);
        FAIL() << "no exception";
    } catch (const EConvertError &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Argument incorrect pour l'encodage de date"));
    }
    EXPECT_THROW(MakeDate(2026, 13, 1), EConvertError);
    EXPECT_THROW(MakeDate(0, 1, 1), EConvertError);
}

TEST_F(DateUtilTest, TimeIsRoundedToTheMillisecond) {
    const TDateTime midnight = MakeDate(2026, 12, 8);
    const double ms = 1.0 / 86400000.0;
    EXPECT_EQ(SplitDate(midnight - 0.4 * ms), (DateParts{2026, 12, 8}));
    EXPECT_EQ(SplitTime(midnight - 0.4 * ms), (TimeParts{0, 0, 0, 0}));
    EXPECT_EQ(SplitDate(midnight - 0.6 * ms), (DateParts{2026, 12, 7}));
    EXPECT_EQ(SplitTime(midnight - 0.6 * ms), (TimeParts{23, 59, 59, 999}));
    EXPECT_EQ(FormatDate(QStringLiteral("dd/mm hh:nn:ss"), midnight - 0.4 * ms),
              QStringLiteral("08/12 00:00:00"));
    EXPECT_EQ(SplitTime(now_), (TimeParts{14, 3, 27, 250}));
    // Before day 0 the fraction is still the time of day.
    EXPECT_EQ(SplitDate(-1.25), (DateParts{1899, 12, 29}));
    EXPECT_EQ(SplitTime(-1.25), (TimeParts{6, 0, 0, 0}));
}

TEST_F(DateUtilTest, ClockIsInjectableAndResettable) {
    EXPECT_EQ(Now(), now_);
    EXPECT_EQ(Today(), MakeDate(2026, 12, 7));
    EXPECT_EQ(ThisYear(), 2026);
    ResetClock();
    const QDate today = QDate::currentDate();
    const TDateTime real = Today();
    // The day may turn while the test runs.
    EXPECT_TRUE(real == MakeDate(today.year(), today.month(), today.day()) ||
                real == MakeDate(today.year(), today.month(), today.day()) + 1);
    EXPECT_EQ(DateOr(EmptyDate, 5.0), 5.0);
    EXPECT_EQ(DateOr(3.0, 5.0), 3.0);
}

TEST_F(DateUtilTest, LocalePatterns) {
    EXPECT_EQ(DateOrderOf(QStringLiteral("dd/MM/yyyy")), orderDMY);
    EXPECT_EQ(DateOrderOf(QStringLiteral("M/d/yy")), orderMDY);
    EXPECT_EQ(DateOrderOf(QStringLiteral("yyyy-MM-dd")), orderYMD);
    EXPECT_EQ(DateOrderOf(QStringLiteral("gg ee/MM/dd")), orderYMD);
    EXPECT_EQ(DateOrderOf(QStringLiteral("--")), orderDMY);

    EXPECT_EQ(FieldDateFormat(true), QStringLiteral("DD/MM/YYYY"));
    EXPECT_EQ(FieldDateFormat(false), QStringLiteral("DD/MM/YY"));
    EXPECT_EQ(FieldDateMask(u' ', true), QStringLiteral("!99/99/9999;1; "));
    EXPECT_EQ(FieldDateMask(u'_', false), QStringLiteral("!99/99/99;1;_"));
    SetShortDateFormat(QStringLiteral("M/d/yy"));
    EXPECT_EQ(FieldDateFormat(true), QStringLiteral("MM/DD/YYYY"));
    EXPECT_EQ(FieldDateFormat(false), QStringLiteral("MM/DD/YY"));
    EXPECT_EQ(FieldDateMask(u' ', true), QStringLiteral("!99/99/9999;1; "));
    SetShortDateFormat(QStringLiteral("yyyy-MM-dd"), u'-');
    EXPECT_EQ(FieldDateFormat(true), QStringLiteral("YYYY/MM/DD"));
    EXPECT_EQ(FieldDateFormat(false), QStringLiteral("YY/MM/DD"));
    EXPECT_EQ(FieldDateMask(u' ', true), QStringLiteral("!9999/99/99;1; "));
    EXPECT_EQ(FieldDateMask(u' ', false), QStringLiteral("!99/99/99;1; "));
}

TEST_F(DateUtilTest, WidenYearKeepsSixtyYearsBack) {
    EXPECT_EQ(WidenYear(66), 1966);
    EXPECT_EQ(WidenYear(99), 1999);
    EXPECT_EQ(WidenYear(0), 2000);
    EXPECT_EQ(WidenYear(65), 2065);
    EXPECT_EQ(WidenYear(26), 2026);
    EXPECT_EQ(WidenYear(100), 100);
    EXPECT_EQ(WidenYear(2026), 2026);
    EXPECT_EQ(WidenYear(-1), -1);
}

TEST_F(DateUtilTest, WorkedParsingCases) {
    EXPECT_EQ(Parsed(QStringLiteral("07/12/2026")), MakeDate(2026, 12, 7));
    // Positional match collects "7/" as the day; the free scan finds it.
    EXPECT_EQ(Parsed(QStringLiteral("7/12/26")), MakeDate(2026, 12, 7));
    EXPECT_EQ(Parsed(QStringLiteral("1/2")), MakeDate(2026, 2, 1));
    EXPECT_FALSE(Parses(QStringLiteral("  /  /    ")));
    EXPECT_FALSE(Parses(QStringLiteral("31/02/2026")));
    EXPECT_FALSE(Parses(QStringLiteral("29/02/2100")));
    EXPECT_EQ(Parsed(QStringLiteral("29/02/2000")), MakeDate(2000, 2, 29));
    EXPECT_EQ(Parsed(QStringLiteral("07/12/2026   ")), MakeDate(2026, 12, 7));
    EXPECT_EQ(Parsed(QStringLiteral("07/12/2026/  ")), MakeDate(2026, 12, 7));
    EXPECT_FALSE(Parses(QStringLiteral("07/12/2026x")));
    EXPECT_FALSE(Parses(QStringLiteral("07/12/20265")));
    EXPECT_EQ(Parsed(QStringLiteral("01/01/0000")), MakeDate(2000, 1, 1));
    EXPECT_EQ(Parsed(QStringLiteral("01/01/0065")), MakeDate(2065, 1, 1));
    EXPECT_EQ(Parsed(QStringLiteral("01/01/0066")), MakeDate(1966, 1, 1));
    EXPECT_EQ(Parsed(QString()), EmptyDate);
    EXPECT_EQ(ParseDateOr(QStringLiteral("DD/MM/YYYY"), QString(), 46000.5), EmptyDate);
}

TEST_F(DateUtilTest, MoreParsing) {
    // A blank year must not be widened into 1999.
    EXPECT_FALSE(Parses(QStringLiteral("07/12/    ")));
    EXPECT_FALSE(Parses(QStringLiteral("1/2/")));
    EXPECT_FALSE(Parses(QStringLiteral("abc")));
    EXPECT_EQ(Parsed(QStringLiteral(" 7 / 12 / 2026")), MakeDate(2026, 12, 7));
    EXPECT_EQ(Parsed(QStringLiteral("07/12/26  ")), MakeDate(2026, 12, 7));
    // Day defaults to 1 when the format has none.
    TDateTime v = 0;
    EXPECT_TRUE(TryParseDate(QStringLiteral("MM/YYYY"), QStringLiteral("12/2026"), v));
    EXPECT_EQ(v, MakeDate(2026, 12, 1));
    // Month by name.
    EXPECT_TRUE(TryParseDate(QStringLiteral("DD-MMM-YYYY"), QStringLiteral("07-DÉC-2026"), v));
    EXPECT_EQ(v, MakeDate(2026, 12, 7));
    EXPECT_EQ(ParseDateOr(QStringLiteral("DD/MM/YYYY"), QStringLiteral("zz"), 46000.75), 46000.0);
    EXPECT_EQ(ParseDateOr(QStringLiteral("DD/MM/YYYY"), QStringLiteral("01/01/2000"), 5.0),
              MakeDate(2000, 1, 1));

    // The free scan reads the numbers in the order of the format it is given.
    SetShortDateFormat(QStringLiteral("M/d/yy"));
    const QString mdy = FieldDateFormat(true);
    EXPECT_TRUE(TryParseDate(mdy, QStringLiteral("12/7/26"), v));
    EXPECT_EQ(v, MakeDate(2026, 12, 7));
    EXPECT_TRUE(TryParseDate(mdy, QStringLiteral("3/4"), v));
    EXPECT_EQ(v, MakeDate(2026, 3, 4));
    SetShortDateFormat(QStringLiteral("yyyy.MM.dd"), u'.');
    EXPECT_TRUE(TryParseDate(QStringLiteral("YYYY/MM/DD"), QStringLiteral("26.12.7"), v));
    EXPECT_EQ(v, MakeDate(2026, 12, 7));
}

TEST_F(DateUtilTest, ParseDateReportsTheText) {
    EXPECT_EQ(ParseDate(QStringLiteral("DD/MM/YYYY"), QStringLiteral("07/12/2026")),
              MakeDate(2026, 12, 7));
    try {
        ParseDate(QStringLiteral("DD/MM/YYYY"), QStringLiteral("31/02/2026"));
        FAIL() << "no exception";
    } catch (const EConvertError &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("''31/02/2026'' n'est pas une date correcte"));
    }
}

TEST_F(DateUtilTest, FieldExtraction) {
    const QString f = QStringLiteral("DD/MM/YYYY");
    EXPECT_EQ(ExtractFormatField(f, QStringLiteral("07/12/2026"), u'd', 1, -1, 1), 7);
    EXPECT_EQ(ExtractFormatField(f, QStringLiteral("07/12/2026"), u'y', 1, -1, 0), 2026);
    EXPECT_EQ(ExtractFormatField(f, QStringLiteral("07/12/20"), u'y', 1, -1, 0), 20);
    EXPECT_EQ(ExtractFormatField(f, QStringLiteral("07/1 /2026"), u'm', 1, -1, 0), 1);
    EXPECT_EQ(ExtractFormatField(f, QStringLiteral("  /12/2026"), u'd', 1, -1, 1), -1);
    EXPECT_EQ(ExtractFormatField(f, QStringLiteral("7/12/26"), u'd', 1, -9, 1), -1);
    EXPECT_EQ(ExtractFormatField(f, QStringLiteral("07/12/2026 "), u'd', 1, -1, 42), 42);
    EXPECT_EQ(ExtractFormatField(f, QStringLiteral("07/12/2026"), u'm', 3, -1, 0), 0);
    EXPECT_EQ(ExtractFormatField(QStringLiteral("MMM"), QStringLiteral("xyz"), u'm', 3, -5, 0), -1);
    EXPECT_EQ(MonthByName(QStringLiteral("Févr")), 2);
    EXPECT_EQ(MonthByName(QStringLiteral("ju")), 6);
    EXPECT_EQ(MonthByName(QStringLiteral("juil")), 7);
    EXPECT_EQ(MonthByName(QStringLiteral("janviers")), 0);

    DateParts p;
    EXPECT_TRUE(ScanDateFree(QStringLiteral("7/12/26"), f, p));
    EXPECT_EQ(p, (DateParts{2026, 12, 7}));
    EXPECT_FALSE(ScanDateFree(QStringLiteral("7/12/"), f, p));
    EXPECT_FALSE(ScanDateFree(QStringLiteral("7-12-26"), f, p));
}

TEST_F(DateUtilTest, WorkedFormattingCases) {
    EXPECT_EQ(FormatDate(QStringLiteral("DD/MM/YYYY"), 2.0), QStringLiteral("01/01/1900"));
    EXPECT_EQ(FormatDate(QStringLiteral("MMMM, YYYY"), 2.0), QStringLiteral("janvier, 1900"));
    EXPECT_EQ(DateText(now_), QStringLiteral("07/12/2026"));
    EXPECT_EQ(TimeText(now_), QStringLiteral("14:03:27"));
}

TEST_F(DateUtilTest, FormatTokens) {
    auto f = [this](const char *format) { return FormatDate(QString::fromUtf8(format), now_); };
    EXPECT_EQ(f("d dd ddd dddd"), QStringLiteral("7 07 lun. lundi"));
    EXPECT_EQ(f("ddddd"), QStringLiteral("07/12/2026"));
    EXPECT_EQ(f("dddddd"), QStringLiteral("lundi 7 décembre 2026"));
    EXPECT_EQ(f("m mm mmm mmmm MMMMM"), QStringLiteral("12 12 déc. décembre décembre"));
    EXPECT_EQ(f("y yy yyy yyyy"), QStringLiteral("26 26 2026 2026"));
    EXPECT_EQ(f("h:n:s"), QStringLiteral("14:3:27"));
    EXPECT_EQ(f("hh:nn:ss"), QStringLiteral("14:03:27"));
    EXPECT_EQ(f("hh:mm"), QStringLiteral("14:03"));
    EXPECT_EQ(f("hh'x'mm"), QStringLiteral("14x03"));
    EXPECT_EQ(f("hh dd mm"), QStringLiteral("14 07 12"));
    EXPECT_EQ(f("h:mm am/pm"), QStringLiteral("2:03 pm"));
    EXPECT_EQ(f("H:MM AM/PM"), QStringLiteral("2:03 PM"));
    EXPECT_EQ(f("h:mm Am/pM"), QStringLiteral("2:03 pM"));
    EXPECT_EQ(f("h a/p"), QStringLiteral("2 p"));
    EXPECT_EQ(f("h ampm"), QStringLiteral("2 PM"));
    EXPECT_EQ(f("hh 'am/pm'"), QStringLiteral("14 am/pm"));
    EXPECT_EQ(f("hh:nn hh am/pm"), QStringLiteral("14:03 02 pm"));
    EXPECT_EQ(f("aaaa aaa ax"), QStringLiteral("lundi lun. ax"));
    EXPECT_EQ(f("t|tt"), QStringLiteral("14:03|14:03:27"));
    EXPECT_EQ(f("c"), QStringLiteral("07/12/2026 14:03:27"));
    EXPECT_EQ(FormatDate(QStringLiteral("c"), MakeDate(2026, 12, 7)), QStringLiteral("07/12/2026"));
    EXPECT_EQ(FormatDate(QStringLiteral("h:nn AM/PM"), MakeDate(2026, 12, 7)),
              QStringLiteral("12:00 AM"));
    EXPECT_EQ(f("'dd' \"mm\" dd 'open"), QStringLiteral("dd mm 07 open"));
    EXPECT_EQ(f("dd.mm-yy, xX"), QStringLiteral("07.12-26, xX"));
}

TEST_F(DateUtilTest, FormatSeparatorsNestingAndLength) {
    LocaleSettings s = LocaleSettings::French();
    s.DateSeparator = u'-';
    s.TimeSeparator = u'.';
    SetLocaleSettings(s);
    EXPECT_EQ(FormatDate(QStringLiteral("dd/mm hh:nn"), now_), QStringLiteral("07-12 14.03"));

    s.ShortDateFormat = QStringLiteral("[ddddd]");
    SetLocaleSettings(s);
    EXPECT_EQ(FormatDate(QStringLiteral("ddddd"), now_), QStringLiteral("[[]]"));
    s.ShortDateFormat = QStringLiteral("<c>");
    s.LongTimeFormat = QStringLiteral("(t)");
    s.ShortTimeFormat = QStringLiteral("{tt}");
    SetLocaleSettings(s);
    EXPECT_EQ(FormatDate(QStringLiteral("c"), now_), QStringLiteral("<<> ()> ({})"));

    EXPECT_EQ(FormatDate(QString(300, u'x'), now_), QString(256, u'x'));
    const QString longFormat = QString(200, u'x') + QStringLiteral("dddd ").repeated(10);
    EXPECT_EQ(FormatDate(longFormat, now_),
              QString(200, u'x') + QStringLiteral("lundi ").repeated(9) + QStringLiteral("lu"));
}

} // namespace
} // namespace pexor
