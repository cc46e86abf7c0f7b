#include "controls/Label3D.h"

#include "controls/ControlsAccessible.h"
#include "render/QtCanvas.h"

#include <QAccessible>
#include <QEvent>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <vector>

namespace pexor {

namespace labeltext {

namespace {

// One line of the laid-out text: a span of the prepared text.
struct LineSpan {
    qsizetype start = 0;
    qsizetype length = 0;
};

// Removes the accelerator marks: "&&" stands for "&", "&x" underlines x.
QString StripPrefix(const QString &text, qsizetype &underline) {
    QString result;
    result.reserve(text.size());
    underline = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size()) {
            ++i;
            if (text[i] != QLatin1Char('&'))
                underline = result.size();
        } else if (text[i] == QLatin1Char('&')) {
            continue;
        }
        result += text[i];
    }
    return result;
}

int AverageCharWidth(Canvas &canvas) {
    static const QString sample =
        QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
    const int total = canvas.TextWidth(sample);
    return std::max(1, (total + 26) / 52);
}

class Layout {
public:
    Layout(Canvas &canvas, const QString &text, unsigned flags)
        : canvas_(canvas), text_(text), flags_(flags),
          tabWidth_((flags & kExpandTabs) ? 8 * AverageCharWidth(canvas) : 0) {}

    // Width of a span, tabs jumping to the next stop.
    int Width(qsizetype start, qsizetype length) const {
        if (!(flags_ & kExpandTabs))
            return canvas_.TextWidth(text_.mid(start, length));
        int x = 0;
        qsizetype run = start;
        const qsizetype end = start + length;
        for (qsizetype i = start; i < end; ++i) {
            if (text_[i] != QLatin1Char('\t'))
                continue;
            x += canvas_.TextWidth(text_.mid(run, i - run));
            x = (x / tabWidth_ + 1) * tabWidth_;
            run = i + 1;
        }
        return x + canvas_.TextWidth(text_.mid(run, end - run));
    }

    std::vector<LineSpan> Lines(int maxWidth) const {
        std::vector<LineSpan> lines;
        qsizetype start = 0;
        while (start <= text_.size()) {
            qsizetype end = start;
            while (end < text_.size() && text_[end] != QLatin1Char('\n') &&
                   text_[end] != QLatin1Char('\r'))
                ++end;
            BreakParagraph(start, end, maxWidth, lines);
            if (end >= text_.size())
                break;
            // CR LF counts as one line break.
            if (text_[end] == QLatin1Char('\r') && end + 1 < text_.size() &&
                text_[end + 1] == QLatin1Char('\n'))
                ++end;
            start = end + 1;
            if (start == text_.size())
                break;
        }
        return lines;
    }

private:
    static bool IsBlank(QChar c) { return c == QLatin1Char(' '); }

    void BreakParagraph(qsizetype start, qsizetype end, int maxWidth,
                        std::vector<LineSpan> &lines) const {
        qsizetype pos = start;
        for (;;) {
            if (!(flags_ & kWordBreak) || Width(pos, end - pos) <= maxWidth) {
                lines.push_back({pos, end - pos});
                return;
            }
            // The longest run of whole words that fits; a first word wider
            // than the rectangle stands alone.
            qsizetype lineEnd = -1;
            qsizetype i = pos;
            while (i < end && IsBlank(text_[i]))
                ++i;
            while (i < end) {
                while (i < end && !IsBlank(text_[i]))
                    ++i;
                if (lineEnd < 0)
                    lineEnd = i;
                else if (Width(pos, i - pos) <= maxWidth)
                    lineEnd = i;
                else
                    break;
                if (Width(pos, lineEnd - pos) > maxWidth)
                    break;
                while (i < end && IsBlank(text_[i]))
                    ++i;
            }
            if (lineEnd < 0)
                lineEnd = end;
            lines.push_back({pos, lineEnd - pos});
            pos = lineEnd;
            while (pos < end && IsBlank(text_[pos]))
                ++pos;
            if (pos >= end)
                return;
        }
    }

    Canvas &canvas_;
    const QString &text_;
    unsigned flags_;
    int tabWidth_;
};

// Draws a piece of one line, the accelerator character underlined.
int DrawPiece(Canvas &canvas, int x, int y, const QString &text, qsizetype start, qsizetype length,
              qsizetype underline) {
    if (underline < start || underline >= start + length) {
        const QString piece = text.mid(start, length);
        canvas.TextOut(x, y, piece);
        return canvas.TextWidth(piece);
    }
    int width = DrawPiece(canvas, x, y, text, start, underline - start, -1);
    {
        FontScope font(canvas);
        canvas.Font().SetStyle(canvas.Font().Style() | fsUnderline);
        const QString mark = text.mid(underline, 1);
        canvas.TextOut(x + width, y, mark);
        width += canvas.TextWidth(mark);
    }
    width +=
        DrawPiece(canvas, x + width, y, text, underline + 1, start + length - underline - 1, -1);
    return width;
}

} // namespace

void DrawTextInRect(Canvas &canvas, const QString &source, TRect &rect, unsigned flags) {
    qsizetype underline = -1;
    const QString text = (flags & kNoPrefix) ? source : StripPrefix(source, underline);
    const Layout layout(canvas, text, flags);
    const std::vector<LineSpan> lines = layout.Lines(rect.Width());
    const int lineHeight = canvas.TextHeight(QStringLiteral(" "));

    if (flags & kCalcRect) {
        int widest = 0;
        for (const LineSpan &line : lines)
            widest = std::max(widest, layout.Width(line.start, line.length));
        rect.Right = rect.Left + widest;
        rect.Bottom = rect.Top + int(lines.size()) * lineHeight;
        return;
    }

    CanvasStateScope state(canvas);
    TRect clip = rect;
    if (canvas.Clip().kind == TClip::Kind::Rect) {
        const TRect &outer = canvas.Clip().rect;
        clip = TRect(std::max(clip.Left, outer.Left), std::max(clip.Top, outer.Top),
                     std::min(clip.Right, outer.Right), std::min(clip.Bottom, outer.Bottom));
    }
    canvas.ClipRect(clip);
    canvas.SetTextAlign(TA_LEFT | TA_TOP);

    const int tabWidth = (flags & kExpandTabs) ? 8 * AverageCharWidth(canvas) : 0;
    int y = rect.Top;
    for (const LineSpan &line : lines) {
        const int width = layout.Width(line.start, line.length);
        int x = rect.Left;
        if (flags & kRight)
            x = rect.Right - width;
        else if (flags & kCenter)
            x = rect.Left + (rect.Width() - width) / 2;
        const int lineLeft = x;
        qsizetype run = line.start;
        const qsizetype end = line.start + line.length;
        for (qsizetype i = line.start; i <= end; ++i) {
            const bool tab = i < end && tabWidth > 0 && text[i] == QLatin1Char('\t');
            if (!tab && i < end)
                continue;
            if (i > run)
                x += DrawPiece(canvas, x, y, text, run, i - run, underline);
            if (tab)
                x = lineLeft + ((x - lineLeft) / tabWidth + 1) * tabWidth;
            run = i + 1;
        }
        y += lineHeight;
    }
}

} // namespace labeltext

using namespace labeltext;

TLabel3D::TLabel3D(QWidget *parent) : QWidget(parent) {
    InstallControlsAccessibility();
    font_.SetColor(clWindowText);
    resize(62, 16);
}

void TLabel3D::SetCaption(const QString &value) {
    if (caption_ == value)
        return;
    caption_ = value;
    AdjustBounds();
    update();
    // Screen readers read the caption as the label's name.
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void TLabel3D::SetFont(const TFont &value) {
    if (font_ == value)
        return;
    font_ = value;
    AdjustBounds();
    update();
}

void TLabel3D::SetColor(TColor value) {
    if (color_ == value)
        return;
    color_ = value;
    update();
}

void TLabel3D::SetAlignment(TAlignment value) {
    if (alignment_ == value)
        return;
    alignment_ = value;
    update();
}

void TLabel3D::SetTransparent(bool value) {
    if (transparent_ == value)
        return;
    transparent_ = value;
    update();
}

void TLabel3D::SetAutoSize(bool value) {
    if (autoSize_ == value)
        return;
    autoSize_ = value;
    AdjustBounds();
}

void TLabel3D::SetWordWrap(bool value) {
    if (wordWrap_ == value)
        return;
    wordWrap_ = value;
    AdjustBounds();
    update();
}

void TLabel3D::SetShowAccelChar(bool value) {
    if (showAccelChar_ == value)
        return;
    showAccelChar_ = value;
    AdjustBounds();
    update();
}

void TLabel3D::SetCaptionStyle(TCaptionStyle value) {
    if (captionStyle_ == value)
        return;
    captionStyle_ = value;
    update();
}

namespace {

unsigned AlignmentFlag(TAlignment alignment) {
    switch (alignment) {
    case TAlignment::taRightJustify:
        return kRight;
    case TAlignment::taCenter:
        return kCenter;
    case TAlignment::taLeftJustify:
        break;
    }
    return kLeft;
}

} // namespace

void TLabel3D::Paint(Canvas &canvas) {
    CanvasStateScope state(canvas);
    canvas.SetFont(font_);
    TRect rect(0, 0, width(), height());
    if (!transparent_) {
        canvas.SetBrush(TBrush(color_));
        canvas.FillRect(rect);
    }
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    // Word break always, whatever WordWrap says; the text starts at the top.
    DoDrawText(canvas, rect, kExpandTabs | kWordBreak | AlignmentFlag(alignment_));
}

void TLabel3D::DrawLayer(Canvas &canvas, const QString &text, TRect rect, int dx, int dy,
                         unsigned flags, TColor color) {
    rect = TRect(rect.Left + dx, rect.Top + dy, rect.Right + dx, rect.Bottom + dy);
    canvas.SetTextColor(color);
    DrawTextInRect(canvas, text, rect, flags);
}

void TLabel3D::DoDrawText(Canvas &canvas, TRect &rect, unsigned flags) {
    QString text = caption_.left(255);
    if ((flags & kCalcRect) && (text.isEmpty() || (showAccelChar_ && text == QLatin1String("&"))))
        text = QStringLiteral(" ");
    if (!showAccelChar_)
        flags |= kNoPrefix;

    // The offset copies do not change the measured size.
    if (flags & kCalcRect) {
        DrawTextInRect(canvas, text, rect, flags);
        return;
    }

    const bool recessed = captionStyle_ == TCaptionStyle::csRecessed ||
                          captionStyle_ == TCaptionStyle::csHeavyRecessed;
    const TColor first = recessed ? clBtnHighlight : clBtnShadow;
    const TColor second = recessed ? clBtnShadow : clBtnHighlight;

    CanvasStateScope state(canvas);
    canvas.SetBackMode(TBackMode::Transparent);
    if (captionStyle_ == TCaptionStyle::csHeavyRaised ||
        captionStyle_ == TCaptionStyle::csRecessed ||
        captionStyle_ == TCaptionStyle::csHeavyRecessed)
        DrawLayer(canvas, text, rect, 1, 1, flags, first);
    if (captionStyle_ == TCaptionStyle::csRaised || captionStyle_ == TCaptionStyle::csHeavyRaised ||
        captionStyle_ == TCaptionStyle::csHeavyRecessed)
        DrawLayer(canvas, text, rect, -1, -1, flags, second);
    DrawLayer(canvas, text, rect, 0, 0, flags, isEnabled() ? font_.Color() : clGrayText);
}

void TLabel3D::AdjustBounds() {
    if (!autoSize_)
        return;
    // Measured on a screen-like surface, as the label is not painted yet.
    QImage screen(1, 1, QImage::Format_RGB32);
    QtCanvas canvas(&screen);
    canvas.SetFont(font_);
    TRect rect(0, 0, width(), height());
    DoDrawText(canvas, rect,
               kExpandTabs | kCalcRect | (wordWrap_ ? kWordBreak : 0u) | AlignmentFlag(alignment_));
    int x = this->x();
    if (alignment_ == TAlignment::taRightJustify)
        x += width() - rect.Right;
    setGeometry(x, y(), rect.Right, rect.Bottom);
}

void TLabel3D::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    QtCanvas canvas(painter);
    Paint(canvas);
}

void TLabel3D::changeEvent(QEvent *event) {
    if (event->type() == QEvent::EnabledChange)
        update();
    QWidget::changeEvent(event);
}

} // namespace pexor
