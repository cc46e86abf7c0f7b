#include "app/ReadingsEntry.h"

#include "app/ParseInteger.h"
#include "chart/series/ChartSeries.h"

namespace pexor {

EntryOutcome ReadingsEntry::CommitReading(const QString &lineText, const QString &tpText,
                                          const QString &inrText, TDateTime date) {
    const int row = ParseInteger(lineText);
    // Row 0 is the header and rows past 10 are neither shown nor saved.
    if (!ReadingsTable::IsReadingRow(row))
        ThrowListIndexError(row);
    // A bad TP must not reach the table, the file, and every later rebuild.
    if (!tpText.isEmpty())
        ParseInteger(tpText);

    table_.SetCells(ReadingsTable::kDateCol, row, DateText(date));
    table_.SetCells(ReadingsTable::kTpCol, row, tpText);
    table_.SetCells(ReadingsTable::kInrCol, row, inrText);
    // Rebuilt rather than appended to, so an overwritten row keeps one point
    // and an erased TP loses its point.
    RebuildCurve();

    EntryOutcome outcome;
    if (tpText.isEmpty())
        return outcome;
    outcome.FieldsCleared = true;
    outcome.NextLine = QString::number(row + 1);
    return outcome;
}

void ReadingsEntry::ClearReadings() {
    for (int col = 0; col < ReadingsTable::kColCount; ++col)
        for (int row = ReadingsTable::kFirstReadingRow; row <= ReadingsTable::kLastReadingRow;
             ++row)
            table_.SetCells(col, row, QString());
    RebuildCurve();
}

void ReadingsEntry::RebuildCurve() {
    series_.Clear();
    for (int row = ReadingsTable::kFirstReadingRow; row <= ReadingsTable::kLastReadingRow; ++row) {
        const QString tp = table_.Cells(ReadingsTable::kTpCol, row);
        if (tp.isEmpty())
            continue;
        const int value = ParseInteger(tp);
        series_.Add(double(value), table_.Cells(ReadingsTable::kDateCol, row), kReadingPointColor);
    }
}

} // namespace pexor
