#include "chart/Chart.h"

#include "chart/Series.h"
#include "render/QtCanvas.h"
#include "bench/GuiBenchmarkMain.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

using namespace pexor;

constexpr int kWidth = 336;
constexpr int kHeight = 256;

// The follow-up window's TP chart with ten readings.
std::unique_ptr<TCustomChart> TpChart() {
    auto chart = std::make_unique<TCustomChart>();
    chart->SetBounds(kWidth, kHeight);
    chart->SetBevelOuter(TBevelCut::bvLowered);
    chart->BackWall().Brush().SetStyle(TBrushStyle::bsClear);
    chart->Title().SetText({QStringLiteral("Courbe de TP (%)")});
    chart->Legend().SetShadowSize(2);
    auto *series = &chart->AddSeries(std::make_unique<TLineSeries>());
    series->SetSeriesColor(clRed);
    series->SetShowInLegend(false);
    series->Pointer().SetVisible(false);
    series->XValues().SetOrder(TChartListOrder::loAscending);
    const int tp[] = {80, 95, 70, 62, 75, 88, 91, 66, 72, 84};
    for (int i = 0; i < 10; ++i)
        series->Add(tp[i], QStringLiteral("%1/12/2026").arg(1 + 3 * i, 2, 10, QLatin1Char('0')),
                    clBlue);
    return chart;
}

// (a) One full drawing as the window makes it: into the off-screen bitmap,
// then copied to the target image.
void BM_ChartFullDrawing(benchmark::State &state) {
    auto chart = TpChart();
    QImage target(kWidth, kHeight, QImage::Format_RGB32);
    QtCanvas canvas(&target);
    for (auto _ : state) {
        chart->Draw(canvas, TRect(0, 0, kWidth, kHeight));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ChartFullDrawing)->Unit(benchmark::kMicrosecond);

// (a) The same drawing straight into the target image, no bitmap between.
void BM_ChartFullDrawingDirect(benchmark::State &state) {
    auto chart = TpChart();
    chart->Canvas().SetBuffered(false);
    QImage target(kWidth, kHeight, QImage::Format_RGB32);
    QtCanvas canvas(&target);
    for (auto _ : state) {
        chart->Draw(canvas, TRect(0, 0, kWidth, kHeight));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ChartFullDrawingDirect)->Unit(benchmark::kMicrosecond);

// (b) A window paint of an unchanged chart: the cached bitmap copied.
void BM_ChartPaintFromCache(benchmark::State &state) {
    auto chart = TpChart();
    QImage window(kWidth, kHeight, QImage::Format_RGB32);
    QPainter painter(&window);
    QtCanvas canvas(painter);
    chart->PaintWindow(canvas);
    for (auto _ : state) {
        chart->PaintWindow(canvas);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ChartPaintFromCache)->Unit(benchmark::kMicrosecond);

// Floor of (b): copying an image of the same size with drawImage.
void BM_FloorDrawImage(benchmark::State &state) {
    QImage picture(kWidth, kHeight, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QImage window(kWidth, kHeight, QImage::Format_RGB32);
    QPainter painter(&window);
    for (auto _ : state) {
        painter.drawImage(0, 0, picture);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FloorDrawImage)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv) {
    return pexor::bench::RunGuiBenchmarks(argc, argv);
}
