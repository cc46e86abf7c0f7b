#pragma once

#include <QPolygon>
#include <QRect>
#include <cstdint>
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

private:
    struct TEdge {
        int top;        // first row crossed
        int bottom;     // row after the last one crossed
        std::int64_t x; // 16.16 crossing on row top, shifted by half a pixel
        std::int64_t slope;
    };

    void BuildEdges(const QPolygon &points, int clipTop, int clipBottom);
    void PairBand(int top, int bottom, int left, int right, std::vector<TSpan> &spans);
    void Crossings(int left, int right);
    static void EmitRow(int y, const std::vector<int> &crossings, std::vector<TSpan> &spans);

    std::vector<TEdge> edges_;
    std::vector<TEdge> active_;
    std::vector<int> crossings_;
};

// The same with a spanner of the calling thread's own.
void PolygonSpans(const QPolygon &points, const QRect &clip, std::vector<TSpan> &spans);

} // namespace pexor
