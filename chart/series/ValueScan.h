#pragma once

#include <cstddef>

namespace pexor {

// What a pass one value at a time over values appended to a value list
// reaches, found by a pass over many at once.
struct TAppendScan {
    // The running minimum and maximum of the values times the multiplier,
    // from those before: a value below the minimum replaces it, else one
    // above the maximum replaces that; NaN replaces nothing, and between
    // -0 and +0 the first seen stays.
    double minimum = 0;
    double maximum = 0;
    // Whether the values never fall from the previous one and none is NaN;
    // either answer when not asked for.
    bool rises = true;
    // How many values come before the first that lies beyond the one
    // before it (above it when ascending, below when descending; NaN lies
    // beyond nothing); all of them when the order is none. Minimum, maximum
    // and rises are those of these values only.
    std::size_t inOrder = 0;
};

enum class TScanOrder { None, Ascending, Descending };

// values[0 .. count-1] after previous, with the bounds minimum and maximum
// reached so far. Unless copyTo is null, the values are copied to it as they
// are read, those in order at least.
TAppendScan ScanAppended(const double *values, std::size_t count, double multiplier,
                         double minimum, double maximum, double previous, TScanOrder order,
                         bool wantRises, double *copyTo);

} // namespace pexor
