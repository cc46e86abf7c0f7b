// Starts Pexor on the readings file named by its first argument, as the
// program's own start does, with a stand-in for the user answering the boxes.
// It reports on standard output: "shown" once the main window is up,
// "raised" when the window comes back from minimised, and at the end each
// box seen as "box|caption|text". With --minimise the window is minimised
// once shown. It ends when its standard input closes.
#include "../WindowTestSupport.h"
#include "app/Application.h"
#include "app/ProgramStart.h"
#include "app/Version.h"
#include "platform/ProgramPath.h"

#include <QSocketNotifier>
#include <cstdio>
#include <unistd.h>

namespace {

void Say(const QString &line) {
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

// Reports a window coming back from minimised.
class RaiseWatch : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::WindowStateChange) {
            auto *window = static_cast<QWidget *>(watched);
            if (!(window->windowState() & Qt::WindowMinimized))
                Say(QStringLiteral("raised"));
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char **argv) {
    pexor::SetProgramArguments(argc, argv);
    pexor::TApplication app(argc, argv);
    QApplication::setApplicationName(pexor::kApplicationTitle);
    QApplication::setStyle(QStringLiteral("Fusion"));
    const QStringList args = QApplication::arguments();
    if (args.size() < 2)
        return 2;
    const bool minimise = args.contains(QStringLiteral("--minimise"));

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&input] {
        char buffer[64];
        if (read(STDIN_FILENO, buffer, sizeof buffer) <= 0) {
            input.setEnabled(false);
            QCoreApplication::exit(0);
        }
    });

    pexor::test::ModalAnswerer boxes;
    boxes.Answer(QStringLiteral("OK"));
    RaiseWatch watch;
    const int code = pexor::RunPexor(args.at(1), [&](pexor::TfrmQuilma &window) {
        if (minimise) {
            window.showMinimized();
            QApplication::processEvents();
            window.installEventFilter(&watch);
        }
        Say(QStringLiteral("shown"));
    });
    for (const pexor::test::SeenBox &box : boxes.Boxes())
        Say(QStringLiteral("box|") + box.Title + u'|' + box.Text);
    return code;
}
