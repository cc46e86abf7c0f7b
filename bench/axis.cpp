#include "chart/panel/AxisPanel.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <vector>

using namespace pexor;

namespace {

constexpr int Count = 1000000;

std::vector<double> Values() {
    std::vector<double> values(Count);
    for (int i = 0; i < Count; ++i)
        values[std::size_t(i)] = 50.0 + 50.0 * std::sin(i * 0.001);
    return values;
}

// The floor: the same arithmetic written out with the range held locally.
void BM_PlainMapping(benchmark::State &state) {
    const std::vector<double> values = Values();
    const int bottom = 220;
    const int height = 200;
    const double workMin = 0;
    const double workRange = 100;
    constexpr double Shift = 6755399441055744.0; // rounds half to even
    for (auto _ : state) {
        long long sum = 0;
        for (double v : values) {
            const double t = -height * (v - workMin) / workRange;
            sum += bottom + static_cast<long long>((t + Shift) - Shift);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * Count);
}
BENCHMARK(BM_PlainMapping)->Unit(benchmark::kMillisecond);

void BM_ValueToPixel(benchmark::State &state) {
    const std::vector<double> values = Values();
    TCustomAxisPanel chart;
    chart.SetPlotRect(TRect(40, 20, 240, 220));
    TChartAxis &axis = chart.LeftAxis();
    axis.SetMinMax(0, 100);
    axis.UpdateRange();
    for (auto _ : state) {
        long long sum = 0;
        for (double v : values)
            sum += axis.ValueToPixel(v);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * Count);
}
BENCHMARK(BM_ValueToPixel)->Unit(benchmark::kMillisecond);

// The same values mapped in one call, as a series maps its points.
void BM_ValuesToPixels(benchmark::State &state) {
    const std::vector<double> values = Values();
    std::vector<int> pixels(values.size());
    TCustomAxisPanel chart;
    chart.SetPlotRect(TRect(40, 20, 240, 220));
    TChartAxis &axis = chart.LeftAxis();
    axis.SetMinMax(0, 100);
    axis.UpdateRange();
    for (auto _ : state) {
        axis.ValuesToPixels(values.data(), pixels.data(), values.size());
        long long sum = 0;
        for (int p : pixels)
            sum += p;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * Count);
}
BENCHMARK(BM_ValuesToPixels)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
