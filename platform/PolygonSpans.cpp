#include "platform/PolygonSpans.h"

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

int ClampToInt(std::int64_t value) {
    return int(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
}

} // namespace

void TPolygonSpanner::Spans(const QPolygon &points, const QRect &clip, std::vector<TSpan> &spans) {
    spans.clear();
    if (clip.isEmpty() || points.size() < 2)
        return;
    const int clipTop = clip.top();
    const int clipBottom = ClampToInt(std::int64_t(clip.bottom()) + 1);
    const int clipLeft = clip.left();
    const int clipRight = ClampToInt(std::int64_t(clip.right()) + 1);

    BuildEdges(points, clipTop, clipBottom);
    if (edges_.empty())
        return;

    // Rows are taken in bands over which the set of edges crossed stays the same.
    active_.clear();
    std::size_t next = 0;
    int y = edges_.front().top;
    for (;;) {
        active_.erase(std::remove_if(active_.begin(), active_.end(),
                                     [y](const TEdge &e) { return e.bottom <= y; }),
                      active_.end());
        while (next < edges_.size() && edges_[next].top == y)
            active_.push_back(edges_[next++]);
        if (active_.empty()) {
            if (next == edges_.size())
                return;
            y = edges_[next].top;
            continue;
        }
        int bandEnd = next < edges_.size() ? edges_[next].top : INT_MAX;
        for (const TEdge &e : active_)
            bandEnd = std::min(bandEnd, e.bottom);
        if (active_.size() == 2)
            PairBand(y, bandEnd, clipLeft, clipRight, spans);
        else
            for (int row = y; row < bandEnd; ++row) {
                Crossings(clipLeft, clipRight);
                EmitRow(row, crossings_, spans);
            }
        y = bandEnd;
    }
}

// Two edges, the common case of a convex polygon: one run per row between them.
void TPolygonSpanner::PairBand(int top, int bottom, int left, int right,
                               std::vector<TSpan> &spans) {
    TEdge &a = active_[0];
    TEdge &b = active_[1];
    for (int y = top; y < bottom; ++y) {
        std::int64_t l = a.x >> 16;
        std::int64_t r = b.x >> 16;
        if (r < l)
            std::swap(l, r);
        l = std::max<std::int64_t>(l, left);
        r = std::min<std::int64_t>(r, right);
        if (l < r)
            spans.push_back({y, int(l), int(r)});
        a.x += a.slope;
        b.x += b.slope;
    }
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
        // dx * 2^16 is far below 2^53, so the rounded quotient truncates as the exact one.
        const auto slope = std::int64_t(double(dx * kOne) / double(dy));
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

// Even-odd: the pixels between the first and second crossing, the third and
// fourth, and so on.
void TPolygonSpanner::EmitRow(int y, const std::vector<int> &crossings, std::vector<TSpan> &spans) {
    for (std::size_t k = 0; k + 1 < crossings.size(); k += 2) {
        const int left = crossings[k];
        const int right = crossings[k + 1];
        if (left >= right)
            continue;
        if (!spans.empty() && spans.back().y == y && spans.back().right == left)
            spans.back().right = right;
        else
            spans.push_back({y, left, right});
    }
}

void PolygonSpans(const QPolygon &points, const QRect &clip, std::vector<TSpan> &spans) {
    thread_local TPolygonSpanner spanner;
    spanner.Spans(points, clip, spans);
}

} // namespace pexor
