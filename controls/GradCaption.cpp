#include "controls/GradCaption.h"

#include "render/QtCanvas.h"
#include "render/QtFont.h"
#include "platform/Rounding.h"

#include <QApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QIcon>
#include <QPainter>
#include <QStyle>
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

namespace pexor {

namespace {

const QString kEllipsis = QStringLiteral("...");

TFont FromQFont(const QFont &font) {
    TFont result;
    result.SetName(font.family());
    if (font.pixelSize() > 0)
        result.SetHeight(-font.pixelSize());
    else
        result.SetSize(int(std::lround(font.pointSizeF())));
    TFontStyles style = 0;
    if (font.bold())
        style |= fsBold;
    if (font.italic())
        style |= fsItalic;
    result.SetStyle(style);
    return result;
}

// A plain window picture for programs that have no icon of their own.
QImage StandardApplicationIcon(QSize size) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    const QRect frame(0, 1, size.width() - 1, size.height() - 3);
    painter.setPen(QColor(64, 64, 64));
    painter.setBrush(Qt::white);
    painter.drawRect(frame);
    painter.fillRect(QRect(1, 2, frame.width() - 1, std::max(2, size.height() / 5)),
                     QColor(0, 0, 128));
    return image;
}

bool IsToolWindow(TFormBorderStyle style) {
    return style == TFormBorderStyle::bsToolWindow || style == TFormBorderStyle::bsSizeToolWin;
}

} // namespace

TCaptionMetrics TCaptionMetrics::FromStyle(const QWidget *widget, const TFont &captionFont) {
    const QStyle *style = widget ? widget->style() : QApplication::style();
    const int cell = TextExtentOf(captionFont, QStringLiteral("Ag"), nullptr).height();
    TCaptionMetrics m;
    m.CaptionHeight =
        std::max(style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, widget), cell + 6) + 1;
    m.ButtonWidth = m.CaptionHeight - 1;
    m.SmallCaptionHeight = std::max(cell + 3, m.CaptionHeight * 3 / 4);
    m.SmallButtonWidth = m.SmallCaptionHeight - 1;
    const int icon = style->pixelMetric(QStyle::PM_SmallIconSize, nullptr, widget);
    if (icon > 0)
        m.SmallIcon = QSize(icon, icon);
    return m;
}

TBorderIcons FilterBorderIcons(TBorderIcons icons, TFormBorderStyle style) {
    switch (style) {
    case TFormBorderStyle::bsDialog:
        return icons & (biSystemMenu | biHelp);
    case TFormBorderStyle::bsToolWindow:
    case TFormBorderStyle::bsSizeToolWin:
        return icons & biSystemMenu;
    default:
        break;
    }
    if (!(icons & biSystemMenu))
        icons &= ~(biMinimize | biMaximize);
    if (icons & (biMinimize | biMaximize))
        icons &= ~biHelp;
    return icons;
}

int CaptionButtonCount(TBorderIcons filtered) {
    int count = std::popcount(filtered & (biSystemMenu | biMinimize | biMaximize | biHelp));
    if (bool(filtered & biMinimize) != bool(filtered & biMaximize))
        ++count;
    return count;
}

TRect CaptionRectOf(const TRect &windowRect, TFormBorderStyle style, TBorderIcons icons,
                    const TCaptionMetrics &metrics) {
    const int buttons = CaptionButtonCount(FilterBorderIcons(icons, style));
    TRect r = windowRect;
    QSize frame(0, 0);
    switch (style) {
    case TFormBorderStyle::bsSizeable:
    case TFormBorderStyle::bsSizeToolWin:
        frame = metrics.SizeFrame;
        break;
    case TFormBorderStyle::bsNone:
        break;
    default:
        frame = metrics.FixedFrame;
        break;
    }
    r = TRect(r.Left + frame.width(), r.Top + frame.height(), r.Right - frame.width(),
              r.Bottom - frame.height());
    const bool tool = IsToolWindow(style);
    const int height = tool ? metrics.SmallCaptionHeight : metrics.CaptionHeight;
    const int buttonWidth = tool ? metrics.SmallButtonWidth : metrics.ButtonWidth;
    r.Bottom = r.Top + height - 1;
    r.Right -= buttons * buttonWidth;
    return r;
}

void GradientFill(Canvas &canvas, const TRect &rect, TColor start, TColor end, int bands) {
    if (rect.IsEmpty())
        return;
    BrushScope brush(canvas);
    const int w = rect.Width();
    if (bands < 2) {
        canvas.SetBrush(TBrush(start));
        canvas.FillRect(rect);
        return;
    }
    const TColor s = ColorToRGB(start);
    const TColor e = ColorToRGB(end);
    const int count = std::max(2, std::min(bands, w));
    const int bandWidth = w / count;
    if (bandWidth > 0) {
        for (int k = 0; k < count; ++k) {
            const int denominator = count - 1;
            const TColor color =
                RGB(GetRValue(s) + MulDiv(k, GetRValue(e) - GetRValue(s), denominator),
                    GetGValue(s) + MulDiv(k, GetGValue(e) - GetGValue(s), denominator),
                    GetBValue(s) + MulDiv(k, GetBValue(e) - GetBValue(s), denominator));
            canvas.SetBrush(TBrush(color));
            canvas.FillRect(TRect(rect.Left + k * bandWidth, rect.Top,
                                  rect.Left + (k + 1) * bandWidth, rect.Bottom));
        }
    }
    const int rest = w % count;
    if (rest > 0) {
        canvas.SetBrush(TBrush(e));
        canvas.FillRect(TRect(rect.Right - rest, rect.Top, rect.Right, rect.Bottom));
    }
}

TGradientCaption::TGradientCaption(QWidget *owner)
    : QObject(owner), captions_(std::make_unique<TCaptionList>(*this)) {
    LoadDefaultFont();
    metrics_ = TCaptionMetrics::FromStyle(OwnerForm(), font_);
    RefreshCaption();
}

TGradientCaption::~TGradientCaption() {
    DetachHook();
}

QWidget *TGradientCaption::OwnerForm() const {
    auto *widget = qobject_cast<QWidget *>(parent());
    return widget && widget->isWindow() ? widget : nullptr;
}

bool TGradientCaption::Active() const {
    return active_ && OwnerForm() != nullptr;
}

void TGradientCaption::SetActive(bool value) {
    if (active_ == value)
        return;
    active_ = value;
    rightButton_ = false;
    RefreshCaption();
    if (value && OnActivate)
        OnActivate(this);
    else if (!value && OnDeactivate)
        OnDeactivate(this);
}

void TGradientCaption::SetCaptions(const TCaptionList &value) {
    captions_->Assign(value);
}

TFont DefaultCaptionFont(const QFont &titleFont, const QFont &smallestReadableFont) {
    // A platform theme without a title font leaves Qt to answer with its font
    // database's default, the same for every font the theme does not name;
    // on a bare X session the smallest readable font is another of those.
    TFont font = titleFont != smallestReadableFont
                     ? FromQFont(titleFont)
                     : TFont(kLayoutFontFamily, 8, clCaptionText, fsBold);
    font.SetColor(clCaptionText);
    return font;
}

void TGradientCaption::LoadDefaultFont() {
    font_ = DefaultCaptionFont(QFontDatabase::systemFont(QFontDatabase::TitleFont),
                               QFontDatabase::systemFont(QFontDatabase::SmallestReadableFont));
    defaultFont_ = true;
}

void TGradientCaption::SetDefaultFont(bool value) {
    if (defaultFont_ == value)
        return;
    if (value)
        LoadDefaultFont();
    else
        defaultFont_ = false;
    if (Active())
        RefreshCaption();
}

void TGradientCaption::SetFormCaption(const QString &value) {
    if (formCaption_ == value)
        return;
    formCaption_ = value;
    if (Active())
        RefreshCaption();
}

void TGradientCaption::SetFontInactiveColor(TColor value) {
    if (fontInactiveColor_ == value)
        return;
    fontInactiveColor_ = value;
    if (!formActive_ && Active())
        RefreshCaption();
}

void TGradientCaption::SetFont(const TFont &value) {
    if (font_ == value && !defaultFont_)
        return;
    font_ = value;
    defaultFont_ = false;
    if (captions_->Count() > 0)
        captions_->ApplyParentFont(font_);
    else if (Active())
        RefreshCaption();
}

void TGradientCaption::SetGradientActive(bool value) {
    if (gradientActive_ == value)
        return;
    gradientActive_ = value;
    if (formActive_ && Active())
        RefreshCaption();
}

void TGradientCaption::SetGradientInactive(bool value) {
    if (gradientInactive_ == value)
        return;
    gradientInactive_ = value;
    if (!formActive_ && Active())
        RefreshCaption();
}

bool TGradientCaption::GradientInUse() const {
    return formActive_ ? gradientActive_ : gradientInactive_;
}

void TGradientCaption::SetGradientSteps(int value) {
    if (gradientSteps_ == value)
        return;
    gradientSteps_ = value;
    if (GradientInUse() && Active())
        RefreshCaption();
}

void TGradientCaption::SetHideDirection(THideDirection value) {
    if (hideDirection_ == value)
        return;
    hideDirection_ = value;
    if (Active())
        RefreshCaption();
}

void TGradientCaption::SetPopupMenu(QMenu *value) {
    popupMenu_ = value;
}

void TGradientCaption::SetStartColor(TColor value) {
    if (startColor_ == value)
        return;
    startColor_ = value;
    if (Active())
        RefreshCaption();
}

void TGradientCaption::SetFormBorderStyle(TFormBorderStyle value) {
    if (borderStyle_ == value)
        return;
    borderStyle_ = value;
    if (Active())
        RefreshCaption();
}

void TGradientCaption::SetFormBorderIcons(TBorderIcons value) {
    if (borderIcons_ == value)
        return;
    borderIcons_ = value;
    if (Active())
        RefreshCaption();
}

void TGradientCaption::SetMetrics(const TCaptionMetrics &value) {
    metrics_ = value;
    if (Active())
        RefreshCaption();
}

void TGradientCaption::SetCaptionWidget(QWidget *value) {
    if (captionWidget_ == value)
        return;
    captionWidget_ = value;
    RefreshCaption();
}

void TGradientCaption::CaptionsChanged() {
    if (Active())
        RefreshCaption();
}

TRect TGradientCaption::CaptionRect() const {
    const QWidget *form = OwnerForm();
    if (!form)
        return TRect();
    return CaptionRectOf(TRect::FromQRect(form->frameGeometry()), borderStyle_, borderIcons_,
                         metrics_);
}

TRect TGradientCaption::CaptionRectInWindow() const {
    const QWidget *form = OwnerForm();
    if (!form)
        return TRect();
    const QPoint origin = form->frameGeometry().topLeft();
    const TRect r = CaptionRect();
    return TRect(r.Left - origin.x(), r.Top - origin.y(), r.Right - origin.x(),
                 r.Bottom - origin.y());
}

void TGradientCaption::AttachHook() {
    if (hooked_)
        return;
    if (QWidget *form = OwnerForm()) {
        form->installEventFilter(this);
        hooked_ = true;
    }
}

void TGradientCaption::DetachHook() {
    if (!hooked_)
        return;
    if (QWidget *form = OwnerForm())
        form->removeEventFilter(this);
    hooked_ = false;
}

void TGradientCaption::Repaint() {
    if (captionWidget_)
        captionWidget_->update();
}

void TGradientCaption::RefreshCaption() {
    QWidget *form = OwnerForm();
    if (!form)
        return;
    if (Active())
        AttachHook();
    else
        DetachHook();
    formActive_ = false;
    if (form->isVisible()) {
        if (Active())
            formActive_ = form->isActiveWindow();
        Repaint();
    }
}

bool TGradientCaption::eventFilter(QObject *watched, QEvent *event) {
    QWidget *form = OwnerForm();
    if (watched == form && Active()) {
        switch (event->type()) {
        case QEvent::ActivationChange:
        case QEvent::Show:
            formActive_ = form->isActiveWindow();
            Repaint();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

bool TGradientCaption::RightButtonDown() {
    if (!Active() || !popupMenu_)
        return false;
    rightButton_ = true;
    return true;
}

bool TGradientCaption::RightButtonUp(QPoint globalPos) {
    if (!Active() || !rightButton_)
        return false;
    rightButton_ = false;
    if (!popupMenu_)
        return false;
    if (QWidget *grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    popupMenu_->popup(globalPos);
    return true;
}

QImage TGradientCaption::FormIcon(QSize size) const {
    QIcon icon;
    if (const QWidget *form = OwnerForm())
        icon = form->windowIcon();
    if (icon.isNull())
        icon = QApplication::windowIcon();
    QImage image = icon.isNull() ? StandardApplicationIcon(size) : icon.pixmap(size).toImage();
    if (!image.isNull() && image.size() != size)
        image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

void TGradientCaption::PaintCaption(Canvas &target, const TRect &r, bool formActive) {
    if (!Active() || borderStyle_ == TFormBorderStyle::bsNone)
        return;
    const QWidget *form = OwnerForm();
    const QImage bitmap = RenderCaption(QSize(r.Width(), r.Height()), formActive,
                                        form ? form->devicePixelRatioF() : 1.0);
    if (bitmap.isNull())
        return;
    target.Draw(r.Left, r.Top, bitmap);
}

QImage TGradientCaption::RenderCaption(QSize size, bool formActive, qreal ratio) {
    if (size.isEmpty())
        return QImage();
    QImage bitmap(int(std::ceil(size.width() * ratio)), int(std::ceil(size.height() * ratio)),
                  QImage::Format_RGB32);
    bitmap.setDevicePixelRatio(ratio);
    bitmap.fill(Qt::black);
    {
        QtCanvas canvas(&bitmap);
        PaintCaptionBitmap(canvas, size.width(), size.height(), formActive);
    }
    return bitmap;
}

void TGradientCaption::PaintCaptionBitmap(Canvas &canvas, int width, int height, bool formActive) {
    if (borderStyle_ == TFormBorderStyle::bsNone)
        return;
    CanvasStateScope state(canvas);
    // Linux has no separate gradient caption colours: the caption colours end
    // the run.
    const TColor endColor = formActive ? clActiveCaption : clInactiveCaption;
    if (formActive ? gradientActive_ : gradientInactive_) {
        // A quarter width lies left of the bitmap, so the visible part starts
        // a fifth of the way into the colours.
        GradientFill(canvas, TRect(-(width / 4), 0, width, height), startColor_, endColor,
                     int(std::uint8_t(gradientSteps_)));
    } else {
        canvas.SetBrush(TBrush(endColor));
        canvas.FillRect(TRect(0, 0, width, height));
    }

    int textLeft = 0;
    const bool systemMenu = FilterBorderIcons(borderIcons_, borderStyle_) & biSystemMenu;
    if (systemMenu && (borderStyle_ == TFormBorderStyle::bsSingle ||
                       borderStyle_ == TFormBorderStyle::bsSizeable)) {
        const QSize icon = metrics_.SmallIcon;
        const QImage image = FormIcon(icon);
        if (!image.isNull())
            canvas.Draw((height - icon.width()) / 2 + 1, (height - icon.height()) / 2, image);
        textLeft = height;
    }

    if (!formCaption_.isEmpty() || captions_->Count() > 0) {
        canvas.SetBackMode(TBackMode::Transparent);
        PaintText(canvas, TRect(textLeft + 2, 0, width, height), height, formActive);
    }
}

void TGradientCaption::SelectFont(Canvas &canvas, const TCaptionPiece *piece,
                                  bool formActive) const {
    TFont font = piece && !piece->ParentFont() ? piece->Font() : font_;
    if (!formActive)
        font.SetColor(piece ? piece->InactiveColor() : fontInactiveColor_);
    canvas.SetFont(font);
}

int TGradientCaption::TextWidthWith(Canvas &canvas, const TCaptionPiece *piece) const {
    if (piece && !piece->Visible())
        return 0;
    FontScope scope(canvas);
    canvas.SetFont(piece && !piece->ParentFont() ? piece->Font() : font_);
    return canvas.TextWidth(piece ? piece->Caption() : formCaption_);
}

bool TGradientCaption::DrawCaptionText(Canvas &canvas, const QString &text, bool ellipsisAllowed,
                                       bool glue, TRect &area, int height, bool formActive) {
    if (text.isEmpty())
        return true;
    const int free = area.Width();
    QString shown = text;
    for (qsizetype i = 1; canvas.TextWidth(shown) > free; ++i) {
        const qsizetype keep = std::max<qsizetype>(0, text.size() - i - 1);
        shown = text.left(keep) + kEllipsis;
        if (keep == 0)
            break;
    }
    bool full = shown == text;
    // A glued text that only just fits shows that its partner is missing.
    if (glue && full && canvas.TextWidth(text + QLatin1Char('.')) > free) {
        shown = ellipsisAllowed ? kEllipsis : text + kEllipsis;
        full = false;
    }
    if (shown == kEllipsis && !ellipsisAllowed)
        return false;

    FontScope fontScope(canvas);
    if (shown == kEllipsis)
        SelectFont(canvas, nullptr, formActive);
    ClipScope clipScope(canvas);
    canvas.ClipRect(area);
    canvas.SetTextAlign(TA_LEFT | TA_TOP);
    const QSize extent = canvas.TextExtent(shown);
    const int y = (height - extent.height()) / 2;
    const QWidget *form = OwnerForm();
    if (form && form->layoutDirection() == Qt::RightToLeft) {
        canvas.TextOut(area.Right - extent.width(), y, shown);
        area.Right -= extent.width();
    } else {
        canvas.TextOut(area.Left, y, shown);
        area.Left += extent.width();
    }
    return full;
}

void TGradientCaption::PaintText(Canvas &canvas, TRect area, int height, bool formActive) {
    const int count = captions_->Count();
    auto piece = [&](int i) -> const TCaptionPiece & { return captions_->Items(i); };
    auto pieceWidth = [&](int i) { return TextWidthWith(canvas, &piece(i)); };

    if (hideDirection_ == THideDirection::hdLeftToRight) {
        int need = 2 + TextWidthWith(canvas, nullptr);
        for (int i = 0; i < count; ++i)
            need += pieceWidth(i);
        // Leading pieces go first, each with the pieces glued after it.
        int first = 0;
        while (area.Width() < need && first < count) {
            bool glued = false;
            do {
                need -= pieceWidth(first);
                glued = piece(first).GlueNext();
                ++first;
            } while (glued && first < count);
        }
        for (int i = first; i < count; ++i) {
            if (!piece(i).Visible())
                continue;
            SelectFont(canvas, &piece(i), formActive);
            DrawCaptionText(canvas, piece(i).Caption(), false, false, area, height, formActive);
        }
        SelectFont(canvas, nullptr, formActive);
        DrawCaptionText(canvas, formCaption_, true, false, area, height, formActive);
        return;
    }

    // Right to left: trailing pieces and the form caption go first.
    int accumulated = 2;
    int last = 0;
    while (last < count && accumulated < area.Width()) {
        accumulated += pieceWidth(last);
        while (piece(last).GlueNext() && last + 1 < count) {
            ++last;
            accumulated += pieceWidth(last);
        }
        ++last;
    }
    bool allowed = true;
    for (int i = 0; i < last && allowed; ++i) {
        const TCaptionPiece &p = piece(i);
        if (!p.Visible() || p.Caption().isEmpty())
            continue;
        SelectFont(canvas, &p, formActive);
        const bool ellipsis = i == 0 || piece(i - 1).GlueNext();
        const bool full =
            DrawCaptionText(canvas, p.Caption(), ellipsis, p.GlueNext(), area, height, formActive);
        allowed = (full && area.Right > area.Left) || p.GlueNext();
    }
    if (allowed && area.Right > area.Left) {
        SelectFont(canvas, nullptr, formActive);
        DrawCaptionText(canvas, formCaption_, false, false, area, height, formActive);
    }
}

} // namespace pexor
