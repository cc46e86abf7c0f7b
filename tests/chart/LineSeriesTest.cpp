#include "render/QtCanvas.h"
#include "tests/chart/LineSeriesTestPanel.h"

#include <QImage>
#include <gtest/gtest.h>
#include <random>

using namespace pexor;
using pexor::test::AddLine;
using pexor::test::Poly;
using pexor::test::SeriesDrawPanel;

namespace {

std::vector<QPolygon> Shapes(const RecordingCanvas &c, TRecordKind kind) {
    std::vector<QPolygon> shapes;
    for (const TCanvasRecord &r : c.RecordsOf(kind))
        shapes.push_back(r.Points);
    return shapes;
}

// On the 3D layout, X 0 .. 2 and Y 70 .. 95 put 80, 95, 70 at (10, 140),
// (110, 20), (210, 220); the projection moves a point of depth z by (z, -z).
constexpr TColor kGreen = 0x00FF00;
constexpr TColor kBlue = 0xFF0000;

} // namespace

TEST(LineSeriesDrawTest, RibbonsTakeTheEndPointsColourAndDarkenWhenSteep) {
    SeriesDrawPanel chart(true);
    AddLine(chart, {80, 95, 70}, {clRed, kGreen, kBlue});
    chart.Layout(0, 2, 70, 95);
    ASSERT_EQ(chart.PlotRect(), TRect(10, 20, 210, 220));
    ASSERT_EQ(chart.SeriesDepth3D(), 3);
    chart.DrawSeries();

    const auto polygons = chart.recording.RecordsOf(TRecordKind::Polygon);
    ASSERT_EQ(polygons.size(), 2u);
    // Rising 120 pixels over 100: steeper than the ratio 1, darkened by 64.
    EXPECT_EQ(polygons[0].Points, Poly({{110, 20}, {10, 140}, {13, 137}, {113, 17}}));
    EXPECT_EQ(polygons[0].Brush.Color(), TColor(0x00BF00));
    EXPECT_EQ(polygons[0].Brush.Style(), TBrushStyle::bsSolid);
    EXPECT_EQ(polygons[0].Pen.Color(), clBlack);
    EXPECT_EQ(polygons[0].Pen.Style(), TPenStyle::psSolid);
    EXPECT_EQ(polygons[1].Points, Poly({{210, 220}, {110, 20}, {113, 17}, {213, 217}}));
    EXPECT_EQ(polygons[1].Brush.Color(), kBlue);
    // A 3D line series never draws a plain line.
    EXPECT_TRUE(chart.recording.RecordsOf(TRecordKind::LineTo).empty());
    EXPECT_TRUE(chart.recording.RecordsOf(TRecordKind::Polyline).empty());
}

TEST(LineSeriesDrawTest, RibbonSettings) {
    {
        SeriesDrawPanel chart(true);
        auto &series = AddLine(chart, {80, 95, 70}, {clRed, kGreen, kBlue});
        series.SetDark3D(false);
        series.LinePen().SetVisible(false);
        series.SetLineBrush(TBrushStyle::bsCross);
        chart.Layout(0, 2, 70, 95);
        chart.DrawSeries();
        const auto polygons = chart.recording.RecordsOf(TRecordKind::Polygon);
        ASSERT_EQ(polygons.size(), 2u);
        EXPECT_EQ(polygons[0].Brush.Color(), kGreen);
        EXPECT_EQ(polygons[0].Brush.Style(), TBrushStyle::bsCross);
        EXPECT_TRUE(polygons[0].Pen.IsClear());
    }
    {
        // A clear line brush draws nothing at all in 3D.
        SeriesDrawPanel chart(true);
        AddLine(chart, {80, 95, 70}, {clRed, kGreen, kBlue}).SetLineBrush(TBrushStyle::bsClear);
        chart.Layout(0, 2, 70, 95);
        chart.DrawSeries();
        EXPECT_TRUE(chart.recording.Records().empty());
    }
    {
        // An area colour of its own fills the ribbons.
        SeriesDrawPanel chart(true);
        AddLine(chart, {80, 95, 70}, {clRed, kGreen, kBlue}).SetAreaColor(clYellow);
        chart.Layout(0, 2, 70, 95);
        chart.DrawSeries();
        const auto polygons = chart.recording.RecordsOf(TRecordKind::Polygon);
        ASSERT_EQ(polygons.size(), 2u);
        EXPECT_EQ(polygons[0].Brush.Color(), TColor(0x00BFBF));
        EXPECT_EQ(polygons[1].Brush.Color(), clYellow);
    }
}

TEST(LineSeriesDrawTest, StairsIn3DAreTwoPlanes) {
    SeriesDrawPanel chart(true);
    AddLine(chart, {80, 95}, {clRed, kBlue}).SetStairs(true);
    chart.Layout(0, 2, 70, 95);
    chart.DrawSeries();
    const auto planes = Shapes(chart.recording, TRecordKind::Polygon);
    ASSERT_EQ(planes.size(), 2u);
    EXPECT_EQ(planes[0], Poly({{10, 140}, {110, 140}, {113, 137}, {13, 137}}));
    EXPECT_EQ(planes[1], Poly({{110, 140}, {113, 137}, {113, 17}, {110, 20}}));
}

TEST(LineSeriesDrawTest, LinesIn2DTakeTheEndPointsColour) {
    for (bool join : {false, true}) {
        SeriesDrawPanel chart(false);
        auto &series = AddLine(chart, {80, 95, 70}, {clRed, kGreen, kBlue});
        series.SetJoinSegments(join);
        chart.Layout(0, 2, 70, 95);
        chart.DrawSeries();
        const auto lines = chart.recording.RecordsOf(TRecordKind::LineTo);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0].Points, Poly({{10, 140}, {110, 20}}));
        EXPECT_EQ(lines[0].Pen.Color(), kGreen);
        EXPECT_EQ(lines[1].Points, Poly({{110, 20}, {210, 220}}));
        EXPECT_EQ(lines[1].Pen.Color(), kBlue);
        EXPECT_EQ(lines[1].Brush.Style(), TBrushStyle::bsClear);
        EXPECT_TRUE(chart.recording.RecordsOf(TRecordKind::Polygon).empty());
    }
}

TEST(LineSeriesDrawTest, StairsIn2D) {
    for (bool inverted : {false, true})
        for (bool join : {false, true}) {
            SeriesDrawPanel chart(false);
            auto &series = AddLine(chart, {80, 95, 70}, {kBlue, kBlue, kBlue});
            series.SetStairs(true);
            series.SetInvertedStairs(inverted);
            series.SetJoinSegments(join);
            chart.Layout(0, 2, 70, 95);
            chart.DrawSeries();
            const std::vector<QPolygon> expected =
                inverted ? std::vector<QPolygon>{Poly({{10, 140}, {10, 20}}),
                                                 Poly({{10, 20}, {110, 20}}),
                                                 Poly({{110, 20}, {110, 220}}),
                                                 Poly({{110, 220}, {210, 220}})}
                         : std::vector<QPolygon>{
                               Poly({{10, 140}, {110, 140}}), Poly({{110, 140}, {110, 20}}),
                               Poly({{110, 20}, {210, 20}}), Poly({{210, 20}, {210, 220}})};
            EXPECT_EQ(Shapes(chart.recording, TRecordKind::LineTo), expected)
                << "inverted " << inverted << " join " << join;
        }
}

TEST(LineSeriesDrawTest, OnePointDrawsOnlyItsPointer) {
    {
        SeriesDrawPanel chart(false);
        AddLine(chart, {80}, {kBlue});
        chart.Layout(0, 2, 70, 95);
        chart.DrawSeries();
        EXPECT_TRUE(chart.recording.Records().empty());
    }
    {
        SeriesDrawPanel chart(false);
        AddLine(chart, {80}, {kBlue}).Pointer().SetVisible(true);
        chart.Layout(0, 2, 70, 95);
        chart.DrawSeries();
        ASSERT_EQ(chart.recording.Records().size(), 1u);
        const TCanvasRecord &r = chart.recording.Records()[0];
        EXPECT_EQ(r.Kind, TRecordKind::Rectangle);
        EXPECT_EQ(r.Points, Poly({{6, 136}, {15, 145}}));
        EXPECT_EQ(r.Brush.Color(), kBlue);
        EXPECT_EQ(r.Pen.Color(), clBlack);
    }
    {
        SeriesDrawPanel chart(true);
        AddLine(chart, {80}, {kBlue}).Pointer().SetVisible(true);
        chart.Layout(0, 2, 70, 95);
        chart.DrawSeries();
        // A box from StartZ to EndZ: front, right side, top.
        const auto faces = chart.recording.RecordsOf(TRecordKind::Polygon);
        ASSERT_EQ(faces.size(), 3u);
        EXPECT_EQ(faces[0].Points, Poly({{6, 136}, {14, 136}, {14, 144}, {6, 144}}));
        EXPECT_EQ(faces[0].Brush.Color(), kBlue);
        EXPECT_EQ(faces[1].Brush.Color(), TColor(0x7F0000));
    }
}

TEST(LineSeriesDrawTest, PointersLieOverTheSegments) {
    SeriesDrawPanel chart(false);
    auto &series = AddLine(chart, {80, 95, 70}, {clRed, kGreen, kBlue});
    series.Pointer().SetVisible(true);
    series.Pointer().SetStyle(TSeriesPointerStyle::psCircle);
    std::vector<int> asked;
    series.OnGetPointerStyle = [&](TCustomSeries &, int i) {
        asked.push_back(i);
        return i == 2 ? TSeriesPointerStyle::psDiamond : TSeriesPointerStyle::psCircle;
    };
    chart.Layout(0, 2, 70, 95);
    chart.DrawSeries();
    std::vector<TRecordKind> kinds;
    for (const TCanvasRecord &r : chart.recording.Records())
        if (r.Kind != TRecordKind::MoveTo)
            kinds.push_back(r.Kind);
    EXPECT_EQ(kinds, (std::vector<TRecordKind>{TRecordKind::LineTo, TRecordKind::Ellipse,
                                               TRecordKind::LineTo, TRecordKind::Ellipse,
                                               TRecordKind::Polygon}));
    EXPECT_EQ(asked, (std::vector<int>{0, 1, 2}));
    const auto ellipses = chart.recording.RecordsOf(TRecordKind::Ellipse);
    EXPECT_EQ(ellipses[0].Points, Poly({{6, 136}, {14, 144}}));
    EXPECT_EQ(ellipses[0].Brush.Color(), clRed);
    EXPECT_EQ(ellipses[1].Brush.Color(), kGreen);
}

TEST(LineSeriesDrawTest, NullPointBreaksTheCurve) {
    SeriesDrawPanel chart(false);
    auto &series = chart.Add<TLineSeries>();
    series.Add(80, QString(), kBlue);
    series.Add(95, QString(), kBlue);
    series.AddNull();
    series.Add(70, QString(), kBlue);
    series.Add(80, QString(), kBlue);
    chart.Layout(0, 4, 70, 95);
    for (bool join : {false, true}) {
        series.SetJoinSegments(join);
        chart.recording.Clear();
        chart.DrawSeries();
        EXPECT_EQ(
            Shapes(chart.recording, TRecordKind::LineTo),
            (std::vector<QPolygon>{Poly({{10, 140}, {60, 20}}), Poly({{160, 220}, {210, 140}})}));
    }
}

TEST(LineSeriesDrawTest, ZoomedCurveEntersFromTheLeftEdge) {
    // X 3.5 .. 5.5: points 4 and 5 at x 60 and 160; the line enters at x 10
    // at 87.5, halfway between points 3 (85) and 4 (90).
    for (bool join : {false, true}) {
        SeriesDrawPanel chart(false);
        auto &series = AddLine(chart, {70, 75, 80, 85, 90, 95}, {});
        series.SetSeriesColor(kBlue);
        series.SetJoinSegments(join);
        chart.Layout(3.5, 5.5, 70, 95);
        chart.DrawSeries();
        ASSERT_EQ(series.FirstVisibleIndex(), 4);
        EXPECT_EQ(Shapes(chart.recording, TRecordKind::LineTo),
                  (std::vector<QPolygon>{Poly({{10, 80}, {60, 60}}), Poly({{60, 60}, {160, 20}})}));
    }
    {
        // Inverted, the line comes in from the right edge.
        SeriesDrawPanel chart(false);
        auto &series = AddLine(chart, {70, 75, 80, 85, 90, 95}, {});
        series.SetJoinSegments(false);
        chart.BottomAxis().SetInverted(true);
        chart.Layout(3.5, 5.5, 70, 95);
        chart.DrawSeries();
        const auto lines = Shapes(chart.recording, TRecordKind::LineTo);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines[0], Poly({{210, 80}, {160, 60}}));
    }
    {
        // With stairs the entry keeps the previous point's height.
        SeriesDrawPanel chart(false);
        auto &series = AddLine(chart, {70, 75, 80, 85, 90, 95}, {});
        series.SetStairs(true);
        series.SetJoinSegments(false);
        chart.Layout(3.5, 5.5, 70, 95);
        chart.DrawSeries();
        const auto lines = Shapes(chart.recording, TRecordKind::LineTo);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines[0], Poly({{10, 100}, {60, 100}}));
    }
}

TEST(LineSeriesDrawTest, PointsFarOffTheAxesAreSkipped) {
    SeriesDrawPanel chart(false);
    auto &series = AddLine(chart, {80, 1e9, 95}, {kBlue, kBlue, kBlue});
    series.SetJoinSegments(false);
    chart.Layout(0, 2, 70, 95);
    chart.DrawSeries();
    EXPECT_EQ(Shapes(chart.recording, TRecordKind::LineTo),
              (std::vector<QPolygon>{Poly({{10, 140}, {210, 20}})}));
}

TEST(LineSeriesDrawTest, SegmentsWithinOneColumnBecomeOneLine) {
    SeriesDrawPanel chart(false);
    auto &series = chart.Add<TLineSeries>();
    series.AddXY(0, 80, QString(), kBlue);
    series.AddXY(0, 95, QString(), kBlue);
    series.AddXY(0, 85, QString(), kBlue);
    series.AddXY(1, 70, QString(), kBlue);
    chart.Layout(0, 2, 70, 95);
    series.SetJoinSegments(false);
    chart.DrawSeries();
    EXPECT_EQ(Shapes(chart.recording, TRecordKind::LineTo),
              (std::vector<QPolygon>{Poly({{10, 140}, {10, 20}}), Poly({{10, 20}, {10, 100}}),
                                     Poly({{10, 100}, {110, 220}})}));
    // Up from 140 to 20 and down again to 100 paints 20 .. 140.
    chart.recording.Clear();
    series.SetJoinSegments(true);
    chart.DrawSeries();
    EXPECT_EQ(Shapes(chart.recording, TRecordKind::LineTo),
              (std::vector<QPolygon>{Poly({{10, 20}, {10, 141}}), Poly({{10, 100}, {110, 220}})}));
}

// Handing segments over together must leave every pixel as it was.
TEST(LineSeriesDrawTest, JoinedSegmentsPaintTheSamePixels) {
    auto draw = [](bool join, bool stairs, bool zoomed) {
        QImage image(400, 300, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QtCanvas surface(&image);
            SeriesDrawPanel chart(false, &surface);
            auto &series = chart.Add<TLineSeries>();
            std::mt19937 random(7);
            std::uniform_real_distribution<double> step(-3, 3);
            double y = 50;
            for (int i = 0; i < 6000; ++i) {
                y += step(random);
                if (i % 211 == 5)
                    series.AddNull();
                else
                    series.Add(y, QString(), (i / 97) % 3 == 0 ? kBlue : clRed);
            }
            series.SetStairs(stairs);
            series.SetJoinSegments(join);
            chart.Layout(zoomed ? 250.5 : 0, zoomed ? 900 : 6000, -100, 150);
            surface.ClipRect(TRect(11, 21, 210, 219));
            chart.DrawSeries();
        }
        return image;
    };
    for (bool stairs : {false, true})
        for (bool zoomed : {false, true}) {
            const QImage joined = draw(true, stairs, zoomed);
            EXPECT_TRUE(joined == draw(false, stairs, zoomed))
                << "stairs " << stairs << " zoomed " << zoomed;
            // Not an empty picture: the curve shows in both colours.
            int red = 0;
            int blue = 0;
            for (int y = 0; y < joined.height(); ++y)
                for (int x = 0; x < joined.width(); ++x) {
                    red += joined.pixel(x, y) == qRgb(255, 0, 0);
                    blue += joined.pixel(x, y) == qRgb(0, 0, 255);
                }
            EXPECT_GT(red, 100);
            EXPECT_GT(blue, 100);
        }
}

TEST(LineSeriesHitTest, PointsAndSegmentsIn2D) {
    SeriesDrawPanel chart(false);
    auto &series = AddLine(chart, {80, 95, 70}, {});
    chart.Layout(0, 2, 70, 95);
    series.CalcVisibleRange();
    EXPECT_EQ(series.Clicked(110, 20), 1);
    EXPECT_EQ(series.Clicked(60, 80), 0);  // on the first segment
    EXPECT_EQ(series.Clicked(60, 81), 0);  // within a pixel of it
    EXPECT_EQ(series.Clicked(60, 82), -1); // beyond
    EXPECT_EQ(series.Clicked(160, 120), 1);
    EXPECT_EQ(series.Clicked(160, 115), -1);
    EXPECT_EQ(series.Clicked(250, 300), -1);

    series.SetClickableLine(false);
    EXPECT_EQ(series.Clicked(60, 80), -1);
    EXPECT_EQ(series.Clicked(210, 220), 2);

    series.Pointer().SetVisible(true);
    std::vector<int> clicked;
    series.OnClickPointer = [&](TCustomSeries &, int i, int x, int y) {
        clicked.insert(clicked.end(), {i, x, y});
    };
    EXPECT_EQ(series.Clicked(113, 23), 1);
    EXPECT_EQ(clicked, (std::vector<int>{1, 113, 23}));
    EXPECT_EQ(series.Clicked(114, 23), -1);
}

TEST(LineSeriesHitTest, RibbonIn3DAndNothingWhenNoPointIsVisible) {
    SeriesDrawPanel chart(true);
    auto &series = AddLine(chart, {80, 95, 70}, {});
    chart.Layout(0, 2, 70, 95);
    series.CalcVisibleRange();
    // Inside the ribbon's depth above the second segment, off the flat line.
    EXPECT_EQ(series.Clicked(160, 115), 1);
    EXPECT_EQ(series.Clicked(160, 105), -1);

    chart.Layout(10, 12, 70, 95);
    series.CalcVisibleRange();
    ASSERT_EQ(series.FirstVisibleIndex(), -1);
    EXPECT_EQ(series.Clicked(160, 115), -1);
}

TEST(LineSeriesChartTest, PointerMarginsLegendSymbolAndMarks) {
    SeriesDrawPanel chart(false);
    auto &series = AddLine(chart, {80, 95, 70}, {});
    series.SetSeriesColor(kGreen);
    int left = -1, right = -1, top = -1, bottom = -1;
    series.CalcHorizMargins(left, right);
    series.CalcVerticalMargins(top, bottom);
    EXPECT_EQ(std::vector<int>({left, right, top, bottom}), std::vector<int>({0, 0, 0, 0}));
    series.Pointer().SetVisible(true);
    series.Pointer().SetHorizSize(6);
    series.CalcHorizMargins(left, right);
    series.CalcVerticalMargins(top, bottom);
    EXPECT_EQ(std::vector<int>({left, right, top, bottom}), std::vector<int>({7, 7, 5, 5}));
    series.Pointer().SetInflateMargins(false);
    series.CalcHorizMargins(left, right);
    EXPECT_EQ(left, 0);

    // Legend symbol in 2D: clear brush, the line in the series' colour, then
    // the pointer limited to a third of the box.
    chart.Layout(0, 2, 70, 95);
    TChartCanvas3D &canvas = chart.Canvas();
    TColor back = clWhite;
    TBrushStyle style = TBrushStyle::bsSolid;
    series.PrepareLegendCanvas(canvas, -1, back, style);
    EXPECT_EQ(style, TBrushStyle::bsClear);
    EXPECT_EQ(canvas.Pen().Color(), kGreen);
    series.DrawLegendShape(canvas, -1, TRect(0, 0, 30, 9), clWhite);
    const auto lines = Shapes(chart.recording, TRecordKind::LineTo);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], Poly({{0, 4}, {30, 4}}));
    const auto boxes = Shapes(chart.recording, TRecordKind::Rectangle);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], Poly({{9, 1}, {22, 8}}));

    // Without the pointer: a line in 2D, the box itself in 3D.
    series.Pointer().SetVisible(false);
    chart.recording.Clear();
    series.DrawLegendShape(canvas, -1, TRect(0, 0, 30, 9), clWhite);
    EXPECT_EQ(Shapes(chart.recording, TRecordKind::LineTo),
              (std::vector<QPolygon>{Poly({{0, 4}, {30, 4}})}));
    chart.SetView3D(true);
    chart.recording.Clear();
    style = TBrushStyle::bsSolid;
    series.SetLineBrush(TBrushStyle::bsBDiagonal);
    series.PrepareLegendCanvas(canvas, -1, back, style);
    EXPECT_EQ(style, TBrushStyle::bsBDiagonal);
    series.DrawLegendShape(canvas, -1, TRect(0, 0, 30, 9), clWhite);
    EXPECT_EQ(Shapes(chart.recording, TRecordKind::Rectangle),
              (std::vector<QPolygon>{Poly({{0, 0}, {30, 9}})}));

    // Marks: box and arrow end lifted by the arrow length, at StartZ.
    series.Marks().SetArrowLength(8);
    series.SetStartZ(3);
    TSeriesMarkPosition position;
    position.ArrowFrom = QPoint(20, 60);
    position.ArrowTo = QPoint(20, 60);
    position.LeftTop = QPoint(10, 50);
    int z = 1;
    series.PositionMark(0, position, z);
    EXPECT_EQ(position.ArrowFrom, QPoint(20, 60));
    EXPECT_EQ(position.ArrowTo, QPoint(20, 52));
    EXPECT_EQ(position.LeftTop, QPoint(10, 42));
    EXPECT_EQ(z, 3);
}

TEST(LineSeriesChartTest, DefaultsOfTheKinds) {
    TLineSeries line;
    EXPECT_FALSE(line.Pointer().Visible());
    EXPECT_TRUE(line.DrawLine());
    EXPECT_FALSE(line.DrawArea());
    EXPECT_TRUE(line.Dark3D());
    EXPECT_EQ(line.LinePen().Color(), clBlack);
    EXPECT_EQ(line.LineBrush(), TBrushStyle::bsSolid);
    EXPECT_EQ(line.AreaColor(), clAutoColor);
    EXPECT_TRUE(line.DrawBetweenPoints());
    TPointSeries points;
    EXPECT_TRUE(points.Pointer().Visible());
    EXPECT_FALSE(points.DrawLine());
    EXPECT_EQ(points.Marks().ArrowLength(), 0);
    TAreaSeries area;
    EXPECT_TRUE(area.DrawArea());
}

TEST(LineSeriesDrawTest, RibbonPictureIsFilledAndOutlined) {
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QtCanvas surface(&image);
        SeriesDrawPanel chart(true, &surface);
        AddLine(chart, {80, 95, 70}, {kBlue, kBlue, kBlue});
        chart.Layout(0, 2, 70, 95);
        chart.DrawSeries();
    }
    image.save(QStringLiteral("line_series_ribbons.png"));
    // Inside the falling ribbon, between its front edge and its back edge.
    EXPECT_EQ(image.pixel(162, 119), qRgb(0, 0, 255));
    // On its front edge, from (110, 20) to (210, 220).
    EXPECT_EQ(image.pixel(160, 120), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(300, 100), qRgb(255, 255, 255));
}
