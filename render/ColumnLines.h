#pragma once

#include "render/Canvas.h"

#include <QLine>
#include <algorithm>
#include <climits>
#include <vector>

namespace pexor {

// Lines handed to a canvas in batches: far fewer calls, and the canvas lays
// out many lines with its state set once.
class TLineBatch {
public:
    explicit TLineBatch(Canvas &canvas);
    ~TLineBatch() { Send(); }
    TLineBatch(const TLineBatch &) = delete;
    TLineBatch &operator=(const TLineBatch &) = delete;

    void Push(const QLine &line) {
        lines_.push_back(line);
        if (lines_.size() == kBatch) [[unlikely]]
            Send();
    }
    // Hands what is waiting to the canvas, as Canvas::Lines.
    void Send();
    Canvas &Target() { return canvas_; }

private:
    // Enough to make the canvas' work per call small, few enough to stay
    // in the cache.
    static constexpr std::size_t kBatch = 4096;

    Canvas &canvas_;
    std::vector<QLine> lines_;
};

// A path of lines drawn with the canvas' pen as MoveTo and LineTo would draw
// it, with the vertical lines that follow each other in one column merged
// into one: a million points on a few hundred columns become a few lines per
// column, with the same picture. Merging keeps the picture only for a pen
// that paints every pixel it covers (Canvas::PaintsOpaqueLines); the caller
// checks, and flushes before it changes the pen.
//
// A small value kept in the caller's loop, inline throughout so that its
// state stays in registers; only finished lines go to the batch.
class TColumnLines {
public:
    explicit TColumnLines(TLineBatch &batch)
        : batch_(&batch), pixelRules_(batch.Target().MapMode() == TMapMode::Text) {}

    [[gnu::always_inline]] void MoveTo(int x, int y) {
        EndSpan();
        Begin(x, y);
    }
    [[gnu::always_inline]] bool At(int x, int y) const { return x == x_ && y == end_; }
    // Moves only when the path is not at (x, y) already.
    [[gnu::always_inline]] void From(int x, int y) {
        if (x != x_ || y != end_)
            MoveTo(x, y);
    }
    // By the pixel rules a line paints its start and not its end. Lines
    // that follow each other in one column, each painting its start and not
    // its end, cover one unbroken span: the lowest to the highest start,
    // reaching to the last end when that lies beyond them.
    [[gnu::always_inline]] void LineTo(int x, int y) {
        if (x == x_) {
            // No branch on whether it moves: a long series goes up and down
            // by chance.
            const bool moves = y != end_;
            lowStart_ = moves ? std::min(lowStart_, end_) : lowStart_;
            highStart_ = moves ? std::max(highStart_, end_) : highStart_;
            end_ = y;
        } else {
            EndSpan();
            batch_->Push(QLine(x_, end_, x, y));
            Begin(x, y);
        }
    }
    // LineTo (x, ys[k]) for k from 0 to count - 1, when every point lies
    // within +-limit; false, and nothing drawn, when one does not. The loop
    // a long series spends its time in, so it takes the lines down a column
    // at once: they started at every point before the last run of points
    // equal to the last one, so the span's new starts are the lowest and
    // highest of those, found by plain passes the compiler vectorises.
    bool LinesDown(int x, const int *ys, int count, int limit) {
        if (count == 0)
            return true;
        if (x <= -limit || x >= limit)
            return false;
        const int last = ys[count - 1];
        int m = count - 1; // ys[m - 1] is the last point not equal to last
        while (m > 0 && ys[m - 1] == last)
            --m;
        int low = last;
        int high = last;
        for (int k = 0; k < m; ++k) {
            low = std::min(low, ys[k]);
            high = std::max(high, ys[k]);
        }
        if (low <= -limit || high >= limit)
            return false;
        if (x != x_) {
            LineTo(x, ys[0]);
            ++ys;
            --count;
            --m;
            if (count == 0)
                return true;
        }
        if (m >= 0 && (m > 0 || end_ != last)) {
            // Starts: the point the path is at, and ys[0 .. m - 1].
            int startLow = end_;
            int startHigh = end_;
            for (int k = 0; k < m; ++k) {
                startLow = std::min(startLow, ys[k]);
                startHigh = std::max(startHigh, ys[k]);
            }
            lowStart_ = std::min(lowStart_, startLow);
            highStart_ = std::max(highStart_, startHigh);
        }
        end_ = last;
        return true;
    }
    // Hands what is waiting to the canvas.
    [[gnu::always_inline]] void Flush() {
        EndSpan();
        Begin(x_, end_);
        batch_->Send();
    }

private:
    [[gnu::always_inline]] void Begin(int x, int y) {
        x_ = x;
        end_ = y;
        lowStart_ = INT_MAX;
        highStart_ = INT_MIN;
    }
    // The lines since the path came into the column started between
    // lowStart_ and highStart_: none when those are crossed, one when they
    // meet (each line starts where the last ended, elsewhere).
    [[gnu::always_inline]] void EndSpan() {
        if (lowStart_ <= highStart_)
            batch_->Push(pixelRules_ ? PixelLine() : ScaledLine());
    }
    // The line painting the span's pixels, start included and end excluded.
    [[gnu::always_inline]] QLine PixelLine() const {
        if (lowStart_ == highStart_)
            return QLine(x_, lowStart_, x_, end_);
        const int low = end_ < lowStart_ ? end_ + 1 : lowStart_;
        const int high = end_ > highStart_ ? end_ - 1 : highStart_;
        return QLine(x_, low, x_, high + 1);
    }
    // The same for a scaled mapping, where a line covers both its ends and
    // overlapping lines cover their union.
    [[gnu::always_inline]] QLine ScaledLine() const {
        if (lowStart_ == highStart_)
            return QLine(x_, lowStart_, x_, end_);
        return QLine(x_, std::min(lowStart_, end_), x_, std::max(highStart_, end_));
    }

    TLineBatch *batch_;
    bool pixelRules_;
    int x_ = 0;
    int end_ = 0; // where the path is now
    int lowStart_ = INT_MAX;
    int highStart_ = INT_MIN;
};

} // namespace pexor
