#include "app/ParseInteger.h"

#include "platform/Exceptions.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace pexor {
namespace {

TEST(ParseInteger, AcceptsDecimalAndHexadecimalForms) {
    const std::vector<std::pair<QString, int>> cases{
        {QStringLiteral("12"), 12},     {QStringLiteral("   12"), 12},
        {QStringLiteral("+12"), 12},    {QStringLiteral("-12"), -12},
        {QStringLiteral("007"), 7},     {QStringLiteral("-0"), 0},
        {QStringLiteral("$0C"), 12},    {QStringLiteral("$0c"), 12},
        {QStringLiteral("x1F"), 31},    {QStringLiteral("X1f"), 31},
        {QStringLiteral("0x1F"), 31},   {QStringLiteral("0XfF"), 255},
        {QStringLiteral(" -$10"), -16}, {QStringLiteral("+0x10"), 16},
        {QStringLiteral("0"), 0},
    };
    for (const auto &[text, expected] : cases) {
        int value = -999;
        EXPECT_TRUE(TryParseInteger(text, value)) << text.toStdString();
        EXPECT_EQ(value, expected) << text.toStdString();
        EXPECT_EQ(ParseInteger(text), expected) << text.toStdString();
    }
}

TEST(ParseInteger, KeepsToTheSigned32BitRange) {
    EXPECT_EQ(ParseInteger(QStringLiteral("2147483647")), 2147483647);
    EXPECT_EQ(ParseInteger(QStringLiteral("-2147483648")), -2147483647 - 1);
    EXPECT_EQ(ParseInteger(QStringLiteral("$7FFFFFFF")), 2147483647);
    EXPECT_EQ(ParseInteger(QStringLiteral("-$80000000")), -2147483647 - 1);
    EXPECT_EQ(ParseInteger(QStringLiteral("0000000000000000000042")), 42);
    for (const char *text : {"2147483648", "-2147483649", "$80000000", "0xFFFFFFFF",
                             "99999999999999999999999", "-$80000001"}) {
        int value = 5;
        EXPECT_FALSE(TryParseInteger(QString::fromUtf8(text), value)) << text;
        EXPECT_EQ(value, 5) << text;
    }
}

TEST(ParseInteger, RefusesEverythingElse) {
    for (const char *text : {"",     " ",    "12,5",
                             "12.5", "12 ",  "abc",
                             "+",    "-",    "$",
                             "x",    "0x",   "+-1",
                             "--1",  "- 1",  "1e3",
                             "$-1",  "0x$1", "$G",
                             "12a",  "1 2",  "\xef\xbc\x91\xef\xbc\x92" /* full-width 12 */}) {
        int value = 5;
        EXPECT_FALSE(TryParseInteger(QString::fromUtf8(text), value)) << text;
        EXPECT_EQ(value, 5) << text;
    }
}

TEST(ParseInteger, ErrorNamesTheText) {
    const auto message = [](const QString &text) {
        try {
            ParseInteger(text);
        } catch (const EConvertError &e) {
            return e.Message();
        }
        return QStringLiteral("no error");
    };
    EXPECT_EQ(message(QStringLiteral("abc")),
              QStringLiteral("'abc' n'est pas une valeur entière correcte"));
    EXPECT_EQ(message(QString()), QStringLiteral("'' n'est pas une valeur entière correcte"));
    EXPECT_EQ(message(QStringLiteral("12 ")),
              QStringLiteral("'12 ' n'est pas une valeur entière correcte"));
    // A text holding a placeholder of its own is quoted as it is.
    EXPECT_EQ(message(QStringLiteral("%1%s")),
              QStringLiteral("'%1%s' n'est pas une valeur entière correcte"));
    EXPECT_EQ(ErrorBoxText(message(QStringLiteral("abc"))),
              QStringLiteral("'abc' n'est pas une valeur entière correcte."));
}

} // namespace
} // namespace pexor
