#include "tests/chart/AxisTestPanel.h"

#include "platform/LocaleSettings.h"
#include "render/QtCanvas.h"

#include <QImage>
#include <QPolygon>
#include <gtest/gtest.h>

using namespace pexor;
using pexor::test::AxisTestPanel;

// Lays out a 3D chart of seven TP readings the way a drawing does and draws
// its axes into an image, saved as axis_box.png in the working directory (the
// build tree under CTest) for a person to look at.
TEST(AxisPictureTest, AxisBoxWithLabelsIntoAnImage) {
    SetLocaleSettings(LocaleSettings::French());
    AxisTestPanel chart;
    chart.AddValues({85, 78, 92, 70, 88, 95, 81},
                    {"02/01/2026", "16/01/2026", "30/01/2026", "13/02/2026", "27/02/2026",
                     "13/03/2026", "27/03/2026"});
    chart.LeftAxis().Title().SetCaption(QStringLiteral("TP (%)"));
    chart.BottomAxis().Title().SetCaption(QStringLiteral("Date"));

    QImage image(336, 256, QImage::Format_RGB32);
    image.fill(qRgb(240, 240, 240));
    {
        QtCanvas canvas(&image);
        TChartCanvas3D &c3 = chart.Canvas();
        c3.SetBuffered(false);
        const TRect bounds(0, 0, 336, 256);
        chart.SetDrawRect(c3.Prepare(canvas, &chart.View3DOptions(), bounds, chart.View3D()));
        chart.CalcPlotRectFromMargins();
        chart.CalcSeriesZOrder();
        chart.CalcAxisRoom();
        chart.CalcSeriesDepths();
        chart.CalcSeriesMargins();
        c3.SetProjection(chart.Depth3D(), chart.DrawRect(), chart.PlotRect());
        chart.DrawAxes();

        // The curve itself, so the picture reads as the chart it belongs to.
        const TChartSeries &s = chart.Series(0);
        QPolygon curve;
        for (int i = 0; i < s.Count(); ++i)
            curve << c3.Project(s.XPixel(i), s.YPixel(i), s.MiddleZ());
        c3.Pen() = TPen(clRed, 2);
        c3.Polyline(curve);
        c3.SetSurface(&chart.surface);
    }
    const QString path = QStringLiteral("axis_box.png");
    ASSERT_TRUE(image.save(path));

    // Plausible layout: the plot left of and above the labels, the depth set.
    const TRect plot = chart.PlotRect();
    EXPECT_GT(plot.Left, 30);
    EXPECT_LT(plot.Bottom, 256 - 20);
    EXPECT_EQ(chart.Depth3D(), chart.SeriesDepth3D());
    EXPECT_GT(chart.Depth3D(), 0);
    // The left axis line stands black at the wall-less plot edge.
    const int y = chart.PlotYCenter();
    EXPECT_TRUE((image.pixel(plot.Left, y) & 0xFFFFFF) == 0 ||
                (image.pixel(plot.Left - 1, y) & 0xFFFFFF) == 0);
}
