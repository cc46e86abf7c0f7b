#include "controls/DateEdit.h"

#include "controls/CalendarTexts.h"
#include "controls/DateGlyph.h"
#include "controls/PopupCalendar.h"
#include "controls/SelectDateDlg.h"
#include "platform/Exceptions.h"
#include "platform/LocaleSettings.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <algorithm>
#include <cmath>

namespace pexor {

namespace {

bool IsQtMaskMeta(QChar c) {
    static const QString meta = QStringLiteral("AaNnXx90Dd#HhBb><![]{}\\;");
    return meta.contains(c);
}

void AppendLiteral(QString &out, QChar c) {
    if (IsQtMaskMeta(c))
        out += u'\\';
    out += c;
}

// Restores a flag when the scope ends, also when an exception leaves it.
class FlagScope {
public:
    explicit FlagScope(bool &flag) : flag_(flag), saved_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = saved_; }
    FlagScope(const FlagScope &) = delete;
    FlagScope &operator=(const FlagScope &) = delete;

private:
    bool &flag_;
    bool saved_;
};

bool IsKeypad(const QKeyEvent *event, int key) {
    return event->key() == key && event->modifiers().testFlag(Qt::KeypadModifier);
}

bool NoShiftCtrlAlt(const QKeyEvent *event) {
    return (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier |
                                  Qt::MetaModifier)) == Qt::NoModifier;
}

} // namespace

QString ToQtInputMask(const QString &mask, QChar dateSeparator) {
    const qsizetype first = mask.indexOf(u';');
    const QString body = first < 0 ? mask : mask.left(first);
    QChar blank = u' ';
    if (first >= 0) {
        const qsizetype second = mask.indexOf(u';', first + 1);
        if (second >= 0 && second + 1 < mask.size())
            blank = mask[second + 1];
    }
    QString out;
    for (const QChar c : body) {
        if (c == u'!')
            continue;
        if (c == u'9')
            out += u'0';
        else if (c == u'/')
            AppendLiteral(out, dateSeparator);
        else
            AppendLiteral(out, c);
    }
    out += u';';
    out += blank;
    return out;
}

TCustomDateEdit::TCustomDateEdit(QWidget *parent)
    : TCustomComboEdit(parent), dialogTitle_(DefaultDialogTitle()) {
    SetDefaultNumGlyphs(2);
    SetCreating(true);
    format_ = FieldDateFormat(FourDigitYear());
    CreatePopup();
    SetGlyphKind(TGlyphKind::gkDefault);
    SetCreating(false);
}

bool TCustomDateEdit::FourDigitYear() const {
    return yearDigits_ == TYearDigits::dyFour ||
           (yearDigits_ == TYearDigits::dyDefault && LocaleFourDigitYear());
}

TDateTime TCustomDateEdit::Date() const {
    return ParseDateOr(format_, FieldText(), defaultToday_ ? Today() : EmptyDate);
}

void TCustomDateEdit::SetDate(TDateTime value) {
    OriginScope origin(this, TChangeOrigin::Program);
    WriteDate(value);
}

void TCustomDateEdit::SetBlanksChar(QChar value) {
    if (value.unicode() < 32)
        value = u' ';
    if (blanksChar_ == value)
        return;
    blanksChar_ = value;
    RefreshFormat();
}

void TCustomDateEdit::SetPopupColor(TColor value) {
    popupColor_ = value;
    if (Popup() != nullptr)
        Popup()->SetColor(value);
}

void TCustomDateEdit::SetStartOfWeek(TDayOfWeekName value) {
    startOfWeek_ = value;
    ApplyCalendarSettings();
}

void TCustomDateEdit::SetWeekends(TDaysOfWeek value) {
    weekends_ = value;
    ApplyCalendarSettings();
}

void TCustomDateEdit::SetWeekendColor(TColor value) {
    weekendColor_ = value;
    ApplyCalendarSettings();
}

void TCustomDateEdit::SetYearDigits(TYearDigits value) {
    if (yearDigits_ == value)
        return;
    yearDigits_ = value;
    RefreshFormat();
}

void TCustomDateEdit::SetCalendarHints(const QStringList &value) {
    calendarHints_ = value;
    while (calendarHints_.size() > 4)
        calendarHints_.removeLast();
    ApplyCalendarSettings();
}

void TCustomDateEdit::SetCalendarStyle(TCalendarStyle value) {
    if (calendarStyle_ == value)
        return;
    calendarStyle_ = value;
    if (value == TCalendarStyle::csDialog)
        SetPopup(nullptr);
    else
        CreatePopup();
}

void TCustomDateEdit::CreatePopup() {
    TPopupCalendar *popup = CreateCalendarPopup(this, layoutDirection());
    SetPopup(popup);
    popup->SetColor(popupColor_);
    popup->SetShowHint(ShowHint());
    ApplyCalendarSettings();
}

void TCustomDateEdit::ApplyCalendarSettings() {
    if (auto *popup = dynamic_cast<TPopupCalendar *>(Popup()))
        popup->ApplyCalendarSettings(startOfWeek_, weekends_, FourDigitYear(), calendarHints_,
                                     weekendColor_);
}

bool TCustomDateEdit::HasCompleteDate() const {
    const QString text = FieldText();
    TDateTime value = EmptyDate;
    return !text.contains(blanksChar_) && TryParseDate(format_, text, value) &&
           value != EmptyDate;
}

TDateTime TCustomDateEdit::CompleteDate() const {
    if (!HasCompleteDate())
        throw BadDateError(FieldText());
    return Date();
}

void TCustomDateEdit::WriteDate(TDateTime value) {
    if (!IsDateValueValid(value) || value == EmptyDate)
        value = defaultToday_ ? Today() : EmptyDate;
    const TDateTime before = Date();
    SetFieldText(value != EmptyDate ? FormatDate(format_, value) : QString());
    setModified(Date() != before);
}

void TCustomDateEdit::ApplyDateValue(TDateTime value) {
    WriteDate(value);
    if (DirectInput())
        selectAll();
}

void TCustomDateEdit::RefreshFormat() {
    OriginScope origin(this, TChangeOrigin::Program);
    const TDateTime date = Date();
    const QString before = FieldText();
    const QString oldFormat = format_;
    format_ = FieldDateFormat(FourDigitYear());
    SuppressChange(1);
    try {
        const QString mask = FieldDateMask(blanksChar_, FourDigitYear());
        const QString qtMask = ToQtInputMask(mask, Locale().DateSeparator);
        if (mask != editMask_ || format_ != oldFormat || qtMask != inputMask()) {
            setInputMask(QString());
            editMask_ = mask;
            setInputMask(qtMask);
        }
        ApplyCalendarSettings();
        WriteDate(date);
    } catch (...) {
        SuppressChange(-1);
        throw;
    }
    SuppressChange(-1);
    // One notification for the whole refresh, when the text changed.
    if (FieldText() != before)
        Change();
}

void TCustomDateEdit::CheckDateText() {
    const QString text = FieldText();
    const QChar separator = Locale().DateSeparator;
    const bool meaningful = std::any_of(text.begin(), text.end(), [&](QChar c) {
        return c != u' ' && c != blanksChar_ && c != separator && c != QChar(0);
    });
    if (!meaningful)
        return;
    try {
        const TDateTime value = ParseDate(format_, text);
        FlagScope formatting(formatting_);
        WriteDate(value);
    } catch (const Exception &) {
        if (CanTakeFocus())
            setFocus(Qt::OtherFocusReason);
        throw;
    }
}

QImage TCustomDateEdit::GetDefaultGlyph() const { return DefaultDateGlyph(); }

TDateTime TCustomDateEdit::VariantToDate(const QVariant &value) const {
    if (!value.isValid() || value.isNull())
        return EmptyDate;
    if (value.typeId() == QMetaType::Double)
        return value.toDouble();
    const QString text = value.toString();
    if (text.isEmpty())
        return EmptyDate;
    try {
        return ParseDate(Locale().ShortDateFormat, text);
    } catch (const Exception &) {
        return defaultToday_ ? Today() : EmptyDate;
    }
}

bool TCustomDateEdit::AcceptPick(QVariant &value) {
    if (!OnAcceptDate)
        return true;
    TDateTime date = VariantToDate(value);
    bool accept = true;
    OnAcceptDate(this, date, accept);
    if (accept)
        value = QVariant(date);
    return accept;
}

void TCustomDateEdit::ApplyPickedValue(const QVariant &value) {
    OriginScope origin(this, TChangeOrigin::Pick);
    WriteDate(VariantToDate(value));
    SetCalendarVisibleFromPopup();
    if (isModified())
        Change();
}

void TCustomDateEdit::SetCalendarValue(const QVariant &value) {
    if (Popup() != nullptr)
        Popup()->SetValue(QVariant(ParseDateOr(format_, value.toString(), Today())));
}

void TCustomDateEdit::Change() {
    if (formatting_)
        return;
    TCustomComboEdit::Change();
}

void TCustomDateEdit::AfterButtonActivate() {
    if (calendarStyle_ != TCalendarStyle::csDialog)
        return;
    TDateTime date = Date();
    const bool ok = RunDateDialog(date, dialogTitle_, startOfWeek_, weekends_, weekendColor_,
                                  calendarHints_);
    if (CanTakeFocus())
        setFocus(Qt::OtherFocusReason);
    if (!ok)
        return;
    bool accept = true;
    if (OnAcceptDate)
        OnAcceptDate(this, date, accept);
    if (!accept)
        return;
    OriginScope origin(this, TChangeOrigin::Pick);
    WriteDate(date);
    if (hasFocus())
        selectAll();
}

void TCustomDateEdit::WindowCreated() {
    RefreshFormat();
    TCustomComboEdit::WindowCreated();
}

void TCustomDateEdit::SettingsChanged() { RefreshFormat(); }

bool TCustomDateEdit::HandleKeyDown(QKeyEvent *event) {
    const int key = event->key();
    const bool numPlus = IsKeypad(event, Qt::Key_Plus);
    const bool numMinus = IsKeypad(event, Qt::Key_Minus);
    const bool steering = key == Qt::Key_PageUp || key == Qt::Key_PageDown ||
                          key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up ||
                          key == Qt::Key_Down || numPlus || numMinus;
    // The click key (Alt+Down) closes the calendar rather than steering it.
    const bool clickKey =
        key == ClickKey().key() &&
        (event->modifiers() & ~Qt::KeyboardModifiers(Qt::KeypadModifier)) ==
            ClickKey().keyboardModifiers();
    if (CalendarVisible() && steering && !clickKey) {
        Popup()->HandleKey(key, event->modifiers());
        return true;
    }
    if (!CalendarVisible() && (numPlus || numMinus) && NoShiftCtrlAlt(event) && DirectInput()) {
        OriginScope origin(this, TChangeOrigin::Step);
        ApplyDateValue(DateOr(Date(), Now()) + (numPlus ? 1 : -1));
        return true;
    }
    return TCustomComboEdit::HandleKeyDown(event);
}

bool TCustomDateEdit::HandleKeyChar(QKeyEvent *event) {
    const QString text = event->text();
    if (text.size() == 1) {
        const QChar ch = text[0];
        const bool today = ch == u'T' || ch == u't';
        const bool sign = ch == u'+' || ch == u'-';
        if (CalendarVisible() && (today || sign)) {
            Popup()->HandleChar(ch);
            return true;
        }
        if (DirectInput()) {
            if (sign)
                return true;
            if (today) {
                OriginScope origin(this, TChangeOrigin::Today);
                ApplyDateValue(std::trunc(Now()));
                return true;
            }
        }
    }
    return TCustomComboEdit::HandleKeyChar(event);
}

void TCustomDateEdit::focusOutEvent(QFocusEvent *event) {
    TCustomComboEdit::focusOutEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (checkOnExit_ && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
        CheckDateText();
}

TDateEdit::TDateEdit(QWidget *parent) : TCustomDateEdit(parent) { RefreshFormat(); }

} // namespace pexor
