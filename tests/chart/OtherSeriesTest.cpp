#include "tests/chart/LineSeriesTestPanel.h"

#include <gtest/gtest.h>
#include <numbers>

using namespace pexor;
using pexor::test::Poly;
using pexor::test::SeriesDrawPanel;

namespace {

std::vector<QPolygon> Shapes(const RecordingCanvas &c, TRecordKind kind) {
    std::vector<QPolygon> shapes;
    for (const TCanvasRecord &r : c.RecordsOf(kind))
        shapes.push_back(r.Points);
    return shapes;
}

} // namespace

// In 2D the plot is (10, 20, 210, 220): X 0 .. 2 and Y 70 .. 95 put 80, 95,
// 70 at (10, 140), (110, 20), (210, 220).

TEST(OtherSeriesTest, PointSeriesDrawsPointersOnly) {
    SeriesDrawPanel chart(false);
    auto &series = chart.Add<TPointSeries>();
    for (double v : {80.0, 95.0, 70.0})
        series.Add(v, QString(), clRed);
    chart.Layout(0, 2, 70, 95);
    chart.DrawSeries();
    EXPECT_TRUE(chart.recording.RecordsOf(TRecordKind::LineTo).empty());
    EXPECT_EQ(Shapes(chart.recording, TRecordKind::Rectangle),
              (std::vector<QPolygon>{Poly({{6, 136}, {15, 145}}), Poly({{106, 16}, {115, 25}}),
                                     Poly({{206, 216}, {215, 225}})}));
    series.CalcVisibleRange();
    EXPECT_EQ(series.Clicked(60, 80), -1); // no line to hit
}

TEST(OtherSeriesTest, AreaSeriesFillsDownToTheBottom) {
    SeriesDrawPanel chart(false);
    auto &series = chart.Add<TAreaSeries>();
    series.Add(80, QString(), clRed);
    series.Add(95, QString(), clGreen);
    chart.Layout(0, 2, 70, 95);
    chart.DrawSeries();
    const auto areas = chart.recording.RecordsOf(TRecordKind::Polygon);
    ASSERT_EQ(areas.size(), 1u);
    EXPECT_EQ(areas[0].Points, Poly({{10, 140}, {110, 20}, {110, 220}, {10, 220}}));
    EXPECT_EQ(areas[0].Brush.Color(), clGreen);
    series.CalcVisibleRange();
    EXPECT_EQ(series.Clicked(50, 200), 0); // inside the area
}

TEST(OtherSeriesTest, BarsStandOnZero) {
    SeriesDrawPanel chart(false);
    auto &series = chart.Add<TBarSeries>();
    EXPECT_EQ(series.YValues().Name(), QStringLiteral("Histogramme"));
    series.Add(50, QString(), clRed);
    series.Add(100, QString(), clBlue);
    // X -0.5 .. 1.5: bars at x 60 and 160; each has 100 pixels, 70 % of it.
    chart.Layout(-0.5, 1.5, 0, 100);
    chart.DrawSeries();
    const auto bars = chart.recording.RecordsOf(TRecordKind::Rectangle);
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_EQ(bars[0].Points, Poly({{25, 120}, {96, 221}}));
    EXPECT_EQ(bars[0].Brush.Color(), clRed);
    EXPECT_EQ(bars[1].Points, Poly({{125, 20}, {196, 221}}));
    series.CalcVisibleRange();
    EXPECT_EQ(series.Clicked(150, 50), 1);
    EXPECT_EQ(series.Clicked(60, 50), -1);
}

TEST(OtherSeriesTest, HorizontalBarsLieAlongTheValueAxis) {
    SeriesDrawPanel chart(false);
    auto &series = chart.Add<THorizBarSeries>();
    EXPECT_EQ(series.Add(50, QString(), clRed), 0);
    EXPECT_EQ(series.Add(100, QString(), clBlue), 1);
    EXPECT_EQ(series.XValue(1), 100);
    EXPECT_EQ(series.YValue(1), 1);
    // X 0 .. 100 over 200 pixels; Y -0.5 .. 1.5 puts the bars at y 170 and 70.
    chart.Layout(0, 100, -0.5, 1.5);
    chart.DrawSeries();
    EXPECT_EQ(Shapes(chart.recording, TRecordKind::Rectangle),
              (std::vector<QPolygon>{Poly({{10, 135}, {111, 206}}), Poly({{10, 35}, {211, 106}})}));
}

TEST(OtherSeriesTest, PieSlicesInProportion) {
    SeriesDrawPanel chart(false);
    auto &pie = chart.Add<TPieSeries>();
    EXPECT_FALSE(pie.UseAxis());
    pie.Add(1);
    pie.Add(3);
    pie.Add(0.1);
    pie.OtherSlice().SetStyle(TPieOtherStyle::poBelowPercent);
    pie.OtherSlice().SetValue(5);
    chart.Layout(0, 1, 0, 1);
    chart.DrawSeries();
    // The circle in the plot (10, 20, 210, 220): centre (110, 120), radius 99.
    EXPECT_EQ(pie.CircleXCenter(), 110);
    EXPECT_EQ(pie.XRadius(), 99);
    const double pi = std::numbers::pi;
    const double own = 2 * pi / 4.1;
    EXPECT_DOUBLE_EQ(pie.EndAngle(0), own);
    EXPECT_DOUBLE_EQ(pie.EndAngle(1), 4 * own);
    EXPECT_DOUBLE_EQ(pie.StartAngle(2), pie.EndAngle(2)); // grouped
    const auto slices = chart.recording.RecordsOf(TRecordKind::Polygon);
    ASSERT_EQ(slices.size(), 3u);
    EXPECT_EQ(slices[0].Brush.Color(), PaletteColor(0));
    EXPECT_EQ(slices[1].Brush.Color(), PaletteColor(1));
    EXPECT_EQ(slices[2].Brush.Color(), clGray); // the other slice
    EXPECT_EQ(slices[0].Points[0], QPoint(110, 120));
    EXPECT_EQ(slices[0].Points[1], QPoint(209, 120));
    EXPECT_EQ(pie.Clicked(150, 100), 0);
    EXPECT_EQ(pie.Clicked(60, 140), 1);
    EXPECT_EQ(pie.Clicked(300, 120), -1);
}

TEST(OtherSeriesTest, FastLineIsOnePolylinePerUnbrokenRun) {
    SeriesDrawPanel chart(true);
    auto &line = chart.Add<TFastLineSeries>();
    line.SetSeriesColor(clGreen);
    line.Add(80);
    line.Add(95);
    line.AddNull();
    line.Add(70);
    line.Add(80);
    chart.Layout(0, 4, 70, 95);
    chart.DrawSeries();
    // At StartZ 0 the projection leaves the points where they are.
    const auto runs = chart.recording.RecordsOf(TRecordKind::Polyline);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].Points, Poly({{10, 140}, {60, 20}}));
    EXPECT_EQ(runs[1].Points, Poly({{160, 220}, {210, 140}}));
    EXPECT_EQ(runs[0].Pen.Color(), clGreen);
    EXPECT_TRUE(chart.recording.RecordsOf(TRecordKind::Polygon).empty());
}
