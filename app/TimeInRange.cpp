#include "app/TimeInRange.h"

#include <algorithm>

namespace pexor {

namespace {

void SortByDate(std::vector<InrPoint> &points) {
    std::stable_sort(points.begin(), points.end(),
                     [](const InrPoint &p, const InrPoint &q) { return p.Date < q.Date; });
}

} // namespace

double InRangeFraction(double a, double b, double low, double high) {
    if (a == b)
        return a >= low && a <= high ? 1.0 : 0.0;
    const double from = std::min(a, b);
    const double to = std::max(a, b);
    const double inside = std::min(to, high) - std::max(from, low);
    return inside > 0.0 ? inside / (to - from) : 0.0;
}

std::optional<double> TimeInRange(std::vector<InrPoint> points, const InrTarget &target) {
    SortByDate(points);
    double days = 0.0;
    double daysInRange = 0.0;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const double span = points[i].Date - points[i - 1].Date;
        if (span <= 0.0)
            continue;
        days += span;
        daysInRange +=
            span * InRangeFraction(points[i - 1].Inr, points[i].Inr, target.Min, target.Max);
    }
    if (days <= 0.0)
        return std::nullopt;
    return daysInRange / days;
}

InrSummary SummariseInr(const std::vector<InrPoint> &points, const InrTarget &target) {
    InrSummary summary;
    summary.TimeInRange = TimeInRange(points, target);
    summary.Counted = int(points.size());
    summary.InRange = int(std::count_if(points.begin(), points.end(),
                                        [&](const InrPoint &p) { return target.Contains(p.Inr); }));
    if (!points.empty()) {
        std::vector<InrPoint> sorted = points;
        SortByDate(sorted);
        summary.Last = sorted.back();
    }
    return summary;
}

} // namespace pexor
