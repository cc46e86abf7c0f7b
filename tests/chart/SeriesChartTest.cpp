#include "chart/ChartEngine.h"
#include "tests/chart/SeriesTestChart.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace pexor {
namespace {

QString ErrorText(const std::function<void()> &call) {
    try {
        call();
    } catch (const ChartException &e) {
        return e.Message();
    }
    return QStringLiteral("no error");
}

// Records the points the chart asks it to draw.
class RecordingSeries : public TChartSeries {
public:
    void DrawValue(int valueIndex) override { drawn.push_back(valueIndex); }
    bool DrawValuesForward() const override { return forward; }
    bool DrawBetweenPoints() const override { return betweenPoints; }

    std::vector<int> drawn;
    bool forward = true;
    bool betweenPoints = false;
};

TEST(SeriesInChart, ColourChosenOnJoining) {
    test::RecordingChart chart;
    chart.chartColor = PaletteColor(1);
    TChartSeries first;
    first.SetParentChart(&chart);
    EXPECT_EQ(first.SeriesColor(), PaletteColor(0));
    TChartSeries second;
    second.SetParentChart(&chart);
    EXPECT_EQ(second.SeriesColor(), PaletteColor(2)); // 1 is the chart's colour
    TChartSeries stored;
    stored.SetSeriesColor(clRed);
    stored.SetParentChart(&chart);
    EXPECT_EQ(stored.SeriesColor(), clRed);
    EXPECT_EQ(chart.Series().size(), 3u);

    std::vector<std::unique_ptr<TChartSeries>> more;
    for (int i = 0; i < 13; ++i) {
        more.push_back(std::make_unique<TChartSeries>());
        more.back()->SetParentChart(&chart);
        EXPECT_EQ(more.back()->SeriesColor(), PaletteColor(i + 3)) << i;
    }
    // Every palette colour is taken: the first one again.
    TChartSeries last;
    last.SetParentChart(&chart);
    EXPECT_EQ(last.SeriesColor(), PaletteColor(0));

    more.clear();
    EXPECT_EQ(chart.Series().size(), 4u);
    test::RecordingChart other;
    last.SetParentChart(&other);
    EXPECT_EQ(last.SeriesColor(), PaletteColor(0)); // keeps its colour now
    EXPECT_EQ(chart.Series().size(), 3u);
    ASSERT_EQ(other.Series().size(), 1u);
    EXPECT_EQ(other.Series()[0], &last);
    last.SetParentChart(nullptr);
    EXPECT_TRUE(other.Series().empty());
}

TEST(SeriesInChart, LeavesItsChartWhenDestroyedWithoutAnEvent) {
    test::RecordingChart chart;
    int cleared = 0;
    TChartSeries dependent;
    dependent.SetParentChart(&chart);
    {
        TChartSeries series;
        series.Add(1);
        series.OnClearValues = [&](TChartSeries &) { ++cleared; };
        series.SetParentChart(&chart);
        dependent.SetDataSource(&series);
        EXPECT_EQ(chart.Series().size(), 2u);
        EXPECT_EQ(dependent.Count(), 1);
    }
    // The handler's owner may be gone before its series: no event then, and
    // the dependent keeps its points, no longer tied to the source.
    EXPECT_EQ(cleared, 0);
    EXPECT_EQ(chart.Series(), std::vector<TChartSeries *>{&dependent});
    EXPECT_EQ(dependent.DataSource(), nullptr);
    EXPECT_EQ(dependent.Count(), 1);
}

TEST(SeriesInChart, AxesAndPixels) {
    test::RecordingChart chart;
    test::LinearAxis bottom(true, 10, 210, 10, 20);
    test::LinearAxis top(true, 10, 210, 10, 20);
    test::LinearAxis left(false, 5, 105, 105, -2);
    chart.bottom = &bottom;
    chart.top = &top;
    chart.left = &left;
    TChartSeries series;
    series.AddXY(3, 25);
    EXPECT_EQ(series.GetHorizAxis(), nullptr);
    EXPECT_EQ(series.XPixel(0), 0);
    series.SetParentChart(&chart);
    EXPECT_EQ(series.GetHorizAxis(), &bottom);
    EXPECT_EQ(series.GetVertAxis(), &left);
    EXPECT_EQ(series.XPixel(0), 70);
    EXPECT_EQ(series.YPixel(0), 55);
    EXPECT_TRUE(series.AssociatedToAxis(bottom));
    EXPECT_TRUE(series.AssociatedToAxis(left));
    EXPECT_FALSE(series.AssociatedToAxis(top));
    series.SetHorizAxis(THorizAxis::aTopAxis);
    EXPECT_TRUE(series.AssociatedToAxis(top));
    EXPECT_FALSE(series.AssociatedToAxis(bottom));
    EXPECT_TRUE(series.UseAxis());
    series.SetZOrder(2);
    EXPECT_EQ(series.MinZValue(), 2);
    EXPECT_EQ(series.MaxZValue(), 2);
}

// Points mapped for a drawing are those the axes give one by one, held to
// the points there are; they are a value, which later axis changes leave
// as they were while the series itself follows the axes.
TEST(SeriesInChart, MappedPointsForADrawing) {
    test::RecordingChart chart;
    test::LinearAxis bottom(true, 10, 210, 10, 20);
    test::LinearAxis left(false, 5, 105, 105, -2);
    chart.bottom = &bottom;
    chart.left = &left;
    TChartSeries series;
    EXPECT_FALSE(series.MapPoints(0, 0).Holds(0)) << "no axes, nothing mapped";
    series.SetParentChart(&chart);
    for (int i = 0; i < 6; ++i)
        series.AddXY(i, 10.0 * i);
    const TMappedPoints points = series.MapPoints(-1, 9);
    EXPECT_FALSE(points.Holds(-1));
    EXPECT_FALSE(points.Holds(6));
    for (int i = 0; i < 6; ++i) {
        ASSERT_TRUE(points.Holds(i));
        EXPECT_EQ(points.At(i), QPoint(10 + 20 * i, 105 - 20 * i));
        EXPECT_EQ(points.At(i), QPoint(series.XPixel(i), series.YPixel(i)));
    }
    left.inverted = true;
    EXPECT_EQ(points.At(1).y(), 85);
    EXPECT_EQ(series.YPixel(1), 25);
    const TMappedPoints some = series.MapPoints(2, 3);
    EXPECT_EQ(some.At(2).y(), 45);
    EXPECT_FALSE(some.Holds(4));
    EXPECT_TRUE(series.MapPoints(4, 3).x.empty());
}

class SeriesVisibleRange : public ::testing::Test {
protected:
    void SetUp() override {
        chart.bottom = &bottom;
        chart.left = &left;
        series.SetParentChart(&chart);
        for (int i = 0; i < 10; ++i)
            series.Add(i * i);
    }
    std::pair<int, int> Range() {
        series.CalcVisibleRange();
        return {series.FirstVisibleIndex(), series.LastVisibleIndex()};
    }
    test::RecordingChart chart;
    // Plot from pixel 120 to 165: values 2 to 6.5.
    test::LinearAxis bottom{true, 120, 165, 100, 10};
    test::LinearAxis left{false, 0, 100, 100, -1};
    RecordingSeries series;
};

TEST_F(SeriesVisibleRange, PointsInsideThePlot) {
    // 7 is the first point past 6.5; a kind that does not join points drops it.
    EXPECT_EQ(Range(), std::make_pair(2, 6));
    series.betweenPoints = true;
    EXPECT_EQ(Range(), std::make_pair(2, 7));
    series.DrawAllValues();
    EXPECT_EQ(series.drawn, (std::vector<int>{2, 3, 4, 5, 6, 7}));
    series.drawn.clear();
    series.forward = false;
    series.DrawAllValues();
    EXPECT_EQ(series.drawn, (std::vector<int>{7, 6, 5, 4, 3, 2}));
}

TEST_F(SeriesVisibleRange, EdgesAndInversion) {
    test::LinearAxis exact{true, 120, 170, 100, 10}; // 2 to 7
    chart.bottom = &exact;
    EXPECT_EQ(Range(), std::make_pair(2, 7));
    // Inverted: the low end is read at the right edge.
    exact.inverted = true;
    EXPECT_EQ(Range(), std::make_pair(2, 7));
    test::LinearAxis wide{true, 90, 300, 100, 10}; // -1 to 20
    chart.bottom = &wide;
    EXPECT_EQ(Range(), std::make_pair(0, 9));
}

TEST_F(SeriesVisibleRange, AllPointsLeftOfThePlot) {
    test::LinearAxis far{true, 300, 400, 100, 10}; // 20 to 30
    chart.bottom = &far;
    EXPECT_EQ(Range(), std::make_pair(-1, -1));
    series.DrawAllValues();
    EXPECT_TRUE(series.drawn.empty());
}

TEST_F(SeriesVisibleRange, UnorderedOrWithoutChartTakesAll) {
    series.XValues().SetOrder(TChartListOrder::loNone);
    EXPECT_EQ(Range(), std::make_pair(0, 9));
    series.XValues().SetOrder(TChartListOrder::loAscending);
    series.SetParentChart(nullptr);
    EXPECT_EQ(Range(), std::make_pair(0, 9));
    series.Clear();
    EXPECT_EQ(Range(), std::make_pair(-1, -1));
}

TEST(SeriesInChart, ClickedPoint) {
    test::RecordingChart chart;
    TChartSeries series;
    series.SetParentChart(&chart);
    chart.cancelMouse = true;
    EXPECT_FALSE(series.ClickedPoint(0, Qt::LeftButton, Qt::NoModifier, 1, 2, false));
    EXPECT_FALSE(chart.cancelMouse);

    std::vector<QString> calls;
    series.OnClick = [&](TChartSeries &, int index, Qt::MouseButton button,
                         Qt::KeyboardModifiers shift, int x, int y) {
        EXPECT_TRUE(chart.cancelMouse);
        calls.push_back(QStringLiteral("click %1 %2 %3 %4 %5")
                            .arg(index).arg(int(button)).arg(int(shift)).arg(x).arg(y));
    };
    EXPECT_TRUE(series.ClickedPoint(3, Qt::RightButton, Qt::ShiftModifier, 10, 20, true));
    series.OnDblClick = [&](TChartSeries &, int index, Qt::MouseButton, Qt::KeyboardModifiers,
                            int, int) {
        calls.push_back(QStringLiteral("double %1").arg(index));
        chart.SetCancelMouse(false);
    };
    EXPECT_FALSE(series.ClickedPoint(4, Qt::LeftButton, Qt::NoModifier, 0, 0, true));
    EXPECT_TRUE(series.ClickedPoint(5, Qt::LeftButton, Qt::NoModifier, 0, 0, false));
    EXPECT_EQ(calls, (std::vector<QString>{
                         QStringLiteral("click 3 2 33554432 10 20"),
                         QStringLiteral("double 4"),
                         QStringLiteral("click 5 1 0 0 0"),
                     }));
    EXPECT_EQ(series.Clicked(10, 20), -1);

    TChartSeries alone;
    alone.OnClick = [](TChartSeries &, int, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {};
    EXPECT_TRUE(alone.ClickedPoint(0, Qt::LeftButton, Qt::NoModifier, 0, 0, false));
}

TEST(SeriesInChart, DrawEventsFireWhenSet) {
    TChartSeries series;
    series.DoBeforeDrawValues();
    std::vector<int> order;
    series.BeforeDrawValues = [&](TChartSeries &) { order.push_back(1); };
    series.AfterDrawValues = [&](TChartSeries &) { order.push_back(2); };
    series.DoBeforeDrawValues();
    series.DoAfterDrawValues();
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
}

class SeriesDataSource : public ::testing::Test {
protected:
    void SetUp() override {
        source.SetName(QStringLiteral("Series1"));
        dependent.SetName(QStringLiteral("Series2"));
        source.SetParentChart(&chart);
        dependent.SetParentChart(&chart);
    }
    test::RecordingChart chart;
    int dependentCleared = 0; // outlives the series that count into it
    TChartSeries source;
    TChartSeries dependent;
};

TEST_F(SeriesDataSource, Errors) {
    TChartSeries orphan;
    EXPECT_EQ(ErrorText([&] { orphan.SetDataSource(&source); }),
              QStringLiteral("Il n'y a pas de ParentChart pour valider DataSource."));
    TChartSeries refused;
    refused.SetName(QStringLiteral("Refusee"));
    EXPECT_EQ(ErrorText([&] { dependent.SetDataSource(&refused); }),
              QStringLiteral("Il n'y a pas de DataSource correct : Refusee"));
    dependent.SetDataSource(&source);
    EXPECT_EQ(ErrorText([&] { source.SetDataSource(&dependent); }),
              QStringLiteral("Dépendances de séries circulaires non autorisées"));
    TChartSeries third;
    third.SetParentChart(&chart);
    third.SetDataSource(&dependent);
    EXPECT_EQ(ErrorText([&] { source.SetDataSource(&third); }),
              QStringLiteral("Dépendances de séries circulaires non autorisées"));
    EXPECT_EQ(source.DataSource(), nullptr);
    EXPECT_EQ(source.Dependents(), std::vector<TChartSeries *>{&dependent});
}

TEST_F(SeriesDataSource, DependentFollowsItsSource) {
    source.AddXY(1, 10, QStringLiteral("a"), clRed);
    source.AddXY(2, 20);
    dependent.Add(99);
    dependent.SetDataSource(&source);
    EXPECT_EQ(chart.dataSourceChecks, 1);
    ASSERT_EQ(dependent.Count(), 2);
    EXPECT_EQ(dependent.XValue(0), 1);
    EXPECT_EQ(dependent.YValue(1), 20);
    EXPECT_EQ(dependent.PointLabel(0), QStringLiteral("a"));
    EXPECT_EQ(dependent.PointColor(0), clRed);

    source.AddXY(1.5, 15);
    ASSERT_EQ(dependent.Count(), 3);
    EXPECT_EQ(dependent.YValue(1), 15);
    source.Delete(0);
    ASSERT_EQ(dependent.Count(), 2);
    EXPECT_EQ(dependent.XValue(0), 1.5);
    source.YValues().SetMultiplier(2);
    EXPECT_EQ(dependent.YValue(1), 40);
    dependent.OnClearValues = [this](TChartSeries &) { ++dependentCleared; };
    source.Clear();
    EXPECT_EQ(dependentCleared, 1);
    EXPECT_EQ(dependent.Count(), 0);

    dependent.SetRecalcOptions(rOnDelete | rOnModify | rOnClear);
    source.Add(5);
    EXPECT_EQ(dependent.Count(), 0);
}

TEST_F(SeriesDataSource, PointsAppendedAfterADependentJoinsReachIt) {
    // Appended with nobody to tell, then with a dependent, then without.
    for (int i = 0; i < 5000; ++i)
        source.AddXY(i, i % 7);
    dependent.SetDataSource(&source);
    ASSERT_EQ(dependent.Count(), 5000);
    source.AddXY(5000, 3);
    source.AddXY(5001, 4);
    ASSERT_EQ(dependent.Count(), 5002);
    EXPECT_EQ(dependent.YValue(5001), 4);

    dependent.SetDataSource(nullptr);
    source.AddXY(5002, 5);
    EXPECT_EQ(dependent.Count(), 5002);
    EXPECT_EQ(source.Count(), 5003);

    auto temporary = std::make_unique<TChartSeries>();
    temporary->SetParentChart(&chart);
    temporary->SetDataSource(&source);
    source.AddXY(5003, 6);
    EXPECT_EQ(temporary->Count(), 5004);
    temporary.reset();
    source.AddXY(5004, 7); // nobody left: appended as before
    EXPECT_EQ(source.Count(), 5005);
    EXPECT_EQ(source.MaxX(), 5004);
    EXPECT_EQ(source.MaxY(), 7);
}

TEST_F(SeriesDataSource, ValueSourceNamesTheSourceList) {
    source.AddXY(1, 10);
    source.AddXY(2, 20);
    dependent.SetDataSource(&source);
    dependent.XValues().SetOrder(TChartListOrder::loNone);
    dependent.XValues().SetValueSource(QStringLiteral("Y"));
    ASSERT_EQ(dependent.Count(), 2);
    EXPECT_EQ(dependent.XValue(1), 20);
    EXPECT_EQ(dependent.YValue(1), 20);
}

TEST_F(SeriesDataSource, DestroyingEitherSideDetaches) {
    auto temporary = std::make_unique<TChartSeries>();
    temporary->SetParentChart(&chart);
    temporary->SetDataSource(&source);
    EXPECT_EQ(source.Dependents().size(), 1u);
    temporary.reset();
    EXPECT_TRUE(source.Dependents().empty());
    source.Add(1); // no dependent left to reach

    auto upstream = std::make_unique<TChartSeries>();
    upstream->SetParentChart(&chart);
    dependent.SetDataSource(upstream.get());
    upstream.reset();
    EXPECT_EQ(dependent.DataSource(), nullptr);

    dependent.SetDataSource(&source);
    dependent.SetDataSource(nullptr);
    EXPECT_TRUE(source.Dependents().empty());
    EXPECT_EQ(dependent.DataSource(), nullptr);
}

} // namespace
} // namespace pexor
