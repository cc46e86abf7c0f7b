#include "chart/Chart.h"
#include "chart/Series.h"
#include "render/QtCanvas.h"
#include "tests/chart/LineSeriesTestPanel.h"

#include <QImage>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace pexor::test {
namespace {

// The same drawing made with the canvas writing pixels itself and through
// the painter only must give the same picture, pixel for pixel.
template <typename Draw> void ExpectSamePicture(QSize size, Draw draw) {
    QImage pictures[2];
    for (int way = 0; way < 2; ++way) {
        pictures[way] = QImage(size, QImage::Format_RGB32);
        pictures[way].fill(Qt::white);
        QtCanvas canvas(&pictures[way]);
        canvas.SetDirectRaster(way == 0);
        draw(canvas);
    }
    EXPECT_EQ(pictures[0], pictures[1]);
    int painted = 0;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            painted += pictures[0].pixel(x, y) != qRgb(255, 255, 255);
    EXPECT_GT(painted, size.width() * size.height() / 100) << "the drawing left the picture blank";
}

TEST(DirectRasterChartTest, ProgramChartIsTheSame) {
    TCustomChart chart;
    chart.SetBounds(336, 256);
    chart.SetBevelOuter(TBevelCut::bvLowered);
    chart.BackWall().Brush().SetStyle(TBrushStyle::bsClear);
    chart.Title().SetText({QStringLiteral("Courbe de TP (%)")});
    chart.Legend().SetShadowSize(2);
    auto series = std::make_unique<TLineSeries>();
    series->SetSeriesColor(clRed);
    series->SetShowInLegend(false);
    series->XValues().SetOrder(TChartListOrder::loAscending);
    TLineSeries &curve = chart.AddSeries(std::move(series));
    const int tp[] = {80, 95, 70, 62, 75, 88, 91, 66, 72, 84};
    for (int i = 0; i < 10; ++i)
        curve.Add(tp[i], QStringLiteral("%1/12/2026").arg(1 + 3 * i, 2, 10, QLatin1Char('0')),
                    clBlue);
    // Straight onto the canvas under test, not into the chart's own bitmap.
    chart.Canvas().SetBuffered(false);
    for (bool view3D : {true, false}) {
        chart.SetView3D(view3D);
        curve.Pointer().SetVisible(!view3D);
        ExpectSamePicture(QSize(336, 256),
                          [&](QtCanvas &canvas) { chart.Draw(canvas, TRect(0, 0, 336, 256)); });
    }
}

// Segments cut by the plot's edges, small shapes, a legend and turned
// views: what is written straight must still be the painter's picture.
TEST(DirectRasterChartTest, ZoomedAndDressedChartsAreTheSame) {
    TCustomChart chart;
    chart.Canvas().SetBuffered(false);
    chart.Title().SetText({QStringLiteral("Courbe de TP (%)")});
    for (int s = 0; s < 2; ++s) {
        auto owned = std::make_unique<TLineSeries>();
        owned->SetTitle(s == 0 ? QStringLiteral("TP") : QStringLiteral("INR x 10"));
        owned->Pointer().SetVisible(true);
        owned->Pointer().SetStyle(s == 0 ? TSeriesPointerStyle::psTriangle
                                         : TSeriesPointerStyle::psDiamond);
        TLineSeries *series = &chart.AddSeries(std::move(owned));
        for (int i = 0; i < 40; ++i)
            series->Add(60 + 30 * std::sin(i * 0.4 + s) + 3 * (i % 3),
                        QStringLiteral("%1/12").arg(1 + i % 28), clAutoColor);
    }
    struct TCase {
        QSize size;
        bool view3D;
        bool orthogonal;
        int zoom;
        bool cut; // axes narrowed so segments leave the plot
    };
    for (const TCase &c : {TCase{{336, 256}, true, true, 100, true},
                           TCase{{500, 320}, true, true, 130, false},
                           TCase{{260, 200}, true, false, 100, true},
                           TCase{{400, 300}, false, true, 100, true}}) {
        chart.SetBounds(c.size.width(), c.size.height());
        chart.SetView3D(c.view3D);
        chart.View3DOptions().SetOrthogonal(c.orthogonal);
        chart.View3DOptions().SetZoom(c.zoom);
        chart.LeftAxis().SetAutomatic(!c.cut);
        chart.BottomAxis().SetAutomatic(!c.cut);
        if (c.cut) {
            chart.LeftAxis().SetMinMax(55, 80);
            chart.BottomAxis().SetMinMax(5, 30);
        }
        ExpectSamePicture(c.size, [&](QtCanvas &canvas) {
            chart.Draw(canvas, TRect(0, 0, c.size.width(), c.size.height()));
        });
    }
}

// Many points, steep and flat, clipped to the 3D box (a region) or to the
// plot rectangle in 2D.
TEST(DirectRasterChartTest, LongSeriesAreTheSame) {
    for (bool view3D : {true, false}) {
        ExpectSamePicture(QSize(400, 300), [&](QtCanvas &canvas) {
            SeriesDrawPanel chart(view3D, &canvas);
            auto *series = &chart.Add<TLineSeries>();
            std::mt19937 random(5);
            std::uniform_real_distribution<double> noise(-8, 8);
            for (int i = 0; i < 600; ++i)
                series->Add(50 + 45 * std::sin(i * 0.05) + noise(random), QString(),
                            TColor(0x102030 * (i % 7)));
            chart.Layout(40, 400, 10, 90);
            chart.Canvas().ClipBox(chart.PlotRect(), 0, chart.Depth3D());
            chart.DrawSeries();
            chart.Canvas().Unclip();
        });
    }
}

} // namespace
} // namespace pexor::test
