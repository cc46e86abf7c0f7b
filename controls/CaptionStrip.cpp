#include "controls/CaptionStrip.h"

#include "controls/ControlsAccessible.h"
#include "render/QtCanvas.h"

#include <QEvent>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>
#include <QWhatsThis>
#include <QWindow>
#include <algorithm>

namespace pexor {

namespace {

bool IsToolWindowStyle(TFormBorderStyle style) {
    return style == TFormBorderStyle::bsToolWindow || style == TFormBorderStyle::bsSizeToolWin;
}

// Grows (or shrinks) a window's height by delta, carrying a fixed height
// along, so that what lies below the strip keeps its size.
void GrowHeight(QWidget &window, int delta) {
    const bool boundedMin = window.minimumHeight() > 0;
    const bool boundedMax = window.maximumHeight() < QWIDGETSIZE_MAX;
    const bool sized = window.testAttribute(Qt::WA_Resized) || window.isVisible();
    const int height = window.height();
    if (delta > 0) {
        if (boundedMax)
            window.setMaximumHeight(window.maximumHeight() + delta);
        if (boundedMin)
            window.setMinimumHeight(window.minimumHeight() + delta);
    } else {
        if (boundedMin)
            window.setMinimumHeight(std::max(0, window.minimumHeight() + delta));
        if (boundedMax)
            window.setMaximumHeight(std::max(0, window.maximumHeight() + delta));
    }
    if (sized)
        window.resize(window.width(), std::max(0, height + delta));
}

} // namespace

TCaptionStrip::TCaptionStrip(QMainWindow &window, TGradientCaption &caption)
    : QWidget(&window), window_(window), caption_(caption), captionGuard_(&caption) {
    InstallControlsAccessibility();
    setObjectName(QStringLiteral("TitleStrip"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    helpButton_ = MakeButton("helpButton", QStringLiteral("Aide"));
    minimizeButton_ = MakeButton("minimizeButton", QStringLiteral("Réduire"));
    maximizeButton_ = MakeButton("maximizeButton", QStringLiteral("Agrandir"));
    closeButton_ = MakeButton("closeButton", QStringLiteral("Fermer"));
    connect(helpButton_, &QToolButton::clicked, this, [] { QWhatsThis::enterWhatsThisMode(); });
    connect(minimizeButton_, &QToolButton::clicked, this, [this] { window_.showMinimized(); });
    connect(maximizeButton_, &QToolButton::clicked, this, [this] { ToggleMaximized(); });
    connect(closeButton_, &QToolButton::clicked, this, [this] { window_.close(); });

    // A frameless window may not get Alt+F4 from the window manager.
    altF4_ = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), &window_);
    altF4_->setContext(Qt::WindowShortcut);
    altF4_->setEnabled(false);
    connect(altF4_, &QShortcut::activated, this, [this] { window_.close(); });

    chainedActivate_ = caption_.OnActivate;
    chainedDeactivate_ = caption_.OnDeactivate;
    caption_.OnActivate = [this](TGradientCaption *sender) {
        SyncFrame();
        if (chainedActivate_)
            chainedActivate_(sender);
    };
    caption_.OnDeactivate = [this](TGradientCaption *sender) {
        SyncFrame();
        if (chainedDeactivate_)
            chainedDeactivate_(sender);
    };

    hide();
    window_.installEventFilter(this);
    RefreshButtons();
    caption_.SetCaptionWidget(this);
}

TCaptionStrip::~TCaptionStrip() {
    window_.removeEventFilter(this);
    delete altF4_.data();
    if (captionGuard_) {
        caption_.OnActivate = chainedActivate_;
        caption_.OnDeactivate = chainedDeactivate_;
        if (caption_.CaptionWidget() == this)
            caption_.SetCaptionWidget(nullptr);
    }
}

QToolButton *TCaptionStrip::MakeButton(const char *name, const QString &accessibleName) {
    auto *button = new QToolButton(this);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(accessibleName);
    button->setToolTip(accessibleName);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

int TCaptionStrip::StripHeight() const {
    const TCaptionMetrics &m = caption_.Metrics();
    return IsToolWindowStyle(caption_.FormBorderStyle()) ? m.SmallCaptionHeight : m.CaptionHeight;
}

TRect TCaptionStrip::CaptionArea() const {
    const TCaptionMetrics &m = caption_.Metrics();
    const bool tool = IsToolWindowStyle(caption_.FormBorderStyle());
    const int buttonWidth = tool ? m.SmallButtonWidth : m.ButtonWidth;
    const TBorderIcons icons =
        FilterBorderIcons(caption_.FormBorderIcons(), caption_.FormBorderStyle());
    const int right = std::max(0, width() - CaptionButtonCount(icons) * buttonWidth);
    return TRect(0, 0, right, StripHeight() - 1);
}

void TCaptionStrip::RefreshButtons() {
    setFixedHeight(StripHeight());
    setGeometry(0, 0, window_.width(), StripHeight());
    LayoutButtons();
}

void TCaptionStrip::LayoutButtons() {
    const TCaptionMetrics &m = caption_.Metrics();
    const bool tool = IsToolWindowStyle(caption_.FormBorderStyle());
    const int buttonWidth = tool ? m.SmallButtonWidth : m.ButtonWidth;
    const TBorderIcons icons =
        FilterBorderIcons(caption_.FormBorderIcons(), caption_.FormBorderStyle());
    const int captionHeight = StripHeight() - 1;
    const int iconSide = std::max(8, captionHeight - 10);

    // Right to left, as the platform placed them: close, maximise, minimise,
    // help. One of minimise and maximise alone still shows both, one disabled.
    int right = width();
    auto place = [&](QToolButton *button, QStyle::StandardPixmap pixmap, bool shown, bool enabled) {
        button->setVisible(shown);
        if (!shown)
            return;
        button->setEnabled(enabled);
        button->setIcon(style()->standardIcon(pixmap, nullptr, button));
        button->setIconSize(QSize(iconSide, iconSide));
        right -= buttonWidth;
        button->setGeometry(right + 1, 2, buttonWidth - 2, std::max(1, captionHeight - 4));
    };
    const bool minMax = icons & (biMinimize | biMaximize);
    place(closeButton_, QStyle::SP_TitleBarCloseButton, icons & biSystemMenu, true);
    place(maximizeButton_, QStyle::SP_TitleBarMaxButton, minMax, icons & biMaximize);
    place(minimizeButton_, QStyle::SP_TitleBarMinButton, minMax, icons & biMinimize);
    place(helpButton_, QStyle::SP_TitleBarContextHelpButton, icons & biHelp, true);
    update();
}

void TCaptionStrip::SyncFrame() {
    ApplyFrameless(caption_.Active());
}

void TCaptionStrip::ApplyFrameless(bool frameless) {
    if (frameless_ == frameless)
        return;
    frameless_ = frameless;
    const bool wasVisible = window_.isVisible();
    const int delta = StripHeight();

    window_.setWindowFlag(Qt::FramelessWindowHint, frameless);
    QMargins margins = window_.contentsMargins();
    margins.setTop(std::max(0, margins.top() + (frameless ? delta : -delta)));
    window_.setContentsMargins(margins);
    GrowHeight(window_, frameless ? delta : -delta);
    setVisible(frameless);
    if (frameless) {
        RefreshButtons();
        raise();
    }
    altF4_->setEnabled(frameless);
    // Changing the window's flags hides it.
    if (wasVisible)
        window_.show();
}

void TCaptionStrip::ToggleMaximized() {
    if (window_.isMaximized())
        window_.showNormal();
    else
        window_.showMaximized();
}

bool TCaptionStrip::eventFilter(QObject *watched, QEvent *event) {
    if (watched == &window_ && event->type() == QEvent::Resize && width() != window_.width())
        setGeometry(0, 0, window_.width(), StripHeight());
    return QWidget::eventFilter(watched, event);
}

void TCaptionStrip::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    const bool formActive = caption_.FormActive();
    // Under the buttons the strip carries on in the gradient's end colour.
    painter.fillRect(rect(), ToQColor(formActive ? clActiveCaption : clInactiveCaption));
    painter.fillRect(QRect(0, height() - 1, width(), 1), palette().color(QPalette::Window));
    QtCanvas canvas(painter);
    caption_.PaintCaption(canvas, CaptionArea(), formActive);
}

void TCaptionStrip::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    LayoutButtons();
}

void TCaptionStrip::mousePressEvent(QMouseEvent *event) {
    event->accept();
    if (event->button() == Qt::LeftButton) {
        dragStart_ = event->globalPosition().toPoint();
        windowStart_ = window_.pos();
        // Platforms that cannot move the window for us get moved by hand.
        QWindow *handle = window_.windowHandle();
        dragging_ = !(handle && handle->startSystemMove());
    } else if (event->button() == Qt::RightButton) {
        caption_.RightButtonDown();
    }
}

void TCaptionStrip::mouseMoveEvent(QMouseEvent *event) {
    event->accept();
    if (dragging_ && (event->buttons() & Qt::LeftButton))
        window_.move(windowStart_ + event->globalPosition().toPoint() - dragStart_);
}

void TCaptionStrip::mouseReleaseEvent(QMouseEvent *event) {
    event->accept();
    if (event->button() == Qt::LeftButton)
        dragging_ = false;
    else if (event->button() == Qt::RightButton)
        caption_.RightButtonUp(event->globalPosition().toPoint());
}

void TCaptionStrip::mouseDoubleClickEvent(QMouseEvent *event) {
    // The window cannot be maximised from its caption.
    event->accept();
}

TCaptionStrip *InstallCaptionStrip(QMainWindow &window, TGradientCaption &caption) {
    auto *strip = new TCaptionStrip(window, caption);
    strip->SyncFrame();
    return strip;
}

TCaptionStrip *InstallCaptionStrip(QMainWindow &window, const QString &formCaption,
                                   TBorderIcons icons) {
    auto *caption = new TGradientCaption(&window);
    caption->setObjectName(QStringLiteral("GradientCaption1"));
    caption->SetFormCaption(formCaption);
    caption->SetFormBorderIcons(icons);
    return InstallCaptionStrip(window, *caption);
}

} // namespace pexor
