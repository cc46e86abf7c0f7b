// The scan of appended values against the same values taken one at a time:
// the wide and narrow lanes, their meeting, the first block (whose first
// neighbour is the value before) and the tails must all agree with it.
#include "chart/series/ValueScan.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace pexor {
namespace {

// One value at a time, as the scan promises to reach.
TAppendScan Reference(const std::vector<double> &values, double multiplier, double minimum,
                      double maximum, double previous, TScanOrder order) {
    TAppendScan scan{minimum, maximum, true, 0};
    for (double value : values) {
        if ((order == TScanOrder::Ascending && previous > value) ||
            (order == TScanOrder::Descending && previous < value))
            break;
        const double m = value * multiplier;
        if (m < scan.minimum)
            scan.minimum = m;
        else if (m > scan.maximum)
            scan.maximum = m;
        scan.rises = scan.rises && previous <= value;
        previous = value;
        ++scan.inOrder;
    }
    return scan;
}

std::uint64_t Bits(double value) {
    return std::bit_cast<std::uint64_t>(value);
}

TEST(ValueScan, EveryLengthAndPlaceOfAnOddValueAgreesWithOneByOne) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // A value that falls, one that rises too far for a descending run,
    // NaN, and zeros of both signs, which the bounds keep in their order.
    const double odd[] = {-50, 90, nan, -0.0, 0.0};
    const TScanOrder orders[] = {TScanOrder::None, TScanOrder::Ascending,
                                 TScanOrder::Descending};
    int checked = 0;
    for (std::size_t count = 1; count <= 41; ++count) {
        for (TScanOrder order : orders) {
            const double step = order == TScanOrder::Descending ? -1 : 1;
            for (std::size_t at = 0; at <= count; ++at) {
                for (double special : odd) {
                    // A run in the order with one odd value (none when at
                    // is count), after a previous value and bounds that may
                    // be zero themselves.
                    std::vector<double> values(count);
                    for (std::size_t i = 0; i < count; ++i)
                        values[i] = step * double(i) * 0.5;
                    if (at < count)
                        values[at] = special;
                    for (double multiplier : {1.0, -2.0}) {
                        for (double bound : {0.0, -0.0, 3.0}) {
                            const double previous = -step;
                            const TAppendScan want = Reference(values, multiplier, -bound,
                                                               bound, previous, order);
                            std::vector<double> copy(count, 7.0);
                            const TAppendScan got =
                                ScanAppended(values.data(), count, multiplier, -bound, bound,
                                             previous, order, true, copy.data());
                            ASSERT_EQ(got.inOrder, want.inOrder)
                                << "count " << count << " at " << at << " odd " << special;
                            ASSERT_EQ(Bits(got.minimum), Bits(want.minimum))
                                << "count " << count << " at " << at << " odd " << special
                                << " multiplier " << multiplier << " bound " << bound;
                            ASSERT_EQ(Bits(got.maximum), Bits(want.maximum))
                                << "count " << count << " at " << at << " odd " << special
                                << " multiplier " << multiplier << " bound " << bound;
                            ASSERT_EQ(got.rises, want.rises)
                                << "count " << count << " at " << at << " odd " << special;
                            for (std::size_t i = 0; i < want.inOrder; ++i)
                                ASSERT_EQ(Bits(copy[i]), Bits(values[i])) << "copy " << i;
                            ++checked;
                        }
                    }
                }
            }
        }
    }
    EXPECT_GT(checked, 20000);
}

} // namespace
} // namespace pexor
