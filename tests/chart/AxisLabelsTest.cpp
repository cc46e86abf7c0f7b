#include "chart/axes/AxisLabels.h"

#include <QDate>
#include <gtest/gtest.h>

using namespace pexor;

namespace {

double Day(int y, int m, int d) { return double(QDate(y, m, d).toJulianDay() - 2415019); }

QDate DateOf(double day) { return QDate::fromJulianDay(2415019 + qint64(day)); }

std::vector<QDate> Dates(const std::vector<double> &values) {
    std::vector<QDate> dates;
    for (double v : values)
        dates.push_back(DateOf(v));
    return dates;
}

} // namespace

TEST(AxisStepTest, NiceStepsRunOneTwoFive) {
    EXPECT_DOUBLE_EQ(NextNiceStep(1), 2);
    EXPECT_DOUBLE_EQ(NextNiceStep(2), 5);
    EXPECT_DOUBLE_EQ(NextNiceStep(5), 10);
    EXPECT_DOUBLE_EQ(NextNiceStep(10), 20);
    EXPECT_DOUBLE_EQ(NextNiceStep(50), 100);
    EXPECT_DOUBLE_EQ(NextNiceStep(0.1), 0.2);
    EXPECT_DOUBLE_EQ(NextNiceStep(0.2), 0.5);
    EXPECT_DOUBLE_EQ(NextNiceStep(0.5), 1);
    EXPECT_DOUBLE_EQ(NextNiceStep(1e-12), 2e-12);
    // An odd increment moves to the next nice value above it.
    EXPECT_DOUBLE_EQ(NextNiceStep(3), 5);
    EXPECT_DOUBLE_EQ(NextNiceStep(7), 10);
}

TEST(AxisStepTest, LabelCountFromSizeAndSeparation) {
    // 20-pixel labels grow by 10 % to 22: 200 / 22 = 9.09.
    EXPECT_EQ(MaxLabelCount(200, 20, 10), 9);
    EXPECT_EQ(MaxLabelCount(200, 20, 0), 10);
    EXPECT_EQ(MaxLabelCount(200, 0, 10), 1);
    EXPECT_EQ(MaxLabelCount(10, 200, 10), 0);
}

TEST(AxisStepTest, ValueStepsFitTheLabelCount) {
    EXPECT_DOUBLE_EQ(ValueLabelStep(100, 0, 9, 10), 20);
    EXPECT_DOUBLE_EQ(ValueLabelStep(0.37, 0, 14, 10), 0.05);
    EXPECT_DOUBLE_EQ(ValueLabelStep(38, 0, 14, 10), 5);
    EXPECT_DOUBLE_EQ(ValueLabelStep(18, 0, 9, 10), 2);
    // A fitting increment is kept; one too small grows from itself.
    EXPECT_DOUBLE_EQ(ValueLabelStep(100, 25, 9, 10), 25);
    EXPECT_DOUBLE_EQ(ValueLabelStep(100, 3, 9, 10), 20);
    // No separation: the starting step stays whatever the count.
    EXPECT_DOUBLE_EQ(ValueLabelStep(100, 0, 9, 0), 1);
    // Labels larger than the axis.
    EXPECT_DOUBLE_EQ(ValueLabelStep(100, 0, 0, 10), 1e-12);
    // A zero range keeps the smallest step.
    EXPECT_DOUBLE_EQ(ValueLabelStep(0, 0, 9, 10), 1e-12);
}

TEST(AxisStepTest, DateTimeStepsFollowTheTable) {
    ASSERT_EQ(DateTimeStep.size(), 25u);
    EXPECT_DOUBLE_EQ(DateTimeStep[dtOneSecond], 1.0 / 86400);
    EXPECT_DOUBLE_EQ(DateTimeStep[dtTwelveHours], 0.5);
    EXPECT_DOUBLE_EQ(DateTimeStep[dtOneWeek], 7);
    EXPECT_DOUBLE_EQ(DateTimeStep[dtSixMonths], 182);
    EXPECT_DOUBLE_EQ(DateTimeStep[dtOneYear], 365);

    // Ten days over 5 labels: 1, 2, 3 days give 10, 5, 3.33 labels.
    EXPECT_DOUBLE_EQ(DateTimeLabelStep(10, 0, 5), 2);
    EXPECT_DOUBLE_EQ(DateTimeLabelStep(10, 0, 4), 3);
    // A year over 6 labels: 60 days (6.08 rounds to 6).
    EXPECT_DOUBLE_EQ(DateTimeLabelStep(365, 0, 6), 60);
    // Ten years over 3 labels: 365 doubles to 1460.
    EXPECT_DOUBLE_EQ(DateTimeLabelStep(3650, 0, 3), 1460);
    // One hour over 4 labels: 15 minutes.
    EXPECT_DOUBLE_EQ(DateTimeLabelStep(1.0 / 24, 0, 4), DateTimeStep[dtFifteenMinutes]);
    // An increment between entries starts from the next entry above it.
    EXPECT_DOUBLE_EQ(DateTimeLabelStep(100, 4, 20), 7);
    EXPECT_DOUBLE_EQ(DateTimeLabelStep(100, 0, 0), OneSecond);
}

TEST(AxisStepTest, ExactStepSearch) {
    EXPECT_EQ(FindDateTimeStep(30), dtOneMonth);
    EXPECT_EQ(FindDateTimeStep(1), dtOneDay);
    EXPECT_EQ(FindDateTimeStep(0), -1);
    EXPECT_EQ(FindDateTimeStep(4), -1);
    EXPECT_EQ(ExactDateTimeStep(1, 1), dtOneDay);
    EXPECT_EQ(ExactDateTimeStep(1, 20), dtOneMonth);
    EXPECT_EQ(ExactDateTimeStep(30, 730), dtOneYear);
    EXPECT_EQ(ExactDateTimeStep(0, 30), -1);
}

TEST(AxisValueLabelsTest, RoundedFromTheTopDown) {
    TValueLabelOptions o;
    o.WorkMin = 0;
    o.WorkMax = 100;
    o.Step = 20;
    EXPECT_EQ(ValueLabelValues(o), (std::vector<double>{100, 80, 60, 40, 20, 0}));

    o.WorkMin = 62;
    o.WorkMax = 80;
    o.Step = 2;
    EXPECT_EQ(ValueLabelValues(o),
              (std::vector<double>{80, 78, 76, 74, 72, 70, 68, 66, 64, 62}));

    o.WorkMin = 3;
    o.WorkMax = 47;
    o.Step = 10;
    EXPECT_EQ(ValueLabelValues(o), (std::vector<double>{40, 30, 20, 10}));
}

TEST(AxisValueLabelsTest, DecimalStepsKeepBothEnds) {
    TValueLabelOptions o;
    o.WorkMin = 0;
    o.WorkMax = 0.37;
    o.Step = 0.05;
    auto values = ValueLabelValues(o);
    ASSERT_EQ(values.size(), 8u);
    EXPECT_NEAR(values.front(), 0.35, 1e-15);
    EXPECT_EQ(values.back(), 0.0);

    o.WorkMax = 0.3;
    o.Step = 0.1;
    values = ValueLabelValues(o);
    ASSERT_EQ(values.size(), 4u);
    EXPECT_EQ(values.front(), 0.3);
    EXPECT_EQ(values.back(), 0.0);
}

TEST(AxisValueLabelsTest, LabelsOffAxisAndUnrounded) {
    TValueLabelOptions o;
    o.WorkMin = 0;
    o.WorkMax = 100;
    o.Step = 20;
    o.LabelsOnAxis = false;
    EXPECT_EQ(ValueLabelValues(o), (std::vector<double>{80, 60, 40, 20}));

    o.LabelsOnAxis = true;
    o.RoundFirstLabel = false;
    o.WorkMin = 1;
    o.WorkMax = 95;
    EXPECT_EQ(ValueLabelValues(o), (std::vector<double>{95, 75, 55, 35, 15}));
}

TEST(AxisValueLabelsTest, TooManyOrTooLargeGiveNone) {
    TValueLabelOptions o;
    // A single point: 80 / 1e-12 is beyond the integer range.
    o.WorkMin = 80;
    o.WorkMax = 80;
    o.Step = 1e-12;
    EXPECT_TRUE(ValueLabelValues(o).empty());
    // Ten thousand steps.
    o.WorkMin = 0;
    o.WorkMax = 10000;
    o.Step = 1;
    EXPECT_TRUE(ValueLabelValues(o).empty());
    o.WorkMax = 9999;
    EXPECT_EQ(ValueLabelValues(o).size(), 10000u);
    // A single value at zero is labelled once.
    o.WorkMin = 0;
    o.WorkMax = 0;
    o.Step = 1e-12;
    EXPECT_EQ(ValueLabelValues(o), (std::vector<double>{0}));
}

TEST(AxisDateLabelsTest, FirstLabelOnCalendarBoundary) {
    const double v = Day(2026, 3, 20) + 0.75;
    EXPECT_EQ(DateOf(FirstExactDate(v, dtOneDay)), QDate(2026, 3, 20));
    EXPECT_EQ(FirstExactDate(v, dtOneDay), Day(2026, 3, 20));
    EXPECT_EQ(DateOf(FirstExactDate(v, dtHalfMonth)), QDate(2026, 3, 15));
    EXPECT_EQ(DateOf(FirstExactDate(Day(2026, 3, 14), dtHalfMonth)), QDate(2026, 3, 1));
    EXPECT_EQ(DateOf(FirstExactDate(v, dtThreeMonths)), QDate(2026, 3, 1));
    EXPECT_EQ(DateOf(FirstExactDate(v, dtOneYear)), QDate(2026, 1, 1));
    // Below one day, and before 1900, nothing is rounded.
    EXPECT_EQ(FirstExactDate(v, dtSixHours), v);
    EXPECT_EQ(FirstExactDate(1.5, dtOneMonth), 1.5);
}

TEST(AxisDateLabelsTest, MonthStepsCrossTheYearEnd) {
    TValueLabelOptions o;
    o.WorkMin = Day(2025, 10, 20);
    o.WorkMax = Day(2026, 2, 10);
    o.Step = 30;
    o.ExactStepIndex = dtOneMonth;
    EXPECT_EQ(Dates(ValueLabelValues(o)),
              (std::vector<QDate>{QDate(2026, 2, 1), QDate(2026, 1, 1), QDate(2025, 12, 1),
                                  QDate(2025, 11, 1)}));

    o.ExactStepIndex = dtTwoMonths;
    o.Step = 60;
    o.WorkMin = Day(2025, 6, 1);
    EXPECT_EQ(Dates(ValueLabelValues(o)),
              (std::vector<QDate>{QDate(2026, 2, 1), QDate(2025, 12, 1), QDate(2025, 10, 1),
                                  QDate(2025, 8, 1), QDate(2025, 6, 1)}));
}

TEST(AxisDateLabelsTest, HalfMonthStepsAlternateFirstAndFifteenth) {
    TValueLabelOptions o;
    o.WorkMin = Day(2026, 1, 20);
    o.WorkMax = Day(2026, 3, 10);
    o.Step = 15;
    o.ExactStepIndex = dtHalfMonth;
    // February's 28 days do not shift the labels.
    EXPECT_EQ(Dates(ValueLabelValues(o)),
              (std::vector<QDate>{QDate(2026, 3, 1), QDate(2026, 2, 15), QDate(2026, 2, 1)}));
}

TEST(AxisDateLabelsTest, YearAndDayStepsAcrossYearEnd) {
    TValueLabelOptions o;
    o.WorkMin = Day(2023, 6, 1);
    o.WorkMax = Day(2026, 4, 1);
    o.Step = 365;
    o.ExactStepIndex = dtOneYear;
    EXPECT_EQ(Dates(ValueLabelValues(o)),
              (std::vector<QDate>{QDate(2026, 1, 1), QDate(2025, 1, 1), QDate(2024, 1, 1)}));

    o.WorkMin = Day(2025, 12, 30);
    o.WorkMax = Day(2026, 1, 2) + 0.5;
    o.Step = 1;
    o.ExactStepIndex = dtOneDay;
    EXPECT_EQ(Dates(ValueLabelValues(o)),
              (std::vector<QDate>{QDate(2026, 1, 2), QDate(2026, 1, 1), QDate(2025, 12, 31),
                                  QDate(2025, 12, 30)}));
}

TEST(AxisLabelOverlapTest, SkipsLabelsReachingTheLastDrawn) {
    TLabelOverlap overlap;
    EXPECT_TRUE(overlap.Accept(100, 20, true)); // first: no predecessor
    EXPECT_FALSE(overlap.Accept(130, 20, true)); // 100 + 20 > 130 - 20
    EXPECT_EQ(overlap.LastPosition(), 100);
    EXPECT_TRUE(overlap.Accept(140, 20, true)); // 100 + 20 <= 140 - 20
    EXPECT_FALSE(overlap.Accept(110, 11, true)); // going down: 140 - 20 < 110 + 11
    // The remembered half is now 11 though 110 was skipped: 140 - 11 >= 125 + 4.
    EXPECT_FALSE(overlap.Accept(126, 4, true));
    EXPECT_TRUE(overlap.Accept(125, 4, true));
    EXPECT_TRUE(overlap.Accept(121, 10, false));
}

TEST(AxisLabelPlacementTest, AlignmentBySideAndAngle) {
    // Vertical near side: right aligned, lifted by half the font height.
    TLabelPlacement p = PlaceLabel(false, false, 0, 13);
    EXPECT_EQ(p.Align, 2);
    EXPECT_EQ(p.Dy, -6);
    EXPECT_EQ(PlaceLabel(false, true, 0, 13).Align, 0);
    EXPECT_EQ(PlaceLabel(true, false, 0, 13).Align, 6);
    EXPECT_EQ(PlaceLabel(true, true, 0, 13).Align, 14);
    // 90 on a horizontal axis: right aligned, moved left.
    p = PlaceLabel(true, false, 90, 13);
    EXPECT_EQ(p.Align, 2);
    EXPECT_EQ(p.Dx, -6);
    EXPECT_EQ(PlaceLabel(false, false, 90, 13).Align, 14);
    p = PlaceLabel(false, false, 180, 13);
    EXPECT_EQ(p.Align, 0);
    EXPECT_EQ(p.Dy, 6);
    EXPECT_EQ(p.LineStep, -13);
    p = PlaceLabel(true, false, 270, 13);
    EXPECT_EQ(p.Align, 0);
    EXPECT_EQ(p.Dx, 6);
    EXPECT_EQ(PlaceLabel(false, false, 270, 13).Align, 6);
    EXPECT_EQ(PlaceLabel(true, false, 45, 13).Align, 0);
}

TEST(AxisLabelPlacementTest, MultiLineBlocks) {
    EXPECT_EQ(FirstLineOffset(true, false, 0, 3, 13), 0);
    EXPECT_EQ(FirstLineOffset(true, true, 0, 3, 13), -26);
    EXPECT_EQ(FirstLineOffset(false, false, 0, 3, 13), -13);
    EXPECT_EQ(FirstLineOffset(true, false, 270, 2, -13), 6);
    EXPECT_EQ(FirstLineOffset(true, false, 0, 1, 13), 0);
}
