#include "chart/ChartEngine.h"
#include "tests/chart/SeriesTestChart.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

namespace pexor {
namespace {

std::vector<double> Values(const TChartValueList &list) {
    std::vector<double> out;
    for (int i = 0; i < list.Count(); ++i)
        out.push_back(list.Value(i));
    return out;
}

TEST(SeriesValueList, OrderedInsertion) {
    TChartValueList ascending(nullptr, QStringLiteral("X"));
    ascending.SetOrder(TChartListOrder::loAscending);
    EXPECT_EQ(ascending.AddValue(2), 0);
    EXPECT_EQ(ascending.AddValue(1), 0);
    EXPECT_EQ(ascending.AddValue(2), 2); // after the equal one already there
    EXPECT_EQ(ascending.AddValue(1.5), 1);
    EXPECT_EQ(ascending.AddValue(0), 0);
    EXPECT_EQ(Values(ascending), (std::vector<double>{0, 1, 1.5, 2, 2}));

    TChartValueList descending(nullptr, QStringLiteral("X"));
    descending.SetOrder(TChartListOrder::loDescending);
    EXPECT_EQ(descending.AddValue(5), 0);
    EXPECT_EQ(descending.AddValue(7), 0);
    EXPECT_EQ(descending.AddValue(5), 2);
    EXPECT_EQ(descending.AddValue(6), 1);
    EXPECT_EQ(descending.AddValue(7), 1);
    EXPECT_EQ(Values(descending), (std::vector<double>{7, 7, 6, 5, 5}));

    TChartValueList none(nullptr, QStringLiteral("Y"));
    EXPECT_EQ(none.AddValue(3), 0);
    EXPECT_EQ(none.AddValue(1), 1);
    EXPECT_EQ(none.AddValue(2), 2);
    EXPECT_EQ(Values(none), (std::vector<double>{3, 1, 2}));
}

TEST(SeriesValueList, RunningStatistics) {
    TChartValueList list(nullptr, QStringLiteral("Y"));
    EXPECT_EQ(list.MinValue(), 0);
    EXPECT_EQ(list.MaxValue(), 0);
    list.AddValue(4);
    EXPECT_EQ(list.MinValue(), 4); // a single value sets both ends
    EXPECT_EQ(list.MaxValue(), 4);
    list.AddValue(-3);
    list.AddValue(2);
    list.InsertValue(0, 10);
    EXPECT_EQ(list.MinValue(), -3);
    EXPECT_EQ(list.MaxValue(), 10);
    EXPECT_EQ(list.Total(), 13);
    EXPECT_EQ(list.TotalAbs(), 19);
    EXPECT_EQ(list.Last(), 2);

    list.DeleteValue(0); // the maximum
    EXPECT_EQ(list.MaxValue(), 4);
    EXPECT_EQ(list.MinValue(), -3);
    EXPECT_EQ(list.Total(), 3);
    EXPECT_EQ(list.TotalAbs(), 9);
    list.DeleteValue(1); // the minimum
    EXPECT_EQ(list.MinValue(), 2);
    list.DeleteValue(0);
    list.DeleteValue(0);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.MinValue(), 0);
    EXPECT_EQ(list.MaxValue(), 0);
    EXPECT_EQ(list.Total(), 0);
    EXPECT_EQ(list.TotalAbs(), 0);

    list.AddValue(-5);
    list.AddValue(8);
    list.ClearValues();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.MinValue(), 0);
    EXPECT_EQ(list.MaxValue(), 0);
    EXPECT_EQ(list.Total(), 0);
    EXPECT_EQ(list.TotalAbs(), 0);
}

TEST(SeriesValueList, Multiplier) {
    TChartValueList list(nullptr, QStringLiteral("Y"));
    list.AddValue(1);
    list.AddValue(3);
    list.SetMultiplier(2);
    EXPECT_EQ(list.Value(1), 6);
    EXPECT_EQ(list.RawValue(1), 3);
    EXPECT_EQ(list.MaxValue(), 6);
    EXPECT_EQ(list.MinValue(), 2);
    // The totals follow the multiplier too, so percentages stay right.
    EXPECT_EQ(list.Total(), 8);
    EXPECT_EQ(list.TotalAbs(), 8);
    EXPECT_EQ(list.Locate(6), 1);
    EXPECT_EQ(list.Locate(3), -1);
    list.AddValue(-1);
    EXPECT_EQ(list.MinValue(), -2);
    EXPECT_EQ(list.Total(), 6);
    EXPECT_EQ(list.TotalAbs(), 10);

    list.SetMultiplier(-1);
    EXPECT_EQ(list.MinValue(), -3);
    EXPECT_EQ(list.MaxValue(), 1);
}

TEST(SeriesValueList, IndexOutOfRangeRaisesAndChangesNothing) {
    TChartValueList list(nullptr, QStringLiteral("Y"));
    list.AddValue(5);
    list.AddValue(7);
    const auto message = [](auto &&call) {
        try {
            call();
        } catch (const EListError &e) {
            return e.Message();
        }
        return QStringLiteral("no error");
    };
    EXPECT_EQ(message([&] { list.Value(2); }), QStringLiteral("Index de liste hors limites (2)"));
    EXPECT_EQ(message([&] { list.RawValue(-1); }), QStringLiteral("Index de liste hors limites (-1)"));
    EXPECT_EQ(message([&] { list.DeleteValue(5); }), QStringLiteral("Index de liste hors limites (5)"));
    EXPECT_EQ(message([&] { list.InsertValue(3, 1); }), QStringLiteral("Index de liste hors limites (3)"));
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Total(), 12);
    EXPECT_EQ(list.MaxValue(), 7);

    TChartValueList empty(nullptr, QStringLiteral("Y"));
    EXPECT_THROW(empty.Last(), EListError);
    EXPECT_EQ(empty.Locate(0), -1);
}

TEST(SeriesValueList, AssignCopiesSettingsNotValues) {
    TChartValueList source(nullptr, QStringLiteral("A"));
    source.SetOrder(TChartListOrder::loDescending);
    source.SetDateTime(true);
    source.SetMultiplier(3);
    source.SetValueSource(QStringLiteral("Y"));
    source.AddValue(4);
    TChartValueList target(nullptr, QStringLiteral("B"));
    target.AddValue(2);
    target.Assign(source);
    EXPECT_EQ(target.Order(), TChartListOrder::loDescending);
    EXPECT_TRUE(target.DateTime());
    EXPECT_EQ(target.Multiplier(), 3);
    EXPECT_EQ(target.ValueSource(), QStringLiteral("Y"));
    EXPECT_EQ(target.Name(), QStringLiteral("B"));
    ASSERT_EQ(target.Count(), 1);
    EXPECT_EQ(target.Value(0), 6);
    EXPECT_EQ(target.MaxValue(), 6);
}

TEST(SeriesValueList, ChangesReachTheChart) {
    test::RecordingChart chart;
    TChartSeries series;
    series.SetParentChart(&chart);
    chart.repaints = 0;

    series.XValues().SetDateTime(true);
    EXPECT_EQ(chart.repaints, 1);
    series.XValues().SetDateTime(true);
    EXPECT_EQ(chart.repaints, 1);
    series.YValues().SetMultiplier(2);
    EXPECT_EQ(chart.repaints, 2);
    series.YValues().SetMultiplier(2);
    EXPECT_EQ(chart.repaints, 2);

    series.YValues().SetValueSource(QStringLiteral("X"));
    EXPECT_EQ(chart.dataSourceChecks, 1);
    series.YValues().SetValueSource(QStringLiteral("X"));
    EXPECT_EQ(chart.dataSourceChecks, 1);
}

// The bounds and Rises as each change would leave them taken one at a time:
// a list's own statistics must equal these whenever they are looked at,
// however long they waited for the look.
struct OneByOneStatistics {
    std::vector<double> raw;
    double multiplier = 1;
    double minimum = 0;
    double maximum = 0;
    bool rises = true;

    void Take(double m, bool first) {
        if (first) {
            minimum = m;
            maximum = m;
        } else if (m < minimum) {
            minimum = m;
        } else if (m > maximum) {
            maximum = m;
        }
    }
    void Insert(std::size_t index, double value) {
        raw.insert(raw.begin() + std::ptrdiff_t(index), value);
        rises = rises && !std::isnan(value) && (index == 0 || raw[index - 1] <= value) &&
                (index + 1 == raw.size() || value <= raw[index + 1]);
        Take(value * multiplier, raw.size() == 1);
    }
    void Rescan() {
        minimum = 0;
        maximum = 0;
        for (std::size_t i = 0; i < raw.size(); ++i)
            Take(raw[i] * multiplier, i == 0);
    }
};

std::uint64_t Bits(double value) {
    return std::bit_cast<std::uint64_t>(value);
}

TEST(SeriesValueList, StatisticsLookedAtLateEqualOneByOne) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::mt19937 random(5);
    // One list throughout: cleared and filled again, it grows by what it
    // held before, and long rounds look at the bounds across many pieces.
    TChartValueList list(nullptr, QStringLiteral("X"));
    OneByOneStatistics model;
    for (int round = 0; round < 300; ++round) {
        list.ClearValues();
        model = OneByOneStatistics{{}, model.multiplier};
        const bool sorted = round % 3 == 0;
        list.SetOrder(sorted ? TChartListOrder::loAscending : TChartListOrder::loNone);
        double next = 0;
        const int steps = round % 25 == 4 ? 9000 + int(random() % 9000) : 1 + int(random() % 200);
        const bool longRound = steps > 200;
        for (int step = 0; step < steps; ++step) {
            // Mostly rising runs, with falls, equal values, zeros of both
            // signs and now and then NaN.
            double value = next + double(int(random() % 7) - 1);
            const unsigned kind = random() % 40;
            if (kind == 0)
                value = nan;
            else if (kind == 1)
                value = -0.0;
            else if (kind == 2)
                value = 0.0;
            if (!std::isnan(value))
                next = value;
            // Long rounds mostly append and look now and then.
            const unsigned what = longRound && random() % 50 != 0 ? 0 : random() % 20;
            if (what < 14) {
                const int index = list.AddValue(value);
                ASSERT_GE(index, 0);
                model.Insert(std::size_t(index), value);
            } else if (what < 16 && list.Count() > 0) {
                const int index = int(random() % unsigned(list.Count() + 1));
                if (!sorted) {
                    list.InsertValue(index, value);
                    model.Insert(std::size_t(index), value);
                }
            } else if (what < 18 && list.Count() > 0) {
                const int index = int(random() % unsigned(list.Count()));
                list.DeleteValue(index);
                model.raw.erase(model.raw.begin() + index);
                model.Rescan();
            } else if (what == 18 && !sorted) {
                const double run[] = {value,     value + 1, value,     value + 2, -0.0,
                                      value + 3, value + 3, value + 4, value + 5};
                const std::size_t count = 1 + random() % std::size(run);
                list.AppendValues(run, count);
                for (std::size_t i = 0; i < count; ++i)
                    model.Insert(model.raw.size(), run[i]);
            } else if (what == 19) {
                const double multiplier = random() % 2 ? 2.0 : -1.0;
                if (multiplier != model.multiplier) {
                    list.SetMultiplier(multiplier);
                    model.multiplier = multiplier;
                    model.Rescan();
                }
            }
            if (random() % (longRound ? 997 : 5) == 0) {
                ASSERT_EQ(list.Count(), int(model.raw.size()));
                ASSERT_EQ(Bits(list.MinValue()), Bits(model.minimum))
                    << "round " << round << " step " << step;
                ASSERT_EQ(Bits(list.MaxValue()), Bits(model.maximum))
                    << "round " << round << " step " << step;
                ASSERT_EQ(list.Rises(), model.rises && model.multiplier > 0)
                    << "round " << round << " step " << step;
            }
        }
        ASSERT_EQ(Bits(list.MinValue()), Bits(model.minimum)) << "round " << round;
        ASSERT_EQ(Bits(list.MaxValue()), Bits(model.maximum)) << "round " << round;
        ASSERT_EQ(list.Rises(), model.rises && model.multiplier > 0) << "round " << round;
        const int count = list.Count();
        list.ClearValues();
        EXPECT_EQ(list.MinValue(), 0);
        EXPECT_EQ(list.Rises(), model.multiplier > 0);
        // Cleared values may not come back, nor bounds from before. (Every
        // other round, so that the next one refills what this one held.)
        if (count > 0 && round % 2 == 1) {
            list.AddValue(-7);
            EXPECT_EQ(list.Count(), 1);
            EXPECT_EQ(list.MinValue(), -7 * model.multiplier);
            EXPECT_EQ(list.MaxValue(), -7 * model.multiplier);
        }
    }
}

} // namespace
} // namespace pexor
