#pragma once

#include "render/Color.h"

#include <algorithm>
#include <climits>
#include <vector>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace pexor {

// The ribbons of a line's vertical segments that follow each other in one
// pixel column, cut down to those that show. Under a projection that only
// moves depth (TChartCanvas3D::ShearsDepth), the ribbons of one column are
// one shape moved up and down and stretched, and one that spans the heights
// from..to paints, in every column it crosses, one run of pixels from the
// edge at from to the edge at to. The segments after a ribbon, joined, span
// every height between their lowest and highest point, so when those include
// the ribbon's start, the ribbons after it paint every pixel it paints, and
// with opaque shapes (Canvas::PaintsOpaqueShapes) it can be left out.
//
// The ribbons kept are those whose start lies above or below every point
// after it. Such starts fall as the ribbons go on (those above) or rise
// (those below), so each list is a stack a new point pops from: a million
// points on one column cost a few pushes and pops each.
class TRibbonColumn {
public:
    bool Open() const { return open_; }
    int X() const { return x_; }
    TColor Fill() const { return fill_; }
    // The height the last segment ended at.
    int End() const { return end_; }

    void Start(int x, TColor fill);
    // The segment from..to of this column, from != to.
    void Add(int from, int to) {
        while (!above_.empty() && above_.back().from <= to)
            above_.pop_back();
        while (!below_.empty() && below_.back().from >= to)
            below_.pop_back();
        (from > to ? above_ : below_).push_back({order_++, from, to});
        end_ = to;
    }
    // The segments from End() to each of ys[0 .. count-1] in turn, none
    // where a point repeats the one before, while the points lie within
    // +-limit; answers how many points it took. Most points of a long
    // series repeat the one before: those are passed over four at a time.
    int AddRun(const int *ys, int count, int limit) {
        int low = INT_MAX;
        int high = INT_MIN;
        for (int k = 0; k < count; ++k) {
            low = std::min(low, ys[k]);
            high = std::max(high, ys[k]);
        }
        if (low <= -limit || high >= limit) {
            int inside = 0;
            while (ys[inside] > -limit && ys[inside] < limit)
                ++inside;
            count = inside;
        }
        if (count == 0)
            return 0;
        lastMoved_ = ys[count - 1] != (count >= 2 ? ys[count - 2] : end_);
        for (int k = NextDifferent(ys, 0, count, end_); k < count;
             k = NextDifferent(ys, k + 1, count, end_))
            Add(end_, ys[k]);
        return count;
    }
    // Whether the last point AddRun took made a segment.
    bool LastMoved() const { return lastMoved_; }
    // Calls draw(from, to) for each ribbon that shows, in the order they
    // came, and closes the column.
    template <typename Draw> void Close(Draw draw) {
        if (!open_)
            return;
        open_ = false;
        auto a = above_.begin();
        auto b = below_.begin();
        while (a != above_.end() || b != below_.end()) {
            const bool takeAbove = b == below_.end() || (a != above_.end() && a->order < b->order);
            const TEntry &e = takeAbove ? *a++ : *b++;
            draw(e.from, e.to);
        }
    }

private:
    // The first index from k on whose point is not value, or count.
    static int NextDifferent(const int *ys, int k, int count, int value) {
#if defined(__SSE2__)
        const __m128i same = _mm_set1_epi32(value);
        for (; k + 4 <= count; k += 4) {
            const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i *>(ys + k));
            const int equal = _mm_movemask_epi8(_mm_cmpeq_epi32(four, same));
            if (equal != 0xFFFF)
                return k + __builtin_ctz(unsigned(~equal) & 0xFFFFu) / 4;
        }
#endif
        while (k < count && ys[k] == value)
            ++k;
        return k;
    }

    struct TEntry {
        int order;
        int from;
        int to;
    };

    bool open_ = false;
    int x_ = 0;
    TColor fill_ = 0;
    int end_ = 0;
    int order_ = 0;
    bool lastMoved_ = false;
    std::vector<TEntry> above_;
    std::vector<TEntry> below_;
};

} // namespace pexor
