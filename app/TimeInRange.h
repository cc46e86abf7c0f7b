#pragma once

#include "app/InrTarget.h"
#include "platform/DateUtil.h"

#include <optional>
#include <vector>

namespace pexor {

// One INR that counts in the figures: a valid date and a number.
struct InrPoint {
    TDateTime Date = 0.0;
    double Inr = 0.0;
    bool operator==(const InrPoint &) const = default;
};

// The share of the time from a to b (0 to 1) that a straight line from INR a
// to INR b spends inside [low, high], ends included.
double InRangeFraction(double a, double b, double low, double high);

// The time in the therapeutic range by the Rosendaal method (1993): the INR
// goes in a straight line from one reading to the next, and each day between
// them counts for the share of it that line spends in the target. The
// points are put in date order first; readings of the same day keep their
// given order, so the interval between them has no length and counts for
// nothing, and the last of them starts the next interval. A share from 0 to
// 1; none when the points span no time (fewer than two dates).
std::optional<double> TimeInRange(std::vector<InrPoint> points, const InrTarget &target);

// What the report says of the INR.
struct InrSummary {
    std::optional<double> TimeInRange;
    int Counted = 0;
    int InRange = 0;
    // The latest reading: the last date, and of that day the last given.
    std::optional<InrPoint> Last;
};

InrSummary SummariseInr(const std::vector<InrPoint> &points, const InrTarget &target);

} // namespace pexor
