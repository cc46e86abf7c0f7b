#include "render/raster/PolygonOutline.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

using namespace pexor;

namespace {

constexpr QRgb kInk = 0xFF000000;
constexpr QRgb kPaper = 0xFFFFFFFF;

using TPixels = std::set<std::pair<int, int>>;

// The pixels the painter's aliased one-pixel outline covers.
QImage PainterOutline(const QPolygon &points, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(kPaper);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen{QColor(kInk)};
    pen.setWidth(0);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(points, Qt::OddEvenFill);
    return image;
}

// Ours, plotted into an image of the same size; pixels off the image are
// left out as the painter's device leaves them out.
QImage OurOutline(const QPolygon &points, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(kPaper);
    LayOutPolygonOutline(points, [&](int x, int y) {
        if (x >= 0 && y >= 0 && x < size.width() && y < size.height())
            image.setPixel(x, y, kInk);
    });
    return image;
}

TPixels Outline(const QPolygon &points) {
    TPixels pixels;
    LayOutPolygonOutline(points, [&](int x, int y) { pixels.insert({x, y}); });
    return pixels;
}

std::string Describe(const QPolygon &points) {
    std::ostringstream out;
    for (const QPoint &p : points)
        out << '(' << p.x() << ',' << p.y() << ')';
    return out.str();
}

testing::AssertionResult SameAsPainter(const QPolygon &points, QSize size = QSize(100, 100)) {
    const QImage theirs = PainterOutline(points, size);
    const QImage ours = OurOutline(points, size);
    if (ours == theirs)
        return testing::AssertionSuccess();
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            if (theirs.pixel(x, y) != ours.pixel(x, y))
                return testing::AssertionFailure()
                       << "polygon " << Describe(points) << ": pixel (" << x << ',' << y << ") is "
                       << (ours.pixel(x, y) == kInk ? "ours only" : "the painter's only");
    return testing::AssertionSuccess();
}

QPolygon Quad(QPoint a, QPoint b, QPoint c, QPoint d) {
    return QPolygon({a, b, c, d});
}

// The 3D ribbon of one line segment: the segment and its copy shifted back in depth.
QPolygon Ribbon(QPoint from, QPoint to, int dx, int dy) {
    return Quad(from, to, to + QPoint(dx, -dy), from + QPoint(dx, -dy));
}

// --- The rule on small shapes -------------------------------------------------------

TEST(PolygonOutlineRule, RectangleCoversItsBorderCornersIncluded) {
    TPixels border;
    for (int x = 2; x <= 6; ++x) {
        border.insert({x, 3});
        border.insert({x, 6});
    }
    for (int y = 4; y <= 5; ++y) {
        border.insert({2, y});
        border.insert({6, y});
    }
    EXPECT_EQ(Outline(Quad({2, 3}, {6, 3}, {6, 6}, {2, 6})), border);
    EXPECT_EQ(Outline(Quad({6, 6}, {6, 3}, {2, 3}, {2, 6})), border);
}

TEST(PolygonOutlineRule, RisingSidesAreSampledHalfARowInFallingOnesAtTheRow) {
    // (3,1)-(6,8) rises 3/7 a row: row 3 is crossed at 3.86 but sampled at
    // 4.07; (6,1)-(3,8) falls as much and row 3 takes 5.14 as it stands.
    EXPECT_EQ(Outline(QPolygon({QPoint(3, 1), QPoint(6, 8)})),
              (TPixels{{3, 1}, {3, 2}, {4, 3}, {4, 4}, {4, 5}, {5, 6}, {5, 7}, {6, 8}}));
    EXPECT_EQ(Outline(QPolygon({QPoint(6, 1), QPoint(3, 8)})),
              (TPixels{{6, 1}, {5, 2}, {5, 3}, {4, 4}, {4, 5}, {3, 6}, {3, 7}, {3, 8}}));
    // A diagonal is walked by columns.
    EXPECT_EQ(Outline(QPolygon({QPoint(1, 1), QPoint(4, 4)})),
              (TPixels{{1, 1}, {2, 2}, {3, 3}, {4, 4}}));
}

TEST(PolygonOutlineRule, TurningBackReachesOnePixelBeyondTheTip) {
    // There and back: the return reaches half a pixel past (4,10), into row 11.
    TPixels there;
    for (int y = 2; y <= 9; ++y)
        there.insert({3, y});
    there.insert({4, 10});
    there.insert({4, 11});
    EXPECT_EQ(Outline(QPolygon({QPoint(3, 2), QPoint(4, 10)})), there);
    EXPECT_EQ(Outline(QPolygon({QPoint(4, 10), QPoint(3, 2)})), there);
    // A spike, one way round only: the side leaving the tip is the one that
    // meets the side before corner to corner.
    EXPECT_EQ(Outline(QPolygon({QPoint(3, 2), QPoint(4, 10), QPoint(5, 2)})).count({3, 11}), 1u);
    EXPECT_EQ(Outline(QPolygon({QPoint(5, 2), QPoint(4, 10), QPoint(3, 2)})).count({3, 11}), 0u);
}

TEST(PolygonOutlineRule, ASideWhoseOnlyPixelWasPaintedPaintsTheNextOne) {
    // (4,6)-(5,7) covers only (4,6), already the closing side's; (5,7)
    // comes in its stead, and the vertex is covered after all.
    EXPECT_EQ(Outline(QPolygon({QPoint(4, 6), QPoint(5, 7), QPoint(7, 4)})),
              (TPixels{{4, 6}, {5, 5}, {5, 6}, {5, 7}, {6, 4}, {6, 5}, {7, 4}}));
}

TEST(PolygonOutlineRule, DegeneratePolygonsCoverNothing) {
    EXPECT_TRUE(Outline(QPolygon()).empty());
    EXPECT_TRUE(Outline(QPolygon({QPoint(5, 5)})).empty());
    EXPECT_TRUE(Outline(QPolygon({QPoint(5, 5), QPoint(5, 5)})).empty());
    EXPECT_TRUE(Outline(QPolygon({QPoint(5, 5), QPoint(5, 5), QPoint(5, 5)})).empty());
}

// --- Hand-picked shapes against the painter ---------------------------------------

TEST(PolygonOutlineShapes, RibbonsSliversTrianglesAndRectanglesMatchThePainter) {
    const std::vector<QPolygon> shapes = {
        Quad({65, 240}, {215, 65}, {219, 61}, {69, 236}),
        Quad({10, 50}, {10, 40}, {17, 33}, {17, 43}),
        Quad({10, 50}, {20, 40}, {27, 33}, {17, 43}),
        Quad({10, 50}, {40, 50}, {47, 43}, {17, 43}),
        Ribbon({3, 290}, {160, 12}, 12, 12),
        Ribbon({160, 12}, {295, 280}, 1, 12),
        Ribbon({285, 280}, {50, 295}, 12, 0),
        Quad({10, 20}, {11, 20}, {21, 60}, {20, 60}),
        Quad({30, 10}, {30, 70}, {31, 70}, {31, 10}),
        Quad({5, 5}, {290, 6}, {290, 7}, {5, 6}),
        QPolygon({QPoint(40, 5), QPoint(41, 250), QPoint(42, 5)}),
        QPolygon({QPoint(43, 22), QPoint(6, 29), QPoint(104, 91)}),
        QPolygon({QPoint(0, 0), QPoint(299, 0), QPoint(0, 299)}),
        QPolygon({QPoint(10, 10), QPoint(20, 10), QPoint(30, 10), QPoint(30, 40), QPoint(30, 40),
                  QPoint(10, 40), QPoint(10, 10)}),
        Quad({2, 3}, {6, 3}, {6, 6}, {2, 6}),
        Quad({0, 0}, {299, 0}, {299, 299}, {0, 299}),
        Quad({120, 120}, {121, 120}, {121, 121}, {120, 121}),
    };
    for (const QPolygon &shape : shapes)
        EXPECT_TRUE(SameAsPainter(shape, QSize(300, 300)));
}

// --- Random polygons against the painter -----------------------------------------

class RandomPolygons {
public:
    explicit RandomPolygons(unsigned seed) : rng_(seed) {}

    int Between(int low, int high) { return low + int(rng_() % unsigned(high - low + 1)); }

    // 2 to 8 vertices within 0..limit, with now and then a repeated vertex
    // or all on one line.
    QPolygon Next(int limit) {
        QPolygon points;
        const int count = Between(2, 8);
        const int kind = Between(0, 9);
        if (kind == 0) {
            const QPoint start(Between(0, limit), Between(0, limit));
            const QPoint step(Between(-9, 9), Between(-9, 9));
            for (int i = 0; i < count; ++i) {
                QPoint p = start + step * Between(-6, 6);
                points << QPoint(std::clamp(p.x(), 0, limit), std::clamp(p.y(), 0, limit));
            }
            return points;
        }
        for (int i = 0; i < count; ++i)
            points << (kind == 1 && i > 0 && Between(0, 2) == 0
                           ? points[i - 1]
                           : QPoint(Between(0, limit), Between(0, limit)));
        return points;
    }

    // A ribbon, turned either way round, wholly inside 0..99.
    QPolygon NextRibbon() {
        const int dx = Between(-12, 12);
        const int dy = Between(-12, 12);
        auto corner = [&] {
            return QPoint(Between(std::max(0, -dx), 99 - std::max(0, dx)),
                          Between(std::max(0, dy), 99 - std::max(0, -dy)));
        };
        const QPoint from = corner();
        const QPoint end = corner();
        QPolygon ribbon = Ribbon(from, end, dx, dy);
        if (Between(0, 1))
            std::reverse(ribbon.begin(), ribbon.end());
        return ribbon;
    }

private:
    std::mt19937 rng_;
};

TEST(PolygonOutlineRandom, PolygonsMatchThePainter) {
    RandomPolygons random(20240611);
    for (int i = 0; i < 4000; ++i)
        ASSERT_TRUE(SameAsPainter(random.Next(99))) << "case " << i;
}

TEST(PolygonOutlineRandom, CrowdedSmallPolygonsMatchThePainter) {
    // Few distinct points: repeats, zero-length sides, turns and collinear runs.
    RandomPolygons random(5);
    for (int i = 0; i < 3000; ++i)
        ASSERT_TRUE(SameAsPainter(random.Next(6), QSize(10, 10))) << "case " << i;
}

TEST(PolygonOutlineRandom, RibbonsMatchThePainter) {
    RandomPolygons random(4321);
    for (int i = 0; i < 3000; ++i)
        ASSERT_TRUE(SameAsPainter(random.NextRibbon())) << "case " << i;
}

TEST(PolygonOutlineRandom, LongSidesMatchThePainter) {
    // Sides of hundreds of pixels carry the truncated slope a long way.
    RandomPolygons random(99);
    for (int i = 0; i < 200; ++i)
        ASSERT_TRUE(SameAsPainter(random.Next(799), QSize(800, 800))) << "case " << i;
}

} // namespace
