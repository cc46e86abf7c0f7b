#include "app/CurveSettings.h"
#include "chart/ChartWidget.h"
#include "chart/Series.h"
#include "render/QtCanvas.h"

#include <QImage>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace pexor {
namespace {

// The TP chart of the window, ten readings, drawn at a device pixel ratio.
class HighDensityChartTest : public ::testing::Test {
protected:
    void SetUp() override {
        chart.resize(336, 256);
        ConfigureCurveChart(chart);
        auto owned = std::make_unique<TLineSeries>();
        ConfigureCurveSeries(*owned);
        TLineSeries &series = chart.AddSeries(std::move(owned));
        const int tp[] = {80, 95, 70, 62, 75, 88, 91, 66, 72, 84};
        for (int i = 0; i < 10; ++i)
            series.Add(tp[i], QStringLiteral("%1/12/2026").arg(1 + 3 * i, 2, 10, QLatin1Char('0')),
                       clBlue);
    }

    static QImage Blank(qreal ratio) {
        QImage image(int(336 * ratio), int(256 * ratio), QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::white);
        return image;
    }

    QImage Drawn(qreal ratio) {
        chart.Canvas().SetBuffered(false);
        QImage image = Blank(ratio);
        QtCanvas canvas(&image);
        chart.Draw(canvas, TRect(0, 0, 336, 256));
        return image;
    }

    TChart chart;
};

struct HorizontalLine {
    int x, y;
    QRgb color;
};

// Horizontal one-pixel lines of the picture: runs of one colour at least 40
// pixels long whose middle has other colours above and below.
std::vector<HorizontalLine> OnePixelLines(const QImage &image) {
    std::vector<HorizontalLine> lines;
    for (int y = 1; y + 1 < image.height(); ++y) {
        int start = 0;
        for (int x = 1; x <= image.width(); ++x) {
            if (x < image.width() && image.pixel(x, y) == image.pixel(start, y))
                continue;
            const int middle = (start + x) / 2;
            const QRgb color = image.pixel(start, y);
            if (x - start >= 40 && color != qRgb(255, 255, 255) &&
                image.pixel(middle, y - 1) != color && image.pixel(middle, y + 1) != color)
                lines.push_back({middle, y, color});
            start = x;
        }
    }
    return lines;
}

TEST_F(HighDensityChartTest, OnePixelLinesAreTwoDevicePixelsThickAtRatioTwo) {
    const QImage single = Drawn(1.0);
    const QImage twice = Drawn(2.0);
    ASSERT_EQ(twice.size(), QSize(672, 512));
    const std::vector<HorizontalLine> lines = OnePixelLines(single);
    ASSERT_GE(lines.size(), 3u) << "the chart has no long horizontal lines to measure";
    for (const HorizontalLine &line : lines) {
        // The run of the line's colour down through its middle.
        const int x = 2 * line.x;
        int top = 2 * line.y, bottom = 2 * line.y;
        ASSERT_EQ(twice.pixel(x, top), line.color) << line.x << "," << line.y;
        while (top > 0 && twice.pixel(x, top - 1) == line.color)
            --top;
        while (bottom + 1 < twice.height() && twice.pixel(x, bottom + 1) == line.color)
            ++bottom;
        EXPECT_EQ(bottom - top + 1, 2) << line.x << "," << line.y;
    }
}

TEST_F(HighDensityChartTest, TextIsDrawnAtDeviceResolutionNotScaledUp) {
    const QImage twice = Drawn(2.0);
    // In the title's band, a picture drawn at 96 dpi and doubled is made of
    // uniform 2 x 2 blocks; text drawn for the device is not.
    const QRgb panel = twice.pixel(4, 4);
    int inked = 0, finer = 0;
    for (int y = 0; y + 1 < 2 * 24; y += 2)
        for (int x = 0; x + 1 < twice.width(); x += 2) {
            const QRgb p = twice.pixel(x, y);
            inked += p != panel;
            finer += p != twice.pixel(x + 1, y) || p != twice.pixel(x, y + 1) ||
                     p != twice.pixel(x + 1, y + 1);
        }
    EXPECT_GT(inked, 20) << "no title text in the top band";
    EXPECT_GT(finer, 20);
}

TEST_F(HighDensityChartTest, TheBufferedBitmapFollowsTheRatio) {
    chart.Canvas().SetBuffered(true);
    const QSize client = chart.contentsRect().size();
    for (qreal ratio : {2.0, 1.5, 1.0}) {
        chart.Canvas().SetPixelRatio(ratio);
        QImage shown = Blank(ratio);
        {
            QtCanvas window(&shown);
            chart.PaintWindow(window);
        }
        ASSERT_NE(chart.Canvas().Bitmap(), nullptr);
        EXPECT_EQ(chart.Canvas().Bitmap()->size(),
                  QSize(int(std::ceil(client.width() * ratio)),
                        int(std::ceil(client.height() * ratio))));
        EXPECT_EQ(chart.Canvas().Bitmap()->devicePixelRatio(), ratio);
        // The bitmap is shown at its logical size, not at its pixel size.
        EXPECT_EQ(shown.pixel(shown.width() - 1, shown.height() - 1), qRgb(255, 255, 255));
        EXPECT_NE(shown.pixel(int(100 * ratio), int(100 * ratio)), qRgb(255, 255, 255));
    }
}

} // namespace
} // namespace pexor
