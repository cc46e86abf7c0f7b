#pragma once

#include "controls/BevelPanel.h"
#include "controls/GlyphButton.h"
#include "controls/MonthCalendar.h"
#include "controls/PopupWindow.h"
#include "controls/TitleLabel.h"

#include <QStringList>
#include <array>

namespace pexor {

// The drop-down calendar under a date field: a strip with the month title and
// four repeating buttons (previous year, previous month, next month, next
// year) above the month grid. A release on a day finishes the pick.
class TPopupCalendar : public TPopupWindow {
public:
    static constexpr int kWidth = 187;
    static constexpr int kHeight = 124;

    explicit TPopupCalendar(QWidget *owner);

    QVariant GetValue() const override;
    void SetValue(const QVariant &value) override;
    void SetColor(TColor value) override;
    void HandleKey(int key, Qt::KeyboardModifiers modifiers) override;
    void HandleChar(QChar ch) override;

    void ApplyCalendarSettings(TDayOfWeekName startOfWeek, TDaysOfWeek weekends,
                               bool fourDigitYear, const QStringList &hints,
                               TColor weekendColor);
    bool FourDigitYear() const { return fourDigitYear_; }
    // Whether the navigation buttons show their hints.
    void SetShowHint(bool value);

    TLocCalendar *Calendar() const { return calendar_; }
    TTitleLabel *Title() const { return title_; }
    // 0 previous year, 1 previous month, 2 next month, 3 next year; on the
    // back panel, over the strip's corners.
    TRepeatButton *NavButton(int index) const { return buttons_.at(std::size_t(index)); }
    TBevelPanel *BackPanel() const { return back_; }
    TBevelPanel *TopStrip() const { return strip_; }

private:
    void RefreshTitle();
    void DayClick(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint point);

    TBevelPanel *back_;
    TBevelPanel *strip_;
    TLocCalendar *calendar_;
    TTitleLabel *title_;
    std::array<TRepeatButton *, 4> buttons_{};
    bool fourDigitYear_ = true;
};

// A drop-down calendar owned by the field, scaled for the screen's
// resolution when it is not 96 pixels per inch.
TPopupCalendar *CreateCalendarPopup(QWidget *owner, Qt::LayoutDirection direction);

// The font the drop-down and the date dialog are drawn with.
QFont CalendarMessageFont();

} // namespace pexor
