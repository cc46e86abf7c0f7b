#include "chart/panel/AxisPanel.h"
#include "chart/Series.h"
#include "render/QtCanvas.h"
#include "bench/GuiBenchmarkMain.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>
#include <random>

using namespace pexor;

namespace {

constexpr int kWidth = 336;
constexpr int kHeight = 256;

// A chart panel laid out as the program's chart is, drawing one line series
// into an off-screen image with the plot box as the clip.
class BenchChart : public TCustomAxisPanel {
public:
    BenchChart(int points, bool view3D)
        : image_(kWidth, kHeight, QImage::Format_RGB32), surface_(&image_) {
        image_.fill(Qt::white);
        Canvas().SetBuffered(false);
        SetView3D(view3D);
        SetAxisVisible(false);
        series_ = &AddSeries(std::make_unique<TLineSeries>());
        // A slow wave with noise of a few pixels: nearly every point lands on
        // a pixel of its own.
        std::mt19937 random(11);
        std::uniform_real_distribution<double> noise(-1.5, 1.5);
        for (int i = 0; i < points; ++i)
            series_->Add(50 + 40 * std::sin(6.2831853 * 3 * i / points) + noise(random), QString(),
                         0xFF0000);
        Canvas().Prepare(surface_, &View3DOptions(), TRect(0, 0, kWidth, kHeight), view3D);
        SetDrawRect(TRect(0, 0, kWidth, kHeight));
        SetPlotRect(TRect(40, 30, 322, 230));
        CalcSeriesZOrder();
        CalcAxisRoom();
        CalcSeriesDepths();
        Canvas().SetProjection(Depth3D(), DrawRect(), PlotRect());
    }
    ~BenchChart() override { Canvas().SetSurface(nullptr); }

    // One drawing of the series as the chart makes it: visible range, clip
    // to the plot box, the points.
    void Draw() {
        series_->CalcVisibleRange();
        Canvas().ClipBox(PlotRect(), 0, Depth3D());
        series_->DrawAllValues();
        Canvas().Unclip();
    }

    QPolygon MappedPoints() const {
        QPolygon points(series_->Count());
        for (int i = 0; i < series_->Count(); ++i)
            points[i] = QPoint(series_->XPixel(i), series_->YPixel(i));
        return points;
    }

    TLineSeries &Series() { return *series_; }

private:
    QImage image_;
    QtCanvas surface_;
    TLineSeries *series_ = nullptr;
};

// The floor: the same points already mapped, one polyline, a clip set.
void BM_FloorPolyline(benchmark::State &state) {
    const BenchChart chart(int(state.range(0)), false);
    const QPolygon points = chart.MappedPoints();
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(QColor(0, 0, 255));
    pen.setWidth(0);
    painter.setPen(pen);
    painter.setClipRect(QRect(41, 31, 281, 198));
    for (auto _ : state)
        painter.drawPolyline(points);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void DrawSeries(benchmark::State &state, bool view3D, bool join) {
    BenchChart chart(int(state.range(0)), view3D);
    chart.Series().SetJoinSegments(join);
    for (auto _ : state)
        chart.Draw();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_Line2D(benchmark::State &state) {
    DrawSeries(state, false, true);
}
void BM_Line2DSeparateSegments(benchmark::State &state) {
    DrawSeries(state, false, false);
}
void BM_Line3D(benchmark::State &state) {
    DrawSeries(state, true, true);
}

void Sizes(benchmark::internal::Benchmark *b) {
    b->Arg(1'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_FloorPolyline)->Apply(Sizes);
BENCHMARK(BM_Line2D)->Apply(Sizes);
BENCHMARK(BM_Line2DSeparateSegments)->Apply(Sizes);
BENCHMARK(BM_Line3D)->Apply(Sizes);

} // namespace

int main(int argc, char **argv) {
    return pexor::bench::RunGuiBenchmarks(argc, argv);
}
