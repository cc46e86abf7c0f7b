#include "platform/FormatFloat.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace pexor {
namespace {

LocaleSettings Dotted() {
    LocaleSettings s = LocaleSettings::French();
    s.DecimalSeparator = u'.';
    s.ThousandSeparator = u',';
    return s;
}

QString F(const char *pattern, double value) {
    return FormatFloat(QString::fromUtf8(pattern), value, Dotted());
}
QString F(const std::string &pattern, double value) {
    return F(pattern.c_str(), value);
}

// n groups of ",000" after the first, as "#,##0" writes them.
QString Group3Zeros(int n) {
    QStringList groups;
    for (int i = 0; i < n; ++i)
        groups << QStringLiteral("000");
    return groups.join(u',');
}

TEST(FormatFloatTest, GroupingAndDecimals) {
    EXPECT_EQ(F("#,##0.###", 1234567.891), QStringLiteral("1,234,567.891"));
    EXPECT_EQ(F("#,##0.###", 1234.5), QStringLiteral("1,234.5"));
    EXPECT_EQ(F("#,##0.###", 2.0), QStringLiteral("2"));
    EXPECT_EQ(F("#,##0.###", 0.1234), QStringLiteral("0.123"));
    EXPECT_EQ(F("#,##0.###", 999.9996), QStringLiteral("1,000"));
    EXPECT_EQ(F("#,##0", 8388608), QStringLiteral("8,388,608"));
    EXPECT_EQ(F("#,##0", 999), QStringLiteral("999"));
    EXPECT_EQ(F("#,##0", 1000), QStringLiteral("1,000"));
    EXPECT_EQ(F("0.00", 1), QStringLiteral("1.00"));
    EXPECT_EQ(F("0.0#", 1.5), QStringLiteral("1.5"));
    EXPECT_EQ(F("0.0#", 1), QStringLiteral("1.0"));
    EXPECT_EQ(F("000", 5), QStringLiteral("005"));
    EXPECT_EQ(F("#.##", 0.5), QStringLiteral(".5"));
    EXPECT_EQ(F("#", 0), QString());
}

TEST(FormatFloatTest, HalvesRoundAwayFromZero) {
    EXPECT_EQ(F("0", 2.5), QStringLiteral("3"));
    EXPECT_EQ(F("0", 1.5), QStringLiteral("2"));
    EXPECT_EQ(F("0", -2.5), QStringLiteral("-3"));
    EXPECT_EQ(F("0", 0.4999), QStringLiteral("0"));
    EXPECT_EQ(F("0.00", 1.005), QStringLiteral("1.01"));
    EXPECT_EQ(F("0.00", 2.675), QStringLiteral("2.68"));
    EXPECT_EQ(F("#,##0.###", 0.0005), QStringLiteral("0.001"));
    EXPECT_EQ(F("#,##0.###", 0.00049), QStringLiteral("0"));
    EXPECT_EQ(F("0.#", 0.06), QStringLiteral("0.1"));
    EXPECT_EQ(F("0", 9.5), QStringLiteral("10"));
}

TEST(FormatFloatTest, NegativesZeroAndSections) {
    EXPECT_EQ(F("#,##0.###", -1234.5678), QStringLiteral("-1,234.568"));
    EXPECT_EQ(F("#,##0.###", 0), QStringLiteral("0"));
    EXPECT_EQ(F("#,##0.###", -0.0001), QStringLiteral("0"));
    EXPECT_EQ(F("0;(0);'zéro'", -5), QStringLiteral("(5)"));
    EXPECT_EQ(F("0;(0);'zéro'", 0), QString::fromUtf8("zéro"));
    EXPECT_EQ(F("0;(0);'zéro'", 5), QStringLiteral("5"));
    EXPECT_EQ(F("0;;", -5), QStringLiteral("-5"));
}

TEST(FormatFloatTest, PercentAndLiteralText) {
    EXPECT_EQ(F("##0.## %", 0.125), QStringLiteral("12.5 %"));
    EXPECT_EQ(F("##0.## %", 0.12345), QStringLiteral("12.35 %"));
    EXPECT_EQ(F("##0.## %", 1), QStringLiteral("100 %"));
    EXPECT_EQ(F("##0.## %", 0), QStringLiteral("0 %"));
    EXPECT_EQ(F("'Total : '#,##0\" ko\"", 12345), QStringLiteral("Total : 12,345 ko"));
    EXPECT_EQ(F("x0y", 7), QStringLiteral("x7y"));
    EXPECT_EQ(F("'0;#'0", 7), QStringLiteral("0;#7"));
}

TEST(FormatFloatTest, LargeValuesAndSpecials) {
    EXPECT_EQ(F("#,##0", 1e15), QStringLiteral("1,000,000,000,000,000"));
    EXPECT_EQ(F("#,##0", 1e20), QStringLiteral("100,000,000,000,000,000,000"));
    EXPECT_EQ(F("0", 123456789012.0), QStringLiteral("123456789012"));
    EXPECT_EQ(F("0", std::numeric_limits<double>::infinity()), QStringLiteral("INF"));
    EXPECT_EQ(F("0", -std::numeric_limits<double>::infinity()), QStringLiteral("-INF"));
    EXPECT_EQ(F("0", std::numeric_limits<double>::quiet_NaN()), QStringLiteral("NAN"));
}

TEST(FormatFloatTest, PerCentPastTheLargestDoubleKeepsItsDigits) {
    // Multiplying would make an infinity; the digits are those of the value.
    EXPECT_EQ(F("0%", 1e307), QStringLiteral("1") + QString(309, u'0') + u'%');
    EXPECT_EQ(F("#,##0.0 %", -1.5e307),
              QStringLiteral("-1,500,") + Group3Zeros(102) + QStringLiteral(".0 %"));
    const double largest = std::numeric_limits<double>::max();
    EXPECT_TRUE(F("0.00%", largest).startsWith(QStringLiteral("17976931348623200")));
    EXPECT_EQ(F("0.00%", largest).size(), 311 + 4);
    EXPECT_EQ(F("0%", 0.005), QStringLiteral("1%"));
    EXPECT_EQ(F("0.#%", 5e-324), QStringLiteral("0%"));
}

TEST(FormatFloatTest, AnyPatternAndValueGivesAText) {
    const double inf = std::numeric_limits<double>::infinity();
    const double values[] = {0.0,      -0.0,   1.0,     -1.0,
                             0.5,      1e-310, -5e-324, 1e308,
                             -1.7e308, inf,    -inf,    std::numeric_limits<double>::quiet_NaN(),
                             123.456};
    const char *patterns[] = {"",   "0%",   "%",       "%%%0.0#", "'",        "\"",
                              ";",  ";;",   ";;;;",    "0;",      ";0",       ",",
                              ",0", "0,",   ".",       "0.",      ".0",       "#,#,#,0.0,0",
                              "'0", "0'%'", "\"0\"0%", "E+00",    "0.00E+00", "#%;#%;#%"};
    for (const char *pattern : patterns) {
        for (const double v : values) {
            const QString text = F(pattern, v);
            EXPECT_LE(text.size(), 1000) << pattern << ' ' << v;
        }
    }
    EXPECT_EQ(F("0%", inf), QStringLiteral("INF"));
    EXPECT_EQ(F("0.0%;(0.0%)", -inf), QStringLiteral("-INF"));
    EXPECT_EQ(F("0." + std::string(400, '#').append("%"), 1e-300),
              QStringLiteral("0.") + QString(297, u'0') + QStringLiteral("1%"));
    EXPECT_EQ(F(std::string(500, '0').c_str(), 7).size(), 500);
}

TEST(FormatFloatTest, LocaleSeparators) {
    const LocaleSettings fr = LocaleSettings::French();
    EXPECT_EQ(FormatFloat(QStringLiteral("#,##0.###"), 1234.5, fr), QStringLiteral("1\u00A0234,5"));
    EXPECT_EQ(FormatFloat(QStringLiteral("##0.## %"), 0.125, fr), QStringLiteral("12,5 %"));
    EXPECT_EQ(FormatFloat(QString(), 1.5, fr), QStringLiteral("1,5"));
    const LocaleSettings saved = Locale();
    SetLocaleSettings(Dotted());
    EXPECT_EQ(FormatFloat(QStringLiteral("#,##0.#"), 1234.56), QStringLiteral("1,234.6"));
    // A text already made for other separators is not given back.
    SetLocaleSettings(fr);
    EXPECT_EQ(FormatFloat(QStringLiteral("#,##0.#"), 1234.56), QStringLiteral("1\u00A0234,6"));
    SetLocaleSettings(saved);
    EXPECT_EQ(FormatFloat(QStringLiteral("0.0"), -0.0),
              FormatFloat(QStringLiteral("0.0"), -0.0, saved));
    EXPECT_EQ(FormatFloat(QStringLiteral("0.0"), 0.0),
              FormatFloat(QStringLiteral("0.0"), 0.0, saved));
}

} // namespace
} // namespace pexor
