// A main window with its own title strip, for looking at it (not installed).
// An optional argument closes it after that many milliseconds.
#include "controls/CaptionStrip.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("Fichier"))->addAction(QStringLiteral("Quitter"));
    window.setCentralWidget(new QLabel(QStringLiteral("Zone cliente")));
    window.resize(420, 200);
    pexor::InstallCaptionStrip(window, QStringLiteral("Pexor v1.0"),
                               pexor::biSystemMenu | pexor::biMinimize);
    window.move(40, 40);
    window.show();
    if (argc > 1)
        QTimer::singleShot(QString::fromLocal8Bit(argv[1]).toInt(), &app, &QApplication::quit);
    return QApplication::exec();
}
