#include "render/raster/PolygonSpans.h"

#include <algorithm>
#include <climits>
#include <utility>

namespace pexor {

namespace {

constexpr std::int64_t kOne = 65536;
constexpr std::int64_t kHalf = kOne / 2;

// Few crossings per row in practice: an insertion sort beats a general one there.
constexpr std::size_t kInsertionSortLimit = 24;

template <typename T, typename Less> void SmallSort(std::vector<T> &items, Less less) {
    if (items.size() > kInsertionSortLimit) {
        std::sort(items.begin(), items.end(), less);
        return;
    }
    for (std::size_t i = 1; i < items.size(); ++i) {
        T item = items[i];
        std::size_t j = i;
        for (; j > 0 && less(item, items[j - 1]); --j)
            items[j] = items[j - 1];
        items[j] = item;
    }
}

} // namespace

void TPolygonSpanner::Spans(const QPolygon &points, const QRect &clip, std::vector<TSpan> &spans) {
    spans.clear();
    ForEachSpan(points, clip, [&spans](int y, int left, int right) {
        if (!spans.empty() && spans.back().y == y && spans.back().right == left)
            spans.back().right = right;
        else
            spans.push_back({y, left, right});
    });
}

// Each non-horizontal edge, top to bottom, limited to the clip's rows. A row
// is crossed where its centre line meets the edge; as in the painter's fill,
// the slope is a 16.16 value truncated towards zero, the crossing on the
// first row is taken half a slope below the top vertex (rounded down), and
// each further row adds the slope. The crossing is shifted by half a pixel so
// that its whole part is the first pixel whose centre lies right of it.
void TPolygonSpanner::BuildEdges(const QPolygon &points, int clipTop, int clipBottom) {
    edges_.clear();
    const qsizetype n = points.size();
    for (qsizetype i = 0; i < n; ++i) {
        QPoint a = points[i];
        QPoint b = points[i + 1 == n ? 0 : i + 1];
        if (a.y() == b.y())
            continue;
        if (a.y() > b.y())
            std::swap(a, b);
        const int top = std::max(a.y(), clipTop);
        const int bottom = std::min(b.y(), clipBottom);
        if (top >= bottom)
            continue;
        const std::int64_t dx = std::int64_t(b.x()) - a.x();
        const std::int64_t dy = std::int64_t(b.y()) - a.y();
        // dx * 2^16 is far below 2^53, so the rounded quotient truncates as
        // the exact one. Upright sides, common in a series, skip the division.
        const auto slope = dx == 0 ? 0 : std::int64_t(double(dx * kOne) / double(dy));
        const std::int64_t x =
            std::int64_t(a.x()) * kOne + kHalf + (slope >> 1) + (std::int64_t(top) - a.y()) * slope;
        edges_.push_back({top, bottom, x, slope});
    }
    SmallSort(edges_, [](const TEdge &l, const TEdge &r) { return l.top < r.top; });
}

// The active edges' pixel crossings on the current row, sorted, each held
// inside the clip's columns (which keeps their order); steps every edge to
// the next row.
void TPolygonSpanner::Crossings(int left, int right) {
    crossings_.clear();
    for (TEdge &e : active_) {
        crossings_.push_back(int(std::clamp<std::int64_t>(e.x >> 16, left, right)));
        e.x += e.slope;
    }
    SmallSort(crossings_, [](int l, int r) { return l < r; });
}

} // namespace pexor
