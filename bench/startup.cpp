// Start-up of the main window next to a floor: a bare Qt main window of the
// same size with a menu bar, a toolbar, a status bar and a 3 x 11 table.
// Each run starts this program again as a child that shows one of the two
// windows, reports its first painted frame and its peak memory, and quits;
// the parent times from launching the child to that report.
#include "app/Quilma.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QMainWindow>
#include <QMenuBar>
#include <QProcess>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/resource.h>

namespace {

const char *gProgram = nullptr;

QByteArray TenReadingsIni() {
    QByteArray dates = "[Dates]\r\n", tps = "[TP]\r\n", inrs = "[INR]\r\n";
    for (int i = 1; i <= 10; ++i) {
        dates += QStringLiteral("Date%1=%2/11/2026\r\n").arg(i).arg(i * 2, 2, 10, QLatin1Char('0')).toUtf8();
        tps += QStringLiteral("TP%1=%2\r\n").arg(i).arg(60 + 3 * i).toUtf8();
        inrs += QStringLiteral("INR%1=2,%2\r\n").arg(i).arg(i % 10).toUtf8();
    }
    return dates + tps + inrs;
}

std::unique_ptr<QMainWindow> FloorWindow() {
    auto window = std::make_unique<QMainWindow>();
    QMenu *file = window->menuBar()->addMenu(QStringLiteral("&Fichier"));
    file->addAction(QStringLiteral("&Nouveau suivi"));
    file->addAction(QStringLiteral("&Quitter"));
    window->menuBar()->addMenu(QStringLiteral("&Aide"))->addAction(QStringLiteral("A &propos de..."));
    QToolBar *bar = window->addToolBar(QStringLiteral("ToolBar1"));
    for (int i = 0; i < 11; ++i)
        bar->addAction(QString::number(i));
    auto *table = new QTableWidget(10, 3);
    table->setHorizontalHeaderLabels({"DATE", "TP", "INR"});
    window->setCentralWidget(table);
    window->statusBar()->showMessage(QStringLiteral("Heure :"));
    window->setFixedSize(578, 413);
    return window;
}

// Reports the first paint of the watched window, then quits.
class FirstFrame : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QMetaObject::invokeMethod(qApp, [] {
                rusage usage{};
                getrusage(RUSAGE_SELF, &usage);
                std::printf("painted %ld\n", usage.ru_maxrss);
                std::fflush(stdout);
                QApplication::exit(0);
            }, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool seen_ = false;
};

int RunChild(int argc, char **argv, bool pexor, const char *ini) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    FirstFrame watcher;
    std::unique_ptr<QMainWindow> window;
    if (pexor)
        window = std::make_unique<pexor::TfrmQuilma>(QString::fromLocal8Bit(ini));
    else
        window = FloorWindow();
    app.installEventFilter(&watcher);
    window->show();
    const int code = QApplication::exec();
    // Skip the close confirmation: the window goes without closing.
    window.reset();
    return code;
}

void LaunchChild(benchmark::State &state, const QStringList &args) {
    double peakKiB = 0;
    for (auto _ : state) {
        QProcess child;
        QElapsedTimer timer;
        timer.start();
        child.start(QString::fromLocal8Bit(gProgram), args);
        if (!child.waitForReadyRead(30000)) {
            state.SkipWithError("the child reported no frame");
            break;
        }
        const double seconds = double(timer.nsecsElapsed()) / 1e9;
        const QByteArray line = child.readLine().trimmed();
        child.waitForFinished(30000);
        state.SetIterationTime(seconds);
        peakKiB = line.mid(int(std::strlen("painted "))).toDouble();
    }
    state.counters["peak_KiB"] = peakKiB;
}

QString IniPath() {
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Pexor.ini"));
    if (!QFile::exists(path)) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(TenReadingsIni());
    }
    return path;
}

void BM_StartupFloor(benchmark::State &state) { LaunchChild(state, {QStringLiteral("--child-floor")}); }
void BM_StartupPexor(benchmark::State &state) {
    LaunchChild(state, {QStringLiteral("--child-pexor"), IniPath()});
}

BENCHMARK(BM_StartupFloor)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_StartupPexor)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15)->Repetitions(3)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char **argv) {
    gProgram = argv[0];
    if (argc >= 2 && std::strcmp(argv[1], "--child-floor") == 0)
        return RunChild(argc, argv, false, nullptr);
    if (argc >= 3 && std::strcmp(argv[1], "--child-pexor") == 0)
        return RunChild(argc, argv, true, argv[2]);
    // Children run headless.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
