#include "controls/CalendarAccessible.h"

#include "controls/ControlsAccessible.h"
#include "controls/MonthCalendar.h"
#include "platform/AccessiblePart.h"
#include "platform/LocaleSettings.h"

namespace pexor {

namespace {

constexpr int kHeaderCount = CalendarAccessible::kColumns;

// A day cell (row 0 to 5) or a column header (row -1) of a month grid.
class CalendarCellAccessible : public AccessiblePart, public QAccessibleTableCellInterface {
public:
    CalendarCellAccessible(TMonthCalendar *grid, int row, int column)
        : AccessiblePart(grid), row_(row), column_(column) {}

    QString text(QAccessible::Text t) const override {
        if (!Grid())
            return {};
        if (t == QAccessible::Name) {
            if (Header())
                return WeekdayName();
            const int day = Day();
            return day == 0 ? QString() : FormatDate(QStringLiteral("DDDDDD"), Date());
        }
        if (t == QAccessible::Description && !Header() && Day() != 0 && Date() == Today())
            return QStringLiteral("aujourd'hui");
        return {};
    }

    QRect rect() const override {
        if (!Grid() || !Grid()->isVisible())
            return {};
        const QRect cell = Grid()->CellRect(column_, row_ + 1).ToQRect();
        return QRect(Grid()->mapToGlobal(cell.topLeft()), cell.size());
    }

    QAccessible::Role role() const override {
        return Header() ? QAccessible::ColumnHeader : QAccessible::Cell;
    }

    QAccessible::State state() const override {
        QAccessible::State state;
        if (!Grid())
            return state;
        state.invisible = !Grid()->isVisible();
        if (Header() || Day() == 0)
            return state;
        state.selectable = !Grid()->ReadOnly();
        state.focusable = true;
        state.selected = isSelected();
        state.focused = state.selected && CalendarHasKeys(*Grid());
        state.disabled = !Grid()->isEnabled();
        return state;
    }

    void *interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface *>(this);
        return nullptr;
    }

    bool isSelected() const override {
        return Grid() && !Header() && Grid()->Col() == column_ && Grid()->Row() == row_ + 1 &&
               Day() != 0;
    }
    QList<QAccessibleInterface *> columnHeaderCells() const override {
        auto *table = dynamic_cast<CalendarAccessible *>(parent());
        if (!table || Header())
            return {};
        return {table->child(column_)};
    }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override { return parent(); }

private:
    // Null once the grid is gone.
    TMonthCalendar *Grid() const { return static_cast<TMonthCalendar *>(Owner()); }
    bool Header() const { return row_ < 0; }
    int Day() const { return Grid()->DayNumber(column_, row_ + 1); }
    TDateTime Date() const { return MakeDate(Grid()->Year(), Grid()->Month(), Day()); }
    QString WeekdayName() const {
        const QStringList &names = Locale().LongDayNames;
        const int weekday = (int(Grid()->StartOfWeek()) + column_) % kHeaderCount;
        return weekday < names.size() ? names[weekday] : QString();
    }

    int row_;
    int column_;
};

} // namespace

bool CalendarHasKeys(const TMonthCalendar &grid) {
    return grid.hasFocus() || (grid.focusPolicy() == Qt::NoFocus && grid.isVisible());
}

CalendarAccessible::CalendarAccessible(TMonthCalendar *grid)
    : QAccessibleWidget(grid, QAccessible::Table) {}

CalendarAccessible::~CalendarAccessible() {
    for (unsigned id : ids_)
        if (id != 0)
            QAccessible::deleteAccessibleInterface(id);
}

TMonthCalendar *CalendarAccessible::Grid() const {
    return static_cast<TMonthCalendar *>(widget());
}

void *CalendarAccessible::interface_cast(QAccessible::InterfaceType t) {
    if (t == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface *>(this);
    return QAccessibleWidget::interface_cast(t);
}

QString CalendarAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
        return FormatDate(QStringLiteral("MMMM YYYY"), Grid()->CalendarDate());
    return QAccessibleWidget::text(t);
}

int CalendarAccessible::childCount() const {
    return int(ids_.size());
}

QAccessibleInterface *CalendarAccessible::Child(int index) const {
    if (index < 0 || index >= childCount())
        return nullptr;
    unsigned &id = ids_[std::size_t(index)];
    if (id == 0) {
        const int row = index / kColumns - 1;
        id = QAccessible::registerAccessibleInterface(
            new CalendarCellAccessible(Grid(), row, index % kColumns));
    }
    return QAccessible::accessibleInterface(id);
}

QAccessibleInterface *CalendarAccessible::child(int index) const {
    return Child(index);
}

int CalendarAccessible::indexOfChild(const QAccessibleInterface *child) const {
    if (!child)
        return -1;
    const unsigned id = QAccessible::uniqueId(const_cast<QAccessibleInterface *>(child));
    for (std::size_t i = 0; i < ids_.size(); ++i)
        if (ids_[i] == id)
            return int(i);
    return -1;
}

QAccessibleInterface *CalendarAccessible::childAt(int x, int y) const {
    int column = 0;
    int row = 0;
    if (!Grid()->MouseToCell(Grid()->mapFromGlobal(QPoint(x, y)), column, row))
        return nullptr;
    return Child(row * kColumns + column);
}

QAccessibleInterface *CalendarAccessible::focusChild() const {
    return CalendarHasKeys(*Grid()) ? SelectedCell() : nullptr;
}

QAccessibleInterface *CalendarAccessible::cellAt(int row, int column) const {
    if (row < 0 || row >= kRows || column < 0 || column >= kColumns)
        return nullptr;
    return Child(kHeaderCount + row * kColumns + column);
}

QAccessibleInterface *CalendarAccessible::SelectedCell() const {
    if (Grid()->DayNumber(Grid()->Col(), Grid()->Row()) == 0)
        return nullptr;
    return cellAt(Grid()->Row() - 1, Grid()->Col());
}

int CalendarAccessible::selectedCellCount() const {
    return SelectedCell() ? 1 : 0;
}

QList<QAccessibleInterface *> CalendarAccessible::selectedCells() const {
    if (QAccessibleInterface *cell = SelectedCell())
        return {cell};
    return {};
}

QString CalendarAccessible::columnDescription(int column) const {
    QAccessibleInterface *header = Child(column);
    return column >= 0 && column < kColumns && header ? header->text(QAccessible::Name) : QString();
}

void NotifyCalendarLayout(TMonthCalendar &grid, bool dayOnly) {
    if (!QAccessible::isActive())
        return;
    auto *table = dynamic_cast<CalendarAccessible *>(QAccessible::queryAccessibleInterface(&grid));
    if (!table)
        return;
    if (!dayOnly) {
        QAccessibleEvent named(&grid, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&named);
        for (int i = 0; i < table->childCount(); ++i)
            NotifyAccessible(table->child(i), QAccessible::NameChanged);
    }
    QAccessibleInterface *selected = table->SelectedCell();
    NotifyAccessible(selected, QAccessible::Selection);
    if (CalendarHasKeys(grid))
        NotifyAccessible(selected, QAccessible::Focus);
}

} // namespace pexor
