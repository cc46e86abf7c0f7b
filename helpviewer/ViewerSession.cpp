#include "helpviewer/ViewerSession.h"

#include "helpviewer/ChmArchive.h"
#include "helpviewer/HelpWindow.h"
#include "helpviewer/SiteMap.h"
#include "helpviewer/WindowPlacement.h"

#include <QApplication>
#include <QScreen>
#include <QThread>

namespace pexor {

namespace {

bool GuiAvailable() {
    auto *app = qobject_cast<QApplication *>(QCoreApplication::instance());
    return app && QThread::currentThread() == app->thread() && !QCoreApplication::closingDown();
}

// The window the user asked for help from: the application's active one,
// unless that is a help window itself.
QWidget *AskingWindow() {
    QWidget *active = QApplication::activeWindow();
    return qobject_cast<HelpWindow *>(active) ? nullptr : active;
}

// Beside the window that asked, or centred on it, wholly on its screen.
void Place(HelpWindow &window) {
    const QWidget *owner = AskingWindow();
    const QScreen *screen =
        owner && owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // Frames are known once the window shows; the position is the frame's.
    const QSize frame = window.frameGeometry().size() - window.size();
    const QRect place =
        HelpWindowGeometry(owner ? owner->frameGeometry() : QRect(), window.frameGeometry().size(),
                           screen->availableGeometry());
    window.resize(place.size() - frame);
    window.move(place.topLeft());
}

} // namespace

ViewerSession::ViewerSession(HelpFileLocator locator) : locator_(std::move(locator)) {}

ViewerSession::~ViewerSession() {
    // Windows can only be destroyed while the application still runs; past
    // that they went with it.
    if (GuiAvailable())
        CloseAll();
}

ViewerSession &ViewerSession::Instance() {
    static ViewerSession session;
    return session;
}

HelpWindow *ViewerSession::DisplayTopic(const QString &fileSpec) {
    if (!GuiAvailable())
        return nullptr;
    QString fileName = fileSpec.trimmed();
    QString topic;
    const qsizetype inner = fileName.indexOf(QLatin1String("::"));
    if (inner >= 0) {
        topic = SiteMapTarget(fileName.mid(inner + 2));
        fileName = fileName.left(inner).trimmed();
    }
    const QString path = locator_.Locate(fileName);
    if (path.isEmpty())
        return nullptr;

    Forget();
    for (const QPointer<HelpWindow> &window : windows_) {
        if (window->Archive().Path() != path)
            continue;
        window->ShowTopic(topic);
        window->showNormal();
        window->raise();
        window->activateWindow();
        return window;
    }

    std::shared_ptr<const ChmArchive> archive = ChmArchive::Open(path);
    if (!archive)
        return nullptr;
    // A window the user closes is only hidden, so a handle once returned
    // stays valid until CloseAll.
    auto *window = new HelpWindow(std::move(archive), topic);
    windows_.emplace_back(window);
    window->show();
    Place(*window);
    window->raise();
    window->activateWindow();
    return window;
}

void ViewerSession::CloseAll() {
    std::vector<QPointer<HelpWindow>> windows;
    windows.swap(windows_);
    for (const QPointer<HelpWindow> &window : windows)
        delete window.data();
}

std::vector<HelpWindow *> ViewerSession::Windows() const {
    std::vector<HelpWindow *> open;
    for (const QPointer<HelpWindow> &window : windows_)
        if (window)
            open.push_back(window.data());
    return open;
}

void ViewerSession::Forget() {
    std::erase_if(windows_, [](const QPointer<HelpWindow> &window) { return window.isNull(); });
}

} // namespace pexor
