#include "chart/series/ValueScan.h"

#include <algorithm>
#include <cmath>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace pexor {

namespace {

bool Beyond(double before, double value, TScanOrder order) {
    switch (order) {
    case TScanOrder::Ascending:
        return before > value;
    case TScanOrder::Descending:
        return before < value;
    case TScanOrder::None:
        break;
    }
    return false;
}

// The first value equal to zero, which a bound of zero keeps when it came
// from these values: it was the first to reach zero, and none lies below.
double FirstZero(const double *values, std::size_t count, double multiplier) {
    for (std::size_t i = 0; i < count; ++i) {
        const double m = values[i] * multiplier;
        if (m == 0)
            return m;
    }
    return 0;
}

// The bounds, rises and in-order count over the first count values, as one
// by one (stops at the first value beyond).
TAppendScan OneByOne(const double *values, std::size_t count, double multiplier,
                     TAppendScan scan, double previous, TScanOrder order) {
    std::size_t i = 0;
    for (; i < count; ++i) {
        if (Beyond(previous, values[i], order))
            break;
        const double m = values[i] * multiplier;
        if (m < scan.minimum)
            scan.minimum = m;
        else if (m > scan.maximum)
            scan.maximum = m;
        scan.rises = scan.rises && previous <= values[i];
        previous = values[i];
    }
    scan.inOrder = i;
    return scan;
}

} // namespace

TAppendScan ScanAppended(const double *values, std::size_t count, double multiplier,
                         double minimum, double maximum, double previous, TScanOrder order,
                         bool wantRises, double *copyTo) {
    TAppendScan scan;
    scan.minimum = minimum;
    scan.maximum = maximum;
#if defined(__SSE2__)
    if (count >= 8) {
        // minpd keeps its second operand unless the first is strictly
        // below, as one by one does, NaN included; two pairs of lanes run
        // side by side and meet the same way. Equal numbers have equal bits
        // but for -0 and +0: a bound of zero is set right afterwards.
        const __m128d by = _mm_set1_pd(multiplier);
        __m128d lowA = _mm_set1_pd(minimum);
        __m128d lowB = lowA;
        __m128d highA = _mm_set1_pd(maximum);
        __m128d highB = highA;
        __m128d fallsA = _mm_setzero_pd(); // before > value: not rising, or beyond
        __m128d fallsB = _mm_setzero_pd();
        __m128d unorderedA = _mm_setzero_pd(); // NaN neighbours: not rising
        __m128d unorderedB = _mm_setzero_pd();
        __m128d risesA = _mm_setzero_pd(); // before < value: beyond when descending
        __m128d risesB = _mm_setzero_pd();
        const bool descending = order == TScanOrder::Descending;
        // Neighbours are compared only when the order or the caller needs it.
        const bool neighbours = wantRises || order != TScanOrder::None;
        const bool scaled = multiplier != 1.0;
        const bool copy = copyTo != nullptr;
        std::size_t i = 0;
        for (; i + 4 <= count; i += 4) {
            __m128d v0 = _mm_loadu_pd(values + i);
            __m128d v1 = _mm_loadu_pd(values + i + 2);
            if (copy) {
                _mm_storeu_pd(copyTo + i, v0);
                _mm_storeu_pd(copyTo + i + 2, v1);
            }
            if (neighbours) {
                const __m128d before =
                    i == 0 ? _mm_set_pd(values[0], previous) : _mm_loadu_pd(values + i - 1);
                const __m128d before1 = _mm_loadu_pd(values + i + 1);
                fallsA = _mm_or_pd(fallsA, _mm_cmpgt_pd(before, v0));
                fallsB = _mm_or_pd(fallsB, _mm_cmpgt_pd(before1, v1));
                unorderedA = _mm_or_pd(unorderedA, _mm_cmpunord_pd(before, v0));
                unorderedB = _mm_or_pd(unorderedB, _mm_cmpunord_pd(before1, v1));
                if (descending) {
                    risesA = _mm_or_pd(risesA, _mm_cmplt_pd(before, v0));
                    risesB = _mm_or_pd(risesB, _mm_cmplt_pd(before1, v1));
                }
            }
            if (scaled) {
                v0 = _mm_mul_pd(v0, by);
                v1 = _mm_mul_pd(v1, by);
            }
            lowA = _mm_min_pd(v0, lowA);
            lowB = _mm_min_pd(v1, lowB);
            highA = _mm_max_pd(v0, highA);
            highB = _mm_max_pd(v1, highB);
        }
        const __m128d beyond = descending ? _mm_or_pd(risesA, risesB) : _mm_or_pd(fallsA, fallsB);
        if (order != TScanOrder::None && _mm_movemask_pd(beyond) != 0)
            return OneByOne(values, count, multiplier, scan, previous, order);
        double lane[4];
        _mm_storeu_pd(lane, _mm_min_pd(lowB, lowA));
        scan.minimum = lane[1] < lane[0] ? lane[1] : lane[0];
        _mm_storeu_pd(lane, _mm_max_pd(highB, highA));
        scan.maximum = lane[1] > lane[0] ? lane[1] : lane[0];
        scan.rises = neighbours && _mm_movemask_pd(_mm_or_pd(_mm_or_pd(fallsA, fallsB),
                                                             _mm_or_pd(unorderedA, unorderedB))) == 0;
        if (copy)
            std::copy(values + i, values + count, copyTo + i);
        TAppendScan rest = OneByOne(values + i, count - i, multiplier, scan, values[i - 1], order);
        if (rest.inOrder < count - i)
            return OneByOne(values, count, multiplier, TAppendScan{minimum, maximum, true, 0},
                            previous, order);
        scan = rest;
        scan.inOrder = count;
        if (scan.minimum == 0 && !(minimum == 0))
            scan.minimum = FirstZero(values, count, multiplier);
        if (scan.maximum == 0 && !(maximum == 0))
            scan.maximum = FirstZero(values, count, multiplier);
        return scan;
    }
#endif
    if (copyTo)
        std::copy(values, values + count, copyTo);
    return OneByOne(values, count, multiplier, scan, previous, order);
}

} // namespace pexor
