#include "render/raster/PolygonStamps.h"

#include "render/raster/PolygonOutline.h"

#include <QRect>
#include <algorithm>
#include <cstdint>

namespace pexor {

const TPolygonStamp *TPolygonStamps::Find(const QPolygon &points) {
    const qsizetype n = points.size();
    if (n < 2 || n > kMaxPoints)
        return nullptr;
    const QPoint origin = points[0];
    std::array<QPoint, kMaxPoints> shape;
    std::uint64_t hash = std::uint64_t(n);
    int left = 0, top = 0, right = 0, bottom = 0;
    for (qsizetype i = 1; i < n; ++i) {
        const QPoint p = points[i] - origin;
        shape[std::size_t(i)] = p;
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
        hash = (hash ^ std::uint32_t(p.x())) * 0x100000001b3ULL;
        hash = (hash ^ std::uint32_t(p.y())) * 0x100000001b3ULL;
    }
    if (right - left > kMaxExtent || bottom - top > kMaxExtent)
        return nullptr;
    // Most canvases draw no polygon at all: the table comes with the first.
    if (!slots_)
        slots_ = std::make_unique<TSlot[]>(kSlots);
    TSlot &slot = slots_[(hash ^ (hash >> 29)) % kSlots];
    const auto corners = shape.begin() + 1;
    if (slot.count != n || !std::equal(corners, shape.begin() + n, slot.shape.begin() + 1)) {
        slot.count = int(n);
        std::copy(corners, shape.begin() + n, slot.shape.begin() + 1);
        shape_.resize(n);
        shape_[0] = QPoint(0, 0);
        std::copy(corners, shape.begin() + n, shape_.begin() + 1);
        LayOut(shape_, slot.stamp);
    }
    return &slot.stamp;
}

void TPolygonStamps::LayOut(const QPolygon &shape, TPolygonStamp &stamp) {
    // No clip reaches the shape: a stamp is only used where it is drawn whole.
    const QRect unclipped(-2 * kMaxExtent, -2 * kMaxExtent, 4 * kMaxExtent, 4 * kMaxExtent);
    stamp.fill.clear();
    spanner_.ForEachSpan(shape, unclipped,
                         [&](int y, int l, int r) { stamp.fill.push_back({y, l, r}); });
    std::sort(stamp.fill.begin(), stamp.fill.end(), [](const TSpan &a, const TSpan &b) {
        return a.y != b.y ? a.y < b.y : a.left < b.left;
    });

    std::vector<QPoint> &outline = stamp.outline;
    outline.clear();
    LayOutPolygonOutline(shape, [&](int x, int y) { outline.emplace_back(x, y); });
    std::sort(outline.begin(), outline.end(), [](QPoint a, QPoint b) {
        return a.y() != b.y() ? a.y() < b.y() : a.x() < b.x();
    });
    outline.erase(std::unique(outline.begin(), outline.end()), outline.end());

    // Both run row by row and left to right: each fill run is cut where
    // outline pixels of its row fall in it.
    stamp.fillBesideOutline.clear();
    auto cut = outline.cbegin();
    for (const TSpan &run : stamp.fill) {
        while (cut != outline.cend() &&
               (cut->y() < run.y || (cut->y() == run.y && cut->x() < run.left)))
            ++cut;
        int from = run.left;
        for (; cut != outline.cend() && cut->y() == run.y && cut->x() < run.right; ++cut) {
            if (cut->x() > from)
                stamp.fillBesideOutline.push_back({run.y, from, cut->x()});
            from = cut->x() + 1;
        }
        if (from < run.right)
            stamp.fillBesideOutline.push_back({run.y, from, run.right});
    }
}

} // namespace pexor
