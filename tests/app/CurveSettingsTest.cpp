#include "app/CurveSettings.h"
#include "chart/ChartWidget.h"
#include "chart/panel/Legend.h"
#include "chart/Series.h"

#include <gtest/gtest.h>
#include <memory>

namespace pexor {
namespace {

class CurveScrollTest : public ::testing::Test {
protected:
    void SetUp() override {
        chart.resize(336, 256);
        ConfigureCurveChart(chart);
        auto owned = std::make_unique<TLineSeries>();
        ConfigureCurveSeries(*owned);
        series = owned.get();
        chart.AddSeries(std::move(owned));
        for (double tp : {80.0, 75.0, 90.0, 85.0, 70.0})
            series->Add(tp, QString(), clBlue);
    }

    TChart chart;
    TLineSeries *series = nullptr;
};

TEST_F(CurveScrollTest, ChartAndSeriesSettings) {
    EXPECT_EQ(chart.BevelOuter(), TBevelCut::bvLowered);
    EXPECT_EQ(chart.BorderStyle(), TBorderStyle::bsSingle);
    EXPECT_EQ(chart.Title().Text(), QStringList{"Courbe de TP (%)"});
    EXPECT_EQ(chart.BackWall().Brush().Style(), TBrushStyle::bsClear);
    EXPECT_EQ(chart.Legend().ShadowSize(), 2);
    EXPECT_EQ(series->SeriesColor(), clRed);
    EXPECT_FALSE(series->ShowInLegend());
    EXPECT_FALSE(series->Marks().Visible());
    EXPECT_EQ(series->Marks().ArrowLength(), 8);
    EXPECT_FALSE(series->Pointer().Visible());
    EXPECT_TRUE(series->Pointer().InflateMargins());
    EXPECT_EQ(series->XValues().Name(), QStringLiteral("X"));
    EXPECT_EQ(series->XValues().Order(), TChartListOrder::loAscending);
    EXPECT_EQ(series->YValues().Name(), QStringLiteral("Y"));
    EXPECT_EQ(series->YValues().Order(), TChartListOrder::loNone);
}

TEST_F(CurveScrollTest, HorizontalScrollMovesByATenthAndBack) {
    chart.BottomAxis().SetMinMax(-0.5, 4.5);
    chart.TopAxis().SetMinMax(-0.5, 4.5);
    ScrollHorizontal(chart, 10);
    EXPECT_DOUBLE_EQ(chart.BottomAxis().Minimum(), 0.0);
    EXPECT_DOUBLE_EQ(chart.BottomAxis().Maximum(), 5.0);
    EXPECT_DOUBLE_EQ(chart.TopAxis().Minimum(), 0.0);
    ScrollHorizontal(chart, -10);
    EXPECT_DOUBLE_EQ(chart.BottomAxis().Minimum(), -0.5);
    EXPECT_DOUBLE_EQ(chart.BottomAxis().Maximum(), 4.5);
    EXPECT_DOUBLE_EQ(chart.LeftAxis().Minimum(), chart.LeftAxis().Minimum());
}

TEST_F(CurveScrollTest, VerticalScrollMovesLeftAndRightAxes) {
    chart.LeftAxis().SetMinMax(70, 100);
    chart.RightAxis().SetMinMax(70, 100);
    ScrollVertical(chart, -10);
    EXPECT_DOUBLE_EQ(chart.LeftAxis().Minimum(), 67.0);
    EXPECT_DOUBLE_EQ(chart.LeftAxis().Maximum(), 97.0);
    EXPECT_DOUBLE_EQ(chart.RightAxis().Maximum(), 97.0);
    chart.LeftAxis().SetMinMax(70, 100);
    ScrollVertical(chart, 10);
    EXPECT_DOUBLE_EQ(chart.LeftAxis().Minimum(), 73.0);
    EXPECT_DOUBLE_EQ(chart.LeftAxis().Maximum(), 103.0);
}

TEST_F(CurveScrollTest, ScrolledAxisStopsFollowingNewPoints) {
    chart.LeftAxis().SetMinMax(70, 100);
    ScrollAxis(chart.LeftAxis(), 10);
    series->Add(150, QString(), clBlue);
    chart.grab();
    EXPECT_FALSE(chart.LeftAxis().Automatic());
    EXPECT_DOUBLE_EQ(chart.LeftAxis().Maximum(), 103.0);
}

TEST_F(CurveScrollTest, ZoomScrollUndoReturnsToBeforeTheZoom) {
    chart.grab();
    const double min = chart.BottomAxis().Minimum();
    const double max = chart.BottomAxis().Maximum();
    chart.Zoom().ZoomByPercent(120);
    ScrollHorizontal(chart, 10);
    chart.Zoom().UndoZoom();
    chart.grab();
    EXPECT_DOUBLE_EQ(chart.BottomAxis().Minimum(), min);
    EXPECT_DOUBLE_EQ(chart.BottomAxis().Maximum(), max);
    EXPECT_TRUE(chart.BottomAxis().Automatic());
}

} // namespace
} // namespace pexor
