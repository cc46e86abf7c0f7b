#include "chart/ChartEngine.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

constexpr int kPoints = 1'000'000;

// The floor: storing X and Y and nothing else.
void BM_VectorPushBackXY(benchmark::State &state) {
    for (auto _ : state) {
        std::vector<double> x;
        std::vector<double> y;
        for (int i = 0; i < kPoints; ++i) {
            x.push_back(i);
            y.push_back(i % 100);
        }
        benchmark::DoNotOptimize(x.data());
        benchmark::DoNotOptimize(y.data());
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_VectorPushBackXY)->Unit(benchmark::kMillisecond);

// Appending with ascending X: one comparison and the running statistics.
void BM_SeriesAdd(benchmark::State &state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto series = std::make_unique<pexor::TChartSeries>();
        state.ResumeTiming();
        for (int i = 0; i < kPoints; ++i)
            series->Add(i % 100);
        benchmark::DoNotOptimize(series->YValues().Total());
        state.PauseTiming();
        series.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_SeriesAdd)->Unit(benchmark::kMillisecond);

void BM_SeriesClear(benchmark::State &state) {
    pexor::TChartSeries series;
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < kPoints; ++i)
            series.Add(i % 100);
        state.ResumeTiming();
        series.Clear();
        benchmark::DoNotOptimize(series.Count());
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_SeriesClear)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
