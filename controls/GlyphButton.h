#pragma once

#include "render/Canvas.h"

#include <QImage>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

class QTimer;

namespace pexor {

enum class TButtonStyle { bsAutoDetect, bsWin31, bsNew };
enum class TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// The copy of a glyph strip in which every pixel of the given colour is
// transparent.
QImage GlyphWithTransparency(const QImage &image, TColor transparent);

// The tooltip part of a hint: the text before the first "|".
QString ShortHint(const QString &hint);

// A speed button showing a glyph: 25 x 25 when new. With AllowTimer it
// repeats its click while held (first after InitPause, then every
// RepeatInterval milliseconds). The face is painted off screen and copied in
// one step, so it never flickers.
class TGlyphButton : public QWidget {
public:
    explicit TGlyphButton(QWidget *parent = nullptr);
    ~TGlyphButton() override;

    // Glyph strip of NumGlyphs images side by side (up, disabled, down,
    // exclusive); transparent pixels are left out.
    const QImage &Glyph() const { return glyph_; }
    void SetGlyph(const QImage &value);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int value);

    TButtonStyle Style() const { return style_; }
    void SetStyle(TButtonStyle value);
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    bool GrayedInactive() const { return grayedInactive_; }
    void SetGrayedInactive(bool value);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value);
    // Distance of the glyph from the edge named by Layout; -1 centres it.
    int Margin() const { return margin_; }
    void SetMargin(int value);

    int InitPause() const { return initPause_; }
    void SetInitPause(int value) { initPause_ = value; }
    int RepeatInterval() const { return repeatInterval_; }
    void SetRepeatInterval(int value) { repeatInterval_ = value; }
    bool AllowTimer() const { return allowTimer_; }
    void SetAllowTimer(bool value);

    // "text|long text": the part before "|" is the tooltip.
    const QString &Hint() const { return hint_; }
    void SetHint(const QString &value);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value) { showHint_ = value; }

    TButtonState State() const;
    // The state drawn; a button held down in a group stays exclusive.
    void SetExclusive(bool value);

    // Whether the timer that repeats the click runs, and its interval now.
    bool RepeatTimerActive() const;
    int RepeatTimerInterval() const;
    // What the repeat timer does at each tick.
    void TimerTick();
    // Abandons a press in progress: the button comes up, the timer stops.
    void CancelMode();

    // Runs OnClick.
    virtual void Click();
    // Draws the face and the glyph on a canvas of the button's size.
    virtual void PaintFace(Canvas &canvas);

    std::function<void(TGlyphButton *)> OnClick;

protected:
    bool IsPressed() const { return down_ || exclusive_; }
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool event(QEvent *event) override;

private:
    bool UsesNewStyle() const;
    QImage GlyphForState() const;
    QPoint GlyphPosition(QSize glyph) const;
    void SetDown(bool value);

    QImage glyph_;
    int numGlyphs_ = 1;
    TButtonStyle style_ = TButtonStyle::bsAutoDetect;
    bool flat_ = false;
    bool grayedInactive_ = true;
    TButtonLayout layout_ = TButtonLayout::blGlyphTop;
    int margin_ = -1;
    int initPause_ = 500;
    int repeatInterval_ = 100;
    bool allowTimer_ = false;
    QString hint_;
    bool showHint_ = true;
    bool down_ = false;
    bool exclusive_ = false;
    bool tracking_ = false;
    std::unique_ptr<QTimer> timer_;
};

// A navigation button that repeats while held.
class TRepeatButton : public TGlyphButton {
public:
    explicit TRepeatButton(QWidget *parent = nullptr);
};

} // namespace pexor
