#include "controls/CalendarAccessible.h"

#include "controls/ControlsAccessible.h"
#include "controls/MonthCalendar.h"
#include "platform/LocaleSettings.h"

#include <QPointer>
#include <QWindow>

namespace pexor {

namespace {

constexpr int kHeaderCount = CalendarAccessible::kColumns;

void Tell(QAccessibleInterface *iface, QAccessible::Event type) {
    if (!iface)
        return;
    QAccessibleEvent event(iface, type);
    QAccessible::updateAccessibility(&event);
}

// A day cell (row 0 to 5) or a column header (row -1) of a month grid.
class CalendarCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    CalendarCellAccessible(TMonthCalendar *grid, int row, int column)
        : grid_(grid), row_(row), column_(column) {}

    bool isValid() const override { return !grid_.isNull(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override {
        return grid_ && grid_->window() ? grid_->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface *parent() const override {
        return grid_ ? QAccessible::queryAccessibleInterface(grid_.data()) : nullptr;
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString &) override {}

    QString text(QAccessible::Text t) const override {
        if (!grid_)
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
        if (!grid_ || !grid_->isVisible())
            return {};
        const QRect cell = grid_->CellRect(column_, row_ + 1).ToQRect();
        return QRect(grid_->mapToGlobal(cell.topLeft()), cell.size());
    }

    QAccessible::Role role() const override {
        return Header() ? QAccessible::ColumnHeader : QAccessible::Cell;
    }

    QAccessible::State state() const override {
        QAccessible::State state;
        if (!grid_)
            return state;
        state.invisible = !grid_->isVisible();
        if (Header() || Day() == 0)
            return state;
        state.selectable = !grid_->ReadOnly();
        state.focusable = true;
        state.selected = isSelected();
        state.focused = state.selected && CalendarHasKeys(*grid_);
        state.disabled = !grid_->isEnabled();
        return state;
    }

    void *interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface *>(this);
        return nullptr;
    }

    bool isSelected() const override {
        return grid_ && !Header() && grid_->Col() == column_ && grid_->Row() == row_ + 1 &&
               Day() != 0;
    }
    QList<QAccessibleInterface *> columnHeaderCells() const override {
        auto *table = static_cast<CalendarAccessible *>(parent());
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
    bool Header() const { return row_ < 0; }
    int Day() const { return grid_->DayNumber(column_, row_ + 1); }
    TDateTime Date() const { return MakeDate(grid_->Year(), grid_->Month(), Day()); }
    QString WeekdayName() const {
        const QStringList &names = Locale().LongDayNames;
        const int weekday = (int(grid_->StartOfWeek()) + column_) % kHeaderCount;
        return weekday < names.size() ? names[weekday] : QString();
    }

    QPointer<TMonthCalendar> grid_;
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
            Tell(table->child(i), QAccessible::NameChanged);
    }
    QAccessibleInterface *selected = table->SelectedCell();
    Tell(selected, QAccessible::Selection);
    if (CalendarHasKeys(grid))
        Tell(selected, QAccessible::Focus);
}

} // namespace pexor
