#include "render/raster/PolygonSpans.h"

#include <QImage>
#include <QPainter>
#include <climits>
#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

using namespace pexor;

namespace {

constexpr QRgb kInk = 0xFF000000;
const QSize kImage(100, 100);
const QRect kWhole(QPoint(0, 0), kImage);
const QRect kClip(20, 15, 50, 60);

// The runs of pixels the painter's aliased even-odd fill covers.
std::vector<TSpan> PainterSpans(const QPolygon &points, const std::optional<QRect> &clip) {
    QImage image(kImage, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(kInk));
        if (clip)
            painter.setClipRect(*clip);
        painter.drawPolygon(points, Qt::OddEvenFill);
    }
    std::vector<TSpan> spans;
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width();) {
            if (row[x] != kInk) {
                ++x;
                continue;
            }
            const int left = x;
            while (x < image.width() && row[x] == kInk)
                ++x;
            spans.push_back({y, left, x});
        }
    }
    return spans;
}

std::vector<TSpan> Spans(const QPolygon &points, const QRect &clip) {
    std::vector<TSpan> spans;
    TPolygonSpanner().Spans(points, clip, spans);
    return spans;
}

std::string Describe(const QPolygon &points) {
    std::ostringstream out;
    for (const QPoint &p : points)
        out << '(' << p.x() << ',' << p.y() << ')';
    return out.str();
}

std::string Describe(const TSpan &s) {
    std::ostringstream out;
    out << "y " << s.y << " [" << s.left << ',' << s.right << ')';
    return out.str();
}

// Ours against the painter's, on the whole image or under a clip rectangle.
testing::AssertionResult SameAsPainter(const QPolygon &points,
                                       const std::optional<QRect> &clip = {}) {
    const std::vector<TSpan> theirs = PainterSpans(points, clip);
    const std::vector<TSpan> ours = Spans(points, clip ? *clip : kWhole);
    if (ours == theirs)
        return testing::AssertionSuccess();
    std::size_t i = 0;
    while (i < ours.size() && i < theirs.size() && ours[i] == theirs[i])
        ++i;
    auto result = testing::AssertionFailure();
    result << "polygon " << Describe(points) << (clip ? " clipped" : "") << ": span " << i << " is "
           << (i < ours.size() ? Describe(ours[i]) : "missing") << ", painter has "
           << (i < theirs.size() ? Describe(theirs[i]) : "none");
    return result;
}

QPolygon Quad(QPoint a, QPoint b, QPoint c, QPoint d) {
    return QPolygon({a, b, c, d});
}

// The 3D ribbon of one line segment: the segment and its copy shifted back in depth.
QPolygon Ribbon(QPoint from, QPoint to, int dx, int dy) {
    return Quad(from, to, to + QPoint(dx, -dy), from + QPoint(dx, -dy));
}

// --- Hand-picked shapes -------------------------------------------------------

TEST(PolygonSpansShapes, RectangleCoversLeftTopUpToRightBottomExclusive) {
    const QPolygon rect = Quad({2, 3}, {6, 3}, {6, 6}, {2, 6});
    EXPECT_EQ(Spans(rect, kWhole), (std::vector<TSpan>{{3, 2, 6}, {4, 2, 6}, {5, 2, 6}}));
    EXPECT_TRUE(SameAsPainter(rect));
    // Drawn the other way round and starting elsewhere: the same pixels.
    EXPECT_EQ(Spans(Quad({6, 6}, {6, 3}, {2, 3}, {2, 6}), kWhole), Spans(rect, kWhole));
}

TEST(PolygonSpansShapes, CentreOnAnExactDiagonalBelongsToTheRightEdgeOnly) {
    // The diagonal passes through every pixel centre it meets.
    const QPolygon onRight({QPoint(0, 0), QPoint(4, 4), QPoint(0, 4)});
    EXPECT_EQ(Spans(onRight, kWhole),
              (std::vector<TSpan>{{0, 0, 1}, {1, 0, 2}, {2, 0, 3}, {3, 0, 4}}));
    EXPECT_TRUE(SameAsPainter(onRight));
    const QPolygon onLeft({QPoint(0, 0), QPoint(4, 4), QPoint(4, 0)});
    EXPECT_EQ(Spans(onLeft, kWhole), (std::vector<TSpan>{{0, 1, 4}, {1, 2, 4}, {2, 3, 4}}));
    EXPECT_TRUE(SameAsPainter(onLeft));
}

TEST(PolygonSpansShapes, TruncatedSlopeDecidesCentresOnInexactEdges) {
    // Row 34's centre line meets the right edge at 73.5 exactly, row 3's the
    // left edge at 24.5; the slopes 61/113 and -37/51 are not exact in 16.16,
    // so pixel 73 falls outside although its centre is on the edge.
    const QPolygon triangle({QPoint(43, -22), QPoint(6, 29), QPoint(104, 91)});
    const std::vector<TSpan> spans = Spans(triangle, kWhole);
    auto row = [&](int y) {
        for (const TSpan &s : spans)
            if (s.y == y)
                return s;
        return TSpan{y, 0, 0};
    };
    EXPECT_EQ(row(3).left, 25);
    EXPECT_EQ(row(34).right, 73);
    EXPECT_TRUE(SameAsPainter(triangle));
}

TEST(PolygonSpansShapes, RibbonParallelogramsAndSlivers) {
    const std::vector<QPolygon> shapes = {
        Quad({10, 50}, {20, 40}, {27, 33}, {17, 43}),
        Quad({10, 50}, {10, 40}, {17, 33}, {17, 43}),
        Quad({10, 50}, {40, 50}, {47, 43}, {17, 43}),
        Quad({10, 20}, {11, 20}, {21, 60}, {20, 60}),
        Quad({30, 10}, {30, 70}, {31, 70}, {31, 10}),
        Quad({5, 5}, {90, 6}, {90, 7}, {5, 6}),
        Ribbon({3, 90}, {60, 12}, 12, 12),
        Ribbon({60, 12}, {95, 80}, 1, 12),
        Ribbon({95, 80}, {50, 95}, 12, 0),
    };
    for (const QPolygon &shape : shapes) {
        EXPECT_TRUE(SameAsPainter(shape));
        EXPECT_TRUE(SameAsPainter(shape, kClip));
    }
}

TEST(PolygonSpansShapes, EvenOddLeavesTheOverlapOfASelfCrossingPolygonEmpty) {
    const QPolygon star(
        {QPoint(50, 5), QPoint(79, 95), QPoint(3, 39), QPoint(97, 39), QPoint(21, 95)});
    const std::vector<TSpan> spans = Spans(star, kWhole);
    bool centreCovered = false;
    for (const TSpan &s : spans)
        centreCovered |= s.y == 55 && s.left <= 50 && 50 < s.right;
    EXPECT_FALSE(centreCovered);
    EXPECT_TRUE(SameAsPainter(star));
    // Two squares traced in one outline that overlap in a square of their own.
    const QPolygon twice({QPoint(10, 10), QPoint(40, 10), QPoint(40, 40), QPoint(10, 40),
                          QPoint(10, 10), QPoint(25, 25), QPoint(55, 25), QPoint(55, 55),
                          QPoint(25, 55), QPoint(25, 25)});
    EXPECT_TRUE(SameAsPainter(twice));
}

TEST(PolygonSpansShapes, NothingToFill) {
    EXPECT_TRUE(Spans(QPolygon(), kWhole).empty());
    EXPECT_TRUE(Spans(QPolygon({QPoint(5, 5)}), kWhole).empty());
    EXPECT_TRUE(Spans(QPolygon({QPoint(5, 5), QPoint(30, 60)}), kWhole).empty());
    EXPECT_TRUE(Spans(QPolygon({QPoint(5, 5), QPoint(30, 60), QPoint(55, 115)}), kWhole).empty());
    EXPECT_TRUE(Spans(Quad({5, 5}, {9, 5}, {9, 9}, {5, 9}), QRect()).empty());
    EXPECT_TRUE(Spans(Quad({5, 5}, {9, 5}, {9, 9}, {5, 9}), QRect(20, 20, 10, 10)).empty());
}

// --- Clip, order, reuse ----------------------------------------------------------

TEST(PolygonSpansClip, SpansStayInsideTheClipRectangle) {
    const QPolygon big = Quad({-30, -30}, {130, -30}, {130, 130}, {-30, 130});
    std::vector<TSpan> expected;
    for (int y = 15; y < 75; ++y)
        expected.push_back({y, 20, 70});
    EXPECT_EQ(Spans(big, kClip), expected);
    EXPECT_TRUE(SameAsPainter(big, kClip));
}

TEST(PolygonSpansClip, SpansAreClearedFirstAndComeInRowThenColumnOrder) {
    std::vector<TSpan> spans{{1, 2, 3}};
    const QPolygon star(
        {QPoint(50, 5), QPoint(79, 95), QPoint(3, 39), QPoint(97, 39), QPoint(21, 95)});
    TPolygonSpanner().Spans(star, kWhole, spans);
    ASSERT_FALSE(spans.empty());
    EXPECT_EQ(spans, PainterSpans(star, {}));
    for (std::size_t i = 1; i < spans.size(); ++i) {
        const TSpan &a = spans[i - 1];
        const TSpan &b = spans[i];
        EXPECT_TRUE(a.y < b.y || (a.y == b.y && a.right < b.left))
            << Describe(a) << " then " << Describe(b);
    }
}

TEST(PolygonSpansClip, OneSpannerServesPolygonsOfAnySize) {
    TPolygonSpanner spanner;
    std::vector<TSpan> spans;
    QPolygon many;
    for (int i = 0; i < 200; ++i)
        many << QPoint(i % 2 ? 95 : 5, i / 2);
    spanner.Spans(many, kWhole, spans);
    EXPECT_EQ(spans, PainterSpans(many, {}));
    const QPolygon small = Ribbon({10, 50}, {20, 40}, 7, 7);
    spanner.Spans(small, kWhole, spans);
    EXPECT_EQ(spans, PainterSpans(small, {}));
}

// --- Random polygons against the painter ------------------------------------------

class RandomPolygons {
public:
    explicit RandomPolygons(unsigned seed) : rng_(seed) {}

    int Between(int low, int high) { return low + int(rng_() % unsigned(high - low + 1)); }
    QPoint Point() { return {Between(-30, 130), Between(-30, 130)}; }

    // 3 to 8 vertices, with now and then a repeated vertex or all on one line.
    QPolygon Next() {
        QPolygon points;
        const int count = Between(3, 8);
        const int kind = Between(0, 9);
        if (kind == 0) {
            const QPoint start = Point();
            const QPoint step(Between(-9, 9), Between(-9, 9));
            for (int i = 0; i < count; ++i)
                points << start + step * Between(-6, 6);
            return points;
        }
        for (int i = 0; i < count; ++i)
            points << (kind == 1 && i > 0 && Between(0, 2) == 0 ? points[i - 1] : Point());
        return points;
    }

    QPolygon NextRibbon() {
        const QPoint from = Point();
        const QPoint to = from + QPoint(Between(-25, 25), Between(-25, 25));
        return Ribbon(from, to, Between(0, 12), Between(0, 12));
    }

private:
    std::mt19937 rng_;
};

TEST(PolygonSpansRandom, PolygonsMatchThePainter) {
    RandomPolygons random(20240611);
    for (int i = 0; i < 3000; ++i)
        ASSERT_TRUE(SameAsPainter(random.Next())) << "case " << i;
}

TEST(PolygonSpansRandom, PolygonsMatchThePainterUnderAClipRectangle) {
    RandomPolygons random(77);
    for (int i = 0; i < 2000; ++i)
        ASSERT_TRUE(SameAsPainter(random.Next(), kClip)) << "case " << i;
}

TEST(PolygonSpansRandom, RibbonQuadsMatchThePainter) {
    RandomPolygons random(4321);
    for (int i = 0; i < 3000; ++i) {
        const QPolygon ribbon = random.NextRibbon();
        ASSERT_TRUE(SameAsPainter(ribbon)) << "case " << i;
        ASSERT_TRUE(SameAsPainter(ribbon, kClip)) << "case " << i;
    }
}

TEST(PolygonSpansRandom, FarVerticesWithinTheFixedPointRangeMatchThePainter) {
    // Long, nearly flat edges put large 16.16 values through every row.
    RandomPolygons random(99);
    for (int i = 0; i < 500; ++i) {
        const int far = random.Between(20000, 32767) * (random.Between(0, 1) ? 1 : -1);
        const QPoint distant =
            i % 2 ? QPoint(far, random.Between(-20, 120)) : QPoint(random.Between(-20, 120), far);
        const QPolygon triangle({random.Point(), random.Point(), distant});
        ASSERT_TRUE(SameAsPainter(triangle)) << "case " << i;
        ASSERT_TRUE(SameAsPainter(triangle, kClip)) << "case " << i;
    }
}

TEST(PolygonSpansRandom, ExtremeCoordinatesStayInsideTheClip) {
    const QPolygon huge(
        {QPoint(INT_MIN, INT_MIN), QPoint(INT_MAX, INT_MIN + 7), QPoint(3, INT_MAX)});
    const std::vector<TSpan> spans = Spans(huge, kClip);
    ASSERT_FALSE(spans.empty());
    for (const TSpan &s : spans) {
        EXPECT_TRUE(kClip.top() <= s.y && s.y <= kClip.bottom()) << Describe(s);
        EXPECT_TRUE(kClip.left() <= s.left && s.left < s.right && s.right <= kClip.right() + 1)
            << Describe(s);
    }
}

} // namespace
