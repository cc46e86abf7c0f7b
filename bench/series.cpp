#include "chart/ChartEngine.h"
#include "render/QtCanvas.h"
#include "bench/BigSeries.h"
#include "bench/GuiBenchmarkMain.h"

#include <QImage>
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>
#include <vector>

using namespace pexor;
using namespace pexor::bench;

namespace {

constexpr int kPoints = 1'000'000;

// The floor of the old push_back goal: storing X and Y and nothing else.
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

// New data for a drawn chart: the series cleared, a random walk of a
// million points added, one drawing of the whole chart.
class NewDataFixture {
public:
    NewDataFixture()
        : walk_(RandomWalk(kPoints)), chart_(WalkChart(series_)),
          target_(kImageWidth, kImageHeight, QImage::Format_RGB32), canvas_(&target_) {}
    void Draw() {
        chart_->Draw(canvas_, TRect(0, 0, kImageWidth, kImageHeight));
        benchmark::ClobberMemory();
    }
    const TWalk &Walk() const { return walk_; }
    TLineSeries &Series() { return *series_; }

private:
    TWalk walk_;
    TLineSeries *series_ = nullptr;
    std::unique_ptr<TCustomChart> chart_;
    QImage target_;
    QtCanvas canvas_;
};

// The floor: the same values copied into two fresh vectors, and the one
// drawing of a chart that already holds them.
void BM_FloorVectorFillAndDraw(benchmark::State &state) {
    NewDataFixture fixture;
    fixture.Series().AddXYArrays(fixture.Walk().x, fixture.Walk().y);
    for (auto _ : state) {
        std::vector<double> x(fixture.Walk().x.begin(), fixture.Walk().x.end());
        std::vector<double> y(fixture.Walk().y.begin(), fixture.Walk().y.end());
        benchmark::DoNotOptimize(x.data());
        benchmark::DoNotOptimize(y.data());
        fixture.Draw();
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_FloorVectorFillAndDraw)->Unit(benchmark::kMillisecond);

// For comparison with AddXY: the cheapest way to take the values one at a
// time, push_back into two new vectors, plus the same drawing.
void BM_VectorPushBackAndDraw(benchmark::State &state) {
    NewDataFixture fixture;
    fixture.Series().AddXYArrays(fixture.Walk().x, fixture.Walk().y);
    for (auto _ : state) {
        std::vector<double> x;
        std::vector<double> y;
        const TWalk &walk = fixture.Walk();
        for (std::size_t i = 0; i < walk.x.size(); ++i) {
            x.push_back(walk.x[i]);
            y.push_back(walk.y[i]);
        }
        benchmark::DoNotOptimize(x.data());
        benchmark::DoNotOptimize(y.data());
        fixture.Draw();
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_VectorPushBackAndDraw)->Unit(benchmark::kMillisecond);

void BM_ClearAddArraysAndDraw(benchmark::State &state) {
    NewDataFixture fixture;
    for (auto _ : state) {
        fixture.Series().Clear();
        fixture.Series().AddXYArrays(fixture.Walk().x, fixture.Walk().y);
        fixture.Draw();
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_ClearAddArraysAndDraw)->Unit(benchmark::kMillisecond);

void BM_ClearAddXYLoopAndDraw(benchmark::State &state) {
    NewDataFixture fixture;
    for (auto _ : state) {
        TLineSeries &series = fixture.Series();
        series.Clear();
        const TWalk &walk = fixture.Walk();
        for (std::size_t i = 0; i < walk.x.size(); ++i)
            series.AddXY(walk.x[i], walk.y[i]);
        fixture.Draw();
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_ClearAddXYLoopAndDraw)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) {
    // Memory freed by one repetition is reused by the next, as in a program
    // that runs on (the allocator's own threshold gets there after its first
    // large free): page faults would otherwise depend on the order the
    // benchmarks run in.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 512 * 1024 * 1024);
    return pexor::bench::RunGuiBenchmarks(argc, argv);
}
