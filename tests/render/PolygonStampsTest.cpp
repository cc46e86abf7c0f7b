#include "render/raster/PolygonStamps.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>
#include <random>

namespace pexor::test {
namespace {

constexpr QRgb kPaper = 0xFFFFFFFF;
constexpr QRgb kFill = 0xFF2040C0;
constexpr QRgb kInk = 0xFF000000;
constexpr QSize kSize(160, 160);

QImage Painted(const QPolygon &points) {
    QImage image(kSize, QImage::Format_RGB32);
    image.fill(kPaper);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen{QColor(kInk)};
    pen.setWidth(0);
    painter.setPen(pen);
    painter.setBrush(QColor(kFill));
    painter.drawPolygon(points, Qt::OddEvenFill);
    return image;
}

void Put(QImage &image, const std::vector<TSpan> &runs, QPoint at, QRgb color) {
    for (const TSpan &s : runs)
        for (int x = s.left; x < s.right; ++x)
            image.setPixel(at.x() + x, at.y() + s.y, color);
}

// The stamp put down as the canvas does: the fill beside the outline, then
// the outline; and the whole fill under the outline, which must agree.
QImage Stamped(const TPolygonStamp &stamp, QPoint at, bool wholeFill = false) {
    QImage image(kSize, QImage::Format_RGB32);
    image.fill(kPaper);
    Put(image, wholeFill ? stamp.fill : stamp.fillBesideOutline, at, kFill);
    for (const QPoint &p : stamp.outline)
        image.setPixel(at + p, kInk);
    return image;
}

// A segment of a series in 3D: two points and the same two moved by the depth.
QPolygon Ribbon(std::mt19937 &random) {
    std::uniform_int_distribution<int> step(-12, 12);
    std::uniform_int_distribution<int> depth(0, 14);
    const QPoint p(0, 0);
    const QPoint q(std::abs(step(random)), step(random));
    const QPoint d(depth(random), -depth(random));
    return QPolygon({p, q, q + d, p + d});
}

QPolygon Scrawl(std::mt19937 &random) {
    std::uniform_int_distribution<int> corner(-30, 30);
    std::uniform_int_distribution<int> count(3, TPolygonStamps::kMaxPoints);
    QPolygon points;
    for (int i = count(random); i > 0; --i)
        points << QPoint(corner(random), corner(random));
    return points;
}

// A stamp put down anywhere gives the painter's picture of the polygon
// drawn there, fill and outline.
TEST(PolygonStamps, StampedShapesMatchThePainterWhereverTheyAreMoved) {
    TPolygonStamps stamps;
    std::mt19937 random(3);
    std::uniform_int_distribution<int> position(40, 120);
    for (int i = 0; i < 600; ++i) {
        const QPolygon shape = i % 2 ? Ribbon(random) : Scrawl(random);
        for (int move = 0; move < 3; ++move) {
            const QPolygon placed = shape.translated(position(random), position(random));
            const TPolygonStamp *stamp = stamps.Find(placed);
            ASSERT_NE(stamp, nullptr);
            const QImage painted = Painted(placed);
            ASSERT_EQ(Stamped(*stamp, placed[0]), painted) << "shape " << i;
            ASSERT_EQ(Stamped(*stamp, placed[0], true), painted) << "shape " << i;
        }
    }
}

TEST(PolygonStamps, OneShapeOneStampAndLargeShapesAreNotKept) {
    TPolygonStamps stamps;
    const QPolygon ribbon({QPoint(10, 10), QPoint(11, 14), QPoint(19, 6), QPoint(18, 2)});
    const TPolygonStamp *first = stamps.Find(ribbon);
    EXPECT_EQ(stamps.Find(ribbon.translated(50, -3)), first);
    EXPECT_EQ(stamps.Find(QPolygon({QPoint(0, 0), QPoint(TPolygonStamps::kMaxExtent + 1, 0),
                                    QPoint(0, 5)})),
              nullptr);
    QPolygon many;
    for (int i = 0; i <= TPolygonStamps::kMaxPoints; ++i)
        many << QPoint(i, i * i % 7);
    EXPECT_EQ(stamps.Find(many), nullptr);
    EXPECT_EQ(stamps.Find(QPolygon({QPoint(3, 3)})), nullptr);
}

// Far more shapes than slots: a shape that lost its slot is laid out again,
// never answered with another shape's pixels.
TEST(PolygonStamps, ShapesThatShareASlotKeepTheirOwnPixels) {
    TPolygonStamps stamps;
    std::mt19937 random(9);
    std::vector<QPolygon> shapes;
    for (int i = 0; i < 2000; ++i)
        shapes.push_back(Ribbon(random).translated(80, 80));
    for (int round = 0; round < 2; ++round)
        for (std::size_t i = 0; i < shapes.size(); i += 7) {
            const TPolygonStamp *stamp = stamps.Find(shapes[i]);
            ASSERT_NE(stamp, nullptr);
            ASSERT_EQ(Stamped(*stamp, shapes[i][0]), Painted(shapes[i])) << "shape " << i;
        }
}

} // namespace
} // namespace pexor::test
