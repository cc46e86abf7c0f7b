#include "chart/series/ValueScan.h"

#include <algorithm>
#include <cmath>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
// The wider lanes are chosen when the program runs, where the processor
// has them; the build itself assumes none.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define PEXOR_SCAN_BY_EIGHT
#include <immintrin.h>
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

#if defined(__SSE2__)

// How the lanes take the values: the same for every block.
struct TScanWay {
    double by = 1;
    bool descending = false;
    bool neighbours = false;
    bool scaled = false;
    double *copyTo = nullptr;
};

// Two pairs of lanes, side by side. minpd keeps its second operand unless
// the first is strictly below, as one by one does, NaN included, so lanes
// meet in any order alike. Equal numbers have equal bits but for -0 and +0:
// a bound of zero is set afterwards (FirstZero).
struct TLanes {
    TLanes(double minimum, double maximum)
        : lowA(_mm_set1_pd(minimum)), lowB(lowA), highA(_mm_set1_pd(maximum)), highB(highA) {}
    __m128d lowA, lowB;
    __m128d highA, highB;
    __m128d fallsA = _mm_setzero_pd(), fallsB = _mm_setzero_pd(); // before > value
    __m128d unorderedA = _mm_setzero_pd(), unorderedB = _mm_setzero_pd(); // NaN neighbours
    __m128d risesA = _mm_setzero_pd(), risesB = _mm_setzero_pd(); // before < value
};

// The values from index from on, four at a time as far as they go; answers
// where it stopped.
std::size_t ScanByFour(const double *values, std::size_t from, std::size_t count,
                       double previous, const TScanWay &way, TLanes &lanes) {
    const __m128d by = _mm_set1_pd(way.by);
    std::size_t i = from;
    for (; i + 4 <= count; i += 4) {
        __m128d v0 = _mm_loadu_pd(values + i);
        __m128d v1 = _mm_loadu_pd(values + i + 2);
        if (way.copyTo) {
            _mm_storeu_pd(way.copyTo + i, v0);
            _mm_storeu_pd(way.copyTo + i + 2, v1);
        }
        if (way.neighbours) {
            const __m128d before =
                i == 0 ? _mm_set_pd(values[0], previous) : _mm_loadu_pd(values + i - 1);
            const __m128d before1 = _mm_loadu_pd(values + i + 1);
            lanes.fallsA = _mm_or_pd(lanes.fallsA, _mm_cmpgt_pd(before, v0));
            lanes.fallsB = _mm_or_pd(lanes.fallsB, _mm_cmpgt_pd(before1, v1));
            lanes.unorderedA = _mm_or_pd(lanes.unorderedA, _mm_cmpunord_pd(before, v0));
            lanes.unorderedB = _mm_or_pd(lanes.unorderedB, _mm_cmpunord_pd(before1, v1));
            if (way.descending) {
                lanes.risesA = _mm_or_pd(lanes.risesA, _mm_cmplt_pd(before, v0));
                lanes.risesB = _mm_or_pd(lanes.risesB, _mm_cmplt_pd(before1, v1));
            }
        }
        if (way.scaled) {
            v0 = _mm_mul_pd(v0, by);
            v1 = _mm_mul_pd(v1, by);
        }
        lanes.lowA = _mm_min_pd(v0, lanes.lowA);
        lanes.lowB = _mm_min_pd(v1, lanes.lowB);
        lanes.highA = _mm_max_pd(v0, lanes.highA);
        lanes.highB = _mm_max_pd(v1, lanes.highB);
    }
    return i;
}

#if defined(PEXOR_SCAN_BY_EIGHT)

// Whether this processor has the 256-bit lanes ScanByEight runs on.
bool HasWideLanes() {
    static const bool has = __builtin_cpu_supports("avx");
    return has;
}

// Splits a wide lane into the two narrow ones it stands for.
[[gnu::target("avx")]] void Halves(__m256d wide, __m128d &low, __m128d &high) {
    low = _mm256_castpd256_pd128(wide);
    high = _mm256_extractf128_pd(wide, 1);
}

// ScanByFour eight at a time from 0, in lanes twice as wide that meet the
// narrow ones at the end: half the instructions for the long runs an
// append by pieces looks through. Written apart from ScanByFour because
// the wide instructions may only stand in a function built for them.
[[gnu::target("avx")]] std::size_t ScanByEight(const double *values, std::size_t count,
                                               double previous, const TScanWay &way,
                                               TLanes &lanes) {
    const __m256d by = _mm256_set1_pd(way.by);
    __m256d lowA = _mm256_set_m128d(lanes.lowA, lanes.lowA);
    __m256d lowB = lowA;
    __m256d highA = _mm256_set_m128d(lanes.highA, lanes.highA);
    __m256d highB = highA;
    __m256d falls = _mm256_setzero_pd();
    __m256d unordered = _mm256_setzero_pd();
    __m256d rises = _mm256_setzero_pd();
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        __m256d v0 = _mm256_loadu_pd(values + i);
        __m256d v1 = _mm256_loadu_pd(values + i + 4);
        if (way.copyTo) {
            _mm256_storeu_pd(way.copyTo + i, v0);
            _mm256_storeu_pd(way.copyTo + i + 4, v1);
        }
        if (way.neighbours) {
            const __m256d before =
                i == 0 ? _mm256_set_pd(values[2], values[1], values[0], previous)
                       : _mm256_loadu_pd(values + i - 1);
            const __m256d before1 = _mm256_loadu_pd(values + i + 3);
            falls = _mm256_or_pd(falls, _mm256_or_pd(_mm256_cmp_pd(before, v0, _CMP_GT_OS),
                                                     _mm256_cmp_pd(before1, v1, _CMP_GT_OS)));
            unordered =
                _mm256_or_pd(unordered, _mm256_or_pd(_mm256_cmp_pd(before, v0, _CMP_UNORD_Q),
                                                     _mm256_cmp_pd(before1, v1, _CMP_UNORD_Q)));
            if (way.descending)
                rises = _mm256_or_pd(rises, _mm256_or_pd(_mm256_cmp_pd(before, v0, _CMP_LT_OS),
                                                         _mm256_cmp_pd(before1, v1, _CMP_LT_OS)));
        }
        if (way.scaled) {
            v0 = _mm256_mul_pd(v0, by);
            v1 = _mm256_mul_pd(v1, by);
        }
        lowA = _mm256_min_pd(v0, lowA);
        lowB = _mm256_min_pd(v1, lowB);
        highA = _mm256_max_pd(v0, highA);
        highB = _mm256_max_pd(v1, highB);
    }
    Halves(_mm256_min_pd(lowB, lowA), lanes.lowA, lanes.lowB);
    Halves(_mm256_max_pd(highB, highA), lanes.highA, lanes.highB);
    Halves(falls, lanes.fallsA, lanes.fallsB);
    Halves(unordered, lanes.unorderedA, lanes.unorderedB);
    Halves(rises, lanes.risesA, lanes.risesB);
    return i;
}

#endif // PEXOR_SCAN_BY_EIGHT
#endif // __SSE2__

} // namespace

TAppendScan ScanAppended(const double *values, std::size_t count, double multiplier,
                         double minimum, double maximum, double previous, TScanOrder order,
                         bool wantRises, double *copyTo) {
    TAppendScan scan;
    scan.minimum = minimum;
    scan.maximum = maximum;
#if defined(__SSE2__)
    if (count >= 8) {
        TScanWay way;
        way.by = multiplier;
        way.descending = order == TScanOrder::Descending;
        // Neighbours are compared only when the order or the caller needs it.
        way.neighbours = wantRises || order != TScanOrder::None;
        way.scaled = multiplier != 1.0;
        way.copyTo = copyTo;
        TLanes lanes(minimum, maximum);
        std::size_t i = 0;
#if defined(PEXOR_SCAN_BY_EIGHT)
        if (HasWideLanes())
            i = ScanByEight(values, count, previous, way, lanes);
#endif
        i = ScanByFour(values, i, count, previous, way, lanes);
        const __m128d beyond = way.descending ? _mm_or_pd(lanes.risesA, lanes.risesB)
                                              : _mm_or_pd(lanes.fallsA, lanes.fallsB);
        if (order != TScanOrder::None && _mm_movemask_pd(beyond) != 0)
            return OneByOne(values, count, multiplier, scan, previous, order);
        double lane[4];
        _mm_storeu_pd(lane, _mm_min_pd(lanes.lowB, lanes.lowA));
        scan.minimum = lane[1] < lane[0] ? lane[1] : lane[0];
        _mm_storeu_pd(lane, _mm_max_pd(lanes.highB, lanes.highA));
        scan.maximum = lane[1] > lane[0] ? lane[1] : lane[0];
        scan.rises = way.neighbours &&
                     _mm_movemask_pd(_mm_or_pd(_mm_or_pd(lanes.fallsA, lanes.fallsB),
                                               _mm_or_pd(lanes.unorderedA, lanes.unorderedB))) == 0;
        if (copyTo)
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
