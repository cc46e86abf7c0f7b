#pragma once

#include "render/Alignment.h"
#include "render/Canvas.h"

#include <QString>
#include <QWidget>

namespace pexor {

enum class TCaptionStyle { csNone, csRaised, csHeavyRaised, csRecessed, csHeavyRecessed };

// Draws text into a rectangle the way a label does: lines broken at line
// feeds (and at blanks with kWordBreak), tabs expanded to eight average
// characters with kExpandTabs, "&x" underlining x unless kNoPrefix, each
// line aligned left, right or centred, starting at the top. With kCalcRect
// nothing is drawn and rect's right and bottom are set to the text's extent.
namespace labeltext {
inline constexpr unsigned kLeft = 0x0;
inline constexpr unsigned kCenter = 0x1;
inline constexpr unsigned kRight = 0x2;
inline constexpr unsigned kWordBreak = 0x10;
inline constexpr unsigned kExpandTabs = 0x40;
inline constexpr unsigned kCalcRect = 0x400;
inline constexpr unsigned kNoPrefix = 0x800;

void DrawTextInRect(Canvas &canvas, const QString &text, TRect &rect, unsigned flags);
} // namespace labeltext

// A text label whose text is embossed or engraved by one-pixel offset copies.
class TLabel3D : public QWidget {
public:
    explicit TLabel3D(QWidget *parent = nullptr);

    const QString &Caption() const { return caption_; }
    void SetCaption(const QString &value);
    // The label's font, its colour being the text colour.
    const TFont &Font() const { return font_; }
    void SetFont(const TFont &value);
    // Background, filled unless transparent.
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value);
    TCaptionStyle CaptionStyle() const { return captionStyle_; }
    void SetCaptionStyle(TCaptionStyle value);

    // The whole picture of the label on a canvas whose origin is the label's
    // top-left corner.
    void Paint(Canvas &canvas);
    // The label's text drawing, used both to paint and (with kCalcRect) to
    // measure.
    void DoDrawText(Canvas &canvas, TRect &rect, unsigned flags);
    // Fits the size to the text when AutoSize is on.
    void AdjustBounds();

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void DrawLayer(Canvas &canvas, const QString &text, TRect rect, int dx, int dy, unsigned flags,
                   TColor color);

    QString caption_;
    TFont font_;
    TColor color_ = clBtnFace;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    bool transparent_ = false;
    bool autoSize_ = true;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
    TCaptionStyle captionStyle_ = TCaptionStyle::csRecessed;
};

} // namespace pexor
