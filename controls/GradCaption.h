#pragma once

#include "controls/CaptionList.h"
#include "render/Canvas.h"

#include <QImage>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QWidget>
#include <functional>
#include <memory>

namespace pexor {

enum class THideDirection { hdLeftToRight, hdRightToLeft };

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

// Title-bar buttons a form asks for.
using TBorderIcons = unsigned;
inline constexpr TBorderIcons biSystemMenu = 1;
inline constexpr TBorderIcons biMinimize = 2;
inline constexpr TBorderIcons biMaximize = 4;
inline constexpr TBorderIcons biHelp = 8;

// Sizes of a title bar: caption heights include the line under the caption.
struct TCaptionMetrics {
    int CaptionHeight = 23;
    int ButtonWidth = 22;
    int SmallCaptionHeight = 17;
    int SmallButtonWidth = 16;
    QSize SizeFrame{4, 4};
    QSize FixedFrame{3, 3};
    QSize SmallIcon{16, 16};

    // Taken from the application's style and the given caption font.
    static TCaptionMetrics FromStyle(const QWidget *widget, const TFont &captionFont);
};

// The title-bar buttons a border style keeps of the icons a form asks for.
TBorderIcons FilterBorderIcons(TBorderIcons icons, TFormBorderStyle style);
// Buttons on the title bar: one per icon, plus one when only one of minimise
// and maximise is asked for (both show, one disabled).
int CaptionButtonCount(TBorderIcons filtered);
// The caption area of a window rectangle: inside the frame, one caption high
// (bottom = top + height - 1), left of the buttons.
TRect CaptionRectOf(const TRect &windowRect, TFormBorderStyle style, TBorderIcons icons,
                    const TCaptionMetrics &metrics);

// The system caption font: the platform's title font, or bold 8 points in
// the face the strip is laid out for when the platform names none (Qt then
// answers the title font with its default, as it does the smallest readable
// one). Coloured clCaptionText.
TFont DefaultCaptionFont(const QFont &titleFont, const QFont &smallestReadableFont);

// Fills a rectangle left to right from start to end in bands of equal width;
// the last few columns that make no whole band take the end colour. Fewer
// than two bands fill with the start colour.
void GradientFill(Canvas &canvas, const TRect &rect, TColor start, TColor end, int bands);

// Paints a form's title strip with a colour gradient, the form's icon and
// its caption, optionally preceded by separately styled pieces. Linux window
// managers do not let a program paint its title bar, so the form shows the
// strip itself: a frameless window puts a widget where CaptionRect says
// (SetCaptionWidget) and paints it with PaintCaption; the component keeps
// track of the form's activation and asks that widget to repaint.
class TGradientCaption : public QObject {
public:
    // owner: the form; a widget that is not a window leaves the caption inert.
    explicit TGradientCaption(QWidget *owner = nullptr);
    ~TGradientCaption() override;

    // Painting enabled: the flag, and the owner is a form.
    bool Active() const;
    void SetActive(bool value);
    TCaptionList &Captions() { return *captions_; }
    const TCaptionList &Captions() const { return *captions_; }
    void SetCaptions(const TCaptionList &value);
    bool DefaultFont() const { return defaultFont_; }
    void SetDefaultFont(bool value);
    const QString &FormCaption() const { return formCaption_; }
    void SetFormCaption(const QString &value);
    TColor FontInactiveColor() const { return fontInactiveColor_; }
    void SetFontInactiveColor(TColor value);
    const TFont &Font() const { return font_; }
    void SetFont(const TFont &value);
    bool GradientActive() const { return gradientActive_; }
    void SetGradientActive(bool value);
    bool GradientInactive() const { return gradientInactive_; }
    void SetGradientInactive(bool value);
    int GradientSteps() const { return gradientSteps_; }
    void SetGradientSteps(int value);
    THideDirection HideDirection() const { return hideDirection_; }
    void SetHideDirection(THideDirection value);
    QMenu *PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(QMenu *value);
    TColor StartColor() const { return startColor_; }
    void SetStartColor(TColor value);

    std::function<void(TGradientCaption *sender)> OnActivate;
    std::function<void(TGradientCaption *sender)> OnDeactivate;

    // What the caption needs to know of its form.
    TFormBorderStyle FormBorderStyle() const { return borderStyle_; }
    void SetFormBorderStyle(TFormBorderStyle value);
    TBorderIcons FormBorderIcons() const { return borderIcons_; }
    void SetFormBorderIcons(TBorderIcons value);
    const TCaptionMetrics &Metrics() const { return metrics_; }
    void SetMetrics(const TCaptionMetrics &value);
    // The widget that shows the strip; repainted on every refresh.
    QWidget *CaptionWidget() const { return captionWidget_; }
    void SetCaptionWidget(QWidget *value);

    QWidget *OwnerForm() const;
    // Whether the form was the active window at the last refresh or
    // activation change.
    bool FormActive() const { return formActive_; }

    // The caption area of the form in screen coordinates, and in the form's
    // own coordinates (its frame's top-left corner at 0, 0).
    TRect CaptionRect() const;
    TRect CaptionRectInWindow() const;

    // Re-reads the form's activation and asks for a repaint.
    void RefreshCaption();

    // Paints the caption into R of a canvas, drawn off screen first and
    // copied in one step.
    void PaintCaption(Canvas &target, const TRect &r, bool formActive);
    // The off-screen picture of a W x H caption.
    // ratio: device pixels per logical pixel of the screen it is shown on.
    QImage RenderCaption(QSize size, bool formActive, qreal ratio = 1.0);
    // Draws the caption on a canvas of W x H (the off-screen bitmap).
    void PaintCaptionBitmap(Canvas &canvas, int width, int height, bool formActive);

    // Right button in the caption: returns whether the press or release was
    // taken for the popup menu (the release shows it at globalPos).
    bool RightButtonDown();
    bool RightButtonUp(QPoint globalPos);

    // Told by the piece list after a change.
    void CaptionsChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void LoadDefaultFont();
    void Repaint();
    void AttachHook();
    void DetachHook();
    bool GradientInUse() const;
    QImage FormIcon(QSize size) const;
    void PaintText(Canvas &canvas, TRect area, int height, bool formActive);
    bool DrawCaptionText(Canvas &canvas, const QString &text, bool ellipsisAllowed, bool glue,
                         TRect &area, int height, bool formActive);
    void SelectFont(Canvas &canvas, const TCaptionPiece *piece, bool formActive) const;
    int TextWidthWith(Canvas &canvas, const TCaptionPiece *piece) const;

    bool active_ = true;
    std::unique_ptr<TCaptionList> captions_;
    bool defaultFont_ = true;
    QString formCaption_;
    TColor fontInactiveColor_ = clInactiveCaptionText;
    TFont font_;
    bool gradientActive_ = true;
    bool gradientInactive_ = false;
    int gradientSteps_ = 64;
    THideDirection hideDirection_ = THideDirection::hdLeftToRight;
    QPointer<QMenu> popupMenu_;
    TColor startColor_ = clWindowText;

    TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
    TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
    TCaptionMetrics metrics_;
    QPointer<QWidget> captionWidget_;

    bool hooked_ = false;
    bool formActive_ = false;
    bool rightButton_ = false;
};

} // namespace pexor
