#pragma once

#include "helpviewer/HelpFileLocator.h"

#include <QPointer>
#include <QString>
#include <vector>

namespace pexor {

class HelpWindow;

// The help windows this process opened, and the two commands on them.
// Needs the program's running QApplication and its GUI thread; without them
// every command answers nothing.
class ViewerSession {
public:
    explicit ViewerSession(HelpFileLocator locator = HelpFileLocator());
    ~ViewerSession();
    ViewerSession(const ViewerSession &) = delete;
    ViewerSession &operator=(const ViewerSession &) = delete;

    // The session of the library's entry points.
    static ViewerSession &Instance();

    // Opens a window on the file's default topic, or brings the window
    // already open on that file to the front. The name may end in
    // "::/page.htm" to show that page instead. Null when the file cannot be
    // found or read, or no application runs on this thread.
    HelpWindow *DisplayTopic(const QString &fileSpec);
    // Closes and destroys every window the session opened.
    void CloseAll();
    // The windows still open, oldest first.
    std::vector<HelpWindow *> Windows() const;

private:
    void Forget();

    HelpFileLocator locator_;
    std::vector<QPointer<HelpWindow>> windows_;
};

} // namespace pexor
