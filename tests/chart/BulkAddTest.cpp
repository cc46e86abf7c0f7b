// Adding arrays at once must leave a series exactly as AddXY one by one
// would: values, order, statistics to the last bit, and what the drawing
// reads of the order.
#include "chart/ChartEngine.h"
#include "tests/chart/SeriesTestChart.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace pexor {
namespace {

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void ExpectSameList(const TChartValueList &bulk, const TChartValueList &loop, const char *what) {
    ASSERT_EQ(bulk.Count(), loop.Count()) << what;
    int differing = 0;
    for (int i = 0; i < bulk.Count(); ++i)
        differing += !SameBits(bulk.RawValue(i), loop.RawValue(i));
    EXPECT_EQ(differing, 0) << what;
    EXPECT_TRUE(SameBits(bulk.MinValue(), loop.MinValue())) << what << " minimum";
    EXPECT_TRUE(SameBits(bulk.MaxValue(), loop.MaxValue())) << what << " maximum";
    EXPECT_TRUE(SameBits(bulk.Total(), loop.Total())) << what << " total";
    EXPECT_TRUE(SameBits(bulk.TotalAbs(), loop.TotalAbs())) << what << " total of sizes";
    EXPECT_EQ(bulk.Rises(), loop.Rises()) << what << " rises";
}

void ExpectSameSeries(const TChartSeries &bulk, const TChartSeries &loop, const char *what) {
    ExpectSameList(bulk.XValues(), loop.XValues(), what);
    ExpectSameList(bulk.YValues(), loop.YValues(), what);
}

struct TArrays {
    const char *name;
    std::vector<double> x;
    std::vector<double> y;
};

std::vector<TArrays> Cases() {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<TArrays> cases;
    std::mt19937 random(23);
    std::normal_distribution<double> step(0, 1);
    TArrays walk{"random walk", {}, {}};
    double y = 0;
    for (int i = 0; i < 50000; ++i) {
        walk.x.push_back(i);
        walk.y.push_back(y += step(random));
    }
    cases.push_back(walk);
    TArrays zeros{"signed zeros first and last", {}, {}};
    for (int i = 0; i < 3000; ++i) {
        zeros.x.push_back(i == 0 ? -0.0 : i);
        zeros.y.push_back(i % 1000 == 7 ? -0.0 : i % 1000 == 9 ? 0.0 : 5 + i % 3);
    }
    cases.push_back(zeros);
    TArrays falls{"x falls now and then", {}, {}};
    for (int i = 0; i < 20000; ++i) {
        falls.x.push_back(i % 5000 == 4999 ? i - 7000.5 : i);
        falls.y.push_back(i % 11);
    }
    cases.push_back(falls);
    TArrays nans{"NaN among x and y", {}, {}};
    for (int i = 0; i < 9000; ++i) {
        nans.x.push_back(i == 4000 ? nan : i);
        nans.y.push_back(i % 700 == 3 ? nan : -i * 0.5);
    }
    cases.push_back(nans);
    cases.push_back({"one point", {3}, {4}});
    cases.push_back({"three points", {1, 1, 2}, {-1, 0, 1}});
    return cases;
}

TEST(BulkAdd, ArraysLeaveTheSeriesAsAddXYOneByOne) {
    for (const TArrays &whole : Cases()) {
        for (TChartListOrder order :
             {TChartListOrder::loAscending, TChartListOrder::loNone, TChartListOrder::loDescending}) {
            // Rising X against a descending order insert each point first, a
            // pass over all before it: a few thousand tell as much.
            TArrays c = whole;
            if (order != TChartListOrder::loAscending && c.x.size() > 3000) {
                c.x.resize(3000);
                c.y.resize(3000);
            }
            for (double multiplier : {1.0, 2.5}) {
                TChartSeries bulk;
                TChartSeries loop;
                for (TChartSeries *s : {&bulk, &loop}) {
                    s->XValues().SetOrder(order);
                    s->YValues().SetMultiplier(multiplier);
                    // Already holding points: the arrays come after them.
                    s->AddXY(0.5, 2);
                }
                const int added = bulk.AddXYArrays(c.x, c.y);
                for (std::size_t i = 0; i < c.x.size(); ++i)
                    loop.AddXY(c.x[i], c.y[i]);
                EXPECT_EQ(added, int(c.x.size())) << c.name;
                ExpectSameSeries(bulk, loop, c.name);
                // And what comes after the arrays, one by one or in the middle.
                for (TChartSeries *s : {&bulk, &loop}) {
                    s->AddXY(-1, 7);
                    s->AddXY(1e9, -7);
                }
                ExpectSameSeries(bulk, loop, c.name);
                bulk.Delete(1);
                loop.Delete(1);
                ExpectSameSeries(bulk, loop, c.name);
            }
        }
    }
}

TEST(BulkAdd, AddArrayLaysOutByPositionAsAdd) {
    std::vector<double> values;
    for (int i = 0; i < 10000; ++i)
        values.push_back(std::sin(i * 0.01) * 100);
    TChartSeries bulk;
    TChartSeries loop;
    bulk.Add(5);
    loop.Add(5);
    EXPECT_EQ(bulk.AddArray(values), int(values.size()));
    for (double v : values)
        loop.Add(v);
    ExpectSameSeries(bulk, loop, "positions");
    EXPECT_EQ(bulk.XValue(bulk.Count() - 1), double(values.size()));
}

// Handlers and dependents see each point: the arrays go one by one then,
// refusals and all.
TEST(BulkAdd, HandlersStillSeeEachPoint) {
    TChartSeries series;
    int asked = 0;
    std::vector<int> after;
    series.OnBeforeAdd = [&](TChartSeries &s) {
        ++asked;
        return s.YValues().PendingValue() >= 0;
    };
    series.OnAfterAdd = [&](TChartSeries &, int index) { after.push_back(index); };
    const std::vector<double> x = {1, 2, 3, 4};
    const std::vector<double> y = {5, -1, 6, 7};
    EXPECT_EQ(series.AddXYArrays(x, y), 3);
    EXPECT_EQ(asked, 4);
    EXPECT_EQ(after, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(series.Count(), 3);
    EXPECT_EQ(series.YValues().Total(), 18);

    test::RecordingChart chart;
    TChartSeries source;
    TChartSeries copy;
    source.SetParentChart(&chart);
    copy.SetParentChart(&chart);
    copy.SetDataSource(&source);
    source.AddXYArrays(x, y);
    EXPECT_EQ(copy.Count(), 4) << "the dependent followed every point";
}

TEST(BulkAdd, ArraysOfTwoLengthsAreRefused) {
    TChartSeries series;
    const std::vector<double> x = {1, 2, 3};
    const std::vector<double> y = {1, 2};
    EXPECT_THROW(series.AddXYArrays(x, y), ChartException);
    EXPECT_EQ(series.Count(), 0);
    EXPECT_EQ(series.AddXYArrays({}, {}), 0);
}

// One repaint for the whole array, not one per point.
TEST(BulkAdd, RepaintsOnce) {
    test::RecordingChart chart;
    TChartSeries series;
    series.SetParentChart(&chart);
    const int before = chart.repaints;
    std::vector<double> x(1000);
    std::vector<double> y(1000, 1.0);
    for (int i = 0; i < 1000; ++i)
        x[std::size_t(i)] = i;
    series.AddXYArrays(x, y);
    EXPECT_EQ(chart.repaints - before, 1);
}

} // namespace
} // namespace pexor
