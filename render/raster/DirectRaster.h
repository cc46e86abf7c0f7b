#pragma once

#include "render/raster/PolygonSpans.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QRgb>
#include <QTransform>
#include <algorithm>
#include <span>
#include <utility>
#include <vector>

namespace pexor {

// A clip of any shape as runs of pixels on each device row, read once from
// a region so that each pixel written is checked against a short list.
class TClipRows {
public:
    TClipRows() = default;
    explicit TClipRows(const QRegion &region);

    // Runs [first, second) of device row y; none outside the region.
    std::span<const std::pair<int, int>> Row(int y) const {
        const int i = y - top_;
        if (i < 0 || i + 1 >= int(first_.size()))
            return {};
        return {runs_.data() + first_[std::size_t(i)],
                std::size_t(first_[std::size_t(i) + 1] - first_[std::size_t(i)])};
    }
    QRect Bounds() const { return bounds_; }
    // Whether the region holds device columns left..right (inclusive) on
    // every row top..bottom.
    bool Covers(int left, int top, int right, int bottom) const;

private:
    bool CoversRowByRow(int left, int top, int right, int bottom) const;

    QRect bounds_;
    int top_ = 0;
    std::vector<int> first_;
    std::vector<std::pair<int, int>> runs_;
    // Per row, its one run; an empty run where a row has several, which
    // then takes the slower look through them.
    std::vector<std::pair<int, int>> single_;
    // Rows with several runs among the rows above each row.
    std::vector<int> severalBefore_;
    // Level k holds, for the 2^k rows from each row, the rightmost start
    // and the leftmost end of their single runs, so that a box of any
    // height is checked with two looks (a series checks one per segment).
    std::vector<std::vector<std::pair<int, int>>> common_;
};

// A region clip as the painter takes it (the polygon's region, in logical
// positions under base) and as direct writing reads it (rows in device pixels).
struct TRegionClip {
    QPolygon polygon;
    QTransform base;
    QRegion region;
    TClipRows rows;
};

// Opaque pixels written straight into a 32-bit image, within a clip. The
// canvas uses it for one-pixel lines and plain fills, where a painter call
// per shape costs far more than the pixels themselves. Positions are logical:
// the offset is added to each.
class TDirectRaster {
public:
    // Whether images of this format take opaque colours as they are.
    static bool Supports(const QImage &image);

    // clip is in device pixels, further limited to rows when given (which
    // must outlive the raster); the image must not be shared.
    TDirectRaster(QImage &image, const QRect &clip, QPoint offset,
                  const TClipRows *rows = nullptr);

    // The clip in logical positions, right and bottom exclusive.
    QRect LogicalClip() const { return QRect(left_ - dx_, top_ - dy_, right_ - left_, bottom_ - top_); }
    // Whether the logical box left..right, top..bottom (inclusive) lies on
    // the image, clip or not.
    bool OnImage(int left, int top, int right, int bottom) const {
        return left + dx_ >= 0 && right + dx_ < width_ && top + dy_ >= 0 && bottom + dy_ < height_;
    }

    void Pixel(int x, int y, QRgb color) {
        x += dx_;
        y += dy_;
        if (x >= left_ && x < right_ && y >= top_ && y < bottom_ && InRows(x, y))
            Row(y)[x] = color;
    }
    // Whether every pixel of the box left..right, top..bottom (inclusive,
    // logical) is inside the clip, so that it can be written unchecked.
    bool Covers(int left, int top, int right, int bottom) const;
    void PixelInside(int x, int y, QRgb color) { Row(y + dy_)[x + dx_] = color; }
    void Points(const std::vector<QPoint> &points, QRgb color);
    // Pixels left..right-1 of row y.
    void Span(int y, int left, int right, QRgb color);
    // The same, known to be inside the clip.
    void SpanInside(int y, int left, int right, QRgb color) {
        QRgb *row = Row(y + dy_) + dx_;
        std::fill(row + left, row + right, color);
    }
    // Spans moved by the given amount, known to be inside the clip.
    void SpansInside(const std::vector<TSpan> &spans, QPoint by, QRgb color) {
        for (const TSpan &s : spans) {
            QRgb *row = Row(s.y + by.y() + dy_) + by.x() + dx_;
            std::fill(row + s.left, row + s.right, color);
        }
    }
    void PointsInside(const std::vector<QPoint> &points, QPoint by, QRgb color) {
        QRgb *origin = Row(by.y() + dy_) + by.x() + dx_;
        const qsizetype pixelsPerRow = stride_ / qsizetype(sizeof(QRgb));
        for (const QPoint &p : points)
            origin[p.y() * pixelsPerRow + p.x()] = color;
    }
    // The box left..right-1, top..bottom-1.
    void Fill(int left, int top, int right, int bottom, QRgb color);

private:
    QRgb *Row(int y) const { return reinterpret_cast<QRgb *>(bits_ + y * stride_); }
    bool InRows(int x, int y) const {
        if (!rows_)
            return true;
        for (const auto &[from, to] : rows_->Row(y))
            if (x >= from && x < to)
                return true;
        return false;
    }
    // Device row y from left to right-1, already within the clip rectangle.
    void DeviceSpan(int y, int left, int right, QRgb color);

    uchar *bits_;
    qsizetype stride_;
    int width_;
    int height_;
    int left_;
    int top_;
    int right_;
    int bottom_;
    int dx_;
    int dy_;
    const TClipRows *rows_;
};

} // namespace pexor
