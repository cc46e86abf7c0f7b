#include "controls/GlyphButton.h"

#include "controls/ControlsAccessible.h"
#include "controls/Frame3D.h"
#include "render/QtCanvas.h"

#include <QEvent>
#include <algorithm>
#include <cmath>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

namespace pexor {

QImage GlyphWithTransparency(const QImage &image, TColor transparent) {
    if (image.isNull())
        return image;
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = ToQColor(ColorToRGB(transparent)).rgb() & 0xFFFFFF;
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == key)
                line[x] = 0;
        }
    }
    return out;
}

QString ShortHint(const QString &hint) {
    const qsizetype bar = hint.indexOf(u'|');
    return bar < 0 ? hint : hint.left(bar);
}

namespace {

// The greyed look of a glyph without a disabled image of its own: the shape
// embossed in highlight one pixel down and right, then in shadow.
QImage GrayedGlyph(const QImage &glyph) {
    QImage out(glyph.width() + 1, glyph.height() + 1, QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    const QRgb highlight = ToQColor(ColorToRGB(clBtnHighlight)).rgb();
    const QRgb shadow = ToQColor(ColorToRGB(clBtnShadow)).rgb();
    for (int pass = 0; pass < 2; ++pass) {
        const int shift = pass == 0 ? 1 : 0;
        const QRgb colour = pass == 0 ? highlight : shadow;
        for (int y = 0; y < glyph.height(); ++y) {
            for (int x = 0; x < glyph.width(); ++x) {
                if (qAlpha(glyph.pixel(x, y)) != 0)
                    out.setPixel(x + shift, y + shift, colour);
            }
        }
    }
    return out;
}

} // namespace

TGlyphButton::TGlyphButton(QWidget *parent) : QWidget(parent) {
    InstallControlsAccessibility();
    resize(25, 25);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

TGlyphButton::~TGlyphButton() = default;

void TGlyphButton::SetGlyph(const QImage &value) {
    glyph_ = value.isNull() ? QImage() : value.convertToFormat(QImage::Format_ARGB32);
    update();
}

void TGlyphButton::SetNumGlyphs(int value) {
    value = std::clamp(value, 1, 4);
    if (numGlyphs_ == value)
        return;
    numGlyphs_ = value;
    update();
}

void TGlyphButton::SetStyle(TButtonStyle value) {
    if (style_ == value)
        return;
    style_ = value;
    update();
}

void TGlyphButton::SetFlat(bool value) {
    if (flat_ == value)
        return;
    flat_ = value;
    update();
}

void TGlyphButton::SetGrayedInactive(bool value) {
    if (grayedInactive_ == value)
        return;
    grayedInactive_ = value;
    update();
}

void TGlyphButton::SetLayout(TButtonLayout value) {
    if (layout_ == value)
        return;
    layout_ = value;
    update();
}

void TGlyphButton::SetMargin(int value) {
    if (margin_ == value)
        return;
    margin_ = value;
    update();
}

void TGlyphButton::SetAllowTimer(bool value) {
    allowTimer_ = value;
    if (!value && timer_)
        timer_->stop();
}

void TGlyphButton::SetHint(const QString &value) {
    hint_ = value;
    setToolTip(ShortHint(value));
}

TButtonState TGlyphButton::State() const {
    if (!isEnabled())
        return TButtonState::bsDisabled;
    if (exclusive_)
        return TButtonState::bsExclusive;
    return down_ ? TButtonState::bsDown : TButtonState::bsUp;
}

void TGlyphButton::SetExclusive(bool value) {
    if (exclusive_ == value)
        return;
    exclusive_ = value;
    update();
}

bool TGlyphButton::RepeatTimerActive() const { return timer_ && timer_->isActive(); }

int TGlyphButton::RepeatTimerInterval() const { return timer_ ? timer_->interval() : 0; }

void TGlyphButton::TimerTick() {
    if (timer_)
        timer_->setInterval(repeatInterval_);
    if (!down_ || !tracking_)
        return;
    try {
        Click();
    } catch (...) {
        if (timer_)
            timer_->stop();
        throw;
    }
}

void TGlyphButton::CancelMode() {
    tracking_ = false;
    if (timer_)
        timer_->stop();
    SetDown(false);
}

void TGlyphButton::Click() {
    if (OnClick)
        OnClick(this);
}

bool TGlyphButton::UsesNewStyle() const {
    // Every face this program draws is of the new kind unless asked otherwise.
    return style_ != TButtonStyle::bsWin31;
}

QImage TGlyphButton::GlyphForState() const {
    if (glyph_.isNull())
        return {};
    const int width = glyph_.width() / numGlyphs_;
    auto part = [&](int index) { return glyph_.copy(index * width, 0, width, glyph_.height()); };
    switch (State()) {
    case TButtonState::bsDisabled:
        if (numGlyphs_ >= 2)
            return part(1);
        return grayedInactive_ ? GrayedGlyph(part(0)) : part(0);
    case TButtonState::bsDown:
        return part(numGlyphs_ >= 3 ? 2 : 0);
    case TButtonState::bsExclusive:
        return part(numGlyphs_ >= 4 ? 3 : 0);
    case TButtonState::bsUp:
        break;
    }
    return part(0);
}

QPoint TGlyphButton::GlyphPosition(QSize glyph) const {
    int x = (width() - glyph.width()) / 2;
    int y = (height() - glyph.height()) / 2;
    if (margin_ >= 0) {
        switch (layout_) {
        case TButtonLayout::blGlyphLeft:
            x = margin_;
            break;
        case TButtonLayout::blGlyphRight:
            x = width() - margin_ - glyph.width();
            break;
        case TButtonLayout::blGlyphTop:
            y = margin_;
            break;
        case TButtonLayout::blGlyphBottom:
            y = height() - margin_ - glyph.height();
            break;
        }
    }
    return {x, y};
}

void TGlyphButton::PaintFace(Canvas &canvas) {
    TRect rect(0, 0, width(), height());
    canvas.SetBrush(TBrush(clBtnFace));
    canvas.FillRect(rect);
    const bool pressed = IsPressed();
    if (flat_) {
        if (pressed)
            Frame3D(canvas, rect, clBtnShadow, clBtnHighlight);
    } else if (UsesNewStyle()) {
        if (pressed) {
            Frame3D(canvas, rect, clWindowFrame, clBtnHighlight);
            Frame3D(canvas, rect, clBtnShadow, clBtnFace);
        } else {
            Frame3D(canvas, rect, clBtnHighlight, clWindowFrame);
            Frame3D(canvas, rect, clBtnFace, clBtnShadow);
        }
    } else {
        Frame3D(canvas, rect, clWindowFrame, clWindowFrame);
        if (pressed) {
            PenScope pen(canvas);
            canvas.SetPen(TPen(clBtnShadow));
            canvas.MoveTo(rect.Left, rect.Bottom - 1);
            canvas.LineTo(rect.Left, rect.Top);
            canvas.LineTo(rect.Right, rect.Top);
        } else {
            Frame3D(canvas, rect, clBtnHighlight, clBtnShadow);
        }
    }
    const QImage glyph = GlyphForState();
    if (glyph.isNull())
        return;
    QPoint at = GlyphPosition(glyph.size());
    if (pressed)
        at += QPoint(1, 1);
    canvas.Draw(at.x(), at.y(), glyph);
}

void TGlyphButton::paintEvent(QPaintEvent *) {
    // At the screen's density, so that the face is not a scaled-up picture.
    const qreal ratio = devicePixelRatioF();
    QImage buffer(int(std::ceil(width() * ratio)), int(std::ceil(height() * ratio)),
                  QImage::Format_RGB32);
    buffer.setDevicePixelRatio(ratio);
    {
        QtCanvas canvas(&buffer);
        PaintFace(canvas);
    }
    QPainter painter(this);
    painter.drawImage(0, 0, buffer);
}

void TGlyphButton::SetDown(bool value) {
    if (down_ == value)
        return;
    down_ = value;
    update();
}

void TGlyphButton::mousePressEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        QWidget::mousePressEvent(event);
        return;
    }
    tracking_ = true;
    SetDown(true);
    if (allowTimer_) {
        if (!timer_) {
            timer_ = std::make_unique<QTimer>();
            QObject::connect(timer_.get(), &QTimer::timeout, this, [this] { TimerTick(); });
        }
        timer_->start(initPause_);
    }
}

void TGlyphButton::mouseMoveEvent(QMouseEvent *event) {
    if (tracking_)
        SetDown(rect().contains(event->position().toPoint()));
}

void TGlyphButton::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton || !tracking_) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    tracking_ = false;
    if (timer_)
        timer_->stop();
    const bool inside = down_ && rect().contains(event->position().toPoint());
    SetDown(false);
    if (inside)
        Click();
}

void TGlyphButton::hideEvent(QHideEvent *event) {
    CancelMode();
    QWidget::hideEvent(event);
}

void TGlyphButton::changeEvent(QEvent *event) {
    if (event->type() == QEvent::EnabledChange) {
        if (!isEnabled())
            CancelMode();
        update();
    }
    QWidget::changeEvent(event);
}

bool TGlyphButton::event(QEvent *event) {
    if (event->type() == QEvent::ToolTip && !showHint_)
        return true;
    return QWidget::event(event);
}

TRepeatButton::TRepeatButton(QWidget *parent) : TGlyphButton(parent) {
    SetStyle(TButtonStyle::bsWin31);
    SetAllowTimer(true);
}

} // namespace pexor
