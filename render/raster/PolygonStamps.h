#pragma once

#include "render/raster/PolygonSpans.h"

#include <QPoint>
#include <QPolygon>
#include <array>
#include <memory>
#include <vector>

namespace pexor {

// The pixels a small polygon's fill and one-pixel outline cover, relative
// to its first corner: the fill as runs, row by row, the outline as pixels
// (a side rarely runs along a row).
struct TPolygonStamp {
    std::vector<TSpan> fill;
    std::vector<QPoint> outline; // each pixel once, row by row
    // The fill less the outline's pixels, which the outline paints over
    // anyway: a thin segment is mostly outline.
    std::vector<TSpan> fillBesideOutline;
};

// Small polygons laid out once per shape. A series draws its segments as
// thousands of polygons of a few shapes, and both the fill and the outline
// rules depend only on where the corners lie from one another: a shape
// drawn whole, without clipping, covers the same pixels wherever it is
// moved by whole pixels. Shapes are kept in a fixed table, a new shape
// taking the place of the one that had its slot.
class TPolygonStamps {
public:
    static constexpr int kMaxPoints = 8;
    static constexpr int kMaxExtent = 128;

    // The stamp of the polygon's shape, laid out on first use; null for a
    // polygon with more corners or a larger extent than is kept.
    const TPolygonStamp *Find(const QPolygon &points);

private:
    static constexpr std::size_t kSlots = 512;

    struct TSlot {
        int count = 0; // corners; 0 for an empty slot
        std::array<QPoint, kMaxPoints> shape{};
        TPolygonStamp stamp;
    };

    void LayOut(const QPolygon &shape, TPolygonStamp &stamp);

    std::unique_ptr<TSlot[]> slots_;
    TPolygonSpanner spanner_;
    QPolygon shape_;
};

} // namespace pexor
