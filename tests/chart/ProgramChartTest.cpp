#include "chart/ChartWidget.h"
#include "chart/Series.h"
#include "render/QtCanvas.h"
#include "render/RecordingCanvas.h"

#include <QCoreApplication>
#include <QDir>
#include <gtest/gtest.h>

namespace pexor::test {
namespace {

// The follow-up window's TP chart with three readings.
void SetUpTpChart(TChart &chart) {
    chart.SetBounds(336, 256);
    chart.SetBevelOuter(TBevelCut::bvLowered);
    chart.SetBorderStyle(TBorderStyle::bsSingle);
    chart.BackWall().Brush().SetStyle(TBrushStyle::bsClear);
    chart.Title().SetText({QStringLiteral("Courbe de TP (%)")});
    chart.Legend().SetShadowSize(2);

    auto owned = std::make_unique<TLineSeries>();
    TLineSeries *series = owned.get();
    series->SetSeriesColor(clRed);
    series->SetShowInLegend(false);
    series->Marks().SetVisible(false);
    series->Marks().SetArrowLength(8);
    series->Pointer().SetVisible(false);
    series->Pointer().SetStyle(TSeriesPointerStyle::psRectangle);
    series->Pointer().SetInflateMargins(true);
    series->XValues().SetName(QStringLiteral("X"));
    series->XValues().SetOrder(TChartListOrder::loAscending);
    series->YValues().SetName(QStringLiteral("Y"));
    series->YValues().SetOrder(TChartListOrder::loNone);
    chart.AddSeries(std::move(owned));
    series->Add(80, QStringLiteral("07/12/2026"), clBlue);
    series->Add(95, QStringLiteral("14/12/2026"), clBlue);
    series->Add(70, QStringLiteral("21/12/2026"), clBlue);
}

// The share of the pixels strictly inside polygon (shifted by offset) that
// have colour.
double ShareInside(const QImage &image, const QPolygon &polygon, QPoint offset, TColor color) {
    const QRect box = polygon.boundingRect();
    const QRgb wanted = ToQColor(color).rgb();
    int inside = 0;
    int matching = 0;
    for (int y = box.top() + 1; y < box.bottom(); ++y)
        for (int x = box.left() + 1; x < box.right(); ++x) {
            // Away from the outline: all four neighbours inside as well.
            bool interior = true;
            for (const QPoint d :
                 {QPoint(0, 0), QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)})
                interior = interior && polygon.containsPoint(QPoint(x, y) + d, Qt::OddEvenFill);
            if (!interior)
                continue;
            ++inside;
            if (image.pixel(QPoint(x, y) + offset) == wanted)
                ++matching;
        }
    return inside == 0 ? 0.0 : double(matching) / inside;
}

class ProgramChart : public ::testing::Test {
protected:
    ProgramChart() {
        SetUpTpChart(chart);
        // The geometry of the same drawing, recorded.
        chart.Canvas().SetBuffered(false);
        chart.Draw(recording, chart.GetChartRectangle());
        chart.Canvas().SetBuffered(true);
        picture = chart.grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    TChart chart;
    RecordingCanvas recording;
    QImage picture;
    // The client rectangle starts inside the two-pixel sunken edge.
    const QPoint client{2, 2};
};

TEST_F(ProgramChart, PictureIsSavedWithItsSunkenEdge) {
    EXPECT_EQ(chart.GetChartRectangle(), TRect(0, 0, 332, 252));
    ASSERT_EQ(picture.size(), QSize(336, 256));
    const QString path = QDir(QCoreApplication::applicationDirPath()).filePath("ProgramChart.png");
    ASSERT_TRUE(picture.save(path));
    // Lowered bevel: shadow on top, highlight at the bottom, inside the edge.
    EXPECT_EQ(picture.pixel(100, 2), ToQColor(clBtnShadow).rgb());
    EXPECT_EQ(picture.pixel(100, 253), ToQColor(clBtnHighlight).rgb());
    EXPECT_EQ(picture.pixel(100, 5), ToQColor(clBtnFace).rgb());
}

TEST_F(ProgramChart, TitleIsBlueAboveThePlot) {
    const auto texts = recording.RecordsOf(TRecordKind::TextOut);
    ASSERT_FALSE(texts.empty());
    const TCanvasRecord &title = texts.front();
    EXPECT_EQ(title.Text, QStringLiteral("Courbe de TP (%)"));
    EXPECT_EQ(title.Points[0].y(), 10);
    recording.SetFont(title.Font);
    const QSize size = recording.TextExtent(title.Text);
    int blue = 0;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            if (picture.pixel(title.Points[0] + QPoint(x, y) + client) == qRgb(0, 0, 255))
                ++blue;
    EXPECT_GT(blue, 60);
    // Centred on the plot area.
    const int left = title.Points[0].x();
    EXPECT_NEAR(left + size.width() / 2, 166, 1);
}

TEST_F(ProgramChart, WallsAreYellowOnTheLeftAndWhiteBelow) {
    const auto polygons = recording.RecordsOf(TRecordKind::Polygon);
    ASSERT_GE(polygons.size(), 3u);
    EXPECT_EQ(polygons[0].Brush.Style(), TBrushStyle::bsClear);
    EXPECT_EQ(polygons[1].Brush.Color(), TColor(0x80FFFF));
    EXPECT_EQ(polygons[2].Brush.Color(), clWhite);
    EXPECT_GT(ShareInside(picture, polygons[1].Points, client, 0x80FFFF), 0.9);
    EXPECT_GT(ShareInside(picture, polygons[2].Points, client, clWhite), 0.9);
    // The clear back wall shows the panel colour through, between the grid
    // lines.
    EXPECT_GT(ShareInside(picture, polygons[0].Points, client, clBtnFace), 0.6);
}

TEST_F(ProgramChart, DateLabelsUnderTheFloor) {
    QStringList texts;
    for (const TCanvasRecord &r : recording.RecordsOf(TRecordKind::TextOut))
        texts << r.Text;
    EXPECT_TRUE(texts.contains(QStringLiteral("07/12/2026")));
    EXPECT_TRUE(texts.contains(QStringLiteral("14/12/2026")));
    EXPECT_TRUE(texts.contains(QStringLiteral("21/12/2026")));
    EXPECT_TRUE(texts.contains(QStringLiteral("80")));
}

TEST_F(ProgramChart, RibbonIsBlueAndOutlinedInBlack) {
    std::vector<TCanvasRecord> ribbons;
    for (const TCanvasRecord &r : recording.RecordsOf(TRecordKind::Polygon))
        if (r.Clip.kind == TClip::Kind::Region)
            ribbons.push_back(r);
    ASSERT_EQ(ribbons.size(), 2u);
    for (const TCanvasRecord &r : ribbons) {
        EXPECT_EQ(r.Pen.Color(), clBlack);
        EXPECT_EQ(GetRValue(r.Brush.Color()), 0);
        EXPECT_EQ(GetGValue(r.Brush.Color()), 0);
        int black = 0;
        for (const QPoint &p : r.Points)
            if (picture.pixel(p + client) == qRgb(0, 0, 0))
                ++black;
        EXPECT_GE(black, 2);
    }
    // Going up to the right, the first ribbon is seen edge on and shows as a
    // black line; the falling one shows its blue face.
    EXPECT_EQ(ribbons[0].Brush.Color(), clBlue);
    EXPECT_GT(ShareInside(picture, ribbons[1].Points, client, ribbons[1].Brush.Color()), 0.9);
    const QRect rising = ribbons[0].Points.boundingRect();
    EXPECT_EQ(picture.pixel(ribbons[0].Points[0] + client), qRgb(0, 0, 0));
    EXPECT_GT(rising.width(), 100);
}

TEST_F(ProgramChart, PaintsFromTheCacheUntilSomethingChanges) {
    int drawings = 0;
    chart.OnAfterDraw = [&](TCustomAxisPanel &) { ++drawings; };
    const QImage again = chart.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(drawings, 0);
    EXPECT_EQ(again, picture);
    chart.SetMarginLeft(3);
    chart.grab();
    EXPECT_EQ(drawings, 0);
    chart.SetMarginLeft(10);
    chart.grab();
    EXPECT_EQ(drawings, 1);

    // A resize drops the bitmap; the next paint draws one of the new size.
    chart.SetBounds(300, 200);
    EXPECT_EQ(chart.Canvas().Bitmap(), nullptr);
    chart.grab();
    EXPECT_EQ(drawings, 2);
    ASSERT_NE(chart.Canvas().Bitmap(), nullptr);
    EXPECT_EQ(chart.Canvas().Bitmap()->size(), QSize(296, 196));

    // While printing a window paint draws nothing.
    chart.SetMarginLeft(3);
    chart.SetPrinting(true);
    chart.grab();
    EXPECT_EQ(drawings, 2);
    chart.SetPrinting(false);
}

TEST(ChartWindow, NeverErasesItsBackgroundAndFollowsItsBorderStyle) {
    TChart chart;
    EXPECT_TRUE(chart.testAttribute(Qt::WA_OpaquePaintEvent));
    EXPECT_EQ(chart.size(), QSize(400, 250));
    EXPECT_EQ(chart.GetChartRectangle(), TRect(0, 0, 400, 250));
    chart.SetBorderStyle(TBorderStyle::bsSingle);
    EXPECT_EQ(chart.GetChartRectangle(), TRect(0, 0, 396, 246));
    chart.SetBounds(336, 256);
    EXPECT_EQ(chart.Width(), 336);
    EXPECT_EQ(chart.Height(), 256);
    EXPECT_EQ(chart.GetChartRectangle(), TRect(0, 0, 332, 252));
}

} // namespace
} // namespace pexor::test
