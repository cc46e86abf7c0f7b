#include "app/ReportReadings.h"

#include "app/InrNumber.h"
#include "app/ParseInteger.h"
#include "app/ReadingsTable.h"
#include "platform/LocaleSettings.h"

#include <algorithm>

namespace pexor {

namespace {

std::optional<TDateTime> DateOf(const QString &text) {
    TDateTime value = EmptyDate;
    if (!TryParseDate(Locale().ShortDateFormat, text.trimmed(), value) || value == EmptyDate ||
        !IsDateValueValid(value))
        return std::nullopt;
    return value;
}

} // namespace

std::vector<ReportReading> ReportReadingsOf(const ReadingsTable &table) {
    std::vector<ReportReading> readings;
    for (int row = ReadingsTable::kFirstReadingRow; row <= ReadingsTable::kLastReadingRow; ++row) {
        ReportReading reading;
        reading.DateText = table.Cells(ReadingsTable::kDateCol, row).trimmed();
        reading.TpText = table.Cells(ReadingsTable::kTpCol, row).trimmed();
        reading.InrText = table.Cells(ReadingsTable::kInrCol, row).trimmed();
        if (reading.DateText.isEmpty() && reading.TpText.isEmpty() && reading.InrText.isEmpty())
            continue;
        reading.Date = DateOf(reading.DateText);
        int tp = 0;
        if (TryParseInteger(reading.TpText, tp))
            reading.Tp = tp;
        reading.Inr = ParseInrNumber(reading.InrText);
        readings.push_back(reading);
    }
    // Undated rows go last, in row order.
    std::stable_sort(readings.begin(), readings.end(),
                     [](const ReportReading &a, const ReportReading &b) {
                         if (a.Date.has_value() != b.Date.has_value())
                             return a.Date.has_value();
                         return a.Date.has_value() && *a.Date < *b.Date;
                     });
    return readings;
}

std::vector<InrPoint> InrPointsOf(const std::vector<ReportReading> &readings) {
    std::vector<InrPoint> points;
    for (const ReportReading &reading : readings)
        if (reading.Date && reading.Inr)
            points.push_back({*reading.Date, *reading.Inr});
    return points;
}

} // namespace pexor
