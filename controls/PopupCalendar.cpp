#include "controls/PopupCalendar.h"

#include "controls/CalendarTexts.h"
#include "controls/ControlScaling.h"
#include "controls/NavGlyphs.h"
#include "platform/Exceptions.h"
#include "platform/LocaleSettings.h"
#include "render/QtFont.h"

#include <cmath>

namespace pexor {

namespace {

constexpr int kStripHeight = 18;
constexpr int kButtonSize = 14;

} // namespace

QFont CalendarMessageFont() {
    // The grid's rows and columns and the title strip are made for the
    // original platform's 8-point message font and its widths.
    QFont font(kLayoutFontFamily);
    font.setPointSize(8);
    return font;
}

TPopupCalendar::TPopupCalendar(QWidget *owner) : TPopupWindow(owner) {
    setAccessibleName(CalendarName());
    resize(std::max(kWidth, 180), std::max(kHeight, 120));
    setFont(CalendarMessageFont());

    const TRect client = ClientRect();
    back_ = new TBevelPanel(this);
    back_->setGeometry(client.ToQRect());

    const TRect inner = back_->ClientRect();
    const int stripWidth = width() - 4;
    strip_ = new TBevelPanel(back_);
    strip_->SetBevelOuter(TPanelBevel::bvNone);
    strip_->setGeometry(inner.Left, inner.Top, stripWidth, kStripHeight);

    calendar_ = new TLocCalendar(back_);
    calendar_->setGeometry(inner.Left, inner.Top + kStripHeight, inner.Width(),
                           inner.Height() - kStripHeight);
    calendar_->OnChange = [this](TMonthCalendar *) { RefreshTitle(); };
    calendar_->OnMouseUp = [this](TMonthCalendar *, Qt::MouseButton button,
                                  Qt::KeyboardModifiers modifiers,
                                  QPoint point) { DayClick(button, modifiers, point); };

    // Placed on the strip's corners, one pixel over its top and outer edges:
    // held by the back panel rather than the strip, made after it and the
    // grid so they lie above both, they show whole, frames included, over
    // the panel's bevel.
    const int w = stripWidth;
    const int x = strip_->x();
    buttons_ = CreateNavButtons(back_, {x - 1, x + 12, x + w - 26, x + w - 13}, strip_->y() - 1,
                                kButtonSize, *calendar_);

    title_ = new TTitleLabel(strip_);
    title_->setGeometry(29, 1, w - 58, 14);
    title_->OnDblClick = [this](TTitleLabel *) { calendar_->SetCalendarDate(std::trunc(Now())); };

    SetColor(clBtnFace);
    RefreshTitle();
}

void TPopupCalendar::SetColor(TColor value) {
    TPopupWindow::SetColor(value);
    // Panels and grid take the drop-down's colour.
    back_->SetColor(value);
    strip_->SetColor(value);
    calendar_->SetColor(value);
    calendar_->SetFixedColor(value);
}

QVariant TPopupCalendar::GetValue() const { return QVariant(calendar_->CalendarDate()); }

void TPopupCalendar::SetValue(const QVariant &value) {
    TDateTime date = Today();
    if (value.isValid() && !value.isNull()) {
        if (value.typeId() == QMetaType::Double) {
            const TDateTime given = value.toDouble();
            if (IsDateValueValid(given) && given != EmptyDate)
                date = given;
        } else {
            QString text = value.toString();
            text.remove(Locale().DateSeparator);
            if (!text.trimmed().isEmpty()) {
                try {
                    date = ParseDate(Locale().ShortDateFormat, value.toString());
                } catch (const Exception &) {
                    date = Today();
                }
            }
        }
    }
    calendar_->SetCalendarDate(date);
    RefreshTitle();
}

void TPopupCalendar::HandleKey(int key, Qt::KeyboardModifiers modifiers) {
    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
    if (key == Qt::Key_PageDown) {
        ctrl ? calendar_->NextYear() : calendar_->NextMonth();
    } else if (key == Qt::Key_PageUp) {
        ctrl ? calendar_->PrevYear() : calendar_->PrevMonth();
    } else {
        calendar_->HandleKey(key, modifiers);
    }
}

void TPopupCalendar::HandleChar(QChar ch) { calendar_->HandleChar(ch); }

void TPopupCalendar::ApplyCalendarSettings(TDayOfWeekName startOfWeek, TDaysOfWeek weekends,
                                           bool fourDigitYear, const QStringList &hints,
                                           TColor weekendColor) {
    fourDigitYear_ = fourDigitYear;
    calendar_->SetStartOfWeek(startOfWeek);
    calendar_->SetWeekendColor(weekendColor);
    calendar_->SetWeekends(weekends);
    ApplyNavHints(buttons_, hints);
}

void TPopupCalendar::SetShowHint(bool value) {
    for (TRepeatButton *button : buttons_)
        button->SetShowHint(value);
}

void TPopupCalendar::RefreshTitle() {
    title_->setText(FormatDate(CalendarTitleFormat(), calendar_->CalendarDate()));
}

void TPopupCalendar::DayClick(Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                              QPoint point) {
    const Qt::KeyboardModifiers keys = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
    if (button != Qt::LeftButton || (modifiers & keys) != Qt::NoModifier)
        return;
    int col = 0;
    int row = 0;
    if (calendar_->MouseToCell(point, col, row) && row > 0 && calendar_->DayNumber(col, row) != 0)
        Finish(true);
}

TPopupCalendar *CreateCalendarPopup(QWidget *owner, Qt::LayoutDirection direction) {
    auto *popup = new TPopupCalendar(owner);
    const int ppi = ScreenPixelsPerInch(owner);
    if (ppi != 96) {
        popup->ScaleBy(ppi, 96);
        popup->Calendar()->setFont(popup->font());
        popup->setFont(CalendarMessageFont());
    }
    popup->setLayoutDirection(direction);
    return popup;
}

} // namespace pexor
