#include "render/raster/DirectRaster.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cwchar>

namespace pexor {

namespace {

// A 32-bit wide character is a pixel: the C library's wide fill is
// vectorised for the processor at hand, which a panel's background
// (a hundred thousand pixels per drawing) feels.
static_assert(sizeof(wchar_t) == sizeof(QRgb));

void FillRun(QRgb *from, int count, QRgb color) {
    constexpr int kShortRun = 16;
    if (count < kShortRun)
        std::fill(from, from + count, color);
    else
        std::wmemset(reinterpret_cast<wchar_t *>(from), static_cast<wchar_t>(color),
                     std::size_t(count));
}

} // namespace

TClipRows::TClipRows(const QRegion &region) : bounds_(region.boundingRect()), top_(bounds_.top()) {
    const int rows = region.isEmpty() ? 0 : bounds_.height();
    std::vector<std::vector<std::pair<int, int>>> perRow(static_cast<std::size_t>(rows));
    // The region's rectangles come in bands, top to bottom and left to right.
    for (const QRect &r : region)
        for (int y = r.top(); y <= r.bottom(); ++y) {
            auto &row = perRow[std::size_t(y - top_)];
            if (!row.empty() && row.back().second == r.left())
                row.back().second = r.right() + 1;
            else
                row.emplace_back(r.left(), r.right() + 1);
        }
    first_.reserve(std::size_t(rows) + 1);
    for (const auto &row : perRow) {
        first_.push_back(int(runs_.size()));
        runs_.insert(runs_.end(), row.begin(), row.end());
    }
    first_.push_back(int(runs_.size()));
    single_.reserve(perRow.size());
    severalBefore_.reserve(perRow.size() + 1);
    severalBefore_.push_back(0);
    for (const auto &row : perRow) {
        single_.push_back(row.size() == 1 ? row.front() : std::make_pair(0, 0));
        severalBefore_.push_back(severalBefore_.back() + (row.size() > 1 ? 1 : 0));
    }
    // A row with no run or several takes part as a run that covers nothing.
    std::vector<std::pair<int, int>> level;
    level.reserve(perRow.size());
    for (const auto &row : perRow)
        level.push_back(row.size() == 1 ? row.front() : std::make_pair(INT_MAX, INT_MIN));
    const std::size_t count = level.size();
    for (std::size_t span = 1; span <= count; span *= 2) {
        if (span > 1) {
            const auto &below = common_.back();
            level.assign(count - span + 1, {});
            for (std::size_t i = 0; i + span <= count; ++i) {
                const auto &a = below[i];
                const auto &b = below[i + span / 2];
                level[i] = {std::max(a.first, b.first), std::min(a.second, b.second)};
            }
        }
        common_.push_back(level);
    }
}

bool TClipRows::Covers(int left, int top, int right, int bottom) const {
    if (top < top_ || bottom - top_ >= int(single_.size()))
        return false;
    if (bottom < top)
        return true;
    const int first = top - top_;
    const int last = bottom - top_;
    if (severalBefore_[std::size_t(last) + 1] != severalBefore_[std::size_t(first)])
        return CoversRowByRow(left, top, right, bottom);
    const int k = std::bit_width(unsigned(last - first + 1)) - 1;
    const auto &level = common_[std::size_t(k)];
    const auto &a = level[std::size_t(first)];
    const auto &b = level[std::size_t(last - (1 << k) + 1)];
    return std::max(a.first, b.first) <= left && right < std::min(a.second, b.second);
}

bool TClipRows::CoversRowByRow(int left, int top, int right, int bottom) const {
    for (int y = top; y <= bottom; ++y) {
        const auto &[from, to] = single_[std::size_t(y - top_)];
        if (from <= left && right < to)
            continue;
        if (to > from)
            return false; // the row's one run leaves part out
        bool covered = false;
        for (const auto &[runFrom, runTo] : Row(y))
            covered = covered || (runFrom <= left && right < runTo);
        if (!covered)
            return false;
    }
    return true;
}

bool TDirectRaster::Supports(const QImage &image) {
    switch (image.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        return true;
    default:
        return false;
    }
}

TDirectRaster::TDirectRaster(QImage &image, const QRect &clip, QPoint offset,
                             const TClipRows *rows)
    : bits_(image.bits()), stride_(image.bytesPerLine()), width_(image.width()),
      height_(image.height()), dx_(offset.x()), dy_(offset.y()),
      rows_(rows) {
    QRect r = clip & image.rect();
    if (rows)
        r &= rows->Bounds();
    left_ = r.left();
    top_ = r.top();
    right_ = r.isEmpty() ? left_ : r.right() + 1;
    bottom_ = r.isEmpty() ? top_ : r.bottom() + 1;
}

bool TDirectRaster::Covers(int left, int top, int right, int bottom) const {
    left += dx_;
    right += dx_;
    top += dy_;
    bottom += dy_;
    if (left < left_ || right >= right_ || top < top_ || bottom >= bottom_)
        return false;
    return !rows_ || rows_->Covers(left, top, right, bottom);
}

void TDirectRaster::Points(const std::vector<QPoint> &points, QRgb color) {
    for (const QPoint &p : points)
        Pixel(p.x(), p.y(), color);
}

void TDirectRaster::Span(int y, int left, int right, QRgb color) {
    y += dy_;
    if (y < top_ || y >= bottom_)
        return;
    DeviceSpan(y, std::max(left + dx_, left_), std::min(right + dx_, right_), color);
}

void TDirectRaster::DeviceSpan(int y, int left, int right, QRgb color) {
    if (left >= right)
        return;
    if (!rows_) {
        FillRun(Row(y) + left, right - left, color);
        return;
    }
    for (const auto &[from, to] : rows_->Row(y)) {
        const int l = std::max(left, from);
        const int r = std::min(right, to);
        if (l < r)
            FillRun(Row(y) + l, r - l, color);
    }
}

void TDirectRaster::Fill(int left, int top, int right, int bottom, QRgb color) {
    top = std::max(top + dy_, top_) - dy_;
    bottom = std::min(bottom + dy_, bottom_) - dy_;
    for (int y = top; y < bottom; ++y)
        Span(y, left, right, color);
}

} // namespace pexor
