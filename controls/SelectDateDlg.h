#pragma once

#include "controls/BevelPanel.h"
#include "controls/GlyphButton.h"
#include "controls/MonthCalendar.h"
#include "controls/TitleLabel.h"

#include <QDialog>
#include <QStringList>
#include <array>

class QPushButton;

namespace pexor {

// The modal date dialog a date field opens instead of its drop-down: a
// title strip with four repeating buttons, the month grid, "OK" and
// "Annuler". Tab and Shift+Tab step the month, Page Up/Down the month (the
// year with Ctrl), Enter is OK and Esc cancels.
class TSelectDateDlg : public QDialog {
public:
    explicit TSelectDateDlg(QWidget *owner = nullptr);

    TDateTime Date() const { return calendar_->CalendarDate(); }
    // EmptyDate or a value that is no date leaves today.
    void SetDate(TDateTime value);
    void ApplySettings(TDayOfWeekName startOfWeek, TDaysOfWeek weekends, TColor weekendColor,
                       const QStringList &hints);

    TMonthCalendar *Calendar() const { return calendar_; }
    TTitleLabel *Title() const { return title_; }
    TRepeatButton *NavButton(int index) const { return buttons_.at(std::size_t(index)); }
    QPushButton *OkButton() const { return ok_; }
    QPushButton *CancelButton() const { return cancel_; }
    TBevelPanel *TopPanel() const { return top_; }
    TBevelPanel *MiddlePanel() const { return middle_; }
    TBevelPanel *BottomPanel() const { return bottom_; }

    // The form's own keys, seen before the focused control.
    bool HandleFormKey(int key, Qt::KeyboardModifiers modifiers);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void RefreshTitle();

    TBevelPanel *top_;
    TBevelPanel *middle_;
    TBevelPanel *bottom_;
    TMonthCalendar *calendar_;
    TTitleLabel *title_;
    std::array<TRepeatButton *, 4> buttons_{};
    QPushButton *ok_;
    QPushButton *cancel_;
};

// Runs the dialog on date; true with the picked date on OK.
bool RunDateDialog(TDateTime &date, const QString &title, TDayOfWeekName startOfWeek,
                   TDaysOfWeek weekends, TColor weekendColor, const QStringList &hints);

} // namespace pexor
