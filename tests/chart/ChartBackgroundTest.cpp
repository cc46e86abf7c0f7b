#include "ChartDrawTestChart.h"

#include <gtest/gtest.h>

namespace pexor::test {
namespace {

QPolygon Points(std::initializer_list<QPoint> points) {
    return QPolygon(QList<QPoint>(points));
}

class Background : public ::testing::Test {
protected:
    void DrawPanel(const TRect &rect = TRect(0, 0, 100, 80)) {
        chart.surface.Clear();
        chart.DrawPanel(rect);
    }
    std::vector<TCanvasRecord> Of(TRecordKind kind) const { return chart.surface.RecordsOf(kind); }

    RecordingChartPanel chart;
};

TEST_F(Background, FilledWithTheColourAndARaisedBevel) {
    DrawPanel();
    const auto fills = Of(TRecordKind::FillRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].Points, Points({{0, 0}, {100, 80}}));
    EXPECT_EQ(fills[0].Brush, TBrush(clBtnFace, TBrushStyle::bsSolid));
    const auto lines = Of(TRecordKind::Polyline);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].Points, Points({{0, 79}, {0, 0}, {99, 0}}));
    EXPECT_EQ(lines[0].Pen.Color(), clBtnHighlight);
    EXPECT_EQ(lines[1].Points, Points({{99, 0}, {99, 79}, {-1, 79}}));
    EXPECT_EQ(lines[1].Pen.Color(), clBtnShadow);
}

TEST_F(Background, BevelsAndBorderNestInward) {
    chart.SetBevelOuter(TBevelCut::bvLowered);
    chart.SetBorderWidth(2);
    chart.SetBevelInner(TBevelCut::bvRaised);
    chart.SetBevelWidth(2);
    chart.SetColor(clSilver);
    DrawPanel();
    const auto lines = Of(TRecordKind::Polyline);
    ASSERT_EQ(lines.size(), 12u);
    // Lowered: shadow at the top left, highlight at the bottom right.
    EXPECT_EQ(lines[0].Pen.Color(), clBtnShadow);
    EXPECT_EQ(lines[1].Pen.Color(), clBtnHighlight);
    EXPECT_EQ(lines[2].Points[1], QPoint(1, 1));
    // Then two frames of the panel colour, from (2, 2) on.
    EXPECT_EQ(lines[4].Points[1], QPoint(2, 2));
    EXPECT_EQ(lines[4].Pen.Color(), clSilver);
    EXPECT_EQ(lines[7].Pen.Color(), clSilver);
    // Then the raised inner bevel from (4, 4) on.
    EXPECT_EQ(lines[8].Points[1], QPoint(4, 4));
    EXPECT_EQ(lines[8].Pen.Color(), clBtnHighlight);
    EXPECT_EQ(lines[9].Pen.Color(), clBtnShadow);
    EXPECT_EQ(lines[11].Points, Points({{94, 5}, {94, 74}, {4, 74}}));
}

TEST_F(Background, NoBevelNoFrame) {
    chart.SetBevelOuter(TBevelCut::bvNone);
    DrawPanel();
    EXPECT_TRUE(Of(TRecordKind::Polyline).empty());
    EXPECT_EQ(Of(TRecordKind::FillRect).size(), 1u);
}

TEST_F(Background, PrintingSkipsFillAndBevelsButNotTheImage) {
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(Qt::green);
    chart.SetBackImage(image);
    chart.SetPrinting(true);
    DrawPanel();
    chart.SetPrinting(false);
    EXPECT_TRUE(Of(TRecordKind::FillRect).empty());
    EXPECT_TRUE(Of(TRecordKind::Polyline).empty());
    const auto images = Of(TRecordKind::StretchDraw);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].Points, Points({{0, 0}, {100, 80}}));
}

TEST_F(Background, VerticalGradientBandsFromTheBottom) {
    chart.Gradient().SetVisible(true);
    chart.Gradient().SetStartColor(RGB(0, 0, 0));
    chart.Gradient().SetEndColor(RGB(200, 100, 0));
    DrawPanel(TRect(0, 0, 50, 4));
    const auto fills = Of(TRecordKind::FillRect);
    // Height 4: bands of one pixel from the bottom, start colour first.
    ASSERT_EQ(fills.size(), 4u);
    EXPECT_EQ(fills[0].Points, Points({{0, 3}, {50, 4}}));
    EXPECT_EQ(fills[0].Brush.Color(), RGB(0, 0, 0));
    EXPECT_EQ(fills[1].Brush.Color(), RGB(50, 25, 0));
    EXPECT_EQ(fills[3].Points, Points({{0, 0}, {50, 1}}));
    EXPECT_EQ(fills[3].Brush.Color(), RGB(150, 75, 0));

    // The other directions run from the end colour.
    chart.Gradient().SetDirection(TGradientDirection::gdRightLeft);
    DrawPanel(TRect(0, 0, 4, 50));
    const auto bands = Of(TRecordKind::FillRect);
    ASSERT_EQ(bands.size(), 4u);
    EXPECT_EQ(bands[0].Points, Points({{3, 0}, {4, 50}}));
    EXPECT_EQ(bands[0].Brush.Color(), RGB(200, 100, 0));
}

TEST_F(Background, GradientStillFillsWhilePrinting) {
    chart.Gradient().SetVisible(true);
    chart.SetPrinting(true);
    DrawPanel(TRect(0, 0, 10, 3));
    chart.SetPrinting(false);
    EXPECT_EQ(Of(TRecordKind::FillRect).size(), 3u);
    EXPECT_TRUE(Of(TRecordKind::Polyline).empty());
}

TEST_F(Background, TiledImageRowsThenColumnsInsideAClip) {
    QImage image(40, 30, QImage::Format_RGB32);
    chart.SetBackImage(image);
    chart.SetBackImageMode(TBackImageMode::pbmTile);
    DrawPanel(TRect(5, 5, 105, 65));
    const auto draws = Of(TRecordKind::Draw);
    ASSERT_EQ(draws.size(), 6u);
    EXPECT_EQ(draws[0].Points[0], QPoint(5, 5));
    EXPECT_EQ(draws[1].Points[0], QPoint(45, 5));
    EXPECT_EQ(draws[2].Points[0], QPoint(85, 5));
    EXPECT_EQ(draws[3].Points[0], QPoint(5, 35));
    EXPECT_EQ(draws[5].Points[0], QPoint(85, 35));
    EXPECT_EQ(draws[0].Clip.kind, TClip::Kind::Rect);
    EXPECT_EQ(draws[0].Clip.rect, TRect(5, 5, 105, 65));
    EXPECT_EQ(chart.surface.Clip().kind, TClip::Kind::None);
}

TEST_F(Background, CentredImageOverAFreshFill) {
    QImage image(41, 31, QImage::Format_RGB32);
    chart.SetBackImage(image);
    chart.SetBackImageMode(TBackImageMode::pbmCenter);
    DrawPanel(TRect(0, 0, 100, 80));
    const auto fills = Of(TRecordKind::FillRect);
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[1].Clip.kind, TClip::Kind::Rect);
    const auto draws = Of(TRecordKind::Draw);
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].Points[0], QPoint(29, 24));
}

TEST_F(Background, ImageInsideLeavesThePanelAlone) {
    chart.SetBackImage(QImage(4, 4, QImage::Format_RGB32));
    chart.SetBackImageInside(true);
    DrawPanel();
    EXPECT_TRUE(Of(TRecordKind::StretchDraw).empty());
}

} // namespace
} // namespace pexor::test
