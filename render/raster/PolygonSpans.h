#pragma once

#include <QPolygon>
#include <QRect>
#include <algorithm>
#include <climits>
#include <cstdint>
#include <utility>
#include <vector>

namespace pexor {

// One run of covered pixels on row y: left inclusive, right exclusive.
struct TSpan {
    int y;
    int left;
    int right;

    friend bool operator==(const TSpan &, const TSpan &) = default;
};

// The pixels an even-odd filled polygon with integer vertices covers, laid
// out exactly as the painter's aliased raster fill does, so that pixels
// written from these spans look the same as a drawPolygon of the same points.
// That fill samples each row at its centre in 16.16 fixed point with a
// truncated slope, which decides the pixels whose centre lies on a slanted
// edge; the same arithmetic is done here. The match is exact while every
// coordinate lies within -32767..32767 (the painter's fixed-point range);
// beyond it the painter's picture may differ, while the spans here keep to
// the fixed-point rule in 64 bits, without overflow.
//
// The edge tables are kept between calls, so repeated use allocates nothing.
class TPolygonSpanner {
public:
    // Spans limited to clip (right/bottom exclusive, as QRect::right()+1),
    // ordered by y then left; runs that touch on a row are joined.
    // spans is cleared first.
    void Spans(const QPolygon &points, const QRect &clip, std::vector<TSpan> &spans);

    // The same runs handed to sink(y, left, right) as they are found, in
    // the same order, without joining those that touch; a canvas writes
    // them straight away.
    template <typename Sink> void ForEachSpan(const QPolygon &points, const QRect &clip, Sink sink);

private:
    struct TEdge {
        int top;        // first row crossed
        int bottom;     // row after the last one crossed
        std::int64_t x; // 16.16 crossing on row top, shifted by half a pixel
        std::int64_t slope;
    };

    void BuildEdges(const QPolygon &points, int clipTop, int clipBottom);
    template <typename Sink> void PairBand(int top, int bottom, int left, int right, Sink &sink);
    void Crossings(int left, int right);

    std::vector<TEdge> edges_;
    std::vector<TEdge> active_;
    std::vector<int> crossings_;
};

template <typename Sink>
void TPolygonSpanner::ForEachSpan(const QPolygon &points, const QRect &clip, Sink sink) {
    if (clip.isEmpty() || points.size() < 2)
        return;
    const auto clamped = [](std::int64_t v) {
        return int(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX));
    };
    const int clipLeft = clip.left();
    const int clipRight = clamped(std::int64_t(clip.right()) + 1);
    BuildEdges(points, clip.top(), clamped(std::int64_t(clip.bottom()) + 1));
    if (edges_.empty())
        return;

    // Rows are taken in bands over which the set of edges crossed stays the same.
    active_.clear();
    std::size_t next = 0;
    int y = edges_.front().top;
    for (;;) {
        std::erase_if(active_, [y](const TEdge &e) { return e.bottom <= y; });
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
        if (active_.size() == 2) {
            PairBand(y, bandEnd, clipLeft, clipRight, sink);
        } else {
            // Even-odd: the pixels between the first and second crossing,
            // the third and fourth, and so on.
            for (int row = y; row < bandEnd; ++row) {
                Crossings(clipLeft, clipRight);
                for (std::size_t k = 0; k + 1 < crossings_.size(); k += 2)
                    if (crossings_[k] < crossings_[k + 1])
                        sink(row, crossings_[k], crossings_[k + 1]);
            }
        }
        y = bandEnd;
    }
}

// Two edges, the common case of a convex polygon: one run per row between them.
template <typename Sink>
void TPolygonSpanner::PairBand(int top, int bottom, int left, int right, Sink &sink) {
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
            sink(y, int(l), int(r));
        a.x += a.slope;
        b.x += b.slope;
    }
}

} // namespace pexor
