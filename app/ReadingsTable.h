#pragma once

#include <QString>
#include <array>
#include <functional>

namespace pexor {

// The readings as text: 3 columns (date, TP, INR) by 11 rows, row 0 the
// header, reading n in row n. Nothing here checks what a cell holds.
class ReadingsTable {
public:
    static constexpr int kColCount = 3;
    static constexpr int kRowCount = 11;
    static constexpr int kFirstReadingRow = 1;
    static constexpr int kLastReadingRow = 10;

    static constexpr int kDateCol = 0;
    static constexpr int kTpCol = 1;
    static constexpr int kInrCol = 2;

    // Throws EListError "Index de liste hors limites (%d)" with the column or
    // row that lies outside the table.
    const QString &Cells(int col, int row) const;
    void SetCells(int col, int row, const QString &text);

    // "DATE", "TP", "INR" into row 0, in that order.
    void SetHeader();

    static bool IsReadingRow(int row) { return row >= kFirstReadingRow && row <= kLastReadingRow; }

    // A cell's text changed (sender, column, row); the grid on the window
    // follows the table through it.
    std::function<void(ReadingsTable &, int, int)> OnChange;

private:
    static void CheckIndex(int col, int row);

    std::array<std::array<QString, kRowCount>, kColCount> cells_;
};

// The error of an index outside a list.
[[noreturn]] void ThrowListIndexError(int index);

} // namespace pexor
