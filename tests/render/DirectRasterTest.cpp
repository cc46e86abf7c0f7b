#include "render/raster/DirectRaster.h"
#include "render/QtCanvas.h"

#include <QImage>
#include <QPainter>
#include <QRegion>
#include <functional>
#include <gtest/gtest.h>
#include <random>

namespace pexor::test {
namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 120;

// A mixed drawing of the canvas' shapes from one seed: pens solid, styled
// and clear; brushes solid, hatched and clear; every kind of clip.
void DrawScene(Canvas &canvas, unsigned seed) {
    std::mt19937 random(seed);
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    auto point = [&] { return QPoint(pick(-20, kWidth + 20), pick(-20, kHeight + 20)); };
    auto color = [&] { return TColor(pick(0, 0xFFFFFF)); };
    const TPenStyle pens[] = {TPenStyle::psSolid, TPenStyle::psSolid, TPenStyle::psDot,
                              TPenStyle::psDash, TPenStyle::psClear};
    const TBrushStyle brushes[] = {TBrushStyle::bsSolid, TBrushStyle::bsSolid,
                                   TBrushStyle::bsClear, TBrushStyle::bsCross};
    for (int shape = 0; shape < 60; ++shape) {
        canvas.Pen().SetColor(color());
        canvas.Pen().SetStyle(pens[pick(0, 4)]);
        canvas.Pen().SetWidth(pick(0, 6) == 0 ? 3 : 1);
        canvas.Brush().SetColor(color());
        canvas.Brush().SetStyle(brushes[pick(0, 3)]);
        canvas.SetBackMode(pick(0, 1) ? TBackMode::Opaque : TBackMode::Transparent);
        canvas.SetBackColor(color());
        switch (pick(0, 9)) {
        case 0:
            canvas.Unclip();
            break;
        case 1:
            canvas.ClipRect(TRect(pick(0, 60), pick(0, 40), pick(70, kWidth), pick(50, kHeight)));
            break;
        case 2: {
            // A hexagon like the chart's 3D box, or a shape with a hole.
            QPolygon region;
            for (int i = 0; i < pick(3, 7); ++i)
                region << point();
            canvas.ClipRegion(region);
            break;
        }
        default:
            break;
        }
        QPolygon points;
        for (int i = 0; i < pick(2, 6); ++i)
            points << point();
        const QPoint a = point();
        const QPoint b = point();
        switch (pick(0, 8)) {
        case 0:
        case 1:
            canvas.Polygon(points);
            break;
        case 2:
            canvas.Polyline(points);
            break;
        case 3:
            canvas.MoveTo(a.x(), a.y());
            canvas.LineTo(b.x(), b.y());
            break;
        case 4:
            canvas.Lines({QLine(a, b), QLine(b, point()), QLine(point(), a)});
            break;
        case 5:
            canvas.Rectangle(a.x(), a.y(), b.x(), b.y());
            break;
        case 6:
            canvas.FillRect(TRect(a.x(), a.y(), b.x(), b.y()));
            break;
        case 7:
            canvas.Pixel(a.x(), a.y(), color());
            break;
        case 8: {
            const unsigned aligns[] = {TA_LEFT | TA_TOP, TA_CENTER | TA_BASELINE,
                                       TA_RIGHT | TA_BOTTOM};
            canvas.SetTextAlign(aligns[pick(0, 2)]);
            canvas.Font().SetEscapement(pick(0, 3) == 0 ? 900 : 0);
            canvas.Font().SetColor(color());
            canvas.TextOut(a.x(), a.y(), QStringLiteral("07/12/2026 Wj"));
            break;
        }
        }
    }
}

// The picture drawn by paint with the canvas writing pixels itself, and
// through the painter only.
std::pair<QImage, QImage> BothWays(const std::function<void(QtCanvas &)> &paint) {
    QImage direct(kWidth, kHeight, QImage::Format_RGB32);
    QImage painted(kWidth, kHeight, QImage::Format_RGB32);
    direct.fill(Qt::white);
    painted.fill(Qt::white);
    {
        QtCanvas canvas(&direct);
        paint(canvas);
    }
    {
        QtCanvas canvas(&painted);
        canvas.SetDirectRaster(false);
        paint(canvas);
    }
    return {direct, painted};
}

TEST(DirectRasterTest, PicturesAreTheSameWithAndWithoutIt) {
    for (unsigned seed = 1; seed <= 400; ++seed) {
        const auto [direct, painted] = BothWays([&](QtCanvas &c) { DrawScene(c, seed); });
        ASSERT_EQ(direct, painted) << "scene " << seed;
    }
}

TEST(DirectRasterTest, SameUnderAWindowOriginAndAPainterAlreadyMoved) {
    for (unsigned seed = 200; seed <= 230; ++seed) {
        const auto [direct, painted] = BothWays([&](QtCanvas &c) {
            c.SetWindowOrg(QPoint(-9, 4));
            DrawScene(c, seed);
        });
        ASSERT_EQ(direct, painted) << "scene " << seed;
    }
    // A clip set before the mapping moves stays where it was put.
    for (unsigned seed = 240; seed <= 260; ++seed) {
        const auto [direct, painted] = BothWays([&](QtCanvas &c) {
            c.ClipRect(TRect(20, 10, 90, 70));
            c.SetWindowOrg(QPoint(15, -6));
            DrawScene(c, seed);
        });
        ASSERT_EQ(direct, painted) << "scene " << seed;
    }
    // A widget-style canvas on a painter translated by its owner.
    for (unsigned seed = 300; seed <= 330; ++seed) {
        QImage images[2];
        for (int way = 0; way < 2; ++way) {
            images[way] = QImage(kWidth, kHeight, QImage::Format_RGB32);
            images[way].fill(Qt::white);
            QPainter painter(&images[way]);
            painter.translate(7, -5);
            QtCanvas canvas(painter);
            canvas.SetDirectRaster(way == 0);
            DrawScene(canvas, seed);
        }
        ASSERT_EQ(images[0], images[1]) << "scene " << seed;
    }
}

// Nothing may be written straight into an image another copy still shares.
TEST(DirectRasterTest, SharedImageIsLeftToThePainter) {
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QtCanvas canvas(&image);
    const QImage before = image;
    canvas.Pen().SetColor(clRed);
    canvas.MoveTo(0, 5);
    canvas.LineTo(20, 5);
    EXPECT_EQ(before.pixel(3, 5), qRgb(255, 255, 255));
}

TEST(ClipRowsTest, RowsOfARegionWithAHole) {
    const QRegion ring = QRegion(10, 10, 20, 20).subtracted(QRegion(15, 15, 5, 5));
    const TClipRows rows(ring);
    EXPECT_EQ(rows.Bounds(), QRect(10, 10, 20, 20));
    ASSERT_EQ(rows.Row(12).size(), 1u);
    EXPECT_EQ(rows.Row(12)[0], std::make_pair(10, 30));
    ASSERT_EQ(rows.Row(16).size(), 2u);
    EXPECT_EQ(rows.Row(16)[0], std::make_pair(10, 15));
    EXPECT_EQ(rows.Row(16)[1], std::make_pair(20, 30));
    EXPECT_TRUE(rows.Row(9).empty());
    EXPECT_TRUE(rows.Row(30).empty());
    EXPECT_TRUE(TClipRows(QRegion()).Row(0).empty());
}

// Covers answers from tables built once; it must agree with a look at
// every pixel, for boxes of every height, over rows with one run, several
// and none.
TEST(ClipRowsTest, CoversAgreesWithEveryPixel) {
    QRegion region = QRegion(QPolygon({QPoint(20, 5), QPoint(60, 5), QPoint(75, 40), QPoint(40, 70),
                                       QPoint(5, 40)}));
    region = region.subtracted(QRegion(30, 30, 8, 6)).united(QRegion(70, 62, 10, 10));
    const TClipRows rows(region);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(-2, 84);
    int covered = 0;
    for (int trial = 0; trial < 4000; ++trial) {
        int left = coordinate(random), right = coordinate(random);
        int top = coordinate(random), bottom = coordinate(random);
        if (trial % 2 == 0) {
            // Small boxes, as a series segment asks, so many are covered.
            right = left + trial % 7;
            bottom = top + trial % 13;
        }
        bool expected = true;
        for (int y = top; y <= bottom && expected; ++y)
            for (int x = left; x <= right && expected; ++x)
                expected = region.contains(QPoint(x, y));
        if (left > right || top > bottom)
            continue; // an empty box: never asked
        ASSERT_EQ(rows.Covers(left, top, right, bottom), expected)
            << left << "," << top << " .. " << right << "," << bottom;
        covered += expected ? 1 : 0;
    }
    EXPECT_GT(covered, 200);
}

} // namespace
} // namespace pexor::test
