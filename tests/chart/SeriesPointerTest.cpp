#include "chart/ChartException.h"
#include "tests/chart/LineSeriesTestPanel.h"

#include <gtest/gtest.h>

using namespace pexor;
using pexor::test::Poly;
using pexor::test::SeriesDrawPanel;

namespace {

// Draws one pointer of style at (50, 60) with half-sizes 4 and 3.
std::vector<TCanvasRecord> Drawn(TSeriesPointerStyle style, bool is3D, bool draw3D = true) {
    SeriesDrawPanel chart(is3D);
    chart.Layout(0, 1, 0, 1);
    TSeriesPointer pointer(nullptr);
    pointer.SetHorizSize(4);
    pointer.SetVertSize(3);
    pointer.SetDraw3D(draw3D);
    TPointerPlace place;
    place.X = 50;
    place.Y = 60;
    place.Color = 0x00FF00;
    place.Style = style;
    place.Is3D = is3D;
    place.StartZ = 2;
    place.EndZ = 5;
    chart.recording.Clear();
    pointer.DrawPointer(chart.Canvas(), place);
    return chart.recording.Records();
}

std::vector<QPolygon> LinesOf(const std::vector<TCanvasRecord> &records) {
    std::vector<QPolygon> lines;
    for (const TCanvasRecord &r : records)
        if (r.Kind == TRecordKind::LineTo)
            lines.push_back(r.Points);
    return lines;
}

} // namespace

TEST(SeriesPointerTest, FlatStyles) {
    auto rect = Drawn(TSeriesPointerStyle::psRectangle, false);
    ASSERT_EQ(rect.size(), 1u);
    EXPECT_EQ(rect[0].Kind, TRecordKind::Rectangle);
    EXPECT_EQ(rect[0].Points, Poly({{46, 57}, {55, 64}}));
    EXPECT_EQ(rect[0].Brush.Color(), TColor(0x00FF00));
    EXPECT_EQ(rect[0].Pen.Color(), clBlack);

    auto circle = Drawn(TSeriesPointerStyle::psCircle, false);
    ASSERT_EQ(circle.size(), 1u);
    EXPECT_EQ(circle[0].Kind, TRecordKind::Ellipse);
    EXPECT_EQ(circle[0].Points, Poly({{46, 57}, {54, 63}}));

    auto up = Drawn(TSeriesPointerStyle::psTriangle, false);
    ASSERT_EQ(up.size(), 1u);
    EXPECT_EQ(up[0].Points, Poly({{46, 63}, {54, 63}, {50, 57}}));
    auto down = Drawn(TSeriesPointerStyle::psDownTriangle, false);
    EXPECT_EQ(down[0].Points, Poly({{46, 57}, {54, 57}, {50, 63}}));
    auto diamond = Drawn(TSeriesPointerStyle::psDiamond, false);
    EXPECT_EQ(diamond[0].Points, Poly({{46, 60}, {50, 57}, {54, 60}, {50, 63}}));

    const std::vector<QPolygon> cross{Poly({{46, 60}, {55, 60}}), Poly({{50, 57}, {50, 64}})};
    const std::vector<QPolygon> diagonals{Poly({{46, 57}, {55, 64}}), Poly({{46, 63}, {55, 56}})};
    EXPECT_EQ(LinesOf(Drawn(TSeriesPointerStyle::psCross, false)), cross);
    EXPECT_EQ(LinesOf(Drawn(TSeriesPointerStyle::psDiagCross, false)), diagonals);
    std::vector<QPolygon> star = cross;
    star.insert(star.end(), diagonals.begin(), diagonals.end());
    EXPECT_EQ(LinesOf(Drawn(TSeriesPointerStyle::psStar, false)), star);

    auto dot = Drawn(TSeriesPointerStyle::psSmallDot, false);
    ASSERT_EQ(dot.size(), 1u);
    EXPECT_EQ(dot[0].Kind, TRecordKind::Pixel);
    EXPECT_EQ(dot[0].Points, Poly({{50, 60}}));
    EXPECT_EQ(dot[0].Color, TColor(0x00FF00));
}

TEST(SeriesPointerTest, StylesIn3D) {
    // The projection moves depth z by (z, -z); StartZ is 2.
    auto box = Drawn(TSeriesPointerStyle::psRectangle, true);
    ASSERT_EQ(box.size(), 3u);
    EXPECT_EQ(box[0].Points, Poly({{48, 55}, {56, 55}, {56, 61}, {48, 61}}));
    EXPECT_EQ(box[2].Brush.Color(), TColor(0x00BF00));

    auto flat = Drawn(TSeriesPointerStyle::psRectangle, true, false);
    ASSERT_EQ(flat.size(), 1u);
    EXPECT_EQ(flat[0].Points, Poly({{48, 55}, {57, 55}, {57, 62}, {48, 62}}));

    auto pyramid = Drawn(TSeriesPointerStyle::psTriangle, true);
    EXPECT_EQ(pyramid.size(), 2u);
    auto down = Drawn(TSeriesPointerStyle::psDownTriangle, true);
    // Pointing down, the base on top shows as well.
    EXPECT_EQ(down.size(), 3u);
    auto flatTriangle = Drawn(TSeriesPointerStyle::psTriangle, true, false);
    ASSERT_EQ(flatTriangle.size(), 1u);
    EXPECT_EQ(flatTriangle[0].Points, Poly({{48, 61}, {56, 61}, {52, 55}}));

    EXPECT_EQ(LinesOf(Drawn(TSeriesPointerStyle::psCross, true)),
              (std::vector<QPolygon>{Poly({{48, 58}, {57, 58}}), Poly({{52, 55}, {52, 62}})}));
    auto dot = Drawn(TSeriesPointerStyle::psSmallDot, true);
    ASSERT_EQ(dot.size(), 1u);
    EXPECT_EQ(dot[0].Points, Poly({{52, 58}}));
}

TEST(SeriesPointerTest, PenAndBrushOfThePointer) {
    SeriesDrawPanel chart(false);
    chart.Layout(0, 1, 0, 1);
    TSeriesPointer pointer(nullptr);
    pointer.Pen().SetColor(clAutoColor);
    pointer.Brush().SetColor(clYellow);
    TPointerPlace place;
    place.Color = clRed;
    pointer.DrawPointer(chart.Canvas(), place);
    pointer.Pen().SetVisible(false);
    pointer.DrawPointer(chart.Canvas(), place);
    const auto r = chart.recording.RecordsOf(TRecordKind::Rectangle);
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].Pen.Color(), clRed);
    EXPECT_EQ(r[0].Brush.Color(), clYellow);
    EXPECT_TRUE(r[1].Pen.IsClear());
}

TEST(SeriesPointerTest, SizesAndRepaints) {
    TLineSeries series;
    TSeriesPointer &pointer = series.Pointer();
    EXPECT_EQ(pointer.HorizSize(), 4);
    EXPECT_EQ(pointer.VertSize(), 4);
    EXPECT_EQ(pointer.Style(), TSeriesPointerStyle::psRectangle);
    EXPECT_TRUE(pointer.Draw3D());
    EXPECT_TRUE(pointer.InflateMargins());
    EXPECT_EQ(pointer.Brush().Color(), clAutoColor);
    try {
        pointer.SetHorizSize(0);
        FAIL() << "no error";
    } catch (const ChartException &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("La taille de pointeur doit être supérieure à 0"));
    }
    EXPECT_THROW(pointer.SetVertSize(-3), ChartException);
    EXPECT_EQ(pointer.HorizSize(), 4);
    EXPECT_EQ(pointer.VertSize(), 4);

    SeriesDrawPanel chart(false);
    auto &owned = chart.Add<TLineSeries>();
    chart.paints = 0;
    owned.Pointer().SetStyle(TSeriesPointerStyle::psRectangle);
    owned.Pointer().SetVisible(false);
    EXPECT_EQ(chart.paints, 0);
    owned.Pointer().SetStyle(TSeriesPointerStyle::psStar);
    owned.Pointer().Pen().SetColor(clRed);
    owned.Pointer().Brush().SetColor(clRed);
    EXPECT_EQ(chart.paints, 3);
}
