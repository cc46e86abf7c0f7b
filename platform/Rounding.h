#pragma once

#include <cmath>
#include <cstdint>

namespace pexor {

// Round half to even, as the chart engine rounds (2.5 -> 2, 3.5 -> 4).
// Below 2^51 in size, adding and taking away 1.5 x 2^52 leaves the value
// rounded to a whole number by the FPU's own rounding, which is what
// nearbyint does, without a library call per pixel.
inline int Round(double value) {
    constexpr double kShift = 6755399441055744.0;
    constexpr double kExactBelow = 2251799813685248.0;
    if (std::fabs(value) < kExactBelow)
        return int((value + kShift) - kShift);
    return int(std::nearbyint(value));
}

// a * b / c in 64 bits, rounded to the nearest integer with halves away from
// zero; -1 when c is 0, as the old platform call answered.
inline int MulDiv(int a, int b, int c) {
    if (c == 0)
        return -1;
    const std::int64_t num = std::int64_t(a) * std::int64_t(b);
    const bool negative = (num < 0) != (c < 0);
    const std::int64_t an = num < 0 ? -num : num;
    const std::int64_t ac = c < 0 ? -std::int64_t(c) : std::int64_t(c);
    const std::int64_t q = (an + ac / 2) / ac;
    return int(negative ? -q : q);
}

} // namespace pexor
