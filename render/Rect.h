#pragma once

#include <QPoint>
#include <QRect>

namespace pexor {

// A rectangle as the drawing layer counts it: Right and Bottom are the first
// column and row outside it, so Width() = Right - Left.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    constexpr TRect() = default;
    constexpr TRect(int left, int top, int right, int bottom)
        : Left(left), Top(top), Right(right), Bottom(bottom) {}

    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    constexpr bool Contains(int x, int y) const {
        return x >= Left && x < Right && y >= Top && y < Bottom;
    }
    constexpr bool operator==(const TRect &) const = default;

    QRect ToQRect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
    static TRect FromQRect(const QRect &r) {
        return TRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
    }
};

} // namespace pexor
