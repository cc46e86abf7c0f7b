#include "app/ReadingsTable.h"

#include "platform/Exceptions.h"

namespace pexor {

void ThrowListIndexError(int index) {
    throw EListError(QStringLiteral("Index de liste hors limites (%1)").arg(index));
}

void ReadingsTable::CheckIndex(int col, int row) {
    if (col < 0 || col >= kColCount)
        ThrowListIndexError(col);
    if (row < 0 || row >= kRowCount)
        ThrowListIndexError(row);
}

const QString &ReadingsTable::Cells(int col, int row) const {
    CheckIndex(col, row);
    return cells_[std::size_t(col)][std::size_t(row)];
}

void ReadingsTable::SetCells(int col, int row, const QString &text) {
    CheckIndex(col, row);
    QString &cell = cells_[std::size_t(col)][std::size_t(row)];
    if (cell == text)
        return;
    cell = text;
    if (OnChange)
        OnChange(*this, col, row);
}

void ReadingsTable::SetHeader() {
    SetCells(kDateCol, 0, QStringLiteral("DATE"));
    SetCells(kTpCol, 0, QStringLiteral("TP"));
    SetCells(kInrCol, 0, QStringLiteral("INR"));
}

} // namespace pexor
