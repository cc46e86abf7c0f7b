#include "render/QtCanvas.h"
#include "bench/BigSeries.h"
#include "bench/GuiBenchmarkMain.h"

#include <QFile>
#include <QImage>
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <optional>

using namespace pexor;
using namespace pexor::bench;

namespace {

constexpr int kPoints = 1'000'000;
constexpr double kMiB = 1024.0 * 1024.0;

// A field of /proc/self/status in kB (VmRSS, VmHWM), or nothing.
std::optional<long> StatusKilobytes(const char *field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toLong();
    return std::nullopt;
}

// Makes the peak resident size start again from the present one.
bool ResetPeak() {
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    return refs.open(QIODevice::WriteOnly) && refs.write("5") == 1;
}

// The resident memory a drawn chart of a million points takes at its peak,
// above what the process held before: the chart was drawn once empty, and
// the values it is filled from were already there. Reported against the
// size of the series' value lists.
void MeasurePeak(benchmark::State &state, bool bulk) {
    const TWalk walk = RandomWalk(kPoints);
    TLineSeries *series = nullptr;
    auto chart = WalkChart(series);
    QImage target(kImageWidth, kImageHeight, QImage::Format_RGB32);
    QtCanvas canvas(&target);
    chart->Draw(canvas, TRect(0, 0, kImageWidth, kImageHeight));
    for (auto _ : state) {
        const std::optional<long> before = StatusKilobytes("VmRSS");
        if (!before || !ResetPeak()) {
            state.SkipWithError("no /proc/self/status or clear_refs");
            return;
        }
        if (bulk) {
            series->AddXYArrays(walk.x, walk.y);
        } else {
            for (std::size_t i = 0; i < walk.x.size(); ++i)
                series->AddXY(walk.x[i], walk.y[i]);
        }
        chart->Draw(canvas, TRect(0, 0, kImageWidth, kImageHeight));
        const double peak = double(StatusKilobytes("VmHWM").value_or(0) - *before) * 1024.0;
        const double values = double(series->Count()) * 2 * sizeof(double);
        state.counters["peak_MiB"] = peak / kMiB;
        state.counters["values_MiB"] = values / kMiB;
        state.counters["ratio"] = peak / values;
        series->Clear();
    }
}

void BM_PeakMemoryAddArrays(benchmark::State &state) {
    MeasurePeak(state, true);
}
void BM_PeakMemoryAddXYLoop(benchmark::State &state) {
    MeasurePeak(state, false);
}

BENCHMARK(BM_PeakMemoryAddArrays)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PeakMemoryAddXYLoop)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) {
    // Large blocks always come from the system and go back to it when freed,
    // so that one measure leaves nothing resident the next could reuse.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    return pexor::bench::RunGuiBenchmarks(argc, argv);
}
