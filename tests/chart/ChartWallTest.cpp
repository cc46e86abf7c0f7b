#include "ChartDrawTestChart.h"

#include <gtest/gtest.h>

namespace pexor::test {
namespace {

QPolygon Points(std::initializer_list<QPoint> points) {
    return QPolygon(QList<QPoint>(points));
}

// A chart without axes or series on 332 x 252: PlotRect (10, 15, 317, 242)
// and a depth of 5 in 3D (Round(312 x 0.015)); orthogonal projection moves
// a point at depth z by (+z, -z).
class WallChart : public ::testing::Test {
protected:
    WallChart() { chart.SetAxisVisible(false); }
    std::vector<TCanvasRecord> Polygons() const {
        return chart.surface.RecordsOf(TRecordKind::Polygon);
    }

    RecordingChartPanel chart;
};

TEST_F(WallChart, ThreeFlatWallsIn3D) {
    chart.DrawAt(TRect(0, 0, 332, 252));
    ASSERT_EQ(chart.PlotRect(), TRect(10, 15, 317, 242));
    ASSERT_EQ(chart.Depth3D(), 5);
    const auto polygons = Polygons();
    ASSERT_EQ(polygons.size(), 3u);

    const TCanvasRecord &back = polygons[0];
    EXPECT_EQ(back.Points, Points({{16, 9}, {322, 9}, {322, 237}, {16, 237}}));
    EXPECT_EQ(back.Brush.Style(), TBrushStyle::bsClear);
    EXPECT_EQ(back.Pen, TPen(clBlack, 1, TPenStyle::psSolid));

    const TCanvasRecord &left = polygons[1];
    EXPECT_EQ(left.Points, Points({{10, 15}, {16, 9}, {16, 236}, {10, 242}}));
    EXPECT_EQ(left.Brush.Color(), TColor(0x80FFFF));
    EXPECT_EQ(left.Brush.Style(), TBrushStyle::bsSolid);
    EXPECT_EQ(left.BackMode, TBackMode::Transparent);

    const TCanvasRecord &bottom = polygons[2];
    EXPECT_EQ(bottom.Points, Points({{10, 242}, {317, 242}, {322, 237}, {15, 237}}));
    EXPECT_EQ(bottom.Brush.Color(), clWhite);
}

TEST_F(WallChart, OnePlainRectangleWithout3D) {
    chart.SetView3D(false);
    chart.DrawAt(TRect(0, 0, 332, 252));
    EXPECT_TRUE(Polygons().empty());
    const auto rects = chart.surface.RecordsOf(TRecordKind::Rectangle);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].Points, Points({{10, 10}, {323, 242}}));
    EXPECT_EQ(rects[0].Brush.Style(), TBrushStyle::bsClear);
}

TEST_F(WallChart, OnlyTheBackWallWhen3DWallsAreOff) {
    chart.SetView3DWalls(false);
    chart.LeftWall().SetSize(4);
    chart.DrawAt(TRect(0, 0, 332, 252));
    const auto polygons = Polygons();
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons[0].Points, Points({{16, 9}, {322, 9}, {322, 237}, {16, 237}}));
    EXPECT_EQ(chart.AxisWallSize(chart.LeftAxis()), 0);
}

TEST_F(WallChart, ThickWallsAreBoxesWithDarkSides) {
    chart.LeftWall().SetSize(4);
    chart.BottomWall().SetSize(3);
    chart.BackWall().SetSize(2);
    chart.BackWall().Brush().SetStyle(TBrushStyle::bsSolid);
    chart.BackWall().SetColor(clSilver);
    chart.DrawAt(TRect(0, 0, 332, 252));
    // The back wall's thickness comes off the top and the right too.
    ASSERT_EQ(chart.PlotRect(), TRect(10, 17, 315, 242));
    EXPECT_EQ(chart.AxisWallSize(chart.LeftAxis()), 4);
    EXPECT_EQ(chart.AxisWallSize(chart.BottomAxis()), 3);
    const auto polygons = Polygons();
    ASSERT_EQ(polygons.size(), 9u);

    // Back box: x 6..315, y 17..245, z 5..7.
    EXPECT_EQ(polygons[0].Points, Points({{11, 12}, {320, 12}, {320, 240}, {11, 240}}));
    EXPECT_EQ(polygons[0].Brush.Color(), clSilver);
    EXPECT_EQ(polygons[1].Brush.Color(), TColor(0x404040));
    EXPECT_EQ(polygons[2].Brush.Color(), TColor(0x808080));

    // Left box: x 6..10, y 17..245, z 0..6.
    EXPECT_EQ(polygons[3].Points, Points({{6, 17}, {10, 17}, {10, 245}, {6, 245}}));
    EXPECT_EQ(polygons[3].Brush.Color(), TColor(0x80FFFF));
    EXPECT_EQ(polygons[4].Points, Points({{10, 17}, {16, 11}, {16, 239}, {10, 245}}));
    EXPECT_EQ(polygons[4].Brush.Color(), TColor(0x007F7F));
    EXPECT_EQ(polygons[5].Brush.Color(), TColor(0x40BFBF));

    // Bottom box: x 10..315, y 242..245, z 0..5.
    EXPECT_EQ(polygons[6].Points, Points({{10, 242}, {315, 242}, {315, 245}, {10, 245}}));
    EXPECT_EQ(polygons[6].Brush.Color(), clWhite);
}

TEST_F(WallChart, WallWithoutColourIsOnlyOutlined) {
    chart.LeftWall().SetColor(clAutoColor);
    chart.DrawAt(TRect(0, 0, 332, 252));
    EXPECT_EQ(Polygons()[1].Brush.Style(), TBrushStyle::bsClear);
}

TEST_F(WallChart, HatchedWallStaysVisibleOverItsOwnColour) {
    chart.LeftWall().SetColor(clWhite);
    chart.LeftWall().Brush().SetStyle(TBrushStyle::bsCross);
    chart.BottomWall().SetColor(clBlack);
    chart.BottomWall().Brush().SetColor(clBlack);
    chart.BottomWall().Brush().SetStyle(TBrushStyle::bsFDiagonal);
    chart.DrawAt(TRect(0, 0, 332, 252));
    const auto polygons = Polygons();
    EXPECT_EQ(polygons[1].Brush.Color(), clBlack);
    EXPECT_EQ(polygons[1].Brush.Style(), TBrushStyle::bsCross);
    EXPECT_EQ(polygons[1].BackMode, TBackMode::Opaque);
    EXPECT_EQ(polygons[1].BackColor, clWhite);
    EXPECT_EQ(polygons[2].Brush.Color(), clWhite);
    EXPECT_EQ(polygons[2].BackColor, clBlack);
}

TEST_F(WallChart, HiddenPenOutlinesNothing) {
    chart.LeftWall().Pen().SetVisible(false);
    chart.DrawAt(TRect(0, 0, 332, 252));
    EXPECT_TRUE(Polygons()[1].Pen.IsClear());
    EXPECT_FALSE(Polygons()[2].Pen.IsClear());
}

TEST_F(WallChart, BackImageInsideIsDrawnOnThePlotAfterTheBackWall) {
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    chart.SetBackImage(image);
    chart.SetBackImageInside(true);
    chart.DrawAt(TRect(0, 0, 332, 252));
    const auto &records = chart.surface.Records();
    int back = -1;
    int stretch = -1;
    for (int i = 0; i < int(records.size()); ++i) {
        if (records[std::size_t(i)].Kind == TRecordKind::Polygon && back < 0)
            back = i;
        if (records[std::size_t(i)].Kind == TRecordKind::StretchDraw)
            stretch = i;
    }
    ASSERT_GE(stretch, 0);
    EXPECT_EQ(back + 1, stretch);
    EXPECT_EQ(records[std::size_t(stretch)].Points, Points({{10, 15}, {317, 242}}));
}

} // namespace
} // namespace pexor::test
