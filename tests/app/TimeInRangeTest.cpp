#include "app/TimeInRange.h"

#include "app/InrNumber.h"
#include "app/ReadingsTable.h"
#include "app/ReportReadings.h"
#include "platform/LocaleSettings.h"

#include <gtest/gtest.h>

namespace pexor {
namespace {

const InrTarget kTarget; // 2 to 3

TDateTime Day(int n) {
    return MakeDate(2026, 9, 1) + n;
}

TEST(InrNumberTest, ReadsCommaOrPointAndRefusesTheRest) {
    EXPECT_EQ(ParseInrNumber(QStringLiteral("2,5")), 2.5);
    EXPECT_EQ(ParseInrNumber(QStringLiteral(" 2.5 ")), 2.5);
    EXPECT_EQ(ParseInrNumber(QStringLiteral("3")), 3.0);
    EXPECT_EQ(ParseInrNumber(QStringLiteral(",5")), 0.5);
    EXPECT_EQ(ParseInrNumber(QStringLiteral("2,")), 2.0);
    for (const char *bad : {"", "  ", "abc", "-2", "+2", "2,5,1", "2 5", "1e3", "2,5 ?", "inf"})
        EXPECT_FALSE(ParseInrNumber(QString::fromUtf8(bad))) << bad;
    EXPECT_FALSE(ParseInrNumber(QString(400, u'9')));

    EXPECT_EQ(InrNumberText(2.0), QStringLiteral("2"));
    EXPECT_EQ(InrNumberText(2.5), QStringLiteral("2,5"));
    EXPECT_EQ(InrNumberText(2.25), QStringLiteral("2,25"));
    EXPECT_EQ(InrNumberText(0.5), QStringLiteral("0,5"));
}

TEST(TimeInRangeTest, ShareOfOneStraightLineInsideTheTarget) {
    EXPECT_DOUBLE_EQ(InRangeFraction(2.5, 2.5, 2, 3), 1.0);
    EXPECT_DOUBLE_EQ(InRangeFraction(3.5, 3.5, 2, 3), 0.0);
    EXPECT_DOUBLE_EQ(InRangeFraction(2.0, 3.0, 2, 3), 1.0);
    EXPECT_DOUBLE_EQ(InRangeFraction(1.5, 2.5, 2, 3), 0.5);
    EXPECT_DOUBLE_EQ(InRangeFraction(2.5, 1.5, 2, 3), 0.5);
    // From 1 to 4 the line crosses both bounds: a third of the way inside.
    EXPECT_DOUBLE_EQ(InRangeFraction(1.0, 4.0, 2, 3), 1.0 / 3.0);
    // Touching a bound only is no time inside.
    EXPECT_DOUBLE_EQ(InRangeFraction(3.0, 4.0, 2, 3), 0.0);
    EXPECT_DOUBLE_EQ(InRangeFraction(1.0, 2.0, 2, 3), 0.0);
}

TEST(TimeInRangeTest, AllReadingsInRange) {
    EXPECT_EQ(TimeInRange({{Day(0), 2.5}, {Day(7), 2.0}, {Day(14), 3.0}}, kTarget), 1.0);
}

TEST(TimeInRangeTest, CrossingBetweenTwoReadingsCountsTheInterpolatedShare) {
    // 10 days at 2,5; then from 2,5 to 4,5 in 10 days, above 3 after a
    // quarter of the way: 2,5 days more. 12,5 of 20 days.
    const std::vector<InrPoint> points{{Day(0), 2.5}, {Day(10), 2.5}, {Day(20), 4.5}};
    EXPECT_DOUBLE_EQ(*TimeInRange(points, kTarget), 0.625);
    // From 1 to 4 in 30 days: 10 days inside.
    EXPECT_DOUBLE_EQ(*TimeInRange({{Day(0), 1.0}, {Day(30), 4.0}}, kTarget), 1.0 / 3.0);
    // Another target: 2,5 to 3,5 holds the first 10 days and half the rise.
    EXPECT_DOUBLE_EQ(*TimeInRange(points, InrTarget{2.5, 3.5}), 15.0 / 20.0);
}

TEST(TimeInRangeTest, UnsortedDatesAreSortedFirst) {
    EXPECT_DOUBLE_EQ(*TimeInRange({{Day(20), 4.5}, {Day(0), 2.5}, {Day(10), 2.5}}, kTarget), 0.625);
}

TEST(TimeInRangeTest, SameDayReadingsGiveNoTimeAndTheLastOneGoesOn) {
    // Two readings on day 0: the interval between them is empty; the second,
    // in row order, starts the next interval.
    EXPECT_EQ(TimeInRange({{Day(0), 2.5}, {Day(0), 4.0}, {Day(10), 4.0}}, kTarget), 0.0);
    EXPECT_EQ(TimeInRange({{Day(0), 4.0}, {Day(0), 2.5}, {Day(10), 2.5}}, kTarget), 1.0);
    // Every reading on one day spans no time: nothing to compute.
    EXPECT_FALSE(TimeInRange({{Day(3), 2.5}, {Day(3), 4.0}}, kTarget));
}

TEST(TimeInRangeTest, SingleOrNoReadingIsNotComputable) {
    EXPECT_FALSE(TimeInRange({{Day(0), 2.5}}, kTarget));
    EXPECT_FALSE(TimeInRange({}, kTarget));

    const InrSummary one = SummariseInr({{Day(0), 3.5}}, kTarget);
    EXPECT_FALSE(one.TimeInRange);
    EXPECT_EQ(one.Counted, 1);
    EXPECT_EQ(one.InRange, 0);
    EXPECT_EQ(one.Last, (InrPoint{Day(0), 3.5}));
    const InrSummary none = SummariseInr({}, kTarget);
    EXPECT_EQ(none.Counted, 0);
    EXPECT_FALSE(none.Last);
}

TEST(TimeInRangeTest, SummaryCountsReadingsInRangeAndTakesTheLatest) {
    const InrSummary summary =
        SummariseInr({{Day(20), 4.5}, {Day(0), 2.5}, {Day(10), 2.0}, {Day(20), 3.0}}, kTarget);
    EXPECT_EQ(summary.Counted, 4);
    EXPECT_EQ(summary.InRange, 3);
    // Of the two readings of the last day, the last given.
    EXPECT_EQ(summary.Last, (InrPoint{Day(20), 3.0}));
}

class ReportReadingsTest : public ::testing::Test {
protected:
    void SetUp() override { SetLocaleSettings(LocaleSettings::French()); }
    void Row(int row, const char *date, const char *tp, const char *inr) {
        table.SetCells(ReadingsTable::kDateCol, row, QString::fromUtf8(date));
        table.SetCells(ReadingsTable::kTpCol, row, QString::fromUtf8(tp));
        table.SetCells(ReadingsTable::kInrCol, row, QString::fromUtf8(inr));
    }
    ReadingsTable table;
};

TEST_F(ReportReadingsTest, BlanksAndTextsThatAreNotNumbersStayOutOfTheFigures) {
    Row(1, "21/09/2026", "40", "4,5");
    Row(2, "", "", "");
    Row(3, "11/09/2026", "35", "à refaire");
    Row(4, "01/09/2026", "30", "2,5");
    Row(5, "31/02/2026", "33", "2,8");
    Row(6, "11/09/2026", "abc", "2.5");
    Row(7, "15/09/2026", "38", "");

    const std::vector<ReportReading> readings = ReportReadingsOf(table);
    QStringList order;
    for (const ReportReading &r : readings)
        order << r.DateText + u' ' + r.InrText;
    // Dated rows by date (the two of the 11th in row order), then the one
    // whose date is impossible; the empty row is left out.
    EXPECT_EQ(order, QStringList({"01/09/2026 2,5", "11/09/2026 à refaire", "11/09/2026 2.5",
                                  "15/09/2026 ", "21/09/2026 4,5", "31/02/2026 2,8"}));
    EXPECT_FALSE(readings[1].Inr);
    EXPECT_FALSE(readings[2].Tp);
    EXPECT_FALSE(readings[5].Date);

    const std::vector<InrPoint> points = InrPointsOf(readings);
    ASSERT_EQ(points.size(), 3u);
    // 01/09 to 11/09 at 2,5, then 2,5 to 4,5 over 10 days: 12,5 of 20 days.
    EXPECT_DOUBLE_EQ(*TimeInRange(points, kTarget), 0.625);
    const InrSummary summary = SummariseInr(points, kTarget);
    EXPECT_EQ(summary.Counted, 3);
    EXPECT_EQ(summary.InRange, 2);
}

} // namespace
} // namespace pexor
