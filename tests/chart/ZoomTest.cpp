#include "chart/Chart.h"
#include "render/QtCanvas.h"
#include "render/RecordingCanvas.h"

#include <QImage>
#include <gtest/gtest.h>
#include <vector>

namespace pexor {
namespace {

// A chart drawn on a recording canvas that counts its repaint requests and
// immediate window updates.
class ZoomChart : public TCustomChart {
public:
    ZoomChart() {
        Canvas().SetBuffered(false);
        series = &AddSeries(std::make_unique<TChartSeries>());
        for (double v : {20.0, 120.0, 70.0})
            series->Add(v);
        DrawNow();
    }

    void DrawNow() {
        surface.Clear();
        Draw(surface, TRect(0, 0, 332, 252));
    }

    TChartSeries *series = nullptr;
    RecordingCanvas surface;
    int paints = 0;
    int updates = 0;
    // Left axis range at each immediate update.
    std::vector<std::pair<double, double>> leftAtUpdate;

protected:
    void RequestPaint() override { ++paints; }
    void UpdateWindow() override {
        ++updates;
        leftAtUpdate.emplace_back(LeftAxis().Minimum(), LeftAxis().Maximum());
    }
};

void ExpectRange(const TCustomChartAxis &axis, double min, double max) {
    EXPECT_DOUBLE_EQ(axis.Minimum(), min);
    EXPECT_DOUBLE_EQ(axis.Maximum(), max);
}

void ExpectAutomatic(const TCustomChartAxis &axis, bool automatic) {
    EXPECT_EQ(axis.Automatic(), automatic);
    EXPECT_EQ(axis.AutomaticMinimum(), automatic);
    EXPECT_EQ(axis.AutomaticMaximum(), automatic);
}

TEST(ZoomByPercent, NarrowsAndWidensAroundTheCentreThenUndoRestoresAutomatic) {
    ZoomChart chart;
    int zooms = 0;
    chart.Zoom().OnZoom = [&](TCustomAxisPanel &sender) {
        EXPECT_EQ(&sender, &chart);
        ++zooms;
    };
    ExpectRange(chart.LeftAxis(), 20, 120);

    chart.Zoom().ZoomByPercent(120);
    ExpectRange(chart.LeftAxis(), 40, 100);
    ExpectAutomatic(chart.LeftAxis(), false);
    // Bottom axis: points 0, 1, 2.
    ExpectRange(chart.BottomAxis(), 0.4, 1.6);
    EXPECT_TRUE(chart.Zoom().ScalesSaved());
    EXPECT_EQ(chart.Zoom().SavedScales()[ssLeft], (TAxisScale{true, true, true, 20, 120}));
    EXPECT_EQ(zooms, 1);
    EXPECT_EQ(chart.updates, 1);

    chart.Zoom().ZoomByPercent(80);
    ExpectRange(chart.LeftAxis(), 28, 112);
    // The copy still shows the axes before the first zoom.
    EXPECT_EQ(chart.Zoom().SavedScales()[ssLeft], (TAxisScale{true, true, true, 20, 120}));
    EXPECT_EQ(zooms, 2);

    chart.Zoom().UndoZoom();
    EXPECT_FALSE(chart.Zoom().ScalesSaved());
    for (const TCustomChartAxis *axis :
         {&chart.LeftAxis(), &chart.RightAxis(), &chart.TopAxis(), &chart.BottomAxis()})
        ExpectAutomatic(*axis, true);
    chart.DrawNow();
    ExpectRange(chart.LeftAxis(), 20, 120);
}

TEST(ZoomByPercent, TwoZoomsAndOneUndoGiveBackASetRange) {
    ZoomChart chart;
    chart.LeftAxis().SetMinMax(10, 50);
    chart.Zoom().ZoomByPercent(120);
    ExpectRange(chart.LeftAxis(), 18, 42);
    chart.Zoom().ZoomByPercent(120);
    EXPECT_NEAR(chart.LeftAxis().Minimum(), 22.8, 1e-12);
    EXPECT_NEAR(chart.LeftAxis().Maximum(), 37.2, 1e-12);

    chart.Zoom().UndoZoom();
    ExpectRange(chart.LeftAxis(), 10, 50);
    ExpectAutomatic(chart.LeftAxis(), false);
    ExpectAutomatic(chart.BottomAxis(), true);
}

TEST(ZoomByPercent, OneHundredKeepsValuesAndTwoHundredKeepsTheSpan) {
    ZoomChart chart;
    chart.Zoom().ZoomByPercent(100);
    ExpectRange(chart.LeftAxis(), 20, 120);
    ExpectRange(chart.BottomAxis(), 0, 2);
    for (const TCustomChartAxis *axis :
         {&chart.LeftAxis(), &chart.RightAxis(), &chart.TopAxis(), &chart.BottomAxis()})
        ExpectAutomatic(*axis, false);

    chart.Zoom().UndoZoom();
    chart.Zoom().ZoomByPercent(200);
    // The computed ends come swapped; the axis orders them.
    ExpectRange(chart.LeftAxis(), 20, 120);
}

TEST(ZoomByPercent, AxisWithoutSeriesGetsTheSmallestSpan) {
    ZoomChart chart;
    chart.Zoom().ZoomByPercent(120);
    EXPECT_DOUBLE_EQ(chart.RightAxis().Minimum(), 0);
    EXPECT_DOUBLE_EQ(chart.RightAxis().Maximum(), 1e-10);
    EXPECT_FALSE(chart.RightAxis().Automatic());
}

TEST(ZoomByPercent, AnimatedZoomGoesAThirdOfTheWayLeftAtEachStep) {
    ZoomChart chart;
    chart.Zoom().SetAnimatedZoom(true);
    chart.Zoom().SetAnimatedZoomSteps(3);
    chart.Zoom().ZoomByPercent(120);
    // Two animation steps, then the final redraw.
    ASSERT_EQ(chart.leftAtUpdate.size(), 3u);
    EXPECT_NEAR(chart.leftAtUpdate[0].first, 20 + 20.0 / 3, 1e-9);
    EXPECT_NEAR(chart.leftAtUpdate[0].second, 120 - 20.0 / 3, 1e-9);
    const double min1 = chart.leftAtUpdate[0].first;
    EXPECT_NEAR(chart.leftAtUpdate[1].first, min1 + (40 - min1) / 3, 1e-9);
    ExpectRange(chart.LeftAxis(), 40, 100);

    chart.Zoom().UndoZoom();
    chart.DrawNow();
    chart.leftAtUpdate.clear();
    chart.Zoom().SetAnimatedZoomSteps(0);
    chart.Zoom().ZoomByPercent(120);
    EXPECT_EQ(chart.leftAtUpdate.size(), 1u);
}

TEST(UndoZoom, WithNothingSavedKeepsRangesButStillFiresAndRepaints) {
    ZoomChart chart;
    int undos = 0;
    chart.Zoom().OnUndoZoom = [&](TCustomAxisPanel &) { ++undos; };
    // What the scroll buttons do: no saving.
    chart.LeftAxis().SetMinMax(5, 15);
    const int paints = chart.paints;
    chart.Zoom().UndoZoom();
    ExpectRange(chart.LeftAxis(), 5, 15);
    ExpectAutomatic(chart.LeftAxis(), false);
    EXPECT_EQ(undos, 1);
    EXPECT_EQ(chart.paints, paints + 1);
}

TEST(UndoZoom, DiscardsScrollsMadeAfterAZoom) {
    ZoomChart chart;
    chart.Zoom().ZoomByPercent(120);
    chart.LeftAxis().SetMinMax(46, 106);
    chart.BottomAxis().SetMinMax(0.6, 1.8);
    chart.Zoom().UndoZoom();
    ExpectAutomatic(chart.LeftAxis(), true);
    ExpectAutomatic(chart.BottomAxis(), true);
    chart.DrawNow();
    ExpectRange(chart.LeftAxis(), 20, 120);
}

TEST(ZoomToDraggedRect, TakesTheValuesUnderTheNormalisedCorners) {
    ZoomChart chart;
    const TRect plot = chart.PlotRect();
    const int x0 = plot.Left + 20;
    const int x1 = plot.Left + 60;
    const int y0 = plot.Top + 10;
    const int y1 = plot.Top + 50;
    const double leftMin = chart.LeftAxis().PixelToValue(y1);
    const double leftMax = chart.LeftAxis().PixelToValue(y0);
    const double bottomMin = chart.BottomAxis().PixelToValue(x0);
    const double bottomMax = chart.BottomAxis().PixelToValue(x1);
    // Dragged up and left: the corners are put in order first.
    chart.Zoom().Drag() = TZoomPanningRecord{false, x1, y1, x0, y0};
    chart.Zoom().ZoomToDraggedRect();
    EXPECT_EQ(chart.Zoom().Drag().X0, x0);
    EXPECT_EQ(chart.Zoom().Drag().Y0, y0);
    ExpectRange(chart.LeftAxis(), leftMin, leftMax);
    ExpectRange(chart.BottomAxis(), bottomMin, bottomMax);
    EXPECT_LT(leftMin, leftMax);
}

TEST(PanAxis, OnAllowScrollMayChangeOrRefuseTheRange) {
    ZoomChart chart;
    TCustomChartAxis &bottom = chart.BottomAxis();
    const TRect plot = chart.PlotRect();
    const double d = bottom.PixelToValue(plot.Left + 40) - bottom.PixelToValue(plot.Left + 10);

    chart.Zoom().PanAxis(bottom, plot.Left + 40, plot.Left + 10);
    ExpectRange(bottom, d, 2 + d);

    chart.Zoom().OnAllowScroll = [](TCustomChartAxis &, double &min, double &max, bool &allow) {
        min = 5;
        max = 6;
        allow = true;
    };
    chart.Zoom().PanAxis(bottom, plot.Left + 40, plot.Left + 10);
    ExpectRange(bottom, 5, 6);

    chart.Zoom().OnAllowScroll = [](TCustomChartAxis &, double &, double &, bool &allow) {
        allow = false;
    };
    chart.Zoom().PanAxis(bottom, plot.Left + 40, plot.Left + 10);
    ExpectRange(bottom, 5, 6);
}

TEST(ZoomFrame, DrawnTwiceGivesThePictureBackAndIsRedOnWhite) {
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(QColor(10, 200, 90));
    const QImage before = image.copy();
    {
        QtCanvas canvas(&image);
        DrawZoomFrame(canvas, clWhite, TRect(5, 5, 25, 20));
    }
    // not-xor of red over the fill, on the outline only.
    const QColor fill(10, 200, 90);
    const QColor expected(~(fill.red() ^ 255) & 255, ~(fill.green() ^ 0) & 255,
                          ~(fill.blue() ^ 0) & 255);
    EXPECT_EQ(image.pixelColor(5, 5), expected);
    EXPECT_EQ(image.pixelColor(24, 19), expected);
    EXPECT_EQ(image.pixelColor(10, 10), fill);
    EXPECT_EQ(image.pixelColor(25, 20), fill);
    {
        QtCanvas canvas(&image);
        EXPECT_EQ(canvas.RasterOp(), TRasterOp::Copy);
        DrawZoomFrame(canvas, clWhite, TRect(5, 5, 25, 20));
        EXPECT_EQ(canvas.RasterOp(), TRasterOp::Copy);
    }
    EXPECT_EQ(image, before);
}

} // namespace
} // namespace pexor
