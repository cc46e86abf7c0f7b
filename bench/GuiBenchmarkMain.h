#pragma once

#include <QGuiApplication>
#include <benchmark/benchmark.h>

namespace pexor::bench {

// Runs the program's benchmarks inside a headless Qt application, for those
// that paint or measure text.
inline int RunGuiBenchmarks(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace pexor::bench
