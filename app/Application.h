#pragma once

#include <QApplication>

namespace pexor {

// The application object: an exception that escapes any event's delivery
// (a widget's own handler as well as the window's) goes to the error box and
// the program goes on. Qt's own dialogs speak French.
class TApplication : public QApplication {
public:
    TApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
};

} // namespace pexor
