#pragma once

#include "controls/GlyphButton.h"
#include "controls/PopupWindow.h"

#include <QKeyCombination>
#include <QLineEdit>
#include <QVariant>
#include <functional>

namespace pexor {

enum class TPopupAlign { epaRight, epaLeft };
enum class TGlyphKind { gkCustom, gkDefault, gkDropDown, gkEllipsis };

// Where the change being notified comes from, so a handler can tell typing
// from a pick or a program write.
enum class TChangeOrigin {
    Typing,  // a key, deletion, paste or cut of the user
    Revert,  // Esc putting back the text the program last set
    Pick,    // a day picked in the drop-down or the dialog
    Step,    // numeric + or - (one day on)
    Today,   // T or t
    Program, // a write of the date by the program (window creation, settings)
};

class TCustomComboEdit;

// The button at the right end of the field. A press while the drop-down is
// open closes it applying the pick, and the click that follows does not open
// it again.
class TEditButton : public TGlyphButton {
public:
    TEditButton(TCustomComboEdit *field, QWidget *parent);

    bool NoAction() const { return noAction_; }
    void Click() override;
    void PaintFace(Canvas &canvas) override;

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    TCustomComboEdit *field_;
    bool noAction_ = false;
};

// A masked one-line field with a button that drops down a window under it,
// opened by the button or the click key and closed by a pick, Enter, Esc,
// the button, a focus change or a click elsewhere.
class TCustomComboEdit : public QLineEdit {
public:
    explicit TCustomComboEdit(QWidget *parent = nullptr);
    ~TCustomComboEdit() override;

    QKeyCombination ClickKey() const { return clickKey_; }
    void SetClickKey(QKeyCombination value) { clickKey_ = value; }
    TPopupAlign PopupAlign() const { return popupAlign_; }
    void SetPopupAlign(TPopupAlign value) { popupAlign_ = value; }
    bool DirectInput() const { return directInput_; }
    void SetDirectInput(bool value);
    // The field's own read-only flag (the edit is also read-only while the
    // drop-down is open, or without direct input).
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    // Lets the button work in a read-only field.
    bool AlwaysEnable() const { return alwaysEnable_; }
    void SetAlwaysEnable(bool value) { alwaysEnable_ = value; }
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool value) { autoSelect_ = value; }

    TGlyphKind GlyphKind() const { return glyphKind_; }
    void SetGlyphKind(TGlyphKind value);
    const QImage &Glyph() const { return glyph_; }
    void SetGlyph(const QImage &value);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int value);
    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int value);
    const QString &ButtonHint() const { return buttonHint_; }
    void SetButtonHint(const QString &value);

    const QString &Hint() const { return hint_; }
    void SetHint(const QString &value);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor value);

    // The field's text as shown, blank positions included.
    QString FieldText() const { return displayText(); }
    // Sets the text as the program (Esc puts this text back).
    void SetFieldText(const QString &value);

    TPopupWindow *Popup() const { return popup_; }
    bool CalendarVisible() const { return calendarVisible_; }
    TEditButton *Button() const { return button_; }
    QWidget *ButtonContainer() const { return container_; }
    // Meaningful while OnChange runs.
    TChangeOrigin ChangeOrigin() const { return origin_; }

    virtual void DropDown(bool disableEdit);
    void CloseCalendar(bool accept);
    void ButtonActivate();
    // What a click of the button runs.
    void ButtonClick();

    std::function<void(TCustomComboEdit *)> OnChange;
    std::function<void(TCustomComboEdit *)> OnButtonClick;
    // Enter pressed in the field while the drop-down is closed (with it open,
    // Enter applies the pick instead).
    std::function<void(TCustomComboEdit *)> OnConfirm;

protected:
    // Marks the change origin for what the program does in one scope.
    class OriginScope {
    public:
        OriginScope(TCustomComboEdit *field, TChangeOrigin origin);
        ~OriginScope();
        OriginScope(const OriginScope &) = delete;
        OriginScope &operator=(const OriginScope &) = delete;

    private:
        TCustomComboEdit *field_;
        TChangeOrigin saved_;
    };

    virtual QImage GetDefaultGlyph() const { return {}; }
    virtual void ShowCalendarAt(QPoint screenPoint);
    virtual void HideCalendar();
    virtual bool AcceptPick(QVariant &value);
    virtual void ApplyPickedValue(const QVariant &value);
    virtual void SetCalendarValue(const QVariant &value);
    virtual QVariant GetCalendarValue() const;
    // Called instead of the change event while the drop-down is open.
    virtual void CalendarChanged() {}
    virtual bool GetReadOnly() const { return readOnly_; }
    // The change handling of every text change.
    virtual void Change();
    // After the button's activation has opened or closed the drop-down.
    virtual void AfterButtonActivate() {}
    // The first time the field's window is shown.
    virtual void WindowCreated();
    // The regional settings changed (run after the event has been handled).
    virtual void SettingsChanged() {}
    virtual bool HandleKeyDown(QKeyEvent *event);
    virtual bool HandleKeyChar(QKeyEvent *event);

    // The drop-down, owned; replaces and deletes any previous one.
    void SetPopup(TPopupWindow *popup);
    void SetDefaultNumGlyphs(int value) { defaultNumGlyphs_ = value; }
    void SetCreating(bool value) { creating_ = value; }
    void SetCalendarVisibleFromPopup();
    bool CanTakeFocus() const;
    void SetEditReadOnlyState();
    void SuppressChange(int delta) { suppressChange_ += delta; }

    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void RecreateGlyph();
    void ApplyGlyphToButton();
    void PlaceButton();
    void UpdateMinimumHeight();
    int ClientWidth() const;

    QWidget *container_;
    TEditButton *button_;
    TPopupWindow *popup_ = nullptr;
    QKeyCombination clickKey_{Qt::AltModifier, Qt::Key_Down};
    TPopupAlign popupAlign_ = TPopupAlign::epaRight;
    bool directInput_ = true;
    bool readOnly_ = false;
    bool alwaysEnable_ = false;
    bool autoSelect_ = true;
    bool focused_ = false;
    bool calendarVisible_ = false;
    TGlyphKind glyphKind_ = TGlyphKind::gkCustom;
    QImage glyph_;
    int numGlyphs_ = 1;
    int defaultNumGlyphs_ = 1;
    int buttonWidth_ = 21;
    QString buttonHint_;
    QString hint_;
    bool showHint_ = true;
    TColor color_ = clWindow;
    TColor fontColor_ = clWindowText;
    bool creating_ = true;
    bool windowCreated_ = false;
    bool hooked_ = false;
    int suppressChange_ = 0;
    TChangeOrigin origin_ = TChangeOrigin::Typing;
    QString programText_;
    QString shownText_;
};

} // namespace pexor
