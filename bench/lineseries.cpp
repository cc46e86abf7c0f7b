#include "chart/panel/AxisPanel.h"
#include "chart/Series.h"
#include "render/QtCanvas.h"
#include "bench/BigSeries.h"
#include "bench/GuiBenchmarkMain.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <climits>
#include <memory>

using namespace pexor;
using namespace pexor::bench;

namespace {

constexpr int kWidth = kImageWidth;
constexpr int kHeight = kImageHeight;

// A chart panel laid out as the program's chart is, drawing one line series
// of a random walk into an off-screen image with the plot box as the clip.
class BenchChart : public TCustomAxisPanel {
public:
    BenchChart(const TWalk &walk, bool view3D)
        : image_(kWidth, kHeight, QImage::Format_RGB32), surface_(&image_) {
        image_.fill(Qt::white);
        Canvas().SetBuffered(false);
        SetView3D(view3D);
        SetAxisVisible(false);
        series_ = &AddSeries(std::make_unique<TLineSeries>());
        series_->SetSeriesColor(clRed);
        series_->AddXYArrays(walk.x, walk.y);
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

    TLineSeries &Series() { return *series_; }

private:
    QImage image_;
    QtCanvas surface_;
    TLineSeries *series_ = nullptr;
};

// value -> pixel as a plain linear map from the axis' two ends.
struct TMap {
    double value0;
    double pixel0;
    double scale;
    int operator()(double v) const {
        constexpr double kShift = 6755399441055744.0; // rounds half to even
        return int(((v - value0) * scale + pixel0 + kShift) - kShift);
    }
};

TMap AxisMap(const TCustomChartAxis &axis, int pixel0, int pixel1) {
    const double v0 = axis.PixelToValue(pixel0);
    const double v1 = axis.PixelToValue(pixel1);
    return {v0, double(pixel0), double(pixel1 - pixel0) / (v1 - v0)};
}

// The floor: the values mapped to pixels, cut down to the first, lowest,
// highest and last point of each pixel column, and the points left joined by
// one polyline, clipped to the plot.
void BM_FloorDecimatedPolyline(benchmark::State &state) {
    const TWalk walk = RandomWalk(int(state.range(0)));
    BenchChart chart(walk, false);
    const TRect plot = chart.PlotRect();
    const TMap mapX = AxisMap(chart.BottomAxis(), plot.Left, plot.Right);
    const TMap mapY = AxisMap(chart.LeftAxis(), plot.Bottom, plot.Top);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(QColor(255, 0, 0));
    pen.setWidth(0);
    painter.setPen(pen);
    painter.setClipRect(QRect(plot.Left + 1, plot.Top + 1, plot.Width() - 1, plot.Height() - 2));
    QPolygon kept;
    const std::size_t n = walk.x.size();
    for (auto _ : state) {
        kept.clear();
        int column = INT_MIN;
        int first = 0, low = 0, high = 0, last = 0;
        auto keep = [&] {
            if (column != INT_MIN)
                kept << QPoint(column, first) << QPoint(column, low) << QPoint(column, high)
                     << QPoint(column, last);
        };
        for (std::size_t i = 0; i < n; ++i) {
            const int x = mapX(walk.x[i]);
            const int y = mapY(walk.y[i]);
            if (x != column) {
                keep();
                column = x;
                first = low = high = last = y;
            } else {
                low = std::min(low, y);
                high = std::max(high, y);
                last = y;
            }
        }
        keep();
        painter.drawPolyline(kept);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void DrawSeries(benchmark::State &state, bool view3D, bool merge) {
    const TWalk walk = RandomWalk(int(state.range(0)));
    BenchChart chart(walk, view3D);
    chart.Series().SetJoinSegments(merge);
    for (auto _ : state)
        chart.Draw();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_Line2D(benchmark::State &state) {
    DrawSeries(state, false, true);
}
void BM_Line2DEachSegment(benchmark::State &state) {
    DrawSeries(state, false, false);
}
void BM_Line3D(benchmark::State &state) {
    DrawSeries(state, true, true);
}
void BM_Line3DEachSegment(benchmark::State &state) {
    DrawSeries(state, true, false);
}

// The whole chart: title, automatic axes and the line, into an image.
void BM_WalkChart2D(benchmark::State &state) {
    const TWalk walk = RandomWalk(int(state.range(0)));
    TLineSeries *series = nullptr;
    auto chart = WalkChart(series);
    series->AddXYArrays(walk.x, walk.y);
    QImage target(kWidth, kHeight, QImage::Format_RGB32);
    QtCanvas canvas(&target);
    for (auto _ : state) {
        chart->Draw(canvas, TRect(0, 0, kWidth, kHeight));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void Sizes(benchmark::internal::Benchmark *b) {
    b->Arg(1'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_FloorDecimatedPolyline)->Apply(Sizes);
BENCHMARK(BM_Line2D)->Apply(Sizes);
BENCHMARK(BM_Line3D)->Apply(Sizes);
BENCHMARK(BM_Line2DEachSegment)->Apply(Sizes);
BENCHMARK(BM_Line3DEachSegment)->Arg(1'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WalkChart2D)->Apply(Sizes);

} // namespace

int main(int argc, char **argv) {
    return pexor::bench::RunGuiBenchmarks(argc, argv);
}
