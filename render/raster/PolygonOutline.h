#pragma once

#include <QPoint>
#include <QPolygon>
#include <cstdint>
#include <cstdlib>
#include <utility>

namespace pexor {

namespace outline_detail {

// Direction of a side along its major axis.
enum TDirection : unsigned {
    kNoDirection = 0,
    kDown = 1,
    kUp = 2,
    kRight = 4,
    kLeft = 8,
};
constexpr unsigned kVertical = kDown | kUp;
constexpr unsigned kHorizontal = kRight | kLeft;

// Slopes below a quarter pixel per step count as nearly level or upright.
constexpr std::int64_t kAxisAlignedSlope = std::int64_t(1) << 14;

// One side walked along its major axis from the lower coordinate to the
// higher; the minor coordinate is 16.16 fixed point with a slope truncated
// towards zero, as the painter steps it.
struct TSide {
    bool vertical = false; // y is the major axis
    bool reversed = false; // drawn from the higher major coordinate to the lower
    unsigned direction = kNoDirection;
    int low = 0;  // major coordinate of the first row (or column)
    int high = 0; // major coordinate of the far vertex
    std::int64_t minor = 0;
    std::int64_t slope = 0;

    QPoint Pixel(int major, std::int64_t fixedMinor) const {
        const int m = int(fixedMinor >> 16);
        return vertical ? QPoint(m, major) : QPoint(major, m);
    }
};

// a / b truncated towards zero, b > 0. A 64-bit division is slow; a double
// one gives the same result while |a| < 2^53: its rounding error, below
// |a / b| x 2^-53, stays under 1 / b, the least distance from a quotient
// that is not whole to the next integer.
inline std::int64_t TruncatedQuotient(std::int64_t a, std::int64_t b) {
    constexpr std::int64_t kExactNumerator = std::int64_t(1) << 40;
    constexpr std::int64_t kExactDenominator = std::int64_t(1) << 20;
    if (a == 0)
        return 0; // an upright or level side: no division at all
    if (a > -kExactNumerator && a < kExactNumerator && b < kExactDenominator)
        return std::int64_t(double(a) / double(b));
    return a / b;
}

// False for a side of no length, which covers nothing. A side as long as it
// is high counts as level.
inline bool MakeSide(QPoint from, QPoint to, TSide &side) {
    const int dx = std::abs(to.x() - from.x());
    const int dy = std::abs(to.y() - from.y());
    if (dx == 0 && dy == 0)
        return false;
    side.vertical = dx < dy;
    int m1 = side.vertical ? from.y() : from.x();
    int n1 = side.vertical ? from.x() : from.y();
    int m2 = side.vertical ? to.y() : to.x();
    int n2 = side.vertical ? to.x() : to.y();
    side.reversed = m1 > m2;
    if (side.reversed) {
        std::swap(m1, m2);
        std::swap(n1, n2);
    }
    side.direction =
        side.vertical ? (side.reversed ? kUp : kDown) : (side.reversed ? kLeft : kRight);
    side.low = m1;
    side.high = m2;
    side.minor = std::int64_t(n1) * 65536;
    side.slope = TruncatedQuotient((std::int64_t(n2) - n1) * 65536, std::int64_t(m2) - m1);
    return true;
}

// Rising sides are sampled half a step in, falling ones at the vertex.
inline std::int64_t StartOffset(std::int64_t slope, bool halfStepBack) {
    if (slope <= 0)
        return 0;
    return halfStepBack ? slope - (slope >> 1) : slope >> 1;
}

inline bool Adjacent(QPoint a, QPoint b) {
    return std::abs(a.x() - b.x()) <= 1 && std::abs(a.y() - b.y()) <= 1;
}

// The outline is one stroke: each side knows the direction and last pixel
// of the one before, so that joins neither repeat nor lose a pixel.
class TOutlineStroke {
public:
    // The closing side, taken before the first so that the first join is
    // treated like the others; nothing is drawn.
    void Prime(QPoint from, QPoint to) {
        hasLast_ = false;
        TSide side;
        if (!MakeSide(from, to, side))
            return;
        const std::int64_t n = side.minor + StartOffset(side.slope, false);
        last_ = side.reversed
                    ? side.Pixel(side.low, n)
                    : side.Pixel(side.high - 1, n + (side.high - 1 - side.low) * side.slope);
        hasLast_ = true;
        lastDirection_ = side.direction;
        lastAxisAligned_ = std::abs(side.slope) < kAxisAlignedSlope;
    }

    template <typename Plot> void Side(QPoint from, QPoint to, Plot &plot) {
        TSide side;
        if (!MakeSide(from, to, side))
            return;
        // Turning straight back along the same axis: the side reaches half a
        // pixel further at the turn, so the tip is covered.
        const unsigned axis = side.vertical ? kVertical : kHorizontal;
        const bool turnsBack = (lastDirection_ ^ axis) == side.direction;
        const bool capLow = turnsBack && !side.reversed;
        const bool capHigh = turnsBack && side.reversed;

        int start = side.low;
        int stop = side.high + (capHigh ? 1 : 0);
        std::int64_t n = side.minor + StartOffset(side.slope, capLow);
        QPoint first = side.Pixel(start, n);
        QPoint last = side.Pixel(stop - 1, n + (stop - 1 - start) * side.slope);
        if (side.reversed)
            std::swap(first, last);
        const bool axisAligned = std::abs(side.slope) < kAxisAlignedSlope;

        if (hasLast_) {
            if (first == last_) {
                // Already painted by the side before.
                if (side.reversed)
                    --stop;
                else {
                    ++start;
                    n += side.slope;
                }
            } else if (lastDirection_ != side.direction &&
                       ((axisAligned && lastAxisAligned_ && last_.x() != first.x() &&
                         last_.y() != first.y()) ||
                        !Adjacent(last_, first))) {
                // A corner the two sides would only touch diagonally, or a
                // gap: one more pixel before this side's first.
                if (side.reversed)
                    ++stop;
                else {
                    --start;
                    n -= side.slope;
                }
            }
        }
        lastDirection_ = side.direction;
        lastAxisAligned_ = axisAligned;
        // At least one pixel, even when the only one was dropped as already
        // painted: the painter then paints the next one along.
        do {
            const QPoint p = side.Pixel(start, n);
            plot(p.x(), p.y());
            n += side.slope;
        } while (++start < stop);
        last_ = last;
        hasLast_ = true;
    }

private:
    unsigned lastDirection_ = kNoDirection;
    bool lastAxisAligned_ = false;
    bool hasLast_ = false;
    QPoint last_;
};

} // namespace outline_detail

// Calls plot(x, y) for every pixel the painter's one-pixel outline of the
// closed polygon covers (a pixel may be reported more than once).
//
// The outline is not the sides' lines drawn one by one: each side covers
// its rows (or columns, for a side at least as wide as high) from the lower
// vertex up to but not including the higher one, sampled on the rows where
// a rising side is crossed half a row in and a falling one at the row
// itself; the joins then add or drop pixels by what the side before ended
// with. So every vertex is covered, and a few pixels fall one step beyond a
// vertex where the outline turns back on itself or meets a side corner to
// corner. Pixels may lie one step outside the polygon's bounding box;
// clipping is the caller's. The match with the painter is exact while the
// painter need not clip a side, that is while every vertex lies on its
// device.
template <typename Plot> void LayOutPolygonOutline(const QPolygon &points, Plot plot) {
    const qsizetype n = points.size();
    if (n < 2)
        return;
    outline_detail::TOutlineStroke stroke;
    // A polygon closed by repeating its first point is primed with the side
    // before that repeat.
    const QPoint before = points[0] == points[n - 1] && n > 2 ? points[n - 2] : points[n - 1];
    stroke.Prime(before, points[0]);
    for (qsizetype i = 0; i < n; ++i)
        stroke.Side(points[i], points[i + 1 == n ? 0 : i + 1], plot);
}

} // namespace pexor
