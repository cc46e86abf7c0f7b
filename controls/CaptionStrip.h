#pragma once

#include "controls/GradCaption.h"

#include <QPoint>
#include <QPointer>
#include <QWidget>

class QMainWindow;
class QShortcut;
class QToolButton;

namespace pexor {

// The title strip of a frameless main window: the gradient caption with the
// form's icon on the left and the window's title-bar buttons on the right.
// Linux window managers do not let a program paint its title bar, so the
// window drops the platform's one and shows this strip instead, one title bar
// either way. Dragging the strip moves the window; a double click does
// nothing. The caption's Active false gives the window back its platform
// title bar, true takes it away again.
class TCaptionStrip : public QWidget {
public:
    // Prefer InstallCaptionStrip, which also makes the window frameless.
    TCaptionStrip(QMainWindow &window, TGradientCaption &caption);
    ~TCaptionStrip() override;

    TGradientCaption &Caption() { return caption_; }
    const TGradientCaption &Caption() const { return caption_; }
    QMainWindow &Window() { return window_; }
    const QMainWindow &Window() const { return window_; }

    // Height of the strip: the caption height, its last line separating the
    // caption from the menu.
    int StripHeight() const;
    // Where the gradient caption is painted: left of the buttons.
    TRect CaptionArea() const;

    // Follows the caption's Active flag: frameless with the strip, or the
    // platform's title bar without it. The window's client area keeps its size.
    void SyncFrame();
    // Lays out the buttons again after the caption's border icons, border
    // style or metrics changed.
    void RefreshButtons();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void LayoutButtons();
    QToolButton *MakeButton(const char *name, const QString &accessibleName);
    void ApplyFrameless(bool frameless);
    void ToggleMaximized();

    QMainWindow &window_;
    TGradientCaption &caption_;
    // The window may delete the caption before the strip.
    QPointer<TGradientCaption> captionGuard_;
    QToolButton *helpButton_ = nullptr;
    QToolButton *minimizeButton_ = nullptr;
    QToolButton *maximizeButton_ = nullptr;
    QToolButton *closeButton_ = nullptr;
    QPointer<QShortcut> altF4_;
    bool frameless_ = false;
    bool dragging_ = false;
    QPoint dragStart_;
    QPoint windowStart_;
    std::function<void(TGradientCaption *)> chainedActivate_;
    std::function<void(TGradientCaption *)> chainedDeactivate_;
};

// Gives a main window its own title strip showing caption (which the window
// owns): the window becomes frameless, the strip sits on top of the menu bar,
// the window grows by the strip's height so its client area keeps its size,
// and Alt+F4 closes through the window's close() (and so its close
// confirmation). Handlers already set on the caption's OnActivate and
// OnDeactivate keep running; the strip takes both events over, so set them
// before this call.
TCaptionStrip *InstallCaptionStrip(QMainWindow &window, TGradientCaption &caption);

// As above with a new caption `GradientCaption1` showing formCaption, for a
// sizeable window with the given title-bar buttons.
TCaptionStrip *InstallCaptionStrip(QMainWindow &window, const QString &formCaption,
                                   TBorderIcons icons);

} // namespace pexor
