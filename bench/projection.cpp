#include "chart/Canvas3D.h"
#include "render/RecordingCanvas.h"
#include "platform/Rounding.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <vector>

using namespace pexor;

namespace {

constexpr int kPoints = 1000000;

const std::vector<TPoint3D> &Points() {
    static const std::vector<TPoint3D> points = [] {
        std::vector<TPoint3D> p(kPoints);
        for (int i = 0; i < kPoints; ++i)
            p[std::size_t(i)] = {i % 640, (i * 7) % 480, i % 25};
        return p;
    }();
    return points;
}

// A chart canvas as a 336 x 256 chart prepares it.
struct Prepared {
    explicit Prepared(bool orthogonal) {
        options.SetOrthogonal(orthogonal);
        options.SetZoom(90);
        canvas.SetBuffered(false);
        canvas.Prepare(surface, &options, TRect(0, 0, 336, 256), true);
        canvas.SetProjection(24, TRect(0, 0, 336, 256), TRect(30, 20, 320, 230));
    }
    RecordingCanvas surface;
    TView3DOptions options;
    TChartCanvas3D canvas;
};

void BM_ProjectOrthogonal(benchmark::State &state) {
    Prepared p(true);
    const auto &points = Points();
    for (auto _ : state) {
        long sum = 0;
        for (const TPoint3D &pt : points) {
            const QPoint q = p.canvas.Project(pt.X, pt.Y, pt.Z);
            sum += q.x() + q.y();
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_ProjectOrthogonal);

// The same arithmetic written out, with the centre and zoom in locals.
void BM_FloorOrthogonal(benchmark::State &state) {
    Prepared p(true);
    const int xc = p.canvas.XCenter(), yc = p.canvas.YCenter();
    const int xo = p.canvas.XCenterOffset(), yo = p.canvas.YCenterOffset();
    const double zoom = p.canvas.ZoomFactor();
    const auto &points = Points();
    for (auto _ : state) {
        long sum = 0;
        for (const TPoint3D &pt : points) {
            const int x = int(std::nearbyint((pt.X + pt.Z - xc) * zoom)) + xo;
            const int y = yo + int(std::nearbyint((pt.Y - yc - pt.Z) * zoom));
            sum += x + y;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_FloorOrthogonal);

void BM_ProjectRotated(benchmark::State &state) {
    Prepared p(false);
    const auto &points = Points();
    for (auto _ : state) {
        long sum = 0;
        for (const TPoint3D &pt : points) {
            const QPoint q = p.canvas.Project(pt.X, pt.Y, pt.Z);
            sum += q.x() + q.y();
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_ProjectRotated);

void BM_FloorRotated(benchmark::State &state) {
    Prepared p(false);
    const int xc = p.canvas.XCenter(), yc = p.canvas.YCenter(), zc = p.canvas.ZCenter();
    const int xo = p.canvas.XCenterOffset(), yo = p.canvas.YCenterOffset();
    const double zoom = p.canvas.ZoomFactor();
    const double pi = 3.14159265358979323846;
    const double e = 345 * pi / 180, r = 345 * pi / 180, t = 0.0;
    const double a1 = std::sin(r) * std::sin(e) * std::sin(t) + std::cos(r) * std::cos(t);
    const double a2 = std::cos(e) * std::sin(t);
    const double a3 = std::cos(r) * std::sin(e) * std::sin(t) - std::cos(t) * std::sin(r);
    const double b1 = std::cos(t) * std::sin(r) * std::sin(e) - std::cos(r) * std::sin(t);
    const double b2 = std::cos(e) * std::cos(t);
    const double b3 = std::cos(r) * std::cos(t) * std::sin(e) + std::sin(r) * std::sin(t);
    const auto &points = Points();
    for (auto _ : state) {
        long sum = 0;
        for (const TPoint3D &pt : points) {
            const double dx = pt.X - xc, dy = pt.Y - yc, dz = pt.Z - zc;
            const int x = int(std::nearbyint((dx * a1 + dy * a2 + dz * a3) * zoom)) + xo;
            const int y = yo + int(std::nearbyint((dx * b1 + dy * b2 + dz * b3) * zoom));
            sum += x + y;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_FloorRotated);

} // namespace

BENCHMARK_MAIN();
