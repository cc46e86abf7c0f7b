// A long series drawn merged (the lines of one pixel column as one, the
// ribbons later ones hide left out) must paint exactly the pixels of every
// segment drawn one by one.
#include "render/QtCanvas.h"
#include "tests/chart/LineSeriesTestPanel.h"

#include <QImage>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <string>

using namespace pexor;
using pexor::test::SeriesDrawPanel;

namespace {

constexpr TColor kBlue = 0xFF0000;
constexpr int kPoints = 12000;

// The curves, each on about 60 points per column of a 200-pixel plot.
using TFill = std::function<void(TLineSeries &)>;

struct TCurve {
    std::string name;
    TFill fill;
};

std::vector<TCurve> Curves() {
    return {
        {"random walk",
         [](TLineSeries &s) {
             std::mt19937 random(3);
             std::normal_distribution<double> step(0, 2);
             double y = 25;
             for (int i = 0; i < kPoints; ++i)
                 s.Add(y += step(random));
         }},
        {"steps",
         [](TLineSeries &s) {
             for (int i = 0; i < kPoints; ++i)
                 s.Add((i / 400) % 2 ? 80 : -40);
         }},
        {"spikes, some far off the axes",
         [](TLineSeries &s) {
             std::mt19937 random(5);
             for (int i = 0; i < kPoints; ++i) {
                 const int r = int(random() % 500);
                 s.Add(r == 0 ? 1e9 : r == 1 ? -1e9 : r < 8 ? 140 - r * 30 : 20 + (r % 3));
             }
         }},
        {"nulls and colours",
         [](TLineSeries &s) {
             std::mt19937 random(9);
             std::uniform_real_distribution<double> step(-4, 4);
             double y = 30;
             for (int i = 0; i < kPoints; ++i) {
                 y += step(random);
                 if (i % 173 == 7 || i % 977 < 3)
                     s.AddNull();
                 else
                     s.Add(y, QString(), (i / 131) % 3 == 0 ? kBlue : clAutoColor);
             }
         }},
        {"one column",
         [](TLineSeries &s) {
             std::mt19937 random(13);
             for (int i = 0; i < 3000; ++i)
                 s.AddXY(7, double(random() % 200) - 50);
             s.AddXY(8, 10);
         }},
    };
}

struct TLook {
    bool view3D = false;
    bool stairs = false;
    bool inverted = false;
    bool pointers = false;
    bool zoomed = false;
    bool darkLinePen = true;
    int percent3D = 15;
    bool direct = true;
    qreal ratio = 1;
};

std::string Describe(const TLook &l) {
    return std::string(l.view3D ? "3D" : "2D") + (l.stairs ? " stairs" : "") +
           (l.inverted ? " inverted" : "") + (l.pointers ? " pointers" : "") +
           (l.zoomed ? " zoomed" : "") + (l.darkLinePen ? "" : " no pen") + " depth% " +
           std::to_string(l.percent3D) + (l.direct ? "" : " painter") + " ratio " +
           std::to_string(l.ratio);
}

QImage Draw(const TFill &fill, const TLook &look, bool merge) {
    QImage image(int(400 * look.ratio), int(300 * look.ratio), QImage::Format_RGB32);
    image.setDevicePixelRatio(look.ratio);
    image.fill(Qt::white);
    {
        QtCanvas surface(&image);
        surface.SetDirectRaster(look.direct);
        SeriesDrawPanel chart(look.view3D, &surface);
        chart.SetChart3DPercent(look.percent3D);
        auto &series = chart.Add<TLineSeries>();
        series.SetSeriesColor(clRed);
        fill(series);
        series.SetStairs(look.stairs);
        series.SetInvertedStairs(look.inverted);
        series.Pointer().SetVisible(look.pointers);
        series.LinePen().SetVisible(look.darkLinePen);
        series.SetJoinSegments(merge);
        const double last = series.XValue(series.Count() - 1);
        chart.Layout(look.zoomed ? last * 0.3 + 0.5 : 0, look.zoomed ? last * 0.7 : last, -100,
                     150);
        surface.ClipRect(chart.PlotRect());
        chart.DrawSeries();
    }
    return image;
}

void ExpectSamePixels(const TLook &look) {
    for (const TCurve &curve : Curves()) {
        const QImage merged = Draw(curve.fill, look, true);
        const QImage each = Draw(curve.fill, look, false);
        int differing = 0;
        for (int y = 0; y < merged.height(); ++y)
            for (int x = 0; x < merged.width(); ++x)
                differing += merged.pixel(x, y) != each.pixel(x, y);
        EXPECT_EQ(differing, 0) << curve.name << ", " << Describe(look);
        if (look.zoomed)
            continue; // the one column lies outside the zoomed range
        int red = 0;
        for (int y = 0; y < merged.height(); ++y)
            for (int x = 0; x < merged.width(); ++x)
                red += merged.pixel(x, y) == qRgb(255, 0, 0);
        EXPECT_GT(red, 50) << "the curve shows: " << curve.name << ", " << Describe(look);
    }
}

} // namespace

TEST(MergedDrawingTest, LinesIn2D) {
    for (bool stairs : {false, true})
        for (bool inverted : {false, true})
            for (bool zoomed : {false, true})
                for (bool pointers : {false, true}) {
                    if (inverted && !stairs)
                        continue;
                    TLook look;
                    look.stairs = stairs;
                    look.inverted = inverted;
                    look.zoomed = zoomed;
                    look.pointers = pointers;
                    ExpectSamePixels(look);
                }
}

TEST(MergedDrawingTest, RibbonsIn3D) {
    for (int percent : {15, 100})
        for (bool pen : {true, false})
            for (bool zoomed : {false, true}) {
                TLook look;
                look.view3D = true;
                look.percent3D = percent;
                look.darkLinePen = pen;
                look.zoomed = zoomed;
                ExpectSamePixels(look);
            }
    TLook stairs;
    stairs.view3D = true;
    stairs.stairs = true;
    ExpectSamePixels(stairs);
    TLook pointers;
    pointers.view3D = true;
    pointers.pointers = true;
    ExpectSamePixels(pointers);
}

// Through the painter instead of straight into the image, and on a
// high-density image, the merged drawing still paints the same pixels.
TEST(MergedDrawingTest, ThroughThePainterAndAtRatioTwo) {
    for (bool view3D : {false, true})
        for (qreal ratio : {1.0, 2.0}) {
            TLook look;
            look.view3D = view3D;
            look.percent3D = 60;
            look.direct = false;
            look.ratio = ratio;
            ExpectSamePixels(look);
        }
}

// Merging has work to do: on a random walk of many points per column, far
// fewer lines and ribbons reach the surface than there are segments.
TEST(MergedDrawingTest, FewShapesReachTheSurface) {
    for (bool view3D : {false, true}) {
        auto count = [&](bool merge) {
            SeriesDrawPanel chart(view3D);
            auto &series = chart.Add<TLineSeries>();
            Curves().front().fill(series);
            series.SetJoinSegments(merge);
            chart.Layout(0, kPoints - 1, -100, 150);
            chart.DrawSeries();
            const TRecordKind kind = view3D ? TRecordKind::Polygon : TRecordKind::LineTo;
            return chart.recording.RecordsOf(kind).size();
        };
        const std::size_t each = count(false);
        const std::size_t merged = count(true);
        EXPECT_GT(each, std::size_t(kPoints) / 2) << "3D " << view3D;
        EXPECT_LT(merged * 3, each) << "3D " << view3D;
    }
}

// A logarithmic axis puts values at or below zero at its start, after the
// small positive ones: rising X no longer rise in pixels there.
TEST(MergedDrawingTest, LogarithmicAxisWithValuesAtOrBelowZero) {
    auto draw = [](bool merge) {
        QImage image(400, 300, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QtCanvas surface(&image);
            SeriesDrawPanel chart(false, &surface);
            auto &series = chart.Add<TLineSeries>();
            series.SetSeriesColor(clRed);
            // Unordered, so that every point is drawn, those below the range too.
            series.XValues().SetOrder(TChartListOrder::loNone);
            std::mt19937 random(31);
            // The first window's ends land on one column, its second point
            // far before it.
            for (double x : {-1.0, 1e-9})
                series.AddXY(x, double(random() % 200) - 50);
            for (int i = 0; i < 2000; ++i)
                series.AddXY(1, double(random() % 200) - 50);
            for (int i = 2; i < 5000; ++i)
                series.AddXY(i, double(random() % 200) - 50);
            series.SetJoinSegments(merge);
            chart.BottomAxis().SetLogarithmic(true);
            chart.Layout(1, 5000, -100, 150);
            chart.DrawSeries();
        }
        return image;
    };
    EXPECT_TRUE(draw(true) == draw(false));
}
