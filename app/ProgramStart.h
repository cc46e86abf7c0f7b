#pragma once

#include <QString>
#include <functional>

namespace pexor {

class TfrmQuilma;

// The text that tells a second start that the file is taken.
QString AlreadyOpenText(const QString &readingsPath);

// The program once its application object exists: one Pexor per readings
// file. The first start on a file shows the main window and runs until it
// closes. A later start on the same file tells the user, asks the first to
// come to the front and ends without touching the file. Answers the exit
// code. `onShown` runs once the window is up.
int RunPexor(const QString &readingsPath,
             const std::function<void(TfrmQuilma &)> &onShown = nullptr);

// Brings a window back from the task bar and in front of the others, as far
// as the window manager lets a program do it.
void BringToFront(TfrmQuilma &window);

} // namespace pexor
