#pragma once

#include "app/TimeInRange.h"
#include "platform/DateUtil.h"

#include <QString>
#include <optional>
#include <vector>

namespace pexor {

class ReadingsTable;

// One row of the readings as the report shows it: the texts as written, and
// what of them reads as a date, a TP and an INR.
struct ReportReading {
    QString DateText;
    QString TpText;
    QString InrText;
    std::optional<TDateTime> Date;
    std::optional<int> Tp;
    std::optional<double> Inr;
};

// The rows that hold anything: those with a valid date (in the short date
// format of the settings in force) in date order, those of the same day in
// row order; then the others, in row order.
std::vector<ReportReading> ReportReadingsOf(const ReadingsTable &table);

// The dated readings with a numeric INR, in the given order.
std::vector<InrPoint> InrPointsOf(const std::vector<ReportReading> &readings);

} // namespace pexor
