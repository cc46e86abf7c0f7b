#include "chart/Canvas3D.h"

#include "chart/style/ChartPen.h"
#include "chart/panel/View3DOptions.h"
#include "render/QtCanvas.h"
#include "render/RecordingCanvas.h"

#include <QGuiApplication>
#include <QImage>
#include <gtest/gtest.h>

using namespace pexor;

namespace {

// A chart canvas drawing straight onto a recording, the projection centred on
// (150, 100) by a plot rectangle of 300 x 200 and a depth of 10.
class Canvas3DTest : public ::testing::Test {
protected:
    void SetUp() override {
        canvas.SetBuffered(false);
        Prepare();
    }
    void Prepare(bool is3D = true) {
        canvas.Prepare(rec, &options, TRect(0, 0, 300, 200), is3D);
        canvas.SetProjection(10, TRect(0, 0, 300, 200), TRect(0, 0, 300, 200));
    }
    std::vector<QPolygon> Polygons() const {
        std::vector<QPolygon> result;
        for (const TCanvasRecord &r : rec.RecordsOf(TRecordKind::Polygon))
            result.push_back(r.Points);
        return result;
    }

    RecordingCanvas rec;
    TView3DOptions options;
    TChartCanvas3D canvas;
};

QPolygon Poly(std::initializer_list<QPoint> points) {
    return QPolygon(QList<QPoint>(points));
}

} // namespace

TEST_F(Canvas3DTest, OrthogonalProjectionAboutTheCentre) {
    EXPECT_EQ(canvas.XCenter(), 150);
    EXPECT_EQ(canvas.YCenter(), 100);
    EXPECT_EQ(canvas.ZCenter(), 5);
    EXPECT_EQ(canvas.Project(10, 20, 5), QPoint(15, 15));
    EXPECT_EQ(canvas.Project(10, 20, 0), QPoint(10, 20));
}

TEST_F(Canvas3DTest, ZoomAndOffsets) {
    options.SetZoom(50);
    Prepare();
    EXPECT_DOUBLE_EQ(canvas.ZoomFactor(), 0.5);
    EXPECT_EQ(canvas.Project(10, 20, 0), QPoint(80, 60));
    // (151 - 150) * 0.5 = 0.5 rounds to the even 0.
    EXPECT_EQ(canvas.Project(151, 100, 0), QPoint(150, 100));
    EXPECT_EQ(canvas.Project(153, 100, 0), QPoint(152, 100));

    options.SetZoom(100);
    options.SetHorizOffset(7);
    options.SetVertOffset(-3);
    Prepare();
    EXPECT_EQ(canvas.XCenterOffset(), 157);
    EXPECT_EQ(canvas.YCenterOffset(), 97);
    EXPECT_EQ(canvas.Project(150, 100, 0), QPoint(157, 97));
}

TEST_F(Canvas3DTest, CentreTruncatesTowardsZero) {
    canvas.SetProjection(-7, TRect(), TRect(-5, -3, 0, 0));
    EXPECT_EQ(canvas.XCenter(), -2);
    EXPECT_EQ(canvas.YCenter(), -1);
    EXPECT_EQ(canvas.ZCenter(), -3);
}

TEST_F(Canvas3DTest, UnprojectUndoesProject) {
    int x = 15, y = 15;
    canvas.Unproject(x, y, 5);
    EXPECT_EQ(QPoint(x, y), QPoint(10, 20));

    options.SetZoom(50);
    options.SetHorizOffset(4);
    Prepare();
    const QPoint p = canvas.Project(40, 70, 6);
    x = p.x();
    y = p.y();
    canvas.Unproject(x, y, 6);
    EXPECT_EQ(QPoint(x, y), QPoint(40, 70));

    Prepare(false);
    x = 15;
    y = 15;
    canvas.Unproject(x, y, 5);
    EXPECT_EQ(QPoint(x, y), QPoint(15, 15)) << "flat: left as it is";
}

TEST_F(Canvas3DTest, RotatedProjection) {
    options.SetOrthogonal(false);
    options.SetElevation(0);
    options.SetRotation(0);
    options.SetTilt(0);
    Prepare();
    EXPECT_EQ(canvas.Project(10, 20, 5), QPoint(10, 20)) << "zero angles: depth plays no part";
    EXPECT_EQ(canvas.Project(10, 20, 90), QPoint(10, 20));
    options.SetZoom(50);
    Prepare();
    EXPECT_EQ(canvas.Project(10, 20, 0), QPoint(80, 60));

    // A quarter turn shows depth across: x' depends on z alone.
    options.SetZoom(100);
    options.SetRotation(90);
    Prepare();
    EXPECT_EQ(canvas.Project(0, 100, 15), QPoint(140, 100));
    EXPECT_EQ(canvas.Project(300, 100, 15), QPoint(140, 100));
    // Elevation 90 with no rotation: y' depends on z alone.
    options.SetRotation(0);
    options.SetElevation(90);
    Prepare();
    EXPECT_EQ(canvas.Project(150, 0, 25), QPoint(150, 120));
}

TEST_F(Canvas3DTest, FlatDrawingIgnoresDepth) {
    canvas.BeginFlat();
    EXPECT_FALSE(canvas.Is3D());
    EXPECT_EQ(canvas.Project(10, 20, 5), QPoint(10, 20));
    canvas.EndFlat();
    EXPECT_TRUE(canvas.Is3D());
    EXPECT_EQ(canvas.Project(10, 20, 5), QPoint(15, 15));
    Prepare(false);
    EXPECT_EQ(canvas.Project(10, 20, 5), QPoint(10, 20));
}

TEST_F(Canvas3DTest, BoxFacesAndDarkSides) {
    rec.Brush().SetColor(clRed);
    canvas.Box(10, 20, 30, 40, 0, 4, true);
    const auto polygons = rec.RecordsOf(TRecordKind::Polygon);
    ASSERT_EQ(polygons.size(), 3u);
    EXPECT_EQ(polygons[0].Brush.Color(), 0x0000FFu);
    EXPECT_EQ(polygons[1].Brush.Color(), 0x00007Fu);
    EXPECT_EQ(polygons[2].Brush.Color(), 0x0000BFu);
    EXPECT_EQ(polygons[0].Points,
              Poly({QPoint(10, 30), QPoint(20, 30), QPoint(20, 40), QPoint(10, 40)}));
    EXPECT_EQ(polygons[1].Points,
              Poly({QPoint(20, 30), QPoint(24, 26), QPoint(24, 36), QPoint(20, 40)}));
    EXPECT_EQ(polygons[2].Points,
              Poly({QPoint(10, 30), QPoint(20, 30), QPoint(24, 26), QPoint(14, 26)}));
    EXPECT_EQ(rec.Brush().Color(), clRed);
}

TEST_F(Canvas3DTest, BoxWithHatchedBrushDarkensTheBackground) {
    rec.Brush().SetStyle(TBrushStyle::bsCross);
    rec.Brush().SetColor(clBlack);
    rec.SetBackColor(RGB(200, 100, 50));
    canvas.Box(0, 10, 0, 10, 0, 5, true);
    const auto polygons = rec.RecordsOf(TRecordKind::Polygon);
    ASSERT_EQ(polygons.size(), 3u);
    EXPECT_EQ(polygons[1].BackColor, RGB(72, 0, 0));
    EXPECT_EQ(polygons[2].BackColor, RGB(136, 36, 0));
    EXPECT_EQ(polygons[1].Brush.Color(), clBlack);

    rec.Clear();
    canvas.Box(0, 10, 0, 10, 0, 5, false);
    for (const TCanvasRecord &r : rec.Records())
        EXPECT_EQ(r.BackColor, RGB(200, 100, 50));
}

TEST_F(Canvas3DTest, TextOut3DScalesTheFontForTheCall) {
    options.SetZoom(50);
    Prepare();
    rec.Font().SetSize(8);
    canvas.TextOut3D(10, 20, 0, QStringLiteral("12/05"));
    const auto texts = rec.RecordsOf(TRecordKind::TextOut);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Font.Size(), 4);
    EXPECT_EQ(texts[0].Points[0], QPoint(80, 60));
    EXPECT_EQ(rec.Font().Size(), 8);
    EXPECT_EQ(rec.Font().Height(), -11);

    // Never below one point.
    options.SetZoom(1);
    Prepare();
    canvas.TextOut3D(0, 0, 0, QStringLiteral("x"));
    EXPECT_EQ(rec.RecordsOf(TRecordKind::TextOut).back().Font.Size(), 1);
}

TEST_F(Canvas3DTest, RotatedText3D) {
    options.SetZoom(50);
    Prepare();
    rec.Font().SetSize(8);
    rec.SetTextAlign(TA_CENTER | TA_BOTTOM);
    canvas.RotatedText3D(10, 20, 0, QStringLiteral("Titre"), 90);
    const TCanvasRecord text = rec.RecordsOf(TRecordKind::TextOut).at(0);
    EXPECT_EQ(text.Font.Escapement(), 900);
    EXPECT_EQ(text.Font.Orientation(), 900);
    EXPECT_EQ(text.Font.Height(), -5);
    EXPECT_EQ(text.Brush.Style(), TBrushStyle::bsClear);
    EXPECT_EQ(text.TextAlign, TA_CENTER | TA_BOTTOM);
    EXPECT_EQ(text.Points[0], QPoint(80, 60));
    EXPECT_EQ(rec.Font().Escapement(), 0);
    EXPECT_EQ(rec.Font().Height(), -11);
}

TEST_F(Canvas3DTest, AssignVisiblePen) {
    rec.SetPen(TPen(clGreen, 3, TPenStyle::psDash));
    TChartPen hidden;
    hidden.SetColor(clRed);
    hidden.SetVisible(false);
    canvas.AssignVisiblePen(hidden);
    EXPECT_EQ(rec.Pen().Color(), clGreen);
    EXPECT_EQ(rec.Pen().Width(), 3);
    EXPECT_EQ(rec.Pen().Style(), TPenStyle::psClear);

    TDottedGrayPen grid;
    canvas.AssignVisiblePen(grid);
    EXPECT_EQ(rec.Pen(), TPen(clGray, 1, TPenStyle::psDot));
}

TEST_F(Canvas3DTest, PlanesAndQuadsKeepTheirVertexOrder) {
    canvas.RectAt(TRect(10, 20, 30, 40), 2);
    canvas.PlaneX(50, 10, 20, 0, 3);
    canvas.PlaneY(60, 10, 20, 0, 3);
    canvas.Ribbon3D(QPoint(1, 2), QPoint(5, 6), 0, 1);
    canvas.Quad3D(QPoint(1, 1), QPoint(2, 1), QPoint(2, 2), QPoint(1, 2), 0);
    canvas.Triangle3D(QPoint(0, 0), QPoint(4, 0), QPoint(0, 4), 1);
    const auto p = Polygons();
    ASSERT_EQ(p.size(), 6u);
    EXPECT_EQ(p[0], Poly({QPoint(12, 18), QPoint(32, 18), QPoint(32, 38), QPoint(12, 38)}));
    EXPECT_EQ(p[1], Poly({QPoint(50, 10), QPoint(53, 7), QPoint(53, 17), QPoint(50, 20)}));
    EXPECT_EQ(p[2], Poly({QPoint(10, 60), QPoint(20, 60), QPoint(23, 57), QPoint(13, 57)}));
    EXPECT_EQ(p[3], Poly({QPoint(1, 2), QPoint(5, 6), QPoint(6, 5), QPoint(2, 1)}));
    EXPECT_EQ(p[4], Poly({QPoint(1, 1), QPoint(2, 1), QPoint(2, 2), QPoint(1, 2)}));
    EXPECT_EQ(p[5], Poly({QPoint(1, -1), QPoint(5, -1), QPoint(1, 3)}));
}

TEST_F(Canvas3DTest, LinesThroughTheProjection) {
    canvas.HLine3D(10, 20, 30, 2);
    canvas.VLine3D(10, 20, 30, 0);
    canvas.ZLine3D(10, 20, 0, 6);
    canvas.Line3D(0, 0, 5, 5, 1);
    const auto lines = rec.RecordsOf(TRecordKind::LineTo);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].Points, Poly({QPoint(12, 28), QPoint(22, 28)}));
    EXPECT_EQ(lines[1].Points, Poly({QPoint(10, 20), QPoint(10, 30)}));
    EXPECT_EQ(lines[2].Points, Poly({QPoint(10, 20), QPoint(16, 14)}));
    EXPECT_EQ(lines[3].Points, Poly({QPoint(1, -1), QPoint(6, 4)}));
    canvas.ZLine3D(10, 20, 0, 6);
    EXPECT_EQ(rec.PenPos(), QPoint(16, 14));
}

TEST_F(Canvas3DTest, Ellipse3DTrianglesThenOutline) {
    rec.Brush().SetColor(clYellow);
    canvas.Ellipse3D(0, 0, 20, 10, 0);
    const auto polygons = rec.RecordsOf(TRecordKind::Polygon);
    const auto outlines = rec.RecordsOf(TRecordKind::Polyline);
    ASSERT_EQ(polygons.size(), 31u);
    ASSERT_EQ(outlines.size(), 1u);
    EXPECT_EQ(rec.Records().back().Kind, TRecordKind::Polyline);
    for (const TCanvasRecord &t : polygons) {
        EXPECT_EQ(t.Points.size(), 3);
        EXPECT_EQ(t.Points[0], QPoint(10, 5));
        EXPECT_TRUE(t.Pen.IsClear());
    }
    const QPolygon &outline = outlines[0].Points;
    ASSERT_EQ(outline.size(), 31);
    EXPECT_EQ(outline[0], QPoint(10, 10));
    // k = 5: sin(pi/2) = 1, cos(pi/2) ~ 0 -> (20, 5).
    EXPECT_EQ(outline[5], QPoint(20, 5));
    // k = 10: sin(pi) ~ 0 truncates to 0, cos(pi) = -1 -> (10, 0).
    EXPECT_EQ(outline[10], QPoint(10, 0));
    // k = 1: 10 sin(pi/10) = 3.09 -> 3, 5 cos(pi/10) = 4.76 -> 4.
    EXPECT_EQ(outline[1], QPoint(13, 9));
    EXPECT_EQ(polygons[0].Points[1], QPoint(10, 10));
    EXPECT_EQ(outline[30], QPoint(10, 0));
    // Point 31 lies past one and a half turns: 10 sin(558 deg) = -3.09, 5 cos = -4.76.
    EXPECT_EQ(polygons[30].Points[1], QPoint(10, 0));
    EXPECT_EQ(polygons[30].Points[2], QPoint(7, 1));
    EXPECT_FALSE(outlines[0].Pen.IsClear());

    rec.Clear();
    canvas.BeginFlat();
    canvas.Ellipse3D(0, 0, 20, 10, 0);
    canvas.EndFlat();
    ASSERT_EQ(rec.Records().size(), 1u);
    EXPECT_EQ(rec.Records()[0].Kind, TRecordKind::Ellipse);
}

TEST_F(Canvas3DTest, Ellipse3DWithClearBrushOrPen) {
    rec.Brush().SetStyle(TBrushStyle::bsClear);
    canvas.Ellipse3D(0, 0, 20, 10, 0);
    EXPECT_EQ(rec.Records().size(), 1u);
    rec.Clear();
    rec.Brush().SetStyle(TBrushStyle::bsSolid);
    rec.Pen().SetStyle(TPenStyle::psClear);
    canvas.Ellipse3D(0, 0, 20, 10, 0);
    EXPECT_EQ(rec.Records().size(), 31u);
}

TEST_F(Canvas3DTest, Pixel3DByPenWidth) {
    canvas.Pixel3D(10, 20, clRed, 5);
    rec.Pen().SetWidth(3);
    canvas.Pixel3D(10, 20, clRed, 5);
    ASSERT_EQ(rec.Records().size(), 3u);
    EXPECT_EQ(rec.Records()[0].Kind, TRecordKind::Pixel);
    EXPECT_EQ(rec.Records()[0].Points[0], QPoint(15, 15));
    EXPECT_EQ(rec.Records()[0].Color, clRed);
    EXPECT_EQ(rec.Records()[2].Kind, TRecordKind::LineTo);
    EXPECT_EQ(rec.Records()[2].Points, Poly({QPoint(15, 15), QPoint(15, 15)}));
}

TEST_F(Canvas3DTest, ClipBoxHexagonOrFlatRectangle) {
    canvas.ClipBox(TRect(10, 20, 110, 120), 0, 8);
    ASSERT_EQ(rec.Clip().kind, TClip::Kind::Region);
    EXPECT_EQ(rec.Clip().region, Poly({QPoint(10, 120), QPoint(10, 20), QPoint(18, 12),
                                       QPoint(118, 12), QPoint(118, 112), QPoint(110, 120)}));
    canvas.Unclip();
    EXPECT_EQ(rec.Clip().kind, TClip::Kind::None);

    // The region is in device pixels: under a 2x print mapping it doubles.
    rec.SetMapMode(TMapMode::Anisotropic);
    rec.SetWindowExt(QSize(1, 1));
    rec.SetViewportExt(QSize(2, 2));
    canvas.ClipBox(TRect(10, 20, 110, 120), 0, 8);
    EXPECT_EQ(rec.Clip().region[2], QPoint(36, 24));

    Prepare(false);
    canvas.ClipBox(TRect(10, 20, 110, 120), 0, 8);
    ASSERT_EQ(rec.Clip().kind, TClip::Kind::Rect);
    EXPECT_EQ(rec.Clip().rect, TRect(11, 21, 110, 119));
}

TEST_F(Canvas3DTest, ResetState) {
    rec.SetPen(TPen(clRed, 4, TPenStyle::psDot));
    rec.SetBrush(TBrush(clBlue, TBrushStyle::bsClear));
    rec.Font().SetColor(clRed);
    rec.Font().SetSize(20);
    rec.SetBackColor(clBlack);
    rec.SetBackMode(TBackMode::Transparent);
    canvas.ResetState();
    EXPECT_EQ(rec.Pen(), TPen());
    EXPECT_EQ(rec.Brush(), TBrush());
    EXPECT_EQ(rec.Font().Color(), clBlack);
    EXPECT_EQ(rec.Font().Size(), 10);
    EXPECT_EQ(rec.BackColor(), clWhite);
    EXPECT_EQ(rec.BackMode(), TBackMode::Opaque);
}

TEST_F(Canvas3DTest, TextMeasuresWithTheCanvasFont) {
    rec.SetFont(DefaultChartFont(QLocale(QLocale::French, QLocale::France)));
    EXPECT_EQ(canvas.TextWidth(QStringLiteral("100")), rec.TextWidth(QStringLiteral("100")));
    EXPECT_EQ(canvas.FontHeight(), rec.TextHeight(QStringLiteral("W")));
    EXPECT_GT(canvas.FontHeight(), 0);

    TChartCanvas3D detached;
    EXPECT_FALSE(detached.HasSurface());
    EXPECT_EQ(detached.TextWidth(QStringLiteral("100")), 0);
    detached.Box(0, 10, 0, 10, 0, 5, true);
}

TEST_F(Canvas3DTest, GradientBandsFromTheBottomEdge) {
    canvas.GradientFill(TRect(0, 0, 10, 4), RGB(0, 0, 0), RGB(200, 100, 40),
                        TGradientDirection::gdTopBottom);
    const auto fills = rec.RecordsOf(TRecordKind::FillRect);
    ASSERT_EQ(fills.size(), 4u);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(fills[k].Points, Poly({QPoint(0, 3 - k), QPoint(10, 4 - k)})) << k;
        EXPECT_EQ(fills[k].Brush.Color(),
                  RGB(MulDiv(k, 200, 4), MulDiv(k, 100, 4), MulDiv(k, 40, 4)))
            << k;
    }
    EXPECT_EQ(rec.Brush(), TBrush()) << "brush put back";
}

TEST_F(Canvas3DTest, GradientCoversTallRectanglesWhole) {
    canvas.GradientFill(TRect(0, 0, 3, 600), clWhite, clYellow, TGradientDirection::gdBottomTop);
    const auto fills = rec.RecordsOf(TRecordKind::FillRect);
    ASSERT_EQ(fills.size(), 256u);
    int rows = 0;
    for (const TCanvasRecord &f : fills)
        rows += f.Points[1].y() - f.Points[0].y();
    EXPECT_EQ(rows, 600);
    EXPECT_EQ(fills.front().Points[1].y(), 600);
    EXPECT_EQ(fills.back().Points[0].y(), 0);
    EXPECT_EQ(fills.back().Brush.Color(), clYellow);

    rec.Clear();
    canvas.GradientFill(TRect(10, 0, 20, 5), clWhite, clBlack, TGradientDirection::gdLeftRight);
    const auto columns = rec.RecordsOf(TRecordKind::FillRect);
    ASSERT_EQ(columns.size(), 10u);
    EXPECT_EQ(columns[0].Points, Poly({QPoint(19, 0), QPoint(20, 5)}));
    EXPECT_EQ(columns[0].Brush.Color(), clWhite);
}

TEST_F(Canvas3DTest, BevelFrameNestedFrames) {
    canvas.BevelFrame(TRect(0, 0, 10, 8), clBtnShadow, 2, clBtnHighlight);
    const auto lines = rec.RecordsOf(TRecordKind::Polyline);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].Points, Poly({QPoint(0, 7), QPoint(0, 0), QPoint(9, 0)}));
    EXPECT_EQ(lines[0].Pen.Color(), clBtnShadow);
    EXPECT_EQ(lines[1].Points, Poly({QPoint(9, 0), QPoint(9, 7), QPoint(-1, 7)}));
    EXPECT_EQ(lines[1].Pen.Color(), clBtnHighlight);
    EXPECT_EQ(lines[2].Points, Poly({QPoint(1, 6), QPoint(1, 1), QPoint(8, 1)}));
    EXPECT_EQ(rec.Pen(), TPen());
}

TEST_F(Canvas3DTest, OtherSolidsAreDrawnInsideTheirBox) {
    canvas.Pyramid3D(10, 0, 30, 40, 0, 10, true);
    canvas.Cylinder3D(10, 0, 30, 40, 0, 10, true);
    canvas.Pie3D(100, 100, 30, 20, 0, 5, 0.0, 1.5, true);
    canvas.Polygon3D({{0, 0, 0}, {10, 0, 10}, {10, 10, 0}});
    const auto polygons = Polygons();
    ASSERT_GE(polygons.size(), 6u);
    const QRect pyramidBox(10, -10, 31, 51);
    EXPECT_TRUE(pyramidBox.contains(polygons[0].boundingRect()));
    EXPECT_TRUE(pyramidBox.contains(polygons[1].boundingRect()));
    EXPECT_EQ(polygons[0][2], QPoint(25, -5)) << "apex above the middle at mid depth";
    EXPECT_EQ(polygons.back(), Poly({QPoint(0, 0), QPoint(20, -10), QPoint(10, 10)}));
    EXPECT_EQ(rec.Brush().Color(), clWhite);
}

TEST(ChartCanvasBitmap, OffScreenCycle) {
    QImage window(60, 40, QImage::Format_RGB32);
    window.fill(Qt::white);
    TView3DOptions options;
    TChartCanvas3D canvas;
    EXPECT_TRUE(canvas.Buffered());
    EXPECT_TRUE(canvas.Stale());
    {
        QtCanvas screen(&window);
        canvas.SetSurface(&screen);
        const TRect r = canvas.Prepare(screen, &options, TRect(10, 5, 50, 35), true);
        EXPECT_EQ(r, TRect(0, 0, 40, 30));
        ASSERT_NE(canvas.Bitmap(), nullptr);
        EXPECT_EQ(canvas.Bitmap()->size(), QSize(40, 30));
        canvas.Brush().SetColor(clRed);
        canvas.Pen().SetStyle(TPenStyle::psClear);
        canvas.FillRect(r);
        EXPECT_FALSE(canvas.RepaintFromCache());
        canvas.ShowPicture(screen, &screen, QPoint(10, 5));
        EXPECT_FALSE(canvas.Stale());
        EXPECT_EQ(&canvas.ReferenceCanvas(), &screen);
    }
    EXPECT_EQ(window.pixel(10, 5), 0xFFFF0000u);
    EXPECT_EQ(window.pixel(49, 34), 0xFFFF0000u);
    EXPECT_EQ(window.pixel(50, 34), 0xFFFFFFFFu);

    window.fill(Qt::white);
    {
        QtCanvas screen(&window);
        canvas.SetSurface(&screen);
        EXPECT_TRUE(canvas.RepaintFromCache());
        canvas.MarkStale();
        EXPECT_FALSE(canvas.RepaintFromCache());
        canvas.SetSurface(nullptr);
    }
    EXPECT_EQ(window.pixel(0, 0), 0xFFFF0000u) << "the cache is copied at (0, 0)";

    const QImage *before = canvas.Bitmap();
    {
        QtCanvas screen(&window);
        canvas.Prepare(screen, &options, TRect(10, 5, 50, 35), true);
        EXPECT_EQ(canvas.Bitmap(), before) << "an existing bitmap is reused";
        canvas.ShowPicture(screen, nullptr, QPoint(0, 0));
    }
    EXPECT_FALSE(canvas.HasSurface());

    canvas.SetBuffered(false);
    EXPECT_EQ(canvas.Bitmap(), nullptr);
    EXPECT_TRUE(canvas.Stale());
    {
        QtCanvas screen(&window);
        EXPECT_EQ(canvas.Prepare(screen, &options, TRect(10, 5, 50, 35), false),
                  TRect(10, 5, 50, 35));
        EXPECT_EQ(&canvas.ReferenceCanvas(), &screen);
        canvas.SetSurface(nullptr);
    }
}

TEST(ChartCanvasBitmap, MonochromeChangeDropsTheBitmapAndRepaints) {
    RecordingCanvas screen;
    TChartCanvas3D canvas;
    int repaints = 0;
    canvas.OnChange = [&](TChartCanvas3D &) { ++repaints; };
    canvas.Prepare(screen, nullptr, TRect(0, 0, 20, 10), false);
    canvas.ShowPicture(screen, &screen, QPoint());
    EXPECT_FALSE(canvas.Stale());
    canvas.SetMonochrome(false);
    EXPECT_EQ(repaints, 0);
    canvas.SetMonochrome(true);
    EXPECT_EQ(repaints, 1);
    EXPECT_TRUE(canvas.Stale());
    EXPECT_EQ(canvas.Bitmap(), nullptr);
    canvas.Prepare(screen, nullptr, TRect(0, 0, 20, 10), false);
    ASSERT_NE(canvas.Bitmap(), nullptr);
    EXPECT_EQ(canvas.Bitmap()->format(), QImage::Format_Mono);
    canvas.ShowPicture(screen, &screen, QPoint(3, 4));
    const TCanvasRecord shown = screen.Records().back();
    EXPECT_EQ(shown.Kind, TRecordKind::Draw);
    EXPECT_EQ(shown.Points[0], QPoint(3, 4));
    EXPECT_EQ(shown.ImageSize, QSize(20, 10));
}

TEST(ChartPens, CreationValues) {
    EXPECT_EQ(static_cast<const TPen &>(TChartPen()), TPen(clBlack, 1, TPenStyle::psSolid));
    EXPECT_TRUE(TChartPen().Visible());
    EXPECT_FALSE(TChartHiddenPen().Visible());
    EXPECT_EQ(TDottedGrayPen().Color(), 0x808080u);
    EXPECT_EQ(TDottedGrayPen().Style(), TPenStyle::psDot);
    EXPECT_EQ(TDarkGrayPen().Color(), 0x808080u);
    EXPECT_EQ(TDarkGrayPen().Style(), TPenStyle::psSolid);
    EXPECT_EQ(TChartAxisPen().Width(), 2);
    EXPECT_EQ(TChartArrowPen().Color(), 0xFFFFFFu);
}

TEST(ChartPens, ChangesNotifyOnlyWhenTheyChangeSomething) {
    TChartPen pen;
    int changes = 0;
    pen.OnChange = [&](TChartPen &) { ++changes; };
    pen.SetColor(clBlack);
    pen.SetVisible(true);
    EXPECT_EQ(changes, 0);
    pen.SetColor(clRed);
    pen.SetWidth(2);
    pen.SetStyle(TPenStyle::psDash);
    pen.SetVisible(false);
    EXPECT_EQ(changes, 4);
    pen.Assign(TChartAxisPen());
    EXPECT_EQ(changes, 5);
    EXPECT_EQ(pen.Width(), 2);
    EXPECT_TRUE(pen.Visible());
    EXPECT_EQ(pen.Color(), clBlack);
    EXPECT_TRUE(pen.OnChange) << "the owner's callback stays";
    pen.Assign(TChartAxisPen());
    EXPECT_EQ(changes, 5);
}

TEST(View3DOptionsTest, DefaultsChangesAndAssign) {
    TView3DOptions o;
    EXPECT_EQ(o.Elevation(), 345);
    EXPECT_EQ(o.HorizOffset(), 0);
    EXPECT_TRUE(o.Orthogonal());
    EXPECT_EQ(o.Rotation(), 345);
    EXPECT_EQ(o.Tilt(), 0);
    EXPECT_EQ(o.VertOffset(), 0);
    EXPECT_EQ(o.Zoom(), 100);
    int changes = 0;
    o.OnChange = [&](TView3DOptions &) { ++changes; };
    o.SetZoom(100);
    o.SetOrthogonal(true);
    EXPECT_EQ(changes, 0);
    o.SetZoom(120);
    o.SetTilt(10);
    EXPECT_EQ(changes, 2);
    TView3DOptions other;
    other.SetElevation(10);
    other.SetOrthogonal(false);
    o.Assign(other);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(o, other);
    EXPECT_TRUE(o.OnChange);
}

TEST(ChartFont, DefaultFontAndTheJapaneseRule) {
    const TFont f = DefaultChartFont(QLocale(QLocale::French, QLocale::France));
    EXPECT_EQ(f.Name(), QStringLiteral("Arial"));
    EXPECT_EQ(f.Size(), 8);
    EXPECT_EQ(f.Color(), clBlack);
    EXPECT_EQ(f.Style(), 0u);
    EXPECT_TRUE(IsDefaultChartFont(f, QLocale(QLocale::French)));
    TFont bold = f;
    bold.SetStyle(fsBold);
    EXPECT_FALSE(IsDefaultChartFont(bold, QLocale(QLocale::French)));

    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    const TFont j = DefaultChartFont(japanese);
    EXPECT_EQ(j.Name(), QGuiApplication::font().family());
    EXPECT_EQ(j.Size(), -MulDiv(QFontInfo(QGuiApplication::font()).pixelSize(), 72, 96));
    EXPECT_TRUE(IsDefaultChartFont(j, japanese));
    EXPECT_FALSE(IsDefaultChartFont(f, japanese));
}

TEST(ChartColors, DarkenStopsAtZero) {
    EXPECT_EQ(DarkenColor(clRed, 128), 0x00007Fu);
    EXPECT_EQ(DarkenColor(clRed, 64), 0x0000BFu);
    EXPECT_EQ(DarkenColor(RGB(100, 128, 129), 128), RGB(0, 0, 1));
}
