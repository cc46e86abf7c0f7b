#include "controls/ComboEdit.h"

#include "controls/DateGlyph.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QProxyStyle>
#include <QScreen>
#include <QStyleFactory>
#include <algorithm>

namespace pexor {

namespace {

constexpr int kEditFrame = 2;    // a 3D single border
constexpr int kSystemBorder = 1; // the thin border of the old system metrics

// The caret is one pixel wide, two with a bold font.
class CaretStyle : public QProxyStyle {
public:
    explicit CaretStyle(QStyle *base) : QProxyStyle(base) {}
    int pixelMetric(PixelMetric metric, const QStyleOption *option,
                    const QWidget *widget) const override {
        if (metric == PM_TextCursorWidth)
            return widget != nullptr && widget->font().bold() ? 2 : 1;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

QStyle *SharedCaretStyle() {
    static QPointer<QStyle> style;
    if (style.isNull()) {
        QStyle *base = QStyleFactory::create(QApplication::style()->name());
        style = new CaretStyle(base);
        style->setParent(qApp);
    }
    return style;
}

bool IsKey(const QKeyEvent *event, QKeyCombination combination) {
    const Qt::KeyboardModifiers mods =
        event->modifiers() & ~Qt::KeyboardModifiers(Qt::KeypadModifier);
    return event->key() == combination.key() && mods == combination.keyboardModifiers();
}

} // namespace

TEditButton::TEditButton(TCustomComboEdit *field, QWidget *parent)
    : TGlyphButton(parent), field_(field) {
    setObjectName(QStringLiteral("Button"));
}

void TEditButton::Click() {
    if (noAction_) {
        noAction_ = false;
        return;
    }
    TGlyphButton::Click();
}

void TEditButton::PaintFace(Canvas &canvas) {
    TGlyphButton::PaintFace(canvas);
    if (IsPressed())
        return;
    PenScope pen(canvas);
    canvas.SetPen(TPen(clBtnFace));
    canvas.MoveTo(0, 0);
    canvas.LineTo(0, height() - 1);
    canvas.SetPen(TPen(clBtnHighlight));
    canvas.MoveTo(1, 1);
    canvas.LineTo(1, height() - 2);
}

void TEditButton::mousePressEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton) {
        noAction_ = field_->Popup() != nullptr && field_->CalendarVisible();
        if (noAction_) {
            field_->CloseCalendar(true);
        } else if ((field_->focusPolicy() & Qt::TabFocus) && field_->isEnabled() &&
                   field_->isVisible() && !field_->hasFocus()) {
            field_->setFocus(Qt::MouseFocusReason);
        }
    }
    TGlyphButton::mousePressEvent(event);
}

TCustomComboEdit::OriginScope::OriginScope(TCustomComboEdit *field, TChangeOrigin origin)
    : field_(field), saved_(field->origin_) {
    field_->origin_ = origin;
}

TCustomComboEdit::OriginScope::~OriginScope() { field_->origin_ = saved_; }

TCustomComboEdit::TCustomComboEdit(QWidget *parent) : QLineEdit(parent) {
    setStyle(SharedCaretStyle());
    container_ = new QWidget(this);
    container_->setObjectName(QStringLiteral("ButtonContainer"));
    container_->resize(21, 17);
    button_ = new TEditButton(this, container_);
    button_->setGeometry(0, 0, container_->width(), container_->height());
    button_->OnClick = [this](TGlyphButton *) { ButtonClick(); };
    resize(width(), 21);
    UpdateMinimumHeight();
    shownText_ = displayText();
    // The edit also reports keys its mask refused; only a new text counts.
    QObject::connect(this, &QLineEdit::textChanged, this, [this] {
        if (displayText() == shownText_)
            return;
        shownText_ = displayText();
        Change();
    });
    SetDefaultNumGlyphs(1);
    glyphKind_ = TGlyphKind::gkCustom;
    PlaceButton();
    creating_ = false;
}

TCustomComboEdit::~TCustomComboEdit() {
    if (hooked_)
        qApp->removeEventFilter(this);
}

void TCustomComboEdit::SetDirectInput(bool value) {
    directInput_ = value;
    SetEditReadOnlyState();
}

void TCustomComboEdit::SetReadOnly(bool value) {
    readOnly_ = value;
    SetEditReadOnlyState();
}

void TCustomComboEdit::SetEditReadOnlyState() { setReadOnly(!directInput_ || readOnly_); }

void TCustomComboEdit::SetGlyphKind(TGlyphKind value) {
    if (glyphKind_ == value)
        return;
    glyphKind_ = value;
    RecreateGlyph();
}

void TCustomComboEdit::SetGlyph(const QImage &value) {
    glyphKind_ = TGlyphKind::gkCustom;
    glyph_ = value;
    ApplyGlyphToButton();
}

void TCustomComboEdit::SetNumGlyphs(int value) {
    switch (glyphKind_) {
    case TGlyphKind::gkDropDown:
    case TGlyphKind::gkEllipsis:
        value = 1;
        break;
    case TGlyphKind::gkDefault:
        value = defaultNumGlyphs_;
        break;
    case TGlyphKind::gkCustom:
        value = std::clamp(value, 1, 4);
        break;
    }
    numGlyphs_ = value;
    button_->SetNumGlyphs(value);
}

void TCustomComboEdit::RecreateGlyph() {
    switch (glyphKind_) {
    case TGlyphKind::gkDefault:
        glyph_ = GetDefaultGlyph();
        numGlyphs_ = defaultNumGlyphs_;
        break;
    case TGlyphKind::gkDropDown:
        glyph_ = DropDownArrowGlyph();
        numGlyphs_ = 1;
        break;
    case TGlyphKind::gkEllipsis:
        glyph_ = EllipsisGlyph(buttonWidth_);
        numGlyphs_ = 1;
        break;
    case TGlyphKind::gkCustom:
        break;
    }
    ApplyGlyphToButton();
    if (glyphKind_ == TGlyphKind::gkDefault && !glyph_.isNull())
        SetButtonWidth(std::max(glyph_.width() / numGlyphs_ + 6, buttonWidth_));
    else if (glyphKind_ == TGlyphKind::gkDropDown)
        SetButtonWidth(style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this));
}

void TCustomComboEdit::ApplyGlyphToButton() {
    if (glyph_.isNull()) {
        button_->SetGlyph(QImage());
    } else {
        // The colour of the lower-left pixel is the transparent one.
        const TColor key = FromQColor(QColor(glyph_.pixel(0, glyph_.height() - 1)));
        button_->SetGlyph(GlyphWithTransparency(glyph_, key));
    }
    button_->SetNumGlyphs(numGlyphs_);
}

void TCustomComboEdit::SetButtonWidth(int value) {
    if (value == buttonWidth_)
        return;
    container_->setVisible(value > 1);
    if (creating_) {
        buttonWidth_ = value;
        container_->resize(value, container_->height());
        button_->resize(value, button_->height());
        PlaceButton();
        RecreateGlyph();
    } else if (value < ClientWidth()) {
        buttonWidth_ = value;
        PlaceButton();
        RecreateGlyph();
    }
}

void TCustomComboEdit::SetButtonHint(const QString &value) {
    buttonHint_ = value;
    button_->SetHint(value);
}

void TCustomComboEdit::SetHint(const QString &value) {
    hint_ = value;
    setToolTip(ShortHint(value));
}

void TCustomComboEdit::SetShowHint(bool value) {
    showHint_ = value;
    button_->SetShowHint(value);
}

void TCustomComboEdit::SetColor(TColor value) {
    color_ = value;
    QPalette p = palette();
    p.setColor(QPalette::Base, ToQColor(ColorToRGB(value)));
    setPalette(p);
}

void TCustomComboEdit::SetFontColor(TColor value) {
    fontColor_ = value;
    QPalette p = palette();
    p.setColor(QPalette::Active, QPalette::Text, ToQColor(ColorToRGB(value)));
    p.setColor(QPalette::Inactive, QPalette::Text, ToQColor(ColorToRGB(value)));
    p.setColor(QPalette::Disabled, QPalette::Text, ToQColor(ColorToRGB(clGrayText)));
    setPalette(p);
}

void TCustomComboEdit::SetFieldText(const QString &value) {
    programText_ = value;
    setText(value);
}

int TCustomComboEdit::ClientWidth() const { return hasFrame() ? width() - 2 * kEditFrame : width(); }

void TCustomComboEdit::PlaceButton() {
    const int w = buttonWidth_;
    if (hasFrame())
        container_->setGeometry(width() - w - kEditFrame, kEditFrame, w, height() - 2 * kEditFrame);
    else
        container_->setGeometry(width() - w, 0, w, height());
    button_->setGeometry(0, 0, w, container_->height());
    setTextMargins(0, 0, container_->width() + 2, 0);
}

void TCustomComboEdit::UpdateMinimumHeight() {
    const int textHeight = std::min(QFontMetrics(QApplication::font()).height(),
                                    QFontMetrics(font()).height());
    setMinimumHeight(textHeight + 4 * kSystemBorder + 1);
}

bool TCustomComboEdit::CanTakeFocus() const {
    return isEnabled() && isVisible() && focusPolicy() != Qt::NoFocus;
}

void TCustomComboEdit::SetPopup(TPopupWindow *popup) {
    if (popup_ != nullptr) {
        calendarVisible_ = false;
        delete popup_;
    }
    popup_ = popup;
    if (popup_ != nullptr) {
        popup_->setObjectName(QStringLiteral("Popup"));
        popup_->OnCloseUp = [this](TPopupWindow *, bool accept) { CloseCalendar(accept); };
    }
}

void TCustomComboEdit::SetCalendarVisibleFromPopup() {
    calendarVisible_ = popup_ != nullptr && popup_->isVisible();
}

void TCustomComboEdit::ShowCalendarAt(QPoint screenPoint) {
    if (popup_ != nullptr)
        popup_->ShowAt(screenPoint);
}

void TCustomComboEdit::HideCalendar() {
    if (popup_ != nullptr)
        popup_->HideWindow();
}

bool TCustomComboEdit::AcceptPick(QVariant &) { return true; }

void TCustomComboEdit::ApplyPickedValue(const QVariant &value) {
    const QString text = value.toString();
    if (displayText() == text)
        return;
    SetFieldText(text);
    setModified(true);
    SetCalendarVisibleFromPopup();
    Change();
}

void TCustomComboEdit::SetCalendarValue(const QVariant &value) {
    if (popup_ != nullptr)
        popup_->SetValue(value);
}

QVariant TCustomComboEdit::GetCalendarValue() const {
    return popup_ != nullptr ? popup_->GetValue() : QVariant();
}

void TCustomComboEdit::Change() {
    if (suppressChange_ > 0)
        return;
    if (calendarVisible_) {
        CalendarChanged();
        return;
    }
    if (OnChange)
        OnChange(this);
}

void TCustomComboEdit::DropDown(bool disableEdit) {
    if (popup_ == nullptr || GetReadOnly() || calendarVisible_)
        return;
    const QPoint corner = mapToGlobal(QPoint(0, 0));
    const QScreen *scr = screen();
    const QRect area = scr != nullptr ? scr->geometry() : QRect(0, 0, 1 << 16, 1 << 16);
    const int popupWidth = popup_->width();
    const int popupHeight = popup_->height();
    int x = corner.x();
    int y = corner.y() + height();
    if (y + popupHeight > area.bottom() + 1)
        y = corner.y() - popupHeight;
    if (popupAlign_ == TPopupAlign::epaRight) {
        x = corner.x() + width() - popupWidth;
        if (x < area.left())
            x = corner.x();
    } else if (x + popupWidth > area.right() + 1) {
        x = corner.x() + width() - popupWidth;
    }
    if (x < area.left())
        x = area.left();
    else if (x + popupWidth > area.right() + 1)
        x = area.right() + 1 - popupWidth;

    SetCalendarValue(displayText().isEmpty() ? QVariant() : QVariant(displayText()));
    if (CanTakeFocus())
        setFocus(Qt::OtherFocusReason);
    ShowCalendarAt(QPoint(x, y));
    calendarVisible_ = true;
    if (disableEdit)
        setReadOnly(true); // a read-only edit shows no caret
}

void TCustomComboEdit::CloseCalendar(bool accept) {
    if (popup_ == nullptr || !calendarVisible_)
        return;
    struct ClearVisible {
        bool &flag;
        ~ClearVisible() { flag = false; }
    } clear{calendarVisible_};

    if (QWidget *grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    QVariant value = GetCalendarValue();
    HideCalendar();
    if (CanTakeFocus())
        setFocus(Qt::OtherFocusReason);
    SetEditReadOnlyState();
    update();
    if (accept && AcceptPick(value) && !GetReadOnly()) {
        ApplyPickedValue(value);
        if (hasFocus())
            selectAll();
    }
}

void TCustomComboEdit::ButtonActivate() {
    if (OnButtonClick)
        OnButtonClick(this);
    if (popup_ != nullptr) {
        if (calendarVisible_)
            CloseCalendar(true);
        else
            DropDown(true);
    }
    AfterButtonActivate();
}

void TCustomComboEdit::ButtonClick() {
    if (!readOnly_ || alwaysEnable_)
        ButtonActivate();
}

bool TCustomComboEdit::HandleKeyDown(QKeyEvent *event) {
    if (IsKey(event, clickKey_) && buttonWidth_ > 0) {
        ButtonClick();
        return true;
    }
    return false;
}

bool TCustomComboEdit::HandleKeyChar(QKeyEvent *event) {
    const int key = event->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (!enter && key != Qt::Key_Escape)
        return false;
    if (calendarVisible_) {
        CloseCalendar(enter);
        return true;
    }
    if (enter) {
        if (OnConfirm)
            OnConfirm(this);
        return false; // the edit reports it and leaves it to the default button
    }
    if (isModified()) {
        OriginScope origin(this, TChangeOrigin::Revert);
        setText(programText_);
        setModified(false);
    }
    event->ignore(); // the form's cancel button may act on it
    return true;
}

void TCustomComboEdit::keyPressEvent(QKeyEvent *event) {
    if (HandleKeyDown(event) || HandleKeyChar(event))
        return;
    QLineEdit::keyPressEvent(event);
}

void TCustomComboEdit::mousePressEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton && popup_ != nullptr) {
        if (CanTakeFocus())
            setFocus(Qt::MouseFocusReason);
        if (!hasFocus())
            return;
        if (calendarVisible_)
            CloseCalendar(false);
    }
    QLineEdit::mousePressEvent(event);
}

void TCustomComboEdit::focusInEvent(QFocusEvent *event) {
    QLineEdit::focusInEvent(event);
    focused_ = true;
    const Qt::FocusReason reason = event->reason();
    const bool entered = reason != Qt::MouseFocusReason && reason != Qt::ActiveWindowFocusReason &&
                         reason != Qt::PopupFocusReason;
    if (entered && autoSelect_ && directInput_)
        selectAll();
}

void TCustomComboEdit::focusOutEvent(QFocusEvent *event) {
    QLineEdit::focusOutEvent(event);
    focused_ = false;
    CloseCalendar(false);
}

void TCustomComboEdit::resizeEvent(QResizeEvent *event) {
    QLineEdit::resizeEvent(event);
    PlaceButton();
}

void TCustomComboEdit::showEvent(QShowEvent *event) {
    QLineEdit::showEvent(event);
    if (!windowCreated_) {
        windowCreated_ = true;
        WindowCreated();
    }
}

void TCustomComboEdit::WindowCreated() {
    PlaceButton();
    if (!hooked_) {
        hooked_ = true;
        qApp->installEventFilter(this);
    }
}

void TCustomComboEdit::changeEvent(QEvent *event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        UpdateMinimumHeight();
        PlaceButton();
    } else if (event->type() == QEvent::LayoutDirectionChange && popup_ != nullptr) {
        popup_->setLayoutDirection(layoutDirection());
    }
}

bool TCustomComboEdit::event(QEvent *event) {
    if (event->type() == QEvent::ToolTip && !showHint_)
        return true;
    return QLineEdit::event(event);
}

bool TCustomComboEdit::eventFilter(QObject *watched, QEvent *event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::LocaleChange && watched == qApp) {
        // Queued, so that the settings are read again before the field uses them.
        QMetaObject::invokeMethod(this, [this] { SettingsChanged(); }, Qt::QueuedConnection);
    } else if (calendarVisible_ &&
               (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)) {
        // A click on another control closes the drop-down without a pick.
        auto *widget = qobject_cast<QWidget *>(watched);
        const bool ours = widget == nullptr || widget == this || isAncestorOf(widget) ||
                          (popup_ != nullptr && (widget == popup_ || popup_->isAncestorOf(widget)));
        if (!ours)
            CloseCalendar(false);
    }
    return QLineEdit::eventFilter(watched, event);
}

} // namespace pexor
