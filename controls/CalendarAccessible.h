#pragma once

#include <QAccessibleWidget>
#include <array>

namespace pexor {

class TMonthCalendar;

// A month grid reads as a table named by its month ("décembre 2026"): six
// rows of seven days under column headers named by the weekdays. Each cell
// is named by its whole date ("mardi 8 décembre 2026"), is selected when it
// is the grid's day and says "aujourd'hui" when it is today; cells outside
// the month are empty. A drop-down's grid never takes the keyboard focus,
// so its selected cell counts as focused while it shows.
class CalendarAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    static constexpr int kRows = 6;
    static constexpr int kColumns = 7;

    explicit CalendarAccessible(TMonthCalendar *grid);
    ~CalendarAccessible() override;

    void *interface_cast(QAccessible::InterfaceType t) override;
    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *focusChild() const override;

    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface *> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return kColumns; }
    int rowCount() const override { return kRows; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *) override {}

    // The selected day's cell, if the grid's day shows.
    QAccessibleInterface *SelectedCell() const;

private:
    TMonthCalendar *Grid() const;
    // Children: the seven column headers, then the cells row by row.
    QAccessibleInterface *Child(int index) const;

    mutable std::array<unsigned, kColumns *(kRows + 1)> ids_{};
};

// Whether the grid's selected day stands for the keyboard: the grid has the
// focus, or it never takes it and shows in a drop-down.
bool CalendarHasKeys(const TMonthCalendar &grid);

} // namespace pexor
