#include "controls/CaptionStrip.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

using namespace pexor;

namespace {

class TestWindow : public QMainWindow {
public:
    TestWindow() {
        menuBar()->addMenu(QStringLiteral("Fichier"))->addAction(QStringLiteral("Quitter"));
        setCentralWidget(new QWidget);
        resize(400, 300);
    }
    int closeRequests = 0;
    bool acceptClose = false;

protected:
    void closeEvent(QCloseEvent *event) override {
        ++closeRequests;
        event->setAccepted(acceptClose);
    }
};

QToolButton *Button(TCaptionStrip *strip, const char *name) {
    return strip->findChild<QToolButton *>(QLatin1String(name));
}

void SendMouse(QWidget *target, QEvent::Type type, QPoint local, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    const QPointF global = target->mapToGlobal(QPointF(local));
    QMouseEvent event(type, QPointF(local), global, button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

bool ShowActive(QWidget &window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

} // namespace

TEST(CaptionStrip, InstallMakesTheWindowFramelessWithTheStripAboveTheMenu) {
    TestWindow window;
    ASSERT_TRUE(ShowActive(window));
    QMenuBar *menu = window.menuBar();
    const QRect clientBefore = window.centralWidget()->geometry();
    const int menuTop = menu->y();

    TCaptionStrip *strip =
        InstallCaptionStrip(window, QStringLiteral("Pexor v1.0"), biSystemMenu | biMinimize);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();

    auto *caption = window.findChild<TGradientCaption *>(QStringLiteral("GradientCaption1"));
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(&strip->Caption(), caption);
    EXPECT_EQ(caption->FormCaption(), QStringLiteral("Pexor v1.0"));
    EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);

    const int h = caption->Metrics().CaptionHeight;
    EXPECT_EQ(strip->StripHeight(), h);
    EXPECT_TRUE(strip->isVisible());
    EXPECT_EQ(strip->geometry(), QRect(0, 0, 400, h));
    // The menu bar is the same one, moved down below the strip.
    EXPECT_EQ(window.menuBar(), menu);
    EXPECT_EQ(menu->y(), menuTop + h);
    EXPECT_EQ(menu->actions().first()->text(), QStringLiteral("Fichier"));
    // The window grew by the strip; the client area kept its size.
    EXPECT_EQ(window.height(), 300 + h);
    EXPECT_EQ(window.centralWidget()->size(), clientBefore.size());
    EXPECT_EQ(window.centralWidget()->y(), clientBefore.y() + h);
}

TEST(CaptionStrip, ButtonsFollowTheBorderIcons) {
    TestWindow window;
    TCaptionStrip *strip =
        InstallCaptionStrip(window, QStringLiteral("Pexor v1.0"), biSystemMenu | biMinimize);
    window.show();
    const TCaptionMetrics &m = strip->Caption().Metrics();
    const int bw = m.ButtonWidth;

    // Three slots, as the caption area leaves them: the maximise button shows
    // but is disabled.
    EXPECT_EQ(strip->CaptionArea(), TRect(0, 0, 400 - 3 * bw, m.CaptionHeight - 1));
    QToolButton *close = Button(strip, "closeButton");
    QToolButton *maximize = Button(strip, "maximizeButton");
    QToolButton *minimize = Button(strip, "minimizeButton");
    QToolButton *help = Button(strip, "helpButton");
    ASSERT_TRUE(close && maximize && minimize && help);
    EXPECT_TRUE(close->isVisible());
    EXPECT_TRUE(minimize->isEnabled());
    EXPECT_TRUE(maximize->isVisible());
    EXPECT_FALSE(maximize->isEnabled());
    EXPECT_FALSE(help->isVisible());
    EXPECT_EQ(close->geometry(), QRect(400 - bw + 1, 2, bw - 2, m.CaptionHeight - 5));
    EXPECT_EQ(maximize->x(), 400 - 2 * bw + 1);
    EXPECT_EQ(minimize->x(), 400 - 3 * bw + 1);

    // The buttons stay at the right edge when the window widens.
    window.resize(500, window.height());
    QCoreApplication::processEvents();
    EXPECT_EQ(strip->width(), 500);
    EXPECT_EQ(close->x(), 500 - bw + 1);
}

TEST(CaptionStrip, CloseMinimiseAndAltF4) {
    TestWindow window;
    TCaptionStrip *strip =
        InstallCaptionStrip(window, QStringLiteral("Pexor v1.0"), biSystemMenu | biMinimize);
    ASSERT_TRUE(ShowActive(window));

    // The close button asks the window, which may refuse.
    QTest::mouseClick(Button(strip, "closeButton"), Qt::LeftButton);
    EXPECT_EQ(window.closeRequests, 1);
    EXPECT_TRUE(window.isVisible());

    // Alt+F4 goes through the same close request.
    QTest::keyClick(&window, Qt::Key_F4, Qt::AltModifier);
    EXPECT_EQ(window.closeRequests, 2);
    EXPECT_TRUE(window.isVisible());

    QTest::mouseClick(Button(strip, "minimizeButton"), Qt::LeftButton);
    EXPECT_TRUE(window.windowState() & Qt::WindowMinimized);
    window.showNormal();

    window.acceptClose = true;
    QTest::mouseClick(Button(strip, "closeButton"), Qt::LeftButton);
    EXPECT_EQ(window.closeRequests, 3);
    EXPECT_FALSE(window.isVisible());
}

TEST(CaptionStrip, DragMovesTheWindowAndDoubleClickDoesNothing) {
    TestWindow window;
    TCaptionStrip *strip =
        InstallCaptionStrip(window, QStringLiteral("Pexor v1.0"), biSystemMenu | biMinimize);
    window.move(100, 80);
    ASSERT_TRUE(ShowActive(window));
    const QPoint start = window.pos();
    const QSize size = window.size();

    SendMouse(strip, QEvent::MouseButtonDblClick, QPoint(60, 8), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(window.windowState(), Qt::WindowNoState);
    EXPECT_EQ(window.pos(), start);
    EXPECT_EQ(window.size(), size);
    EXPECT_EQ(window.closeRequests, 0);

    SendMouse(strip, QEvent::MouseButtonPress, QPoint(60, 8), Qt::LeftButton, Qt::LeftButton);
    // The platform here cannot move windows itself: the strip moves it by hand.
    SendMouse(strip, QEvent::MouseMove, QPoint(90, 28), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(window.pos(), start + QPoint(30, 20));
    const QPoint moved = window.pos();
    SendMouse(strip, QEvent::MouseButtonRelease, QPoint(90, 28), Qt::LeftButton, Qt::NoButton);
    // Moving without the button no longer drags.
    SendMouse(strip, QEvent::MouseMove, QPoint(10, 5), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(window.pos(), moved);
}

TEST(CaptionStrip, InactiveCaptionGivesBackThePlatformTitleBar) {
    TestWindow window;
    int deactivations = 0;
    auto *caption = new TGradientCaption(&window);
    caption->OnDeactivate = [&](TGradientCaption *sender) {
        EXPECT_EQ(sender, caption);
        ++deactivations;
    };
    TCaptionStrip *strip = InstallCaptionStrip(window, *caption);
    ASSERT_TRUE(ShowActive(window));
    const int h = strip->StripHeight();
    const QSize client = window.centralWidget()->size();
    ASSERT_EQ(window.height(), 300 + h);

    caption->SetActive(false);
    EXPECT_EQ(deactivations, 1);
    EXPECT_FALSE(window.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_FALSE(strip->isVisible());
    EXPECT_TRUE(window.isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.height(), 300);
    EXPECT_EQ(window.menuBar()->y(), 0);
    EXPECT_EQ(window.centralWidget()->size(), client);

    // Alt+F4 is the window manager's again.
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_F4, Qt::AltModifier);
    EXPECT_EQ(window.closeRequests, 0);

    caption->SetActive(true);
    EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(strip->isVisible());
    EXPECT_EQ(window.height(), 300 + h);
    EXPECT_EQ(window.menuBar()->y(), h);
    EXPECT_EQ(window.centralWidget()->size(), client);
}

TEST(CaptionStrip, FixedSizeWindowKeepsItsClientArea) {
    TestWindow window;
    window.setFixedSize(570, 367);
    TCaptionStrip *strip =
        InstallCaptionStrip(window, QStringLiteral("Pexor v1.0"), biSystemMenu | biMinimize);
    const int h = strip->StripHeight();
    EXPECT_EQ(window.minimumSize(), QSize(570, 367 + h));
    EXPECT_EQ(window.maximumSize(), QSize(570, 367 + h));
    EXPECT_EQ(window.size(), QSize(570, 367 + h));
    strip->Caption().SetActive(false);
    EXPECT_EQ(window.minimumSize(), QSize(570, 367));
    EXPECT_EQ(window.maximumSize(), QSize(570, 367));
    EXPECT_EQ(window.size(), QSize(570, 367));
}

TEST(CaptionStrip, PaintsActiveAndInactive) {
    const QColor activeEnd = ToQColor(clActiveCaption);
    const QColor inactiveEnd = ToQColor(clInactiveCaption);
    ASSERT_NE(activeEnd, inactiveEnd);

    TestWindow window;
    TCaptionStrip *strip =
        InstallCaptionStrip(window, QStringLiteral("Pexor v1.0"), biSystemMenu | biMinimize);
    ASSERT_TRUE(ShowActive(window));
    ASSERT_TRUE(strip->Caption().FormActive());
    const int end = strip->CaptionArea().Right - 1;

    QImage active = strip->grab().toImage();
    EXPECT_EQ(active.pixelColor(end, 1), activeEnd);
    // Left of the icon the gradient is still dark.
    EXPECT_LT(active.pixelColor(0, 1).lightness(), activeEnd.lightness());
    // Line between caption and menu.
    EXPECT_EQ(active.pixelColor(5, strip->height() - 1), strip->palette().color(QPalette::Window));
    EXPECT_TRUE(active.save(QStringLiteral("title_strip_active.png")));

    QWidget other;
    ASSERT_TRUE(ShowActive(other));
    EXPECT_FALSE(strip->Caption().FormActive());
    QImage inactive = strip->grab().toImage();
    EXPECT_EQ(inactive.pixelColor(end, 1), inactiveEnd);
    // No gradient while inactive: flat from the left edge.
    EXPECT_EQ(inactive.pixelColor(0, 1), inactiveEnd);
    EXPECT_TRUE(inactive.save(QStringLiteral("title_strip_inactive.png")));
    EXPECT_TRUE(window.grab().save(QStringLiteral("title_strip_window.png")));
}
