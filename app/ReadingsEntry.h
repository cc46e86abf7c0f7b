#pragma once

#include "app/ReadingsTable.h"
#include "platform/DateUtil.h"
#include "render/Color.h"

#include <QString>

namespace pexor {

class TChartSeries;

// Colour of every point of the TP curve.
inline constexpr TColor kReadingPointColor = clBlue;

// What the window does with its entry fields after a commit.
struct EntryOutcome {
    // True: edLigne takes NextLine, edTP and edINR are emptied and the focus
    // goes to edTP. False: fields and focus stay as they are.
    bool FieldsCleared = false;
    QString NextLine;
};

// The readings' own logic, free of widgets: the commit of one reading, the
// clearing of all readings and the rebuild of the TP curve, on the table and
// the curve's series the window owns. The window's handlers keep their
// inherited names and call these: DateEdit1Change commits, tlbNouveauClick
// clears and FormCreate rebuilds.
class ReadingsEntry {
public:
    ReadingsEntry(ReadingsTable &table, TChartSeries &series) : table_(table), series_(series) {}

    // Commits the reading typed into edLigne, edTP, edINR with the date of
    // DateEdit1. Refused before anything is written: a row text that is not
    // a whole number (EConvertError), a row outside 1..10 (EListError), a TP
    // text neither empty nor a whole number (EConvertError). Otherwise the
    // date text, TP and INR go into the row and the curve is rebuilt; an
    // empty TP leaves the fields alone. A bad TP stored in another row stops
    // that rebuild with its conversion error, the row being written already.
    EntryOutcome CommitReading(const QString &lineText, const QString &tpText,
                               const QString &inrText, TDateTime date);

    // Empties every reading cell, column by column, keeps the header and
    // rebuilds the (now empty) curve.
    void ClearReadings();

    // Rebuilds the curve from the rows whose TP is not empty, in row order,
    // with no gaps; a TP that is not a whole number stops it at its row with
    // the conversion error, the earlier points staying.
    void RebuildCurve();

private:
    ReadingsTable &table_;
    TChartSeries &series_;
};

} // namespace pexor
